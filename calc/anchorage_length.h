#pragma once

#include "calc/stage.h"

#include <string>

namespace tavrin {

// ls = aspt × depthFactor × d × fy / fbd.
inline constexpr double depthFactor = 0.2;

StageOutcome<std::int16_t> computeFy(std::int16_t steelGrade);
StageOutcome<float> computeLs(float aspt, const std::string &barDiameterText, std::int16_t fy, float fbd);
float computePsiAe(const AnchorageInput &input);
StageOutcome<float> computeLd(float psiN, float psiAe, float ls);

} // namespace tavrin
