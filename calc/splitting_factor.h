#pragma once

#include "calc/records.h"

namespace tavrin {

// Concrete splitting factor aspt by bar diameter, cover and stirrup diameter, and the rule that gave it.
struct SplittingFactor {
  float aspt;
  SplittingRule rule;
  double thinBarLimit; // bars up to this diameter need no allowance in the chosen cover
  bool stirrupRead;    // the chosen cover's cells depend on the stirrup
};
SplittingFactor computeAspt(double d, std::int16_t coverThickness, std::int16_t stirrupDiameter);

} // namespace tavrin
