// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Tick computation of TScale, separate from drawing: which values become main ticks, short
/// ticks or tick events, in drawing order, and which of them go into the tick position list.

#include <zyr/platform/foundation/types.h>

#include <cstdint>
#include <vector>

namespace zyr::scaleticks {

/// What is drawn at a tick position.
enum TTickKind : uint8_t {
  /// Short tick line.
  skShort,      // short tick line
  /// Main tick line with a label.
  skMain,       // main tick line with a label
  /// No line, only the tick event (hidden short positions of a logarithmic scale).
  skEventOnly,  // no line, only the tick event (hidden short positions of a log scale)
};

/// One tick position.
struct TTick {
  /// World value.
  double v = 0;
  /// What is drawn there.
  TTickKind kind = skMain;
  /// Whether the value goes into the scale's tick position list.
  bool record = false;
  /// Logarithmic positions: the digit a of a * 10^n (0 elsewhere).
  uint8_t mantissa = 0;  // logarithmic positions: the digit a of a*10^n
};

/// Which tick rule a plan followed.
enum TTickMode : uint8_t {
  /// No ticks.
  smNone,
  /// Linear numeric ticks.
  smLinear,
  /// Logarithmic decades.
  smLog,
  /// Time spans in seconds.
  smTimeSpan,
  /// Calendar dates and times.
  smDateTime,
  /// Date range not usable: no ticks, the scale shows its invalid-range message.
  smDateInvalid,
  /// Date range too short for the unit: no ticks, the scale shows its message.
  smDateTooShort
};
/// Unit of date and time ticks: hundredths of a second, seconds, minutes, hours, days, months
/// or years.
enum TDateUnit : uint8_t { duHundredths, duSeconds, duMinutes, duHours, duDays, duMonths, duYears };

/// Everything the tick rules read from a scale.
struct TTickInput {
  /// World range; low above high is a reversed scale.
  ///@{
  double low = 0, high = 100;
  ///@}
  /// Requested number of main ticks.
  int numTicks = 3;
  /// Short ticks wanted.
  bool shortTicks = true;
  /// Horizontal scale (recording rules differ from vertical ones).
  bool horizontal = true;
  /// Logarithmic scale.
  bool log = false;
  /// Label type (TScale::ltNumbers, ...).
  TFigType labelType = 1;
};

/// The ticks of one draw and how they were found.
struct TTickPlan {
  /// The rule that was used.
  TTickMode mode = smNone;
  /// Tick positions in drawing order.
  std::vector<TTick> ticks;
  /// Time spans: row of the step table.
  int stepIndex = 0;        // time spans: row of the step table
  /// Date and time: unit of the steps.
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
