// SPDX-License-Identifier: MIT
#include <zyr/platform/numerics/datatable.h>
#include <zyr/platform/numerics/stats.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <ios>
#include <ostream>
#include <stdexcept>

namespace zyr {

namespace {

std::string DefaultColName(int Col) { return "Col " + std::to_string(Col); }

std::string NumberText(double v, int Decimals) {
  char buf[400];  // room for 1e308 with 15 decimals
  std::to_chars_result res;
  if (Decimals < 0)
    res = std::to_chars(buf, buf + sizeof buf, v);
  else
    res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, std::min(Decimals, 15));
  return std::string(buf, res.ptr);
}

// One listing line per row: line breaks and other control characters would split it.
std::string OneLine(std::string s) {
  for (char& ch : s)
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ch = ' ';
  return s;
}

void SortCorners(int& LoCol, int& LoRow, int& HiCol, int& HiRow) {
  if (LoCol > HiCol) std::swap(LoCol, HiCol);
  if (LoRow > HiRow) std::swap(LoRow, HiRow);
}

}  // namespace

TDataTable::TDataTable(int NrColumns, int NrRows) { Resize(NrColumns, NrRows); }

void TDataTable::Resize(int NrColumns, int NrRows) {
  NrColumns = std::max(NrColumns, 0);
  NrRows = std::max(NrRows, 0);
  if (NrColumns == FNrColumns && NrRows == FNrRows) return;
  if (int64_t(NrColumns) * NrRows > INT_MAX) throw std::length_error("Data table too large");
  std::vector<TCell> cells(size_t(NrColumns) * size_t(NrRows));
  const int keepCols = std::min(NrColumns, FNrColumns);
  const int keepRows = std::min(NrRows, FNrRows);
  for (int r = 1; r <= keepRows; ++r)
    for (int c = 1; c <= keepCols; ++c)
      cells[size_t(r - 1) * size_t(NrColumns) + size_t(c - 1)] = std::move(FCells[Index(c, r)]);
  std::vector<std::string> names(FColNames.begin(), FColNames.begin() + keepCols);
  for (int c = keepCols + 1; c <= NrColumns; ++c) names.push_back(DefaultColName(c));
  FCells.swap(cells);
  FColNames.swap(names);
  FNrColumns = NrColumns;
  FNrRows = NrRows;
  Changed();
}

void TDataTable::Clear() {
  for (TCell& c : FCells) c = std::monostate{};
  Changed();
}

void TDataTable::SetCell(int Col, int Row, TCell Cell) {
  if (!InRange(Col, Row)) return;
  TCell& c = FCells[Index(Col, Row)];
  if (c == Cell) return;
  c = std::move(Cell);
  Changed();
}

void TDataTable::SetElem(int Col, int Row, double Value) {
  if (std::isfinite(Value))
    SetCell(Col, Row, Value);
  else
    SetCell(Col, Row, std::monostate{});
}

void TDataTable::SetElemText(int Col, int Row, const std::string& Text) { SetCell(Col, Row, Text); }

void TDataTable::ClearElem(int Col, int Row) { SetCell(Col, Row, std::monostate{}); }

double TDataTable::Elem(int Col, int Row) const {
  if (!InRange(Col, Row)) return 0;
  const double* v = std::get_if<double>(&FCells[Index(Col, Row)]);
  return v ? *v : 0.0;
}

std::string TDataTable::ElemText(int Col, int Row) const {
  if (!InRange(Col, Row)) return "";
  const TCell& c = FCells[Index(Col, Row)];
  if (const double* v = std::get_if<double>(&c)) return NumberText(*v, -1);
  if (const std::string* s = std::get_if<std::string>(&c)) return *s;
  return "";
}

bool TDataTable::IsNumber(int Col, int Row) const {
  return InRange(Col, Row) && std::holds_alternative<double>(FCells[Index(Col, Row)]);
}

bool TDataTable::IsEmpty(int Col, int Row) const {
  return !InRange(Col, Row) || std::holds_alternative<std::monostate>(FCells[Index(Col, Row)]);
}

std::string TDataTable::ColName(int Col) const {
  return Col >= 1 && Col <= FNrColumns ? FColNames[size_t(Col - 1)] : "";
}

void TDataTable::SetColName(int Col, const std::string& Name) {
  if (Col < 1 || Col > FNrColumns || FColNames[size_t(Col - 1)] == Name) return;
  FColNames[size_t(Col - 1)] = Name;
  Changed();
}

std::vector<double> TDataTable::NumCells(int LoCol, int LoRow, int HiCol, int HiRow) const {
  SortCorners(LoCol, LoRow, HiCol, HiRow);
  LoCol = std::max(LoCol, 1);
  LoRow = std::max(LoRow, 1);
  HiCol = std::min(HiCol, FNrColumns);
  HiRow = std::min(HiRow, FNrRows);
  std::vector<double> values;
  for (int r = LoRow; r <= HiRow; ++r)
    for (int c = LoCol; c <= HiCol; ++c)
      if (const double* v = std::get_if<double>(&FCells[Index(c, r)])) values.push_back(*v);
  return values;
}

