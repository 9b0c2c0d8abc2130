#include "calc/code_notices.h"

#include "calc/bond_strength.h"
#include "calc/conversions.h"
#include "calc/lists.h"

#include <array>
#include <string>

namespace tavrin {
namespace {

constexpr double largestBarForAdhesiveB = 22;    // mm
constexpr double leastGradeUnderCantilever = 25; // C25; other members need C20, the lowest on the list
constexpr double highestServiceTemperature = 60; // ℃, long-term

// Each rule: the clause, what of it the program checks, what the clause asks where the input breaks it, and
// when it does.
struct NoticeRule {
  std::string_view clause;
  std::string (*checked)();
  std::string (*asks)();
  bool (*applies)(const AnchorageInput &, const RunDecisions &);
};

constexpr std::array<NoticeRule, 4> noticeRules{{
    {"15.1.1",
     [] { return "钢筋种类（" + itemText(lists::steelGrade, lists::plainBarsHPB235) + "光圆钢筋不适用）"; },
     [] {
       return "植筋适用于带肋钢筋和全螺纹螺杆；" + itemText(lists::steelGrade, lists::plainBarsHPB235) +
              "为光圆钢筋，不在适用范围内";
     },
     [](const AnchorageInput &in, const RunDecisions &) { return in.steelGrade == lists::plainBarsHPB235; }},
    {"15.1.2",
     [] {
       return "原构件混凝土强度等级（只查" + itemText(lists::memberState, lists::cantilever) + "不低于C" +
              formatDouble(leastGradeUnderCantilever) + "；其他构件要求的" +
              itemText(lists::concreteGrade, lists::gradeC20) + "是可选的最低等级）";
     },
     [] {
       return itemText(lists::memberState, lists::cantilever) + "的原构件混凝土强度等级不应低于C" +
              formatDouble(leastGradeUnderCantilever);
     },
     [](const AnchorageInput &in, const RunDecisions &read) {
       return in.memberState == lists::cantilever && read.gradeNumber < leastGradeUnderCantilever;
     }},
    {"15.1.5", [] { return "植筋直径大于" + formatDouble(largestBarForAdhesiveB) + "mm时的胶粘剂等级"; },
     [] {
       return "植筋直径大于" + formatDouble(largestBarForAdhesiveB) + "mm时应采用" +
              itemText(lists::adhesiveGrade, lists::adhesiveA) + "，不应采用" +
              itemText(lists::adhesiveGrade, lists::adhesiveB);
     },
     [](const AnchorageInput &in, const RunDecisions &read) {
       return in.adhesiveGrade == lists::adhesiveB && read.d > largestBarForAdhesiveB;
     }},
    {"15.1.6", [] { return "长期使用环境温度是否高于" + formatDouble(highestServiceTemperature) + "℃"; },
     [] {
       return "植筋锚固的结构不应长期在高于" + formatDouble(highestServiceTemperature) +
              "℃的环境中使用；特殊环境另需防护和耐该环境的胶粘剂";
     },
     [](const AnchorageInput &in, const RunDecisions &) { return in.temperatureFactor.shown; }},
}};

// A typed fbd above every value of the table for the grade: the program cannot vouch for it.
std::optional<CodeNotice> typedFbdAboveTable(const AnchorageInput &input, double z, float fbd) {
  if (!input.userBondStrength.shown) {
    return std::nullopt;
  }
  const float largest = largestTableFbd(input.concreteGrade.index, z);
  if (fbd <= largest) {
    return std::nullopt;
  }
  return CodeNotice{{},
                    "输入的 fbd = " + formatSingle(fbd) + " N/mm² 大于本程序粘结强度表中" +
                        input.concreteGrade.text + "的最大值 " + formatSingle(largest) +
                        " N/mm²，不能作为设计值；应有试验依据并由设计人员负责"};
}

} // namespace

std::vector<CodeNotice> codeNotices(const AnchorageInput &input, const RunDecisions &decided, float fbd) {
  std::vector<CodeNotice> found;
  for (const NoticeRule &rule : noticeRules) {
    if (rule.applies(input, decided)) {
      found.push_back({rule.clause, rule.asks()});
    }
  }
  if (auto own = typedFbdAboveTable(input, decided.gradeNumber, fbd)) {
    found.push_back(std::move(*own));
  }
  return found;
}

std::vector<CheckedClause> checkedClauses() {
  std::vector<CheckedClause> clauses;
  for (const NoticeRule &rule : noticeRules) {
    clauses.push_back({rule.clause, rule.checked()});
  }
  return clauses;
}

} // namespace tavrin
