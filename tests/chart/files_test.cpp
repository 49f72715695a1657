// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/foundation/errors.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "chart_probe.h"
#include "host/file_faults.h"

namespace zyr::test {

namespace {

std::string TempFile(const std::string& name) {
  return (std::filesystem::path(testing::TempDir()) / ("zyr_items_" + name)).string();
}

std::string ReadAll(const std::string& fn) {
  std::ifstream f(fn, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void WriteAll(const std::string& fn, const std::string& bytes) {
  std::ofstream f(fn, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), std::streamsize(bytes.size()));
}

int32_t I32At(const std::string& b, size_t off) {
  int32_t v;
  std::memcpy(&v, b.data() + off, 4);
  return v;
}

void PutI32(std::string& b, size_t off, int32_t v) { std::memcpy(b.data() + off, &v, 4); }

bool SameBytes(const TrcChartItem& a, const TrcChartItem& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(ChartFiles, ThreeItemsMakeA416ByteFile) {
  ProbeChart c;
  c.MoveTo(1.0, 2.0);
  c.DrawTo(3.0, 4.0);
  c.MarkAt(5.0, 6.0, 7);
  const std::string fn = TempFile("three.dat");
  c.SaveData(fn);
  const std::string b = ReadAll(fn);
  ASSERT_EQ(b.size(), 416u);
  EXPECT_EQ(b.substr(70, 13), "\x0c[DATAFORMAT]");
  EXPECT_EQ(I32At(b, 56), -2);  // LWid
  EXPECT_EQ(I32At(b, 88), 3);   // N
  EXPECT_EQ(I32At(b, 92), 0);   // M
  EXPECT_EQ(I32At(b, 64), 1);   // header layer
  EXPECT_EQ(uint8_t(b[104 + 61]), tkMoveTo);
  double x;
  std::memcpy(&x, b.data() + 2 * 104, 8);
  EXPECT_EQ(x, 3.0);

  ProbeChart d;
  EXPECT_EQ(d.LoadData(fn, false), 3);
  EXPECT_EQ(d.NumItems(), 3);
  EXPECT_EQ(d.ItemCount(tkLineto), 1);
  for (int i = 0; i < 5; ++i) d.MoveTo(0.0, 0.0);
  ProbeChart e;
  for (int i = 0; i < 5; ++i) e.MoveTo(0.0, 0.0);
  EXPECT_EQ(e.LoadData(fn, true), 3);
  EXPECT_EQ(e.NumItems(), 8);
  EXPECT_EQ(e.DataContainer(7).Param3, 7);
}

TEST(ChartFiles, WrongKindAndMissingFiles) {
  ProbeChart c;
  c.SetAnnoMode(true);
  c.MarkAt(1, 2, 3);
  const std::string fn = TempFile("anno.dat");
  c.SaveAnno(fn);
  ProbeChart d;
  d.MoveTo(0.0, 0.0);
  EXPECT_EQ(d.LoadData(fn, false), -2);
  EXPECT_EQ(d.NumItems(), 1);
  EXPECT_EQ(d.LoadAnno(fn, false), 1);
  EXPECT_EQ(d.AnnoContainer(0).CoordMode, cmAllScreen);
  EXPECT_EQ(d.LoadData(TempFile("does_not_exist.dat"), false), -1);
  EXPECT_THROW(c.SaveData(TempFile("no/such/dir/x.dat")), EZYRRChartError);
}

TEST(ChartFiles, PipesDevicesAndFoldersFailAtOnce) {
  namespace fs = std::filesystem;
  const fs::path dir = FreshDir("chartpipe");
  const fs::path fifo = dir / "items.dat";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ProbeChart c;
  c.MarkAt(1.0, 2.0, 3);
  {
    StuckPipeGuard guard(fifo.string());
    EXPECT_EQ(c.LoadData(fifo.string(), false), -1);
    EXPECT_EQ(c.LoadAnno(fifo.string(), true), -1);
    // A background image that is a pipe is a picture that cannot be loaded.
    c.SetBounds(0, 0, 200, 150);
    c.BackGroundImg().SetName(fifo.string());
    TBitmap bmp;
    EXPECT_TRUE(c.CopyToBitmap(bmp, false));
    EXPECT_EQ(c.BackGroundImg().Name(), "");
    EXPECT_FALSE(guard.Finish()) << "the load waited for a writer";
  }
  for (const char* other : {"/dev/zero", "/dev/null"}) {
    EXPECT_EQ(c.LoadData(other, false), -1) << other;
    EXPECT_EQ(c.LoadAnno(other, false), -1) << other;
  }
  EXPECT_EQ(c.LoadData(dir.string(), false), -1);
  fs::create_symlink(fifo, dir / "link.dat");
  EXPECT_EQ(c.LoadData((dir / "link.dat").string(), true), -1);
  EXPECT_EQ(c.NumItems(), 1);  // nothing changed

  // A link to a regular file still loads.
  c.SaveData((dir / "real.dat").string());
  fs::create_symlink(dir / "real.dat", dir / "alias.dat");
  EXPECT_EQ(c.LoadData((dir / "alias.dat").string(), true), 1);
  EXPECT_EQ(c.NumItems(), 2);
  fs::remove_all(dir);
}

TEST(ChartFiles, FailedSaveKeepsThePreviousFile) {
  namespace fs = std::filesystem;
  const fs::path dir = FreshDir("chartsave");
  const fs::path fn = dir / "items.dat";
  ProbeChart c;
  c.MarkAt(1.0, 2.0, 3);
  c.SaveData(fn.string());
  const std::string before = ReadBytes(fn);
  for (int i = 0; i < 100; ++i) c.MarkAt(double(i), 0.0, 1);
  {
    DiskFullAfter full(1000);
    EXPECT_THROW(c.SaveData(fn.string()), EZYRRChartError);
  }
  EXPECT_EQ(ReadBytes(fn), before);
  fs::create_symlink("/dev/full", dir / "full.dat");
  EXPECT_THROW(c.SaveData((dir / "full.dat").string()), EZYRRChartError);
  EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"full.dat", "items.dat"}));
  ProbeChart d;
  EXPECT_EQ(d.LoadData(fn.string(), false), 1);
  fs::remove_all(dir);
}

TEST(ChartFiles, RoundTripIsBitExactWithLongTexts) {
  ProbeChart c;
  c.SetDataTag(-5);
  c.SetPenStyle(psDot);
  c.SetTransparentItems(true);
  c.Rectangle(-1e300, 2.5, std::numeric_limits<double>::infinity(), 0.0);
  c.Text(1.0, 2.0, 12, "first line\nsecond line \\ with a backslash", 3, 4, taRightJustify);
  c.Arc(0.0, 0.0, 1.0, 2.0, 0.5, 1.5);
  c.Text(1.0, 2.0, 12, "\xC3\xBC" + Letters(20, 'u'));
  c.RectFrame(1.0, 2.0, 3, 4, 5, clGray, clYellow);
  const std::string fn = TempFile("roundtrip.dat");
  c.SaveData(fn);
  ProbeChart d;
  d.Text(0.0, 0.0, 8, Letters(20));  // replaced by the load
  ASSERT_EQ(d.LoadData(fn, false), c.NumItems());
  for (int i = 0; i < c.NumItems(); ++i) {
    EXPECT_TRUE(SameBytes(c.DataContainer(i), d.DataContainer(i))) << i;
    EXPECT_EQ(c.DataLongText(i), d.DataLongText(i)) << i;
  }
  EXPECT_EQ(d.NumLongTextsData(), 2);
  const std::string again = TempFile("roundtrip2.dat");
  d.SaveData(again);
  EXPECT_EQ(ReadAll(fn), ReadAll(again));
}

TEST(ChartFiles, AppendedLongTextsAreNumberedAfterTheChartsOwn) {
  ProbeChart c;
  c.Text(0.0, 0.0, 8, Letters(20, 'b'));
  c.MoveTo(0.0, 0.0);
  c.Text(0.0, 0.0, 8, Letters(30, 'c'));
  const std::string fn = TempFile("texts.dat");
  c.SaveData(fn);
  ProbeChart d;
  d.Text(0.0, 0.0, 8, Letters(18, 'a'));
  EXPECT_EQ(d.LoadData(fn, true), 3);
  EXPECT_EQ(d.DataContainer(1).LWid, 2);
  EXPECT_EQ(d.DataContainer(3).LWid, 3);
  EXPECT_EQ(d.DataLongText(0), Letters(18, 'a'));
  EXPECT_EQ(d.DataLongText(1), Letters(20, 'b'));
  EXPECT_EQ(d.DataLongText(3), Letters(30, 'c'));
}

TEST(ChartFiles, TextsFollowTheirItemsAfterRemovalsAndBeyondFiftySlots) {
  ProbeChart c;
  c.Text(0.0, 0.0, 8, Letters(20, 'x'));
  c.Text(0.0, 0.0, 8, Letters(20, 'y'));
  c.RemoveItem(0);  // text 1 stays allocated but unused
  const std::string fn = TempFile("gap.dat");
  c.SaveData(fn);
  ProbeChart d;
  ASSERT_EQ(d.LoadData(fn, false), 1);
  EXPECT_EQ(d.DataLongText(0), Letters(20, 'y'));

  // A chart whose 50 slots are taken keeps the cut text of appended items.
  ProbeChart full;
  for (int i = 0; i < 50; ++i) full.Text(0.0, 0.0, 8, Letters(16, 'f'));
  ASSERT_EQ(full.LoadData(fn, true), 1);
  EXPECT_EQ(full.DataContainer(50).LWid, 0);
  EXPECT_EQ(full.DataLongText(50), Letters(15, 'y'));
  EXPECT_EQ(full.DataLongText(0), Letters(16, 'f'));
}

TEST(ChartFiles, FailedLoadsLeaveTheChartAsItWas) {
  ProbeChart c;
  for (int i = 0; i < 4; ++i) c.MarkAt(double(i), 0.0, 1);
  c.Text(0.0, 0.0, 8, Letters(20, 't'));
  const std::string fn = TempFile("good.dat");
  c.SaveData(fn);
  const std::string good = ReadAll(fn);

  ProbeChart d;
  d.Text(1.0, 1.0, 8, Letters(22, 'd'));
  d.DrawTo(2.0, 2.0);
  auto unchanged = [&] {
    EXPECT_EQ(d.NumItems(), 2);
    EXPECT_EQ(d.DataLongText(0), Letters(22, 'd'));
    EXPECT_EQ(d.NumLongTextsData(), 1);
    EXPECT_EQ(d.ItemCount(tkLineto), 1);
  };
  const std::string bad = TempFile("bad.dat");
  for (size_t cut : {size_t(0), size_t(50), size_t(104), size_t(300), size_t(5 * 104 + 10)}) {
    WriteAll(bad, good.substr(0, cut));
    for (bool append : {false, true}) {
      EXPECT_EQ(d.LoadData(bad, append), -1) << cut;
      unchanged();
    }
  }
  std::string huge = good;
  PutI32(huge, 88, 2000000000);  // far more items than the file holds
  WriteAll(bad, huge);
  EXPECT_EQ(d.LoadData(bad, false), -1);
  PutI32(huge, 88, -3);
  WriteAll(bad, huge);
  EXPECT_EQ(d.LoadData(bad, true), -1);
  std::string notOurs = good;
  notOurs[71] = 'X';
  WriteAll(bad, notOurs);
  EXPECT_EQ(d.LoadData(bad, false), -2);
  std::string positiveLWid = good;
  PutI32(positiveLWid, 56, 1);
  WriteAll(bad, positiveLWid);
  EXPECT_EQ(d.LoadData(bad, false), -2);
  unchanged();
}

TEST(ChartFiles, HostileRecordsAreTamed) {
  ProbeChart c;
  c.Text(0.0, 0.0, 8, Letters(20, 'h'));
  c.MoveTo(1.0, 1.0);
  const std::string fn = TempFile("hostile.dat");
  c.SaveData(fn);
  std::string b = ReadAll(fn);
  PutI32(b, 104 + 56, 40);  // a long-text number the file does not hold
  b[208 + 61] = char(99);   // an unknown kind
  b[208 + 68] = char(7);    // a boolean that is neither 0 nor 1
  b[208 + 70] = char(200);  // a text length beyond 15
  b[208 + 100] = char(42);  // an unknown coordinate mode
  WriteAll(fn, b);
  ProbeChart d;
  ASSERT_EQ(d.LoadData(fn, false), 2);
  EXPECT_EQ(d.DataContainer(0).LWid, 0);
  EXPECT_EQ(d.DataLongText(0), Letters(15, 'h'));
  TrcChartItem odd = d.DataContainer(1);
  EXPECT_EQ(odd.ItemKind, 99);
  EXPECT_TRUE(odd.Transp);
  EXPECT_EQ(odd.Text.Len, 15);
  EXPECT_FALSE(ItemDescription(odd, -1).empty());
  EXPECT_EQ(d.ItemCount(tkMoveTo), 0);
  d.RemoveItem(1);
  d.RemoveItem(0);
  EXPECT_EQ(d.NumItems(), 0);
}

// Randomly damaged files: every load answers a documented code and leaves a usable chart.
TEST(ChartFiles, DamagedFilesNeverCrash) {
  ProbeChart c;
  for (int i = 0; i < 6; ++i) c.Text(double(i), 0.0, 8, Letters(16 + i, char('a' + i)));
  c.Arrow(0.0, 0.0, 1.0, 1.0, 5);
  const std::string fn = TempFile("fuzz_src.dat");
  c.SaveData(fn);
  const std::string good = ReadAll(fn);
  const std::string bad = TempFile("fuzz.dat");
  std::mt19937 rng(1234);
  ProbeChart d;
  for (int round = 0; round < 300; ++round) {
    std::string b = good;
    const int flips = 1 + int(rng() % 8);
    for (int k = 0; k < flips; ++k) b[rng() % b.size()] = char(rng());
    if (round % 3 == 0) b.resize(rng() % (b.size() + 1));
    if (round % 5 == 0) b.append(std::string(rng() % 300, char(rng())));
    WriteAll(bad, b);
    d.ClearGraf();
    const int r = d.LoadData(bad, round % 2 == 0);
    ASSERT_TRUE(r == -1 || r == -2 || r == d.NumItems()) << round;
    for (int i = 0; i < d.NumItems(); ++i) {
      (void)d.DataLongText(i);
      (void)ItemDescription(d.DataContainer(i), -1);
    }
    d.MoveTo(0.0, 0.0);
    d.SaveDataASC(TempFile("fuzz.txt"));
  }
}

TEST(ChartFiles, ItemDescriptions) {
  ProbeChart c;
  c.SetClassDefault(7);
  c.SetDataTag(255);
  c.MarkAt(1.0, 2.0, 5);
  const TrcChartItem m = c.DataContainer(0);
  EXPECT_EQ(ItemDescription(m, 1), "elemtype: tkMarkAt");
  EXPECT_EQ(ItemDescription(m, 16), "\r\n classnum: 7");
  EXPECT_EQ(ItemDescription(m, 8), "\r\n      tag: 000000FF");
  EXPECT_EQ(ItemDescription(m, 4), "\r\n    color: 00000000\r\n penstyle: 00");
  c.SetAnnoMode(true);
  c.Line(1, 2, 3.0, 4.0);
  const std::string pts = ItemDescription(c.AnnoContainer(0), 2);
  EXPECT_NE(pts.find(" startpnt: ["), std::string::npos);
  EXPECT_NE(pts.find("] (screen coords)\r\n endpoint: ["), std::string::npos);
  TrcChartItem none;
  EXPECT_EQ(ItemDescription(none, 1), "elemtype: ");

  c.SetTransparentItems(true);
  c.SetFillColor(0xABCDEF);
  c.Rectangle(0.0, 0.0, 1.0, 1.0);
  const std::string full = ItemDescription(c.AnnoContainer(1), -1);
  EXPECT_NE(full.find("\r\nlinewidth: 1\r\n   corner: ["), std::string::npos);
  EXPECT_NE(full.find("\r\nfillcolor: 00ABCDEF\r\n  transp.: true"), std::string::npos);

  c.Text(0.0, 0.0, 9, "Hello world! 12345678", 2, 0, taLeftJustify);
  const std::string text = ItemDescription(c.AnnoContainer(2), -1);
  EXPECT_NE(text.find("     text: \"Hello_world__12\" (abbrev.)\r\n     size: 9\r\n    align: 0"),
            std::string::npos);
  EXPECT_NE(text.find(" offset x: '"), std::string::npos);
}

// Stored texts are single-byte (Windows-1252): every stored byte other than A-Z, a-z, 0-9 is
// one '_', also where two stored bytes would read as one UTF-8 character.
TEST(ChartFiles, DescriptionsReduceEachStoredByte) {
  ProbeChart c;
  c.SetAnnoMode(true);
  c.Text(0.0, 0.0, 9, "caf\u00E9xyz");    // stored as "caf\xE9xyz"
  c.Text(0.0, 0.0, 9, "x\u00C3\u00A9y");  // stored as "x\xC3\xA9y", valid UTF-8 bytes
  ASSERT_EQ(c.AnnoContainer(1).Text.Len, 4);
  ASSERT_EQ(uint8_t(c.AnnoContainer(1).Text.Chars[1]), 0xC3);
  EXPECT_NE(ItemDescription(c.AnnoContainer(0), -1).find("     text: \"caf_xyz\"\r\n"),
            std::string::npos);
  EXPECT_NE(ItemDescription(c.AnnoContainer(1), -1).find("     text: \"x__y\"\r\n"),
            std::string::npos);
  // The listing of the data items says the same.
  c.SetAnnoMode(false);
  c.Text(0.0, 0.0, 9, "x\u00C3\u00A9y");
  const std::string fn = TempFile("listing_bytes.txt");
  ASSERT_TRUE(c.SaveDataASC(fn));
  EXPECT_NE(ReadAll(fn).find("     text: \"x__y\""), std::string::npos);
}

TEST(ChartFiles, ListingNumbersItemsFromZeroAndReportsFailure) {
  ProbeChart c;
  c.MoveTo(1.0, 2.0);
  c.DrawTo(3.0, 4.0);
  const std::string fn = TempFile("listing.txt");
  EXPECT_TRUE(c.SaveDataASC(fn));
  const std::string s = ReadAll(fn);
  EXPECT_EQ(s.rfind("\r\n------ item 0 ------\r\n  elemtype: tkMoveTo\r\n", 0), 0u);
  EXPECT_NE(s.find("\r\n\r\n------ item 1 ------\r\n  elemtype: tkLineTo"), std::string::npos);
  EXPECT_EQ(s.find("item 2"), std::string::npos);
  EXPECT_EQ(s.find("\n\n"), std::string::npos);  // every line ends in CR LF
  EXPECT_FALSE(c.SaveDataASC(TempFile("no/such/dir/listing.txt")));
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(c.SaveDataASC("/dev/full"));
  }
}

