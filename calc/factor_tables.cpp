#include "calc/factor_tables.h"

#include "calc/anchorage.h"
#include "calc/code_notices.h"
#include "calc/input_state.h"
#include "calc/lists.h"
#include "calc/working.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace tavrin::factortables {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// A csv-table directive as the manual writes its tables: '|' between the cells, the first row the heading.
std::string csvTable(std::string_view title, std::string_view widths, const Rows &rows) {
  std::string text = ".. csv-table:: " + std::string(title) + "\n   :header-rows: 1\n   :delim: |\n";
  if (!widths.empty()) {
    text += "   :widths: " + std::string(widths) + "\n";
  }
  text += "\n";
  for (const std::vector<std::string> &row : rows) {
    text += "   " + joined(row, " | ") + "\n";
  }
  return text;
}

// A constant as a table of formulas writes it: 4.0 rather than 4.
std::string withPoint(double value) {
  const std::string shown = formatDouble(value);
  return shown.find('.') == std::string::npos ? shown + ".0" : shown;
}

std::string item(const ItemList &list, std::int16_t index) {
  return itemText(list, index);
}

// The grade number Z of a grade on the list, as a run reads it.
double gradeNumberOf(std::int16_t grade) {
  AnchorageInput input;
  input.concreteGrade = {grade, item(lists::concreteGrade, grade)};
  return gradeNumber(input);
}

std::vector<std::int16_t> indicesOf(const ItemList &list) {
  std::vector<std::int16_t> indices;
  for (std::size_t i = 0; i < list.items.size(); ++i) {
    indices.push_back(static_cast<std::int16_t>(i));
  }
  return indices;
}

// The bond-strength columns: the B grade, then the A grade in each band, each with the spacing and edge
// distance (in diameters of a 20 mm bar) that put the bar in that band.
struct BondColumn {
  std::string name;
  std::int16_t adhesive;
  Band band;
  double spacing;
  double edge;
};
constexpr double columnBar = 20;

std::string bandName(Band band) {
  static constexpr std::array<std::string_view, 3> names{"5d档", "6d档", "7d档"};
  return std::string(names.at(static_cast<std::size_t>(band)));
}

std::vector<BondColumn> bondColumns() {
  const std::string a = item(lists::adhesiveGrade, lists::adhesiveA);
  return {
      {item(lists::adhesiveGrade, lists::adhesiveB), lists::adhesiveB, Band::FiveD, minimumSpacingRatio,
       minimumEdgeRatio},
      {a + " " + bandName(Band::FiveD), lists::adhesiveA, Band::FiveD, minimumSpacingRatio, minimumEdgeRatio},
      {a + " " + bandName(Band::SixD), lists::adhesiveA, Band::SixD, band6From.spacing, band6From.edge},
      {a + " " + bandName(Band::SevenD), lists::adhesiveA, Band::SevenD, band7From.spacing, band7From.edge},
  };
}

// The bond-strength stage for a grade and column: the table's value and the cell it came from.
BondStrength bondStrength(std::int16_t grade, const BondColumn &column) {
  AnchorageInput input = anchorageInputOf(defaultInputState());
  input.concreteGrade = {grade, item(lists::concreteGrade, grade)};
  input.barDiameter = {-1, formatDouble(columnBar)};
  input.adhesiveGrade = column.adhesive;
  input.barSpacing = formatDouble(column.spacing * columnBar);
  input.edgeDistance = formatDouble(column.edge * columnBar);
  auto outcome = computeFbd(input, columnBar);
  if (const auto *rejection = std::get_if<InputRejection>(&outcome)) {
    throw std::runtime_error("the bond-strength table refused " + input.concreteGrade.text + ", " +
                             column.name + ": " + rejection->message);
  }
  const BondStrength found = std::get<BondStrength>(outcome);
  if (column.adhesive == lists::adhesiveA && found.cell->band && *found.cell->band != column.band) {
    throw std::runtime_error("the spacing of column " + column.name + " falls in another band");
  }
  return found;
}

std::string fbdShown(std::int16_t grade, const BondColumn &column) {
  return formatSingle(bondStrength(grade, column).fbd);
}

