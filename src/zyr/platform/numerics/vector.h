// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// One-dimensional array of doubles with 1-based indices.

#include <zyr/platform/numerics/notifier.h>

#include <string>
#include <vector>

namespace zyr {

/// Vector of doubles with entries 1..NrOfElem(), e.g. per-column statistics of a box plot or
/// values collected for a percentile. Reads outside answer 0, writes outside are ignored,
/// negative sizes count as 0; Resize keeps the leading entries and new entries are 0.
/// OnChange fires after every change (once per BeginUpdate/EndUpdate bracket).
class TVector : public TChangeNotifier {
 public:
  /// A vector of NrElem zeros.
  explicit TVector(int NrElem = 0) { Resize(NrElem); }

  /// Number of entries.
  int NrOfElem() const { return int(FData.size()); }
  /// A failed allocation raises std::bad_alloc and leaves the vector as it was.
  void Resize(int NrElem);
  /// Entry i, 1-based.
  ///@{
  double Elem(int i) const { return i >= 1 && i <= NrOfElem() ? FData[size_t(i - 1)] : 0.0; }
  void SetElem(int i, double Value);
  ///@}
  /// Sets every entry to Value.
  void Fill(double Value);

  /// Smallest and largest of the entries First..Last (in any order, clipped to the vector),
  /// NaN skipped; false with both results 0 when there is no value.
  bool MinMax(int First, int Last, double& Minimum, double& Maximum) const;

  /// Percentile at probability Prob (0..1, clamped) of the entries First..Last (in any order,
  /// clipped to the vector), NaN skipped, interpolating linearly between the closest ranks.
  /// No values give 0, a NaN probability gives NaN.
  double Percentile(double Prob, int First, int Last) const;
  /// Percentile of all entries.
  double Percentile(double Prob) const { return Percentile(Prob, 1, NrOfElem()); }

  /// Deep copy of another TVector; OnChange stays this vector's own.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TVector"; }

 private:
  // Clips First..Last to the vector; false when nothing is left.
  bool ClipRange(int& First, int& Last) const;

  std::vector<double> FData;
};

}  // namespace zyr
