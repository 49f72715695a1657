// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TChartTheme: one look for every control of the library, as a plain value.

#include <zyr/platform/host/graphics.h>

#include <array>
#include <string>
#include <vector>

namespace zyr {

/// A look for the controls: colours, fonts, antialiasing and a few placement choices that
/// each control's ApplyTheme turns into values of its existing properties (which the program
/// may change afterwards). Three presets: Classic (the documented defaults, pixel for pixel),
/// Modern (smooth lines, the application's font, light solid grid, vertical Y captions,
/// centred caption, ten data colours) and Dark (Modern on a dark ground, every text, tick and
/// grid line at a contrast of at least 4.5:1). Edit a preset to make a theme of your own.
///
///   chart->ApplyTheme(zyr::TChartTheme::Modern());
///   chart->NextDataColor();   // tab10 blue for the first curve, orange for the next, ...
///
/// Gallery pages "chart-themes" and "modern".
struct TChartTheme {
  /// Name of the theme ("Classic", "Modern", "Dark" for the presets).
  std::string Name;
  /// Classic: the scales, gauges and 3D plots take back their own documented colours and
  /// fonts (the fields below then apply to the 2D charts only).
  bool Documented = false;
  /// Smooth lines and outlines (the controls' Antialiased).
  bool Antialiased = false;
  /// Font family of every text; sizes in points (ApplyTheme clamps them to 4 .. 96).
  ///@{
  std::string FontName = "DejaVu Sans";
  int FontSize = 8;
  int CaptionFontSize = 8;
  ///@}
  /// Bold chart caption.
  bool CaptionBold = false;
  /// Colour of captions and labels.
  TColor TextColor = clBlack;
  /// Around the data area, the data area, its frame and the shadow rim (0: none).
  ///@{
  TColor WindowColor = clBtnFace;
  TColor ChartColor = clWhite;
  TColor FrameColor = clBlack;
  int ShadowWidth = 0;
  ///@}
  /// Grid of the data area: colour and style (the chart's GridStyle values, 0: none).
  ///@{
  TColor GridColor = clBlack;
  uint8_t GridStyle = 0;
  ///@}
  /// Axis lines, ticks and labels of layer 1 and layer 2.
  std::array<TColor, 2> AxisColors{};
  /// Captions of Y axes turned upright beside their labels.
  bool VerticalYTitles = false;
  /// Chart caption centred above the data area (else where the standard layout puts it).
  bool CaptionCentred = false;
  /// The wheel zooms (the chart's MouseWheelZoom).
  bool MouseWheelZoom = false;
  /// Colours of successive curves (NextDataColor); never empty in the presets.
  std::vector<TColor> DataColors;
  /// Background and frame of the curve legend.
  ///@{
  TColor LegendColor = clWhite;
  TColor LegendFrameColor = clBlack;
  ///@}
  /// Surfaces and lines of the 3D plots and the gauge's needle.
  TColor AccentColor = clBlack;
  /// Cross-hairs of the 2D charts.
  TColor CrossHairColor = clRed;
  /// Anchors of the ramp of level colours (a contour plot's IsoColors) for a plot that still
  /// has the colours the library gave it; empty: the ramp of a new colour table.
  std::vector<TColor> LevelColors;

  /// The presets (see the struct).
  ///@{
  static TChartTheme Classic();
  static TChartTheme Modern();
  static TChartTheme Dark();
  ///@}

  /// Font size clamped to what a control can lay out.
  static int ClampFontSize(int points);
  /// Contrast ratio of two colours (1 .. 21) from their relative luminance; text reads well
  /// from 4.5 on.
  static double Contrast(TColor a, TColor b);
};

}  // namespace zyr
