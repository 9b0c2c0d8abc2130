#include "calc/tests/test_inputs.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using namespace lists;
using testing::describe;

TEST(AnchorageLength, SteelGradeGivesFy) {
  EXPECT_EQ(computeFy(plainBarsHPB235), (StageOutcome<std::int16_t>{std::int16_t{210}}));
  EXPECT_EQ(computeFy(ribbedBarsHRB335), (StageOutcome<std::int16_t>{std::int16_t{300}}));
  EXPECT_EQ(computeFy(ribbedBarsHRB400), (StageOutcome<std::int16_t>{std::int16_t{360}}));
  const InputRejection noGrade{"钢筋强度等级不能为空值", Entry::None, Entry::None};
  const auto pastTheList = static_cast<std::int16_t>(steelGradeItems.size());
  for (const std::int16_t grade : {std::int16_t{-1}, pastTheList, std::int16_t{32767}}) {
    EXPECT_EQ(computeFy(grade), StageOutcome<std::int16_t>{noGrade}) << grade;
  }
}

TEST(AnchorageLength, DepthAndLengthFromTheStoredValues) {
  const struct {
    float aspt;
    double diameter;
    std::int16_t fy;
    float fbd;
    const char *ls;
    float psiN;
    float psiAe;
    const char *ld;
    std::pair<std::string, std::string> lmin; // tension, compression
  } cases[] = {
      // the opening defaults
      {1.0F, 16, 300, 2.7F, "355.5555", 1.1F, 1.1F, "430.2222", {"160", "213.3333"}},
      {1.0F, 16, 300, 4.0F, "240", 1.265F, 1.1F, "333.96", {"160", "160"}},
      {1.25F, 32, 360, 5.0F, "576", 1.1F, 1.25F, "792", {"320", "345.6"}},
      {1.0F, 16, 210, 3.0F, "224", 1.0F, 1.0F, "224", {"160", "160"}}, // HPB235 uses 210
      {1.0F, 6, 300, 4.0F, "90", 1.1F, 1.1F, "108.9", {"100", "100"}}, // a thin bar: the 100 mm floor
  };
  for (const auto &c : cases) {
    const auto ls = computeLs(c.aspt, c.diameter, c.fy, c.fbd);
    EXPECT_EQ(describe(ls), c.ls);
    ASSERT_TRUE(std::holds_alternative<float>(ls));
    EXPECT_EQ(describe(computeLd(c.psiN, c.psiAe, std::get<float>(ls))), c.ld) << c.ls;
    const auto lmin = std::get<MinimumAnchorage>(computeLmin(std::get<float>(ls), c.diameter, otherMember));
    EXPECT_EQ(std::pair(formatSingle(lmin.tension), formatSingle(lmin.compression)), c.lmin) << c.ls;
  }
}

TEST(AnchorageLength, OutOfRangeResultsAreRefused) {
  const std::string outOfRange = "rejected: 计算结果超出数值范围，请检查输入数据";
  EXPECT_EQ(describe(computeLs(1.0F, 16, 300, 0.0F)), outOfRange);   // division by zero
  EXPECT_EQ(describe(computeLs(0.0F, 16, 300, 0.0F)), outOfRange);   // 0 / 0
  EXPECT_EQ(describe(computeLs(1.0F, 16, 300, 1e-38F)), outOfRange); // beyond the single range
  EXPECT_EQ(describe(computeLs(1.0F, lenientNumber("1e400"), 300, 2.7F)), outOfRange); // an infinite d
  EXPECT_EQ(describe(computeLd(3e38F, 1.25F, 10.0F)), outOfRange);
}

TEST(AnchorageLength, PsiAeByGradeIntensityAndSite) {
  const std::pair<std::int16_t, std::int16_t> columns[] = {{intensityUpTo5, siteIOrII},
                                                           {intensity6, siteIOrII},
                                                           {intensity7, siteIOrII},
                                                           {intensity7, siteIIIOrIV},
                                                           {intensity8OrMore, siteIOrII}};
  const struct {
    std::int16_t grade;
    const char *shown[5];
  } rows[] = {
      {gradeC20, {"1", "1.1", "1.1", "1.25", "1.25"}}, {gradeC25, {"1", "1.1", "1.1", "1.25", "1.25"}},
      {gradeC30, {"1", "1.1", "1.1", "1.25", "1.25"}}, {gradeC40, {"1", "1", "1", "1", "1"}},
      {gradeC45, {"1", "1", "1", "1", "1"}},           {gradeC50, {"1", "1", "1", "1", "1"}},
      {gradeC55, {"1", "1", "1", "1", "1"}},           {gradeC60OrAbove, {"1", "1", "1", "1", "1"}},
  };
  for (const auto &row : rows) {
    for (std::size_t i = 0; i < std::size(columns); ++i) {
      AnchorageInput input = testing::defaultInput();
      testing::setConcreteGrade(input, row.grade);
      input.seismicIntensity = columns[i].first;
      input.siteCategory = columns[i].second;
      EXPECT_EQ(formatSingle(computePsiAe(input, gradeNumber(input)).psiAe), row.shown[i])
          << input.concreteGrade.text << " column " << i;
      input.siteCategory = input.siteCategory == siteIOrII ? siteIIIOrIV : siteIOrII;
      if (columns[i].first != intensity7) { // only intensity 7 reads the site
        EXPECT_EQ(formatSingle(computePsiAe(input, gradeNumber(input)).psiAe), row.shown[i])
            << input.concreteGrade.text << " column " << i;
      }
    }
  }
}

} // namespace
} // namespace tavrin
