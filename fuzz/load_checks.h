// SPDX-License-Identifier: MIT
#pragma once
// Checks shared by the item-file fuzzer and the corpus regression test: a load of arbitrary
// bytes answers a valid code, a failed load changes nothing and a successful one keeps every
// value of the file, numbers long texts soundly and survives a save and reload.

#include <zyr/chart/rchart.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace zyr::fuzz {

/// Everything a load may touch, read through the public interface.
struct ChartState {
  std::vector<TrcChartItem> data, anno;
  std::vector<std::string> dataTexts, annoTexts;
  std::array<int, rcNumItemKinds> counts{};
};

inline ChartState Snapshot(const TCustomRChart& c) {
  ChartState s;
  for (int i = 0; i < c.NumItems(); ++i) {
    s.data.push_back(c.DataContainer(i));
    s.dataTexts.push_back(c.DataLongText(i));
  }
  for (int i = 0; i < c.NumAnnos(); ++i) {
    s.anno.push_back(c.AnnoContainer(i));
    s.annoTexts.push_back(c.AnnoLongText(i));
  }
  for (int k = 0; k < rcNumItemKinds; ++k) s.counts[size_t(k)] = c.ItemCount(k);
  return s;
}

inline bool SameRecords(const std::vector<TrcChartItem>& a, const std::vector<TrcChartItem>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(TrcChartItem)) == 0);
}

/// A chart with items and long texts in both containers, so that damage shows.
inline void FillBaseline(TCustomRChart& c) {
  c.ClearGraf();
  c.ClearAnnotations();
  c.SetAnnoMode(false);
  c.MoveTo(1.0, 2.0);
  c.Text(0.5, 0.5, 9, "a long text of the data, kept whole");
  c.DrawTo(3.0, 4.0);
  c.MarkAt(5.0, 6.0, 3);
  c.SetAnnoMode(true);
  c.Line(1, 2, 30, 40);
  c.Text(5, 5, 8, "an annotation with its own long text");
  c.SetAnnoMode(false);
}

