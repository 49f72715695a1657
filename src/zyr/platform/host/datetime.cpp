// SPDX-License-Identifier: MIT
#include <zyr/platform/host/datetime.h>

#include <QDateTime>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace zyr {

namespace {

// Day 0 of this library (1899-12-30) counted from 1970-01-01.
constexpr long long kEpochShift = -25569;

// Civil date from days since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long yy = (long long)yoe + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yy + (m <= 2));
}

long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = unsigned((153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1);
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (long long)doe - 719468;
}

// Splits a day number into whole days and milliseconds of the day, rounded to the millisecond.
bool Split(TDateTime dt, long long& days, long long& msOfDay) {
  if (!std::isfinite(dt) || dt < MinDateTime - 1 || dt > MaxDateTime + 1) return false;
  double whole = std::trunc(dt);
  long long ms = std::llround(std::fabs(dt - whole) * MSecsPerDay);
  days = (long long)whole;
  if (ms >= (long long)MSecsPerDay) {
    ms -= (long long)MSecsPerDay;
    days += dt >= 0 ? 1 : -1;
  }
  msOfDay = ms;
  return true;
}

std::string Pad(int v, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, v);
  return buf;
}

bool StartsWithCI(const std::string& s, size_t i, const char* word) {
  for (size_t k = 0; word[k]; ++k)
    if (i + k >= s.size() || std::tolower((unsigned char)s[i + k]) != word[k]) return false;
  return true;
}

}  // namespace

const TFormatSettings& DefaultFormatSettings() {
  static const TFormatSettings fs;
  return fs;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
  if (!IsValidDate(year, month, day)) return false;
  result = double(DaysFromCivil(year, month, day) - kEpochShift);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime r;
  if (!TryEncodeDate(year, month, day, r)) throw std::invalid_argument("Invalid argument to date encode");
  return r;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 ||
      msec > 999)
    return false;
  result = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime r;
  if (!TryEncodeTime(hour, min, sec, msec, r)) throw std::invalid_argument("Invalid argument to time encode");
  return r;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
  long long days, ms;
  year = month = day = 0;
  if (!Split(dt, days, ms)) return;
  int y, m, d;
  CivilFromDays(days + kEpochShift, y, m, d);
  if (y < 1 || y > 9999) return;
  year = y;
  month = m;
  day = d;
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec) {
  long long days, ms;
  hour = min = sec = msec = 0;
  if (!Split(dt, days, ms)) return;
  hour = int(ms / 3600000);
  min = int(ms / 60000 % 60);
  sec = int(ms / 1000 % 60);
  msec = int(ms % 1000);
}

int DayOfWeek(TDateTime dt) {
  long long days, ms;
  if (!Split(dt, days, ms)) return 0;
  // 1899-12-30 was a Saturday.
  long long w = (days + 6) % 7;
  if (w < 0) w += 7;
  return int(w) + 1;
}

TDateTime Now() {
  QDateTime now = QDateTime::currentDateTime();
  QDate d = now.date();
  QTime t = now.time();
  return EncodeDate(d.year(), d.month(), d.day()) +
         EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

std::string FormatDateTime(const std::string& f, TDateTime dt, const TFormatSettings& fs) {
  int year, month, day, hour, minute, sec, msec;
  DecodeDate(dt, year, month, day);
  if (year == 0) return "";
  DecodeTime(dt, hour, minute, sec, msec);

  // A 12-hour marker anywhere outside quotes turns every hour into the 12-hour clock.
  bool twelve = false;
  for (size_t i = 0; i < f.size(); ++i) {
    char c = f[i];
    if (c == '"' || c == '\'') {
      size_t j = f.find(c, i + 1);
      if (j == std::string::npos) break;
      i = j;
    } else if (StartsWithCI(f, i, "am/pm") || StartsWithCI(f, i, "a/p")) {
      twelve = true;
    }
  }

  std::string out;
  bool lastWasHour = false;
  size_t i = 0;
  auto run = [&](char c) {
    size_t n = 0;
    while (i + n < f.size() && std::tolower((unsigned char)f[i + n]) == c) ++n;
    return n;
  };
  while (i < f.size()) {
    const char c = f[i];
    const char lc = char(std::tolower((unsigned char)c));
    if (c == '"' || c == '\'') {
      size_t j = f.find(c, i + 1);
      if (j == std::string::npos) j = f.size();
      out.append(f, i + 1, j - i - 1);
      i = j + 1;
      continue;
    }
    if (lc == 'a' && StartsWithCI(f, i, "am/pm")) {
      bool upper = std::isupper((unsigned char)c);
      out += hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
      i += 5;
      continue;
    }
    if (lc == 'a' && StartsWithCI(f, i, "a/p")) {
      bool upper = std::isupper((unsigned char)c);
      out += hour < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
      i += 3;
      continue;
    }
    size_t n;
    switch (lc) {
      case 'y':
        n = run('y');
        out += n <= 2 ? Pad(year % 100, 2) : Pad(year, 4);
        i += n;
        lastWasHour = false;
        continue;
      case 'm':
        n = run('m');
        if (lastWasHour && n <= 2) {
          out += n == 1 ? std::to_string(minute) : Pad(minute, 2);
        } else if (n == 1) {
          out += std::to_string(month);
        } else if (n == 2) {
          out += Pad(month, 2);
        } else if (n == 3) {
          out += fs.ShortMonthNames[size_t(month - 1)];
        } else {
          out += fs.LongMonthNames[size_t(month - 1)];
        }
        i += n;
        lastWasHour = false;
        continue;
      case 'd':
        n = run('d');
        if (n == 1)
          out += std::to_string(day);
        else if (n == 2)
          out += Pad(day, 2);
        else if (n == 3)
          out += fs.ShortDayNames[size_t(DayOfWeek(dt) - 1)];
        else
          out += fs.LongDayNames[size_t(DayOfWeek(dt) - 1)];
        i += n;
        lastWasHour = false;
        continue;
      case 'h': {
        n = run('h');
        int h = hour;
        if (twelve) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += n == 1 ? std::to_string(h) : Pad(h, 2);
        i += n;
        lastWasHour = true;
        continue;
      }
      case 'n':
        n = run('n');
        out += n == 1 ? std::to_string(minute) : Pad(minute, 2);
        i += n;
        lastWasHour = false;
        continue;
      case 's':
        n = run('s');
        out += n == 1 ? std::to_string(sec) : Pad(sec, 2);
        i += n;
        lastWasHour = false;
        continue;
      case 'z':
        n = run('z');
        out += n == 1 ? std::to_string(msec) : Pad(msec, 3);
        i += n;
        lastWasHour = false;
        continue;
      case '/':
        out += fs.DateSeparator;
        ++i;
        continue;
      case ':':
        out += fs.TimeSeparator;
        ++i;
        continue;
      default:
        out += c;
        ++i;
    }
  }
  return out;
}

}  // namespace zyr
