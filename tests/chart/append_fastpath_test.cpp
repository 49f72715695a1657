// SPDX-License-Identifier: MIT
// Single DrawTo and MarkAt calls lengthen the last run of the store directly while the drawing
// state and the store are as the previous addition left them. Whatever happens between two
// points, the chart must hold the items, counts, capacities, files and pictures that the
// general path of every addition makes.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
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

// An owner and a chart that may share its data, with the direct path on or off.
struct TWorld {
  ProbeChart Owner, User;
  explicit TWorld(bool Fast) {
    for (ProbeChart* c : {&Owner, &User}) {
      c->SetAppendFastPath(Fast);
      c->SetBounds(0, 0, 320, 240);
    }
  }
};

void ExpectSameChart(const ProbeChart& a, const ProbeChart& b, bool Records) {
  ASSERT_EQ(a.NumItems(), b.NumItems());
  ASSERT_EQ(a.NumAnnos(), b.NumAnnos());
  ASSERT_EQ(a.DataLength(), b.DataLength());
  ASSERT_EQ(a.AnnoLength(), b.AnnoLength());
  ASSERT_EQ(a.DataCapacity(), b.DataCapacity());
  ASSERT_EQ(a.AnnoCapacity(), b.AnnoCapacity());
  for (int k = 0; k < rcNumItemKinds; ++k) ASSERT_EQ(a.ItemCount(k), b.ItemCount(k)) << k;
  if (!Records) return;
  for (int i = 0; i < a.NumItems(); ++i)
    ASSERT_TRUE(SameBytes(a.DataContainer(i), b.DataContainer(i))) << "data item " << i;
  for (int i = 0; i < a.NumAnnos(); ++i)
    ASSERT_TRUE(SameBytes(a.AnnoContainer(i), b.AnnoContainer(i))) << "annotation " << i;
  // Slots past the count (left by removals) are reused by later additions: they must match too.
  for (size_t i = size_t(a.NumItems()); i < a.DataLength(); ++i)
    ASSERT_TRUE(SameBytes(a.Store()[i], b.Store()[i])) << "slot " << i;
}

void ExpectSameWorld(const TWorld& a, const TWorld& b, bool Records) {
  {
    SCOPED_TRACE("owner");
    ExpectSameChart(a.Owner, b.Owner, Records);
  }
  SCOPED_TRACE("user");
  ExpectSameChart(a.User, b.User, Records);
}

std::string TempFile(const std::string& name) {
  return (std::filesystem::path(testing::TempDir()) / ("zyr_fastpath_" + name)).string();
}

