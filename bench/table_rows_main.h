#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

// Google Benchmark's own report goes to standard error; each successful run adds its rows of scripts/bench's
// table through addRows.
class TableRowsReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      if (!run.error_occurred) {
        addRows(run);
      }
    }
  }

  std::vector<std::string> rows;

private:
  virtual void addRows(const Run &run) = 0;
};

// Runs the benchmarks named on the command line with Reporter, which keeps the rows of scripts/bench's table
// in its member rows while the console's report goes to standard error, then prints those rows.
template <typename Reporter> int runAndPrintRows(int argc, char *argv[]) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return EXIT_FAILURE;
  }
  Reporter reporter;
  reporter.SetOutputStream(&std::cerr);
  reporter.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  for (const std::string &row : reporter.rows) {
    std::printf("%s\n", row.c_str());
  }
  return EXIT_SUCCESS;
}
