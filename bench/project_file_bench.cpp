// The project file of a job of 1,000 positions: reading it from disk (alone, and with every position run
// through the calculation as opening does), and saving it. The window's list display comes on top of these.
#include "bench/table_rows_main.h"
#include "project/project.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace tavrin;
using namespace tavrin::project;

constexpr int kPositions = 1000;
constexpr double kOpenTargetMs = 200; // opening and listing, the list's display included
constexpr double kSaveTargetMs = 100;

// Positions that differ as a job's do: each list steps through its items at its own pace, the spacing and
// edge distance vary, and every position was calculated before saving.
Project largeProject() {
  Project project{QStringLiteral("某综合楼加固改造"), {}};
  for (int n = 1; n <= kPositions; ++n) {
    InputState inputs = defaultInputState();
    int pace = n;
    for (const InputField &field : inputFields()) {
      if (field.list != nullptr) {
        inputs.*field.index = static_cast<std::int16_t>(pace % static_cast<int>(field.list->items.size()));
        pace /= 2;
      }
    }
    inputs.barSpacing = std::to_string(150 + n % 7 * 25);
    inputs.edgeDistance = std::to_string(80 + n % 5 * 10);
    inputs.userBondStrength = "2.5";
    inputs.temperatureFactor = "1.2";
    project.positions.push_back({numberedPositionName(n), inputs, outcomeOf(inputs)});
  }
  return project;
}

struct Fixture {
  QTemporaryDir folder;
  Project project = largeProject();
  QString path = folder.filePath(QStringLiteral("job.tavrin"));
  Fixture() {
    if (!writeProjectFile(project, path).isEmpty()) {
      std::abort();
    }
  }
};

Fixture &fixture() {
  static Fixture shared;
  return shared;
}

void BM_Read(benchmark::State &state) {
  for (auto _ : state) {
    ReadOutcome read = readProjectFile(fixture().path);
    benchmark::DoNotOptimize(read);
  }
  state.counters["bytes"] = static_cast<double>(QFileInfo(fixture().path).size());
}

// Opening compares each position's saved outcome with what the calculation gives now.
void BM_ReadAndRun(benchmark::State &state) {
  for (auto _ : state) {
    const ReadOutcome read = readProjectFile(fixture().path);
    int unchanged = 0;
    for (const Position &position : std::get<Project>(read).positions) {
      unchanged += outcomeOf(position.inputs) == position.saved ? 1 : 0;
    }
    benchmark::DoNotOptimize(unchanged);
  }
}

void BM_Write(benchmark::State &state) {
  const QString path = fixture().folder.filePath(QStringLiteral("saved.tavrin"));
  for (auto _ : state) {
    if (!writeProjectFile(fixture().project, path).isEmpty()) {
      state.SkipWithError("the project could not be saved");
    }
  }
}

BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ReadAndRun)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond)->MinTime(1.0);

class TableRows : public TableRowsReporter {
  void addRows(const Run &run) override {
    const std::string name = run.benchmark_name();
    const double ms = run.GetAdjustedRealTime(); // in the benchmark's unit, ms
    if (name.starts_with("BM_ReadAndRun")) {
      add("file read and every position run through the calculation", ms, 0);
    } else if (name.starts_with("BM_Read")) {
      add("file read (readProjectFile)", ms, kOpenTargetMs);
      char size[128];
      std::snprintf(size, sizeof size, "| Project of %d positions: file size | %.0f KB | | | | |", kPositions,
                    run.counters.at("bytes").value / 1024);
      rows.emplace_back(size);
    } else {
      add("file saved (writeProjectFile, through a file beside)", ms, kSaveTargetMs);
    }
  }

  void add(const char *what, double ms, double targetMs) {
    char text[256];
    if (targetMs > 0) {
      std::snprintf(text, sizeof text, "| Project of %d positions: %s | %.1f ms | | | < %.0f ms | %s |",
                    kPositions, what, ms, targetMs, ms < targetMs ? "holds" : "missed");
    } else {
      std::snprintf(text, sizeof text, "| Project of %d positions: %s | %.1f ms | | | | |", kPositions, what,
                    ms);
    }
    rows.emplace_back(text);
  }
};

} // namespace

int main(int argc, char *argv[]) {
  return runAndPrintRows<TableRows>(argc, argv);
}
