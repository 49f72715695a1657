// SPDX-License-Identifier: MIT
// Text labels of TCustomRChart.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/errors.h>
#include <zyr/platform/foundation/frames.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zyr {

namespace {

constexpr int kPixLimit = 30000;

int ClampPix(long long v) { return int(std::clamp<long long>(v, -kPixLimit, kPixLimit)); }

// Pixel of a label coordinate given in pixels; half-even rounding, huge values limited.
int PixelFromPos(double v) {
  return int(std::nearbyint(std::clamp(v, double(-kPixLimit), double(kPixLimit))));
}

std::vector<std::string> SplitLines(const std::string& s) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t lf = s.find('\n', start);
    std::string line = s.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
    // A CR-LF pair ends a line just like a bare line feed.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

// Runs a change on a label without its change handler, so a setup repaints once.
template <typename F>
void Quietly(TTextLabel& lbl, F&& change) {
  TNotifyEvent handler = std::move(lbl.OnChange);
  lbl.OnChange = nullptr;
  change();
  lbl.OnChange = std::move(handler);
}

}  // namespace

TTextLabel& TCustomRChart::GetFTextLabel(int ix) {
  return const_cast<TTextLabel&>(std::as_const(*this).TextLabels(ix));
}

const TTextLabel& TCustomRChart::TextLabels(int ix) const {
  if (ix < 1 || ix > kNumTextLabels)
    throw EZYRRChartError("Component \"" + Name() + "\": invalid index into TextLabel array");
  return FTextLabels[size_t(ix - 1)];
}

void TCustomRChart::SetFTextLabel(int ix, const TCustomTextLabel& Value) {
  TTextLabel& lbl = GetFTextLabel(ix);
  Quietly(lbl, [&] { lbl.Assign(&Value); });
  StyleChanged(this);
}

void TCustomRChart::ResetTextLabels() {
  for (TTextLabel& lbl : FTextLabels) {
    lbl.OnChange = nullptr;
    lbl.SetTxtLblPos(0, 0);
    lbl.SetLayer(1);
    lbl.SetAttachToData(3);
    lbl.SetAlignment(taCenter);
    lbl.SetVerticalAlignment(2);
    lbl.SetColorBkg(clWhite);
    lbl.SetColorBorder(clBlack);
    lbl.SetShadowDx(3);
    lbl.SetShadowDy(3);
    lbl.SetColorShadow(0x808080);
    lbl.SetTransparent(false);
    lbl.SetCaption("");
    lbl.SetFont(Font());
    lbl.SetVisible(false);
    lbl.SetMode(0);
    lbl.OnChange = [this](TObject* Sender) { StyleChanged(Sender); };
  }
}

int TCustomRChart::AddTextLabel(double x, double y, TColor Color, const std::string& Caption,
                                int Template) {
  for (int n = 1; n <= kNumTextLabels; ++n) {
    if (FTextLabels[size_t(n - 1)].Mode() == 0) {
      SetTextLabel(n, x, y, Color, Caption, Template);
      return n;
    }
  }
  return 0;
}

void TCustomRChart::SetTextLabel(int n, double x, double y, TColor Color,
                                 const std::string& Caption, int Template) {
  if (n < 1 || n > kNumTextLabels) return;
  TTextLabel& lbl = FTextLabels[size_t(n - 1)];
  const bool hasTemplate = Template >= 1 && Template <= kNumTextLabels;
  Quietly(lbl, [&] {
    TTextLabel from;  // a copy, so that a label may serve as its own template
    if (hasTemplate) from.Assign(&FTextLabels[size_t(Template - 1)]);
    lbl.SetTxtLblPos(x, y);
    lbl.SetLayer(FActiveLayer);
    if (hasTemplate) {
      lbl.SetAttachToData(from.AttachToData());
      lbl.SetAlignment(from.Alignment());
      lbl.SetVerticalAlignment(from.VerticalAlignment());
      lbl.SetShadowDx(from.ShadowDx());
      lbl.SetShadowDy(from.ShadowDy());
      lbl.SetColorShadow(from.ColorShadow());
      lbl.SetColorBkg(from.ColorBkg());
      lbl.SetColorBorder(from.ColorBorder());
      lbl.SetTransparent(from.Transparent());
      lbl.SetFont(from.Font());
    } else {
      lbl.SetAttachToData(3);
      lbl.SetAlignment(taCenter);
      lbl.SetShadowDx(0);
      lbl.SetShadowDy(0);
      lbl.SetColorShadow(0x808080);
      lbl.SetColorBkg(StyledColor(ChartColor(), scGrid, seClient));
      lbl.SetColorBorder(ChartFrameColor());
      lbl.SetTransparent(false);
    }
    lbl.SetCaption(Caption);
    lbl.Font().SetColor(Color);
    lbl.SetMode(hasTemplate && from.Mode() != 0 ? from.Mode() : 1);
    lbl.SetVisible(true);
  });
  StyleChanged(this);
}

