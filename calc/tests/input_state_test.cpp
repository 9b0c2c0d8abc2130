// The one set of default inputs, which the window, the benchmarks and the tests open with, stated literally
// here so that a changed default shows.
#include "calc/input_state.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

TEST(DefaultInputs, AreTheOpeningInputs) {
  const std::vector<std::pair<std::string_view, std::string>> expected{
      {"concreteGrade", "C25"},  {"coverThickness", "30"},       {"barDiameter", "16"},
      {"steelGrade", "HRB335"},  {"stirrupDiameter", ">=8"},     {"adhesiveGrade", "A级胶"},
      {"barSpacing", "100"},     {"edgeDistance", "50"},         {"memberState", "其他构件"},
      {"moistureFactor", "1.1"}, {"serviceTemperature", "≤60℃"}, {"temperatureFactor", ""},
      {"userBondStrength", ""},  {"seismicIntensity", "6"},      {"siteCategory", "I、II类"},
  };
  const InputState state = defaultInputState();
  std::vector<std::pair<std::string_view, std::string>> shown;
  for (const InputField &field : inputFields()) {
    shown.emplace_back(field.name,
                       field.list != nullptr ? itemText(*field.list, state.*field.index) : state.*field.text);
  }
  EXPECT_EQ(shown, expected);
}

} // namespace
} // namespace tavrin
