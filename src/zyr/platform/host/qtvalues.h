// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Colours and texts in Qt's value types, for the Qt overloads of every layer.
///
/// Applications include `zyr/qt.h`, which adds day numbers and QDateTime; these functions
/// live here so that the foundation's objects (cross-hairs, text labels) can take Qt types
/// as well.

#include <zyr/platform/host/types.h>

#include <QColor>
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

}  // namespace zyr