std::string ReadAll(const std::string& fn) {
  std::ifstream f(fn, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// One random step of a caller: mostly points, now and then anything that could leave the
// run at the end of the store other than the next point expects.
void RandomStep(TWorld& w, std::mt19937& rng, bool& Shared) {
  std::uniform_real_distribution<double> u(-50, 50);
  const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ProbeChart& c = Shared && pick(3) == 0 ? w.User : w.Owner;
  const int op = pick(1000);
  const double x = pick(40) == 0 ? nan : u(rng), y = pick(60) == 0 ? nan : u(rng);
  if (op < 600) {
    c.DrawTo(x, y);
  } else if (op < 700) {
    c.MarkAt(x, y, uint8_t(pick(40) == 0 ? 3 : 1));
  } else if (op < 720) {
    const int sx = pick(300), sy = pick(200);
    switch (pick(5)) {
      case 0:
        c.DrawTo(sx, sy);
        break;
      case 1:
        c.DrawTo(sx, y);
        break;
      case 2:
        c.DrawTo(x, sy);
        break;
      case 3:
        c.MarkAt(sx, sy, 2);
        break;
      default:
        c.MarkAt(x, y, 2);
        break;
    }
  } else if (op < 800) {
    // Pen changes, some of which set what is already set.
    const int v = pick(3);
    switch (pick(9)) {
      case 0:
        c.SetDataColor(TColor(0x10 * v));
        break;
      case 1:
        c.SetFillColor(TColor(0x2000 * v));
        break;
      case 2:
        c.SetPenStyle(TPenStyle(v));
        break;
      case 3:
        c.SetLineWidth(uint8_t(1 + v));
        break;
      case 4:
        c.SetDataTag(v - 1);
        break;
      case 5:
        c.SetClassDefault(uint8_t(v));
        break;
      case 6:
        c.SetActiveLayer(1 + v % 2);
        break;
      case 7:
        c.SetAnnoMode(pick(4) == 0);
        break;
      default:
        c.SetAllocSize(1 + pick(40));
        break;
    }
  } else if (op < 830) {
    c.MoveTo(x, y);
  } else if (op < 845) {
    if (pick(2))
      c.Line(x, y, y, x);
    else
      c.Text(x, y, 8, "label");
  } else if (op < 875) {
    c.RemoveLastItem();
  } else if (op < 890) {
    if (c.NumItems() > 0) c.RemoveItem(pick(c.NumItems()));
  } else if (op < 925) {
    // Writes into a run: the same record, other coordinates, another pen; often the last item.
    if (c.NumItems() > 0) {
      const int i = pick(2) ? c.NumItems() - 1 : pick(c.NumItems());
      TrcChartItem r = c.DataContainer(i);
      if (pick(2)) r.y += 1;
      if (pick(3) == 0) r.Color ^= 0x010101;
      c.SetDataContainer(i, r);
    }
  } else if (op < 935) {
    if (c.NumAnnos() > 0) c.SetAnnoContainer(c.NumAnnos() - 1, c.AnnoContainer(0));
  } else if (op < 945) {
    c.ScaleItem(pick(c.NumItems() + 1), 1, 1, 1, 0);
  } else if (op < 955) {
    std::vector<double> xs(size_t(pick(90))), ys(xs.size());
    for (size_t k = 0; k < xs.size(); ++k) xs[k] = ys[k] = u(rng);
    if (pick(2))
      c.DrawTo(xs, ys);
    else
      c.MarkAt(xs, ys, 1);
  } else if (op < 962) {
    c.RemoveItemsByClass(uint8_t(pick(3)));
  } else if (op < 967) {
    c.RemoveItemsByLayer(2);
  } else if (op < 972) {
    c.NewColorOfClassItems(clRed, uint8_t(pick(3)));
  } else if (op < 977) {
    c.ClearGraf();
  } else if (op < 982) {
    if (pick(2))
      c.ClearAnnotations();
    else if (c.NumAnnos() > 0)
      c.RemoveAnnoItem(pick(c.NumAnnos()));
  } else {
    // Joining and leaving the share, sometimes in the middle of a stream of the owner.
    Shared = !Shared;
    w.User.SetUseDataOf(Shared ? &w.Owner : nullptr);
  }
}

// Runs the same random steps in a world with the direct path and one without.
void CompareRandomRun(unsigned Seed, int Steps) {
  TWorld fast(true), slow(false);
  std::mt19937 rf(Seed), rs(Seed);
  bool sharedF = false, sharedS = false;
  for (int s = 0; s < Steps; ++s) {
    RandomStep(fast, rf, sharedF);
    RandomStep(slow, rs, sharedS);
    ASSERT_NO_FATAL_FAILURE(ExpectSameWorld(fast, slow, s % 400 == 0)) << "step " << s;
  }
  ASSERT_NO_FATAL_FAILURE(ExpectSameWorld(fast, slow, true));

  for (TWorld* w : {&fast, &slow}) {
    w->Owner.SetAnnoMode(false);
    w->Owner.SetRange(1, -60, -60, 60, 60);
    w->Owner.SetRange(2, -60, -60, 60, 60);
  }
  EXPECT_EQ(fast.Owner.WindowPicture(), slow.Owner.WindowPicture());
  const std::string a = TempFile("fast.dat"), b = TempFile("slow.dat");
  fast.Owner.SaveData(a);
  slow.Owner.SaveData(b);
  EXPECT_EQ(ReadAll(a), ReadAll(b));
  std::filesystem::remove(a);
  std::filesystem::remove(b);
}

}  // namespace

TEST(AppendFastPath, RandomInterleavingsKeepTheItemsOfTheGeneralPath) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    ASSERT_NO_FATAL_FAILURE(CompareRandomRun(seed, 6000));
  }
}

TEST(AppendFastPath, EveryPenSettingReachesTheNextPoint) {
  // Each setting that a new point takes, changed after a long run: the next point carries it.
  const std::vector<std::function<void(TCustomRChart&)>> changes = {
      [](TCustomRChart& c) { c.SetDataColor(clRed); },
      [](TCustomRChart& c) { c.SetFillColor(clBlue); },
      [](TCustomRChart& c) { c.SetPenStyle(psDot); },
      [](TCustomRChart& c) { c.SetLineWidth(3); },
      [](TCustomRChart& c) { c.SetDataTag(77); },
      [](TCustomRChart& c) { c.SetClassDefault(9); },
      [](TCustomRChart& c) { c.SetActiveLayer(2); },
      [](TCustomRChart& c) { c.SetAnnoMode(true); },
  };
  for (size_t k = 0; k < changes.size(); ++k) {
    SCOPED_TRACE(k);
    ProbeChart fast, slow;
    slow.SetAppendFastPath(false);
    for (ProbeChart* c : {&fast, &slow}) {
      for (int i = 0; i < 100; ++i) c->DrawTo(double(i), double(-i));
      changes[k](*c);
      c->DrawTo(1000.0, 2000.0);
      c->MarkAt(3000.0, 4000.0, 5);
      c->MarkAt(3001.0, 4001.0, 6);
      c->DrawTo(5000, 6000);  // pixels: another coordinate mode for annotations
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSameChart(fast, slow, true));
    const TCustomRChart& f = fast;
    const bool anno = f.AnnoMode();
    TrcChartItem last = anno ? f.AnnoContainer(f.NumAnnos() - 4) : f.DataContainer(100);
    const TrcChartItem before = f.DataContainer(99);
    EXPECT_EQ(last.x, 1000.0);
    if (anno) {
      EXPECT_EQ(f.NumItems(), 100);
      EXPECT_EQ(f.NumAnnos(), 4);
    } else {
      last.x = before.x;
      last.y = before.y;
      EXPECT_FALSE(SameBytes(last, before));
    }
    EXPECT_EQ((anno ? f.AnnoContainer(f.NumAnnos() - 2) : f.DataContainer(102)).Param3, 6);
  }
}

