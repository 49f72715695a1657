// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/dtlabel.h>

#include <algorithm>

namespace zyr {

namespace {

template <typename T>
bool StoreIfChanged(T& field, T v) {
  if (field == v) return false;
  field = v;
  return true;
}

}  // namespace

void TDTLabel::Changed() {
  if (OnChange) OnChange(this);
}

void TDTLabel::SetTimeFormat(TTimeFormat v) {
  if (StoreIfChanged(FTimeFormat, std::min<TTimeFormat>(v, 2))) Changed();
}

void TDTLabel::SetDateSeparator(char v) {
  if (StoreIfChanged(FDateSeparator, v)) Changed();
}

void TDTLabel::SetTimeSeparator(char v) {
  if (StoreIfChanged(FTimeSeparator, v)) Changed();
}

void TDTLabel::SetYearLength(TYearLength v) {
  if (StoreIfChanged(FYearLength, std::min<TYearLength>(v, 2))) Changed();
}

void TDTLabel::SetMonthName(bool v) {
  if (StoreIfChanged(FMonthName, v)) Changed();
}

void TDTLabel::SetDateForTime(TDateForTime v) {
  if (StoreIfChanged(FDateForTime, std::min<TDateForTime>(v, 3))) Changed();
}

void TDTLabel::SetDateOrder(TDateOrder v) {
  if (StoreIfChanged(FDateOrder, std::min<TDateOrder>(v, 2))) Changed();
}

void TDTLabel::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TDTLabel*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  bool diff = FTimeFormat != src->FTimeFormat || FDateSeparator != src->FDateSeparator ||
              FTimeSeparator != src->FTimeSeparator || FYearLength != src->FYearLength ||
              FMonthName != src->FMonthName || FDateForTime != src->FDateForTime ||
              FDateOrder != src->FDateOrder;
  FTimeFormat = src->FTimeFormat;
  FDateSeparator = src->FDateSeparator;
  FTimeSeparator = src->FTimeSeparator;
  FYearLength = src->FYearLength;
  FMonthName = src->FMonthName;
  FDateForTime = src->FDateForTime;
  FDateOrder = src->FDateOrder;
  if (diff) Changed();
}

}  // namespace zyr
