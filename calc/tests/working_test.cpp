// What a checking engineer reads beside each value: the working, the minimum anchorage lengths and the design
// code's notices, for each rule a run can decide by.
#include "calc/code_notices.h"
#include "calc/tests/test_inputs.h"
#include "calc/working.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using testing::defaultInput;

struct Case {
  const char *what;
  std::function<void(AnchorageInput &)> change; // from the window's opening inputs
  Quantity quantity;
  std::string working; // the whole working, or the line of it that the case is about
};

bool containsLine(const std::string &working, const std::string &line) {
  return working == line || ("\n" + working + "\n").find("\n" + line + "\n") != std::string::npos;
}

TEST(Working, StatesTheRuleThatDecidedEachValue) {
  const auto set = [](auto field, auto value) { return [=](AnchorageInput &in) { in.*field = value; }; };
  const auto grade = [](std::int16_t index) {
    return [=](AnchorageInput &in) { in.concreteGrade = testing::choiceOf(lists::concreteGrade, index); };
  };
  const Case cases[] = {
      {"C25 table cell", nullptr, Quantity::Fbd,
       "fbd = 2.7 N/mm²\n查粘结强度表：C25，不分胶粘剂等级和间距、边距\n"
       "构造条件（s ≥ 5d、c ≥ 2.5d）：s/d = 200 / 16 = 12.5 ≥ 5，c/d = 100 / 16 = 6.25 ≥ 2.5"},
      {"≥C60 line, band 7d", grade(lists::gradeC60OrAbove), Quantity::Fbd,
       "fbd = (Z − 40) / 20 × 0.5 + 4.5 = (60 − 40) / 20 × 0.5 + 4.5 = 5 N/mm²"},
      {"typed for plain bars",
       [](AnchorageInput &in) {
         in.steelGrade = lists::plainBarsHPB235, in.userBondStrength = {"3.3", true};
       },
       Quantity::Fbd,
       "fbd = 3.3 N/mm²（按输入值；HPB235钢筋不查粘结强度表，不检查构造条件（s ≥ 5d、c ≥ 2.5d））"},
      {"moisture at its floor", nullptr, Quantity::PsiN,
       "ψN = ψw × ψbr × ψT = 1.1 × 1 × 1 = 1.1（ψw：混凝土孔壁潮湿影响系数输入 1.1 ≥ 1.1，按输入值；"
       "ψT：使用环境温度≤60℃，不计温度影响，取 1.0）"},
      {"moisture raised, temperature typed",
       [](AnchorageInput &in) {
         in.moistureFactor = "0.9", in.temperatureFactor = {"1.2", true};
       },
       Quantity::PsiN,
       "ψN = ψw × ψbr × ψT = 1.1 × 1 × 1.2 = 1.32（ψw：混凝土孔壁潮湿影响系数输入 0.9 < 1.1，取 1.1；"
       "ψT：使用环境温度>60℃，按输入值 1.2）"},
      {"thin bar", nullptr, Quantity::Aspt, "αspt = 1（d = 16 ≤ 20，不计劈裂影响）"},
      {"table cell",
       [](AnchorageInput &in) {
         in.barDiameter = {10, "28"}, in.stirrupDiameter = lists::stirrup6;
       },
       Quantity::Aspt, "αspt = 1.09（d = 28 > 20，查劈裂影响系数表：保护层厚度30，箍筋直径6）"},
      {"cover 35: thin up to 25",
       [](AnchorageInput &in) {
         in.barDiameter = {8, "22"}, in.coverThickness = lists::cover35;
       },
       Quantity::Aspt, "αspt = 1（d = 22 ≤ 25，不计劈裂影响）"},
      {"cover 35 reads no stirrup",
       [](AnchorageInput &in) {
         in.barDiameter = {10, "28"}, in.coverThickness = lists::cover35;
       },
       Quantity::Aspt, "αspt = 1.04（d = 28 > 25，查劈裂影响系数表：保护层厚度35，不分箍筋直径）"},
      {"diameter off the table",
       [](AnchorageInput &in) {
         in.barDiameter = {-1, "24"};
       },
       Quantity::Aspt, "αspt = 1.1（d = 24 > 20，劈裂影响系数表无对应格，按保护层厚度30，箍筋直径>=8取）"},
      {"fy", nullptr, Quantity::Ls,
       "ls = 0.2 × αspt × d × fy / fbd = 0.2 × 1 × 16 × 300 / 2.7 = 355.5555 mm（fy：HRB335，取 300 N/mm²）"},
      {"above C30", grade(lists::gradeC40), Quantity::PsiAe, "ψae = 1（C40 > C30，取 1.0）"},
      {"intensity up to 5", set(&AnchorageInput::seismicIntensity, lists::intensityUpTo5), Quantity::PsiAe,
       "ψae = 1（C25 ≤ C30，抗震设防烈度<=5，取 1.0）"},
      {"intensity 8", set(&AnchorageInput::seismicIntensity, lists::intensity8OrMore), Quantity::PsiAe,
       "ψae = 1.25（C25 ≤ C30，抗震设防烈度>=8，取 1.25）"},
      {"7 on a soft site",
       [](AnchorageInput &in) {
         in.seismicIntensity = lists::intensity7, in.siteCategory = lists::siteIIIOrIV;
       },
       Quantity::PsiAe, "ψae = 1.25（C25 ≤ C30，7度，场地类别III、IV类，取 1.25）"},
      {"6", nullptr, Quantity::PsiAe, "ψae = 1.1（C25 ≤ C30，6度，场地类别I、II类，取 1.1）"},
      {"ld and lmin", nullptr, Quantity::Ld,
       "ld = ψN × ψae × ls = 1.1 × 1.1 × 355.5555 = 430.2222 mm\n"
       "按构造要求植筋的最小锚固长度 lmin（GB 50367-2013 第15.3.1条）：\n"
       "受拉 lmin = max(0.3 × ls, 10 × d, 100) = max(0.3 × 355.5555, 10 × 16, 100) = 160 mm\n"
       "受压 lmin = max(0.6 × ls, 10 × d, 100) = max(0.6 × 355.5555, 10 × 16, 100) = 213.3333 mm\n"
       "取用植筋锚固深度 = 440 mm（27.5d）：ld = 430.2222 mm ≥ lmin = 213.3333 mm，取 ld，按 10 mm 向上取整\n"
       "规范提示：无"},
      {"lmin governs",
       [](AnchorageInput &in) {
         in.barDiameter = {0, "6"},
         in.concreteGrade = testing::choiceOf(lists::concreteGrade, lists::gradeC60OrAbove),
         in.barSpacing = "42", in.edgeDistance = "21";
       },
       Quantity::Ld,
       "取用植筋锚固深度 = 100 mm（16.7d）：ld = 79.2 mm < lmin = 100 mm，取 lmin，按 10 mm 向上取整"},
      {"cantilever lmin, tension", set(&AnchorageInput::memberState, lists::cantilever), Quantity::Ld,
       "受拉 lmin = 1.5 × max(0.3 × ls, 10 × d, 100) = 1.5 × max(0.3 × 355.5555, 10 × 16, 100) = 240 mm"
       "（悬挑构件乘以 1.5）"},
      {"cantilever lmin, compression", set(&AnchorageInput::memberState, lists::cantilever), Quantity::Ld,
       "受压 lmin = 1.5 × max(0.6 × ls, 10 × d, 100) = 1.5 × max(0.6 × 355.5555, 10 × 16, 100) = 320 mm"
       "（悬挑构件乘以 1.5）"},
      {"a notice",
       [](AnchorageInput &in) {
         in.barDiameter = {9, "25"}, in.adhesiveGrade = lists::adhesiveB;
       },
       Quantity::Ld, "GB 50367-2013 第15.1.5条：植筋直径大于22mm时应采用A级胶，不应采用B级胶"},
  };
  for (const Case &c : cases) {
    AnchorageInput input = defaultInput();
    input.barSpacing = "200", input.edgeDistance = "100"; // wide enough for every bar, band 6d or 7d
    if (c.change) {
      c.change(input);
    }
    AnchorageResult result;
    ASSERT_FALSE(calculateAnchorage(input, result).has_value()) << c.what;
    EXPECT_TRUE(containsLine(workingOf(c.quantity, input, result), c.working))
        << c.what << ":\n"
        << workingOf(c.quantity, input, result);
  }
}

