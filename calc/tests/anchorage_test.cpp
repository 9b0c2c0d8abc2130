#include "calc/adopted_depth.h"
#include "calc/tests/test_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using testing::defaultInput;

const char *nameOf(Quantity q) {
  static const char *const names[] = {"fbd",  "psiBr", "psiW", "psiT",  "psiN",
                                      "aspt", "fy",    "ls",   "psiAe", "ld"};
  return names[static_cast<int>(q)];
}

// Records what a run announces, in order, as "name=value" texts.
struct Recorder {
  std::vector<std::string> events;
  RunObserver observer() {
    return {[this](Quantity q, const AnchorageResult &r) {
              events.push_back(std::string(nameOf(q)) + "=" + formatQuantity(q, r));
            },
            [this](const std::string &text) { events.push_back("moisture text=" + text); }};
  }
};

const std::vector<std::string> defaultRun{"fbd=2.7", "psiBr=1", "psiW=1.1",    "psiT=1",    "psiN=1.1",
                                          "aspt=1",  "fy=300",  "ls=355.5555", "psiAe=1.1", "ld=430.2222"};

TEST(Anchorage, DefaultRunPublishesEveryValueInOrder) {
  AnchorageResult result;
  Recorder recorder;
  EXPECT_EQ(calculateAnchorage(defaultInput(), result, recorder.observer()), std::nullopt);
  EXPECT_EQ(recorder.events, defaultRun);
  for (const auto *slot : {&result.fbd, &result.psiN, &result.ls, &result.ld}) {
    EXPECT_TRUE(slot->reached);
  }
  // A second run with no change publishes the same values again.
  Recorder again;
  calculateAnchorage(defaultInput(), result, again.observer());
  EXPECT_EQ(again.events, defaultRun);
}

TEST(Anchorage, MoistureCorrectionComesBetweenPsiBrAndPsiN) {
  AnchorageInput input = defaultInput();
  input.moistureFactor = "0.9";
  input.memberState = lists::importantMember;
  AnchorageResult result;
  Recorder recorder;
  calculateAnchorage(input, result, recorder.observer());
  const std::vector<std::string> head(recorder.events.begin(), recorder.events.begin() + 6);
  EXPECT_EQ(head, (std::vector<std::string>{"fbd=2.7", "psiBr=1.15", "moisture text=1.1", "psiW=1.1",
                                            "psiT=1", "psiN=1.265"}));
}

// A rejection ends the run: the values before it are announced, the later ones keep the previous run's.
TEST(Anchorage, RejectionsStopTheRunAndKeepEarlierValues) {
  const struct {
    const char *what;
    void (*change)(AnchorageInput &);
    std::string message;
    std::size_t announced; // how many values of the run came before the rejection
  } cases[] = {
      {"spacing", [](AnchorageInput &i) { i.barSpacing = "60"; }, "植筋间距不能小于植筋直径的5倍", 0},
      {"edge", [](AnchorageInput &i) { i.edgeDistance = "30"; }, "植筋边距不能小于植筋直径的2.5倍", 0},
      {"empty bond strength",
       [](AnchorageInput &i) {
         i.userBondStrength = {"", true};
       },
       "植筋胶不能为空值", 0},
      {"zero bond strength",
       [](AnchorageInput &i) {
         i.userBondStrength = {"0", true};
       },
       "胶粘剂粘结强度设计值必须大于0", 0},
      {"empty moisture", [](AnchorageInput &i) { i.moistureFactor = ""; }, "混凝土孔壁潮湿影响系数不能为空值",
       2},
      {"moisture text", [](AnchorageInput &i) { i.moistureFactor = "abc"; },
       "混凝土孔壁潮湿影响系数必须是数值", 2},
      {"empty temperature",
       [](AnchorageInput &i) {
         i.temperatureFactor = {" ", true};
       },
       "温度影响系数不能为空值", 3},
      {"temperature text",
       [](AnchorageInput &i) {
         i.temperatureFactor = {"abc", true};
       },
       "温度影响系数必须是数值", 3},
      {"temperature factor below 1",
       [](AnchorageInput &i) {
         i.temperatureFactor = {"0.8", true};
       },
       "温度影响系数不能小于1", 3},
      {"no steel grade", [](AnchorageInput &i) { i.steelGrade = -1; }, "钢筋强度等级不能为空值", 6},
      {"psiN beyond range",
       [](AnchorageInput &i) {
         i.temperatureFactor = {"3.3e38", true};
       },
       "计算结果超出数值范围，请检查输入数据", 4},
      {"ls beyond range",
       [](AnchorageInput &i) {
         i.userBondStrength = {"1e-37", true};
       },
       "计算结果超出数值范围，请检查输入数据", 7},
      {"ld beyond range",
       [](AnchorageInput &i) {
         i.temperatureFactor = {"1e38", true};
       },
       "计算结果超出数值范围，请检查输入数据", 9},
  };
  for (const auto &c : cases) {
    AnchorageResult result;
    calculateAnchorage(defaultInput(), result); // an earlier complete run
    AnchorageInput input = defaultInput();
    c.change(input);
    Recorder recorder;
    const auto rejection = calculateAnchorage(input, result, recorder.observer());
    ASSERT_TRUE(rejection.has_value()) << c.what;
    EXPECT_EQ(rejection->message, c.message) << c.what;
    ASSERT_EQ(recorder.events.size(), c.announced) << c.what;
    if (c.announced > 1) {
      EXPECT_EQ(recorder.events[1], "psiBr=1") << c.what;
    }
    EXPECT_FALSE(result.ld.reached) << c.what;
    EXPECT_EQ(formatSingle(result.ld.value), "430.2222") << c.what << ": the earlier run's length stays";
  }
}