std::string lineText(const BondLine &line) {
  return "((Z − 40) / 20) × " + formatDouble(line.slope) + " + " + withPoint(line.base);
}

// The columns that share one line of the grades from C45 up, named together: "B级胶；A级胶 5d档".
std::vector<std::pair<std::string, BondLine>> sharedLines() {
  std::vector<std::pair<std::string, BondLine>> lines;
  for (const BondColumn &column : bondColumns()) {
    const BondLine line = *bondStrength(lists::gradeC45, column).cell->line;
    if (!lines.empty() && lines.back().second.slope == line.slope && lines.back().second.base == line.base) {
      lines.back().first += "；" + column.name;
    } else {
      lines.emplace_back(column.name, line);
    }
  }
  return lines;
}

Part bandsPart() {
  const auto ratio = [](double value) { return formatDouble(value); };
  return {"table_bands.rst",
          csvTable("构造条件档", "20, 80",
                   {{"构造条件档", "条件"},
                    {bandName(Band::FiveD),
                     "S < " + ratio(band6From.spacing) + "，或 C < " + ratio(band6From.edge)},
                    {bandName(Band::SixD), "S ≥ " + ratio(band6From.spacing) + " 且 C ≥ " +
                                               ratio(band6From.edge) + "，但不同时满足 S ≥ " +
                                               ratio(band7From.spacing) + " 与 C ≥ " + ratio(band7From.edge)},
                    {bandName(Band::SevenD),
                     "S ≥ " + ratio(band7From.spacing) + " 且 C ≥ " + ratio(band7From.edge)}})};
}

Part fbdPart() {
  Rows rows{{"混凝土强度等级"}};
  for (const BondColumn &column : bondColumns()) {
    rows.front().push_back(column.name);
  }
  for (const std::int16_t grade : indicesOf(lists::concreteGrade)) {
    std::vector<std::string> row{item(lists::concreteGrade, grade)};
    for (const BondColumn &column : bondColumns()) {
      row.push_back(fbdShown(grade, column));
    }
    rows.push_back(std::move(row));
  }
  return {"table_fbd.rst", csvTable("胶粘剂粘结强度设计值 fbd（N/mm²）", {}, rows)};
}

Part linesPart() {
  Rows rows{{"胶粘剂与构造条件档", "fbd"}};
  for (const auto &[columns, line] : sharedLines()) {
    rows.push_back({columns, lineText(line)});
  }
  return {"table_fbd_lines.rst", csvTable("C45 至 ≥C60 的 fbd", "35, 65", rows)};
}

// The C40 row against the line at Z = 40, for the columns whose line runs on from it or does not.
Part c40Part() {
  Rows rows{{"胶粘剂与构造条件档", "C40 行", "直线在 Z = 40", "C45（直线）"}};
  const std::vector<BondColumn> columns = bondColumns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const BondLine line = *bondStrength(lists::gradeC45, columns[i]).cell->line;
    std::vector<std::string> row{columns[i].name, fbdShown(lists::gradeC40, columns[i]), withPoint(line.base),
                                 fbdShown(lists::gradeC45, columns[i])};
    if (rows.size() > 1 && std::equal(rows.back().begin() + 1, rows.back().end(), row.begin() + 1)) {
      rows.back().front() += "；" + row.front();
    } else {
      rows.push_back(std::move(row));
    }
  }
  return {"table_c40_line.rst", csvTable("C40 行与直线在 Z = 40 处的 fbd（N/mm²）", {}, rows)};
}

