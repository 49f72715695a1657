// SPDX-License-Identifier: MIT
#pragma once
// Checks shared by the number/date, tick and chart-range fuzzers and the corpus replay test.
// Each takes arbitrary bytes, drives the library with the values they encode and answers an
// empty string, or what went wrong. Undefined behaviour is left to the sanitizers.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/errors.h>
#include <zyr/platform/foundation/format.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/datetime.h>
#include <zyr/platform/numerics/math1.h>
#include <zyr/scales/scale.h>
#include <zyr/scales/scale_labels.h>
#include <zyr/scales/scale_ticks.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"

namespace zyr::fuzz {

namespace detail {

inline std::string Num(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// Longest text a number format may give for a field width.
inline bool Bounded(const std::string& s, int width, size_t most) {
  return s.size() <= std::max<size_t>(size_t(std::max(width, 0)), most);
}

}  // namespace detail

/// Number formats, text functions and date formats.
inline std::string CheckFormat(const uint8_t* data, size_t size) {
  using detail::Num;
  TFuzzInput in(data, size);
  while (!in.Empty()) {
    const double v = in.Value();
    const int width = in.Int(-5, 40);
    switch (in.Byte() % 5) {
      case 0: {
        const int dec = in.Int(-4, 15);
        const std::string s = strff(v, width, dec);
        if (!detail::Bounded(s, width, 40)) return "strff too long for " + Num(v);
        break;
      }
      case 1: {
        const int digits = in.Int(-2, 20);
        const std::string s = SigDigStr(v, width, digits, in.Bool());
        if (!detail::Bounded(s, width, 40)) return "SigDigStr too long for " + Num(v);
        if (digits <= 0 && std::isfinite(v) && std::strtod(s.c_str(), nullptr) != (v == 0 ? 0 : v))
          return "SigDigStr does not read back " + Num(v) + " from '" + s + "'";
        break;
      }
      case 2: {
        const std::string s = scalelabels::FormatNumber(v, in.Int(-1, 12));
        if (s.size() > 40) return "scale number label too long for " + Num(v);
        if (scalelabels::TimeSpanLabel(v, in.Bool()).size() > 400) return "time span label";
        break;
      }
      case 3: {
        const std::string pattern = in.Text(24);
        const std::string s = FormatDateTime(pattern, v);
        if (s.size() > 64 + 16 * pattern.size()) return "date text too long for " + Num(v);
        int y, m, d;
        DecodeDate(v, y, m, d);
        if (y != 0 && !IsValidDate(y, m, d)) return "decoded an invalid date from " + Num(v);
        TDTLabel f;
        f.SetTimeFormat(TTimeFormat(in.Int(0, 5)));
        f.SetYearLength(TYearLength(in.Int(0, 3)));
        f.SetMonthName(in.Bool());
        f.SetDateOrder(TDateOrder(in.Int(0, 3)));
        scalelabels::FormatDate(scalelabels::DayPattern(f), v);
        scalelabels::FormatDate(scalelabels::MonthPattern(f), v);
        scalelabels::FormatDate(scalelabels::ClockPattern(scaleticks::TDateUnit(in.Int(0, 3)), f),
                                v);
        scalelabels::YearLabel(v, f);
        break;
      }
      default: {
        const std::string t = in.Text(32);
        const std::string r = ReduceStringToAZ09(t);
        if (r.size() > t.size()) return "reduced text grew";
        for (char c : r)
          if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            return "reduced text keeps a byte outside A-Z, a-z, 0-9";
        AbbrevString(ProcessHexChars(t), width);
        CenterString(t, width);
      }
    }
  }
  return {};
}

/// Tick computation and drawing of a scale over the range the bytes give.
inline std::string CheckTicks(TScale& s, const uint8_t* data, size_t size) {
  using detail::Num;
  TFuzzInput in(data, size);
  const double lo = in.Value(), hi = in.Double();
  const int n = in.Int(-3, 25);
  double first, step;
  uint16_t nsub;
  CalcScalePars(n, lo, hi, first, step, nsub);
  if (step != 0) {
    if (!std::isfinite(step) || !std::isfinite(first)) return "tick step not finite";
    if ((step > 0) != (hi > lo)) return "tick step runs against the range";
    if (nsub != 4 && nsub != 5) return "short interval count " + std::to_string(nsub);
  }
  scaleticks::TTickInput ti;
  ti.low = lo;
  ti.high = hi;
  ti.numTicks = n;
  ti.shortTicks = in.Bool();
  ti.horizontal = in.Bool();
  ti.log = in.Bool();
  ti.labelType = TFigType(in.Int(0, 5));
  const scaleticks::TTickPlan plan = scaleticks::ComputeTicks(ti);
  if (plan.ticks.size() > 400000) return "unbounded tick list";
  for (const auto& t : plan.ticks)
    if (!std::isfinite(t.v)) return "tick at " + Num(t.v);

  s.SetSuppressPaint(true);
  s.SetScaleType(TScaleType(in.Int(0, 3)));
  s.SetBounds(0, 0, in.Int(1, 400), in.Int(1, 300));
  s.SetLogarithmic(false);
  s.SetRange(lo, hi);
  s.SetLogarithmic(ti.log);
  s.SetLabelType(ti.labelType);
  s.SetDecPlaces(in.Int(-4, 14));
  s.SetShortTicks(ti.shortTicks);
  s.SetMinTicks(n);
  s.SetScaleInscript(in.Text(8));
  s.SetCaption(in.Text(8));
  std::string tooLong;
  s.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string& t) {
    if (t.size() > 200) tooLong = t;
  };
  TBitmap bmp(std::max(s.Width(), 1), std::max(s.Height(), 1));
  s.UseForeignCanvas(&bmp.Canvas(), 0, 0);
  s.SetTransparent(in.Bool());
  s.SetSuppressPaint(false);
  s.ForcePaint();
  s.UseForeignCanvas(nullptr, 0, 0);
  s.OnBeforeTickLabel = nullptr;
  if (!tooLong.empty()) return "label of " + std::to_string(tooLong.size()) + " characters";
  for (int i = 1; i <= s.NumTicks() + 1; ++i) (void)s.R2M(s.GetTickPos(i));
  (void)s.M2R(in.Int(-40000, 40000));
  return {};
}

/// A sequence of chart range operations: ranges, logarithmic switches, zoom history, mouse
/// pan and zoom, automatic ranges, transforms and painting. Documented errors are allowed.
inline std::string CheckRanges(TRChart& c, const uint8_t* data, size_t size) {
  TFuzzInput in(data, size);
  c.ClearGraf();
  c.ClearZoomHistory();
  c.ConfineZoomRange(0, 0, 0, 0);
  c.SetIsometric(false);
  for (int l : {1, 2}) {
    c.ScalePropsX(l).SetLogarithmic(false);
    c.ScalePropsY(l).SetLogarithmic(false);
  }
  c.SetRange(0, 0, 0, 1, 1);
  for (int op = 0; op < 64 && !in.Empty(); ++op) {
    const int layer = in.Int(0, 3);
    try {
      switch (in.Byte() % 12) {
        case 0:
          c.SetRange(layer, in.Value(), in.Double(), in.Double(), in.Double());
          break;
        case 1:
          c.ForceRange(layer, in.Value(), in.Double(), in.Double(), in.Double(), in.Bool(),
                       in.Bool());
          break;
        case 2:
          (in.Bool() ? static_cast<TScaleProps&>(c.ScalePropsX(layer))
                     : static_cast<TScaleProps&>(c.ScalePropsY(layer)))
              .SetLogarithmic(in.Bool());
          break;
        case 3:
          c.ZoomStateOnStack();
          break;
        case 4:
          c.ZoomHistory(in.Int(-20, 2));
          break;
        case 5:
          c.SetActiveLayer(std::max(layer, 1));
          c.MoveTo(in.Value(), in.Double());
          c.DrawTo(in.Double(), in.Double());
          c.AutoRange(layer, in.Double(), in.Double());
          break;
        case 6: {
          int x, y;
          c.R2M(layer, in.Value(), in.Double(), x, y);
          double wx, wy;
          c.M2R(layer, in.Int(-40000, 40000), in.Int(-40000, 40000), wx, wy);
          break;
        }
        case 7: {
          static constexpr TMouseActMode kActs[] = {1, 7, 8, 9, 16};
          c.SetMouseAction(kActs[in.Int(0, 4)]);
          const int x0 = in.Int(-50, 200), y0 = in.Int(-50, 200);
          c.MouseDown(mbLeft, ssLeft, x0, y0);
          c.MouseMove(ssLeft, in.Int(-50, 200), in.Int(-50, 200));
          c.MouseMove(ssLeft, in.Int(-50, 200), in.Int(-50, 200));
          c.MouseUp(mbLeft, {}, in.Int(-50, 200), in.Int(-50, 200));
          break;
        }
        case 8:
          c.SetEqualRange(TLayerSet(in.Int(0, 3)));
          break;
        case 9:
          c.ConfineZoomRange(in.Value(), in.Double(), in.Double(), in.Double());
          break;
        case 10:
          c.SetIsometric(in.Bool());
          break;
        default:
          c.ShowGraf();
          (void)c.WindowPicture();
      }
    } catch (const EZYRError&) {
      // documented refusals, such as a logarithmic axis over a negative range
    }
  }
  return {};
}

}  // namespace zyr::fuzz
