// SPDX-License-Identifier: MIT
// TCustomRChart: antialiasing, themes and the data colours of successive curves.

#include <zyr/chart/rchart.h>

#include <algorithm>

namespace zyr {

namespace {

TFont ThemeFont(const TChartTheme& t, int points, bool bold) {
  TFont f;
  f.SetName(t.FontName.empty() ? std::string("DejaVu Sans") : t.FontName);
  f.SetSize(TChartTheme::ClampFontSize(points));
  f.SetColor(t.TextColor);
  f.SetStyle(bold ? fsBold : 0);
  return f;
}

}  // namespace

void TCustomRChart::SetAntialiased(bool v) {
  if (v == Antialiased()) return;
  TCustomControl::SetAntialiased(v);
  RepaintIfAuto();
}

void TCustomRChart::ApplyTheme(const TChartTheme& Theme) {
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  try {
    TCustomControl::SetAntialiased(Theme.Antialiased);
    SetWindCol(Theme.WindowColor);
    SetChartCol(Theme.ChartColor);
    SetScaleCol(Theme.FrameColor);
    SetGridCol(Theme.GridColor);
    SetGridStyle(GridStyleType(std::min<int>(Theme.GridStyle, gsDotLines)));
    SetF3DRim(Theme.ShadowWidth);
    const TFont captionFont = ThemeFont(Theme, Theme.CaptionFontSize, Theme.CaptionBold);
    Font().Assign(&captionFont);
    const TFont axisFont = ThemeFont(Theme, Theme.FontSize, false);
    for (size_t i = 0; i < 2; ++i) {
      TScaleProps* const axes[2] = {FScalePropsX[i].get(), FScalePropsY[i].get()};
      for (TScaleProps* p : axes) {
        p->SetColorScale(Theme.AxisColors[i]);
        p->SetFont(axisFont);
      }
      FScalePropsY[i]->SetCaptionVertical(Theme.VerticalYTitles);
    }
    // The layout makes room for vertical captions and puts the caption back in its place.
    SetStdLayout(FStdLayout);
    if (Theme.CaptionCentred) {
      TBitmap probe(1, 1);
      probe.Canvas().Font().Assign(&Font());
      const int h = probe.Canvas().TextHeight("Ag");
      if (RcTRim < h + 8) SetTRim(h + 8);
      FCaptAnchorX = cahChartCenter;
      FCaptAnchorY = cavChartTop;
      FCaptAlignment = taCenter;
      FCaptPosX = 0;
      FCaptPosY = -h - 4;
    }
    SetMouseWheelZoom(Theme.MouseWheelZoom);
    for (auto& ch : FCrossHairs) ch->SetCrossHColor(Theme.CrossHairColor);
    TChartLegend& lg = Legend();
    lg.SetColor(Theme.LegendColor);
    lg.SetFrameColor(Theme.LegendFrameColor);
    lg.SetFont(axisFont);
    lg.SetTextColor(Theme.TextColor);
    FDataColors = Theme.DataColors.empty() ? TChartTheme::Classic().DataColors : Theme.DataColors;
    FNextDataColor = 0;
  } catch (...) {
    FSuppressPaint = old;
    throw;
  }
  FSuppressPaint = old;
  RepaintIfAuto();
}

TColor TCustomRChart::StyledTextColor(TColor Own) const {
  if (!StyleServices().Enabled() || !(FStyleElements & seFont)) return Own;
  // The palette's text colour belongs on its base colour; on the chart's own window colour
  // (styles without seClient) a dark palette's light text would not read.
  const TColor text = StyleServices().GetSystemColor(clWindowText);
  const TColor ground = StyledColor(RcWindCol, scWindow, seClient);
  return TChartTheme::Contrast(text, ground) >= 4.5 ? text : Own;
}

TColor TCustomRChart::NextDataColor() {
  const TColor c = FDataColors[FNextDataColor % FDataColors.size()];
  FNextDataColor = (FNextDataColor + 1) % FDataColors.size();
  SetDataCol(c);
  return c;
}

}  // namespace zyr
