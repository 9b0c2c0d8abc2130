#include "calc/code_notices.h"

#include "calc/conversions.h"
#include "calc/lists.h"

#include <array>

namespace tavrin {
namespace {

constexpr double largestBarForAdhesiveB = 22;    // mm
constexpr double leastGradeUnderCantilever = 25; // C25

struct NoticeRule {
  CodeNotice notice;
  bool (*applies)(const AnchorageInput &) = nullptr;
};

constexpr std::array<NoticeRule, 4> noticeRules{{
    {{"15.1.1", "HPB235为光圆钢筋，不在植筋的适用范围内（适用于带肋钢筋和全螺纹螺杆）；输入的fbd和未做的"
                "构造条件（s ≥ 5d、c ≥ 2.5d）检查由设计人员负责"},
     [](const AnchorageInput &in) { return in.steelGrade == lists::plainBarsHPB235; }},
    {{"15.1.2", "悬挑构件的原构件混凝土强度等级不应低于C25"},
     [](const AnchorageInput &in) {
       return in.memberState == lists::cantilever && gradeNumber(in) < leastGradeUnderCantilever;
     }},
    {{"15.1.5", "植筋直径大于22mm时应采用A级胶，不应采用B级胶"},
     [](const AnchorageInput &in) {
       return in.adhesiveGrade == lists::adhesiveB &&
              lenientNumber(in.barDiameter.text) > largestBarForAdhesiveB;
     }},
    {{"15.1.6", "植筋锚固的结构不应长期在高于60℃的环境中使用；特殊环境另需防护和耐该环境的胶粘剂"},
     [](const AnchorageInput &in) { return in.temperatureFactor.shown; }},
}};

} // namespace

std::vector<CodeNotice> codeNotices(const AnchorageInput &input) {
  std::vector<CodeNotice> found;
  for (const NoticeRule &rule : noticeRules) {
    if (rule.applies(input)) {
      found.push_back(rule.notice);
    }
  }
  return found;
}

} // namespace tavrin
