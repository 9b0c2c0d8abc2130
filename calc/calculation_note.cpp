#include "calc/calculation_note.h"

#include "calc/adopted_depth.h"
#include "calc/code_notices.h"
#include "calc/lists.h"
#include "calc/working.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace tavrin {
namespace {

constexpr std::string_view mm = " mm";
constexpr std::string_view strength = " N/mm²";
constexpr std::string_view tookNoPart = "（未参与计算）";

std::string typed(const std::string &text) {
  return std::string(trimBlanks(text));
}

bool fbdTyped(const AnchorageInput &input) {
  return input.userBondStrength.shown;
}

NoteSection headSection(const NoteHead &head) {
  const auto filled = [](const std::string &given) {
    return typed(given).empty() ? std::string(blankToFill) : typed(given);
  };
  return {
      {},
      {"工程名称：" + filled(head.project), "构件（部位）：" + filled(head.member), "计算日期：" + head.date},
      {}};
}

// The basis states what of each clause the program checks; the symbols take the code's terms at their first
// mention.
NoteSection basisSection() {
  std::vector<std::string> checked;
  for (const CheckedClause &clause : checkedClauses()) {
    checked.push_back("第" + std::string(clause.clause) + "条的" + clause.part);
  }
  return {
      "计算依据",
      {"GB 50367-2013《混凝土结构加固设计规范》第15章 植筋技术。",
       "本程序仅检查：" + joined(checked, "；") + "；并按第15.3.1条计算按构造要求植筋的最小锚固长度 lmin。",
       "植筋基本锚固深度 ls = " + lsFormula() +
           "，为规范给出的形式；植筋锚固深度 ld = " + std::string(ldFormula) + "，为本程序的计算式。",
       "式中：fbd —— 植筋用结构胶粘剂的粘结抗剪强度设计值（N/mm²）；fy —— 植筋用钢筋的抗拉强度设计值"
       "（N/mm²）；αspt —— 考虑混凝土劈裂影响的计算系数；ψN —— 考虑各种因素对植筋受拉承载力影响而需加大"
       "锚固深度的修正系数；ψae —— 植筋位移修正系数；d —— 植筋直径（mm）。",
       "fbd、αspt、ψae 等表值为本程序所列，应按现行规范版本核对。",
       "数值按单精度保存，显示七位有效数字，手算核对时末位可能相差 1。",
       std::string(adoptedDepthName) +
           "为 ld 与受拉、受压 lmin 中的最大者，按 10 mm 向上取整，用于按钢筋抗拉强度设计值充分利用的受拉"
           "植筋；按构造要求植筋时，第15.3.1条给出的是 lmin，与 ld 并列写出。"},
      {}};
}

NoteSection scopeSection() {
  return {"本程序未检查、须由设计人员核查的内容",
          {"1. 第15.1.1条：素混凝土构件及纵向受力钢筋一侧配筋率小于0.2%的构件不适用植筋，应按锚栓设计。",
           "2. 第15.1.3条：原构件混凝土锚固部位无局部缺陷，有缺陷时应先补强或加固。",
           "3. 第15.1.4条：植筋用钢筋和螺杆的质量要求。",
           "4. 第15.1.5条：胶粘剂应为改性环氧类或改性乙烯基酯类结构胶粘剂。",
           "5. 第15.1.6条：高温、高湿、介质腐蚀等特殊环境的防护和耐环境胶粘剂。",
           "6. 表15.2.3 中箍筋的设置条件（本程序只按所选箍筋直径取 αspt）。",
           "7. 第15.3.2条：与原构件纵向受拉钢筋搭接时的搭接长度和搭接错开。",
           "8. 第15.3.3条：搭接处箍筋间距不满足表15.2.3时的防劈裂加固。",
           "9. 第15.3.4条：植筋与被搭接钢筋之间的净间距。",
           "10. 计算方法只适用于单根钢筋轴心受拉、按钢筋抗拉强度设计值充分利用的锚固；群锚、混凝土锥体破坏、"
           "受剪及复合受力不在计算范围内。"},
          {}};
}

// The moisture factor as typed and as used: "0.9，小于 1.1，取 1.1".
std::string moistureValue(const AnchorageInput &input, const AnchorageResult &result) {
  const std::string floor = formatDouble(moistureFloor);
  return result.decided.moistureFloorApplied
             ? typed(input.moistureFactor) + "，小于 " + floor + "，取 " + floor
             : typed(input.moistureFactor);
}

std::string intensityValue(const AnchorageInput &input) {
  return withSigns(itemText(lists::seismicIntensity, input.seismicIntensity)) + "度";
}

std::string temperatureValue(const AnchorageInput &input) {
  return itemText(lists::serviceTemperature,
                  input.temperatureFactor.shown ? lists::above60Celsius : lists::upTo60Celsius);
}

// Spacing and edge distance take no part where fbd is typed: the note says so rather than state them bare.
std::string constructionValue(const AnchorageInput &input, const std::string &text) {
  return fbdTyped(input) ? typed(text) + std::string(tookNoPart) : typed(text) + std::string(mm);
}

NoteSection inputSection(const AnchorageInput &input, const AnchorageResult &result) {
  NoteTable table{{"项目", "输入"}, {45, 55}, {}, false};
  const auto row = [&table](std::string caption, std::string value) {
    table.rows.push_back({std::move(caption), std::move(value)});
  };
  row("混凝土强度等级", input.concreteGrade.text);
  row("保护层厚度", withSigns(itemText(lists::coverThickness, input.coverThickness)) + std::string(mm));
  row("植筋直径 d", input.barDiameter.text + std::string(mm));
  row("钢筋强度等级", itemText(lists::steelGrade, input.steelGrade));
  row("结构胶粘剂等级", itemText(lists::adhesiveGrade, input.adhesiveGrade));
  row("植筋间距 s", constructionValue(input, input.barSpacing));
  row("植筋边距 c", constructionValue(input, input.edgeDistance));
  row("构件受力状态", itemText(lists::memberState, input.memberState));
  row("混凝土孔壁潮湿影响系数 ψw", moistureValue(input, result));
  row("使用环境温度", temperatureValue(input));
  if (input.temperatureFactor.shown) {
    row("温度影响系数 ψT", typed(input.temperatureFactor.text));
  }
  if (fbdTyped(input)) {
    row("粘结抗剪强度设计值 fbd（输入）", typed(input.userBondStrength.text) + std::string(strength));
  }
  row("箍筋直径", withSigns(itemText(lists::stirrupDiameter, input.stirrupDiameter)) + std::string(mm));
  row("抗震设防烈度", intensityValue(input));
  row("场地类别", itemText(lists::siteCategory, input.siteCategory));
  return {"输入", {}, table};
}

// The results in the order the window writes them, each with its unit and working.
struct ResultRow {
  std::string_view caption;
  Quantity quantity;
  std::string_view unit;
};
constexpr std::array<ResultRow, 7> resultRows{{
    {"粘结抗剪强度设计值 fbd", Quantity::Fbd, strength},
    {"构件受力状态影响系数 ψbr", Quantity::PsiBr, {}},
    {"修正系数 ψN", Quantity::PsiN, {}},
    {"混凝土劈裂影响系数 αspt", Quantity::Aspt, {}},
    {"植筋基本锚固深度 ls", Quantity::Ls, mm},
    {"植筋位移修正系数 ψae", Quantity::PsiAe, {}},
    {"植筋锚固深度 ld", Quantity::Ld, mm},
}};

NoteSection resultSection(const AnchorageInput &input, const AnchorageResult &result) {
  NoteTable table{{"计算结果", "数值", "计算过程"}, {24, 16, 60}, {}, false};
  for (const ResultRow &row : resultRows) {
    const bool ld = row.quantity == Quantity::Ld;
    if (ld) {
      table.rows.push_back(
          {"植筋直径 d", input.barDiameter.text + std::string(mm), barDiameterWorking(input)});
    }
    table.rows.push_back({std::string(row.caption),
                          formatQuantity(row.quantity, result) + std::string(row.unit),
                          ld ? ldEquation(result) : workingOf(row.quantity, input, result)});
  }
  return {"计算结果", {}, table};
}

NoteSection noticeSection(const AnchorageInput &input, const AnchorageResult &result) {
  NoteSection section{std::string(noticesHeading), {}, {}};
  for (const CodeNotice &notice : result.completed->notices) {
    section.paragraphs.push_back(noticeLine(notice));
  }
  if (section.paragraphs.empty()) {
    section.paragraphs.emplace_back("无");
  }
  if (fbdTyped(input)) {
    section.paragraphs.push_back("fbd 为输入值：本程序未查粘结强度表，未检查" + constructionCondition() +
                                 "，植筋间距和边距未参与计算；输入值的依据由设计人员负责。");
  }
  return section;
}

// Decides: the adopted depth for the drawing, or, where the code does not allow the case or the typed fbd
// is beyond the program's tables, that the result is not for the drawings.
NoteSection conclusionSection(const AnchorageResult &result) {
  const RunCompletion &done = *result.completed;
  const std::string taken = adoptedDepthText(done.adopted) + "：" + adoptedDepthBasis(done.adopted);
  if (done.notices.empty()) {
    return {"结论", {"施工图植筋锚固深度取 " + taken + "。"}, {}};
  }
  std::vector<std::string> unmet;
  for (const CodeNotice &notice : done.notices) {
    unmet.push_back(notice.clause.empty() ? std::string("本程序对输入 fbd 的限制")
                                          : "GB 50367-2013 第" + std::string(notice.clause) + "条");
  }
  return {"结论",
          {"本次输入不满足" + joined(unmet, "、") + "的要求（见“" + std::string(noticesHeading) +
               "”），计算结果不得用于施工图，须修改输入后重新计算。",
           std::string(adoptedDepthName) + " " + taken + "；仅供参考。"},
          {}};
}

// One row of the appendix: the run's other inputs with another bar diameter, through the same calculation.
std::vector<std::string> diameterRow(const AnchorageInput &input, std::int16_t index) {
  AnchorageInput other = input;
  other.barDiameter = {index, itemText(lists::barDiameter, index)};
  const bool own = other.barDiameter.text == input.barDiameter.text;
  std::vector<std::string> row{other.barDiameter.text + (own ? "（本次）" : "")};
  AnchorageResult result;
  if (const auto rejection = calculateAnchorage(other, result)) {
    row.insert(row.end(), 4, std::string(notWorkedOut));
    row.push_back(rejection->message);
    return row;
  }
  const RunCompletion &done = *result.completed;
  std::vector<std::string> clauses;
  for (const CodeNotice &notice : done.notices) {
    clauses.push_back(notice.clause.empty() ? std::string("本程序提示")
                                            : "第" + std::string(notice.clause) + "条");
  }
  row.insert(row.end(),
             {formatSingle(result.ls.value), formatSingle(result.ld.value), formatSingle(done.lmin.tension),
              formatDouble(done.adopted.depth) + "（" + diametersText(done.adopted.diameters) + "）",
              clauses.empty() ? std::string("无") : joined(clauses, "、")});
  return row;
}

NoteSection diameterSection(const AnchorageInput &input) {
  NoteSection section{"附录：同条件下各直径的" + std::string(adoptedDepthName), {}, {}};
  if (fbdTyped(input)) {
    section.paragraphs.emplace_back("fbd 为输入值，只属于本次计算的钢筋，本附录从略。");
    return section;
  }
  section.paragraphs.emplace_back("其他输入与本次计算相同，逐一改变植筋直径，按同一计算得出。");
  NoteTable table{{"植筋直径 d（mm）", "ls（mm）", "ld（mm）", "受拉 lmin（mm）",
                   std::string(adoptedDepthName), "规范提示／不能计算的原因"},
                  {12, 13, 13, 13, 22, 27},
                  {},
                  true};
  for (std::size_t i = 0; i < lists::barDiameter.items.size(); ++i) {
    table.rows.push_back(diameterRow(input, static_cast<std::int16_t>(i)));
  }
  section.table = std::move(table);
  return section;
}

} // namespace

