// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Two-dimensional numeric arrays with 1-based indices: TMatrix (double) and TIntMatrix (int).

#include <zyr/platform/numerics/notifier.h>

#include <string>
#include <vector>

namespace zyr {

/// Common part of TMatrix and TIntMatrix: a grid of NrOfColumns() x NrOfRows() values where
/// Elem(col, row) takes the column (x index) 1..NrOfColumns() and the row (y index)
/// 1..NrOfRows().
///
/// Bad input is harmless: reads outside the matrix answer 0 and writes outside it are ignored;
/// negative sizes count as 0 (an empty matrix). Resize keeps the values of the overlap of the
/// old and the new size, and new elements are 0. A size of more than 2^31 - 1 elements raises
/// std::length_error and leaves the matrix as it was. OnChange fires after every change.
template <typename T>
class TMatrixBase : public TChangeNotifier {
 public:
  /// Type of the elements.
  using ValueType = T;

  /// Number of columns (x indexes).
  int NrOfColumns() const { return FNrColumns; }
  /// Number of rows (y indexes).
  int NrOfRows() const { return FNrRows; }
  /// No elements (a size of 0 in either direction).
  bool Empty() const { return FData.empty(); }

  /// New size; the overlap keeps its values, new elements are 0.
  void Resize(int NrColumns, int NrRows);
  /// Element (Col, Row), 1-based.
  T Elem(int Col, int Row) const { return InRange(Col, Row) ? FData[Index(Col, Row)] : T(0); }
  /// Sets element (Col, Row).
  void SetElem(int Col, int Row, T Value);
  /// Sets every element to Value.
  void Fill(T Value);

  /// Smallest and largest element of the block between columns LoCol..HiCol and rows
  /// LoRow..HiRow (corners in any order, clipped to the matrix). NaN elements are skipped.
  /// Answers false, with both results 0, when the block holds no value.
  bool MinMax(int LoCol, int LoRow, int HiCol, int HiRow, T& Minimum, T& Maximum) const;
  /// MinMax over the whole matrix.
  bool MinMax(T& Minimum, T& Maximum) const;

  /// Percentile at probability Prob (0..1, clamped) of all elements, NaN elements skipped, by
  /// linear interpolation between the closest ranks (0.5 is the median). An empty matrix gives
  /// 0; a NaN probability gives NaN.
  double Percentile(double Prob) const;

 protected:
  /// A matrix of zeros of the given size.
  TMatrixBase(int NrColumns, int NrRows);
  /// Takes over the size and the values of Source (not its OnChange).
  void CopyFrom(const TMatrixBase& Source);

 private:
  bool InRange(int Col, int Row) const {
    return Col >= 1 && Col <= FNrColumns && Row >= 1 && Row <= FNrRows;
  }
  size_t Index(int Col, int Row) const {
    return size_t(Row - 1) * size_t(FNrColumns) + size_t(Col - 1);
  }

  int FNrColumns = 0;
  int FNrRows = 0;
  std::vector<T> FData;  // row by row
};

extern template class TMatrixBase<double>;
extern template class TMatrixBase<int>;

/// Matrix of doubles, e.g. the height grid of a surface plot or the pivot values of a contour
/// plot. Create it with its size, fill it with SetElem (between BeginUpdate and EndUpdate for
/// bulk changes) and read it back with Elem, MinMax and Percentile.
class TMatrix : public TMatrixBase<double> {
 public:
  /// A matrix of zeros of the given size.
  explicit TMatrix(int NrColumns = 0, int NrRows = 0) : TMatrixBase(NrColumns, NrRows) {}
  /// Deep copy of another TMatrix or of a TIntMatrix; OnChange stays this matrix's own.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TMatrix"; }
};

/// Matrix of integers, e.g. the projected screen positions of a surface plot's grid points.
/// Used like TMatrix.
class TIntMatrix : public TMatrixBase<int> {
 public:
  /// A matrix of zeros of the given size.
  explicit TIntMatrix(int NrColumns = 0, int NrRows = 0) : TMatrixBase(NrColumns, NrRows) {}
  /// Deep copy of another TIntMatrix; OnChange stays this matrix's own.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TIntMatrix"; }
};

}  // namespace zyr
