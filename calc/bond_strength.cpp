#include "calc/bond_strength.h"

#include "calc/conversions.h"
#include "calc/lists.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace tavrin {
namespace {

using lists::gradeC20, lists::gradeC25, lists::gradeC30, lists::gradeC40, lists::gradeC45,
    lists::gradeC60OrAbove;

// One row of the bond-strength table: the B-grade value and the A-grade values for bands 5d, 6d, 7d.
struct BondRow {
  double gradeB;
  std::array<double, 3> gradeAByBand;
};

constexpr BondRow c30Row{3.4, {3.4, 3.6, 4.0}};
constexpr BondRow c40Row{3.6, {3.6, 3.8, 4.2}};
constexpr BondRow noGradeRow{4.0, {4.0, 4.5, 5.0}};
constexpr BondLine gradeBLine{0.4, 3.6};
constexpr std::array<BondLine, 3> gradeALineByBand{{{0.4, 3.6}, {0.5, 4.0}, {0.5, 4.5}}};

constexpr TypedEntry userBondStrengthEntry{"胶粘剂粘结强度设计值", "植筋胶不能为空值",
                                           Entry::UserBondStrength, Least::AboveZero};

InputRejection spacingTooSmall() {
  return {"植筋间距不能小于植筋直径的5倍", Entry::BarSpacing, Entry::BarSpacing};
}
InputRejection edgeTooSmall() {
  return {"植筋边距不能小于植筋直径的2.5倍", Entry::EdgeDistance, Entry::EdgeDistance};
}
InputRejection spacingNotANumber() {
  return {"植筋间距必须是数值", Entry::None, Entry::BarSpacing};
}
InputRejection edgeNotANumber() {
  return {"植筋边距必须是数值", Entry::None, Entry::EdgeDistance};
}

// The band from strict readings of spacing and edge distance: a text that only begins with a number
// passed the minimum checks, but cannot be sorted into a band.
std::variant<Band, InputRejection> constructionBand(const AnchorageInput &input, double diameter) {
  const std::optional<double> spacing = strictDouble(input.barSpacing);
  if (!spacing) {
    return spacingNotANumber();
  }
  const std::optional<double> edge = strictDouble(input.edgeDistance);
  if (!edge) {
    return edgeNotANumber();
  }
  const std::optional<double> s = finiteQuotient(*spacing, diameter);
  const std::optional<double> c = finiteQuotient(*edge, diameter);
  if (!s || !c) {
    return outOfRangeRejection();
  }
  if (*s < band6From.spacing || *c < band6From.edge) {
    return Band::FiveD;
  }
  return *s >= band7From.spacing && *c >= band7From.edge ? Band::SevenD : Band::SixD;
}

// A line's value at the grade number Z, or the cell's fixed value.
double cellValue(const BondCell &cell, double gradeNumber) {
  return cell.line ? (gradeNumber - 40) / 20 * cell.line->slope + cell.line->base : cell.value;
}

// Only the A grade from C30 up bonds better in wider bands; the others read no band.
bool readsBand(std::int16_t grade, std::int16_t adhesive) {
  return grade != gradeC20 && grade != gradeC25 && adhesive != lists::adhesiveB;
}

BondCell cellFor(std::int16_t grade, std::int16_t adhesive, Band band) {
  BondCell cell;
  if (grade == gradeC20 || grade == gradeC25) {
    cell.value = grade == gradeC20 ? 2.3 : 2.7;
    return cell;
  }
  const bool formulaGrade = grade >= gradeC45 && grade <= gradeC60OrAbove;
  const BondRow &row = grade == gradeC30 ? c30Row : grade == gradeC40 ? c40Row : noGradeRow;
  cell.byAdhesive = true;
  if (!readsBand(grade, adhesive)) {
    cell.line = formulaGrade ? std::optional(gradeBLine) : std::nullopt;
    cell.value = row.gradeB;
    return cell;
  }
  cell.band = band;
  const auto column = static_cast<std::size_t>(band);
  cell.line = formulaGrade ? std::optional(gradeALineByBand.at(column)) : std::nullopt;
  cell.value = row.gradeAByBand.at(column);
  return cell;
}

StageOutcome<BondStrength> tableBondStrength(const AnchorageInput &input, double d,
                                             const ConstructionCheck &check) {
  auto cell = bondCell(input, d);
  if (auto *rejection = std::get_if<InputRejection>(&cell)) {
    return std::move(*rejection);
  }
  const auto &found = std::get<BondCell>(cell);
  const double z = gradeNumber(input);
  const std::optional<float> value = storeSingle(cellValue(found, z));
  if (!value) {
    return outOfRangeRejection();
  }
  return BondStrength{*value, check, found, z};
}

} // namespace

StageOutcome<BondCell> bondCell(const AnchorageInput &input, double diameter) {
  const std::int16_t grade = input.concreteGrade.index;
  if (!readsBand(grade, input.adhesiveGrade)) {
    return cellFor(grade, input.adhesiveGrade, Band::FiveD);
  }
  const auto band = constructionBand(input, diameter);
  if (const auto *rejection = std::get_if<InputRejection>(&band)) {
    return *rejection;
  }
  return cellFor(grade, input.adhesiveGrade, std::get<Band>(band));
}

float largestTableFbd(std::int16_t grade, double z) {
  float largest = 0;
  for (const std::int16_t adhesive : {lists::adhesiveA, lists::adhesiveB}) {
    for (const Band band : {Band::FiveD, Band::SixD, Band::SevenD}) {
      const BondCell cell = cellFor(grade, adhesive, band);
      largest = std::max(largest, storeSingle(cellValue(cell, z)).value_or(0.0F));
    }
  }
  return largest;
}

StageOutcome<BondStrength> computeFbd(const AnchorageInput &input, double d) {
  if (input.userBondStrength.shown) {
    // A typed bond strength replaces the table; spacing and edge distance are not checked then.
    auto typed = readTypedValue(input.userBondStrength.text, userBondStrengthEntry);
    if (auto *rejection = std::get_if<InputRejection>(&typed)) {
      return std::move(*rejection);
    }
    return BondStrength{std::get<float>(typed), std::nullopt, std::nullopt, gradeNumber(input)};
  }
  // The minimum checks read spacing and edge distance leniently: an empty spacing reads as 0 and is
  // refused as too small rather than as not a number. A number in digit groups ("1,000") is refused as not
  // a number: read as its first group it would be refused as too small and erased.
  if (runsIntoDigitGroup(input.barSpacing)) {
    return spacingNotANumber();
  }
  ConstructionCheck check;
  check.spacing = lenientNumber(input.barSpacing);
  const std::optional<double> spacingRatio = finiteQuotient(check.spacing, d);
  if (!spacingRatio) {
    return outOfRangeRejection();
  }
  if (*spacingRatio < minimumSpacingRatio) {
    return spacingTooSmall();
  }
  if (runsIntoDigitGroup(input.edgeDistance)) {
    return edgeNotANumber();
  }
  check.edge = lenientNumber(input.edgeDistance);
  const std::optional<double> edgeRatio = finiteQuotient(check.edge, d);
  if (!edgeRatio) {
    return outOfRangeRejection();
  }
  if (*edgeRatio < minimumEdgeRatio) {
    return edgeTooSmall();
  }
  check.spacingRatio = *spacingRatio;
  check.edgeRatio = *edgeRatio;
  return tableBondStrength(input, d, check);
}

} // namespace tavrin
