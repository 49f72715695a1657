// SPDX-License-Identifier: MIT
// Label texts of TScale and its inscription and user-text helpers.
#include <zyr/platform/foundation/format.h>
#include <zyr/platform/host/datetime.h>
#include <zyr/scales/scale.h>
#include <zyr/scales/scale_labels.h>

#include <cmath>
#include <cstdio>

namespace zyr {

namespace scalelabels {

int AutoDecimalsLinear(double low, double high) {
  const double w = std::fabs(high - low);
  if (w >= 1000000 || w <= 0.0001) return -1;
  if (w >= 100) return 0;
  return 2 - int(std::nearbyint(std::log(w) / 2.5));
}

int AutoDecimalsLog(double low, double high) {
  const double lo = std::min(low, high), hi = std::max(low, high);
  const double w = hi - lo;
  if (w >= 1000000 || w <= 0.0001) return -1;
  if (lo >= 1) return 0;
  return 1 - int(std::nearbyint(std::log10(std::fabs(lo))));
}

std::string FormatNumber(double v, int dec) {
  if (dec >= 0) return strff(v, 0, dec);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.1E", std::fabs(v));
  std::string s = std::string(v < 0 ? "-" : " ") + buf;
  const size_t e = s.find('E');
  // "E", the exponent's sign and at most two digits.
  if (e != std::string::npos && s.size() - e > 4) s.assign(s.size(), '*');
  return s;
}

namespace {

std::string Pad2(long long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02lld", v);
  return buf;
}

// A separator as a quoted literal of the pattern language.
std::string Lit(char c) {
  const char q = c == '"' ? '\'' : '"';
  return std::string(1, q) + c + q;
}

std::string YearPart(const TDTLabel& f) {
  return f.YearLength() == 0 ? "" : f.YearLength() == 1 ? "yy" : "yyyy";
}

std::string MonthPart(const TDTLabel& f) { return f.MonthName() ? "mmm" : "mm"; }

}  // namespace

std::string TimeSpanLabel(double v, bool withMs) {
  const double a = std::fabs(v);
  std::string s = v < 0 ? "-" : " ";
  // Whole milliseconds first, so that 59.9999 s reads 00:01:00 and never shows 1000 ms.
  if (a < 9e15) {
    const long long ms = std::llround(a * 1000);
    const long long secs = ms / 1000;
    s += Pad2(secs / 3600) + ":" + Pad2(secs / 60 % 60) + ":" + Pad2(secs % 60);
    if (withMs) {
      char buf[8];
      std::snprintf(buf, sizeof buf, ".%03lld", ms % 1000);
      s += buf;
    }
    return s;
  }
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.0f", std::trunc(a / 3600));
  return s + buf + ":00:00";
}

std::string ClockPattern(scaleticks::TDateUnit unit, const TDTLabel& fmt) {
  const std::string T = Lit(fmt.TimeSeparator());
  const int tf = fmt.TimeFormat();
  switch (unit) {
    case scaleticks::duHours:
      return tf == 0 ? "hh" + T + "nn" : tf == 1 ? "h\"h\"" : "ham/pm";
    case scaleticks::duMinutes:
      return tf == 0 ? "hh" + T + "nn" : tf == 1 ? "h\"h\"nn" : "h" + T + "nnam/pm";
    case scaleticks::duSeconds:
      return tf == 0   ? "hh" + T + "nn" + T + "ss"
             : tf == 1 ? "h\"h\"nn" + T + "ss"
                       : "h" + T + "nn\".\"ssam/pm";
    default:
      return tf == 0   ? "hh" + T + "nn" + T + "ss.zz"
             : tf == 1 ? "h\"h\"nn" + T + "ss.zz"
                       : "h" + T + "nn\".\"ss.zzam/pm";
  }
}

std::string DayPattern(const TDTLabel& fmt) {
  const std::string D = Lit(fmt.DateSeparator()), M = MonthPart(fmt), Y = YearPart(fmt);
  switch (fmt.DateOrder()) {
    case 0:
      return Y.empty() ? M + D + "dd" : M + D + "dd" + D + Y;
    case 2:
      return Y.empty() ? M + D + "dd" : Y + D + M + D + "dd";
    default:
      return Y.empty() ? "dd" + D + M : "dd" + D + M + D + Y;
  }
}

std::string MonthPattern(const TDTLabel& fmt) {
  const std::string D = Lit(fmt.DateSeparator()), M = MonthPart(fmt), Y = YearPart(fmt);
  if (Y.empty()) return M;
  return fmt.DateOrder() == 2 ? Y + D + M : M + D + Y;
}

std::string YearLabel(double v, const TDTLabel& fmt) {
  int y, m, d;
  scaleticks::DecodeLinearDate(v, y, m, d);
  if (y == 0 || fmt.YearLength() == 0) return "";
  return fmt.YearLength() == 1 ? Pad2(y % 100) : std::to_string(y);
}

std::string FormatDate(const std::string& pattern, double v) {
  return FormatDateTime(pattern, scaleticks::DateToHost(v));
}

}  // namespace scalelabels

std::string TScale::AddScaleInscription(const std::string& Label, const std::string& Inscript) {
  if (Label.empty()) return Label;
  const size_t amp = Inscript.find('&');
  if (amp == std::string::npos) return Inscript + Label;
  return Inscript.substr(0, amp) + Label + Inscript.substr(amp + 1);
}

std::string TScale::ExtractUserText(const std::string& Text, int Index) {
  if (Index < 1) return "";
  size_t start = 0;
  for (int i = 1; i < Index; ++i) {
    const size_t bar = Text.find('|', start);
    if (bar == std::string::npos) break;  // beyond the last field: keep the last one
    start = bar + 1;
  }
  const size_t end = Text.find('|', start);
  return Text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace zyr