int TDataTable::CountNumCells(int LoCol, int LoRow, int HiCol, int HiRow) const {
  return int(NumCells(LoCol, LoRow, HiCol, HiRow).size());
}

int TDataTable::MinMaxOfNumCells(int LoCol, int LoRow, int HiCol, int HiRow, double& Minimum,
                                 double& Maximum) const {
  const std::vector<double> values = NumCells(LoCol, LoRow, HiCol, HiRow);
  Minimum = Maximum = 0;
  if (values.empty()) return 0;
  const auto [mn, mx] = std::minmax_element(values.begin(), values.end());
  Minimum = *mn;
  Maximum = *mx;
  return int(values.size());
}

int TDataTable::MeanVarOfNumCells(int LoCol, int LoRow, int HiCol, int HiRow, double& Mean,
                                  double& Variance) const {
  const std::vector<double> values = NumCells(LoCol, LoRow, HiCol, HiRow);
  // Welford's update: no large sums that could overflow or cancel.
  double mean = 0, m2 = 0;
  size_t k = 0;
  for (double v : values) {
    ++k;
    const double delta = v - mean;
    mean += delta / double(k);
    m2 += delta * (v - mean);
  }
  Mean = mean;
  Variance = k > 1 ? m2 / double(k - 1) : 0.0;
  return int(k);
}

int TDataTable::QuartilesOfNumCells(int LoCol, int LoRow, int HiCol, int HiRow,
                                    double& LowerQuartile, double& Median,
                                    double& UpperQuartile) const {
  std::vector<double> values = NumCells(LoCol, LoRow, HiCol, HiRow);
  std::sort(values.begin(), values.end());
  LowerQuartile = PercentileOfSorted(values, 0.25);
  Median = PercentileOfSorted(values, 0.5);
  UpperQuartile = PercentileOfSorted(values, 0.75);
  return int(values.size());
}

int TDataTable::PercentileOfNumCells(int LoCol, int LoRow, int HiCol, int HiRow, double Percent,
                                     double& Value) const {
  std::vector<double> values = NumCells(LoCol, LoRow, HiCol, HiRow);
  Value = PercentileOfValues(values, Percent / 100);
  return int(values.size());
}

void TDataTable::ExportAsASC(std::ostream& Stream, int Decimals) const {
  constexpr size_t kMinWidth = 12;
  std::vector<std::vector<std::string>> texts(static_cast<size_t>(FNrColumns));
  std::vector<size_t> widths(size_t(FNrColumns), kMinWidth);
  for (int c = 1; c <= FNrColumns; ++c) {
    auto& col = texts[size_t(c - 1)];
    col.push_back(OneLine(FColNames[size_t(c - 1)]));
    for (int r = 1; r <= FNrRows; ++r) {
      const TCell& cell = FCells[Index(c, r)];
      if (const double* v = std::get_if<double>(&cell))
        col.push_back(NumberText(*v, Decimals));
      else if (const std::string* s = std::get_if<std::string>(&cell))
        col.push_back(OneLine(*s));
      else
        col.emplace_back();
    }
    for (const std::string& s : col)
      widths[size_t(c - 1)] = std::max(widths[size_t(c - 1)], s.size());
  }
  for (int line = 0; line <= FNrRows; ++line) {
    if (line == 0) {
      Stream << std::string(6, ' ');
    } else {
      char num[16];
      std::snprintf(num, sizeof num, "%5d ", line);
      Stream << num;
    }
    for (size_t c = 0; c < texts.size(); ++c) {
      const std::string& s = texts[c][size_t(line)];
      Stream << std::string(widths[c] - s.size(), ' ') << s << ' ';
    }
    Stream << "\r\n";
  }
}

void TDataTable::ExportAsASC(const std::string& FName, int Decimals) const {
  std::ofstream f(FName, std::ios::binary | std::ios::trunc);
  if (!f) throw std::ios_base::failure("Cannot create file " + FName);
  ExportAsASC(f, Decimals);
  f.close();
  if (!f) throw std::ios_base::failure("Cannot write file " + FName);
}

void TDataTable::Assign(const TPersistent* Source) {
  if (auto t = dynamic_cast<const TDataTable*>(Source)) {
    if (t == this) return;
    FCells = t->FCells;
    FColNames = t->FColNames;
    FNrColumns = t->FNrColumns;
    FNrRows = t->FNrRows;
    Changed();
  } else {
    TPersistent::Assign(Source);
  }
}

}  // namespace zyr
