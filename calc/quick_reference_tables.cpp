#include "calc/quick_reference_tables.h"

#include "calc/anchorage.h"
#include "calc/bond_strength.h"
#include "calc/csv.h"
#include "calc/influence_factors.h"
#include "calc/lists.h"
#include "calc/working.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace tavrin::quickref {
namespace {

constexpr std::string_view noticeMark = "※";
constexpr std::string_view depthCaption = "取用植筋锚固深度（mm）";
constexpr std::string_view diameterCaption = "植筋直径 d（mm）";

// An intensity and the site categories a table holds for under it.
struct IntensitySites {
  std::int16_t intensity;
  std::vector<std::int16_t> sites;
};
using SeismicCase = std::vector<IntensitySites>;

// The three rows of the ψae table for grades up to C30: 1, 1.1 and 1.25.
const std::array<SeismicCase, 3> &seismicCases() {
  static const std::array<SeismicCase, 3> cases{{
      {{lists::intensityUpTo5, {lists::siteIOrII, lists::siteIIIOrIV}}},
      {{lists::intensity6, {lists::siteIOrII, lists::siteIIIOrIV}}, {lists::intensity7, {lists::siteIOrII}}},
      {{lists::intensity7, {lists::siteIIIOrIV}},
       {lists::intensity8OrMore, {lists::siteIOrII, lists::siteIIIOrIV}}},
  }};
  return cases;
}

constexpr std::array<std::int16_t, 2> steelGrades{lists::ribbedBarsHRB400, lists::ribbedBarsHRB335};

struct Condition {
  std::string caption;
  std::string value;
};

// What every table shares. The moisture factor is at its floor, the least the calculation takes. Spacing and
// edge distance are the least the construction check admits: the band with the lowest fbd, so wider spacing
// can only shorten the depth.
std::vector<Condition> sharedConditions() {
  return {
      {"结构胶粘剂等级", itemText(lists::adhesiveGrade, lists::adhesiveA)},
      {"构件受力状态", itemText(lists::memberState, lists::otherMember)},
      {"混凝土孔壁潮湿影响系数 ψw", formatDouble(moistureFloor)},
      {"使用环境温度", itemText(lists::serviceTemperature, lists::upTo60Celsius)},
      {"保护层厚度", withSigns(itemText(lists::coverThickness, lists::cover30)) + " mm"},
      {"箍筋直径", withSigns(itemText(lists::stirrupDiameter, lists::stirrup8OrMore)) + " mm"},
      {"植筋间距 s", formatDouble(minimumSpacingRatio) + "d"},
      {"植筋边距 c", formatDouble(minimumEdgeRatio) + "d"},
  };
}

std::vector<Condition> tableConditions(const Table &table) {
  std::vector<Condition> conditions{{"钢筋强度等级", table.steelGrade},
                                    {"抗震设防烈度", table.seismic},
                                    {"植筋位移修正系数 ψae", table.psiAe}};
  for (Condition &shared : sharedConditions()) {
    conditions.push_back(std::move(shared));
  }
  return conditions;
}

ListChoice choiceOf(const ItemList &list, std::size_t index) {
  const auto at = static_cast<std::int16_t>(index);
  return {at, itemText(list, at)};
}

AnchorageInput cellInput(std::int16_t steelGrade, std::size_t diameter, std::size_t grade) {
  AnchorageInput input;
  input.concreteGrade = choiceOf(lists::concreteGrade, grade);
  input.coverThickness = lists::cover30;
  input.barDiameter = choiceOf(lists::barDiameter, diameter);
  input.steelGrade = steelGrade;
  input.adhesiveGrade = lists::adhesiveA;
  const double d = lenientNumber(input.barDiameter.text);
  input.barSpacing = formatDouble(minimumSpacingRatio * d);
  input.edgeDistance = formatDouble(minimumEdgeRatio * d);
  input.memberState = lists::otherMember;
  input.moistureFactor = formatDouble(moistureFloor);
  input.stirrupDiameter = lists::stirrup8OrMore;
  return input;
}

std::string describe(const AnchorageInput &input) {
  return joined({itemText(lists::steelGrade, input.steelGrade), "d " + input.barDiameter.text,
                 input.concreteGrade.text, itemText(lists::seismicIntensity, input.seismicIntensity) + "度",
                 itemText(lists::siteCategory, input.siteCategory)},
                "，");
}

struct CellRun {
  Cell cell;
  float psiAe = 0;
};

CellRun completedRun(const AnchorageInput &input) {
  AnchorageResult result;
  if (const auto rejection = calculateAnchorage(input, result)) {
    throw std::runtime_error("速查表的一格不能计算（" + describe(input) + "）：" + rejection->message);
  }
  return {{formatDouble(result.completed->adopted.depth), result.completed->notices}, result.psiAe.value};
}

// The cell holds for every intensity and site of its table only where all of them give the same run.
CellRun joinedRun(AnchorageInput input, const SeismicCase &seismic) {
  std::optional<CellRun> first;
  for (const IntensitySites &member : seismic) {
    for (const std::int16_t site : member.sites) {
      input.seismicIntensity = member.intensity;
      input.siteCategory = site;
      CellRun run = completedRun(input);
      if (!first) {
        first = std::move(run);
      } else if (run.cell.depth != first->cell.depth || run.cell.notices != first->cell.notices ||
                 run.psiAe != first->psiAe) {
        throw std::runtime_error("速查表合并的烈度和场地结果不同（" + describe(input) + "）");
      }
    }
  }
  return *first;
}

// "6度（各类场地）、7度（I、II类场地）"
std::string seismicText(const SeismicCase &seismic) {
  std::vector<std::string> parts;
  for (const IntensitySites &member : seismic) {
    std::vector<std::string> sites;
    for (const std::int16_t site : member.sites) {
      sites.push_back(itemText(lists::siteCategory, site));
    }
    const bool every = member.sites.size() == lists::siteCategory.items.size();
    parts.push_back(withSigns(itemText(lists::seismicIntensity, member.intensity)) + "度（" +
                    (every ? std::string("各类场地") : joined(sites, "、") + "场地") + "）");
  }
  return joined(parts, "、");
}

// "C20～C30 取 1.1，C40～≥C60 取 1": neighbouring grades of the same ψae as one span.
std::string psiAeText(const std::vector<float> &byGrade) {
  std::vector<std::string> spans;
  for (std::size_t first = 0; first < byGrade.size();) {
    std::size_t last = first;
    while (last + 1 < byGrade.size() && byGrade[last + 1] == byGrade[first]) {
      ++last;
    }
    const std::string grades =
        itemText(lists::concreteGrade, static_cast<std::int16_t>(first)) +
        (last > first ? "～" + itemText(lists::concreteGrade, static_cast<std::int16_t>(last))
                      : std::string());
    spans.push_back(grades + " 取 " + formatSingle(byGrade[first]));
    first = last + 1;
  }
  return spans.size() == 1 ? "各等级取 " + formatSingle(byGrade.front()) : joined(spans, "，");
}

Table makeTable(std::int16_t steelGrade, const SeismicCase &seismic) {
  Table table{itemText(lists::steelGrade, steelGrade), seismicText(seismic), {}, {}};
  std::vector<float> psiAeByGrade(lists::concreteGrade.items.size());
  for (std::size_t d = 0; d < lists::barDiameter.items.size(); ++d) {
    std::vector<Cell> &row = table.rows.emplace_back();
    for (std::size_t grade = 0; grade < psiAeByGrade.size(); ++grade) {
      CellRun run = joinedRun(cellInput(steelGrade, d, grade), seismic);
      row.push_back(std::move(run.cell));
      psiAeByGrade[grade] = run.psiAe;
    }
  }
  table.psiAe = psiAeText(psiAeByGrade);
  return table;
}

std::string cellText(const Cell &cell) {
  return cell.depth + (cell.notices.empty() ? "" : std::string(noticeMark));
}

std::string conditionsLine(const Table &table) {
  std::vector<std::string> parts;
  for (const Condition &condition : tableConditions(table)) {
    parts.push_back(condition.caption + "：" + condition.value);
  }
  return joined(parts, "；") + "。";
}

// Adds each notice the cells meet that lines does not hold yet, in the order first met.
void addNotices(const std::vector<Cell> &cells, std::vector<std::string> &lines) {
  for (const Cell &cell : cells) {
    for (const CodeNotice &notice : cell.notices) {
      if (std::find(lines.begin(), lines.end(), noticeLine(notice)) == lines.end()) {
        lines.push_back(noticeLine(notice));
      }
    }
  }
}

std::string noticeSummary(const std::vector<Table> &tables) {
  std::vector<std::string> notices;
  std::size_t cells = 0;
  for (const Table &table : tables) {
    for (const std::vector<Cell> &row : table.rows) {
      addNotices(row, notices);
      cells += row.size();
    }
  }
  const std::string counted =
      "表中 " + std::to_string(cells) + " 格逐格计算（每格对表所合并的每种烈度和场地各算一次）";
  if (notices.empty()) {
    return counted + "，没有一格在计算后出现" + std::string(noticesHeading) + "，表中因此没有" +
           std::string(noticeMark) + "标记。\n\n";
  }
  std::string text = counted + "，带" + std::string(noticeMark) + "的格在计算后出现下列" +
                     std::string(noticesHeading) + "：\n\n";
  for (const std::string &line : notices) {
    text += "- " + line + "\n";
  }
  return text + "\n";
}

std::vector<std::string> headerCells() {
  std::vector<std::string> cells{std::string(diameterCaption)};
  for (const std::string_view grade : lists::concreteGrade.items) {
    cells.emplace_back(grade);
  }
  return cells;
}

std::string rstTable(const Table &table) {
  std::string text = conditionsLine(table) + "\n\n.. csv-table:: " + table.steelGrade + "，" + table.seismic +
                     "：" + std::string(depthCaption) +
                     "\n   :header-rows: 1\n   :delim: |\n   :class: quick-reference\n\n   " +
                     joined(headerCells(), " | ") + "\n";
  for (std::size_t d = 0; d < table.rows.size(); ++d) {
    std::vector<std::string> cells{itemText(lists::barDiameter, static_cast<std::int16_t>(d))};
    for (const Cell &cell : table.rows[d]) {
      cells.push_back(cellText(cell));
    }
    text += "   " + joined(cells, " | ") + "\n";
  }
  return text + "\n";
}

} // namespace

