// A project of 1,000 positions opened in the window as 打开工程 opens it: read, every position run again
// against what the file says was shown, and the list of positions filled and painted; and the same project
// saved from the window.
#include "form/project_window.h"
#include "project/project.h"

#include <QApplication>
#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPositions = 1000;
constexpr int kOpens = 9;
constexpr double kOpenTargetMs = 200;
constexpr double kSaveTargetMs = 100;

// Calculated positions of one job, their spacings varied so that no two runs are the same.
tavrin::project::Project thousandPositions() {
  tavrin::project::Project project{QStringLiteral("基准工程"), {}};
  for (int i = 0; i < kPositions; ++i) {
    tavrin::InputState inputs = tavrin::defaultInputState();
    inputs.barSpacing = std::to_string(100 + i % 400);
    project.positions.push_back(
        {tavrin::project::numberedPositionName(i + 1), inputs, tavrin::project::outcomeOf(inputs)});
  }
  return project;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Saves through the window's own command, the file name already given.
class SavingWindow : public tavrin::ProjectWindow {
public:
  using ProjectWindow::ProjectWindow;
  QString savePath;

protected:
  QString chooseFileToSave(const QString & /*suggested*/) override { return savePath; }
};

} // namespace

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true); // the recent files go to a test folder, not the user's
  tavrin::setUpApplication();
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("job.tavrin"));
  if (const QString why = tavrin::project::writeProjectFile(thousandPositions(), path); !why.isEmpty()) {
    std::fprintf(stderr, "tavrin_bench_project_open: %s\n", qPrintable(why));
    return EXIT_FAILURE;
  }
  std::vector<double> opens, saves;
  for (int i = 0; i < kOpens; ++i) {
    SavingWindow window(new tavrin::Form1, folder.filePath(QStringLiteral("recovery")));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
      return EXIT_FAILURE;
    }
    const Clock::time_point start = Clock::now();
    window.openFromCommandLine(path);
    window.positionList().repaint();
    opens.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (window.positionList().count() != kPositions) {
      std::fprintf(stderr, "tavrin_bench_project_open: the list shows %d positions\n",
                   window.positionList().count());
      return EXIT_FAILURE;
    }
    window.savePath = folder.filePath(QStringLiteral("saved.tavrin"));
    const Clock::time_point saving = Clock::now();
    window.saveProjectAs();
    saves.push_back(std::chrono::duration<double, std::milli>(Clock::now() - saving).count());
  }
  const double open = median(opens), save = median(saves);
  std::printf(
      "| Project of %d positions opened and its list shown, window (median of %d) | %.0f ms | | | < %.0f "
      "ms | %s |\n",
      kPositions, kOpens, open, kOpenTargetMs, open < kOpenTargetMs ? "holds" : "missed");
  std::printf(
      "| Project of %d positions saved from the window (median of %d) | %.0f ms | | | < %.0f ms | %s |\n",
      kPositions, kOpens, save, kSaveTargetMs, save < kSaveTargetMs ? "holds" : "missed");
  return EXIT_SUCCESS;
}