NoteSection signatureSection() {
  const std::string date = "　日期：" + std::string(blankToFill);
  return {{},
          {"计算：" + std::string(blankToFill) + date, "校对：" + std::string(blankToFill) + date,
           "审核：" + std::string(blankToFill) + date},
          {}};
}

CalculationNote makeCalculationNote(const AnchorageInput &input, const AnchorageResult &result,
                                    const NoteHead &head, NoteUse use) {
  CalculationNote note{head.program + " 植筋计算书",
                       {headSection(head),
                        basisSection(),
                        scopeSection(),
                        inputSection(input, result),
                        resultSection(input, result),
                        {std::string(lminHeading), lminLines(result), {}},
                        noticeSection(input, result),
                        conclusionSection(result)}};
  if (use == NoteUse::OnItsOwn) {
    note.sections.push_back(diameterSection(input));
    note.sections.push_back(signatureSection());
  }
  return note;
}

CalculationNote makeRefusalNote(const AnchorageInput &input, const AnchorageResult &result,
                                const InputRejection &rejection, const NoteHead &head) {
  return {head.program + " 植筋计算书",
          {headSection(head),
           inputSection(input, result),
           {"结论",
            {"未能计算：" + rejection.message + "。", "本部位没有植筋锚固深度，须修改输入后重新计算。"},
            {}}}};
}

} // namespace tavrin
