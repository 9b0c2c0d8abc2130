#include "calc/splitting_factor.h"

#include "calc/conversions.h"

#include <array>

namespace tavrin {
namespace {

constexpr std::array<double, 4> thickBarDiameters{22, 25, 28, 32};

// aspt for one concrete cover. Bars up to thinBarLimit need no allowance; thicker ones take the cell
// for their diameter and stirrup, and a diameter without a cell takes otherDiameter.
struct CoverColumn {
  double thinBarLimit;
  bool readsStirrup;
  std::array<std::array<float, 4>, 2> byStirrup; // [stirrup 6, 8 or more][d 22, 25, 28, 32]
  float otherDiameter;
};

// Covers of 25, 30, 35 and 40 mm or more. Thin covers split more, and a thicker stirrup holds more.
// For the covers 35 and ≥40 the stirrup does not matter. Where no cell fits (a diameter off the table,
// or no stirrup chosen in the covers 25 and 30) a thick bar takes the column's 32 mm value for the ≥8
// stirrup, which in those two covers is below the 32 mm value for the 6 mm stirrup.
constexpr std::array<CoverColumn, 4> coverColumns{{
    {20, true, {{{1.04F, 1.1F, 1.16F, 1.25F}, {1.02F, 1.05F, 1.09F, 1.15F}}}, 1.15F},
    {20, true, {{{1.02F, 1.05F, 1.09F, 1.15F}, {1.0F, 1.0F, 1.04F, 1.1F}}}, 1.1F},
    {25, false, {{{1.0F, 1.0F, 1.04F, 1.1F}, {1.0F, 1.0F, 1.04F, 1.1F}}}, 1.1F},
    {25, false, {{{1.0F, 1.0F, 1.02F, 1.05F}, {1.0F, 1.0F, 1.02F, 1.05F}}}, 1.05F},
}};
constexpr float thinBar = 1.0F;

// With no cover chosen, or one off the list, the bar is taken in the thinnest cover, 25, and reads the
// stirrup as that cover does.
const CoverColumn &columnFor(std::int16_t coverThickness) {
  if (coverThickness < 0 || static_cast<std::size_t>(coverThickness) >= coverColumns.size()) {
    return coverColumns.front();
  }
  return coverColumns.at(static_cast<std::size_t>(coverThickness));
}

} // namespace

SplittingFactor selectAspt(const std::string &barDiameterText, std::int16_t coverThickness,
                           std::int16_t stirrupDiameter) {
  const double d = lenientNumber(barDiameterText);
  const CoverColumn &column = columnFor(coverThickness);
  const auto found = [&column](float aspt, SplittingRule rule) {
    return SplittingFactor{aspt, rule, column.thinBarLimit, column.readsStirrup};
  };
  if (d <= column.thinBarLimit) {
    return found(thinBar, SplittingRule::ThinBar);
  }
  const std::int16_t stirrup = column.readsStirrup ? stirrupDiameter : std::int16_t{0};
  if (stirrup != 0 && stirrup != 1) {
    return found(column.otherDiameter, SplittingRule::OffTableBar); // no stirrup chosen: no cell matches
  }
  const auto &cells = column.byStirrup.at(static_cast<std::size_t>(stirrup));
  for (std::size_t i = 0; i < thickBarDiameters.size(); ++i) {
    if (d == thickBarDiameters.at(i)) {
      return found(cells.at(i), SplittingRule::TableCell);
    }
  }
  return found(column.otherDiameter, SplittingRule::OffTableBar);
}

float computeAspt(const std::string &barDiameterText, std::int16_t coverThickness,
                  std::int16_t stirrupDiameter) {
  return selectAspt(barDiameterText, coverThickness, stirrupDiameter).aspt;
}

} // namespace tavrin
