// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Label texts of TScale: numbers (decimals, exponent form, decades), time spans and the
/// date/time patterns of the scale's date settings.

#include <zyr/platform/foundation/dtlabel.h>
#include <zyr/scales/scale_ticks.h>

#include <string>

namespace zyr::scalelabels {

/// Decimals of a linear scale with DecPlaces -2 or -3 (-1: exponent form).
int AutoDecimalsLinear(double low, double high);
/// Decimals of a logarithmic scale with DecPlaces -2 (-1: exponent form).
int AutoDecimalsLog(double low, double high);
/// \p v with \p dec decimals (dec >= 0) or in exponent form (dec = -1): a sign position, one
/// digit, '.', one digit, 'E' and a two-digit exponent; a longer exponent gives asterisks.
std::string FormatNumber(double v, int dec);
/// Hours, minutes and seconds of \p v seconds after a sign position, with milliseconds when
/// \p withMs.
std::string TimeSpanLabel(double v, bool withMs);
/// Pattern of the time line of a clock unit.
std::string ClockPattern(scaleticks::TDateUnit unit, const TDTLabel& fmt);
/// Pattern of a date line or of the labels of a day scale.
std::string DayPattern(const TDTLabel& fmt);
/// Pattern of the labels of a month scale.
std::string MonthPattern(const TDTLabel& fmt);
/// Label of a year tick (no leading zeros for four-digit years).
std::string YearLabel(double v, const TDTLabel& fmt);
/// Formats the linear day number \p v with a date/time pattern.
std::string FormatDate(const std::string& pattern, double v);

}  // namespace zyr::scalelabels
