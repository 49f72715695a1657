// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TByteMatrix: a 1-based matrix of bytes, e.g. a mask over a grid.

#include <zyr/platform/host/object.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zyr {

/// A matrix of bytes with columns 1 .. NrOfColumns and rows 1 .. NrOfRows. Reads outside the
/// matrix answer OutOfRangeValue (0 unless set); writes outside are ignored. Used as the mask
/// of a contour plot.
class TByteMatrix : public TPersistent {
 public:
  /// An empty matrix (0 x 0).
  TByteMatrix() = default;
  /// A matrix of zeros (sizes as Resize takes them).
  TByteMatrix(int NrColumns, int NrRows);

  /// Largest number of elements a matrix holds.
  static constexpr int64_t MaxElements = int64_t(1) << 31;

  /// Size of the matrix.
  ///@{
  int NrOfColumns() const { return FCols; }
  int NrOfRows() const { return FRows; }
  ///@}
  /// New size; all elements become 0. Negative sizes become 0; a size above MaxElements is
  /// refused (returns false, the matrix is unchanged).
  bool Resize(int NrColumns, int NrRows);
  /// Sets every element to v.
  void Fill(uint8_t v);
  /// Element (col, row), 1-based (see the class for indexes outside).
  ///@{
  uint8_t Elem(int col, int row) const {
    return Inside(col, row) ? FData[At(col, row)] : FOutOfRange;
  }
  void SetElem(int col, int row, uint8_t v) {
    if (Inside(col, row)) FData[At(col, row)] = v;
  }
  ///@}

  /// What reads outside the matrix answer.
  ///@{
  uint8_t OutOfRangeValue() const { return FOutOfRange; }
  void SetOutOfRangeValue(uint8_t v) { FOutOfRange = v; }
  ///@}

  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TByteMatrix"; }

 private:
  bool Inside(int col, int row) const {
    return col >= 1 && col <= FCols && row >= 1 && row <= FRows;
  }
  size_t At(int col, int row) const { return size_t(row - 1) * size_t(FCols) + size_t(col - 1); }
  int FCols = 0;
  int FRows = 0;
  uint8_t FOutOfRange = 0;
  std::vector<uint8_t> FData;
};

}  // namespace zyr
