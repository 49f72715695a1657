// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Table of numeric and text cells with named columns and statistics over blocks of cells.

#include <zyr/platform/host/qtvalues.h>
#include <zyr/platform/numerics/notifier.h>

#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

namespace zyr {

/// A table of NrOfColumns() x NrOfRows() cells, indices from 1, each cell empty, numeric or
/// text, with a name per column; the data source of a box plot (one column per box).
/// Fill it with SetElem / SetElemText, name columns with SetColName, then ask for statistics
/// of the numeric cells of a block; ExportAsASC writes a text listing.
///
/// - A numeric cell holds a finite number. SetElem with NaN or an infinity empties the cell,
///   so missing values never reach the statistics.
/// - Blocks are given by two corners (LoCol, LoRow) and (HiCol, HiRow) in any order and are
///   clipped to the table; text and empty cells are skipped.
/// - Each statistic answers the number of numeric cells it used; with none, its results are 0.
/// - Percentiles interpolate linearly between the closest ranks: for n sorted values and a
///   percentage P the result lies at rank (n - 1) P / 100 (counting from 0). The quartiles are
///   the percentiles 25, 50 and 75; P = 50 is the usual median. Variance is the sample variance
///   (divisor n - 1; 0 for a single value).
/// - Reads outside the table answer 0 or "" and writes outside are ignored; negative sizes
///   count as 0. Resize keeps the cells and names of the overlap; new cells are empty and new
///   columns are named "Col <number>". OnChange fires after every change.
class TDataTable : public TChangeNotifier {
 public:
  /// A table of empty cells, columns named "Col 1", "Col 2", ...
  explicit TDataTable(int NrColumns = 0, int NrRows = 0);

  /// Size of the table.
  ///@{
  int NrOfColumns() const { return FNrColumns; }
  int NrOfRows() const { return FNrRows; }
  ///@}
  /// Raises std::length_error above 2^31 - 1 cells, leaving the table as it was.
  void Resize(int NrColumns, int NrRows);
  /// Empties every cell; sizes and column names stay.
  void Clear();

  /// Makes the cell numeric (NaN and infinities empty it instead).
  void SetElem(int Col, int Row, double Value);
  /// Makes the cell a text cell.
  void SetElemText(int Col, int Row, const std::string& Text);
  /// SetElemText with a QString.
  void SetElemText(int Col, int Row, const QtText auto& Text) {
    SetElemText(Col, Row, FromQString(Text));
  }
  /// Empties the cell.
  void ClearElem(int Col, int Row);
  /// The number of a numeric cell; 0 for text, empty and outside cells.
  double Elem(int Col, int Row) const;
  /// The text of a text cell, a numeric cell in its shortest exact form, "" otherwise.
  std::string ElemText(int Col, int Row) const;
  /// Kind of a cell; cells outside the table are empty.
  ///@{
  bool IsNumber(int Col, int Row) const;
  bool IsEmpty(int Col, int Row) const;
  ///@}

  /// Name of a column (a box plot writes it under the box).
  ///@{
  std::string ColName(int Col) const;
  void SetColName(int Col, const std::string& Name);
  ///@}
  /// SetColName with a QString.
  void SetColName(int Col, const QtText auto& Name) { SetColName(Col, FromQString(Name)); }

  /// Number of numeric cells in the block.
  int CountNumCells(int LoCol, int LoRow, int HiCol, int HiRow) const;
  /// Statistics of the numeric cells of a block (see the class): extremes, mean and sample
  /// variance, quartiles.
  ///@{
  int MinMaxOfNumCells(int LoCol, int LoRow, int HiCol, int HiRow, double& Minimum,
                       double& Maximum) const;
  int MeanVarOfNumCells(int LoCol, int LoRow, int HiCol, int HiRow, double& Mean,
                        double& Variance) const;
  int QuartilesOfNumCells(int LoCol, int LoRow, int HiCol, int HiRow, double& LowerQuartile,
                          double& Median, double& UpperQuartile) const;
  ///@}
  /// Percent is clamped to 0..100; a NaN percentage gives a NaN result.
  int PercentileOfNumCells(int LoCol, int LoRow, int HiCol, int HiRow, double Percent,
                           double& Value) const;

  /// Writes the table as text lines ending in CR LF: a heading with the column names, then one
  /// line per row: the row number in 5 characters and a space, then each cell right-aligned in
  /// its column (at least 12 characters wide, wider for longer cells) and a space. Decimals 0
  /// to 15 fixes the decimal places of numbers; a negative value writes each number in its
  /// shortest exact form. Control characters of texts become spaces so each row stays one
  /// line. The file is created or overwritten; when it cannot be written, std::ios_base::failure
  /// is raised.
  void ExportAsASC(const std::string& FName, int Decimals) const;
  /// ExportAsASC with a QString file name.
  void ExportAsASC(const QtText auto& FName, int Decimals) const {
    ExportAsASC(FromQString(FName), Decimals);
  }
  /// The same listing into a stream.
  void ExportAsASC(std::ostream& Stream, int Decimals) const;

  /// Deep copy of another TDataTable (cells, names, sizes); OnChange stays this table's own.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TDataTable"; }

 private:
  using TCell = std::variant<std::monostate, double, std::string>;

  bool InRange(int Col, int Row) const {
    return Col >= 1 && Col <= FNrColumns && Row >= 1 && Row <= FNrRows;
  }
  size_t Index(int Col, int Row) const {
    return size_t(Row - 1) * size_t(FNrColumns) + size_t(Col - 1);
  }
  void SetCell(int Col, int Row, TCell Cell);
  /// The numbers of the numeric cells of a block, in no particular order.
  std::vector<double> NumCells(int LoCol, int LoRow, int HiCol, int HiRow) const;

  int FNrColumns = 0;
  int FNrRows = 0;
  std::vector<TCell> FCells;  // row by row
  std::vector<std::string> FColNames;
};

}  // namespace zyr