inline void WriteFile(const std::string& fn, const uint8_t* data, size_t size) {
  std::ofstream f(fn, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

namespace detail {

template <typename T>
T At(const uint8_t* p, size_t off) {
  T v;
  std::memcpy(&v, p + off, sizeof v);
  return v;
}

// A loaded record keeps every value of its file record; only the boolean, the text length and
// the long-text number of text items may be tamed.
inline std::string CompareWithFile(const TrcChartItem& r, const uint8_t* p) {
  if (std::memcmp(&r, p, 32) != 0) return "coordinates differ from the file";
  if (std::memcmp(&r.Color, p + 32, 16) != 0) return "colours differ from the file";
  if (r.PenStyle != p[48] || r.Tag != At<int32_t>(p, 52) || r.ItemClass != p[60] ||
      r.ItemKind != p[61] || r.Layer != At<int32_t>(p, 64) || r.FrameStyle != p[69] ||
      r.CoordMode != p[100])
    return "a field differs from the file";
  if (r.Param1 != At<int32_t>(p, 88) || r.Param2 != At<int32_t>(p, 92) ||
      r.Param3 != At<int32_t>(p, 96))
    return "a parameter differs from the file";
  if (r.Transp != (p[68] != 0)) return "transparency differs from the file";
  if (r.Text.Len != std::min<uint8_t>(p[70], 15) ||
      std::memcmp(r.Text.Chars, p + 71, r.Text.Len) != 0)
    return "short text differs from the file";
  if (!IsTextItem(r.ItemKind) && r.LWid != At<int32_t>(p, 56))
    return "line width differs from the file";
  return {};
}

// Text items name distinct long texts within 1..50.
inline std::string CheckTextNumbers(const std::vector<TrcChartItem>& items) {
  std::array<bool, rcMaxLongTexts + 1> used{};
  for (const TrcChartItem& r : items) {
    if (!IsTextItem(r.ItemKind) || r.LWid == 0) continue;
    if (r.LWid < 0 || r.LWid > rcMaxLongTexts) return "long-text number out of range";
    if (used[size_t(r.LWid)]) return "two items name the same long text";
    used[size_t(r.LWid)] = true;
  }
  return {};
}

// Records equal up to the numbering of long texts, which a reload may compact.
inline std::string CompareReloaded(const std::vector<TrcChartItem>& a,
                                   const std::vector<std::string>& aTexts,
                                   const std::vector<TrcChartItem>& b,
                                   const std::vector<std::string>& bTexts) {
  if (a.size() != b.size()) return "reload gives another item count";
  for (size_t i = 0; i < a.size(); ++i) {
    TrcChartItem x = a[i], y = b[i];
    if (IsTextItem(x.ItemKind) && (x.LWid != 0) == (y.LWid != 0)) x.LWid = y.LWid;
    if (std::memcmp(&x, &y, sizeof x) != 0) return "reload changes item " + std::to_string(i);
    if (aTexts[i] != bTexts[i]) return "reload changes the text of item " + std::to_string(i);
  }
  return {};
}

}  // namespace detail

/// Loads File (holding Bytes) into Chart, set to the baseline first, as data or annotations,
/// appended or not, and checks the outcome; Scratch and ScratchFile serve the reload.
/// Returns an empty text when everything holds, else what went wrong.
inline std::string CheckLoad(TCustomRChart& Chart, TCustomRChart& Scratch, const std::string& File,
                             const std::string& ScratchFile, const uint8_t* Bytes, size_t Size,
                             bool Anno, bool AppendIt) {
  FillBaseline(Chart);
  const ChartState before = Snapshot(Chart);
  const int r = Anno ? Chart.LoadAnno(File, AppendIt) : Chart.LoadData(File, AppendIt);
  const ChartState after = Snapshot(Chart);
  const std::string what =
      std::string(Anno ? "LoadAnno" : "LoadData") + (AppendIt ? " appending: " : " replacing: ");

  if (r < 0) {
    if (r != -1 && r != -2) return what + "result " + std::to_string(r);
    if (!SameRecords(before.data, after.data) || !SameRecords(before.anno, after.anno) ||
        before.dataTexts != after.dataTexts || before.annoTexts != after.annoTexts ||
        before.counts != after.counts)
      return what + "failed load changed the chart";
    return {};
  }

  const size_t rec = sizeof(TrcChartItem);
  if (Size < rec || size_t(r) > (Size - rec) / rec)
    return what + "more items than the file holds: " + std::to_string(r);
  const auto& items = Anno ? after.anno : after.data;
  const auto& texts = Anno ? after.annoTexts : after.dataTexts;
  const auto& oldItems = Anno ? before.anno : before.data;
  const auto& oldTexts = Anno ? before.annoTexts : before.dataTexts;
  const size_t base = AppendIt ? oldItems.size() : 0;
  if (items.size() != base + size_t(r)) return what + "item count does not match the result";

  // The other container stays as it was; so do the items an append keeps.
  if (Anno ? !SameRecords(before.data, after.data) || before.dataTexts != after.dataTexts ||
                 before.counts != after.counts
           : !SameRecords(before.anno, after.anno) || before.annoTexts != after.annoTexts)
    return what + "the other container changed";
  if (AppendIt) {
    if (base > 0 && std::memcmp(items.data(), oldItems.data(), base * rec) != 0)
      return what + "kept items changed";
    for (size_t i = 0; i < base; ++i)
      if (texts[i] != oldTexts[i]) return what + "a kept long text changed";
  }

  std::array<int, rcNumItemKinds> kinds{};
  for (size_t i = 0; i < size_t(r); ++i) {
    const TrcChartItem& it = items[base + i];
    const std::string e = detail::CompareWithFile(it, Bytes + rec * (i + 1));
    if (!e.empty()) return what + e + " (item " + std::to_string(i) + ")";
    if (it.ItemKind < rcNumItemKinds) ++kinds[it.ItemKind];
    (void)ItemDescription(it, -1);
  }
  if (std::string e = detail::CheckTextNumbers(items); !e.empty()) return what + e;
  if (!Anno)
    for (int k = 0; k < rcNumItemKinds; ++k)
      if (after.counts[size_t(k)] != (AppendIt ? before.counts[size_t(k)] : 0) + kinds[size_t(k)])
        return what + "kind counter " + std::to_string(k) + " is wrong";

  // What was loaded is saved and read back unchanged.
  if (Anno)
    Chart.SaveAnno(ScratchFile);
  else
    Chart.SaveData(ScratchFile);
  Scratch.ClearGraf();
  Scratch.ClearAnnotations();
  const int r2 = Anno ? Scratch.LoadAnno(ScratchFile, false) : Scratch.LoadData(ScratchFile, false);
  if (r2 != int(items.size())) return what + "reload of the saved file gives " + std::to_string(r2);
  const ChartState again = Snapshot(Scratch);
  const std::string e = Anno ? detail::CompareReloaded(items, texts, again.anno, again.annoTexts)
                             : detail::CompareReloaded(items, texts, again.data, again.dataTexts);
  return e.empty() ? e : what + e;
}

}  // namespace zyr::fuzz