TEST(Anchorage, TemperatureRejectionLeavesTheNewPsiBrBesideThePreviousPsiN) {
  AnchorageResult result;
  calculateAnchorage(defaultInput(), result);
  AnchorageInput input = defaultInput();
  input.memberState = lists::cantilever;
  input.temperatureFactor = {"", true};
  calculateAnchorage(input, result);
  EXPECT_EQ(formatSingle(result.psiBr.value), "1.5");
  EXPECT_TRUE(result.psiBr.reached);
  EXPECT_EQ(formatSingle(result.psiN.value), "1.1");
  EXPECT_FALSE(result.psiN.reached);
}

TEST(Anchorage, ValuesStartAtZeroBeforeTheFirstRun) {
  AnchorageInput input = defaultInput();
  input.barSpacing = "10";
  AnchorageResult result;
  calculateAnchorage(input, result);
  EXPECT_EQ(result.fbd.value, 0.0F);
  EXPECT_FALSE(result.fbd.reached);
  EXPECT_EQ(result.ld.value, 0.0F);
}

} // namespace
} // namespace tavrin

namespace tavrin {
namespace {

// The depth for the drawing: the largest of ld and lmin as shown, up to the next 10 mm.
TEST(AdoptedDepth, TakesTheLargerOfLdAndLminUpToTheNext10Mm) {
  const struct {
    const char *what;
    void (*change)(AnchorageInput &);
    const char *depth;
    const char *diameters;
    bool lminGoverns;
  } cases[] = {
      {"defaults: ld 430.2222", [](AnchorageInput &) {}, "440", "27.5d", false},
      {"cantilever: ld 645.3333", [](AnchorageInput &in) { in.memberState = lists::cantilever; }, "650",
       "40.6d", false},
      {"d 6 in C60 or above: ld 79.2 below the 100 mm floor",
       [](AnchorageInput &in) {
         testing::setConcreteGrade(in, lists::gradeC60OrAbove);
         in.barDiameter = testing::choiceOf(lists::barDiameter, 0), in.barSpacing = "42",
         in.edgeDistance = "21";
       },
       "100", "16.7d", true},
  };
  for (const auto &c : cases) {
    AnchorageInput input = defaultInput();
    c.change(input);
    AnchorageResult result;
    ASSERT_FALSE(calculateAnchorage(input, result).has_value()) << c.what;
    const AdoptedDepth &adopted = result.completed->adopted;
    EXPECT_EQ(formatDouble(adopted.depth), c.depth) << c.what;
    EXPECT_EQ(diametersText(adopted.diameters), c.diameters) << c.what;
    EXPECT_EQ(adopted.lminGoverns, c.lminGoverns) << c.what;
  }
  // A length that shows as a multiple of 10 stays, whatever single precision holds behind it.
  const float shownAs440 = std::nextafter(440.0F, 500.0F);
  EXPECT_EQ(adoptDepth(shownAs440, {160, 213.3333F, false}, 16).depth, 440);
}

} // namespace
} // namespace tavrin
