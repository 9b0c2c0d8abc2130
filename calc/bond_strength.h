#pragma once

#include "calc/stage.h"

#include <optional>

namespace tavrin {

// Spacing s and edge distance c are measured in bar diameters d.
inline constexpr double minimumSpacingRatio = 5.0;
inline constexpr double minimumEdgeRatio = 2.5;

// Construction band by spacing and edge distance; wider bands bond better. Band 5d lies below either
// ratio of band6From, band 7d at or above both ratios of band7From, band 6d between.
enum class Band : std::uint8_t { FiveD, SixD, SevenD };
struct BandRatios {
  double spacing;
  double edge;
};
inline constexpr BandRatios band6From{6, 3};
inline constexpr BandRatios band7From{7, 3.5};

// Grades C45 to ≥C60: a straight line in the grade number Z, ((Z - 40) / 20) × slope + base.
struct BondLine {
  double slope;
  double base;
};

// The cell of the bond-strength table an input reads once spacing and edge distance have passed their
// minimums: a fixed value, or for C45 to ≥C60 the line.
struct BondCell {
  bool byAdhesive = false;      // C20 and C25 bond alike with either adhesive and in every band
  std::optional<Band> band;     // the A grade from C30 up; the B grade bonds alike in every band
  std::optional<BondLine> line; // C45 to ≥C60
  double value = 0;             // the fixed value where there is no line
};
StageOutcome<BondCell> bondCell(const AnchorageInput &input, double diameter);

// Design bond strength fbd, N/mm²: the typed value while the user entry is shown, otherwise the
// spacing and edge checks and the table by concrete grade, adhesive grade and construction band.
StageOutcome<float> computeFbd(const AnchorageInput &input);

} // namespace tavrin
