// SPDX-License-Identifier: MIT
#pragma once
// A chart that lets tests look at the array behind the item store.

#include <zyr/chart/rchart.h>

namespace zyr::test {

class ProbeChart : public TRChart {
 public:
  size_t DataLength() const { return FDataContainer->Length(); }
  size_t AnnoLength() const { return FAnnoContainer->Length(); }
  int DataCapacity() const { return FNumAllocData; }
  int AnnoCapacity() const { return FNumAllocAnno; }
  int NumLongTextsData() const { return FNumLongTextsData; }
  int NumLongTextsAnno() const { return FNumLongTextsAnno; }
  const void* DataArray() const { return FDataContainer.get(); }
  const TRcItemContainer& Store() const { return *FDataContainer; }
  TRcItemContainer& Store() { return *FDataContainer; }
  int PendingPolylinePoints() const { return FNumPPa; }
  void SetMergePolyColumns(bool v) { FMergePolyColumns = v; }
  void SetUseLineRunCache(bool v) { FUseLineRunCache = v; }
  void SetAppendFastPath(bool v) { FAppendFastPath = v; }
};

// Texts of a given length made of one repeated letter.
inline std::string Letters(int n, char c = 'a') { return std::string(size_t(n), c); }

}  // namespace zyr::test
