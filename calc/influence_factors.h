#pragma once

#include "calc/stage.h"

#include <string>

namespace tavrin {

// The text the moisture entry is corrected to when the typed factor is below its floor.
inline constexpr const char *moistureFloorText = "1.1";

struct MoistureFactor {
  float psiW = 0;
  bool corrected = false; // the typed factor was below 1.1 and the entry now reads "1.1"
};

float computePsiBr(std::int16_t memberState);
StageOutcome<MoistureFactor> computePsiW(const std::string &moistureText);
StageOutcome<float> computePsiT(const OptionalEntry &temperatureFactor);
StageOutcome<float> computePsiN(float psiW, float psiBr, float psiT);

} // namespace tavrin
