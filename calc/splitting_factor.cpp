#include "calc/splitting_factor.h"

#include "calc/lists.h"

#include <array>

namespace tavrin {
namespace {

constexpr std::array<double, 4> thickBarDiameters{22, 25, 28, 32};

// aspt for one concrete cover. Bars up to thinBarLimit need no allowance; thicker ones take the cell
// for their diameter and stirrup, and a diameter without a cell takes otherDiameter.
struct StirrupCells {
  std::int16_t item;
  std::array<float, 4> byDiameter; // d 22, 25, 28, 32
};
struct CoverColumn {
  std::int16_t item;
  double thinBarLimit;
  bool readsStirrup;
  std::array<StirrupCells, 2> byStirrup;
  float otherDiameter;
};

using lists::stirrup6, lists::stirrup8OrMore;

// Thin covers split more, and a thicker stirrup holds more. For the covers 35 and ≥40 the stirrup does not
// matter. Where no cell fits (a diameter off the table, or no stirrup chosen in the covers 25 and 30) a
// thick bar takes the column's 32 mm value for the ≥8 stirrup, which in those two covers is below the
// 32 mm value for the 6 mm stirrup.
// clang-format off
constexpr std::array<CoverColumn, 4> coverColumns{{
    {lists::cover25, 20, true,
     {{{stirrup6, {1.04F, 1.1F, 1.16F, 1.25F}}, {stirrup8OrMore, {1.02F, 1.05F, 1.09F, 1.15F}}}}, 1.15F},
    {lists::cover30, 20, true,
     {{{stirrup6, {1.02F, 1.05F, 1.09F, 1.15F}}, {stirrup8OrMore, {1.0F, 1.0F, 1.04F, 1.1F}}}}, 1.1F},
    {lists::cover35, 25, false,
     {{{stirrup6, {1.0F, 1.0F, 1.04F, 1.1F}}, {stirrup8OrMore, {1.0F, 1.0F, 1.04F, 1.1F}}}}, 1.1F},
    {lists::cover40OrMore, 25, false,
     {{{stirrup6, {1.0F, 1.0F, 1.02F, 1.05F}}, {stirrup8OrMore, {1.0F, 1.0F, 1.02F, 1.05F}}}}, 1.05F},
}};
// clang-format on
constexpr float thinBar = 1.0F;

// With no cover chosen, or one off the list, the bar is taken in the thinnest cover, 25, and reads the
// stirrup as that cover does.
const CoverColumn &columnFor(std::int16_t coverThickness) {
  const CoverColumn *column = lists::rowFor(coverColumns, coverThickness);
  return column != nullptr ? *column : *lists::rowFor(coverColumns, lists::cover25);
}

// A cover that does not read the stirrup has the same cells for either, so it needs none chosen.
const StirrupCells *cellsFor(const CoverColumn &column, std::int16_t stirrupDiameter) {
  const StirrupCells *cells = lists::rowFor(column.byStirrup, stirrupDiameter);
  return cells != nullptr || column.readsStirrup ? cells : &column.byStirrup.front();
}

} // namespace

SplittingFactor computeAspt(double d, std::int16_t coverThickness, std::int16_t stirrupDiameter) {
  const CoverColumn &column = columnFor(coverThickness);
  const auto found = [&column](float aspt, SplittingRule rule) {
    return SplittingFactor{aspt, rule, column.thinBarLimit, column.readsStirrup};
  };
  if (d <= column.thinBarLimit) {
    return found(thinBar, SplittingRule::ThinBar);
  }
  const StirrupCells *cells = cellsFor(column, stirrupDiameter);
  if (cells == nullptr) {
    return found(column.otherDiameter, SplittingRule::OffTableBar); // no stirrup chosen: no cell matches
  }
  for (std::size_t i = 0; i < thickBarDiameters.size(); ++i) {
    if (d == thickBarDiameters.at(i)) {
      return found(cells->byDiameter.at(i), SplittingRule::TableCell);
    }
  }
  return found(column.otherDiameter, SplittingRule::OffTableBar);
}

} // namespace tavrin
