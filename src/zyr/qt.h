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

#include <zyr/platform/host/types.h>

#include <QColor>
#include <QDateTime>
#include <QString>
#include <concepts>
#include <string>
#include <string_view>

namespace zyr {

/// The colour as Qt shows it. System colours resolve to the fixed values the controls paint
/// with (`ColorToRGB`); `clNone` gives an invalid QColor; `clDefault` gives black.
QColor ToQColor(TColor c);

/// The colour as the controls take it. An invalid or fully transparent QColor gives `clNone`;
/// any other alpha is dropped, as the controls paint opaque colours only.
TColor FromQColor(const QColor& c);

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

/// A UTF-8 text of the library as a QString; malformed bytes become U+FFFD.
QString ToQString(std::string_view utf8);

/// A QString as the library's UTF-8 text. Where a chart item stores it in its short text,
/// characters outside Windows-1252 become '?', exactly as for a `std::string`.
std::string FromQString(const QString& s);

/// Colour arguments of the controls' Qt overloads: a QColor, or a Qt::GlobalColor such as
/// Qt::red. Without an overload of its own, Qt::red would pick the TColor overload as the
/// integer 7, a colour all but black.
template <class C>
concept QtColor = std::same_as<C, QColor> || std::same_as<C, Qt::GlobalColor>;
/// Text and file-name arguments of the controls' Qt overloads. Being a template parameter,
/// it leaves a string literal with the std::string overload instead of making it ambiguous.
template <class S>
concept QtText = std::same_as<S, QString>;

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