void TCustomRChart::HideAllTextLabels() {
  const bool was = FSuppressPaint;
  SetSuppressPaint(true);
  for (TTextLabel& lbl : FTextLabels) lbl.SetVisible(false);
  SetSuppressPaint(was);
}

void TCustomRChart::ClearAllTextLabels() {
  const bool was = FSuppressPaint;
  SetSuppressPaint(true);
  for (TTextLabel& lbl : FTextLabels) lbl.SetMode(0);
  SetSuppressPaint(was);
}

void TCustomRChart::TextLabelAnchor(const TTextLabel& Lbl, int& ax, int& ay) const {
  int wx = 0, wy = 0;
  if (Lbl.AttachToData() != 0) R2M(Lbl.Layer(), Lbl.PosX(), Lbl.PosY(), wx, wy);
  switch (Lbl.AttachToData()) {
    case 0:
      ax = PixelFromPos(Lbl.PosX());
      ay = PixelFromPos(Lbl.PosY());
      break;
    case 1:
      ax = wx;
      ay = PixelFromPos(Lbl.PosY());
      break;
    case 2:
      ax = PixelFromPos(Lbl.PosX());
      ay = wy;
      break;
    default:
      ax = wx;
      ay = wy;
      break;
  }
}

void TCustomRChart::DrawTextLabels(TCanvas& Canvas, int X0, int Y0) {
  TPen& pen = Canvas.Pen();
  TBrush& brush = Canvas.Brush();
  pen.SetWidth(1);
  pen.SetMode(pmCopy);
  for (int n = kNumTextLabels; n >= 1; --n) {
    const TTextLabel& lbl = FTextLabels[size_t(n - 1)];
    if (lbl.Mode() == 0 || !lbl.Visible() || !LayerVisible(lbl.Layer())) continue;

    int ax, ay;
    TextLabelAnchor(lbl, ax, ay);
    ax = ClampPix(static_cast<long long>(ax) + X0 - RcLRim);
    ay = ClampPix(static_cast<long long>(ay) + Y0 - RcTRim);

    Canvas.Font().Assign(&lbl.Font());
    // Labels keep their point size on the page rather than their screen pixel height.
    if (Canvas.IsPrinterCanvas()) SetCanvasFontSizeScaled(Canvas, lbl.Font().Size());
    pen.SetColor(lbl.ColorBorder());
    pen.SetStyle(psSolid);
    brush.SetColor(lbl.ColorBkg());
    const TBrushStyle bkgStyle = lbl.Transparent() ? bsClear : bsSolid;
    brush.SetStyle(bkgStyle);

    const std::vector<std::string> lines = SplitLines(lbl.Caption());
    const int nLines = int(lines.size());
    std::vector<int> widths(lines.size());
    int w = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
      widths[k] = Canvas.TextWidth(lines[k]);
      w = std::max(w, widths[k]);
    }
    if (w == 0) w = Canvas.TextWidth(lbl.Caption());
    const int h = Canvas.TextHeight(lbl.Caption());
    const int blockH = h * nLines;

    int B = ay;
    if (lbl.VerticalAlignment() == 0)
      B = ay + blockH;
    else if (lbl.VerticalAlignment() == 1)
      B = ay + blockH / 2;
    const int T = B - blockH;
    int L = ax - w / 2;
    if (lbl.Alignment() == taLeftJustify)
      L = ax;
    else if (lbl.Alignment() == taRightJustify)
      L = ax - w;

    const TRect R{L - 4, T - 2, L + w + 4, B + 2};
    switch (lbl.Mode()) {
      case 1:
      case 3:
        if (!lbl.Transparent()) {
          pen.SetColor(lbl.ColorBkg());
          Canvas.Rectangle(R);
        }
        if (lbl.Mode() == 3) {
          pen.SetColor(lbl.ColorBorder());
          Canvas.MoveTo(L, B);
          Canvas.LineTo(L + w, B);
        }
        break;
      case 2:
        Canvas.Rectangle(R);
        break;
      case 4: {
        pen.SetColor(lbl.ColorShadow());
        brush.SetColor(lbl.ColorShadow());
        brush.SetStyle(bsSolid);
        const int dx = ClampPix(lbl.ShadowDx()), dy = ClampPix(lbl.ShadowDy());
        Canvas.Rectangle(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy);
        pen.SetColor(lbl.ColorBorder());
        brush.SetColor(lbl.ColorBkg());
        brush.SetStyle(bkgStyle);
        Canvas.Rectangle(R);
        break;
      }
      default:
        break;
    }

    for (int k = 0; k < nLines; ++k) {
      int s = 0;
      if (lbl.Alignment() == taRightJustify)
        s = w - widths[size_t(k)];
      else if (lbl.Alignment() == taCenter)
        s = (w - widths[size_t(k)]) / 2;
      Canvas.TextOut(L + s, T + h * k, lines[size_t(k)]);
    }
  }
}

}  // namespace zyr
