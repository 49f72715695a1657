// SPDX-License-Identifier: MIT
// Colours, day numbers and texts crossing between the library and Qt's value types.

#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/datetime.h>
#include <zyr/qt.h>

#include <QTimeZone>
#include <cmath>
#include <limits>

using namespace zyr;

namespace {

// ------------------------------------------------------------------ colours

TEST(QtColor, PlainColoursKeepTheirChannelsBothWays) {
  EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
  // Orange as Qt writes it is 0x0080FF in the controls' byte order.
  EXPECT_EQ(FromQColor(QColor(0xFF, 0x80, 0x00)), TColor(0x0080FF));
  for (uint32_t v = 0; v <= 0xFFFFFF; v += 0x010305) {
    ASSERT_EQ(FromQColor(ToQColor(v)), v) << std::hex << v;
  }
}

TEST(QtColor, SystemColoursResolveToThePaintedValues) {
  EXPECT_EQ(ToQColor(clBtnFace), QColor(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(ToQColor(clHighlight), QColor(0x00, 0x78, 0xD7));
  EXPECT_EQ(ToQColor(clWindow), QColor(Qt::white));
  EXPECT_EQ(FromQColor(ToQColor(clBtnShadow)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ToQColor(clDefault), QColor(Qt::black));
}

TEST(QtColor, NoColourAndOddQColors) {
  EXPECT_FALSE(ToQColor(clNone).isValid());
  EXPECT_EQ(FromQColor(QColor()), clNone);
  EXPECT_EQ(FromQColor(QColor("not a colour")), clNone);
  EXPECT_EQ(FromQColor(QColor(Qt::transparent)), clNone);
  // Partial alpha is dropped; HSV and out-of-range float colours come back as clamped RGB.
  EXPECT_EQ(FromQColor(QColor(10, 20, 30, 128)), RGB(10, 20, 30));
  EXPECT_EQ(FromQColor(QColor::fromHsv(0, 255, 255)), clRed);
  EXPECT_EQ(FromQColor(QColor::fromRgbF(2.0f, -1.0f, 0.5f)) & 0xFFFF, TColor(0x00FF));
}

// ------------------------------------------------------------------ day numbers

QDateTime Local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

TEST(QtDateTime, DayZeroFractionsAndMidnight) {
  EXPECT_EQ(ToDateTime(0.0), Local(1899, 12, 30));
  EXPECT_EQ(ToDateTime(0.5), Local(1899, 12, 30, 12));
  EXPECT_EQ(ToDateTime(1.0), Local(1899, 12, 31));
  EXPECT_EQ(FromDateTime(Local(1899, 12, 30)), 0.0);
  EXPECT_EQ(FromDateTime(Local(2000, 1, 1)), 36526.0);
  // A hair before midnight rounds to the next day, not to 24:00 of the same day.
  EXPECT_EQ(ToDateTime(36526.0 - 1e-10), Local(2000, 1, 1));
  EXPECT_EQ(ToDateTime(36526.0 - 1.0 / 86400000), Local(1999, 12, 31, 23, 59, 59, 999));
  EXPECT_EQ(ToDateTime(EncodeDate(2024, 2, 29) + EncodeTime(7, 8, 9, 10)),
            Local(2024, 2, 29, 7, 8, 9, 10));
}

TEST(QtDateTime, NegativeDaysCountBackAndAddTheirTimeOfDay) {
  EXPECT_EQ(ToDateTime(-1.0), Local(1899, 12, 29));
  EXPECT_EQ(ToDateTime(-1.25), Local(1899, 12, 29, 6));
  EXPECT_EQ(FromDateTime(Local(1899, 12, 29, 6)), -1.25);
  EXPECT_EQ(FromDateTime(Local(1899, 12, 29)), -1.0);
  EXPECT_DOUBLE_EQ(FromDateTime(Local(1800, 7, 4, 18)), EncodeDate(1800, 7, 4) - 0.75);
  // The two spellings of a time on day 0 name the same moment.
  EXPECT_EQ(ToDateTime(-0.25), ToDateTime(0.25));
}

TEST(QtDateTime, RoundTripsAcrossTheWholeRange) {
  for (double d : {MinDateTime, -693000.3, -1.5, -0.0, 0.75, 45000.123456, MaxDateTime}) {
    const QDateTime q = ToDateTime(d);
    ASSERT_TRUE(q.isValid()) << d;
    EXPECT_NEAR(FromDateTime(q), d, 0.6 / MSecsPerDay) << d;
  }
  EXPECT_EQ(ToDateTime(MinDateTime), Local(1, 1, 1));
  EXPECT_EQ(ToDateTime(MaxDateTime).date(), QDate(9999, 12, 31));
}

TEST(QtDateTime, InvalidInputs) {
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  for (double d : {nan, inf, -inf, MinDateTime - 1, MaxDateTime + 1, 1e300})
    EXPECT_FALSE(ToDateTime(d).isValid()) << d;
  EXPECT_TRUE(std::isnan(FromDateTime(QDateTime())));
  EXPECT_TRUE(std::isnan(FromDateTime(QDateTime(QDate(2024, 2, 30), QTime(1, 0)))));
  EXPECT_TRUE(std::isnan(FromDateTime(Local(10000, 1, 1))));
  EXPECT_TRUE(std::isnan(FromDateTime(Local(-5, 1, 1))));
}

// Central European time with its daylight-saving rule, independent of the machine's zone.
class QtDateTimeDst : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = qgetenv("TZ");
    hadTz_ = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    const QDateTime winter = Local(2024, 1, 15, 12), summer = Local(2024, 7, 15, 12);
    if (winter.offsetFromUtc() != 3600 || summer.offsetFromUtc() != 7200)
      GTEST_SKIP() << "local time does not follow TZ on this system";
  }
  void TearDown() override {
    if (hadTz_)
      qputenv("TZ", saved_);
    else
      qunsetenv("TZ");
  }
  QByteArray saved_;
  bool hadTz_ = false;
};

TEST_F(QtDateTimeDst, DayNumbersAreWallClockTimes) {
  // 2024-03-31 has 23 hours and 2024-10-27 has 25, yet each is one day number long.
  const double spring = EncodeDate(2024, 3, 31), autumn = EncodeDate(2024, 10, 27);
  EXPECT_EQ(ToDateTime(spring).secsTo(ToDateTime(spring + 1)), 23 * 3600);
  EXPECT_EQ(ToDateTime(autumn).secsTo(ToDateTime(autumn + 1)), 25 * 3600);
  for (double t : {EncodeTime(1, 59, 59, 999), EncodeTime(3, 0, 0, 0), EncodeTime(23, 0, 0, 0)})
    EXPECT_NEAR(FromDateTime(ToDateTime(spring + t)), spring + t, 0.6 / MSecsPerDay);
  // 02:30 happens twice in autumn; either way the wall clock comes back.
  const double twice = autumn + EncodeTime(2, 30, 0, 0);
  EXPECT_NEAR(FromDateTime(ToDateTime(twice)), twice, 0.6 / MSecsPerDay);
  // 02:30 never happens in spring: it moves forward by the gap instead of becoming invalid.
  const QDateTime skipped = ToDateTime(spring + EncodeTime(2, 30, 0, 0));
  ASSERT_TRUE(skipped.isValid());
  EXPECT_EQ(skipped.time(), QTime(3, 30));
  EXPECT_DOUBLE_EQ(FromDateTime(skipped), spring + EncodeTime(3, 30, 0, 0));
}

TEST_F(QtDateTimeDst, OtherZonesAreReadInLocalTime) {
  const QDateTime utcNoon(QDate(2024, 1, 15), QTime(12, 0), QTimeZone::utc());
  EXPECT_DOUBLE_EQ(FromDateTime(utcNoon), EncodeDate(2024, 1, 15) + EncodeTime(13, 0, 0, 0));
  const QDateTime summerUtc(QDate(2024, 7, 15), QTime(22, 30), QTimeZone::utc());
  EXPECT_DOUBLE_EQ(FromDateTime(summerUtc), EncodeDate(2024, 7, 16) + EncodeTime(0, 30, 0, 0));
}

// ------------------------------------------------------------------ texts

TEST(QtString, Utf8RoundTripsAndMalformedBytes) {
  const QString q = QString::fromUtf8("Ω = 5 € · \xF0\x9F\x93\x88");
  EXPECT_EQ(ToQString(FromQString(q)), q);
  EXPECT_EQ(FromQString(q), "Ω = 5 € · \xF0\x9F\x93\x88");
  EXPECT_EQ(ToQString(std::string("a\xFF"
                                  "b")),
            QString::fromUtf8("a\uFFFDb"));
  EXPECT_EQ(ToQString(std::string("a\0b", 3)).size(), 3);
  EXPECT_TRUE(FromQString(QString()).empty());
}

TEST(QtString, ItemTextsKeepWindows1252AndMarkTheRest) {
  TRChart chart;
  chart.Text(1.0, 2.0, 8, FromQString(QString::fromUtf8("€5 Ω µ ‰ \xF0\x9F\x93\x88!")));
  // A lone surrogate is no character at all.
  chart.Text(1.0, 2.0, 8, FromQString(QString(QChar(0xD800)) + "x"));
  chart.Text(1.0, 2.0, 8, std::string("€5 Ω µ ‰ \xF0\x9F\x93\x88!"));
  const std::string fromQt = chart.GetChartItem(0).Text.Str();
  EXPECT_EQ(fromQt, "€5 ? µ ‰ ?!");
  EXPECT_EQ(ToQString(fromQt), QString::fromUtf8("€5 ? µ ‰ ?!"));
  EXPECT_EQ(chart.GetChartItem(1).Text.Str(), "?x");
  EXPECT_EQ(chart.GetChartItem(2).Text.Str(), fromQt);
}

}  // namespace
