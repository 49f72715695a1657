// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TVectorCanvas: a canvas that records the drawing as a vector picture, an SVG document or
/// a PDF page (by the file name's extension, or into memory as SVG). The paint steps of
/// every control run on it unchanged; text stays text. Pixels, XOR and raster copy modes are
/// not available on it.

#include <zyr/platform/host/canvas.h>
#include <zyr/platform/host/files.h>

#include <QBuffer>
#include <memory>
#include <string>

class QSvgGenerator;
class QPdfWriter;

namespace zyr {

/// A canvas that draws an SVG or PDF picture, with the same drawing calls as on a bitmap.
class TVectorCanvas : public TCanvas {
 public:
  /// A picture of width x height pixels written to fileName (.pdf: PDF, else SVG). The file
  /// appears only when Finish succeeds; Ok() is false when it cannot be created.
  TVectorCanvas(const std::string& fileName, int width, int height, const std::string& title = "");
  /// An SVG picture kept in memory; read it with Finish().
  TVectorCanvas(int width, int height, const std::string& title = "");
  /// Finishes the picture, or discards the file when an exception leaves the scope.
  ~TVectorCanvas() override;

  /// Ends the picture; answers the SVG text of an in-memory picture (empty otherwise) and
  /// whether the whole file could be written through Ok().
  std::string Finish();
  /// The file could be created and, after Finish, written whole.
  bool Ok() const { return FOk; }

 private:
  std::unique_ptr<TAtomicFile> FFile;
  std::unique_ptr<QSvgGenerator> FSvg;
  std::unique_ptr<QPdfWriter> FPdf;
  QBuffer FBuffer;
  bool FFinished = false;
  bool FOk = true;
  int FUncaught;  // exceptions in flight at construction
};

}  // namespace zyr
