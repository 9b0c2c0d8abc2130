// The project's 计算书 of 100 positions written as a PDF and its depth table as CSV, as the window's export
// and the command line write them: the time from the project's inputs to the file on disk (every position
// run afresh, the notes' model, the layout and the fonts), and the PDF's size.
#include "form/project_document.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPositions = 100;
constexpr int kPdfWrites = 5;
constexpr int kCsvWrites = 21;
constexpr double kPdfTargetSeconds = 5;
constexpr double kPdfTargetMegabytes = 2;
constexpr double kCsvTargetSeconds = 0.05;

// A job's positions: every bar diameter and concrete grade in turn, some with a code notice (B级胶 for bars
// above 22 mm) and one in ten refused by its spacing.
tavrin::project::Project hundredPositions() {
  tavrin::project::Project project{QStringLiteral("某办公楼加固"), {}};
  for (int i = 0; i < kPositions; ++i) {
    tavrin::InputState inputs = tavrin::defaultInputState();
    inputs.barDiameter = static_cast<std::int16_t>(i % 12);
    inputs.concreteGrade = static_cast<std::int16_t>(i % 8);
    inputs.adhesiveGrade = static_cast<std::int16_t>(i % 3 == 0 ? 1 : 0);
    inputs.barSpacing = i % 10 == 9 ? "50" : "200";
    inputs.edgeDistance = "100";
    project.positions.push_back({QStringLiteral("%1 层梁 KL%2").arg(i / 10 + 1).arg(i % 10 + 1), inputs, {}});
  }
  return project;
}

// The median time of writes, the first included.
double medianSeconds(int writes, const std::function<QString()> &write) {
  std::vector<double> seconds;
  for (int i = 0; i < writes; ++i) {
    const Clock::time_point start = Clock::now();
    if (const QString failure = write(); !failure.isEmpty()) {
      std::fprintf(stderr, "tavrin_bench_project_note: %s\n", qPrintable(failure));
      std::exit(EXIT_FAILURE);
    }
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

const char *verdict(bool holds) {
  return holds ? "holds" : "missed";
}

} // namespace

int main(int argc, char *argv[]) {
  const QGuiApplication app(argc, argv);
  const tavrin::project::Project project = hundredPositions();
  const QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("计算书.pdf"));
  const QString csv = folder.filePath(QStringLiteral("植筋深度表.csv"));
  const double pdfSeconds =
      medianSeconds(kPdfWrites, [&] { return tavrin::ProjectDocument(project).writePdf(pdf); });
  const double csvSeconds =
      medianSeconds(kCsvWrites, [&] { return tavrin::ProjectDocument(project).writeCsv(csv); });
  const double megabytes = static_cast<double>(QFileInfo(pdf).size()) / (1024 * 1024);
  std::printf(
      "| Project of %d positions → 计算书 PDF written (median of %d, the first included) | %.2f s | | | < "
      "%.0f s | %s |\n",
      kPositions, kPdfWrites, pdfSeconds, kPdfTargetSeconds, verdict(pdfSeconds < kPdfTargetSeconds));
  std::printf("| Project of %d positions → 计算书 PDF size | %.2f MB | | | < %.0f MB | %s |\n", kPositions,
              megabytes, kPdfTargetMegabytes, verdict(megabytes < kPdfTargetMegabytes));
  std::printf(
      "| Project of %d positions → depth table CSV written (median of %d) | %.1f ms | | | < %.0f ms | %s |\n",
      kPositions, kCsvWrites, csvSeconds * 1000, kCsvTargetSeconds * 1000,
      verdict(csvSeconds < kCsvTargetSeconds));
  return EXIT_SUCCESS;
}
