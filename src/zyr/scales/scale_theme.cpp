// SPDX-License-Identifier: MIT
// Themes of the stand-alone scale, the colour scale and the gauge.

#include <zyr/scales/colorscale.h>
#include <zyr/scales/gauge.h>
#include <zyr/scales/scale.h>

namespace zyr {

namespace {

// The font of labels: the documented default or the theme's family and size.
TFont LabelFont(const TChartTheme& t) {
  TFont f;
  if (t.Documented) return f;
  if (!t.FontName.empty()) f.SetName(t.FontName);
  f.SetSize(TChartTheme::ClampFontSize(t.FontSize));
  f.SetColor(t.TextColor);
  return f;
}

int ThemeCaptionSize(const TChartTheme& t) {
  return t.Documented ? 12 : TChartTheme::ClampFontSize(t.CaptionFontSize);
}

}  // namespace

void TScale::ApplyTheme(const TChartTheme& Theme) {
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  SetAntialiased(Theme.Antialiased);
  SetColorBackGnd(Theme.Documented ? clBtnFace : Theme.WindowColor);
  SetColorScale(Theme.Documented ? clBlack : Theme.AxisColors[0]);
  SetFrameStyle(Theme.Documented ? 2 : 0);
  const TFont f = LabelFont(Theme);
  Font().Assign(&f);
  FSuppressPaint = old;
  TriggerPaint();
}

void TColorScale::ApplyTheme(const TChartTheme& Theme) {
  SetAntialiased(Theme.Antialiased);
  SetCaptionColor(Theme.Documented ? clBlack : Theme.TextColor);
  SetCaptionSize(ThemeCaptionSize(Theme));
  SetColorSclBkgd(Theme.Documented ? clSilver : Theme.WindowColor);
  SetColorOfScale(Theme.Documented ? clBlack : Theme.AxisColors[0]);
  const TFont f = LabelFont(Theme);
  Scale().Font().Assign(&f);
  TriggerPaint();
}

void TScaleGauge::ApplyTheme(const TChartTheme& Theme) {
  SetAntialiased(Theme.Antialiased);
  SetCaptionColor(Theme.Documented ? clBlack : Theme.TextColor);
  SetCaptionSize(ThemeCaptionSize(Theme));
  SetColorBg1(Theme.Documented ? clGray : Theme.FrameColor);
  SetColorBg2(Theme.Documented ? clWhite : Theme.ChartColor);
  SetColorScale(Theme.Documented ? clBlack : Theme.AxisColors[0]);
  SetColorCover(Theme.Documented ? clSilver : Theme.WindowColor);
  SetColorIndex1(Theme.Documented ? clBlack : Theme.AccentColor);
  const TFont f = LabelFont(Theme);
  Scale().Font().Assign(&f);
  TriggerPaint();
}

}  // namespace zyr
