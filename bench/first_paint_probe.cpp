// Preloaded (LD_PRELOAD) into a Qt program under measurement. When the application object is built it
// notes the time; at the first paint of a window it lets the paint reach the screen, notes the time again,
// writes both to the file descriptor named in FIRST_PAINT_FD and quits the program in the ordinary way.
// The times are CLOCK_MONOTONIC nanoseconds, so the starting process can set them against its own clock.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

namespace {

long long monotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long long applicationBuiltAt = 0;

void reportAndQuit() {
  const long long paintedAt = monotonicNanoseconds();
  if (const char *fd = std::getenv("FIRST_PAINT_FD")) {
    const std::string line = std::to_string(applicationBuiltAt) + ' ' + std::to_string(paintedAt) + '\n';
    [[maybe_unused]] const auto written = ::write(std::atoi(fd), line.data(), line.size());
  }
  QCoreApplication::quit();
}

class FirstPaintWatcher : public QObject {
public:
  using QObject::QObject;

  bool eventFilter(QObject *watched, QEvent *event) override {
    if (!seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
      seen = true;
      // Queued behind the paint: it runs once the whole window is painted and flushed.
      QTimer::singleShot(0, &reportAndQuit);
    }
    return false;
  }

private:
  bool seen = false;
};

void watchForFirstPaint() {
  applicationBuiltAt = monotonicNanoseconds();
  qApp->installEventFilter(new FirstPaintWatcher(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstPaint)
