// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Dates and times as day numbers counted from 1899-12-30 (the fraction is the time of day),
/// and FormatDateTime with the classic pattern language:
///   yyyy / yy year, m / mm / mmm / mmmm month (minutes right after an hour), d / dd / ddd /
///   dddd day, h / hh hour, n / nn minute, s / ss second, z milliseconds, zz / zzz
///   milliseconds with three digits, am/pm or a/p 12-hour clock, "..." or '...' literal text,
///   / and : the date and time separators of the settings.

#include <zyr/platform/host/types.h>

#include <array>
#include <string>

namespace zyr {

/// Names and separators that FormatDateTime writes.
struct TFormatSettings {
  /// Month names, January first.
  ///@{
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  ///@}
  /// Day names, Sunday first.
  ///@{
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  ///@}
  /// Separators written for "/" and ":" of a format.
  ///@{
  char DateSeparator = '/';
  char TimeSeparator = ':';
  ///@}
};

/// The default (English) settings.
const TFormatSettings& DefaultFormatSettings();

/// Milliseconds of a day.
constexpr double MSecsPerDay = 86400000.0;
/// Day numbers of 0001-01-01 and 9999-12-31: the range dates can be decoded in.
///@{
constexpr double MinDateTime = -693593.0;
constexpr double MaxDateTime = 2958465.99999;
///@}

/// Whether the date exists in the years 1 to 9999.
bool IsValidDate(int year, int month, int day);
/// The day number of a date; false (result unchanged) for an invalid date.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
/// Throws std::invalid_argument for an invalid date.
TDateTime EncodeDate(int year, int month, int day);
/// The fraction of a day of a time; false (result unchanged) unless 0 <= hour < 24,
/// 0 <= min, sec < 60 and 0 <= msec < 1000.
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
/// Throws std::invalid_argument for an invalid time.
TDateTime EncodeTime(int hour, int min, int sec, int msec);
/// Date part; answers 0, 0, 0 for values outside the valid range or not finite.
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
/// Time of day, rounded to the millisecond; 0, 0, 0, 0 where DecodeDate answers 0, 0, 0.
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
/// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime dt);
/// Days of the month (0 for a month outside 1..12).
int DaysInMonth(int year, int month);
/// Leap year of the Gregorian calendar.
bool IsLeapYear(int year);
/// The present local date and time.
TDateTime Now();

/// Formats a date/time; values outside the valid range give an empty string.
std::string FormatDateTime(const std::string& format, TDateTime dt,
                           const TFormatSettings& fs = DefaultFormatSettings());

}  // namespace zyr
