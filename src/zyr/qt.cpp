// SPDX-License-Identifier: MIT
#include <zyr/platform/host/datetime.h>
#include <zyr/qt.h>

#include <QTimeZone>
#include <cmath>
#include <limits>

namespace zyr {

QDateTime ToDateTime(double dayNumber) {
  int year, month, day, hour, minute, sec, msec;
  DecodeDate(dayNumber, year, month, day);
  if (year == 0) return QDateTime();
  DecodeTime(dayNumber, hour, minute, sec, msec);
  const QDate date(year, month, day);
  const QTime time(hour, minute, sec, msec);
  const QDateTime local(date, time);
  if (local.isValid()) return local;
  // A wall-clock time skipped by a daylight-saving change is read with the offset in force
  // before the change, which moves it forward by the gap.
  const qint64 asUtc = QDateTime(date, time, QTimeZone::utc()).toMSecsSinceEpoch();
  const int before = QDateTime::fromMSecsSinceEpoch(asUtc - 86400000).offsetFromUtc();
  return QDateTime::fromMSecsSinceEpoch(asUtc - qint64(before) * 1000);
}

double FromDateTime(const QDateTime& dt) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  if (!dt.isValid()) return kNaN;
  const QDateTime local = dt.toLocalTime();
  const QDate d = local.date();
  const QTime t = local.time();
  TDateTime days;
  if (!TryEncodeDate(d.year(), d.month(), d.day(), days)) return kNaN;
  const double time = EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
  // Before day 0 the fraction still counts forward from midnight, so it is subtracted.
  return days < 0 ? days - time : days + time;
}

}  // namespace zyr
