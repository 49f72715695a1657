// SPDX-License-Identifier: MIT
// Tick rules of TScale: linear, logarithmic, time-span and date/time ticks.
#include <zyr/platform/host/datetime.h>
#include <zyr/platform/numerics/math1.h>
#include <zyr/scales/scale_ticks.h>

#include <algorithm>
#include <cmath>

namespace zyr::scaleticks {

namespace {

// Every walk stops after this many positions, whatever the range arithmetic does.
constexpr int kMaxWalk = 100000;
constexpr double kC = 0.999999999;

void Push(TTickPlan& p, double v, TTickKind kind, bool record, uint8_t mantissa = 0) {
  p.ticks.push_back(TTick{v, kind, record, mantissa});
}

void LinearTicks(const TTickInput& in, TTickPlan& p) {
  p.mode = smLinear;
  double first = 0, step = 0;
  uint16_t nsub = 1;
  CalcScalePars(in.numTicks, in.low, in.high, first, step, nsub);
  const double s = in.high > in.low ? 1 : -1;
  if (step == 0 || !std::isfinite(step) || !std::isfinite(first) || s * step < 0) return;
  const double shortStep = step / std::max<uint16_t>(nsub, 1);
  if (in.shortTicks) {
    const double start = first - step;
    for (int g = 0; g < kMaxWalk; ++g) {
      const double v = start + g * shortStep;
      if (s * v >= s * in.low) Push(p, v, skShort, true);
      const double next = start + (g + 1) * shortStep;
      if (!(s * (next - in.high) <= 0.001 * s * shortStep)) break;
    }
  }
  const bool recordMain = !in.horizontal || !in.shortTicks;
  const size_t before = p.ticks.size();
  for (int h = 0; h < kMaxWalk; ++h) {
    // Where the step had to grow beyond the width (a few units in the last place far from
    // zero), the first tick can fall outside the range.
    const double v = first + h * step;
    if (s * (v - in.low) >= -0.001 * s * step && s * (v - in.high) <= 0.001 * s * step)
      Push(p, v, skMain, recordMain);
    const double next = first + (h + 1) * step;
    if (!(s * (next - in.high) <= 0.001 * s * step)) break;
  }
  // A range only a few representable values wide still names its magnitude.
  if (std::none_of(p.ticks.begin() + before, p.ticks.end(),
                   [](const TTick& t) { return t.kind == skMain; }))
    Push(p, in.low, skMain, recordMain);
}

void LogTicks(const TTickInput& in, TTickPlan& p) {
  p.mode = smLog;
  const double lo = std::min(in.low, in.high), hi = std::max(in.low, in.high);
  const double decade0 = std::pow(10.0, std::floor(std::log10(lo * kC)));
  if (!(decade0 > 0) || !std::isfinite(decade0)) return;
  const bool intermediate =
      std::fabs(std::log(in.high / in.low) / std::log(10.0)) + 0.5 < double(in.numTicks);
  auto inside = [&](double v) { return v / kC > lo && v * kC < hi; };
  double m = 1;
  for (int n = 0; n < 2000; ++n) {
    const double base = m * decade0;
    if (inside(base)) Push(p, base, skMain, true, 1);
    if (intermediate) {
      for (int a = 2; a <= 9; ++a) {
        const double v = a * base;
        if (!inside(v)) continue;
        if (a == 2 || a == 5) {
          Push(p, v, skMain, true, uint8_t(a));
        } else if (in.horizontal) {
          if (in.shortTicks)
            Push(p, v, skShort, true, uint8_t(a));
          else
            Push(p, v, skEventOnly, false, uint8_t(a));
        } else if (in.shortTicks) {
          Push(p, v, skShort, true, uint8_t(a));
        }
      }
    }
    m *= 10;
    if (!(kC * decade0 * m <= hi)) break;
  }
}

struct TSpanRow {
  double step;
  int shorts;
};
constexpr TSpanRow kSpanRows[29] = {
    {0, 1},    {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5}, {0.02, 4}, {0.05, 5}, {0.1, 5},
    {0.2, 4},  {0.5, 5},   {1, 5},     {2, 4},     {5, 5},    {10, 5},   {20, 4},   {30, 6},
    {60, 6},   {120, 6},   {180, 6},   {300, 5},   {600, 5},  {1200, 6}, {1800, 6}, {3600, 6},
    {7200, 4}, {14400, 4}, {21600, 6}, {43200, 6}, {86400, 6}};

void TimeSpanTicks(const TTickInput& in, int i, TTickPlan& p) {
  p.mode = smTimeSpan;
  p.stepIndex = i;
  const double a = in.high > in.low ? 1 : -1;
  const double step = a * kSpanRows[i].step;
  const double shortStep = step / kSpanRows[i].shorts;
  const double span = (in.high - in.low) / shortStep;
  const int count = int(std::min(std::trunc(span), double(kMaxWalk))) + 5;
  const double first = std::floor(in.low / step / kC) * step;
  const double lb = in.low >= 0 ? in.low * kC : in.low / kC;
  const double ub = in.high > 0 ? in.high / kC : in.high * kC;
  const bool recordMain = !in.horizontal || !in.shortTicks;
  for (int g = 0; g <= count; ++g) {
    const double v = first + g * shortStep;
    if (!(a * lb <= a * v && a * v <= a * ub)) continue;
    if (in.shortTicks) Push(p, v, skShort, true);
    const double q = v / step;
    if (std::fabs(q - std::nearbyint(q)) <= 0.01) Push(p, v, skMain, recordMain);
  }
}

double LinearDate(int y, int m, int d) {
  TDateTime r = 0;
  TryEncodeDate(y, m, d, r);  // midnight: host and linear day numbers agree
  return r;
}

void ClockTicks(const TTickInput& in, double P, TTickPlan& p) {
  static constexpr int kSteps[4][6] = {
      {1, 2, 5, 10, 20, 50}, {1, 2, 5, 10, 20, 30}, {1, 2, 5, 10, 20, 30}, {1, 2, 3, 6, 8, 12}};
  static constexpr int kShorts[4][6] = {
      {1, 1, 1, 5, 10, 10}, {1, 1, 1, 2, 5, 10}, {1, 1, 1, 2, 5, 10}, {1, 1, 1, 2, 2, 3}};
  static constexpr double kUnits[4] = {8640000, 86400, 1440, 24};
  const int row = int(p.unit);  // duHundredths .. duHours
  const double U = kUnits[row];
  int col = 0;
  for (int c = 0; c < 6; ++c)
    if (kSteps[row][c] <= P * U) col = c;
  const int step = kSteps[row][col];
  const double D = std::floor(in.low), f = in.low - D;
  const long long e = (long long)std::ceil(U * f);
  const long long e2 = e % step == 0 ? 0 : step - e % step;
  const double M = std::ceil(U * f + double(e2));
  const double stepDays = step / U, shortDays = kShorts[row][col] / U;
  double start = D + M / U;
  if (in.shortTicks)
    for (int k = 0; k < kMaxWalk && start > in.low; ++k) start -= shortDays;
  const double inc = in.shortTicks ? shortDays : stepDays;
  for (int g = 0; g < kMaxWalk; ++g) {
    const double v = start + g * inc;
    if (!(v - in.high < 1e-8)) break;
    if (v < in.low) continue;
    const double q = v / stepDays;
    const bool main = !in.shortTicks || std::fabs(q - std::nearbyint(q)) <= 0.1;
    Push(p, v, main ? skMain : skShort, true);
  }
}

int PosMod(long long a, int m) { return int(((a % m) + m) % m); }

void DayTicks(const TTickInput& in, double P, TTickPlan& p) {
  static constexpr int kSteps[6] = {1, 2, 3, 7, 14, 28};
  int step = 1;
  for (int s : kSteps)
    if (s <= P) step = s;
  int y, m, d;
  DecodeLinearDate(in.low, y, m, d);
  if (y == 0) return;
  const double J = LinearDate(y, 1, 1);
  const double first = J + step * std::floor(std::trunc(in.low - J) / step);
  const double inc = in.shortTicks ? (step <= 7 ? 1 : 7) : step;
  const int mainPhase = PosMod((long long)std::nearbyint(first), step);
  for (int g = 0; g < kMaxWalk; ++g) {
    const double v = first + g * inc;
    if (!(v - in.high < 1e-8)) break;
    if (v < in.low) continue;
    const bool main = !in.shortTicks || PosMod((long long)std::nearbyint(v), step) == mainPhase;
    Push(p, v, main ? skMain : skShort, true);
  }
}

void MonthTicks(const TTickInput& in, TTickPlan& p) {
  static constexpr int kSteps[5] = {1, 2, 3, 4, 6};
  const double per = (in.high - in.low) / 30.4375 / std::max(in.numTicks, 1);
  int step = 1;
  for (int s : kSteps)
    if (s <= per) step = s;
  int y, m, d;
  DecodeLinearDate(in.low, y, m, d);
  if (y == 0) return;
  auto advance = [&](int by) {
    m += by;
    while (m > 12) {
      m -= 12;
      ++y;
    }
  };
  if (step > 1 && !in.shortTicks) {
    do advance(1);
    while (m % step != 1);
  }
  for (int g = 0; g < kMaxWalk && y <= 9999; ++g) {
    const double v = LinearDate(y, m, 1);
    if (!(v - in.high < 1e-8)) break;
    if (v >= in.low) {
      const bool isShort = in.shortTicks && step != 1 && m % step != 1;
      Push(p, v, isShort ? skShort : skMain, true);
    }
    advance(in.shortTicks ? 1 : step);
  }
}

void YearTicks(const TTickInput& in, TTickPlan& p) {
  const double Y = std::max((in.high - in.low) / 365.25 / std::max(in.numTicks, 1), 1.0);
  const double L = std::log10(Y);
  const double mant = std::pow(10.0, L - std::trunc(L));
  const int f = mant < 2 ? 1 : mant < 5 ? 2 : 5;
  const int g = int(std::nearbyint(std::trunc(std::pow(10.0, std::trunc(L))) * f));
  int w = g;
  if (in.shortTicks && g > 1) w = int(std::nearbyint(f <= 2 ? g / 2.0 : g / 5.0));
  w = std::max(w, 1);
  int y0, m0, d0;
  DecodeLinearDate(in.low, y0, m0, d0);
  if (y0 == 0) return;
  int year = ((y0 - 1) / w + 1) * w;
  if (year == y0 && std::fabs(in.low - LinearDate(y0, 1, 1)) > 1e-8) year += w;
  for (int k = 0; k < kMaxWalk; ++k) {
    const bool last = year > 9999;
    const double v = last ? LinearDate(9999, 12, 31) : LinearDate(year, 1, 1);
    if (!(v - in.high < 1e-8)) break;
    const int shownYear = last ? 9999 : year;
    const bool isShort = in.shortTicks && shownYear % g != 0;
    Push(p, v, isShort ? skShort : skMain, true);
    if (last) break;
    year += w;
  }
}

void DateTimeTicks(const TTickInput& in, TTickPlan& p) {
  p.mode = smDateTime;
  if (!(in.high >= in.low && in.low >= -693593 && in.high <= 3000000)) {
    p.mode = smDateInvalid;
    return;
  }
  const double P = (in.high - in.low) / std::max(in.numTicks, 1);
  if (P <= 1.0 / 8640000 || (in.horizontal && P <= 1.1574e-5)) {
    p.mode = smDateTooShort;
    return;
  }
  if (P <= 1.1574e-5) {
    p.unit = duHundredths;
  } else if (P <= 6.9444e-4) {
    p.unit = duSeconds;
  } else if (P <= 0.041667) {
    p.unit = duMinutes;
  } else if (P <= 1) {
    p.unit = duHours;
  } else if (P <= 30) {
    p.unit = duDays;
  } else if (P <= 366) {
    p.unit = duMonths;
  } else {
    p.unit = duYears;
  }
  switch (p.unit) {
    case duDays:
      DayTicks(in, P, p);
      break;
    case duMonths:
      MonthTicks(in, p);
      break;
    case duYears:
      YearTicks(in, p);
      break;
    default:
      ClockTicks(in, P, p);
  }
}

}  // namespace

double DateToHost(double v) {
  if (std::fabs(v) < 1e-8) return 0;
  if (v >= 0) return v;
  // The host counts the time of day away from zero below day 0.
  const double d = std::floor(v), t = v - d;
  return t == 0 ? d : d - t;
}

void DecodeLinearDate(double v, int& year, int& month, int& day) {
  DecodeDate(DateToHost(v), year, month, day);
}

int TimeSpanIndex(double low, double high, int numTicks) {
  const double per = std::fabs(high - low) / std::max(numTicks, 1);
  int i = 28;
  while (i > 0 && !(kSpanRows[i].step <= per)) --i;
  return i;
}

TTickPlan ComputeTicks(const TTickInput& in) {
  TTickPlan p;
  const bool finite = std::isfinite(in.low) && std::isfinite(in.high) &&
                      std::isfinite(in.high - in.low) && in.low != in.high;
  if (in.labelType == 3) {
    if (!finite) {
      p.mode = smDateInvalid;
      return p;
    }
    DateTimeTicks(in, p);
    return p;
  }
  if (!finite) return p;
  if (in.labelType == 2) {
    const int i = TimeSpanIndex(in.low, in.high, in.numTicks);
    if (i != 0 && i != 28) {
      TimeSpanTicks(in, i, p);
      return p;
    }
  }
  if (in.log) {
    if (!(in.low > 0 && in.high > 0)) return p;  // no logarithmic ticks to draw
    if (std::fabs(std::log(in.high / in.low) / std::log(10.0)) >= 1) {
      LogTicks(in, p);
      return p;
    }
  }
  LinearTicks(in, p);
  return p;
}

}  // namespace zyr::scaleticks
