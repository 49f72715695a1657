// SPDX-License-Identifier: MIT
// TRot3D: the item container, the drawing objects built from it and the nearest-item searches.
#include <zyr/platform/foundation/errors.h>
#include <zyr/plot3d/rot3d.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace zyr {

using namespace rot3d;

namespace {

// Object kinds in the top byte of FRotProp. kNoPosition marks an object whose world point is
// not finite: it is neither drawn nor found.
constexpr uint32_t kNothing = 0, kMove = 1, kLineTo = 2, kMark = 3, kNoPosition = 0xFF;

uint32_t Prop(TColor c, uint32_t kind) { return (c & 0x00FFFFFFu) | (kind << 24); }

bool Finite(double x, double y, double z) {
  return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

// Model coordinates are kept well inside 32 bits so the projection cannot overflow.
int32_t ToModel(double v) {
  constexpr double lim = 1e9;
  if (std::isnan(v)) return 0;
  return int32_t(std::nearbyint(std::clamp(v, -lim, lim)));
}

std::string OutOfMemoryMessage(const std::string& name) {
  return "Component \"" + name + "\": insufficient memory";
}

}  // namespace

// --- Container ---

void TRot3D::AddItem(const Tr3ChartItem& it) {
  if (FNumChartItems >= std::numeric_limits<int>::max() - FAllocSize)
    throw EZYRRot3DError(OutOfMemoryMessage(Name()));
  try {
    FDataContainer.push_back(it);  // the vector's own growth keeps adding cheap
  } catch (const std::bad_alloc&) {
    throw EZYRRot3DError(OutOfMemoryMessage(Name()));
  }
  if (FNumChartItems >= FNumAllocated) FNumAllocated += FAllocSize;
  ++FNumChartItems;
}

// An item at (x, y, z) in the current colour and tag.
Tr3ChartItem TRot3D::PointItem(Tr3Item Kind, double x, double y, double z, uint8_t marklw) const {
  Tr3ChartItem it;
  it.x = x;
  it.y = y;
  it.z = z;
  it.color = FDataCol;
  it.tag = FDataTag;
  it.ItemKind = Kind;
  it.marklw = marklw;
  return it;
}

void TRot3D::MarkAt(double x, double y, double z, uint8_t mk) {
  AddItem(PointItem(tkMarkAt, x, y, z, mk));
}

void TRot3D::Moveto(double x, double y, double z) { AddItem(PointItem(tkMoveto, x, y, z, 0)); }

void TRot3D::Drawto(double x, double y, double z) {
  AddItem(PointItem(tkLineto, x, y, z, uint8_t(FLineWidth)));
}

void TRot3D::Line(double x1, double y1, double z1, double x2, double y2, double z2) {
  Tr3ChartItem it = PointItem(tkLine, x1, y1, z1, uint8_t(FLineWidth));
  it.x2 = x2;
  it.y2 = y2;
  it.z2 = z2;
  AddItem(it);
}

void TRot3D::Clear() {
  InitGraf(GrafBmp.Canvas(), false, 0);
  FDataContainer.clear();
  FDataContainer.shrink_to_fit();
  FNumChartItems = 0;
  FNumAllocated = 0;
}

void TRot3D::RemoveItem(int Index) {
  if (Index < 0 || Index >= FNumChartItems) return;
  FDataContainer.erase(FDataContainer.begin() + Index);
  --FNumChartItems;
  if (FNumChartItems == 0) {
    FDataContainer.clear();
    FDataContainer.shrink_to_fit();
    FNumAllocated = 0;
  }
}

void TRot3D::RemoveLastItem() { RemoveItem(FNumChartItems - 1); }

void TRot3D::RemoveFirstItem() { RemoveItem(0); }

Tr3ChartItem TRot3D::GetChartItem(int idx) const {
  if (idx < 0 || idx >= FNumChartItems) return Tr3ChartItem{};
  return FDataContainer[size_t(idx)];
}

void TRot3D::SetChartitem(int idx, const Tr3ChartItem& item) {
  if (idx < 0 || idx >= FNumChartItems) return;
  FDataContainer[size_t(idx)] = item;
}

void TRot3D::SetItemParams(int Item, const Tr3ChartItem& ItParams) {
  if (ItParams.ItemKind == tkNone || ItParams.ItemKind == tkEverything) return;
  SetChartitem(Item, ItParams);
}

Tr3Item TRot3D::TypeOfFirstItem() const {
  return FNumChartItems > 0 ? FDataContainer.front().ItemKind : tkNone;
}

Tr3Item TRot3D::TypeOfLastItem() const {
  return FNumChartItems > 0 ? FDataContainer[size_t(FNumChartItems - 1)].ItemKind : tkNone;
}

// --- Drawing objects ---

void TRot3D::MakeVisible() {
  // Pass 1: object count, centroid sums and extent. Points that are not finite are left out
  // of both, so one bad point cannot spoil the whole picture.
  int nObj = 0, nPts = 0;
  double sum[3] = {0, 0, 0};
  double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
  bool any = false;
  auto take = [&](double x, double y, double z) {
    if (!Finite(x, y, z)) return;
    const double p[3] = {x, y, z};
    for (int k = 0; k < 3; ++k) {
      sum[k] += p[k];
      if (!any || p[k] < lo[k]) lo[k] = p[k];
      if (!any || p[k] > hi[k]) hi[k] = p[k];
    }
    any = true;
    ++nPts;
  };
  for (int i = 0; i < FNumChartItems; ++i) {
    const Tr3ChartItem& it = FDataContainer[size_t(i)];
    ++nObj;
    take(it.x, it.y, it.z);
    if (it.ItemKind == tkLine) {
      ++nObj;
      take(it.x2, it.y2, it.z2);  // both ends count, so the centroid is their mean
    }
  }
  if (nObj == 0) {
    NRotObj = 0;
    FDataRadius = 0;
    return;
  }

  double origin[3];
  for (int k = 0; k < 3; ++k) origin[k] = nPts > 0 ? sum[k] / nPts : 0.0;
  if (!std::isfinite(origin[0]) || !std::isfinite(origin[1]) || !std::isfinite(origin[2]))
    origin[0] = origin[1] = origin[2] = 0.0;  // sums beyond the double range
  if (FAutoOrigin)
    FOrigin = {origin[0], origin[1], origin[2]};
  else
    std::copy(FOrigin.begin(), FOrigin.end(), origin);

  std::vector<int32_t> rx, ry, rz, link;
  std::vector<uint32_t> prop;
  std::vector<uint8_t> mark, lwid;
  try {
    for (auto* v : {&rx, &ry, &rz, &link}) v->resize(size_t(nObj));
    prop.resize(size_t(nObj));
    mark.resize(size_t(nObj));
    lwid.resize(size_t(nObj));
  } catch (const std::bad_alloc&) {
    throw EZYRRot3DError(OutOfMemoryMessage(Name()));
  }

  double fact[3];
  for (int k = 0; k < 3; ++k) {
    const double span = hi[k] - lo[k];
    fact[k] = span > 1e-30 && std::isfinite(span) ? 1000.0 / span : 1.0;
  }
  if (FIsoMetric) fact[0] = fact[1] = fact[2] = std::min({fact[0], fact[1], fact[2]});
  if (!FAutoScale) {
    for (int k = 0; k < 3; ++k) fact[k] = FIsoMetric ? FScaleFact[0] : FScaleFact[k];
  }
  FScaleFact = {fact[0], fact[1], fact[2]};
  for (int k = 0; k < 3; ++k) {
    FMaxCoord[size_t(k)] = ToModel((hi[k] - origin[k]) * fact[k]);
    FMinCoord[size_t(k)] = ToModel((lo[k] - origin[k]) * fact[k]);
  }

  // Pass 2: one object per item, two for a line. A line broken by a point that cannot be
  // placed starts again at the next point instead of bridging the gap.
  int n = 0;
  bool gap = false;
  double radius2 = 0;
  auto put = [&](double x, double y, double z, const Tr3ChartItem& it, uint32_t kind, int item) {
    const size_t o = size_t(n++);
    if (!Finite(x, y, z)) {
      rx[o] = ry[o] = rz[o] = 0;
      kind = kNoPosition;
      gap = true;
    } else {
      rx[o] = ToModel((x - origin[0]) * fact[0]);
      ry[o] = ToModel((y - origin[1]) * fact[1]);
      rz[o] = ToModel((z - origin[2]) * fact[2]);
      radius2 =
          std::max(radius2, double(rx[o]) * rx[o] + double(ry[o]) * ry[o] + double(rz[o]) * rz[o]);
      if (kind == kLineTo && gap) kind = kMove;
      if (kind == kMove) gap = false;
    }
    prop[o] = Prop(it.color, kind);
    mark[o] = kind == kMark ? it.marklw : 0;
    lwid[o] = it.ItemKind == tkLineto || it.ItemKind == tkLine ? it.marklw : 0;
    link[o] = item;
  };
  for (int i = 0; i < FNumChartItems; ++i) {
    const Tr3ChartItem& it = FDataContainer[size_t(i)];
    switch (it.ItemKind) {
      case tkMarkAt:
        put(it.x, it.y, it.z, it, kMark, i);
        break;
      case tkLineto:
        put(it.x, it.y, it.z, it, kLineTo, i);
        break;
      case tkMoveto:
        put(it.x, it.y, it.z, it, kMove, i);
        break;
      case tkLine:
        put(it.x, it.y, it.z, it, kMove, i);
        put(it.x2, it.y2, it.z2, it, kLineTo, i);
        break;
      default:
        put(it.x, it.y, it.z, it, kNothing, i);
        break;
    }
  }

  FRotDataX.swap(rx);
  FRotDataY.swap(ry);
  FRotDataZ.swap(rz);
  FRotProp.swap(prop);
  FRotMark.swap(mark);
  FLineWid.swap(lwid);
  FBackLink.swap(link);
  NRotObj = nObj;
  FDataRadius = std::sqrt(radius2);
  Changed();
}

// --- Searches ---

int TRot3D::FindNearestItemReal(double mx, double my, double mz, Tr3Item ItemID,
                                double& dist) const {
  int best = -1;
  double bestD = 0;
  if (ItemID != tkNone) {
    for (int i = 0; i < FNumChartItems; ++i) {
      const Tr3ChartItem& it = FDataContainer[size_t(i)];
      if (ItemID != tkEverything && it.ItemKind != ItemID) continue;
      const double dx = it.x - mx, dy = it.y - my, dz = it.z - mz;
      const double d = dx * dx + dy * dy + dz * dz;
      if (std::isnan(d)) continue;
      if (best < 0 || d < bestD) {
        best = i;
        bestD = d;
      }
    }
  }
  dist = best < 0 ? std::numeric_limits<double>::max() : std::sqrt(bestD);
  return best;
}

int TRot3D::FindNearestItemScreen(int mx, int my, Tr3Item ItemID, double& dist) const {
  int best = -1;
  int64_t bestD = 0;
  FDivisor = ProjectionDivisor();
  if (ItemID != tkNone) {
    for (int o = 0; o < NRotObj; ++o) {
      if ((FRotProp[size_t(o)] >> 24) == kNoPosition) continue;
      const int item = FBackLink[size_t(o)];
      if (item >= FNumChartItems) continue;  // removed since the objects were built
      if (ItemID != tkEverything && FDataContainer[size_t(item)].ItemKind != ItemID) continue;
      const TPoint p = Project(FRotDataX[size_t(o)], FRotDataY[size_t(o)], FRotDataZ[size_t(o)]);
      const int64_t dx = int64_t(p.X) - mx, dy = int64_t(p.Y) - my;
      const int64_t d = dx * dx + dy * dy;
      if (best < 0 || d < bestD) {
        best = item;
        bestD = d;
      }
    }
  }
  dist = best < 0 ? std::numeric_limits<double>::max() : std::sqrt(double(bestD));
  return best;
}

}  // namespace zyr
