// SPDX-License-Identifier: MIT
#include <zyr/platform/numerics/stats.h>
#include <zyr/platform/numerics/vector.h>

#include <algorithm>
#include <cmath>

namespace zyr {

void TVector::Resize(int NrElem) {
  NrElem = std::max(NrElem, 0);
  if (NrElem == NrOfElem()) return;
  FData.resize(size_t(NrElem), 0.0);
  Changed();
}

void TVector::SetElem(int i, double Value) {
  if (i < 1 || i > NrOfElem()) return;
  double& e = FData[size_t(i - 1)];
  if (e == Value) return;
  e = Value;
  Changed();
}

void TVector::Fill(double Value) {
  std::fill(FData.begin(), FData.end(), Value);
  Changed();
}

bool TVector::ClipRange(int& First, int& Last) const {
  if (First > Last) std::swap(First, Last);
  First = std::max(First, 1);
  Last = std::min(Last, NrOfElem());
  return First <= Last;
}

bool TVector::MinMax(int First, int Last, double& Minimum, double& Maximum) const {
  Minimum = Maximum = 0;
  if (!ClipRange(First, Last)) return false;
  bool found = false;
  for (int i = First; i <= Last; ++i) {
    const double v = FData[size_t(i - 1)];
    if (std::isnan(v)) continue;
    if (!found || v < Minimum) Minimum = v;
    if (!found || v > Maximum) Maximum = v;
    found = true;
  }
  return found;
}

double TVector::Percentile(double Prob, int First, int Last) const {
  std::vector<double> values;
  if (ClipRange(First, Last)) values.assign(FData.begin() + (First - 1), FData.begin() + Last);
  return PercentileOfValues(values, Prob);
}

void TVector::Assign(const TPersistent* Source) {
  if (auto v = dynamic_cast<const TVector*>(Source)) {
    if (v == this) return;
    FData = v->FData;
    Changed();
  } else {
    TPersistent::Assign(Source);
  }
}

}  // namespace zyr
