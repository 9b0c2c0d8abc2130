#pragma once

#include "calc/decisions.h"

#include <string>

namespace tavrin {

// The adopted depth is rounded up to this step, mm.
inline constexpr double depthStep = 10;

// The largest of ld and the two lmin, each as the window shows it (seven significant digits), rounded up to
// the next depthStep: a length that shows as a multiple of 10 is taken as it stands, whatever single
// precision holds behind it. d is the bar diameter, mm.
AdoptedDepth adoptDepth(float ld, const MinimumAnchorage &lmin, double d);

// "27.5d": the depth in bar diameters to one decimal.
std::string diametersText(double diameters);

} // namespace tavrin
