// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Conversions between the library's value types and Qt's: colours, day numbers and texts.
///
/// The controls speak in `TColor` (0x00BBGGRR), day numbers (days since 1899-12-30, the
/// fraction being the time of day) and UTF-8 `std::string`. These functions let a Qt program
/// stay with `QColor`, `QDateTime` and `QString`:
/// \code
///   chart->SetDataColor(zyr::FromQColor(QColor("orange")));
///   chart->SetRange(1, zyr::FromDateTime(start), 0, zyr::FromDateTime(end), 100);
///   label->setText(zyr::ToQString(chart->Caption()));
/// \endcode
/// The colour and text conversions (`ToQColor`, `FromQColor`, `ToQString`, `FromQString`)
/// come from zyr/platform/host/qtvalues.h, which this header includes.

#include <zyr/platform/host/qtvalues.h>

#include <QDateTime>
#include <string>

namespace zyr {

/// The day number as a local date and time, rounded to the millisecond. A number that is not
/// finite or lies outside the years 1 to 9999 gives an invalid QDateTime. A negative number
/// counts whole days back from 1899-12-30 and adds its fraction as the time of day, so -1.25
/// is 1899-12-29 06:00. A wall-clock time that a daylight-saving change skips comes back
/// moved as Qt moves it.
QDateTime ToDateTime(double dayNumber);

/// The local wall-clock date and time of `dt` as a day number (a date-time in another zone or
/// in UTC is converted to local time first). A null or invalid QDateTime, or a year outside 1
/// to 9999, gives NaN, which the drawing calls refuse.
double FromDateTime(const QDateTime& dt);

/// \cond internal
// Helpers of the controls' Qt overloads, not for applications: left out of the reference.
namespace qtarg {
// The library's value of an argument that may be given the Qt way or the library's way, so
// that one overload covers calls with several such arguments.
inline TColor Lib(TColor c) { return c; }
inline TColor Lib(const QColor& c) { return FromQColor(c); }
inline TColor Lib(Qt::GlobalColor c) { return FromQColor(c); }
inline const std::string& Lib(const std::string& s) { return s; }
inline std::string Lib(const char* s) { return s ? s : ""; }
inline std::string Lib(const QString& s) { return FromQString(s); }
}  // namespace qtarg
/// \endcond

/// True when a call mixes Qt-typed colour or text arguments with the library's own.
template <class... A>
concept AnyQtArg = ((QtColor<A> || QtText<A>) || ...);

}  // namespace zyr
