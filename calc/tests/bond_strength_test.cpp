#include "calc/tests/test_inputs.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using testing::defaultInput;
using testing::describe;

struct BondCase {
  std::int16_t grade;
  std::int16_t adhesive;
  const char *diameter;
  const char *spacing;
  const char *edge;
  const char *expected; // formatted fbd, or "rejected: " and the message
};

AnchorageInput inputFor(const BondCase &c) {
  AnchorageInput input = defaultInput();
  testing::setConcreteGrade(input, c.grade);
  input.adhesiveGrade = c.adhesive;
  input.barDiameter.text = c.diameter;
  input.barSpacing = c.spacing;
  input.edgeDistance = c.edge;
  return input;
}

// The stage's fbd alone, or its rejection.
StageOutcome<float> fbdOf(const AnchorageInput &input) {
  auto found = computeFbd(input, lenientNumber(input.barDiameter.text));
  if (auto *rejection = std::get_if<InputRejection>(&found)) {
    return std::move(*rejection);
  }
  return std::get<BondStrength>(found).fbd;
}

TEST(BondStrength, TableByGradeAdhesiveAndConstructionBand) {
  using namespace lists;
  constexpr std::int16_t A = adhesiveA;
  constexpr std::int16_t B = adhesiveB;
  // clang-format off
  const BondCase cases[] = {
      {gradeC25, A, "16", "100", "50", "2.7"}, // the opening defaults
      {gradeC20, A, "20", "100", "50", "2.3"}, // ratios exactly 5 and 2.5 pass
      {gradeC30, A, "20", "100", "50", "3.4"}, // ... and fall in band 5d
      {gradeC30, A, "20", "120", "60", "3.6"}, // band 6d
      {gradeC30, A, "20", "140", "70", "4"},   // band 7d
      {gradeC30, A, "20", "140", "55", "3.4"}, // edge ratio 2.75: band 5d
      {gradeC30, A, "20", "140", "65", "3.6"}, // edge ratio 3.25: band 6d
      {gradeC30, B, "20", "140", "70", "3.4"}, // B grade has no bands
      {gradeC40, B, "20", "100", "50", "3.6"}, {gradeC40, B, "20", "140", "70", "3.6"},
      {gradeC40, A, "20", "100", "50", "3.6"}, {gradeC40, A, "20", "120", "60", "3.8"},
      {gradeC40, A, "20", "140", "70", "4.2"}, {gradeC45, A, "20", "120", "60", "4.125"},
      {gradeC45, A, "20", "140", "70", "4.625"}, {gradeC45, B, "20", "140", "70", "3.7"},
      {gradeC50, B, "20", "100", "50", "3.8"}, {gradeC50, A, "20", "120", "60", "4.25"},
      {gradeC55, A, "20", "140", "70", "4.875"}, {gradeC55, A, "20", "100", "50", "3.9"},
      {gradeC60OrAbove, A, "20", "100", "50", "4"}, {gradeC60OrAbove, A, "20", "120", "60", "4.5"},
      {gradeC60OrAbove, A, "20", "140", "70", "5"}, {-1, A, "20", "100", "50", "4"},
      {-1, A, "20", "120", "60", "4.5"}, {-1, -1, "20", "140", "70", "5"},
      {-1, B, "20", "140", "70", "4"},
  };
  // clang-format on
  for (const auto &c : cases) {
    EXPECT_EQ(describe(fbdOf(inputFor(c))), c.expected)
        << "grade " << c.grade << " adhesive " << c.adhesive << " s " << c.spacing << " c " << c.edge;
  }
}

