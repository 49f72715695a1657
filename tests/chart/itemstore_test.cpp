// SPDX-License-Identifier: MIT
// The compact item store: whatever runs it forms, splits or joins, it must answer exactly the
// records a plain array of records would, and the chart built on it must give the same items,
// files and pictures whether points arrive one by one or in bulk.

#include <gtest/gtest.h>
#include <zyr/platform/foundation/errors.h>

#include <QImage>
#include <QPointF>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "chart_probe.h"

namespace zyr::test {

namespace {

bool SameBytes(const TrcChartItem& a, const TrcChartItem& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A plain array of records that behaves as the documented item array.
struct TModel {
  std::vector<TrcChartItem> recs;  // written slots; the rest up to length are zero
  size_t length = 1;
  TrcChartItem At(size_t i) const { return i < recs.size() ? recs[i] : TrcChartItem{}; }
};

void ExpectSame(const TRcItemContainer& c, const TModel& m, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(c.Length(), m.length);
  ASSERT_EQ(c.Size(), m.recs.size());
  for (size_t i = 0; i < m.length; ++i) ASSERT_TRUE(SameBytes(c[i], m.At(i))) << "slot " << i;
  size_t visited = 0;
  c.ForEach(0, m.length, [&](const TrcChartItem& r, size_t i) {
    EXPECT_TRUE(SameBytes(r, m.At(i))) << "walk at " << i;
    ++visited;
  });
  EXPECT_EQ(visited, m.length);
  // Neighbouring segments of a run and single entries always hold their own items.
  const auto& segs = c.Rests().Segs();
  for (size_t s = 0; s < segs.size(); ++s) {
    ASSERT_LT(segs[s].Begin, c.Rests().SegEnd(s));
    if (!segs[s].Run) {
      ASSERT_EQ(segs[s].Rests.size(), c.Rests().SegEnd(s) - segs[s].Begin);
    }
  }
}

// A record with a pen out of a small palette, so that runs form and break.
TrcChartItem RandomRecord(std::mt19937& rng) {
  TrcChartItem r;
  std::uniform_int_distribution<int> pen(0, 9);
  std::uniform_real_distribution<double> u(-100, 100);
  const int p = pen(rng);
  r.ItemKind = p < 7 ? tkLineto : p < 9 ? tkMarkAt : tkLine;
  r.Color = p < 5 ? 0 : TColor(p);
  r.Layer = 1;
  r.x = rng() % 50 == 0 ? std::numeric_limits<double>::quiet_NaN() : u(rng);
  r.y = u(rng);
  if (r.ItemKind == tkLine) r.x2 = u(rng);
  return r;
}

}  // namespace

TEST(ItemStore, RandomEditsAnswerTheRecordsOfAPlainArray) {
  std::mt19937 rng(42);
  TRcItemContainer c;
  TModel m;
  ExpectSame(c, m, "new");
  for (int round = 0; round < 400; ++round) {
    const int op = int(rng() % 100);
    const size_t size = m.recs.size();
    if (op < 55) {
      // Streams of one pen, as DrawTo makes them, and single items.
      const size_t n = 1 + rng() % (rng() % 4 == 0 ? 200 : 6);
      const TrcChartItem base = RandomRecord(rng);
      for (size_t k = 0; k < n; ++k) {
        TrcChartItem r = base;
        r.x = k;
        r.y = double(rng() % 1000);
        if (k % 2 == 0) {
          c.Append(r);
        } else {
          double x = r.x, y = r.y;
          c.AppendPoints(r, &x, &y, 1);
        }
        m.recs.push_back(r);
      }
      m.length = std::max(m.length, m.recs.size());
    } else if (op < 60) {
      std::vector<double> xs(1 + rng() % 150), ys(xs.size());
      for (size_t k = 0; k < xs.size(); ++k) xs[k] = ys[k] = double(k);
      const TrcChartItem base = RandomRecord(rng);
      c.AppendPoints(base, xs.data(), ys.data(), xs.size());
      for (size_t k = 0; k < xs.size(); ++k) {
        TrcChartItem r = base;
        r.x = xs[k];
        r.y = ys[k];
        m.recs.push_back(r);
      }
      m.length = std::max(m.length, m.recs.size());
    } else if (op < 75 && size > 0) {
      // Writes into runs: the same fields, other fields, at the ends and in the middle.
      const size_t i = rng() % size;
      TrcChartItem r = m.recs[i];
      r.y += 1;
      if (rng() % 2) r.ItemClass = uint8_t(rng() % 3);
      c.Set(i, r);
      m.recs[i] = r;
    } else if (op < 82 && size > 1) {
      const size_t count = 1 + rng() % size, index = rng() % count;
      c.RemoveShift(index, count);
      for (size_t k = index; k + 1 < count; ++k) m.recs[k] = m.recs[k + 1];
    } else if (op < 87 && size > 0) {
      const size_t count = rng() % (size + 1);
      const uint8_t cls = uint8_t(rng() % 3);
      const size_t kept =
          c.RemoveIf(count, [&](const TrcChartItem& r) { return r.ItemClass == cls; });
      size_t k = 0;
      for (size_t i = 0; i < count; ++i)
        if (m.recs[i].ItemClass != cls) m.recs[k++] = m.recs[i];
      EXPECT_EQ(kept, k);
    } else if (op < 92 && size > 0) {
      const size_t a = rng() % size, b = a + rng() % (size - a + 1);
      c.Update(a, b, [](TrcChartItem& r, size_t i) {
        if (i % 3 == 0) r.Color ^= 1;
        r.x *= 2;
      });
      for (size_t i = a; i < b; ++i) {
        if (i % 3 == 0) m.recs[i].Color ^= 1;
        m.recs[i].x *= 2;
      }
    } else if (op < 96) {
      const size_t n = rng() % (m.length + 3);
      c.SetLength(n);
      if (n < m.recs.size()) m.recs.resize(n);
      m.length = n;
    } else {
      TRcItemContainer copy(c);
      ExpectSame(copy, m, "copy");
      TRcItemContainer other;
      other.AssignFrom(c, size / 2, m.length + 5);
      TModel half{std::vector<TrcChartItem>(m.recs.begin(), m.recs.begin() + long(size / 2)),
                  m.length + 5};
      ExpectSame(other, half, "assigned half");
      c.Swap(copy);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(c, m, "after an edit")) << "round " << round << " op " << op;
  }
}

TEST(ItemStore, StreamsAreRunsAndPenChangesEveryPointStayRecords) {
  TRcItemContainer c;
  TrcChartItem r;
  r.ItemKind = tkLineto;
  r.Layer = 1;
  for (int i = 0; i < 100000; ++i) {
    r.x = i;
    r.y = std::sin(i);
    c.Append(r);
  }
  ASSERT_EQ(c.Rests().Segs().size(), 1u);
  EXPECT_TRUE(c.Rests().Segs()[0].Run);
  // Block summaries are ready as soon as the points are there.
  EXPECT_EQ(c.SummariseBlocks(c.Size()), 100000 / TRcItemContainer::kBlockSize);

  // Worst case: no two neighbours alike. One stretch of single entries, no run headers.
  TRcItemContainer d;
  for (int i = 0; i < 1000; ++i) {
    r.Color = TColor(i);
    d.Append(r);
  }
  ASSERT_EQ(d.Rests().Segs().size(), 1u);
  EXPECT_FALSE(d.Rests().Segs()[0].Run);

  // A write that walks forward through a run moves its items to the single entries before it
  // without a segment per write.
  TRcItemContainer e;
  r.Color = 0;
  for (int i = 0; i < 1000; ++i) e.Append(r);
  r.Color = 0xFF;
  for (int i = 0; i < 1000; ++i) {
    r.x = i;
    e.Set(size_t(i), r);
  }
  EXPECT_LE(e.Rests().Segs().size(), 2u);
  EXPECT_EQ(e[999].Color, 0xFFu);
}

TEST(ItemStore, SummariesFollowChangedCoordinates) {
  TRcItemContainer c;
  TrcChartItem r;
  r.ItemKind = tkLineto;
  std::vector<double> x(256), y(256);
  for (int i = 0; i < 256; ++i) x[size_t(i)] = y[size_t(i)] = i;
  c.AppendPoints(r, x.data(), y.data(), 256);
  ASSERT_EQ(c.SummariseBlocks(256), 4u);
  EXPECT_TRUE(c.BlockData()[1].Summable);
  EXPECT_EQ(c.BlockData()[1].yHi, 126.0);
  r.x = 200;  // X no longer monotonic in block 1
  r.y = 1000;
  c.Set(70, r);
  ASSERT_EQ(c.SummariseBlocks(256), 4u);
  EXPECT_FALSE(c.BlockData()[1].Summable);
  EXPECT_EQ(c.BlockData()[1].yHi, 1000.0);
  c.Update(0, 256, [](TrcChartItem& it, size_t) { it.y = -it.y; });
  ASSERT_EQ(c.SummariseBlocks(256), 4u);
  EXPECT_EQ(c.BlockData()[3].yLo, -254.0);
  EXPECT_EQ(c.BlockData()[3].yLast, -255.0);
}

// ------------------------------------------------------------------ the chart on the store

namespace {

std::string TempFile(const std::string& name) {
  return (std::filesystem::path(testing::TempDir()) / ("zyr_store_" + name)).string();
}

std::string ReadAll(const std::string& fn) {
  std::ifstream f(fn, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void ExpectSameRecords(const ProbeChart& a, const ProbeChart& b, bool SameSizes = true) {
  ASSERT_EQ(a.NumItems(), b.NumItems());
  if (SameSizes) {
    ASSERT_EQ(a.DataLength(), b.DataLength());
    ASSERT_EQ(a.DataCapacity(), b.DataCapacity());
  }
  for (int k = 0; k < rcNumItemKinds; ++k) EXPECT_EQ(a.ItemCount(k), b.ItemCount(k)) << k;
  for (int i = 0; i < a.NumItems(); ++i)
    ASSERT_TRUE(SameBytes(a.DataContainer(i), b.DataContainer(i))) << i;
}

}  // namespace

TEST(ChartStore, BulkAppendsMakeTheItemsOfSingleCalls) {
  ProbeChart one, bulk;
  std::vector<double> x, y;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int i = 0; i < 2500; ++i) {
    x.push_back(i % 333 == 0 ? nan : i * 0.5);
    y.push_back(std::cos(i));
  }
  for (ProbeChart* c : {&one, &bulk}) {
    c->SetAllocSize(700);
    c->SetDataColor(clRed);
    c->SetFillColor(clBlue);
    c->SetDataTag(5);
    c->SetClassDefault(3);
    c->SetActiveLayer(2);
    c->MoveTo(0.0, 0.0);
  }
  for (size_t i = 0; i < x.size(); ++i) one.DrawTo(x[i], y[i]);
  for (size_t i = 0; i < 900; ++i) one.MarkAt(x[i], y[i], 7);
  bulk.DrawTo(x, y);
  bulk.MarkAt(std::span(x).first(900), std::span(y).first(900), 7);
  ExpectSameRecords(one, bulk);
  EXPECT_EQ(bulk.DataCapacity(), 3500);

  // Slots left behind by removals keep the fields the new items do not name.
  for (ProbeChart* c : {&one, &bulk}) {
    c->Text(1.0, 1.0, 9, "abc");
    c->Arrow(1.0, 2.0, 3.0, 4.0, 11);
    c->RemoveLastItem();
    c->RemoveLastItem();
  }
  one.DrawTo(7.0, 8.0);
  one.DrawTo(9.0, 10.0);
  one.DrawTo(11.0, 12.0);
  bulk.DrawTo(std::vector<double>{7, 9, 11}, std::vector<double>{8, 10, 12});
  ExpectSameRecords(one, bulk);
  EXPECT_EQ(bulk.DataContainer(bulk.NumItems() - 2).Param1, 11);  // from the arrow's slot

  // Annotations take the bulk forms as well.
  one.SetAnnoMode(true);
  bulk.SetAnnoMode(true);
  for (int i = 0; i < 20; ++i) one.MarkAt(x[size_t(i)], y[size_t(i)], 2);
  bulk.MarkAt(std::span(x).first(20), std::span(y).first(20), 2);
  ASSERT_EQ(bulk.NumAnnos(), 20);
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(SameBytes(one.AnnoContainer(i), bulk.AnnoContainer(i)));

  // Qt points give the same items as separate arrays.
  std::vector<QPointF> pts;
  for (int i = 0; i < 5000; ++i) pts.emplace_back(x[size_t(i % 2500)], y[size_t(i % 2500)]);
  ProbeChart q1, q2;
  q1.DrawTo(pts);
  q1.MarkAt(std::span(pts).first(10), 4);
  for (const QPointF& p : pts) q2.DrawTo(p.x(), p.y());
  for (int i = 0; i < 10; ++i) q2.MarkAt(pts[size_t(i)].x(), pts[size_t(i)].y(), 4);
  ExpectSameRecords(q1, q2);

  EXPECT_THROW(bulk.DrawTo(x, std::span(y).first(3)), EZYRRChartError);
  EXPECT_EQ(bulk.NumAnnos(), 20);
  bulk.DrawTo(std::span<const double>(), std::span<const double>());
  EXPECT_EQ(bulk.NumAnnos(), 20);
}

TEST(ChartStore, SharedChartsSeeBulkAppendsAndClearing) {
  ProbeChart a, b;
  b.SetUseDataOf(&a);
  const std::vector<double> x{1, 2, 3, 4, 5}, y{5, 4, 3, 2, 1};
  b.DrawTo(x, y);
  EXPECT_EQ(a.NumItems(), 5);
  EXPECT_EQ(a.ItemCount(tkLineto), 5);
  EXPECT_EQ(a.DataContainer(4).y, 1.0);
  a.ClearGraf();
  EXPECT_EQ(b.NumItems(), 0);
  EXPECT_EQ(b.DataContainer(0).ItemKind, tkNone);
  a.MarkAt(x, y, 1);
  EXPECT_EQ(b.NumItems(), 5);
  EXPECT_EQ(b.DataContainer(2).ItemKind, tkMarkAt);
  b.SetUseDataOf(nullptr);
  a.ClearGraf();
  EXPECT_EQ(b.NumItems(), 5);
  EXPECT_EQ(b.DataContainer(2).x, 3.0);
}

TEST(ChartStore, FilesHoldTheRecordsByteForByte) {
  ProbeChart c;
  std::mt19937 rng(8);
  std::uniform_real_distribution<double> u(0, 100);
  c.MoveTo(0.0, 0.0);
  for (int i = 0; i < 9000; ++i) {
    if (i % 1500 == 0) c.SetDataColor(TColor(rng() & 0xFFFFFF));
    if (i % 2222 == 0) c.Text(u(rng), u(rng), 8, "sixteen letters!");
    if (i % 7 == 0) c.Rectangle(u(rng), u(rng), u(rng), u(rng));
    c.DrawTo(double(i), u(rng));
  }
  // A run split by a write, and its first and last items removed.
  TrcChartItem w = c.DataContainer(4000);
  w.ItemClass = 9;
  c.SetDataContainer(4000, w);
  c.RemoveItem(3000);
  c.RemoveItem(c.NumItems() - 1);
  const std::string fn = TempFile("bytes.dat");
  c.SaveData(fn);
  const std::string b = ReadAll(fn);
  ASSERT_GE(b.size(), size_t(c.NumItems() + 1) * sizeof(TrcChartItem));
  for (int i = 0; i < c.NumItems(); ++i) {
    const TrcChartItem r = c.DataContainer(i);
    ASSERT_EQ(std::memcmp(b.data() + (i + 1) * sizeof r, &r, sizeof r), 0) << i;
  }
  ProbeChart d;
  ASSERT_EQ(d.LoadData(fn, false), c.NumItems());
  ExpectSameRecords(c, d, false);
  const std::string fn2 = TempFile("bytes2.dat");
  d.SaveData(fn2);
  EXPECT_EQ(ReadAll(fn2), b);
  std::filesystem::remove(fn);
  std::filesystem::remove(fn2);
}

}  // namespace zyr::test
