// Latency of the Calculate button on the real window, in process on whatever platform QT_QPA_PLATFORM
// names. A press is timed from the mouse press to the moment the last display, the anchorage-length box,
// is written; then, apart, to the moment the window has repainted. Between presses the bar diameter flips
// between two accepted values (outside the timing) so every press writes new texts.
#include "form/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUpPresses = 50;
constexpr int kPresses = 1000;
constexpr int kDiameterItems[] = {5, 7}; // "16" and "20": both clear the spacing and edge checks
constexpr double kTargetMedianUs = 1000;

struct Press {
  double toLastDisplayUs;
  double toRepaintedUs;
};

double microseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::micro>(duration).count();
}

double percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[rank];
}

// A refusal would stop at a modal box; the inputs here are all accepted, so one means a fault.
class AcceptingForm final : public tavrin::Form1 {
protected:
  void execMessageBox(QMessageBox &box) override {
    std::fprintf(stderr, "tavrin_bench_calculate_press: the inputs were refused: %s\n",
                 qPrintable(box.text()));
    std::exit(EXIT_FAILURE);
  }
};

class PressTimer {
public:
  explicit PressTimer(tavrin::Form1 &form) : form(form) {
    QObject::connect(form.Text7, &QLineEdit::textChanged, [this] { lastDisplayAt = Clock::now(); });
  }

  Press press(int number) {
    form.Combo3->setCurrentIndex(kDiameterItems[number % 2]);
    QApplication::processEvents();
    lastDisplayAt.reset();
    const Clock::time_point pressedAt = Clock::now();
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    if (!lastDisplayAt) {
      std::fprintf(stderr, "tavrin_bench_calculate_press: pressing Calculate wrote no anchorage length\n");
      std::exit(EXIT_FAILURE);
    }
    QApplication::processEvents(); // the repaint the writes asked for
    const Clock::time_point repaintedAt = Clock::now();
    return {microseconds(*lastDisplayAt - pressedAt), microseconds(repaintedAt - pressedAt)};
  }

private:
  tavrin::Form1 &form;
  std::optional<Clock::time_point> lastDisplayAt;
};

void printRows(const std::vector<Press> &presses, const char *platform) {
  std::vector<double> written;
  std::vector<double> repainted;
  for (const Press &press : presses) {
    written.push_back(press.toLastDisplayUs);
    repainted.push_back(press.toRepaintedUs);
  }
  const double median = percentile(written, 0.5);
  std::printf(
      "| Calculate press → last display written, %s (median of %zu) | %.0f µs | | | < %.0f µs | %s |\n",
      platform, presses.size(), median, kTargetMedianUs, median < kTargetMedianUs ? "holds" : "missed");
  std::printf("| Calculate press → last display written, %s (99th percentile) | %.0f µs | | | | |\n",
              platform, percentile(written, 0.99));
  std::printf("| Calculate press → window repainted, %s (median) | %.0f µs | | | | |\n", platform,
              percentile(repainted, 0.5));
}

} // namespace

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  tavrin::setUpApplication();
  AcceptingForm form;
  form.loadForm();
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    std::fprintf(stderr, "tavrin_bench_calculate_press: the window was never shown\n");
    return EXIT_FAILURE;
  }
  PressTimer timer(form);
  for (int number = 0; number < kWarmUpPresses; ++number) {
    timer.press(number);
  }
  std::vector<Press> presses;
  for (int number = 0; number < kPresses; ++number) {
    presses.push_back(timer.press(number));
  }
  printRows(presses, qPrintable(QApplication::platformName()));
  return EXIT_SUCCESS;
}
