// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Small numeric helpers of the controls: tick steps for axes, sign and integer part, a seedable
/// Gaussian random source and the point distances used by hit testing.

#include <cstdint>
#include <utility>

namespace zyr {

/// Nice main tick parameters for an axis running from Low to High.
///
/// NumTicks is the requested number of intervals; the step is the largest 1, 2 or 5 x 10^k not
/// above |High - Low| / NumTicks, so at least NumTicks and at most about 2.5 NumTicks intervals
/// fit. NumTicks below 1 counts as 1, above 10000 as 10000.
/// Step carries the direction of the axis: positive when High > Low, negative for a reversed
/// axis. FirstTick is the first multiple of |Step| reached from Low towards High (>= Low on a
/// rising axis, <= Low on a falling one, allowing one part in 10^9 of a step for rounding).
/// NSubTicks is the number of short intervals per step: 5 for 1 and 5 steps, 4 for 2 steps.
/// An empty range (Low = High) or a non-finite bound gives Step 0 (no ticks), FirstTick = Low
/// (0 when Low is not finite) and NSubTicks 1, so dividing by it is always safe. Ranges too
/// narrow for the precision of their bounds get a step of a few units in the last place, so
/// successive ticks always differ.
void CalcScalePars(int NumTicks, double Low, double High, double& FirstTick, double& Step,
                   uint16_t& NSubTicks);

/// Swaps two values.
template <typename T>
void ExChange(T& a, T& b) {
  using std::swap;
  swap(a, b);
}

/// Sign of x: -1, 0 or +1 (0 for NaN).
int Signum(double x);

/// Largest integer not above x (the integer part towards minus infinity), saturated to the int
/// range; NaN gives 0.
int IntNeg(double x);

/// A normally distributed random number with the given mean and standard deviation (the sign
/// of StdDev is ignored). The generator is the library's own, so a seed gives the same
/// sequence on every machine; each thread starts with seed 0. A non-finite argument gives NaN.
double GRandom(double Mean = 0.0, double StdDev = 1.0);

/// Restarts the sequence of GRandom (and of URandom) from a seed.
void GRandomSeed(uint64_t Seed);

/// A uniformly distributed random number in [0, 1) from the same generator as GRandom.
double URandom();

/// Distance of point (Px, Py) from the segment (x1, y1)-(x2, y2); beyond either end it is the
/// distance to that end point; a segment of length 0 is its point.
double DistanceToSegment(double Px, double Py, double x1, double y1, double x2, double y2);

/// Distance of point (Px, Py) from the outline of the axis-parallel ellipse with centre
/// (Cx, Cy) and half axes a, b (signs ignored); (NearX, NearY) receives the nearest point of the
/// outline. A zero half axis makes the ellipse a segment (or a point). Points inside the ellipse
/// have a positive distance to the outline as well. Non-finite arguments give NaN.
double DistFromEllipse(double Px, double Py, double Cx, double Cy, double a, double b,
                       double& NearX, double& NearY);

/// Distance of point (Px, Py) from the rectangle with corners (x1, y1) and (x2, y2) in any order,
/// edges included; 0 for points on or inside it.
double DistFromRect(double Px, double Py, double x1, double y1, double x2, double y2);

}  // namespace zyr
