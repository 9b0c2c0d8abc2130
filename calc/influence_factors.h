#pragma once

#include "calc/stage.h"

#include <string>

namespace tavrin {

// The moisture factor never counts for less than its floor: a lower entry is raised to it, and the entry
// is rewritten to show the floor as formatDouble does.
inline constexpr double moistureFloor = 1.1;

struct MoistureFactor {
  float psiW = 0;
  bool corrected = false; // the typed factor was below the floor, which the entry now shows
  double typed = 0;       // the factor as typed
};

float computePsiBr(std::int16_t memberState);
StageOutcome<MoistureFactor> computePsiW(const std::string &moistureText);
StageOutcome<float> computePsiT(const OptionalEntry &temperatureFactor);
StageOutcome<float> computePsiN(float psiW, float psiBr, float psiT);

} // namespace tavrin
