// Cost of one run of the calculation, without the window: the default inputs, an input refused at the
// first check, and every combination of the list items with the default typed values.
#include "bench/table_rows_main.h"
#include "calc/anchorage.h"
#include "calc/tests/test_inputs.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using tavrin::AnchorageInput;
using tavrin::AnchorageResult;
using tavrin::testing::defaultInput;

// The lists the calculation reads by index only; concrete grade and bar diameter are read as text too.
struct IndexedList {
  std::int16_t AnchorageInput::*field;
  const tavrin::ItemList &list;
};

const std::array kIndexedLists{
    IndexedList{&AnchorageInput::coverThickness, tavrin::lists::coverThickness},
    IndexedList{&AnchorageInput::steelGrade, tavrin::lists::steelGrade},
    IndexedList{&AnchorageInput::adhesiveGrade, tavrin::lists::adhesiveGrade},
    IndexedList{&AnchorageInput::memberState, tavrin::lists::memberState},
    IndexedList{&AnchorageInput::stirrupDiameter, tavrin::lists::stirrupDiameter},
    IndexedList{&AnchorageInput::seismicIntensity, tavrin::lists::seismicIntensity},
    IndexedList{&AnchorageInput::siteCategory, tavrin::lists::siteCategory},
};

constexpr const char *kTypedBondStrength = "2.5"; // what a designer types for plain bars

// Multiplies out the indexed lists, starting from the given one, on top of each input so far.
void addIndexedCombinations(std::vector<AnchorageInput> &inputs, std::size_t list) {
  if (list == kIndexedLists.size()) {
    return;
  }
  std::vector<AnchorageInput> widened;
  const auto items = static_cast<std::int16_t>(kIndexedLists[list].list.items.size());
  widened.reserve(inputs.size() * static_cast<std::size_t>(items));
  for (const AnchorageInput &input : inputs) {
    for (std::int16_t index = 0; index < items; ++index) {
      AnchorageInput next = input;
      next.*kIndexedLists[list].field = index;
      widened.push_back(std::move(next));
    }
  }
  inputs = std::move(widened);
  addIndexedCombinations(inputs, list + 1);
}

std::vector<AnchorageInput> everyListCombination() {
  std::vector<AnchorageInput> inputs;
  using tavrin::testing::choiceOf;
  for (std::size_t grade = 0; grade < tavrin::lists::concreteGradeItems.size(); ++grade) {
    for (std::size_t diameter = 0; diameter < tavrin::lists::barDiameterItems.size(); ++diameter) {
      AnchorageInput input = defaultInput();
      input.concreteGrade = choiceOf(tavrin::lists::concreteGrade, static_cast<std::int16_t>(grade));
      input.barDiameter = choiceOf(tavrin::lists::barDiameter, static_cast<std::int16_t>(diameter));
      inputs.push_back(std::move(input));
    }
  }
  addIndexedCombinations(inputs, 0);
  // The window shows the bond-strength entry for plain bars only, and the designer fills it in.
  for (AnchorageInput &input : inputs) {
    input.userBondStrength = {kTypedBondStrength, input.steelGrade == tavrin::lists::plainBarsHPB235};
  }
  return inputs;
}

void runRepeatedly(benchmark::State &state, const AnchorageInput &input) {
  AnchorageResult result;
  for (auto _ : state) {
    auto rejection = tavrin::calculateAnchorage(input, result);
    benchmark::DoNotOptimize(rejection);
    benchmark::DoNotOptimize(result);
  }
}

void BM_Defaults(benchmark::State &state) {
  runRepeatedly(state, defaultInput());
}

// Spacing 60 under 5 diameters of 16: refused by the first check.
void BM_Rejected(benchmark::State &state) {
  AnchorageInput input = defaultInput();
  input.barSpacing = "60";
  AnchorageResult result;
  if (!tavrin::calculateAnchorage(input, result)) {
    state.SkipWithError("the spacing of 60 was not refused");
  }
  runRepeatedly(state, input);
}

// Every combination once per iteration; "per_run" is the time of one run, averaged over all of them.
void BM_EveryListCombination(benchmark::State &state) {
  const std::vector<AnchorageInput> inputs = everyListCombination();
  AnchorageResult result;
  std::size_t refused = 0;
  for (const AnchorageInput &input : inputs) {
    refused += tavrin::calculateAnchorage(input, result).has_value() ? 1 : 0;
  }
  for (auto _ : state) {
    for (const AnchorageInput &input : inputs) {
      auto rejection = tavrin::calculateAnchorage(input, result);
      benchmark::DoNotOptimize(rejection);
      benchmark::DoNotOptimize(result);
    }
  }
  const auto runs = static_cast<double>(inputs.size());
  state.counters["inputs"] = runs;
  state.counters["refused"] = static_cast<double>(refused);
  state.counters["per_run"] =
      benchmark::Counter(runs, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_Defaults);
BENCHMARK(BM_Rejected);
BENCHMARK(BM_EveryListCombination)->MinTime(1.0);

class TableRows : public TableRowsReporter {
  void addRows(const Run &run) override { rows.push_back(row(run)); }

  static std::string row(const Run &run) {
    char text[256];
    const std::string name = run.benchmark_name();
    if (const auto perRun = run.counters.find("per_run"); perRun != run.counters.end()) {
      std::snprintf(
          text, sizeof text,
          "| calculateAnchorage, every list combination (%.0f inputs, %.0f refused) | %.0f ns per run "
          "| | | | |",
          run.counters.at("inputs").value, run.counters.at("refused").value, perRun->second.value * 1e9);
    } else {
      const char *what =
          name.starts_with("BM_Rejected") ? "input refused at the spacing check" : "default inputs";
      std::snprintf(text, sizeof text, "| calculateAnchorage, %s | %.0f ns per run | | | | |", what,
                    run.GetAdjustedRealTime());
    }
    return text;
  }
};

} // namespace

int main(int argc, char *argv[]) {
  return runAndPrintRows<TableRows>(argc, argv);
}
