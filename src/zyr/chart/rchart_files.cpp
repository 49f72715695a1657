// SPDX-License-Identifier: MIT
// Chart item files (SaveData/LoadData, SaveAnno/LoadAnno), the text listing of the data
// items and the item description.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/errors.h>
#include <zyr/platform/foundation/format.h>
#include <zyr/platform/foundation/streams.h>
#include <zyr/platform/host/files.h>

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstring>
#include <fstream>
#include <utility>

namespace zyr {

namespace {

constexpr size_t kRecSize = sizeof(TrcChartItem);
constexpr char kDataMarker[] = "[DATAFORMAT]";
constexpr char kAnnoMarker[] = "[ANNOFORMAT]";
constexpr int kMarkerLen = 12;
constexpr int kMaxLoadItems = INT_MAX - 1000001;
constexpr const char* kCrLf = "\r\n";

// Records are little-endian on disk; other machines turn each field around.
void SwapRecord(TrcChartItem& r) {
  if constexpr (std::endian::native == std::endian::big) {
    auto swapBytes = [](void* p, size_t n) {
      auto* b = static_cast<unsigned char*>(p);
      std::reverse(b, b + n);
    };
    for (double* d : {&r.x, &r.y, &r.x2, &r.y2}) swapBytes(d, 8);
    for (TColor* c : {&r.Color, &r.FillColor, &r.ShadowColor, &r.HiLightColor}) swapBytes(c, 4);
    for (int32_t* i : {&r.Tag, &r.LWid, &r.Layer, &r.Param1, &r.Param2, &r.Param3}) swapBytes(i, 4);
  } else {
    (void)r;
  }
}

// Makes a record read from a file safe to use: booleans 0 or 1, text length at most 15,
// padding zero.
void SanitiseRecord(TrcChartItem& r) {
  auto* raw = reinterpret_cast<unsigned char*>(&r);
  const size_t transpAt = offsetof(TrcChartItem, Transp);
  raw[transpAt] = raw[transpAt] ? 1 : 0;
  SwapRecord(r);
  if (r.Text.Len > 15) r.Text.Len = 15;
  r.ClearPadding();
}

TrcChartItem HeaderRecord(const char* Marker, int N, int M) {
  TrcChartItem h;
  TCustomRChart::ClearChartItem(h);
  h.Text.Len = kMarkerLen;
  std::memcpy(h.Text.Chars, Marker, kMarkerLen);
  h.LWid = -2;
  h.Param1 = N;
  h.Param2 = M;
  return h;
}

std::string Hex(uint32_t v, int digits) {
  digits = std::clamp(digits, 1, 8);
  std::string s(size_t(digits), '0');
  for (int i = digits - 1; i >= 0; --i, v >>= 4) s[size_t(i)] = "0123456789ABCDEF"[v & 0xF];
  return s;
}

std::string F(double v) { return SigDigStr(v, 10, 5, true); }
std::string G(double v) { return SigDigStr(v, 10, 0, true); }
std::string H(double v) { return SigDigStr(v, 10, 8, true); }

const char* PrintedKindName(TrcItem k) {
  static constexpr const char* names[rcNumItemKinds] = {"",
                                                        "tkMarkAt",
                                                        "tkLine",
                                                        "tkLineTo",
                                                        "tkRect",
                                                        "tkRectFrame",
                                                        "tk3DBar",
                                                        "tkText",
                                                        "tkMoveTo",
                                                        "tkEllipse",
                                                        "",
                                                        "",
                                                        "tkMoveRelPix",
                                                        "tkLineRelPix",
                                                        "tkArrow",
                                                        "tkDoubleArrow",
                                                        "tkTextOfs",
                                                        "tkRectRelPix",
                                                        "tkMarkEBar",
                                                        "tkLineOffs",
                                                        "tkArc",
                                                        "tkLineRelPixOrig",
                                                        "tkCursorVert",
                                                        "tkCursorHoriz"};
  return k < rcNumItemKinds ? names[k] : "";
}

std::string KindDetails(const TrcChartItem& it) {
  std::string s;
  auto line = [&s](const std::string& l) { s += kCrLf + l; };
  auto lineWidth = [&] { line("linewidth: " + std::to_string(it.LWid)); };
  auto pair = [](const char* label, double a, double b) {
    return std::string(label) + "[" + F(a) + "/" + F(b) + "]";
  };
  auto fill = [&] { line("fillcolor: " + Hex(it.FillColor, 8)); };
  auto transp = [&] { line("  transp.: " + BoolToStr(it.Transp, 0)); };
  switch (it.ItemKind) {
    case tkMarkAt:
      line(" marktype: " + std::to_string(it.Param3));
      break;
    case tkLine:
      lineWidth();
      line(pair(" endpoint: ", it.x2, it.y2));
      break;
    case tkRect:
      lineWidth();
      line(pair("   corner: ", it.x2, it.y2));
      fill();
      transp();
      break;
    case tkRectFrame: {
      lineWidth();
      line(pair("   corner: ", it.x2, it.y2));
      fill();
      static constexpr const char* frames[] = {"rbLowered", "rbRaised", "rbEmbossed", "rbEngraved"};
      if (it.FrameStyle >= 2 && it.FrameStyle <= 5)
        line(std::string("frametype: ") + frames[it.FrameStyle - 2]);
      line("shadowcol: " + Hex(it.ShadowColor, 8));
      line("hilitecol: " + Hex(it.HiLightColor, 8));
      break;
    }
    case tk3DBar:
      lineWidth();
      line(pair(" endpoint: ", it.x2, it.y2));
      fill();
      line("    depth: " + std::to_string(it.Param2));
      line("    angle: " + std::to_string(it.Param1));
      break;
    case tkText:
    case tkTextOfs: {
      // Stored single-byte text: each byte is one character, even where two of them happen to
      // form a UTF-8 sequence.
      std::string reduced;
      for (size_t k = 0; k < std::min<size_t>(it.Text.Len, 15); ++k)
        reduced += ReduceStringToAZ09(std::string(1, it.Text.Chars[k]));
      line("     text: \"" + reduced + "\"" + (it.LWid > 0 ? " (abbrev.)" : ""));
      line("     size: " + std::to_string(it.Param1));
      line("    align: " + std::to_string(it.Param3));
      if (it.ItemKind == tkTextOfs) {
        line(" offset x: '" + G(it.x2) + "'");
        line(" offset y: '" + G(it.y2) + "'");
      }
      break;
    }
    case tkEllipse:
      lineWidth();
      line(" halfaxes: " + F(it.x2) + " " + F(it.y2));
      fill();
      transp();
      break;
    case tkArrow:
    case tkDoubleArrow:
      lineWidth();
      line(pair("    arrow: ", it.x2, it.y2));
      fill();
      transp();
      line(" headsize: " + std::to_string(it.Param1));
      break;
    case tkRectRelPix:
      lineWidth();
      line("    dx/dy: " + std::to_string(it.Param1) + "/" + std::to_string(it.Param2));
      fill();
      transp();
      break;
    case tkMarkEBar:
      lineWidth();
      line(pair("   errors: ", it.x2, it.y2));
      line(" marktype: " + std::to_string(it.Param3));
      line("direction: " + std::to_string(it.Param1));
      break;
    case tkLineOffs:
      lineWidth();
      line(pair(" endpoint: ", it.x2, it.y2));
      line(pair("   offset: ", it.Param1, it.Param2));
      break;
    case tkArc:
      lineWidth();
      line(" halfaxes: " + F(it.x2) + " " + F(it.y2));
      line("   angles: " + H(it.Param1 / 1e8) + " " + H(it.Param2 / 1e8));
      break;
    case tkLineRelPixOrig:
      lineWidth();
      line("    dx/dy: " + G(it.x2) + "/" + G(it.y2));
      break;
    default:
      break;
  }
  return s;
}

}  // namespace

std::string ItemDescription(const TrcChartItem& Item, int Flags) {
  std::string s;
  if (Flags & 1) s += std::string("elemtype: ") + PrintedKindName(Item.ItemKind);
  if (Flags & 2) {
    const bool screen = Item.CoordMode == cmAllScreen || Item.CoordMode == cmScreenMainWorldSec;
    const std::string S = screen ? " (screen coords)" : "";
    switch (Item.ItemKind) {
      case tkCursorVert:
        s += kCrLf + std::string(" position: [") + F(Item.x) + "]" + S;
        break;
      case tkCursorHoriz:
        s += kCrLf + std::string(" position: [") + F(Item.y) + "]" + S;
        break;
      case tkEllipse:
        s += kCrLf + std::string("   center: [") + F(Item.x) + "/" + F(Item.y) + "]" + S;
        break;
      default:
        s += kCrLf + std::string(" startpnt: [") + F(Item.x) + "/" + F(Item.y) + "]" + S;
        break;
    }
    s += kCrLf + std::string(" endpoint: [") + F(Item.x2) + "/" + F(Item.y2) + "]";
  }
  if (Flags & 8) s += kCrLf + std::string("      tag: ") + Hex(uint32_t(Item.Tag), 8);
  if (Flags & 4) {
    s += kCrLf + std::string("    color: ") + Hex(Item.Color, 8);
    s += kCrLf + std::string(" penstyle: ") + Hex(Item.PenStyle, 2);
  }
  if (Flags & 16) s += kCrLf + std::string(" classnum: ") + std::to_string(Item.ItemClass);
  if (Flags == -1) s += KindDetails(Item);
  return s;
}

// ------------------------------------------------------------------ item files

void TCustomRChart::SaveData(const std::string& FName) { SaveContainer(FName, false); }
void TCustomRChart::SaveAnno(const std::string& FName) { SaveContainer(FName, true); }
int TCustomRChart::LoadData(const std::string& FName, bool AppendIt) {
  return LoadContainer(FName, AppendIt, false);
}
int TCustomRChart::LoadAnno(const std::string& FName, bool AppendIt) {
  return LoadContainer(FName, AppendIt, true);
}

void TCustomRChart::SaveContainer(const std::string& FName, bool Anno) {
  const TRcItemContainer& c = Anno ? *FAnnoContainer : *FDataContainer;
  const int n = Anno ? FNumAnnoItems : FNumChartItems;
  const int m = Anno ? FNumLongTextsAnno : FNumLongTextsData;
  const TLongTextArray& texts = Anno ? FLongTextsAnno : FLongTextsData;
  // A failed save keeps the previous file rather than leaving half of the new one.
  TAtomicFile file(FName);
  std::ostream& f = file.Stream();
  if (!file.Device()) throw EZYRRChartError("Cannot create file \"" + FName + "\"");
  TrcChartItem header = HeaderRecord(Anno ? kAnnoMarker : kDataMarker, n, m);
  SwapRecord(header);
  f.write(reinterpret_cast<const char*>(&header), kRecSize);
  // The store keeps no records as such: they are written in blocks.
  constexpr int kBlock = 4096;
  std::vector<TrcChartItem> block(size_t(std::min(n, kBlock)));
  for (int first = 0; first < n && f; first += kBlock) {
    const int cnt = std::min(kBlock, n - first);
    c.CopyOut(size_t(first), size_t(cnt), block.data());
    if constexpr (std::endian::native != std::endian::little)
      for (int i = 0; i < cnt; ++i) SwapRecord(block[size_t(i)]);
    f.write(reinterpret_cast<const char*>(block.data()), std::streamsize(size_t(cnt) * kRecSize));
  }
  for (int j = 0; j < m; ++j) WriteLnStream(f, texts[size_t(j)]);
  if (!f || !file.Commit()) throw EZYRRChartError("Cannot write file \"" + FName + "\"");
}

int TCustomRChart::LoadContainer(const std::string& FName, bool AppendIt, bool Anno) {
  TRcItemContainer& c = Anno ? *FAnnoContainer : *FDataContainer;
  int& count = Anno ? FNumAnnoItems : FNumChartItems;
  int& alloc = Anno ? FNumAllocAnno : FNumAllocData;
  int& numTexts = Anno ? FNumLongTextsAnno : FNumLongTextsData;
  TLongTextArray& texts = Anno ? FLongTextsAnno : FLongTextsData;

  // Everything is read and checked first; the chart changes only when the whole file is good.
  TRcItemContainer stage;
  TLongTextArray newTexts{};
  int firstText = 0, lastText = 0, n = 0;
  std::array<int, rcNumItemKinds> loadedKinds{};
  try {
    // Only regular files: a pipe or a device would block or never end.
    TFileReader file(FName);
    if (!file.Ok()) return -1;
    std::istream& f = file.Stream();
    const std::streamoff size = file.Size();
    if (size < std::streamoff(kRecSize)) return -1;
    TrcChartItem header;
    if (!f.read(reinterpret_cast<char*>(&header), kRecSize)) return -1;
    SanitiseRecord(header);
    const char* marker = Anno ? kAnnoMarker : kDataMarker;
    if (header.Text.Len != kMarkerLen || std::memcmp(header.Text.Chars, marker, kMarkerLen) != 0 ||
        header.LWid >= 0)
      return -2;
    n = header.Param1;
    const int m = header.Param2;
    const int base = AppendIt ? count : 0;
    if (n < 0 || m < 0 || n > kMaxLoadItems - base) return -1;
    if (std::streamoff(n) > (size - std::streamoff(kRecSize)) / std::streamoff(kRecSize)) return -1;

    std::vector<TrcChartItem> chunk;
    // Long texts are matched by the numbers the items carry in the file; an item whose text
    // gets no slot or is missing from the file keeps its 15-character text.
    struct TextRef {
      int fileNum, slot, item;
    };
    std::vector<TextRef> refs;
    firstText = lastText = AppendIt ? numTexts : 0;
    // Records are checked chunk by chunk while they are still in the cache.
    constexpr int kChunk = 4096;
    for (int first = 0; first < n; first += kChunk) {
      const int cnt = std::min(kChunk, n - first);
      chunk.resize(size_t(cnt));
      if (!f.read(reinterpret_cast<char*>(chunk.data()), std::streamsize(size_t(cnt) * kRecSize)))
        return -1;
      for (int i = first; i < first + cnt; ++i) {
        TrcChartItem& r = chunk[size_t(i - first)];
        SanitiseRecord(r);
        if (r.ItemKind < rcNumItemKinds) ++loadedKinds[r.ItemKind];
        if (!IsTextItem(r.ItemKind) || r.LWid == 0) continue;
        if (lastText < rcMaxLongTexts && r.LWid >= 1 && r.LWid <= m) {
          refs.push_back({r.LWid, lastText, i});
          r.LWid = ++lastText;
        } else {
          r.LWid = 0;
        }
      }
      for (const TrcChartItem& r : chunk) stage.Append(r);
    }
    std::stable_sort(refs.begin(), refs.end(),
                     [](const TextRef& a, const TextRef& b) { return a.fileNum < b.fileNum; });
    size_t k = 0;
    bool end = false;
    for (int j = 1; k < refs.size() && !end; ++j) {
      std::string line = ReadLnStream(f, lemAny, end);
      if (end) break;
      for (; k < refs.size() && refs[k].fileNum == j; ++k) newTexts[size_t(refs[k].slot)] = line;
    }
    for (; k < refs.size(); ++k) {
      TrcChartItem r = stage[size_t(refs[k].item)];
      r.LWid = 0;
      stage.Set(size_t(refs[k].item), r);
    }
  } catch (...) {
    return -1;
  }

  // Commit.
  if (!AppendIt) {
    c.Swap(stage);
    if (c.Length() == 0) c.SetLength(1);
    count = 0;
    texts.fill(std::string());
    if (!Anno) FItemCount.fill(0);
  } else {
    c.SetLength(size_t(count));
    c.AppendFrom(stage, size_t(n));
    c.SetLength(std::max<size_t>(size_t(count) + size_t(n), 1));
  }
  for (int t = firstText; t < lastText; ++t) texts[size_t(t)] = std::move(newTexts[size_t(t)]);
  numTexts = lastText;
  if (!Anno)
    for (int k = 0; k < rcNumItemKinds; ++k) FItemCount[size_t(k)] += loadedKinds[size_t(k)];
  count += n;
  alloc = count;
  if (!AppendIt) FLastElemOnShow = 0;
  if (!Anno) AdjustCanInfoOfSharedCharts();
  RepaintIfAuto();
  return n;
}

bool TCustomRChart::SaveDataASC(const std::string& FName) {
  try {
    std::ofstream f(FName, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    for (int i = 0; i < FNumChartItems && f; ++i) {
      f << kCrLf << "------ item " << i << " ------" << kCrLf << "  "
        << ItemDescription(std::as_const(*FDataContainer)[size_t(i)], -1) << kCrLf;
    }
    f.flush();
    return bool(f);
  } catch (...) {
    return false;
  }
}

void TCustomRChart::CopyAnnoFrom(const TCustomRChart* SrcChart,
                                 const std::vector<uint8_t>& ClassFilter, bool AppendIt) {
  if (!SrcChart) return;
  std::array<bool, 256> wanted{};
  if (ClassFilter.empty())
    wanted.fill(true);
  else
    for (uint8_t cl : ClassFilter) wanted[cl] = true;
  // Snapshot first: the source may be this chart.
  std::vector<TrcChartItem> items;
  SrcChart->FAnnoContainer->ForEach(0, size_t(SrcChart->FNumAnnoItems),
                                    [&](const TrcChartItem& it, size_t) {
                                      if (wanted[it.ItemClass]) items.push_back(it);
                                    });
  const TLongTextArray srcTexts = SrcChart->FLongTextsAnno;

  if (!AppendIt) {
    FNumAnnoItems = 0;
    FLastElemOnShow = 0;
    FNumLongTextsAnno = 0;
  }
  TRcItemContainer& c = *FAnnoContainer;
  c.SetLength(std::max<size_t>(size_t(FNumAnnoItems) + items.size(), 1));
  FNumAllocAnno = FNumAnnoItems + int(items.size());
  for (TrcChartItem it : items) {
    if (IsTextItem(it.ItemKind) && it.LWid != 0) {
      if (FNumLongTextsAnno < rcMaxLongTexts && it.LWid >= 1 && it.LWid <= rcMaxLongTexts) {
        FLongTextsAnno[size_t(FNumLongTextsAnno)] = srcTexts[size_t(it.LWid - 1)];
        it.LWid = ++FNumLongTextsAnno;
      } else {
        it.LWid = 0;  // keep the cut text rather than name another item's text
      }
    }
    c.Set(size_t(FNumAnnoItems++), it);
  }
  RepaintIfAuto();
}

}  // namespace zyr
