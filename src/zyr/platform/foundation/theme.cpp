// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/foundation/theme.h>

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {

// The palette that matplotlib calls tab10: ten colours told apart also by most colour-blind
// readers.
std::vector<TColor> Tab10() {
  return {RGB(31, 119, 180),  RGB(255, 127, 14), RGB(44, 160, 44),   RGB(214, 39, 40),
          RGB(148, 103, 189), RGB(140, 86, 75),  RGB(227, 119, 194), RGB(127, 127, 127),
          RGB(188, 189, 34),  RGB(23, 190, 207)};
}

std::string ApplicationFontFamily() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    const std::string f = QGuiApplication::font().family().toStdString();
    if (!f.empty()) return f;
  }
  return "DejaVu Sans";
}

double Luminance(TColor c) {
  c = ColorToRGB(c);
  auto lin = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(GetRValue(c)) + 0.7152 * lin(GetGValue(c)) + 0.0722 * lin(GetBValue(c));
}

}  // namespace

TChartTheme TChartTheme::Classic() {
  TChartTheme t;
  t.Name = "Classic";
  t.Documented = true;
  t.AxisColors = {PredefinedColors(1), PredefinedColors(2)};
  for (int i = 1; i <= NumPredefinedColors; ++i) t.DataColors.push_back(PredefinedColors(i));
  return t;
}

TChartTheme TChartTheme::Modern() {
  TChartTheme t;
  t.Name = "Modern";
  t.Documented = false;
  t.Antialiased = true;
  t.FontName = ApplicationFontFamily();
  t.FontSize = 9;
  t.CaptionFontSize = 11;
  t.CaptionBold = true;
  t.TextColor = RGB(38, 38, 38);
  t.WindowColor = clWhite;
  t.ChartColor = clWhite;
  t.FrameColor = RGB(140, 140, 140);
  t.GridColor = RGB(226, 226, 226);
  t.GridStyle = 4;  // solid lines both ways
  t.AxisColors = {RGB(64, 64, 64), RGB(64, 64, 64)};
  t.VerticalYTitles = true;
  t.CaptionCentred = true;
  t.MouseWheelZoom = true;
  t.DataColors = Tab10();
  t.LegendColor = clWhite;
  t.LegendFrameColor = RGB(200, 200, 200);
  t.AccentColor = RGB(31, 119, 180);
  return t;
}

TChartTheme TChartTheme::Dark() {
  TChartTheme t = Modern();
  t.Name = "Dark";
  t.TextColor = RGB(224, 224, 224);
  t.WindowColor = RGB(30, 30, 30);
  t.ChartColor = RGB(37, 37, 38);
  t.FrameColor = RGB(150, 150, 150);
  // Readable yet quieter than the text: about 4.8:1 on the data area.
  t.GridColor = RGB(142, 142, 142);
  t.AxisColors = {RGB(200, 200, 200), RGB(200, 200, 200)};
  t.LegendColor = RGB(45, 45, 48);
  t.LegendFrameColor = RGB(150, 150, 150);
  t.AccentColor = RGB(86, 180, 233);
  t.CrossHairColor = RGB(255, 110, 90);
  // The blue-to-red ramp of a new colour table, light enough for lines on the dark ground.
  t.LevelColors = {RGB(110, 160, 255), RGB(0, 220, 230), RGB(90, 220, 90), RGB(240, 230, 60),
                   RGB(255, 110, 90)};
  return t;
}

int TChartTheme::ClampFontSize(int points) { return std::clamp(points, 4, 96); }

double TChartTheme::Contrast(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace zyr
