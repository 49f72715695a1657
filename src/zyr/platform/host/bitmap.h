// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TBitmap: a resizable off-screen picture with its own canvas. Pixels are 32-bit
/// (QImage::Format_RGB32) whose rows are arrays of TRGB32; ScanLine(y) gives row y.

#include <zyr/platform/host/canvas.h>

#include <QImage>
#include <string>

namespace zyr {

/// An off-screen picture: draw on Canvas(), read rows with ScanLine, save with SaveToFile.
///
///   TBitmap bmp(200, 100);
///   bmp.Canvas().LineTo(50, 50);
///   bmp.SaveToFile("line.png");
class TBitmap : public TPersistent {
 public:
  /// An empty picture (0 x 0).
  TBitmap();
  /// A white picture of the given size.
  TBitmap(int width, int height);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  /// Size in pixels; setting one keeps the other (see SetSize).
  ///@{
  int Width() const { return FImage.width(); }
  int Height() const { return FImage.height(); }
  void SetWidth(int w) { SetSize(w, Height()); }
  void SetHeight(int h) { SetSize(Width(), h); }
  ///@}
  /// Negative sizes become 0; the picture is kept where it overlaps, new pixels are white.
  void SetSize(int w, int h);
  /// No picture at all (never sized, or sized to nothing).
  bool Empty() const { return FImage.isNull(); }

  /// The format asked for by SetPixelFormat.
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  /// Every format is stored as 32-bit; the value is kept for callers that ask.
  void SetPixelFormat(TPixelFormat f) { FPixelFormat = f; }

  /// The canvas that draws on the picture.
  TCanvas& Canvas() { return FCanvas; }
  /// Row y as TRGB32 pixels; null for a row outside the picture.
  TRGB32* ScanLine(int y);
  /// The picture itself (drawing is finished first).
  const QImage& Image();
  /// Replaces the picture (converted to 32-bit).
  void SetImage(const QImage& img);

  /// BMP, PNG or JPEG; returns false when the file cannot be read or is not a regular file
  /// (the picture is kept).
  bool LoadFromFile(const std::string& fileName);
  /// LoadFromFile with a QString file name.
  bool LoadFromFile(const QtText auto& fileName) { return LoadFromFile(FromQString(fileName)); }
  /// Format by the file's extension (BMP when unknown). Written completely or not at all:
  /// false, with the old file untouched, when it cannot be written.
  bool SaveToFile(const std::string& fileName);
  /// SaveToFile with a QString file name.
  bool SaveToFile(const QtText auto& fileName) { return SaveToFile(FromQString(fileName)); }

  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TBitmap"; }

 private:
  QImage FImage;
  TCanvas FCanvas;
  TPixelFormat FPixelFormat = pfDevice;
};

}  // namespace zyr
