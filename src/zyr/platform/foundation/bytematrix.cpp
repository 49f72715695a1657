// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/bytematrix.h>

#include <algorithm>

namespace zyr {

TByteMatrix::TByteMatrix(int NrColumns, int NrRows) { Resize(NrColumns, NrRows); }

bool TByteMatrix::Resize(int NrColumns, int NrRows) {
  NrColumns = std::max(NrColumns, 0);
  NrRows = std::max(NrRows, 0);
  if (int64_t(NrColumns) * NrRows > MaxElements) return false;
  FData.assign(size_t(NrColumns) * size_t(NrRows), 0);
  FCols = NrColumns;
  FRows = NrRows;
  return true;
}

void TByteMatrix::Fill(uint8_t v) { std::fill(FData.begin(), FData.end(), v); }

void TByteMatrix::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TByteMatrix*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  FCols = src->FCols;
  FRows = src->FRows;
  FOutOfRange = src->FOutOfRange;
  FData = src->FData;
}

}  // namespace zyr
