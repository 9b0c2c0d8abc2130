// The manual's worked examples, read from its source and run through the calculation: every number an
// example states, in its inputs, its working and its results, must be what the window shows.
#include "calc/anchorage.h"
#include "calc/lists.h"
#include "calc/working.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

using Row = std::vector<std::string>;
struct Example {
  std::string name;
  std::vector<Row> inputs;  // caption | symbol | value
  std::vector<Row> working; // quantity | formula | working | value
};

constexpr std::string_view hidden = "（不显示）"; // an optional entry the window does not show
constexpr std::string_view partSeparator = "，";

std::vector<std::string> split(std::string_view text, std::string_view separator) {
  std::vector<std::string> parts;
  for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator)) {
    parts.emplace_back(trimBlanks(text.substr(0, at)));
    text.remove_prefix(at + separator.size());
  }
  parts.emplace_back(trimBlanks(text));
  return parts;
}

// The rows of the tables ".. csv-table:: 例一　输入" and ".. csv-table:: 例一　计算过程", headers left out.
std::vector<Example> readExamples(const char *path) {
  std::ifstream source(path);
  EXPECT_TRUE(source) << "cannot read " << path;
  std::vector<Example> examples;
  std::vector<Row> *table = nullptr;
  bool header = false;
  for (std::string line; std::getline(source, line);) {
    const std::string directive = ".. csv-table:: 例";
    if (line.starts_with(directive)) {
      const std::vector<std::string> title = split(line.substr(directive.size() - 3), "　");
      if (examples.empty() || examples.back().name != title.front()) {
        examples.push_back({title.front(), {}, {}});
      }
      table = title.back() == "输入" ? &examples.back().inputs : &examples.back().working;
      header = true;
    } else if (table != nullptr && line.starts_with("   ") && !line.starts_with("   :")) {
      if (!std::exchange(header, false)) {
        table->push_back(split(line, "|"));
      }
    } else if (!line.empty() && !line.starts_with(" ")) {
      table = nullptr;
    }
  }
  return examples;
}

std::int16_t indexOf(const ItemList &list, const std::string &item) {
  const auto &items = list.items;
  const auto found = std::ranges::find(items, item);
  EXPECT_NE(found, items.end()) << item << " is no item of its list";
  return found == items.end() ? std::int16_t{-1} : static_cast<std::int16_t>(found - items.begin());
}

// How each input symbol of the examples sets the calculation's input, with the window's list items.
using Setter = std::function<void(AnchorageInput &, const std::string &)>;
Setter listIndex(std::int16_t AnchorageInput::*field, const ItemList &list) {
  return [field, &list](AnchorageInput &in, const std::string &v) { in.*field = indexOf(list, v); };
}
Setter listChoice(ListChoice AnchorageInput::*field, const ItemList &list) {
  return [field, &list](AnchorageInput &in, const std::string &v) { in.*field = {indexOf(list, v), v}; };
}
Setter text(std::string AnchorageInput::*field) {
  return [field](AnchorageInput &in, const std::string &v) { in.*field = v; };
}
Setter optionalText(OptionalEntry AnchorageInput::*field) {
  return [field](AnchorageInput &in, const std::string &v) { (in.*field).text = v == hidden ? "" : v; };
}
const std::map<std::string, Setter> &setters() {
  static const std::map<std::string, Setter> bySymbol{
      {"抗震设防烈度", listIndex(&AnchorageInput::seismicIntensity, lists::seismicIntensity)},
      {"场地类别", listIndex(&AnchorageInput::siteCategory, lists::siteCategory)},
      {"混凝土强度等级", listChoice(&AnchorageInput::concreteGrade, lists::concreteGrade)},
      {"保护层厚度", listIndex(&AnchorageInput::coverThickness, lists::coverThickness)},
      {"钢筋强度等级", listIndex(&AnchorageInput::steelGrade, lists::steelGrade)},
      {"d", listChoice(&AnchorageInput::barDiameter, lists::barDiameter)},
      {"箍筋直径", listIndex(&AnchorageInput::stirrupDiameter, lists::stirrupDiameter)},
      {"结构胶粘剂等级", listIndex(&AnchorageInput::adhesiveGrade, lists::adhesiveGrade)},
      {"s", text(&AnchorageInput::barSpacing)},
      {"c", text(&AnchorageInput::edgeDistance)},
      {"构件受力状态", listIndex(&AnchorageInput::memberState, lists::memberState)},
      {"ψw′", text(&AnchorageInput::moistureFactor)},
      {"使用环境温度",
       [](AnchorageInput &in, const std::string &v) {
         in.temperatureFactor.shown = indexOf(lists::serviceTemperature, v) != lists::upTo60Celsius;
       }},
      {"ψT′", optionalText(&AnchorageInput::temperatureFactor)},
      {"fbd′", optionalText(&AnchorageInput::userBondStrength)},
  };
  return bySymbol;
}

