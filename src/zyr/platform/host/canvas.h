// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TCanvas: the drawing surface every control paints on. It draws aliased with classic
/// pixel rules on any Qt paint device (bitmap, window picture, printer, SVG, PDF):
///  - LineTo and Polyline leave out their last pixel; the pen ends at the end point.
///  - Rectangle and Ellipse cover x1 .. x2-1 and y1 .. y2-1 (pen outline, brush inside).
///  - TextOut puts the top-left of the text at the point; a solid brush paints its background.
///  - pmXor pens and the copy modes of Draw are raster operations: drawing twice restores.
/// With SetAntialiased(true) lines, curves and outlines are drawn smooth along the pixel
/// centres instead (axis-parallel one-pixel lines stay crisp); XOR and inverting pens stay
/// aliased so that they still erase exactly.
/// Pixel reads, XOR and copy modes other than SRCCOPY need a raster target.

#include <zyr/platform/host/graphics.h>
#include <zyr/platform/host/qtvalues.h>

#include <QtGlobal>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QPaintDevice;
class QPainter;
class QImage;
class QFont;
class QFontMetrics;
class QString;

namespace zyr {

class TBitmap;
class TFontTexts;
class TLongTextMetrics;

/// Kind of device behind a canvas: ctRaster an image (pixel reads, XOR pens and every copy
/// mode work), ctPrinter a printer page, ctVector an SVG or PDF picture.
enum TCanvasTarget : uint8_t { ctRaster, ctPrinter, ctVector };

/// Drawing surface with a current pen, brush and font and a pen position, in integer pixels
/// of its device. Controls hand their canvas to paint events (OnScalesRendered and the like);
/// draw there with the calls below or, for what they cannot express, with Painter().
class TCanvas : public TPersistent {
 public:
  /// A canvas without a device draws nothing until SetDevice is called.
  TCanvas();
  /// A canvas drawing on device, which stays the caller's and must outlive the drawing.
  TCanvas(QPaintDevice* device, TCanvasTarget target);
  /// Finishes drawing on the device.
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  /// Points the canvas to another device (ends drawing on the old one).
  void SetDevice(QPaintDevice* device, TCanvasTarget target);
  /// The device drawn on (null for none) and its kind.
  ///@{
  QPaintDevice* Device() const { return FDevice; }
  TCanvasTarget Target() const { return FTarget; }
  ///@}
  /// The raster image behind the canvas, or null (the painter is closed first).
  QImage* Image();
  /// The raster image without closing the painter, for direct pixel writes between drawing
  /// calls (the raster painter writes through at once); null on other targets.
  QImage* RasterImage();
  /// Row 0 of a 32-bit raster picture for direct pixel writes, its pixels per row and the
  /// box that may be written (clip and picture); null when the painter must draw (other
  /// targets or formats, a painter handed out with its own transform or clip).
  uint32_t* DirectPixels(qsizetype& Stride, TRect& Box);
  /// True when the device is a printer page.
  bool IsPrinterCanvas() const { return FTarget == ctPrinter; }
  /// True when the device is a raster image.
  bool IsRaster() const { return FTarget == ctRaster; }

  /// Font of TextOut (black by default), pen of lines and outlines, brush of fills and text
  /// backgrounds; changed in place, used by the next drawing call.
  ///@{
  TFont& Font() { return FFont; }
  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  const TFont& Font() const { return FFont; }
  const TPen& Pen() const { return FPen; }
  const TBrush& Brush() const { return FBrush; }
  ///@}
  /// How Draw combines a bitmap with the picture: SRCCOPY (default), SRCAND, SRCPAINT or
  /// SRCINVERT; targets other than raster always copy.
  ///@{
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode m) { FCopyMode = m; }
  ///@}
  /// Smooth drawing of lines, polylines, polygons, ellipses, arcs and outlines (off: the
  /// classic aliased pixel rules).
  ///@{
  bool Antialiased() const { return FAntialiased; }
  void SetAntialiased(bool v) { FAntialiased = v; }
  ///@}