Part asptPart() {
  const std::int16_t anyStirrup = lists::stirrupDiameter.defaultIndex;
  std::vector<std::pair<std::int16_t, std::int16_t>> columns; // cover, stirrup (-1: either)
  Rows rows{{"植筋直径 d"}};
  double thinLimit = std::numeric_limits<double>::infinity();
  for (const std::int16_t cover : indicesOf(lists::coverThickness)) {
    const SplittingFactor any = computeAspt(0, cover, anyStirrup);
    thinLimit = std::min(thinLimit, any.thinBarLimit);
    const std::string coverName = "保护层 " + item(lists::coverThickness, cover);
    if (!any.stirrupRead) {
      columns.emplace_back(cover, anyStirrup), rows.front().push_back(coverName);
      continue;
    }
    for (const std::int16_t stirrup : indicesOf(lists::stirrupDiameter)) {
      columns.emplace_back(cover, stirrup);
      rows.front().push_back(coverName + "，箍筋 " + item(lists::stirrupDiameter, stirrup));
    }
  }
  std::vector<std::pair<std::string, double>> diameters{{"≤" + formatDouble(thinLimit), thinLimit}};
  for (const std::string_view text : lists::barDiameterItems) {
    const double d = lenientNumber(text);
    if (d > thinLimit) {
      diameters.emplace_back(std::string(text), d);
    }
  }
  for (const auto &[name, d] : diameters) {
    std::vector<std::string> row{name};
    for (const auto &[cover, stirrup] : columns) {
      row.push_back(formatSingle(computeAspt(d, cover, stirrup).aspt));
    }
    rows.push_back(std::move(row));
  }
  return {"table_aspt.rst", csvTable("αspt", {}, rows)};
}

Part psiBrPart() {
  Rows rows{{"构件受力状态", "ψbr"}};
  for (const std::int16_t state : indicesOf(lists::memberState)) {
    rows.push_back({item(lists::memberState, state), formatSingle(computePsiBr(state))});
  }
  return {"table_psibr.rst", csvTable("ψbr", "60, 40", rows)};
}

std::int16_t fyOf(std::int16_t steel) {
  const auto fy = computeFy(steel);
  if (const auto *rejection = std::get_if<InputRejection>(&fy)) {
    throw std::runtime_error("the fy table refused " + item(lists::steelGrade, steel) + ": " +
                             rejection->message);
  }
  return std::get<std::int16_t>(fy);
}

Part fyPart() {
  Rows rows{{"钢筋强度等级", "fy"}};
  for (const std::int16_t steel : indicesOf(lists::steelGrade)) {
    rows.push_back({item(lists::steelGrade, steel), formatInteger(fyOf(steel))});
  }
  return {"table_fy.rst", csvTable("fy（N/mm²）", "60, 40", rows)};
}

// ψae for a grade, intensity and site, from its stage.
std::string psiAe(std::int16_t grade, std::int16_t intensity, std::int16_t site) {
  AnchorageInput input;
  input.seismicIntensity = intensity, input.siteCategory = site;
  return formatSingle(computePsiAe(input, gradeNumberOf(grade)).psiAe);
}

Part psiAePart() {
  // A column per intensity, split by site where some grade tells the sites apart.
  std::vector<std::pair<std::int16_t, std::optional<std::int16_t>>> columns;
  Rows rows{{"混凝土强度等级"}};
  for (const std::int16_t intensity : indicesOf(lists::seismicIntensity)) {
    bool bySite = false;
    for (const std::int16_t grade : indicesOf(lists::concreteGrade)) {
      bySite =
          bySite || psiAe(grade, intensity, lists::siteIOrII) != psiAe(grade, intensity, lists::siteIIIOrIV);
    }
    const std::string name = "烈度 " + item(lists::seismicIntensity, intensity);
    if (!bySite) {
      columns.emplace_back(intensity, std::nullopt), rows.front().push_back(name);
      continue;
    }
    for (const std::int16_t site : indicesOf(lists::siteCategory)) {
      columns.emplace_back(intensity, site),
          rows.front().push_back(name + "，" + item(lists::siteCategory, site));
    }
  }
  // Grades with the same row share it, named by the grade number they have in common with the rule.
  std::vector<std::pair<std::vector<std::int16_t>, std::vector<std::string>>> groups;
  for (const std::int16_t grade : indicesOf(lists::concreteGrade)) {
    std::vector<std::string> values;
    for (const auto &[intensity, site] : columns) {
      values.push_back(psiAe(grade, intensity, site.value_or(lists::siteIOrII)));
    }
    if (!groups.empty() && groups.back().second == values) {
      groups.back().first.push_back(grade);
    } else {
      groups.emplace_back(std::vector<std::int16_t>{grade}, std::move(values));
    }
  }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const std::vector<std::int16_t> &grades = groups[g].first;
    std::vector<std::string> names;
    for (const std::int16_t grade : grades) {
      names.push_back(item(lists::concreteGrade, grade));
    }
    const std::string gradesText =
        names.size() <= 3 ? joined(names, "、") : names.front() + " 至 " + names.back();
    const std::string rule = g == 0 ? "Z ≤ " + formatDouble(gradeNumberOf(grades.back()))
                                    : "Z > " + formatDouble(gradeNumberOf(groups[g - 1].first.back()));
    std::vector<std::string> row{gradesText + "（" + rule + "）"};
    row.insert(row.end(), groups[g].second.begin(), groups[g].second.end());
    rows.push_back(std::move(row));
  }
  return {"table_psiae.rst", csvTable("ψae", {}, rows)};
}

