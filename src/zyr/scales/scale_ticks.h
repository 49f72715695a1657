// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Tick computation of TScale, separate from drawing: which values become main ticks, short
/// ticks or tick events, in drawing order, and which of them go into the tick position list.

#include <zyr/platform/foundation/types.h>

#include <cstdint>
#include <vector>

namespace zyr::scaleticks {

enum TTickKind : uint8_t {
  skShort,      // short tick line
  skMain,       // main tick line with a label
  skEventOnly,  // no line, only the tick event (hidden short positions of a log scale)
};

struct TTick {
  double v = 0;
  TTickKind kind = skMain;
  bool record = false;
  uint8_t mantissa = 0;  // logarithmic positions: the digit a of a*10^n
};

enum TTickMode : uint8_t {
  smNone,
  smLinear,
  smLog,
  smTimeSpan,
  smDateTime,
  smDateInvalid,
  smDateTooShort
};
enum TDateUnit : uint8_t { duHundredths, duSeconds, duMinutes, duHours, duDays, duMonths, duYears };

/// Everything the tick rules read from a scale.
struct TTickInput {
  double low = 0, high = 100;
  int numTicks = 3;
  bool shortTicks = true;
  bool horizontal = true;
  bool log = false;
  TFigType labelType = 1;
};

struct TTickPlan {
  TTickMode mode = smNone;
  std::vector<TTick> ticks;
  int stepIndex = 0;        // time spans: row of the step table
  TDateUnit unit = duDays;  // date/time: unit of the steps
};

/// Ticks for the label type, range and orientation, in the order they are drawn.
TTickPlan ComputeTicks(const TTickInput& in);

/// Row 0 .. 28 of the time-span step table for a range (0 and 28: the rule does not apply).
int TimeSpanIndex(double low, double high, int numTicks);

/// A day number counted linearly (the fraction always the time of day, also below zero) as
/// the host's date value; values within 1e-8 of zero become 0.
double DateToHost(double v);
/// Year, month and day of a linear day number (0, 0, 0 outside the valid dates).
void DecodeLinearDate(double v, int& year, int& month, int& day);

}  // namespace zyr::scaleticks
