#include "calc/tests/test_inputs.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(InfluenceFactors, MemberStateGivesPsiBr) {
  const auto pastTheList = static_cast<std::int16_t>(lists::memberStateItems.size());
  // clang-format off
  const struct {
    std::int16_t memberState;
    const char *shown;
  } cases[] = {{lists::cantilever, "1.5"}, {lists::importantMember, "1.15"}, {lists::otherMember, "1"},
               {-1, "1"}, {pastTheList, "1"}, {32767, "1"}, {-32768, "1"}};
  // clang-format on
  for (const auto &c : cases) {
    EXPECT_EQ(formatSingle(computePsiBr(c.memberState)), c.shown) << c.memberState;
  }
}

TEST(InfluenceFactors, MoistureFactorIsRaisedToItsFloor) {
  const InputRejection empty{"混凝土孔壁潮湿影响系数不能为空值", Entry::None, Entry::MoistureFactor};
  const InputRejection notANumber{"混凝土孔壁潮湿影响系数必须是数值", Entry::None, Entry::MoistureFactor};
  const InputRejection outOfRange{"计算结果超出数值范围，请检查输入数据", Entry::None, Entry::None};
  const struct {
    const char *typed;
    StageOutcome<MoistureFactor> expected;
  } cases[] = {
      {"1.05", MoistureFactor{1.1F, true}},
      {"0", MoistureFactor{1.1F, true}},
      {"-2", MoistureFactor{1.1F, true}},
      {"-1e400", MoistureFactor{1.1F, true}},
      {"1.1", MoistureFactor{1.1F, false}},
      {" 1.2 ", MoistureFactor{1.2F, false}},
      {"1.3", MoistureFactor{1.3F, false}},
      {"", empty},
      {"  ", empty},
      {"　", empty},
      {"abc", notANumber},
      {"1.2x", notANumber},
      {"1e39", outOfRange},
  };
  for (const auto &c : cases) {
    const auto outcome = computePsiW(c.typed);
    if (const auto *expected = std::get_if<MoistureFactor>(&c.expected)) {
      ASSERT_TRUE(std::holds_alternative<MoistureFactor>(outcome)) << c.typed;
      EXPECT_EQ(std::get<MoistureFactor>(outcome).psiW, expected->psiW) << c.typed;
      EXPECT_EQ(std::get<MoistureFactor>(outcome).corrected, expected->corrected) << c.typed;
    } else {
      ASSERT_TRUE(std::holds_alternative<InputRejection>(outcome)) << c.typed;
      EXPECT_EQ(std::get<InputRejection>(outcome), std::get<InputRejection>(c.expected)) << c.typed;
    }
  }
}

TEST(InfluenceFactors, TemperatureFactorOnlyWhileItsEntryIsShown) {
  const InputRejection empty{"温度影响系数不能为空值", Entry::None, Entry::TemperatureFactor};
  const InputRejection notANumber{"温度影响系数必须是数值", Entry::None, Entry::TemperatureFactor};
  const InputRejection belowOne{"温度影响系数不能小于1", Entry::None, Entry::TemperatureFactor};
  const struct {
    OptionalEntry entry;
    StageOutcome<float> expected;
  } cases[] = {
      {{"", false}, 1.0F},        {{"abc", false}, 1.0F},      {{"-5", false}, 1.0F},
      {{"1.2", true}, 1.2F},      {{" 1 ", true}, 1.0F},       {{"", true}, empty},
      {{"   ", true}, empty},     {{"abc", true}, notANumber}, {{"0", true}, belowOne},
      {{"-1.2", true}, belowOne}, {{"0.8", true}, belowOne},   {{"0.9999999", true}, belowOne},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(computePsiT(c.entry), c.expected) << '"' << c.entry.text << '"' << c.entry.shown;
  }
}

TEST(InfluenceFactors, PsiNIsTheProductOfTheStoredSingles) {
  EXPECT_EQ(testing::describe(computePsiN(1.1F, 1.15F, 1.0F)), "1.265");
  EXPECT_EQ(computePsiN(1.1F, 1.15F, 1.0F), (StageOutcome<float>{static_cast<float>(1.1F * 1.15 * 1.0F)}));
  EXPECT_EQ(testing::describe(computePsiN(1.1F, 1.0F, 1.0F)), "1.1");
  EXPECT_EQ(testing::describe(computePsiN(3e38F, 1.5F, 1.0F)),
            "rejected: 计算结果超出数值范围，请检查输入数据");
}

} // namespace
} // namespace tavrin
