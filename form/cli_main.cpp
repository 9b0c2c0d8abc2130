// tavrin-cli: the command line of tavrin.exe as a console program on Windows, which writes to the console it
// runs in and gives its caller the exit status; it opens no window.
#include "form/command_line.h"

int main(int argc, char *argv[]) {
  if (const std::optional<int> answered = tavrin::runCommandLine(argc, argv)) {
    return *answered;
  }
  return tavrin::refuseWithoutExport();
}
