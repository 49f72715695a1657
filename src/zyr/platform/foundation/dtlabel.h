// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TDTLabel: the date/time label settings of a scale.

#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/object.h>

namespace zyr {

/// Time formats of TDTLabel (TTimeFormat); the numbers stay accepted.
enum : TTimeFormat {
  tf24Hours = 0,     ///< 24-hour clock with two-digit hours
  tfHoursH = 1,      ///< hours followed by the letter h
  tf12HoursAmPm = 2  ///< 12-hour clock with am/pm
};
/// Year lengths of TDTLabel (TYearLength); the numbers stay accepted.
enum : TYearLength {
  ylNone = 0,       ///< no year
  ylTwoDigits = 1,  ///< two digits
  ylFourDigits = 2  ///< four digits
};
/// When time labels of TDTLabel show the date as well (TDateForTime); the numbers stay
/// accepted.
enum : TDateForTime {
  dftNever = 0,          ///< never
  dftFirstMainTick = 1,  ///< only at the first main tick
  dftDayChange = 2,      ///< whenever the day of the month changes
  dftAlways = 3          ///< at every main tick
};
/// Orders of day, month and year of TDTLabel (TDateOrder); the numbers stay accepted.
enum : TDateOrder {
  doMonthDayYear = 0,  ///< month, day, year
  doDayMonthYear = 1,  ///< day, month, year
  doYearMonthDay = 2   ///< year, month, day
};

/// The seven settings that shape date and time labels of a scale.
/// A scale owns one and repaints from its OnChange; every setter that changes a value fires
/// OnChange once. Values out of range are clamped to the nearest valid value.
///
/// | Setting      | Values                                                                 |
/// |--------------|------------------------------------------------------------------------|
/// | TimeFormat   | 0 24-hour clock (default), 1 hours followed by "h", 2 12-hour am/pm    |
/// | DateSeparator| one character, default '-'                                             |
/// | TimeSeparator| one character, default ':'                                             |
/// | YearLength   | 0 no year, 1 two digits, 2 four digits (default)                       |
/// | MonthName    | true short month name "mmm" (default), false two-digit number          |
/// | DateForTime  | 0 never, 1 first main tick, 2 when the day changes (default), 3 always |
/// | DateOrder    | 0 month-day-year, 1 day-month-year (default), 2 year-month-day         |
///
/// The numbered settings have names: tf24Hours, tfHoursH, tf12HoursAmPm; ylNone,
/// ylTwoDigits, ylFourDigits; dftNever, dftFirstMainTick, dftDayChange, dftAlways;
/// doMonthDayYear, doDayMonthYear, doYearMonthDay.
class TDTLabel : public TPersistent {
 public:
  TDTLabel() = default;
  TDTLabel(const TDTLabel&) = delete;
  TDTLabel& operator=(const TDTLabel&) = delete;

  /// Clock format (see the table above).
  ///@{
  TTimeFormat TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(TTimeFormat v);
  ///@}
  /// Character between the parts of a date.
  ///@{
  char DateSeparator() const { return FDateSeparator; }
  void SetDateSeparator(char v);
  ///@}
  /// Character between hours, minutes and seconds.
  ///@{
  char TimeSeparator() const { return FTimeSeparator; }
  void SetTimeSeparator(char v);
  ///@}
  /// Digits of the year (see the table above).
  ///@{
  TYearLength YearLength() const { return FYearLength; }
  void SetYearLength(TYearLength v);
  ///@}
  /// Months as short names instead of numbers.
  ///@{
  bool MonthName() const { return FMonthName; }
  void SetMonthName(bool v);
  ///@}
  /// When time labels also show the date (see the table above).
  ///@{
  TDateForTime DateForTime() const { return FDateForTime; }
  void SetDateForTime(TDateForTime v);
  ///@}
  /// Order of day, month and year (see the table above).
  ///@{
  TDateOrder DateOrder() const { return FDateOrder; }
  void SetDateOrder(TDateOrder v);
  ///@}

  /// Copies all settings from another TDTLabel and fires OnChange once if any differed.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TDTLabel"; }

  /// Fires once after every change.
  TNotifyEvent OnChange;

 private:
  void Changed();

  TTimeFormat FTimeFormat = 0;
  char FDateSeparator = '-';
  char FTimeSeparator = ':';
  TYearLength FYearLength = 2;
  bool FMonthName = true;
  TDateForTime FDateForTime = 2;
  TDateOrder FDateOrder = 1;
};

}  // namespace zyr