std::vector<Table> quickReferenceTables() {
  std::vector<Table> tables;
  for (const std::int16_t steelGrade : steelGrades) {
    for (const SeismicCase &seismic : seismicCases()) {
      tables.push_back(makeTable(steelGrade, seismic));
    }
  }
  return tables;
}

std::string chapterText(const std::vector<Table> &tables) {
  std::string text = noticeSummary(tables);
  std::string steelGrade;
  for (const Table &table : tables) {
    if (table.steelGrade != steelGrade) {
      steelGrade = table.steelGrade;
      const std::string heading = steelGrade + " 钢筋";
      text += heading + "\n" + std::string(heading.size(), '-') + "\n\n";
    }
    text += rstTable(table);
  }
  return text;
}

std::string csvText(const std::vector<Table> &tables) {
  std::vector<std::string> header;
  for (const Condition &condition : tableConditions(Table{})) {
    header.push_back(condition.caption);
  }
  for (std::string &cell : headerCells()) {
    header.push_back(std::move(cell));
  }
  header.emplace_back(noticesHeading);
  std::string text = std::string(csv::byteOrderMark) + csv::line(header);
  for (const Table &table : tables) {
    for (std::size_t d = 0; d < table.rows.size(); ++d) {
      std::vector<std::string> fields;
      for (Condition &condition : tableConditions(table)) {
        fields.push_back(std::move(condition.value));
      }
      fields.push_back(itemText(lists::barDiameter, static_cast<std::int16_t>(d)));
      for (const Cell &cell : table.rows[d]) {
        fields.push_back(cellText(cell));
      }
      std::vector<std::string> notices;
      addNotices(table.rows[d], notices);
      fields.push_back(notices.empty() ? std::string("无") : joined(notices, "；"));
      text += csv::line(fields);
    }
  }
  return text;
}

} // namespace tavrin::quickref
