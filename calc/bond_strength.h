#pragma once

#include "calc/stage.h"

#include <optional>

namespace tavrin {

// Spacing s and edge distance c are measured in bar diameters d.
inline constexpr double minimumSpacingRatio = 5.0;
inline constexpr double minimumEdgeRatio = 2.5;

// Band 5d lies below either ratio of band6From, band 7d at or above both ratios of band7From, band 6d
// between.
struct BandRatios {
  double spacing;
  double edge;
};
inline constexpr BandRatios band6From{6, 3};
inline constexpr BandRatios band7From{7, 3.5};

StageOutcome<BondCell> bondCell(const AnchorageInput &input, double diameter);

// Design bond strength fbd, N/mm², for the bar diameter d: the typed value while the user entry is shown,
// otherwise the spacing and edge checks and the table by concrete grade, adhesive grade and construction
// band. The grade number is read once the input has passed, for the table and the later stages.
struct BondStrength {
  float fbd = 0;
  std::optional<ConstructionCheck> check; // none for a typed value
  std::optional<BondCell> cell;           // none for a typed value
  double gradeNumber = 0;                 // Z of the concrete grade
};
StageOutcome<BondStrength> computeFbd(const AnchorageInput &input, double d);

// The largest value the table gives for a concrete grade (its list index and grade number z), over both
// adhesives and every band: a typed fbd above it is more than the program knows the grade to bond.
float largestTableFbd(std::int16_t grade, double z);

} // namespace tavrin