AnchorageInput inputOf(const Example &example, std::map<std::string, std::string> &stated) {
  AnchorageInput input;
  for (const Row &row : example.inputs) {
    stated[row.at(1)] = row.at(2);
    setters().at(row.at(1))(input, row.at(2));
  }
  EXPECT_EQ(setters().size(), example.inputs.size()) << "every input of the window, once";
  // The window asks for fbd for HPB235 only.
  input.userBondStrength.shown = input.steelGrade == lists::plainBarsHPB235;
  EXPECT_EQ(input.temperatureFactor.shown, stated.at("ψT′") != hidden);
  EXPECT_EQ(input.userBondStrength.shown, stated.at("fbd′") != hidden);
  return input;
}

// What the window shows for a quantity; the ratios, the grade number and the band as the method uses them.
std::string expectedValue(const std::string &name, const AnchorageInput &input, const AnchorageResult &result,
                          const std::map<std::string, std::string> &stated) {
  static const std::map<std::string, Quantity> quantities{
      {"fbd", Quantity::Fbd},   {"ψbr", Quantity::PsiBr}, {"ψw", Quantity::PsiW}, {"ψT", Quantity::PsiT},
      {"ψN", Quantity::PsiN},   {"aspt", Quantity::Aspt}, {"fy", Quantity::Fy},   {"ls", Quantity::Ls},
      {"ψae", Quantity::PsiAe}, {"ld", Quantity::Ld}};
  const double d = lenientNumber(input.barDiameter.text);
  if (const auto quantity = quantities.find(name); quantity != quantities.end()) {
    return formatQuantity(quantity->second, result);
  }
  if (name == "S" || name == "C") {
    return formatDouble(lenientNumber(name == "S" ? input.barSpacing : input.edgeDistance) / d);
  }
  if (name == "Z") {
    return formatDouble(gradeNumber(input));
  }
  if (name == "受拉 lmin" || name == "受压 lmin") {
    const MinimumAnchorage &lmin = result.completed->lmin;
    return formatSingle(name == "受拉 lmin" ? lmin.tension : lmin.compression);
  }
  if (name == adoptedDepthName) {
    return formatDouble(result.completed->adopted.depth);
  }
  if (name == "规范提示") {
    std::string clauses;
    for (const CodeNotice &notice : result.completed->notices) {
      clauses += (clauses.empty() ? "" : "、") + std::string(notice.clause);
    }
    return clauses.empty() ? "无" : clauses;
  }
  EXPECT_EQ(name, std::string_view("构造条件档")) << "unknown quantity";
  const double s = lenientNumber(stated.at("S"));
  const double c = lenientNumber(stated.at("C"));
  if (s < 6 || c < 3) {
    return "5d";
  }
  return s >= 7 && c >= 3.5 ? std::string("7d") : std::string("6d");
}

constexpr std::array<std::string_view, 12> operators{"×", "/", "+", "−", "(",   ")",
                                                     "<", "≤", ">", "≥", "max", ","};
bool isOperator(const std::string &token) {
  return std::ranges::find(operators, token) != operators.end();
}