// Each notice for the case it names, and none at its bounds: a 22 mm bar takes B-grade adhesive, a
// cantilever takes C25, and a typed fbd may reach the table's largest value for the grade (2.7 for C25).
TEST(Working, NoticesNameTheCasesTheDesignCodeDoesNotAllow) {
  const struct {
    const char *what;
    std::function<void(AnchorageInput &)> change;
    std::vector<std::string_view> clauses;
  } cases[] = {
      {"defaults", [](AnchorageInput &) {}, {}},
      {"plain bars", [](AnchorageInput &in) { in.steelGrade = lists::plainBarsHPB235; }, {"15.1.1"}},
      {"cantilever in C20",
       [](AnchorageInput &in) {
         in.memberState = lists::cantilever,
         in.concreteGrade = testing::choiceOf(lists::concreteGrade, lists::gradeC20);
       },
       {"15.1.2"}},
      {"cantilever in C25", [](AnchorageInput &in) { in.memberState = lists::cantilever; }, {}},
      {"B grade, 22 mm",
       [](AnchorageInput &in) {
         in.adhesiveGrade = lists::adhesiveB, in.barDiameter = {8, "22"};
       },
       {}},
      {"B grade, 32 mm, above 60 ℃",
       [](AnchorageInput &in) {
         in.adhesiveGrade = lists::adhesiveB, in.barDiameter = {11, "32"},
         in.temperatureFactor = {"1.2", true};
       },
       {"15.1.5", "15.1.6"}},
      {"typed fbd at the table's largest",
       [](AnchorageInput &in) {
         in.steelGrade = lists::plainBarsHPB235, in.userBondStrength = {"2.7", true};
       },
       {"15.1.1"}},
      {"typed fbd above it",
       [](AnchorageInput &in) {
         in.steelGrade = lists::plainBarsHPB235, in.userBondStrength = {"2.71", true};
       },
       {"15.1.1", ""}},
  };
  for (const auto &c : cases) {
    AnchorageInput input = defaultInput();
    input.barSpacing = "200", input.edgeDistance = "100";
    c.change(input);
    AnchorageResult result;
    ASSERT_FALSE(calculateAnchorage(input, result).has_value()) << c.what;
    std::vector<std::string_view> clauses;
    for (const CodeNotice &notice : result.completed->notices) {
      clauses.push_back(notice.clause);
    }
    EXPECT_EQ(clauses, c.clauses) << c.what;
  }
}

} // namespace
} // namespace tavrin
