#include "calc/working.h"

#include "calc/adopted_depth.h"
#include "calc/lists.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace tavrin {
namespace {

constexpr std::string_view strengthUnit = " N/mm²";
constexpr std::string_view lengthUnit = " mm";

// "ψN = ψw × ψbr × ψT = 1.1 × 1 × 1 = 1.1": the formula, the numbers in its place, the value as shown.
std::string equation(std::string_view symbol, std::string_view formula, const std::string &numbers,
                     const std::string &value) {
  return joined({std::string(symbol), std::string(formula), numbers, value}, " = ");
}

std::string product(std::initializer_list<std::string> factors) {
  return joined(factors, " × ");
}

// A value of a table as the table writes it: 1.0 rather than the display's 1.
std::string tableValue(float value) {
  const std::string shown = formatSingle(value);
  return shown.find('.') == std::string::npos ? shown + ".0" : shown;
}

// "s/d = 100 / 16 = 6.25 ≥ 5": the ratio a minimum check compared, as the check read it.
std::string ratioCheck(std::string_view symbol, double length, double d, double ratio, double minimum) {
  return std::string(symbol) + " = " + formatDouble(length) + " / " + formatDouble(d) + " = " +
         formatDouble(ratio) + " ≥ " + formatDouble(minimum);
}

std::string constructionCheckText(const ConstructionCheck &check, double d) {
  return constructionCondition() + "：" +
         ratioCheck("s/d", check.spacing, d, check.spacingRatio, minimumSpacingRatio) + "，" +
         ratioCheck("c/d", check.edge, d, check.edgeRatio, minimumEdgeRatio);
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
  text += "，" + itemText(lists::adhesiveGrade, input.adhesiveGrade);
  return text + "，" + (cell.band ? bandText(*cell.band) : std::string("不分间距、边距"));
}

// The line of the grades from C45 up with the grade number Z put in, as the table evaluates it.
std::string lineEquation(double gradeNumber, const BondLine &line, const std::string &fbd) {
  const std::string tail = " / 20 × " + formatDouble(line.slope) + " + " + formatDouble(line.base);
  const auto withZ = [&tail](const std::string &z) { return "(" + z + " − 40)" + tail; };
  return equation("fbd", withZ("Z"), withZ(formatDouble(gradeNumber)), fbd);
}

// The value, then the table cell, then the minimum checks it passed, one a line.
std::string fbdWorking(const AnchorageInput &input, const AnchorageResult &result) {
  const std::string fbd = formatSingle(result.fbd.value) + std::string(strengthUnit);
  const RunDecisions &decided = result.decided;
  if (!decided.bondCell || !decided.check) {
    return "fbd = " + fbd + "（按输入值；" + itemText(lists::steelGrade, input.steelGrade) +
           "钢筋不查粘结强度表，不检查" + constructionCondition() + "）";
  }
  const BondCell &cell = *decided.bondCell;
  return (cell.line ? lineEquation(decided.gradeNumber, *cell.line, fbd) : "fbd = " + fbd) + "\n" +
         cellText(input, cell) + "\n" + constructionCheckText(*decided.check, decided.d);
}

std::string psiBrWorking(const AnchorageInput &input, const AnchorageResult &result) {
  return "ψbr = " + formatSingle(result.psiBr.value) + "（构件受力状态：" +
         itemText(lists::memberState, input.memberState) + "）";
}

// The floor as the run applied it to the factor as typed.
std::string psiWRule(const RunDecisions &decided) {
  const std::string typed = "混凝土孔壁潮湿影响系数输入 " + formatDouble(decided.typedMoisture);
  const std::string floor = formatDouble(moistureFloor);
  return decided.moistureFloorApplied ? typed + " < " + floor + "，取 " + floor
                                      : typed + " ≥ " + floor + "，按输入值";
}

std::string psiTRule(const AnchorageInput &input, const AnchorageResult &result) {
  const std::string temperature =
      "使用环境温度" + itemText(lists::serviceTemperature,
                                input.temperatureFactor.shown ? lists::above60Celsius : lists::upTo60Celsius);
  return input.temperatureFactor.shown ? temperature + "，按输入值 " + formatSingle(result.psiT.value)
                                       : temperature + "，不计温度影响，取 " + tableValue(result.psiT.value);
}

std::string psiNWorking(const AnchorageInput &input, const AnchorageResult &result) {
  return equation("ψN", "ψw × ψbr × ψT",
                  product({formatSingle(result.psiW.value), formatSingle(result.psiBr.value),
                           formatSingle(result.psiT.value)}),
                  formatSingle(result.psiN.value)) +
         "（ψw：" + psiWRule(result.decided) + "；ψT：" + psiTRule(input, result) + "）";
}

std::string asptWorking(const AnchorageInput &input, const AnchorageResult &result) {
  const RunDecisions &decided = result.decided;
  const std::string d = "d = " + formatDouble(decided.d);
  const std::string limit = formatDouble(decided.thinBarLimit);
  const std::string value = "αspt = " + formatSingle(result.aspt.value);
  if (decided.splitting == SplittingRule::ThinBar) {
    return value + "（" + d + " ≤ " + limit + "，不计劈裂影响）";
  }
  const std::string stirrup = decided.stirrupRead
                                  ? "箍筋直径" + itemText(lists::stirrupDiameter, input.stirrupDiameter)
                                  : std::string("不分箍筋直径");
  const std::string cell =
      "保护层厚度" + itemText(lists::coverThickness, input.coverThickness) + "，" + stirrup;
  return value + "（" + d + " > " + limit + "，" +
         (decided.splitting == SplittingRule::TableCell ? "查劈裂影响系数表：" + cell
                                                        : "劈裂影响系数表无对应格，按" + cell + "取") +
         "）";
}

std::string lsWorking(const AnchorageInput &input, const AnchorageResult &result) {
  const std::string d = formatDouble(result.decided.d);
  const std::string fy = formatInteger(result.fy.value);
  return equation("ls", lsFormula(),
                  product({formatDouble(depthFactor), formatSingle(result.aspt.value), d, fy}) + " / " +
                      formatSingle(result.fbd.value),
                  formatSingle(result.ls.value) + std::string(lengthUnit)) +
         "（fy：" + itemText(lists::steelGrade, input.steelGrade) + "，取 " + fy + std::string(strengthUnit) +
         "）";
}

std::string psiAeRule(const AnchorageInput &input, DisplacementRule rule) {
  const std::string grade = input.concreteGrade.text;
  const std::string intensity = itemText(lists::seismicIntensity, input.seismicIntensity);
  const std::string site = "场地类别" + itemText(lists::siteCategory, input.siteCategory);
  switch (rule) {
  case DisplacementRule::ConcreteAboveC30:
    return grade + " > C30";
  case DisplacementRule::IntensityUpTo5:
  case DisplacementRule::Intensity8OrMore:
    return grade + " ≤ C30，抗震设防烈度" + intensity;
  case DisplacementRule::Intensity7SoftSite:
  case DisplacementRule::ModerateIntensity:
    return grade + " ≤ C30，" + intensity + "度，" + site;
  }
  return {};
}

std::string psiAeWorking(const AnchorageInput &input, const AnchorageResult &result) {
  return "ψae = " + formatSingle(result.psiAe.value) + "（" + psiAeRule(input, result.decided.displacement) +
         "，取 " + tableValue(result.psiAe.value) + "）";
}

// "受拉 lmin = max(0.3 × ls, 10 × d, 100) = max(0.3 × 355.5555, 10 × 16, 100) = 160 mm"
std::string lminLine(std::string_view kind, const MinimumAnchorageRule &rule, float lmin,
                     const AnchorageResult &result) {
  const bool cantilever = result.completed->lmin.cantilever;
  const std::string factor = cantilever ? formatDouble(cantileverMinimumFactor) + " × " : std::string();
  const auto maxOf = [&rule](const std::string &ls, const std::string &d) {
    return "max(" +
           joined({product({formatDouble(rule.lsShare), ls}), product({formatDouble(minimumDiameters), d}),
                   formatDouble(minimumLength)},
                  ", ") +
           ")";
  };
  return std::string(kind) + " " +
         equation("lmin", factor + maxOf("ls", "d"),
                  factor + maxOf(formatSingle(result.ls.value), formatDouble(result.decided.d)),
                  formatSingle(lmin) + std::string(lengthUnit));
}

std::string noticesText(const std::vector<CodeNotice> &notices) {
  if (notices.empty()) {
    return std::string(noticesHeading) + "：无";
  }
  std::string text = std::string(noticesHeading) + "：";
  for (const CodeNotice &notice : notices) {
    text += "\n" + noticeLine(notice);
  }
  return text;
}

std::string ldWorking(const AnchorageInput & /*input*/, const AnchorageResult &result) {
  const std::vector<std::string> lmin = lminLines(result);
  return ldEquation(result) + "\n" + std::string(lminHeading) + "：\n" + lmin.at(0) + "\n" + lmin.at(1) +
         "\n" + adoptedDepthLine(result.completed->adopted) + "\n" + noticesText(result.completed->notices);
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
  return "d = " + input.barDiameter.text + std::string(lengthUnit) + "（按所选植筋直径）";
}

std::string ldEquation(const AnchorageResult &result) {
  return equation("ld", ldFormula,
                  product({formatSingle(result.psiN.value), formatSingle(result.psiAe.value),
                           formatSingle(result.ls.value)}),
                  formatSingle(result.ld.value) + std::string(lengthUnit));
}

std::vector<std::string> lminLines(const AnchorageResult &result) {
  const MinimumAnchorage &lmin = result.completed->lmin;
  const std::string cantilever = lmin.cantilever ? "（" + itemText(lists::memberState, lists::cantilever) +
                                                       "乘以 " + formatDouble(cantileverMinimumFactor) + "）"
                                                 : std::string();
  return {lminLine("受拉", tensionMinimum, lmin.tension, result) + cantilever,
          lminLine("受压", compressionMinimum, lmin.compression, result) + cantilever};
}

std::string noticeLine(const CodeNotice &notice) {
  const std::string source =
      notice.clause.empty() ? std::string("本程序") : "GB 50367-2013 第" + std::string(notice.clause) + "条";
  return source + "：" + notice.text;
}

std::string constructionCondition() {
  return "构造条件（s ≥ " + formatDouble(minimumSpacingRatio) + "d、c ≥ " + formatDouble(minimumEdgeRatio) +
         "d）";
}

std::string lsFormula() {
  return formatDouble(depthFactor) + " × αspt × d × fy / fbd";
}

std::string adoptedDepthBasis(const AdoptedDepth &adopted) {
  const std::string ld = "ld = " + formatDouble(adopted.ld) + std::string(lengthUnit);
  const std::string lmin = "lmin = " + formatDouble(adopted.lmin) + std::string(lengthUnit);
  const std::string comparison =
      adopted.lminGoverns ? ld + " < " + lmin + "，取 lmin" : ld + " ≥ " + lmin + "，取 ld";
  return comparison + "，按 " + formatDouble(depthStep) + " mm 向上取整";
}

std::string adoptedDepthText(const AdoptedDepth &adopted) {
  return formatDouble(adopted.depth) + std::string(lengthUnit) + "（" + diametersText(adopted.diameters) +
         "）";
}

std::string adoptedDepthLine(const AdoptedDepth &adopted) {
  return std::string(adoptedDepthName) + " = " + adoptedDepthText(adopted) + "：" +
         adoptedDepthBasis(adopted);
}

std::string joined(const std::vector<std::string> &parts, std::string_view separator) {
  std::string text;
  for (const std::string &part : parts) {
    text += (text.empty() ? "" : std::string(separator)) + part;
  }
  return text;
}

std::string withSigns(std::string text) {
  for (const auto &[ascii, sign] : {std::pair<std::string_view, std::string_view>{">=", "≥"}, {"<=", "≤"}}) {
    for (std::size_t at = text.find(ascii); at != std::string::npos; at = text.find(ascii, at)) {
      text.replace(at, ascii.size(), sign);
    }
  }
  return text;
}

} // namespace tavrin