TEST(ChartFiles, CopyAnnoFrom) {
  ProbeChart src;
  src.SetAnnoMode(true);
  src.SetClassDefault(3);
  src.Text(1, 1, 8, Letters(20, 'a'));
  src.SetClassDefault(4);
  src.Line(0.0, 0.0, 1.0, 1.0);
  src.SetClassDefault(3);
  src.Text(2, 2, 8, Letters(25, 'b'));

  ProbeChart d;
  d.SetAnnoMode(true);
  d.MarkAt(0, 0, 1);
  d.CopyAnnoFrom(&src, {}, false);
  ASSERT_EQ(d.NumAnnos(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(SameBytes(d.AnnoContainer(i), src.AnnoContainer(i))) << i;
    EXPECT_EQ(d.AnnoLongText(i), src.AnnoLongText(i));
  }
  d.CopyAnnoFrom(&src, {3}, true);
  ASSERT_EQ(d.NumAnnos(), 5);
  EXPECT_EQ(d.AnnoContainer(4).ItemClass, 3);
  EXPECT_EQ(d.AnnoContainer(4).LWid, 4);
  EXPECT_EQ(d.AnnoLongText(4), Letters(25, 'b'));
  d.CopyAnnoFrom(&d, {4}, true);  // from itself
  EXPECT_EQ(d.NumAnnos(), 6);

  ProbeChart full;
  full.SetAnnoMode(true);
  for (int i = 0; i < 50; ++i) full.Text(0, 0, 8, Letters(16, 'f'));
  full.CopyAnnoFrom(&src, {3}, true);
  EXPECT_EQ(full.AnnoContainer(50).LWid, 0);
  EXPECT_EQ(full.AnnoLongText(50), Letters(15, 'a'));
  EXPECT_EQ(full.AnnoLongText(0), Letters(16, 'f'));
}

}  // namespace zyr::test
