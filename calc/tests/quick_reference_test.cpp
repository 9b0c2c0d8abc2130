#include "calc/quick_reference_tables.h"
#include "calc/tests/test_inputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tavrin {
namespace {

const std::vector<quickref::Table> &tables() {
  static const std::vector<quickref::Table> made = quickref::quickReferenceTables();
  return made;
}

TEST(QuickReference, EveryTableHoldsADepthForEachDiameterAndGrade) {
  ASSERT_EQ(tables().size(), 6u);
  for (const quickref::Table &table : tables()) {
    ASSERT_EQ(table.rows.size(), lists::barDiameter.items.size()) << table.steelGrade << table.seismic;
    for (const std::vector<quickref::Cell> &row : table.rows) {
      ASSERT_EQ(row.size(), lists::concreteGrade.items.size()) << table.steelGrade << table.seismic;
      for (const quickref::Cell &cell : row) {
        const double depth = strictDouble(cell.depth).value_or(0);
        EXPECT_TRUE(depth > 0 && std::fmod(depth, 10) == 0) << "'" << cell.depth << "' in " << table.seismic;
      }
    }
  }
}

// Where a table meets the window's default inputs (d 16, spacing 100, edge 50): C20 and C25 bond alike in
// every band, so the default spacing and edge give the table's fbd and the default run the table's depth.
struct Meeting {
  std::size_t table; // HRB400 ≤5, 6, ≥8 then HRB335 ≤5, 6, ≥8
  std::int16_t steelGrade;
  std::int16_t grade;
  std::int16_t intensity;
  std::int16_t site;
};
constexpr Meeting meetings[] = {
    {4, lists::ribbedBarsHRB335, lists::gradeC25, lists::intensity6, lists::siteIOrII}, // 例一
    {4, lists::ribbedBarsHRB335, lists::gradeC20, lists::intensity7, lists::siteIOrII},
    {3, lists::ribbedBarsHRB335, lists::gradeC25, lists::intensityUpTo5, lists::siteIIIOrIV},
    {5, lists::ribbedBarsHRB335, lists::gradeC20, lists::intensity8OrMore, lists::siteIIIOrIV},
    {0, lists::ribbedBarsHRB400, lists::gradeC20, lists::intensityUpTo5, lists::siteIOrII},
    {1, lists::ribbedBarsHRB400, lists::gradeC25, lists::intensity6, lists::siteIIIOrIV},
    {2, lists::ribbedBarsHRB400, lists::gradeC25, lists::intensity7, lists::siteIIIOrIV},
};

TEST(QuickReference, CellsAreTheDepthsOfTheDefaultInputsWhereTheyMeet) {
  const auto d16 = static_cast<std::size_t>(lists::barDiameter.defaultIndex);
  for (const Meeting &meeting : meetings) {
    AnchorageInput input = testing::defaultInput();
    testing::setConcreteGrade(input, meeting.grade);
    input.steelGrade = meeting.steelGrade;
    input.seismicIntensity = meeting.intensity;
    input.siteCategory = meeting.site;
    AnchorageResult result;
    ASSERT_EQ(calculateAnchorage(input, result), std::nullopt);
    const quickref::Cell &cell = tables()[meeting.table].rows[d16][static_cast<std::size_t>(meeting.grade)];
    EXPECT_EQ(cell.depth, formatDouble(result.completed->adopted.depth))
        << "table " << meeting.table << ", " << input.concreteGrade.text;
  }
  // 例一 states ld = 430.2222 mm, above both lmin: 440 mm on the drawing.
  EXPECT_EQ(tables()[4].rows[d16][lists::gradeC25].depth, "440");
}

TEST(QuickReference, CsvOpensAsUtf8WithARowPerTableRow) {
  const std::string csv = quickref::csvText(tables());
  EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF")) << "no byte-order mark";
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 6 * 12);
}

} // namespace
} // namespace tavrin
