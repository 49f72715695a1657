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

struct TFormatSettings {
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  char DateSeparator = '/';
  char TimeSeparator = ':';
};

/// The default (English) settings.
const TFormatSettings& DefaultFormatSettings();

constexpr double MSecsPerDay = 86400000.0;
/// Day numbers of 0001-01-01 and 9999-12-31: the range dates can be decoded in.
constexpr double MinDateTime = -693593.0;
constexpr double MaxDateTime = 2958465.99999;

bool IsValidDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
/// Throws std::invalid_argument for an invalid date.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
/// Throws std::invalid_argument for an invalid time.
TDateTime EncodeTime(int hour, int min, int sec, int msec);
/// Date part; answers 0, 0, 0 for values outside the valid range or not finite.
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
/// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime dt);
int DaysInMonth(int year, int month);
bool IsLeapYear(int year);
TDateTime Now();

/// Formats a date/time; values outside the valid range give an empty string.
std::string FormatDateTime(const std::string& format, TDateTime dt,
                           const TFormatSettings& fs = DefaultFormatSettings());

}  // namespace zyr
