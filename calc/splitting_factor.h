#pragma once

#include "calc/records.h"

#include <string>

namespace tavrin {

// Concrete splitting factor aspt by bar diameter, cover and stirrup diameter.
float computeAspt(const std::string &barDiameterText, std::int16_t coverThickness,
                  std::int16_t stirrupDiameter);

} // namespace tavrin
