// SPDX-License-Identifier: MIT
// The item store of TCustomRChart: containers, adding, reading, searching, scaling, removing
// and data sharing.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/errors.h>
#include <zyr/platform/host/dialogs.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <numbers>
#include <utility>

namespace zyr {

namespace {

// Keeps every count and index within int, whatever AllocSize is.
constexpr int kMaxItems = INT_MAX - 1000001;

// Unicode code points of the Windows-1252 bytes 0x80..0x9F.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(uint8_t(c));
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == c) return char(uint8_t(0x80 + i));
  return '?';
}

void AppendUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += char(c);
  } else if (c < 0x800) {
    s += char(0xC0 | (c >> 6));
    s += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += char(0xE0 | (c >> 12));
    s += char(0x80 | ((c >> 6) & 0x3F));
    s += char(0x80 | (c & 0x3F));
  } else {
    s += char(0xF0 | (c >> 18));
    s += char(0x80 | ((c >> 12) & 0x3F));
    s += char(0x80 | ((c >> 6) & 0x3F));
    s += char(0x80 | (c & 0x3F));
  }
}

// Next code point of a UTF-8 text; a malformed sequence counts as one character U+FFFD.
char32_t NextCodePoint(const std::string& s, size_t& i) {
  const auto b = [&](size_t k) { return uint8_t(s[k]); };
  const uint8_t c = b(i);
  const int n = c < 0x80             ? 0
                : (c & 0xE0) == 0xC0 ? 1
                : (c & 0xF0) == 0xE0 ? 2
                : (c & 0xF8) == 0xF0 ? 3
                                     : -1;
  if (n <= 0) {
    ++i;
    return n == 0 ? char32_t(c) : char32_t(0xFFFD);
  }
  char32_t cp = c & (0x3F >> n);
  for (int k = 1; k <= n; ++k) {
    if (i + k >= s.size() || (b(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  i += n + 1;
  return cp;
}

size_t CharCount(const std::string& s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); ++n) NextCodePoint(s, i);
  return n;
}

bool Matches(const TrcChartItem& it, int Tag, uint32_t TagMask, int ItemClass, TrcItem Kind) {
  if (TagMask != 0 && (uint32_t(it.Tag) & TagMask) != (uint32_t(Tag) & TagMask)) return false;
  if (Kind != tkEverything && it.ItemKind != Kind) return false;
  return ItemClass == 255 || it.ItemClass == ItemClass;
}

bool HasSecondPoint(TrcItem k) {
  switch (k) {
    case tkLine:
    case tkRect:
    case tkRectFrame:
    case tk3DBar:
    case tkEllipse:
    case tkArrow:
    case tkDoubleArrow:
    case tkLineOffs:
    case tkArc:
      return true;
    default:
      return false;
  }
}

void ScaleRecord(TrcChartItem& it, double kx, double dx, double ky, double dy) {
  it.x = kx * it.x + dx;
  it.y = ky * it.y + dy;
  if (HasSecondPoint(it.ItemKind)) {
    it.x2 = kx * it.x2 + dx;
    it.y2 = ky * it.y2 + dy;
  }
}

int32_t AngleParam(double a) {
  if (std::isnan(a)) return 0;
  a = std::clamp(a, -3.141592653589793, 3.141592653589793);
  return int32_t(std::nearbyint(a * 1e8));
}

}  // namespace

// ------------------------------------------------------------------ short text and records

void TrcShortText::Assign(const std::string& Utf8) {
  Len = 0;
  for (size_t i = 0; i < Utf8.size() && Len < 15;) Chars[Len++] = ToCp1252(NextCodePoint(Utf8, i));
}

std::string TrcShortText::Str() const {
  std::string s;
  const int n = std::min<int>(Len, 15);
  for (int i = 0; i < n; ++i) {
    const uint8_t c = uint8_t(Chars[i]);
    AppendUtf8(s, c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : char32_t(c));
  }
  return s;
}

// ------------------------------------------------------------------ store state

void TCustomRChart::ResetContainer(TRcItemContainer& c) {
  c.SetLength(0);
  c.SetLength(1);
}

void TCustomRChart::ResetDataStore() {
  ResetContainer(*FDataContainer);
  FNumChartItems = 0;
  FNumAllocData = 0;
  FItemCount.fill(0);
  FLongTextsData.fill(std::string());
  FNumLongTextsData = 0;
}

void TCustomRChart::ResetAnnoStore() {
  ResetContainer(*FAnnoContainer);
  FNumAnnoItems = 0;
  FNumAllocAnno = 0;
  FLongTextsAnno.fill(std::string());
  FNumLongTextsAnno = 0;
}

void TCustomRChart::SetAllocSize(int v) {
  if (v >= 1 && v <= 1000000) FAllocSize = v;
}

int TCustomRChart::ItemCount(int kind) const {
  return kind >= 0 && kind < rcNumItemKinds ? FItemCount[kind] : 0;
}

void TCustomRChart::SetActiveLayer(int v) {
  if (v != 1 && v != 2) return;
  FActiveLayer = v;
  RepaintIfAuto();
}

void TCustomRChart::SetAnnoMode(bool v) {
  FAnnoMode = v;
  RepaintIfAuto();
}

// ------------------------------------------------------------------ visibility switches

bool TCustomRChart::ClassVisible(int cnum) const {
  return cnum >= 0 && cnum < 256 && FItClassVisib[cnum];
}

void TCustomRChart::SetClassVisible(int cnum, bool v) {
  if (cnum < 0 || cnum > 255 || FItClassVisib[cnum] == v) return;
  FItClassVisib[cnum] = v;
  RepaintIfAuto();
}

bool TCustomRChart::AnnoClassVisible(int cnum) const {
  return cnum >= 0 && cnum < 256 && FAnnoClassVisib[cnum];
}

void TCustomRChart::SetAnnoClassVisible(int cnum, bool v) {
  if (cnum < 0 || cnum > 255 || FAnnoClassVisib[cnum] == v) return;
  FAnnoClassVisib[cnum] = v;
  RepaintIfAuto();
}

bool TCustomRChart::LayerVisible(int Layer) const {
  return (Layer == 1 || Layer == 2) && FLayerVisib[Layer - 1];
}

void TCustomRChart::SetLayerVisible(int Layer, bool v) {
  if ((Layer != 1 && Layer != 2) || FLayerVisib[Layer - 1] == v) return;
  FLayerVisib[Layer - 1] = v;
  RepaintIfAuto();
}

void TCustomRChart::SetAnnosVisible(bool v) {
  FAnnosVisible = v;
  FInvalidDataBmp = true;
  RepaintIfAuto();
}

void TCustomRChart::SetAnnoBelowChart(bool v) {
  FAnnoBelowChart = v;
  RepaintIfAuto();
}

void TCustomRChart::SetAnnoTextOnTop(bool v) {
  FAnnoTextOnTop = v;
  RepaintIfAuto();
}

void TCustomRChart::SetAvoidDupMarks(bool v) {
  if (v == FAvoidDupMarks) return;
  FAvoidDupMarks = v;
  RepaintIfAuto();
}

void TCustomRChart::SetDupMarksMinD(int v) {
  v = std::clamp(v, 1, 3);
  if (v == FDupMarksMinD) return;
  FDupMarksMinD = v;
  RepaintIfAuto();
}

// ------------------------------------------------------------------ adding items

int TCustomRChart::GrowContainer(int n) {
  const bool anno = FAnnoMode;
  TRcItemContainer& c = anno ? *FAnnoContainer : *FDataContainer;
  const int count = anno ? FNumAnnoItems : FNumChartItems;
  int& alloc = anno ? FNumAllocAnno : FNumAllocData;
  n = std::min(n, kMaxItems - count);
  if (n <= 0) return 0;
  // The capacity n single additions would reach: one step at the first item beyond it (a
  // chart that joined a share may hold a capacity below the shared count), then steps of
  // AllocSize.
  const long long last = (long long)count + n - 1, step = FAllocSize;
  if (last >= alloc) {
    const long long first = std::max<long long>(count, alloc);
    long long cap = alloc + step > first ? alloc + step : first + step;
    if (last >= cap) cap += step * ((last - cap) / step + 1);
    alloc = int(std::min<long long>(cap, INT_MAX));
  }
  // Never shrink: another chart of the share may have grown the array further.
  if (c.Length() < size_t(alloc)) c.SetLength(size_t(alloc));
  return n;
}

void TCustomRChart::FillCommonFields(TrcChartItem& it, TrcItem Kind, TCoordMode cm) const {
  it.ItemKind = Kind;
  it.Layer = FActiveLayer;
  it.ItemClass = RcClassDefault;
  it.Color = RcDataCol;
  it.PenStyle = RcPenStyle;
  it.Tag = FDataTag;
  it.LWid = RcLineWid;
  it.CoordMode = FAnnoMode ? cm : cmAllWorld;
}

bool TCustomRChart::NewItem(TrcChartItem& it, TrcItem Kind, TCoordMode cm) {
  if (GrowContainer(1) == 0) return false;
  // A slot left behind by a removal keeps the fields that the new item does not name.
  it = FAnnoMode ? (*FAnnoContainer)[size_t(FNumAnnoItems)]
                 : (*FDataContainer)[size_t(FNumChartItems)];
  FillCommonFields(it, Kind, cm);
  return true;
}

void TCustomRChart::CommitNewItem(const TrcChartItem& it) {
  if (FAnnoMode) {
    FAnnoContainer->Set(size_t(FNumAnnoItems), it);
    ++FNumAnnoItems;
    return;
  }
  FDataContainer->Set(size_t(FNumChartItems), it);
  ++FNumChartItems;
  ++FItemCount[it.ItemKind];
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::AddPoints(TrcItem Kind, const double* x, const double* y, size_t n,
                              TCoordMode cm, uint8_t mk) {
  auto named = [&](TrcChartItem& it) {
    if (Kind == tkMarkAt)
      it.Param3 = mk;
    else
      it.FillColor = RcFillCol;
  };
  auto count = [&] { return size_t(FAnnoMode ? FNumAnnoItems : FNumChartItems); };
  TRcItemContainer& c = FAnnoMode ? *FAnnoContainer : *FDataContainer;
  size_t k = 0;
  // Slots left behind by removals are filled one by one, as single additions fill them.
  for (; k < n && count() < c.Size(); ++k) {
    TrcChartItem it;
    if (!NewItem(it, Kind, cm)) return;
    it.x = x[k];
    it.y = y[k];
    named(it);
    CommitNewItem(it);
  }
  if (k == n) return;
  const int m = GrowContainer(int(std::min<size_t>(n - k, INT_MAX)));
  if (m <= 0) return;
  TrcChartItem it;
  FillCommonFields(it, Kind, cm);
  named(it);
  c.AppendPoints(it, x + k, y + k, size_t(m));
  FAppendKey = c.Rests().EndsInRun() ? AppendKey(c, Kind, cm, mk) : TAppendKey{};
  if (FAnnoMode) {
    FNumAnnoItems += m;
    return;
  }
  FNumChartItems += m;
  FItemCount[Kind] += m;
  AdjustCanInfoOfSharedCharts();
}

// Inline: within this file, where the single-point calls use them.
inline TCustomRChart::TAppendKey TCustomRChart::AppendKey(const TRcItemContainer& c, TrcItem Kind,
                                                          TCoordMode cm, uint8_t mk) const {
  TAppendKey k;
  k.StoreId = c.Id();
  k.Generation = c.Generation();
  k.Color = RcDataCol;
  k.Fill = Kind == tkMarkAt ? 0 : RcFillCol;
  k.Tag = FDataTag;
  k.Layer = FActiveLayer;
  k.Kind = Kind;
  k.Mode = FAnnoMode ? cm : cmAllWorld;
  k.PenStyle = RcPenStyle;
  k.LWid = RcLineWid;
  k.ItemClass = RcClassDefault;
  k.Mark = Kind == tkMarkAt ? mk : 0;
  k.Anno = FAnnoMode;
  return k;
}

inline bool TCustomRChart::ExtendRun(TrcItem Kind, double x, double y, TCoordMode cm, uint8_t mk) {
  if (!FAppendFastPath || FAppendKey.StoreId == 0) return false;
  TRcItemContainer& c = FAnnoMode ? *FAnnoContainer : *FDataContainer;
  // An unchanged store and drawing state: the run at the end holds the fields of this item.
  if (!(AppendKey(c, Kind, cm, mk) == FAppendKey)) return false;
  int& count = FAnnoMode ? FNumAnnoItems : FNumChartItems;
  const int alloc = FAnnoMode ? FNumAllocAnno : FNumAllocData;
  // GrowContainer(1) would change nothing, and no slot left by a removal waits to be filled.
  if (count >= alloc || count >= kMaxItems || c.Length() < size_t(alloc) ||
      c.Size() != size_t(count))
    return false;
  c.ExtendRun(x, y);
  FAppendKey.Generation = c.Generation();
  ++count;
  if (FAnnoMode) return true;
  ++FItemCount[Kind];
  if (FUseDataOf || FDataUsersNum > 0) AdjustCanInfoOfSharedCharts();
  return true;
}

void TCustomRChart::DrawTo(std::span<const double> x, std::span<const double> y) {
  if (x.size() != y.size()) throw EZYRRChartError("DrawTo: the x and y arrays differ in length");
  AddPoints(tkLineto, x.data(), y.data(), x.size(), cmAllWorld, 0);
}

void TCustomRChart::MarkAt(std::span<const double> x, std::span<const double> y, uint8_t mk) {
  if (x.size() != y.size()) throw EZYRRChartError("MarkAt: the x and y arrays differ in length");
  AddPoints(tkMarkAt, x.data(), y.data(), x.size(), cmAllWorld, mk);
}

void TCustomRChart::StoreText(TrcChartItem& it, const std::string& txt, TLongTextArray& Texts,
                              int& NumTexts) {
  it.Text.Assign(txt);
  it.LWid = 0;
  if (CharCount(txt) > 15 && NumTexts < rcMaxLongTexts) {
    Texts[size_t(NumTexts)] = txt;
    it.LWid = ++NumTexts;
  }
}

namespace {

// Points as separate x and y arrays, a block at a time.
template <class F>
void ForPointBlocks(std::span<const QPointF> p, F&& f) {
  constexpr size_t kBlock = 4096;
  std::array<double, kBlock> x, y;
  for (size_t first = 0; first < p.size(); first += kBlock) {
    const size_t n = std::min(kBlock, p.size() - first);
    for (size_t k = 0; k < n; ++k) {
      x[k] = p[first + k].x();
      y[k] = p[first + k].y();
    }
    f(x.data(), y.data(), n);
  }
}

}  // namespace

void TCustomRChart::DrawTo(std::span<const QPointF> p) {
  ForPointBlocks(p, [&](const double* x, const double* y, size_t n) {
    AddPoints(tkLineto, x, y, n, cmAllWorld, 0);
  });
}

void TCustomRChart::MarkAt(std::span<const QPointF> p, uint8_t mk) {
  ForPointBlocks(p, [&](const double* x, const double* y, size_t n) {
    AddPoints(tkMarkAt, x, y, n, cmAllWorld, mk);
  });
}

void TCustomRChart::MoveToIntern(double x, double y, TCoordMode cm) {
  TrcChartItem it;
  if (!NewItem(it, tkMoveTo, cm)) return;
  it.x = x;
  it.y = y;
  CommitNewItem(it);
}

void TCustomRChart::DrawToIntern(double x, double y, TCoordMode cm) {
  if (ExtendRun(tkLineto, x, y, cm, 0)) return;
  AddPoints(tkLineto, &x, &y, 1, cm, 0);
}

void TCustomRChart::MarkAt(double x, double y, uint8_t mk) { MarkAtIntern(x, y, mk, cmAllWorld); }

void TCustomRChart::MarkAt(int x, int y, uint8_t mk) { MarkAtIntern(x, y, mk, cmAllScreen); }

void TCustomRChart::MarkAtIntern(double x, double y, uint8_t mk, TCoordMode cm) {
  if (ExtendRun(tkMarkAt, x, y, cm, mk)) return;
  AddPoints(tkMarkAt, &x, &y, 1, cm, mk);
}

void TCustomRChart::MarkErrorBar(double x, double y, double dlower, double dupper, TOrientation Dir,
                                 uint8_t mk) {
  TrcChartItem it;
  if (!NewItem(it, tkMarkEBar, cmAllWorld)) return;
  it.x = x;
  it.y = y;
  it.x2 = dlower;
  it.y2 = dupper;
  it.Param1 = Dir;
  it.Param3 = mk;
  CommitNewItem(it);
}

void TCustomRChart::LineIntern(double x1, double y1, double x2, double y2, TCoordMode cm) {
  TrcChartItem it;
  if (!NewItem(it, tkLine, cm)) return;
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.FillColor = RcFillCol;
  CommitNewItem(it);
}

void TCustomRChart::LineOffset(double x1, double y1, double x2, double y2, int dx, int dy) {
  TrcChartItem it;
  if (!NewItem(it, tkLineOffs, cmAllWorld)) return;
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.Param1 = dx;
  it.Param2 = dy;
  it.FillColor = RcFillCol;
  CommitNewItem(it);
}

void TCustomRChart::RectangleIntern(double x1, double y1, double x2, double y2, TCoordMode cm) {
  TrcChartItem it;
  if (!NewItem(it, tkRect, cm)) return;
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.FillColor = RcFillCol;
  it.Transp = FTranspItems;
  CommitNewItem(it);
}

void TCustomRChart::RectangleRelPix(double centx, double centy, int dx, int dy) {
  TrcChartItem it;
  if (!NewItem(it, tkRectRelPix, cmAllWorld)) return;
  it.x = centx;
  it.y = centy;
  it.Param1 = dx;
  it.Param2 = dy;
  it.FillColor = RcFillCol;
  it.Transp = FTranspItems;
  CommitNewItem(it);
}

void TCustomRChart::RectFrameIntern(double x1, double y1, double x2, double y2,
                                    TFrameStyle FrameStyle, TColor ShadowColor, TColor HiLightColor,
                                    TCoordMode cm) {
  TrcChartItem it;
  if (!NewItem(it, tkRectFrame, cm)) return;
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.FrameStyle = FrameStyle;
  it.ShadowColor = ShadowColor;
  it.HiLightColor = HiLightColor;
  it.FillColor = RcFillCol;
  it.LWid = 1;
  CommitNewItem(it);
}

void TCustomRChart::Bar3D(double llx, double lly, double urx, double ury, int Depth, int Angle) {
  TrcChartItem it;
  if (!NewItem(it, tk3DBar, cmAllWorld)) return;
  it.x = llx;
  it.y = lly;
  it.x2 = urx;
  it.y2 = ury;
  it.Param1 = std::clamp(Angle, 0, 180);
  it.Param2 = Depth;
  it.FillColor = RcFillCol;
  CommitNewItem(it);
}

void TCustomRChart::Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng) {
  TrcChartItem it;
  if (!NewItem(it, tkEllipse, cmAllWorld)) return;
  it.x = cx;
  it.y = cy;
  it.x2 = HorizAxLeng;
  it.y2 = VertAxLeng;
  it.FillColor = RcFillCol;
  it.Transp = FTranspItems;
  CommitNewItem(it);
}

void TCustomRChart::Arc(double cx, double cy, double HorizAxLeng, double VertAxLeng, double Angle1,
                        double Angle2) {
  TrcChartItem it;
  if (!NewItem(it, tkArc, cmAllWorld)) return;
  it.x = cx;
  it.y = cy;
  it.x2 = HorizAxLeng;
  it.y2 = VertAxLeng;
  it.Param1 = AngleParam(Angle1);
  it.Param2 = AngleParam(Angle2);
  it.FillColor = RcFillCol;
  it.Transp = FTranspItems;
  CommitNewItem(it);
}

void TCustomRChart::ArrowIntern(double x1, double y1, double x2, double y2, int HeadSize,
                                TCoordMode cm) {
  AddArrow(tkArrow, x1, y1, x2, y2, HeadSize, cm);
}

void TCustomRChart::DoubleArrowIntern(double x1, double y1, double x2, double y2, int HeadSize,
                                      TCoordMode cm) {
  AddArrow(tkDoubleArrow, x1, y1, x2, y2, HeadSize, cm);
}

void TCustomRChart::AddArrow(TrcItem Kind, double x1, double y1, double x2, double y2, int HeadSize,
                             TCoordMode cm) {
  TrcChartItem it;
  if (!NewItem(it, Kind, cm)) return;
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.Param1 = HeadSize;
  it.FillColor = RcFillCol;
  it.Transp = FTranspItems;
  CommitNewItem(it);
}

void TCustomRChart::TextIntern(double x, double y, int size, const std::string& txt, int dx, int dy,
                               TAlignment Alignment, TCoordMode cm) {
  TrcChartItem it;
  if (!NewItem(it, dx != 0 || dy != 0 ? tkTextOfs : tkText, cm)) return;
  it.x = x;
  it.y = y;
  it.x2 = dx;
  it.y2 = dy;
  it.Param1 = size;
  it.Param2 = FTextBkStyle;
  it.Param3 = Alignment;
  it.FillColor = RcFillCol;
  if (FAnnoMode)
    StoreText(it, txt, FLongTextsAnno, FNumLongTextsAnno);
  else
    StoreText(it, txt, FLongTextsData, FNumLongTextsData);
  CommitNewItem(it);
}

void TCustomRChart::CursorVertIntern(double x, TCoordMode cm) {
  TrcChartItem it;
  if (!NewItem(it, tkCursorVert, cm)) return;
  it.x = x;
  it.y = 0;
  it.FillColor = RcFillCol;
  CommitNewItem(it);
}

void TCustomRChart::CursorHorizIntern(double y, TCoordMode cm) {
  TrcChartItem it;
  if (!NewItem(it, tkCursorHoriz, cm)) return;
  it.x = 0;
  it.y = y;
  it.FillColor = RcFillCol;
  CommitNewItem(it);
}

void TCustomRChart::MoveToRelPix(int dx, int dy) {
  TrcChartItem it;
  if (!NewItem(it, tkMoveRelPix, cmAllWorld)) return;
  it.x = dx;
  it.y = dy;
  CommitNewItem(it);
}

void TCustomRChart::DrawToRelPix(int dx, int dy) {
  TrcChartItem it;
  if (!NewItem(it, tkLineRelPix, cmAllWorld)) return;
  it.x = dx;
  it.y = dy;
  it.FillColor = RcFillCol;
  CommitNewItem(it);
}

void TCustomRChart::DrawToRelPix(double x, double y, int dx, int dy) {
  TrcChartItem it;
  if (!NewItem(it, tkLineRelPixOrig, cmAllWorld)) return;
  it.x = x;
  it.y = y;
  it.x2 = dx;
  it.y2 = dy;
  it.FillColor = RcFillCol;
  CommitNewItem(it);
}

// ------------------------------------------------------------------ reading and changing

TrcChartItem TCustomRChart::GetChartItem(int idx) const {
  if (idx < 0 || idx >= FNumChartItems) return TrcChartItem{};
  return (*FDataContainer)[size_t(idx)];
}

void TCustomRChart::SetChartItem(int idx, const TrcChartItem& Item) {
  if (idx < 0 || idx >= FNumChartItems) return;
  TrcChartItem it = Item;
  it.ClearPadding();
  FDataContainer->Set(size_t(idx), it);
}

TrcChartItem TCustomRChart::GetAnnoItem(int idx) const {
  if (idx < 0 || idx >= FNumAnnoItems) return TrcChartItem{};
  return (*FAnnoContainer)[size_t(idx)];
}

void TCustomRChart::SetAnnoItem(int idx, const TrcChartItem& Item) {
  if (idx < 0 || idx >= FNumAnnoItems) return;
  TrcChartItem it = Item;
  it.ClearPadding();
  FAnnoContainer->Set(size_t(idx), it);
}

void TCustomRChart::SetItemParams(int Item, const TrcChartItem& ItParams) {
  if (ItParams.ItemKind == tkNone || ItParams.ItemKind == tkEverything) return;
  if (Item < 0 || Item >= FNumChartItems) return;
  const TrcItem old = (*FDataContainer)[size_t(Item)].ItemKind;
  TrcChartItem it = ItParams;
  it.ClearPadding();
  FDataContainer->Set(size_t(Item), it);
  if (old < rcNumItemKinds) --FItemCount[old];
  if (it.ItemKind < rcNumItemKinds) ++FItemCount[it.ItemKind];
  AdjustCanInfoOfSharedCharts();
}

std::string TCustomRChart::FullItemText(const TrcChartItem& it, bool Anno) const {
  if (!IsTextItem(it.ItemKind)) return std::string();
  if (it.LWid >= 1 && it.LWid <= rcMaxLongTexts)
    return (Anno ? FLongTextsAnno : FLongTextsData)[size_t(it.LWid - 1)];
  return it.Text.Str();
}

std::string TCustomRChart::DataLongText(int idx) const {
  if (idx < 0 || idx >= FNumChartItems) return std::string();
  return FullItemText((*FDataContainer)[size_t(idx)], false);
}

std::string TCustomRChart::AnnoLongText(int idx) const {
  if (idx < 0 || idx >= FNumAnnoItems) return std::string();
  return FullItemText((*FAnnoContainer)[size_t(idx)], true);
}

namespace {

void WriteLongText(TrcChartItem& it, const std::string& s, TLongTextArray& Texts, int& NumTexts) {
  if (!IsTextItem(it.ItemKind)) return;
  it.Text.Assign(s);
  if (CharCount(s) <= 15) {
    it.LWid = 0;
    return;
  }
  if (it.LWid >= 1 && it.LWid <= rcMaxLongTexts) {
    Texts[size_t(it.LWid - 1)] = s;
  } else if (NumTexts < rcMaxLongTexts) {
    Texts[size_t(NumTexts)] = s;
    it.LWid = ++NumTexts;
  } else {
    it.LWid = 0;  // no number may name a text that does not belong to the item
  }
}

void WriteLongTextAt(TRcItemContainer& c, int idx, const std::string& s, TLongTextArray& Texts,
                     int& NumTexts) {
  TrcChartItem it = c[size_t(idx)];
  if (!IsTextItem(it.ItemKind)) return;
  WriteLongText(it, s, Texts, NumTexts);
  c.Set(size_t(idx), it);
}

}  // namespace

void TCustomRChart::SetDataLongText(int idx, const std::string& s) {
  if (idx < 0 || idx >= FNumChartItems) return;
  WriteLongTextAt(*FDataContainer, idx, s, FLongTextsData, FNumLongTextsData);
}

void TCustomRChart::SetAnnoLongText(int idx, const std::string& s) {
  if (idx < 0 || idx >= FNumAnnoItems) return;
  WriteLongTextAt(*FAnnoContainer, idx, s, FLongTextsAnno, FNumLongTextsAnno);
}

TrcItem TCustomRChart::TypeOfFirstItem() const {
  return FNumChartItems > 0 ? (*FDataContainer)[0].ItemKind : tkNone;
}

TrcItem TCustomRChart::TypeOfLastItem() const {
  return FNumChartItems > 0 ? (*FDataContainer)[size_t(FNumChartItems - 1)].ItemKind : tkNone;
}

void TCustomRChart::NewColorOfClassItems(TColor Newcol, uint8_t ClassNumber) {
  FDataContainer->Update(0, size_t(FNumChartItems), [&](TrcChartItem& it, size_t) {
    if (ClassNumber == 255 || it.ItemClass == ClassNumber) it.Color = Newcol;
  });
}

void TCustomRChart::ClearChartItem(TrcChartItem& Item) {
  Item = TrcChartItem{};
  Item.FillColor = 0xFFFFFF;
  Item.ShadowColor = 0x808080;
  Item.HiLightColor = 0xFFFFFF;
  Item.Layer = 1;
}

// ------------------------------------------------------------------ counting and searching

int TCustomRChart::CountAnnos(int Tag, uint32_t TagMask, int ItemClass, TrcItem ItemKind) const {
  int n = 0;
  FAnnoContainer->ForEach(0, size_t(FNumAnnoItems), [&](const TrcChartItem& it, size_t) {
    if (Matches(it, Tag, TagMask, ItemClass, ItemKind)) ++n;
  });
  return n;
}

int TCustomRChart::CountAnnoByClass(const std::vector<uint8_t>& ClList) const {
  std::array<int, 256> perClass{};
  FAnnoContainer->ForEach(0, size_t(FNumAnnoItems),
                          [&](const TrcChartItem& it, size_t) { ++perClass[it.ItemClass]; });
  int n = 0;
  for (uint8_t c : ClList) n += perClass[c];
  return n;
}

namespace {

int SearchItem(const TRcItemContainer& c, int Count, int StartIx, int Tag, uint32_t TagMask,
               int ItemClass, TrcItem ItemKind) {
  if (StartIx < 0 || StartIx >= Count) return -1;
  int found = -1;
  c.ForEach(size_t(StartIx), size_t(Count), [&](const TrcChartItem& it, size_t i) {
    if (!Matches(it, Tag, TagMask, ItemClass, ItemKind)) return true;
    found = int(i);
    return false;
  });
  return found;
}

}  // namespace

int TCustomRChart::SearchDataItem(int StartIx, int Tag, uint32_t TagMask, int ItemClass,
                                  TrcItem ItemKind) const {
  return SearchItem(*FDataContainer, FNumChartItems, StartIx, Tag, TagMask, ItemClass, ItemKind);
}

int TCustomRChart::SearchAnnoItem(int StartIx, int Tag, uint32_t TagMask, int ItemClass,
                                  TrcItem ItemKind) const {
  return SearchItem(*FAnnoContainer, FNumAnnoItems, StartIx, Tag, TagMask, ItemClass, ItemKind);
}

// ------------------------------------------------------------------ scaling

void TCustomRChart::ScaleItem(int Item, double kx, double dx, double ky, double dy) {
  if (Item < 0 || Item >= FNumChartItems) return;
  TrcChartItem it = (*FDataContainer)[size_t(Item)];
  ScaleRecord(it, kx, dx, ky, dy);
  FDataContainer->Set(size_t(Item), it);
}

void TCustomRChart::ScaleAllItems(double kx, double dx, double ky, double dy) {
  FDataContainer->Update(0, size_t(FNumChartItems),
                         [&](TrcChartItem& it, size_t) { ScaleRecord(it, kx, dx, ky, dy); });
}

void TCustomRChart::ScaleSelectedItems(double kx, double dx, double ky, double dy,
                                       uint8_t ClassNumber) {
  FDataContainer->Update(0, size_t(FNumChartItems), [&](TrcChartItem& it, size_t) {
    if (it.ItemClass == ClassNumber) ScaleRecord(it, kx, dx, ky, dy);
  });
}

// ------------------------------------------------------------------ removing

void TCustomRChart::RemoveItem(int Index) {
  if (Index >= 0 && Index < FNumChartItems) {
    TRcItemContainer& c = *FDataContainer;
    if (FNumChartItems == 1) {
      c.SetLength(1);
      FNumAllocData = 0;
      FNumChartItems = 0;
      FItemCount.fill(0);
    } else {
      const TrcItem k = c[size_t(Index)].ItemKind;
      if (k < rcNumItemKinds) --FItemCount[k];
      c.RemoveShift(size_t(Index), size_t(FNumChartItems));
      --FNumChartItems;
    }
  }
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::RemoveLastItem() {
  if (FNumChartItems > 0) {
    if (FNumChartItems == 1) {
      FDataContainer->SetLength(1);
      FNumAllocData = 0;
      FItemCount.fill(0);
    } else {
      const TrcItem k = (*FDataContainer)[size_t(FNumChartItems - 1)].ItemKind;
      if (k < rcNumItemKinds) --FItemCount[k];
      FDataContainer->Touch();
    }
    --FNumChartItems;
  }
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::RemoveAnnoItem(int Index) {
  if (Index < 0 || Index >= FNumAnnoItems) return;
  TRcItemContainer& c = *FAnnoContainer;
  if (FNumAnnoItems == 1) {
    c.SetLength(1);
    FNumAllocAnno = 0;
    FNumAnnoItems = 0;
    return;
  }
  c.RemoveShift(size_t(Index), size_t(FNumAnnoItems));
  --FNumAnnoItems;
}

namespace {

// Keeps the items that do not satisfy pred, in order; returns how many were removed.
template <class Pred>
int RemoveIf(TRcItemContainer& c, int& count, std::array<int, rcNumItemKinds>& counters,
             Pred pred) {
  const size_t kept = c.RemoveIf(size_t(count), [&](const TrcChartItem& it) {
    if (!pred(it)) return false;
    if (it.ItemKind < rcNumItemKinds) --counters[it.ItemKind];
    return true;
  });
  const int removed = count - int(kept);
  count = int(kept);
  return removed;
}

}  // namespace

int TCustomRChart::RemoveItemsByClass(uint8_t ClassNumber) {
  const int n = RemoveIf(*FDataContainer, FNumChartItems, FItemCount,
                         [&](const TrcChartItem& it) { return it.ItemClass == ClassNumber; });
  AdjustCanInfoOfSharedCharts();
  return n;
}

int TCustomRChart::RemoveItemsByLayer(int Layer) {
  const int n = RemoveIf(*FDataContainer, FNumChartItems, FItemCount,
                         [&](const TrcChartItem& it) { return it.Layer == Layer; });
  AdjustCanInfoOfSharedCharts();
  return n;
}

void TCustomRChart::ClearGraf() {
  FGrafBmp->SetSize(DataAreaWidth(), DataAreaHeight());
  InitGraf(FGrafBmp->Canvas(), 0, 0, FGrafBmp->Width(), FGrafBmp->Height());
  ResetDataStore();
  FNumMTrace = 0;
  FLastElemOnShow = 0;
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::ClearAnnotations() {
  ResetAnnoStore();
  RepaintIfAuto();
}

// ------------------------------------------------------------------ data sharing

TCustomRChart* TCustomRChart::DataUsers(int i) const {
  return i >= 1 && i <= FDataUsersNum ? FDataUsers[size_t(i - 1)] : nullptr;
}

void TCustomRChart::SetUseDataOf(TCustomRChart* Chart) {
  if (Chart == this) {
    MessageDlg("RChart: Cannot share data with myself", mtInformation);
    return;
  }
  if (Chart && FDataUsersNum > 0) {
    MessageDlg("RChart: Cannot use foreign data. Other RCharts are using my own data.",
               mtInformation);
    return;
  }
  if (Chart == FUseDataOf) return;
  if (Chart) {
    TCustomRChart* owner = Chart->FUseDataOf ? Chart->FUseDataOf : Chart;
    if (owner == FUseDataOf) return;  // already showing that owner's data
    if (owner->FDataUsersNum >= MaxDataUsers) {
      MessageDlg("RChart: Max. number of data shares exceeded", mtInformation);
      return;
    }
    if (FUseDataOf) FUseDataOf->RemoveUser(this);
    FUseDataOf = owner;
    ReceiveSharedState(*owner);
    FNumAllocData = owner->FNumAllocData;
    owner->FDataUsers[size_t(owner->FDataUsersNum++)] = this;
  } else {
    if (!FUseDataOf) return;
    LeaveShareSilently();
  }
  RepaintIfAuto();
}

void TCustomRChart::ReceiveSharedState(const TCustomRChart& From) {
  if (&From == this) return;
  FDataContainer = From.FDataContainer;
  FNumChartItems = From.FNumChartItems;
  FLastElemOnShow = From.FLastElemOnShow;
  FItemCount = From.FItemCount;
}

void TCustomRChart::AdjustCanInfoOfSharedCharts() {
  if (TCustomRChart* owner = FUseDataOf) {
    owner->ReceiveSharedState(*this);
    for (int i = 0; i < owner->FDataUsersNum; ++i)
      owner->FDataUsers[size_t(i)]->ReceiveSharedState(*this);
  }
  for (int i = 0; i < FDataUsersNum; ++i) FDataUsers[size_t(i)]->ReceiveSharedState(*this);
}

void TCustomRChart::RemoveUser(TCustomRChart* User) {
  auto end = FDataUsers.begin() + FDataUsersNum;
  auto it = std::find(FDataUsers.begin(), end, User);
  if (it == end) return;
  std::move(it + 1, end, it);
  FDataUsers[size_t(--FDataUsersNum)] = nullptr;
}

void TCustomRChart::TakePrivateDataCopy() {
  auto own = std::make_shared<TRcItemContainer>();
  own->AssignFrom(*FDataContainer, size_t(FNumChartItems), FDataContainer->Length());
  FDataContainer = std::move(own);
}

void TCustomRChart::LeaveShareSilently() {
  if (!FUseDataOf) return;
  FUseDataOf->RemoveUser(this);
  FUseDataOf = nullptr;
  TakePrivateDataCopy();
}

void TCustomRChart::ReleaseUsers() {
  while (FDataUsersNum > 0) {
    TCustomRChart* u = FDataUsers[size_t(FDataUsersNum - 1)];
    FDataUsers[size_t(--FDataUsersNum)] = nullptr;
    u->FUseDataOf = nullptr;
    u->TakePrivateDataCopy();
  }
}

}  // namespace zyr