TEST(AppendFastPath, RunsKeepTheirSummariesAndCapacityStepsAsTheGeneralPath) {
  ProbeChart fast, slow, bulk;
  slow.SetAppendFastPath(false);
  std::vector<double> x, y;
  for (int i = 0; i < 5000; ++i) {
    x.push_back(i % 777 == 0 ? std::numeric_limits<double>::quiet_NaN() : i);
    y.push_back(std::sin(i * 0.01) * (i % 1000 == 999 ? INFINITY : 1));
  }
  for (ProbeChart* c : {&fast, &slow, &bulk}) c->SetAllocSize(33);
  for (size_t i = 0; i < x.size(); ++i) {
    fast.DrawTo(x[i], y[i]);
    slow.DrawTo(x[i], y[i]);
  }
  bulk.DrawTo(x, y);
  ASSERT_NO_FATAL_FAILURE(ExpectSameChart(fast, slow, true));
  ASSERT_NO_FATAL_FAILURE(ExpectSameChart(fast, bulk, true));
  EXPECT_EQ(fast.DataCapacity(), 33 * (5000 / 33 + 1));
  // One run, whose block summaries are ready and equal to those of the bulk append.
  EXPECT_EQ(fast.Store().Rests().Segs().size(), 1u);
  const size_t blocks = 5000 / TRcItemContainer::kBlockSize;
  ASSERT_EQ(fast.Store().SummariseBlocks(5000), blocks);
  ASSERT_EQ(bulk.Store().SummariseBlocks(5000), blocks);
  for (size_t b = 0; b < blocks; ++b) {
    const TLineBlock &p = fast.Store().BlockData()[b], &q = bulk.Store().BlockData()[b];
    EXPECT_EQ(p.Summable, q.Summable) << b;
    EXPECT_TRUE(std::memcmp(&p, &q, offsetof(TLineBlock, Summable)) == 0) << b;
  }
}

TEST(AppendFastPath, ChartsOfAShareAppendInTurn) {
  // Two charts of a share add to the same run one point each in turn: every point must land
  // after the other chart's, and both charts must count all of them.
  TWorld fast(true), slow(false);
  for (TWorld* w : {&fast, &slow}) {
    w->User.SetUseDataOf(&w->Owner);
    for (int i = 0; i < 3000; ++i) (i % 2 ? w->User : w->Owner).DrawTo(double(i), double(i % 7));
    // A stream from one chart of the share: the other sees every point at once.
    for (int i = 0; i < 500; ++i) w->User.DrawTo(double(i), 1.0);
    EXPECT_EQ(w->Owner.NumItems(), 3500);
    EXPECT_EQ(w->Owner.ItemCount(tkLineto), 3500);
    EXPECT_EQ(w->Owner.DataContainer(3499).x, 499.0);
    w->Owner.RemoveLastItem();
    w->User.DrawTo(-1.0, -1.0);
    w->User.ClearGraf();
    w->Owner.DrawTo(5.0, 5.0);
    w->Owner.DrawTo(6.0, 6.0);
  }
  ASSERT_NO_FATAL_FAILURE(ExpectSameWorld(fast, slow, true));
  EXPECT_EQ(fast.User.NumItems(), 2);
  EXPECT_EQ(fast.User.DataContainer(1).x, 6.0);
}

