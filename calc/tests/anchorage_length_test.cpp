#include "calc/tests/test_inputs.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using testing::describe;

TEST(AnchorageLength, SteelGradeGivesFy) {
  EXPECT_EQ(computeFy(0), (StageOutcome<std::int16_t>{std::int16_t{210}}));
  EXPECT_EQ(computeFy(1), (StageOutcome<std::int16_t>{std::int16_t{300}}));
  EXPECT_EQ(computeFy(2), (StageOutcome<std::int16_t>{std::int16_t{360}}));
  const InputRejection noGrade{"钢筋强度等级不能为空值", Entry::None, Entry::None};
  for (const std::int16_t grade : {-1, 3, 32767}) {
    EXPECT_EQ(computeFy(grade), StageOutcome<std::int16_t>{noGrade}) << grade;
  }
}

TEST(AnchorageLength, DepthAndLengthFromTheStoredValues) {
  const struct {
    float aspt;
    const char *diameter;
    std::int16_t fy;
    float fbd;
    const char *ls;
    float psiN;
    float psiAe;
    const char *ld;
  } cases[] = {
      {1.0F, "16", 300, 2.7F, "355.5555", 1.1F, 1.1F, "430.2222"}, // the opening defaults
      {1.0F, "16", 300, 4.0F, "240", 1.265F, 1.1F, "333.96"},
      {1.25F, "32", 360, 5.0F, "576", 1.1F, 1.25F, "792"},
      {1.0F, "16", 210, 3.0F, "224", 1.0F, 1.0F, "224"}, // HPB235 uses 210
  };
  for (const auto &c : cases) {
    const auto ls = computeLs(c.aspt, c.diameter, c.fy, c.fbd);
    EXPECT_EQ(describe(ls), c.ls);
    ASSERT_TRUE(std::holds_alternative<float>(ls));
    EXPECT_EQ(describe(computeLd(c.psiN, c.psiAe, std::get<float>(ls))), c.ld) << c.ls;
  }
}

TEST(AnchorageLength, OutOfRangeResultsAreRefused) {
  const std::string outOfRange = "rejected: 计算结果超出数值范围，请检查输入数据";
  EXPECT_EQ(describe(computeLs(1.0F, "16", 300, 0.0F)), outOfRange);    // division by zero
  EXPECT_EQ(describe(computeLs(0.0F, "16", 300, 0.0F)), outOfRange);    // 0 / 0
  EXPECT_EQ(describe(computeLs(1.0F, "16", 300, 1e-38F)), outOfRange);  // beyond the single range
  EXPECT_EQ(describe(computeLs(1.0F, "1e400", 300, 2.7F)), outOfRange); // an infinite diameter
  EXPECT_EQ(describe(computeLd(3e38F, 1.25F, 10.0F)), outOfRange);
}

TEST(AnchorageLength, PsiAeByGradeIntensityAndSite) {
  // Columns: intensity <=5, 6, 7 with site I、II, 7 with site III、IV, >=8.
  const std::pair<std::int16_t, std::int16_t> columns[] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 0}};
  const struct {
    std::int16_t grade;
    const char *shown[5];
  } rows[] = {
      {0, {"1", "1.1", "1.1", "1.25", "1.25"}}, {1, {"1", "1.1", "1.1", "1.25", "1.25"}},
      {2, {"1", "1.1", "1.1", "1.25", "1.25"}}, {3, {"1", "1", "1", "1", "1"}},
      {4, {"1", "1", "1", "1", "1"}},           {5, {"1", "1", "1", "1", "1"}},
      {6, {"1", "1", "1", "1", "1"}},           {7, {"1", "1", "1", "1", "1"}},
  };
  for (const auto &row : rows) {
    for (std::size_t i = 0; i < std::size(columns); ++i) {
      AnchorageInput input = testing::defaultInput();
      testing::setConcreteGrade(input, row.grade);
      input.seismicIntensity = columns[i].first;
      input.siteCategory = columns[i].second;
      EXPECT_EQ(formatSingle(computePsiAe(input)), row.shown[i])
          << input.concreteGrade.text << " column " << i;
      input.siteCategory = static_cast<std::int16_t>(1 - input.siteCategory);
      if (columns[i].first != 2) { // only intensity 7 reads the site
        EXPECT_EQ(formatSingle(computePsiAe(input)), row.shown[i])
            << input.concreteGrade.text << " column " << i;
      }
    }
  }
}

} // namespace
} // namespace tavrin