TEST(BondStrength, RefusesSpacingEdgeAndUnreadableTexts) {
  const InputRejection spacing{"植筋间距不能小于植筋直径的5倍", Entry::BarSpacing, Entry::BarSpacing};
  const InputRejection edge{"植筋边距不能小于植筋直径的2.5倍", Entry::EdgeDistance, Entry::EdgeDistance};
  const InputRejection spacingText{"植筋间距必须是数值", Entry::None, Entry::BarSpacing};
  const InputRejection edgeText{"植筋边距必须是数值", Entry::None, Entry::EdgeDistance};
  const InputRejection outOfRange{"计算结果超出数值范围，请检查输入数据", Entry::None, Entry::None};
  const struct {
    BondCase input;
    InputRejection expected;
  } cases[] = {
      {{0, 0, "20", "99", "50", ""}, spacing},
      {{0, 0, "20", "", "50", ""}, spacing},           // an empty spacing reads as 0
      {{0, 0, "20", "abc", "50", ""}, spacing},        // so does one without a leading number
      {{0, 0, "20", "140", "40", ""}, edge},           // edge ratio 2
      {{2, 0, "20", "120abc", "60", ""}, spacingText}, // passes the minimum, cannot be banded
      {{2, 0, "20", "120", "60mm", ""}, edgeText},
      {{2, 0, "20", "120abc", "60mm", ""}, spacingText},
      {{0, 0, "", "100", "50", ""}, outOfRange}, // a diameter reading as 0
      {{0, 0, "abc", "100", "50", ""}, outOfRange},
      {{0, 0, "20", "1e400", "50", ""}, outOfRange},
      {{2, 0, "1e-300", "1e100", "1e100", ""}, outOfRange},
  };
  for (const auto &c : cases) {
    const auto outcome = fbdOf(inputFor(c.input));
    ASSERT_TRUE(std::holds_alternative<InputRejection>(outcome)) << c.input.spacing << " / " << c.input.edge;
    EXPECT_EQ(std::get<InputRejection>(outcome), c.expected) << c.input.spacing << " / " << c.input.edge;
  }
}

TEST(BondStrength, LenientlyReadTextPassesWhereNoBandIsNeeded) {
  for (const auto &[grade, adhesive] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{2, 1}, std::pair{5, 1}}) {
    const BondCase c{
        static_cast<std::int16_t>(grade), static_cast<std::int16_t>(adhesive), "20", "120abc", "60", ""};
    EXPECT_FALSE(describe(fbdOf(inputFor(c))).starts_with("rejected")) << grade << "/" << adhesive;
  }
}

TEST(BondStrength, TypedValueWhileTheUserEntryIsShown) {
  const InputRejection empty{"植筋胶不能为空值", Entry::None, Entry::UserBondStrength};
  const InputRejection notANumber{"胶粘剂粘结强度设计值必须是数值", Entry::None, Entry::UserBondStrength};
  const InputRejection notPositive{"胶粘剂粘结强度设计值必须大于0", Entry::None, Entry::UserBondStrength};
  const InputRejection outOfRange{"计算结果超出数值范围，请检查输入数据", Entry::None, Entry::None};
  const struct {
    const char *typed;
    const char *spacing;
    std::variant<float, InputRejection> expected;
  } cases[] = {
      {"3.3", "", 3.3F}, // no spacing or edge check for a typed value
      {" 2.5 ", "100", 2.5F},      {"1e-30", "100", 1e-30F},   {"", "100", empty},
      {"   ", "100", empty},       {"abc", "100", notANumber}, {"3.3x", "100", notANumber},
      {"0", "100", notPositive},   {"-1", "100", notPositive}, {"1e-50", "100", notPositive},
      {"1e39", "100", outOfRange},
  };
  for (const auto &c : cases) {
    AnchorageInput input = defaultInput();
    input.userBondStrength = {c.typed, true};
    input.barSpacing = c.spacing;
    EXPECT_EQ(fbdOf(input), c.expected) << '"' << c.typed << '"';
  }
}

TEST(BondStrength, TextLeftInTheHiddenUserEntryHasNoEffect) {
  AnchorageInput input = defaultInput();
  for (const char *hidden : {"", "abc", "0", "9.9"}) {
    input.userBondStrength = {hidden, false};
    EXPECT_EQ(fbdOf(input), (StageOutcome<float>{2.7F})) << hidden;
  }
}

} // namespace
} // namespace tavrin