std::string substitution(std::string_view name, const std::string &text) {
  return ".. |" + std::string(name) + "| replace:: " + text + "\n";
}

// The typed-fbd notice for a grade and a typed value, as a run gives it.
std::string typedFbdNotice(std::int16_t grade, const std::string &typed) {
  AnchorageInput input = anchorageInputOf(defaultInputState());
  input.concreteGrade = {grade, item(lists::concreteGrade, grade)};
  input.steelGrade = lists::plainBarsHPB235;
  input.userBondStrength = {typed, true};
  AnchorageResult result;
  if (const auto rejection = calculateAnchorage(input, result)) {
    throw std::runtime_error("the typed-fbd example was refused: " + rejection->message);
  }
  for (const CodeNotice &notice : result.completed->notices) {
    if (notice.clause.empty()) {
      return notice.text;
    }
  }
  throw std::runtime_error("the typed-fbd example gave no notice of the program's own");
}

// The numbers the manual's prose quotes from the tables.
Part numbersPart() {
  const auto largest = [](std::int16_t grade) {
    return formatSingle(largestTableFbd(grade, gradeNumberOf(grade)));
  };
  std::vector<std::string> largestByGrade;
  for (const std::int16_t grade : indicesOf(lists::concreteGrade)) {
    largestByGrade.push_back(item(lists::concreteGrade, grade) + " 为 " + largest(grade));
  }
  std::vector<std::string> psiBr;
  for (const std::int16_t state : indicesOf(lists::memberState)) {
    psiBr.push_back(item(lists::memberState, state) + " " + formatSingle(computePsiBr(state)));
  }
  std::vector<std::string> fy;
  for (const std::int16_t steel : indicesOf(lists::steelGrade)) {
    fy.push_back(formatInteger(fyOf(steel)));
  }
  // C40 against C45 in the bands whose line does not run on from the C40 row.
  const std::vector<BondColumn> columns = bondColumns();
  const auto fbd = [](std::int16_t grade, const BondColumn &column) {
    return shownValue(bondStrength(grade, column).fbd);
  };
  const auto jump = [&](const BondColumn &column) {
    return formatDouble(fbd(lists::gradeC45, column) - fbd(lists::gradeC40, column));
  };
  const auto shorter = [&](const BondColumn &column) {
    return formatDouble(std::round(100 * (1 - fbd(lists::gradeC40, column) / fbd(lists::gradeC45, column)))) +
           "%";
  };
  const BondColumn &six = columns.at(2);
  const BondColumn &seven = columns.at(3);
  std::string text;
  text += substitution("largest-fbd-by-grade", joined(largestByGrade, "，"));
  text += substitution("largest-fbd-C30", largest(lists::gradeC30));
  text += substitution("typed-fbd-notice-C25-50", typedFbdNotice(lists::gradeC25, "50"));
  text += substitution("psibr-by-state", joined(psiBr, "，"));
  text += substitution("fy-by-grade", joined(fy, "、"));
  text += substitution("c45-jump-6d", jump(six)) + substitution("c45-jump-7d", jump(seven));
  text += substitution("line-step-6d", formatDouble(fbd(lists::gradeC50, six) - fbd(lists::gradeC45, six)));
  text += substitution("c45-shorter-6d", shorter(six)) + substitution("c45-shorter-7d", shorter(seven));
  return {"numbers.rst", text};
}

} // namespace

std::vector<Part> manualParts() {
  return {numbersPart(), bandsPart(), fbdPart(), linesPart(), c40Part(),
          asptPart(),    psiBrPart(), fyPart(),  psiAePart()};
}

} // namespace tavrin::factortables
