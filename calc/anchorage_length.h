#pragma once

#include "calc/stage.h"

namespace tavrin {

// ls = aspt × depthFactor × d × fy / fbd.
inline constexpr double depthFactor = 0.2;

StageOutcome<std::int16_t> computeFy(std::int16_t steelGrade);
StageOutcome<float> computeLs(float aspt, double d, std::int16_t fy, float fbd);
struct DisplacementFactor {
  float psiAe;
  DisplacementRule rule;
};
DisplacementFactor computePsiAe(const AnchorageInput &input, double z); // z: the grade number
StageOutcome<float> computeLd(float psiN, float psiAe, float ls);

// lmin for bars planted by construction requirement: tension max(0.3·ls, 10·d, 100 mm), compression
// max(0.6·ls, 10·d, 100 mm), both ×1.5 for a cantilever.
struct MinimumAnchorageRule {
  double lsShare;
};
inline constexpr MinimumAnchorageRule tensionMinimum{0.3};
inline constexpr MinimumAnchorageRule compressionMinimum{0.6};
inline constexpr double minimumDiameters = 10;
inline constexpr double minimumLength = 100; // mm
inline constexpr double cantileverMinimumFactor = 1.5;
StageOutcome<MinimumAnchorage> computeLmin(float ls, double d, std::int16_t memberState);

} // namespace tavrin
