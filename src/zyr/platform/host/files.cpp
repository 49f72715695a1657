// SPDX-License-Identifier: MIT
#include <zyr/platform/host/files.h>

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <streambuf>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zyr {

// The few operating-system calls of the reader, in one guarded place.
namespace os {
#ifdef _WIN32
using TSigned = long long;
// Windows has no pipes in the file system to wait on; its runtime spells the calls with '_'.
inline int OpenRegular(const char* name, int64_t& size) {
  const int fd = ::_open(name, _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  struct _stat64 st {};
  if (fd >= 0 && ::_fstat64(fd, &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG) {
    size = int64_t(st.st_size);
    return fd;
  }
  if (fd >= 0) ::_close(fd);
  return -1;
}
inline TSigned Read(int fd, char* to, size_t n) {
  return ::_read(fd, to, unsigned(std::min<size_t>(n, 1u << 30)));
}
inline TSigned Seek(int fd, long long off, int whence) { return ::_lseeki64(fd, off, whence); }
inline void Close(int fd) { ::_close(fd); }
#else
using TSigned = ssize_t;
inline int OpenRegular(const char* name, int64_t& size) {
  // Opening a pipe for reading waits for a writer unless it is opened without blocking.
  const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st {};
  if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    size = int64_t(st.st_size);
    return fd;
  }
  if (fd >= 0) ::close(fd);
  return -1;
}
inline TSigned Read(int fd, char* to, size_t n) {
  TSigned k;
  do k = ::read(fd, to, n);
  while (k < 0 && errno == EINTR);
  return k;
}
inline TSigned Seek(int fd, long long off, int whence) { return ::lseek(fd, off_t(off), whence); }
inline void Close(int fd) { ::close(fd); }
#endif
}  // namespace os

// ------------------------------------------------------------------ writing

namespace {

// A temporary file beside a device would be renamed over the device node; a pipe would block.
bool ReplaceableTarget(const QString& name) {
  const QFileInfo fi(name);  // follows symbolic links
  return !fi.exists() || fi.isFile();
}

}  // namespace

// Stream writes go to the device in blocks; a refused block puts the stream in a bad state.
class TAtomicFile::TBuffer : public std::streambuf {
 public:
  explicit TBuffer(QIODevice* d) : FDevice(d) { setp(FBuf, FBuf + sizeof FBuf); }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  bool Drain() {
    const qint64 n = pptr() - pbase();
    if (n > 0 && (!FDevice || FDevice->write(pbase(), n) != n)) return false;
    setp(FBuf, FBuf + sizeof FBuf);
    return true;
  }
  QIODevice* FDevice;
  char FBuf[1 << 16];
};

TAtomicFile::TAtomicFile(const std::string& fileName) {
  const QString name = QString::fromStdString(fileName);
  if (fileName.empty() || !ReplaceableTarget(name)) return;
  auto f = std::make_unique<QSaveFile>(name);
  if (f->open(QIODevice::WriteOnly)) FFile = std::move(f);
}

TAtomicFile::~TAtomicFile() { Discard(); }

QIODevice* TAtomicFile::Device() { return FFile.get(); }

std::ostream& TAtomicFile::Stream() {
  if (!FStream) {
    FBuffer = std::make_unique<TBuffer>(FFile.get());
    FStream = std::make_unique<std::ostream>(FBuffer.get());
    if (!FFile) FStream->setstate(std::ios::badbit);
  }
  return *FStream;
}

bool TAtomicFile::Commit() {
  if (!FFile) return false;
  if (FStream && !FStream->flush()) {
    Discard();
    return false;
  }
  // The commit overlooks a failure of its final flush, so a short write could pass as whole.
  if (!FFile->flush() || FFile->error() != QFileDevice::NoError) {
    Discard();
    return false;
  }
  const bool ok = FFile->commit();
  FStream.reset();
  FBuffer.reset();
  FFile.reset();
  return ok;
}

void TAtomicFile::Discard() {
  FStream.reset();
  FBuffer.reset();
  if (!FFile) return;
  FFile->cancelWriting();
  FFile.reset();  // the temporary file goes with it
}

bool WriteFileAtomically(const std::string& fileName,
                         const std::function<bool(QIODevice& Device)>& write) {
  TAtomicFile f(fileName);
  QIODevice* d = f.Device();
  return d && write(*d) && f.Commit();
}

// ------------------------------------------------------------------ reading

class TFileReader::TBuffer : public std::streambuf {
 public:
  explicit TBuffer(int fd) : FFd(fd) {}

 protected:
  int_type underflow() override {
    const os::TSigned n = ReadSome(FBuf, sizeof FBuf);
    if (n <= 0) return traits_type::eof();
    setg(FBuf, FBuf, FBuf + n);
    return traits_type::to_int_type(FBuf[0]);
  }

  // Large reads (whole blocks of records) go straight into the caller's memory.
  std::streamsize xsgetn(char* s, std::streamsize n) override {
    std::streamsize done = std::min<std::streamsize>(n, egptr() - gptr());
    if (done > 0) {
      std::memcpy(s, gptr(), size_t(done));
      gbump(int(done));
    }
    while (done < n) {
      if (n - done < std::streamsize(sizeof FBuf)) {
        if (traits_type::eq_int_type(underflow(), traits_type::eof())) break;
        const std::streamsize k = std::min<std::streamsize>(n - done, egptr() - gptr());
        std::memcpy(s + done, gptr(), size_t(k));
        gbump(int(k));
        done += k;
      } else {
        const os::TSigned k = ReadSome(s + done, size_t(n - done));
        if (k <= 0) break;
        done += k;
      }
    }
    return done;
  }

  pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                   std::ios_base::openmode which) override {
    if (!(which & std::ios_base::in)) return pos_type(off_type(-1));
    if (dir == std::ios_base::cur) off -= egptr() - gptr();  // bytes read ahead
    const int whence = dir == std::ios_base::beg   ? SEEK_SET
                       : dir == std::ios_base::cur ? SEEK_CUR
                                                   : SEEK_END;
    const os::TSigned r = os::Seek(FFd, static_cast<long long>(off), whence);
    setg(FBuf, FBuf, FBuf);
    return r < 0 ? pos_type(off_type(-1)) : pos_type(off_type(r));
  }

  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
    return seekoff(off_type(pos), std::ios_base::beg, which);
  }

 private:
  os::TSigned ReadSome(char* to, size_t n) { return os::Read(FFd, to, n); }

  int FFd;
  char FBuf[1 << 16];
};

TFileReader::TFileReader(const std::string& fileName) {
  if (!fileName.empty()) FHandle = os::OpenRegular(fileName.c_str(), FSize);
  FBuffer = std::make_unique<TBuffer>(FHandle);
  FStream = std::make_unique<std::istream>(FBuffer.get());
  if (FHandle < 0) FStream->setstate(std::ios::failbit);
}

TFileReader::~TFileReader() {
  FStream.reset();
  FBuffer.reset();
  if (FHandle >= 0) os::Close(FHandle);
}

}  // namespace zyr
