// SPDX-License-Identifier: MIT
#include <zyr/platform/numerics/matrix.h>
#include <zyr/platform/numerics/stats.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <type_traits>

namespace zyr {

namespace {

template <typename T>
bool IsMissing(T v) {
  if constexpr (std::is_floating_point_v<T>)
    return std::isnan(v);
  else
    return false;
}

}  // namespace

template <typename T>
TMatrixBase<T>::TMatrixBase(int NrColumns, int NrRows) {
  Resize(NrColumns, NrRows);
}

template <typename T>
void TMatrixBase<T>::Resize(int NrColumns, int NrRows) {
  NrColumns = std::max(NrColumns, 0);
  NrRows = std::max(NrRows, 0);
  if (NrColumns == FNrColumns && NrRows == FNrRows) return;
  if (int64_t(NrColumns) * NrRows > INT_MAX) throw std::length_error("Matrix too large");
  std::vector<T> data(size_t(NrColumns) * size_t(NrRows), T(0));
  const int keepCols = std::min(NrColumns, FNrColumns);
  const int keepRows = std::min(NrRows, FNrRows);
  for (int r = 1; r <= keepRows; ++r)
    for (int c = 1; c <= keepCols; ++c)
      data[size_t(r - 1) * size_t(NrColumns) + size_t(c - 1)] = FData[Index(c, r)];
  FData.swap(data);
  FNrColumns = NrColumns;
  FNrRows = NrRows;
  Changed();
}

template <typename T>
void TMatrixBase<T>::SetElem(int Col, int Row, T Value) {
  if (!InRange(Col, Row)) return;
  T& e = FData[Index(Col, Row)];
  if (e == Value) return;
  e = Value;
  Changed();
}

template <typename T>
void TMatrixBase<T>::Fill(T Value) {
  std::fill(FData.begin(), FData.end(), Value);
  Changed();
}

template <typename T>
bool TMatrixBase<T>::MinMax(int LoCol, int LoRow, int HiCol, int HiRow, T& Minimum,
                            T& Maximum) const {
  if (LoCol > HiCol) std::swap(LoCol, HiCol);
  if (LoRow > HiRow) std::swap(LoRow, HiRow);
  LoCol = std::max(LoCol, 1);
  LoRow = std::max(LoRow, 1);
  HiCol = std::min(HiCol, FNrColumns);
  HiRow = std::min(HiRow, FNrRows);
  bool found = false;
  Minimum = Maximum = T(0);
  for (int r = LoRow; r <= HiRow; ++r) {
    for (int c = LoCol; c <= HiCol; ++c) {
      const T v = FData[Index(c, r)];
      if (IsMissing(v)) continue;
      if (!found || v < Minimum) Minimum = v;
      if (!found || v > Maximum) Maximum = v;
      found = true;
    }
  }
  return found;
}

template <typename T>
bool TMatrixBase<T>::MinMax(T& Minimum, T& Maximum) const {
  return MinMax(1, 1, FNrColumns, FNrRows, Minimum, Maximum);
}

template <typename T>
double TMatrixBase<T>::Percentile(double Prob) const {
  std::vector<double> values(FData.begin(), FData.end());
  return PercentileOfValues(values, Prob);
}

template <typename T>
void TMatrixBase<T>::CopyFrom(const TMatrixBase& Source) {
  if (&Source == this) return;
  FData = Source.FData;
  FNrColumns = Source.FNrColumns;
  FNrRows = Source.FNrRows;
  Changed();
}

template class TMatrixBase<double>;
template class TMatrixBase<int>;

void TMatrix::Assign(const TPersistent* Source) {
  if (auto m = dynamic_cast<const TMatrix*>(Source)) {
    CopyFrom(*m);
  } else if (auto im = dynamic_cast<const TIntMatrix*>(Source)) {
    BeginUpdate();
    Resize(0, 0);
    Resize(im->NrOfColumns(), im->NrOfRows());
    for (int r = 1; r <= im->NrOfRows(); ++r)
      for (int c = 1; c <= im->NrOfColumns(); ++c) SetElem(c, r, im->Elem(c, r));
    EndUpdate();
  } else {
    TPersistent::Assign(Source);
  }
}

void TIntMatrix::Assign(const TPersistent* Source) {
  if (auto m = dynamic_cast<const TIntMatrix*>(Source))
    CopyFrom(*m);
  else
    TPersistent::Assign(Source);
}

}  // namespace zyr
