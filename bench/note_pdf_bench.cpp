// The calculation note of a default run written as a PDF: the time from the completed run to the file on disk
// (the note's model, the appendix's twelve runs and the layout included), and the file's size.
#include "calc/anchorage.h"
#include "calc/calculation_note.h"
#include "calc/input_state.h"
#include "form/form1.h"
#include "form/note_pages.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWrites = 15;
constexpr double kTargetSeconds = 0.5;
constexpr double kTargetKilobytes = 300;

} // namespace

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  tavrin::setUpApplication();
  const tavrin::AnchorageInput input = tavrin::anchorageInputOf(tavrin::defaultInputState());
  tavrin::AnchorageResult result;
  if (tavrin::calculateAnchorage(input, result)) {
    std::fprintf(stderr, "tavrin_bench_note_pdf: the default inputs were refused\n");
    return EXIT_FAILURE;
  }
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("note.pdf"));
  std::vector<double> seconds;
  for (int write = 0; write < kWrites; ++write) {
    const Clock::time_point start = Clock::now();
    const tavrin::CalculationNote note =
        tavrin::makeCalculationNote(input, result, {"Tavrin", "2026-12-09", "工程", "构件"});
    const QString failure = tavrin::writeNotePdf(note, QStringLiteral("Tavrin 植筋计算书"), path);
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    if (!failure.isEmpty()) {
      std::fprintf(stderr, "tavrin_bench_note_pdf: %s\n", qPrintable(failure));
      return EXIT_FAILURE;
    }
  }
  std::sort(seconds.begin(), seconds.end());
  const double median = seconds[seconds.size() / 2];
  const double kilobytes = static_cast<double>(QFileInfo(path).size()) / 1024;
  std::printf("| Note of a default run → PDF written (median of %d, the first included) | %.0f ms | | | < "
              "%.0f ms | %s |\n",
              kWrites, median * 1000, kTargetSeconds * 1000, median < kTargetSeconds ? "holds" : "missed");
  std::printf("| Note of a default run → PDF size | %.0f KB | | | < %.0f KB | %s |\n", kilobytes,
              kTargetKilobytes, kilobytes < kTargetKilobytes ? "holds" : "missed");
  return EXIT_SUCCESS;
}