TEST(ItemStore, BlockSummariesMatchAPlainPass) {
  // Blocks of every shape: rising, falling, flat, with signed zeros, NaN or infinities at the
  // ends and inside; the summary must give what a plain pass over the points gives.
  constexpr size_t n = TRcItemContainer::kBlockSize;
  std::mt19937 rng(11);
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = INFINITY;
  TRcItemContainer c;
  TrcChartItem r;
  r.ItemKind = tkLineto;
  std::vector<TLineBlock> want;
  for (int b = 0; b < 400; ++b) {
    std::vector<double> x(n), y(n);
    const int shape = b % 8;
    for (size_t i = 0; i < n; ++i) {
      x[i] = shape == 1 ? -double(i) : shape == 2 ? 5.0 : shape == 3 ? double(rng() % 9) : i;
      y[i] = double(int(rng() % 200) - 100) / 4;
      if (rng() % 16 == 0) y[i] = -0.0;
    }
    const size_t at = rng() % n;
    if (shape == 4) y[at] = nan;
    if (shape == 5) x[at] = b % 16 < 8 ? inf : -inf;
    if (shape == 6) y[at] = -inf;
    if (shape == 7) y[0] = nan;
    if (b % 3 == 0) y[n - 1] = nan;  // the last point is outside the extremes
    c.AppendPoints(r, x.data(), y.data(), n);
    TLineBlock p;
    p.xFirst = x[0];
    p.xLast = x[n - 1];
    p.yFirst = y[0];
    p.yLast = y[n - 1];
    p.yLo = p.yHi = y[0];
    bool up = true, down = true, finite = true;
    for (size_t i = 0; i < n; ++i) finite = finite && std::isfinite(x[i]) && std::isfinite(y[i]);
    for (size_t i = 0; i + 1 < n; ++i) {
      up = up && x[i] <= x[i + 1];
      down = down && x[i] >= x[i + 1];
      p.yLo = std::min(p.yLo, y[i]);
      p.yHi = std::max(p.yHi, y[i]);
    }
    p.Summable = finite && (up || down);
    want.push_back(p);
  }
  ASSERT_EQ(c.SummariseBlocks(c.Size()), want.size());
  for (size_t b = 0; b < want.size(); ++b) {
    const TLineBlock& g = c.BlockData()[b];
    EXPECT_EQ(g.Summable, want[b].Summable) << b;
    for (auto f : {&TLineBlock::xFirst, &TLineBlock::xLast, &TLineBlock::yFirst, &TLineBlock::yLast,
                   &TLineBlock::yLo, &TLineBlock::yHi}) {
      const double a = g.*f, e = want[b].*f;
      EXPECT_TRUE(a == e || (std::isnan(a) && std::isnan(e)))
          << "block " << b << ": " << a << " against " << e;
    }
  }
}

TEST(ItemStore, BulkAppendsOfAnyLengthKeepEveryPointAndSummary) {
  // Appends that start and end inside blocks, single points in between, a NaN now and then;
  // the store must hold the points and give the summaries of one pass over them.
  constexpr size_t B = TRcItemContainer::kBlockSize;
  std::mt19937 rng(4);
  TRcItemContainer c;
  TrcChartItem r;
  r.ItemKind = tkLineto;
  std::vector<double> xs, ys;
  for (size_t len : {size_t(1), size_t(3), B - 5, B, 7 * B + 9, size_t(1), 2 * B, 500 * B + 13}) {
    std::vector<double> x(len), y(len);
    for (size_t k = 0; k < len; ++k) {
      x[k] = double(xs.size() + k);
      y[k] = rng() % 97 == 0 ? std::numeric_limits<double>::quiet_NaN() : double(rng() % 1000);
    }
    c.AppendPoints(r, x.data(), y.data(), len);
    xs.insert(xs.end(), x.begin(), x.end());
    ys.insert(ys.end(), y.begin(), y.end());
  }
  ASSERT_EQ(c.Size(), xs.size());
  EXPECT_EQ(std::memcmp(c.X(), xs.data(), xs.size() * sizeof(double)), 0);
  EXPECT_EQ(std::memcmp(c.Y(), ys.data(), ys.size() * sizeof(double)), 0);
  ASSERT_EQ(c.SummariseBlocks(c.Size()), xs.size() / B);
  for (size_t b = 0; b < xs.size() / B; ++b) {
    const TLineBlock& g = c.BlockData()[b];
    double lo = ys[b * B], hi = lo;
    bool finite = true;
    for (size_t k = b * B; k < (b + 1) * B; ++k) {
      finite = finite && std::isfinite(ys[k]);
      if (k + 1 < (b + 1) * B) {
        lo = std::min(lo, ys[k]);
        hi = std::max(hi, ys[k]);
      }
    }
    EXPECT_EQ(g.Summable, finite) << b;
    if (finite) {
      EXPECT_EQ(g.yLo, lo) << b;
      EXPECT_EQ(g.yHi, hi) << b;
    }
    EXPECT_EQ(g.xFirst, xs[b * B]);
    const double last = ys[(b + 1) * B - 1];
    EXPECT_TRUE(g.yLast == last || (std::isnan(g.yLast) && std::isnan(last))) << b;
  }
}

}  // namespace zyr::test
