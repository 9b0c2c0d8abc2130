#include "calc/working.h"

#include <array>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>

namespace tavrin {
namespace {

// The items of the lists that the calculation knows by index, as the window's lists show them.
template <std::size_t N> using Items = std::array<std::string_view, N>;
constexpr Items<4> coverItems{"25", "30", "35", "≥40"};
constexpr Items<3> steelItems{"HPB235", "HRB335", "HRB400"};
constexpr Items<2> adhesiveItems{"A级胶", "B级胶"};
constexpr Items<3> memberItems{"悬挑构件", "非悬挑重要构件", "其他构件"};
constexpr Items<2> stirrupItems{"6", ">=8"};
constexpr Items<4> intensityItems{"<=5", "6", "7", ">=8"};
constexpr Items<2> siteItems{"I、II类", "III、IV类"};

std::string item(std::span<const std::string_view> items, std::int16_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) {
    return "未选";
  }
  return std::string(items[static_cast<std::size_t>(index)]);
}

std::string joined(std::initializer_list<std::string> parts, std::string_view separator) {
  std::string text;
  for (const std::string &part : parts) {
    text += (text.empty() ? "" : std::string(separator)) + part;
  }
  return text;
}

// "ψN = ψw × ψbr × ψT = 1.1 × 1 × 1 = 1.1": the formula, the numbers in its place, the value as shown.
std::string equation(std::string_view symbol, std::string_view formula, const std::string &numbers,
                     float value) {
  return joined({std::string(symbol), std::string(formula), numbers, formatSingle(value)}, " = ");
}

std::string product(std::initializer_list<std::string> factors) {
  return joined(factors, " × ");
}

// "s/d = 100 / 16 = 6.25 ≥ 5": the ratio a minimum check compares, read as that check reads it.
std::string ratioCheck(std::string_view symbol, const std::string &length, double d, double minimum) {
  const double typed = lenientNumber(length);
  return std::string(symbol) + " = " + formatDouble(typed) + " / " + formatDouble(d) + " = " +
         formatDouble(typed / d) + " ≥ " + formatDouble(minimum);
}

std::string bandText(Band band) {
  const std::string band6 =
      "s/d ≥ " + formatDouble(band6From.spacing) + " 且 c/d ≥ " + formatDouble(band6From.edge);
  const std::string band7 =
      "s/d ≥ " + formatDouble(band7From.spacing) + " 且 c/d ≥ " + formatDouble(band7From.edge);
  switch (band) {
  case Band::FiveD:
    return "5d档（s/d < " + formatDouble(band6From.spacing) + " 或 c/d < " + formatDouble(band6From.edge) +
           "）";
  case Band::SixD:
    return "6d档（" + band6 + "，不满足 " + band7 + "）";
  case Band::SevenD:
    return "7d档（" + band7 + "）";
  }
  return {};
}

// Which cell of the bond-strength table the value came from.
std::string cellText(const AnchorageInput &input, const BondCell &cell) {
  std::string text = "查粘结强度表：" + input.concreteGrade.text;
  if (!cell.byAdhesive) {
    return text + "，不分胶粘剂等级和间距、边距";
  }
  text += "，" + item(adhesiveItems, input.adhesiveGrade);
  return text + "，" + (cell.band ? bandText(*cell.band) : std::string("不分间距、边距"));
}

// The line of C45 to ≥C60 with the grade number Z put in, as the table evaluates it.
std::string lineEquation(const AnchorageInput &input, const BondLine &line, float fbd) {
  const auto withZ = [&line](const std::string &z) {
    return joined({"(" + z + " − 40) / 20", formatDouble(line.slope)}, " × ") + " + " +
           formatDouble(line.base);
  };
  return equation("fbd", withZ("Z"), withZ(formatDouble(gradeNumber(input))), fbd);
}

// The value, then the table cell, then the minimum checks it passed, one a line.
std::string fbdWorking(const AnchorageInput &input, const AnchorageResult &result) {
  const std::string value = "fbd = " + formatSingle(result.fbd.value);
  if (input.userBondStrength.shown) {
    return value + "（按输入值；" + item(steelItems, input.steelGrade) +
           "钢筋不查粘结强度表，不检查间距、边距）";
  }
  const double d = lenientNumber(input.barDiameter.text);
  const std::string checks = ratioCheck("s/d", input.barSpacing, d, minimumSpacingRatio) + "，" +
                             ratioCheck("c/d", input.edgeDistance, d, minimumEdgeRatio);
  const auto cell = bondCell(input, d);
  const auto *found = std::get_if<BondCell>(&cell);
  if (found == nullptr) { // the run stored fbd, so the cell was found; kept whole should that change
    return value + "\n" + checks;
  }
  return (found->line ? lineEquation(input, *found->line, result.fbd.value) : value) + "\n" +
         cellText(input, *found) + "\n" + checks;
}

std::string psiBrWorking(const AnchorageInput &input, const AnchorageResult &result) {
  return "ψbr = " + formatSingle(result.psiBr.value) + "（构件受力状态：" +
         item(memberItems, input.memberState) + "）";
}

std::string psiNWorking(const AnchorageInput &input, const AnchorageResult &result) {
  const std::optional<double> typed = strictDouble(input.moistureFactor);
  const std::string psiW = typed && *typed < moistureFloor
                               ? "混凝土孔壁潮湿影响系数输入" + formatDouble(*typed) + "，小于" +
                                     formatDouble(moistureFloor) + "，取" + formatDouble(moistureFloor)
                               : std::string("混凝土孔壁潮湿影响系数，按输入值");
  const std::string psiT = input.temperatureFactor.shown ? "使用环境温度>60℃，温度影响系数按输入值"
                                                         : "使用环境温度≤60℃，不计温度影响";
  return equation("ψN", "ψw × ψbr × ψT",
                  product({formatSingle(result.psiW.value), formatSingle(result.psiBr.value),
                           formatSingle(result.psiT.value)}),
                  result.psiN.value) +
         "（ψw：" + psiW + "；ψT：" + psiT + "）";
}

std::string asptWorking(const AnchorageInput &input, const AnchorageResult &result) {
  return "aspt = " + formatSingle(result.aspt.value) + "（劈裂影响系数表：植筋直径" + input.barDiameter.text +
         "，保护层厚度" + item(coverItems, input.coverThickness) + "，箍筋直径" +
         item(stirrupItems, input.stirrupDiameter) + "）";
}

std::string lsWorking(const AnchorageInput &input, const AnchorageResult &result) {
  const std::string d = formatDouble(lenientNumber(input.barDiameter.text));
  const std::string fy = formatInteger(result.fy.value);
  return equation("ls", "aspt × 0.2 × d × fy / fbd",
                  product({formatSingle(result.aspt.value), formatDouble(depthFactor), d, fy}) + " / " +
                      formatSingle(result.fbd.value),
                  result.ls.value) +
         "（fy：钢筋强度等级" + item(steelItems, input.steelGrade) + "，取" + fy + "）";
}

std::string psiAeWorking(const AnchorageInput &input, const AnchorageResult &result) {
  return "ψae = " + formatSingle(result.psiAe.value) + "（位移修正系数表：混凝土强度等级" +
         input.concreteGrade.text + "，抗震设防烈度" + item(intensityItems, input.seismicIntensity) +
         "，场地类别" + item(siteItems, input.siteCategory) + "）";
}

std::string ldWorking(const AnchorageInput & /*input*/, const AnchorageResult &result) {
  return equation("ld", "ψN × ψae × ls",
                  product({formatSingle(result.psiN.value), formatSingle(result.psiAe.value),
                           formatSingle(result.ls.value)}),
                  result.ld.value);
}

using Working = std::string (*)(const AnchorageInput &, const AnchorageResult &);
constexpr std::array<std::pair<Quantity, Working>, 7> workings{{
    {Quantity::Fbd, fbdWorking},
    {Quantity::PsiBr, psiBrWorking},
    {Quantity::PsiN, psiNWorking},
    {Quantity::Aspt, asptWorking},
    {Quantity::Ls, lsWorking},
    {Quantity::PsiAe, psiAeWorking},
    {Quantity::Ld, ldWorking},
}};

} // namespace

std::string workingOf(Quantity quantity, const AnchorageInput &input, const AnchorageResult &result) {
  for (const auto &[shown, working] : workings) {
    if (shown == quantity) {
      return working(input, result);
    }
  }
  return {};
}

std::string barDiameterWorking(const AnchorageInput &input) {
  return "d = " + input.barDiameter.text + "（按所选植筋直径）";
}

} // namespace tavrin
