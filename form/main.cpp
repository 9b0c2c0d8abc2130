#include "form/command_line.h"
#include "form/form1.h"
#include "form/project_window.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdlib>
#include <iostream>

namespace {

// Where windows come from a display server (X11 or Wayland), Qt without one would abort with a terse
// plugin error; say what is missing and how to try it anyway. Windows and macOS always have a screen.
bool displayAvailable() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  return true;
#else
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
         std::getenv("QT_QPA_PLATFORM") != nullptr;
#endif
}

} // namespace

// tavrin [FILE.tavrin]: the window, with the project in FILE where one is given; tavrin --help tells the
// rest.
int main(int argc, char *argv[]) {
  if (const std::optional<int> answered = tavrin::runCommandLine(argc, argv)) {
    return *answered;
  }
  if (!displayAvailable()) {
    std::cerr << "No display found: Tavrin is a desktop program and needs one.\n"
                 "On a machine without a screen, try it headless with: xvfb-run -a tavrin\n";
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()) {
      std::cerr << "xvfb-run comes with Debian's xvfb and xauth packages: sudo apt install xvfb xauth\n";
    }
    return EXIT_FAILURE;
  }
  QApplication app(argc, argv);
  if (const std::optional<int> refused = tavrin::refuseWindowArguments(QCoreApplication::arguments())) {
    return *refused;
  }
  // Qt's settings and folders (the recent files, the recovery files) are Tavrin's own.
  QCoreApplication::setOrganizationName(QStringLiteral("Tavrin"));
  QCoreApplication::setApplicationName(QStringLiteral("Tavrin"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));
  tavrin::setUpApplication();
  // Ties the window to the installed desktop entry, so the desktop shows its name and icon for it.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tavrin.Tavrin"));
  tavrin::ProjectWindow window(new tavrin::Form1, tavrin::ProjectWindow::defaultRecoveryFolder());
  window.show();
  window.offerRecoveries(); // before a file named on the command line opens
  if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() > 1) {
    window.openFromCommandLine(arguments.at(1));
  }
  return QApplication::exec();
}