// A formula or working part split into operands and operators; a part without operators is one operand
// (a list item such as ">=8" stays whole).
std::vector<std::string> tokens(std::string text, bool whole) {
  if (whole) {
    return {text};
  }
  for (const std::string_view op : operators) {
    for (std::size_t at = text.find(op); at != std::string::npos; at = text.find(op, at + op.size() + 2)) {
      text.replace(at, op.size(), " " + std::string(op) + " ");
    }
  }
  std::vector<std::string> found;
  for (const std::string &token : split(text, " ")) {
    if (!token.empty()) {
      found.push_back(token);
    }
  }
  return found;
}

bool holds(const std::vector<std::string> &comparison) {
  const double left = strictDouble(comparison.at(0)).value(); // throws, and fails the test, on a non-number
  const double right = strictDouble(comparison.at(2)).value();
  const std::string &op = comparison.at(1);
  return op == "<" ? left < right : op == "≤" ? left <= right : op == ">" ? left > right : left >= right;
}

// Each operand of the working is the stated value of the formula's symbol in that place, or the same
// constant; a comparison must hold.
void checkPart(std::string formula, const std::string &working, const std::string &name,
               const std::map<std::string, std::string> &stated) {
  if (formula.starts_with(name + " = ")) {
    formula.erase(0, name.size() + 3);
  }
  const bool whole = std::ranges::none_of(tokens(formula, false), isOperator);
  const std::vector<std::string> symbols = tokens(formula, whole);
  const std::vector<std::string> numbers = tokens(working, whole);
  ASSERT_EQ(symbols.size(), numbers.size()) << formula << " against " << working;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const auto value = stated.find(symbols[i]);
    EXPECT_TRUE(value != stated.end() || isOperator(symbols[i]) || strictDouble(symbols[i]))
        << "unknown symbol " << symbols[i];
    EXPECT_EQ(numbers[i], value != stated.end() ? value->second : symbols[i]) << "in " << formula;
  }
  if (numbers.size() == 3 && isOperator(numbers[1]) &&
      std::string("<≤>≥").find(numbers[1]) != std::string::npos) {
    EXPECT_TRUE(holds(numbers)) << working;
  }
}

TEST(WorkedExamples, StateWhatTheCalculationShows) {
  const std::vector<Example> examples = readExamples(TAVRIN_MANUAL_SOURCE);
  ASSERT_GE(examples.size(), 4U);
  for (const Example &example : examples) {
    SCOPED_TRACE(example.name);
    std::map<std::string, std::string> stated;
    const AnchorageInput input = inputOf(example, stated);
    AnchorageResult result;
    EXPECT_FALSE(calculateAnchorage(input, result).has_value());
    ASSERT_FALSE(example.working.empty());
    EXPECT_TRUE(std::ranges::any_of(example.working, [](const Row &row) { return row.at(0) == "ld"; }))
        << "an example works through to ld";
    EXPECT_TRUE(std::ranges::any_of(example.working, [](const Row &row) {
      return row.at(0) == adoptedDepthName;
    })) << "an example states the depth the drawing takes";
    for (const Row &row : example.working) {
      const std::string &name = row.at(0);
      SCOPED_TRACE(name);
      EXPECT_EQ(row.at(3), expectedValue(name, input, result, stated));
      stated[name] = row.at(3);
      if (name == "受压 lmin") { // the adopted depth reads the larger lmin, as the example states both
        stated["lmin"] = formatDouble(
            std::max(strictDouble(stated.at("受拉 lmin")).value(), strictDouble(row.at(3)).value()));
      }
      const std::vector<std::string> formulas = split(row.at(1), partSeparator);
      const std::vector<std::string> workings = split(row.at(2), partSeparator);
      ASSERT_EQ(formulas.size(), workings.size());
      for (std::size_t i = 0; i < formulas.size(); ++i) {
        checkPart(formulas[i], workings[i], name, stated);
      }
    }
  }
}

} // namespace
} // namespace tavrin