  /// Moves the pen position to (x, y) without drawing.
  void MoveTo(int x, int y);
  /// Draws with the pen from the pen position to (x, y), leaving out the last pixel, and moves
  /// the pen position there.
  void LineTo(int x, int y);
  /// The pen position: where LineTo starts and TextOut and the polylines end.
  ///@{
  TPoint GetPenPos() const { return FPenPos; }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint p) { FPenPos = p; }
  ///@}
  /// Connects the points; the last pixel is left out, the pen ends on the last point.
  ///@{
  void Polyline(const TPoint* pts, int n);
  void Polyline(const std::vector<TPoint>& pts) { Polyline(pts.data(), int(pts.size())); }
  ///@}
  /// Filled with the brush, outlined with the pen.
  ///@{
  void Polygon(const TPoint* pts, int n);
  void Polygon(const std::vector<TPoint>& pts) { Polygon(pts.data(), int(pts.size())); }
  ///@}
  /// Box x1 .. x2-1 by y1 .. y2-1 (corners in any order): brush inside, pen outline; an empty
  /// box draws nothing.
  ///@{
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  ///@}
  /// Fills Left .. Right-1 with the brush, no outline.
  void FillRect(const TRect& r);
  /// One-pixel outline of the box in the brush colour.
  void FrameRect(const TRect& r);
  /// Ellipse inside the box x1 .. x2-1 by y1 .. y2-1: brush inside, pen outline.
  void Ellipse(int x1, int y1, int x2, int y2);
  /// Elliptic arc inside the box, counter-clockwise from the radial through (x3, y3) to the
  /// radial through (x4, y4); equal radials give the whole ellipse.
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  /// Filled pie slice with the same angle rule as Arc.
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

  /// Text (UTF-8) with its top-left at (x, y) in the font, turned by the font's orientation;
  /// a solid brush fills the text's box first. The pen position moves to the text's end.
  void TextOut(int x, int y, const std::string& text);
  /// Size in pixels of a text in the current font on this device; the height is the font's
  /// line height, whatever the text.
  ///@{
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  TPoint TextExtent(const std::string& text);
  ///@}
  /// The text calls with a QString.
  ///@{
  void TextOut(int x, int y, const QtText auto& text) { TextOut(x, y, FromQString(text)); }
  int TextWidth(const QtText auto& text) { return TextWidth(FromQString(text)); }
  int TextHeight(const QtText auto& text) { return TextHeight(FromQString(text)); }
  TPoint TextExtent(const QtText auto& text) { return TextExtent(FromQString(text)); }
  ///@}

  /// Colour of one pixel; clNone outside the picture or on a non-raster target.
  TColor Pixels(int x, int y);
  /// Sets one pixel of a raster picture; ignored outside the picture or the clip box.
  void SetPixels(int x, int y, TColor c);
  /// SetPixels with a QColor or Qt::GlobalColor; an invalid QColor gives clNone.
  void SetPixels(int x, int y, const QtColor auto& c) { SetPixels(x, y, FromQColor(c)); }

  /// Copies a bitmap with its top-left at (x, y), combined by CopyMode.
  void Draw(int x, int y, TBitmap& bmp);
  /// Copies a bitmap scaled to fill the box (always a plain copy).
  void StretchDraw(const TRect& r, TBitmap& bmp);
  /// Copies a part of another canvas's raster picture into a box of this one.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& src);

  /// Limits drawing to a box until ResetClip.
  void SetClipRect(const TRect& r);
  /// Lets drawing reach the whole device again.
  void ResetClip();
  /// The clip box, or the whole device when there is none.
  TRect ClipRect() const;

  /// LOGPIXELSX and LOGPIXELSY: the device's dots per inch (96 without a device); 36 for the
  /// two pixel-ratio indices (square pixels); 0 for other indices.
  int GetDeviceCaps(int index) const;
  /// Size of the device in pixels; 0 without a device.
  ///@{
  int Width() const;
  int Height() const;
  ///@}

  /// Finishes drawing (closes the painter) so the picture may be read or changed.
  void Flush();
  /// The open painter, for drawing this layer cannot express (null without a device).
  QPainter* Painter();

 private:
  void ApplyPen();
  void ApplyBrush();
  void ApplyFont();
  void ApplyRasterOp();
  QPainter* Begin();
  bool PenVisible() const { return FPen.Style() != psClear; }
  void DrawSegment(int x0, int y0, int x1, int y1);
  // Direct writes into a 32-bit raster picture for what the painter would only copy there
  // (thin solid copying pens, opaque fills): the same pixels without its per-call setup.
  struct TDirect {
    uint32_t* Bits = nullptr;
    qsizetype Stride = 0;                          // in pixels
    int Left = 0, Top = 0, Right = 0, Bottom = 0;  // clip, right and bottom exclusive
  };
  const TDirect* Direct();
  bool ThinCopyPen() const {
    return FPen.Width() <= 1 && FPen.Style() == psSolid && FPen.Mode() == pmCopy;
  }
  void DirectSpan(const TDirect& d, int y, int xa, int xb, uint32_t c);  // xa .. xb inclusive
  void DirectColumn(const TDirect& d, int x, int ya, int yb, uint32_t c);
  bool DirectSegment(int x0, int y0, int x1, int y1);
  bool StampEllipse(int x1, int y1, int x2, int y2);
  int8_t FDirectState = -1;      // -1 unknown, 0 no, 1 yes; reset with the painter and the clip
  bool FForeignPainter = false;  // the painter was handed out and may carry a transform
  TDirect FDirect;
  void ArcPath(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, bool pie);
  // Smooth drawing: only copying pens; XOR figures must erase exactly.
  bool Smooth() const { return FAntialiased && FPen.Mode() == pmCopy; }
  void SmoothHint(bool on);
  void SmoothPolyline(const TPoint* pts, int n);
  void SmoothPolygon(const TPoint* pts, int n);
  bool FAntialiased = false;
  bool FSmoothHint = false;  // the painter's antialiasing hint

  QPaintDevice* FDevice = nullptr;
  TCanvasTarget FTarget = ctRaster;
  std::unique_ptr<QPainter> FPainter;
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  TCopyMode FCopyMode = SRCCOPY;
  TPoint FPenPos;
  bool FHasClip = false;
  TRect FClip;
  bool FPenDirty = true, FBrushDirty = true, FFontDirty = true;
  // Text is measured often (every label); the Qt font and its metrics are built once per change.
  const QFont& CachedFont();
  const QFontMetrics& Metrics();
  static std::string FontKey(const TFont& f);
  std::unique_ptr<QFont> FQFont;
  std::string FQFontKey;
  std::unique_ptr<QFontMetrics> FMetrics;
  QPaintDevice* FMetricsDevice = nullptr;
  // Widths and glyphs of texts in the cached font, shared with every canvas that uses it;
  // shaping a text is costly.
  std::shared_ptr<TFontTexts> FTexts;
  TFontTexts& Texts();
  int CachedWidth(const std::string& text);
  bool DrawLaidOut(int x, int y, int w, int h, const std::string& text);
  // Texts too long to shape whole are measured per character and cut to what can be seen.
  std::unique_ptr<TLongTextMetrics> FLongTexts;
  TLongTextMetrics& LongTexts();
  void ForgetWidths();
  void LongTextOut(int x, int y, const std::string& text);
};

/// Switches a canvas to aliased drawing for its lifetime: overlays such as cross-hairs keep
/// their classic pixels on a smooth picture.
class TAliased {
 public:
  /// Turns smooth drawing off on cv; the destructor restores the previous setting.
  explicit TAliased(TCanvas& cv) : FCanvas(cv), FWas(cv.Antialiased()) { cv.SetAntialiased(false); }
  ~TAliased() { FCanvas.SetAntialiased(FWas); }
  TAliased(const TAliased&) = delete;
  TAliased& operator=(const TAliased&) = delete;

 private:
  TCanvas& FCanvas;
  bool FWas;
};

}  // namespace zyr
