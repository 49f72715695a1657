// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Safe file access for exports and loads.
///
/// TAtomicFile writes a file completely or not at all: the bytes go to a temporary file beside
/// the target, which takes the target's place only when every byte was written. Exports of
/// every control use it, so a full disk or a missing folder is reported and never leaves a
/// truncated picture behind:
///   TAtomicFile f("chart.png");
///   bool ok = f.Device() && image.save(f.Device(), "PNG") && f.Commit();
///
/// TFileReader opens a file for reading only when it is a regular file, so a pipe without a
/// writer, a device or a directory fails at once instead of blocking or reading forever.

#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

class QIODevice;
class QSaveFile;

namespace zyr {

/// A file that is written completely or not at all: everything goes to a temporary file
/// beside the target, which Commit puts in place.
class TAtomicFile {
 public:
  /// Opens a temporary file beside fileName. A target that exists but is not a regular file
  /// (a device, a pipe, a directory, also behind a symbolic link) is refused: Device() is null.
  explicit TAtomicFile(const std::string& fileName);
  /// Discards what was not committed.
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  /// Where to write; null when the file could not be opened.
  QIODevice* Device();
  /// The same file as an output stream (in a failed state when it could not be opened);
  /// Commit flushes it.
  std::ostream& Stream();
  /// Puts the file in place of the target; false, with nothing left behind, when the file
  /// could not be opened or any byte could not be written.
  bool Commit();
  /// Drops the temporary file; the target stays as it was.
  void Discard();

 private:
  class TBuffer;
  std::unique_ptr<QSaveFile> FFile;
  std::unique_ptr<TBuffer> FBuffer;
  std::unique_ptr<std::ostream> FStream;
};

/// Writes fileName through \p write on a TAtomicFile; true only when \p write succeeded and
/// the whole file reached its place.
bool WriteFileAtomically(const std::string& fileName,
                         const std::function<bool(QIODevice& Device)>& write);

/// Reads a file that may be a pipe, a device or a folder in disguise without blocking: only
/// regular files are opened.
class TFileReader {
 public:
  /// Opens fileName without waiting for a writer; only regular files are kept open.
  explicit TFileReader(const std::string& fileName);
  ~TFileReader();
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  /// True when a regular file is open.
  bool Ok() const { return FHandle >= 0; }
  /// Size of the file when it was opened, in bytes.
  int64_t Size() const { return FSize; }
  /// The file as a seekable input stream (in a failed state when not Ok()).
  std::istream& Stream() { return *FStream; }
  /// The operating system's handle, for readers that take one (-1 when not Ok()).
  int Handle() const { return FHandle; }

 private:
  class TBuffer;
  int FHandle = -1;
  int64_t FSize = 0;
  std::unique_ptr<TBuffer> FBuffer;
  std::unique_ptr<std::istream> FStream;
};

}  // namespace zyr
