// Start-up of the real program against the floor, a bare Qt window, run for run on one platform.
// Each run is timed from just before the process is spawned to the end of its first paint, which the
// preloaded probe reports; its peak resident memory comes from the kernel when it has ended. The two
// programs alternate, and swap places every pair, so load from the rest of the machine falls on both.
//
//   tavrin_bench_startup PLATFORM PAIRS PROBE TAVRIN BARE
//
// prints a line of detail per program to stderr and two table rows (time, memory) to stdout.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr int kWarmUpPairs = 3; // fill the page cache and the font cache first
constexpr int kProbeFd = 100;   // where the child finds the pipe to report on
constexpr int kPaintTimeoutMs = 30'000;
constexpr double kTargetTimeRatio = 1.15;
constexpr double kTargetExtraMiB = 8;

struct Settings {
  std::string platform;
  int pairs = 0;
  std::string probe;
  std::string tavrin;
  std::string bare;
};

struct Run {
  double toApplicationMs; // spawn to the application object built: loading, linking, static set-up
  double toFirstPaintMs;  // spawn to the first paint flushed
  double peakRssMiB;
};

struct Series {
  std::vector<Run> runs;
};

[[noreturn]] void fail(const std::string &what) {
  std::fprintf(stderr, "tavrin_bench_startup: %s\n", what.c_str());
  std::exit(EXIT_FAILURE);
}

long long monotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The parent's environment with the platform, the probe and its pipe put in.
std::vector<std::string> childEnvironment(const Settings &settings) {
  std::vector<std::string> env;
  for (char **entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (!text.starts_with("QT_QPA_PLATFORM=") && !text.starts_with("LD_PRELOAD=") &&
        !text.starts_with("FIRST_PAINT_FD=")) {
      env.push_back(text);
    }
  }
  env.push_back("QT_QPA_PLATFORM=" + settings.platform);
  env.push_back("LD_PRELOAD=" + settings.probe);
  env.push_back("FIRST_PAINT_FD=" + std::to_string(kProbeFd));
  return env;
}

std::vector<char *> pointers(std::vector<std::string> &texts) {
  std::vector<char *> result;
  for (std::string &text : texts) {
    result.push_back(text.data());
  }
  result.push_back(nullptr);
  return result;
}

pid_t spawn(const std::string &program, std::vector<std::string> &env, int reportFd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, reportFd, kProbeFd);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args{program};
  auto argv = pointers(args);
  auto envp = pointers(env);
  pid_t pid = 0;
  const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    fail("cannot start " + program + ": " + std::strerror(error));
  }
  return pid;
}

// The probe's line: when the application object was built and when the first paint was flushed.
bool readReport(int fd, long long &builtAt, long long &paintedAt) {
  std::string line;
  char buffer[128];
  while (line.find('\n') == std::string::npos) {
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, kPaintTimeoutMs) <= 0) {
      return false;
    }
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) {
      return false;
    }
    line.append(buffer, static_cast<std::size_t>(got));
  }
  return std::sscanf(line.c_str(), "%lld %lld", &builtAt, &paintedAt) == 2;
}

Run runOnce(const Settings &settings, const std::string &program) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    fail(std::string("pipe: ") + std::strerror(errno));
  }
  auto env = childEnvironment(settings);
  const long long startedAt = monotonicNanoseconds();
  const pid_t pid = spawn(program, env, pipeFds[1]);
  close(pipeFds[1]);
  long long builtAt = 0;
  long long paintedAt = 0;
  const bool painted = readReport(pipeFds[0], builtAt, paintedAt);
  close(pipeFds[0]);
  if (!painted) {
    kill(pid, SIGKILL);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!painted) {
    fail(program + " showed no window on " + settings.platform + " (status " + std::to_string(status) + ")");
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    fail(program + " did not end cleanly after its first paint (status " + std::to_string(status) + ")");
  }
  return {(builtAt - startedAt) / 1e6, (paintedAt - startedAt) / 1e6, usage.ru_maxrss / 1024.0};
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<double> field(const Series &series, double Run::*member) {
  std::vector<double> values;
  for (const Run &run : series.runs) {
    values.push_back(run.*member);
  }
  return values;
}

double medianOf(const Series &series, double Run::*member) {
  return median(field(series, member));
}

void describe(const char *name, const Series &series) {
  const auto paint = field(series, &Run::toFirstPaintMs);
  std::fprintf(stderr,
               "  %-12s first paint: median %7.1f ms (min %7.1f, max %7.1f); application built at %6.1f ms; "
               "peak RSS %5.1f MiB\n",
               name, median(paint), *std::min_element(paint.begin(), paint.end()),
               *std::max_element(paint.begin(), paint.end()), medianOf(series, &Run::toApplicationMs),
               medianOf(series, &Run::peakRssMiB));
}

// The median of each pair's own ratio, less swayed than the ratio of medians when the load changes.
double medianPairRatio(const Series &tavrin, const Series &bare) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < tavrin.runs.size(); ++i) {
    ratios.push_back(tavrin.runs[i].toFirstPaintMs / bare.runs[i].toFirstPaintMs);
  }
  return median(ratios);
}

const char *verdict(bool holds) {
  return holds ? "holds" : "missed";
}

void printRows(const Settings &settings, const Series &tavrin, const Series &bare) {
  const double tavrinMs = medianOf(tavrin, &Run::toFirstPaintMs);
  const double bareMs = medianOf(bare, &Run::toFirstPaintMs);
  const double ratio = tavrinMs / bareMs;
  const double tavrinMiB = medianOf(tavrin, &Run::peakRssMiB);
  const double bareMiB = medianOf(bare, &Run::peakRssMiB);
  std::printf(
      "| Start-up to first paint, %s (median of %d pairs) | %.1f ms | %.1f ms | × %.2f (pairs: × %.2f) "
      "| ≤ × %.2f | %s |\n",
      settings.platform.c_str(), settings.pairs, tavrinMs, bareMs, ratio, medianPairRatio(tavrin, bare),
      kTargetTimeRatio, verdict(ratio <= kTargetTimeRatio));
  std::printf(
      "| Peak resident memory, %s (median) | %.1f MiB | %.1f MiB | + %.1f MiB | ≤ + %.0f MiB | %s |\n",
      settings.platform.c_str(), tavrinMiB, bareMiB, tavrinMiB - bareMiB, kTargetExtraMiB,
      verdict(tavrinMiB - bareMiB <= kTargetExtraMiB));
}

Settings parse(int argc, char *argv[]) {
  if (argc != 6) {
    fail("usage: tavrin_bench_startup PLATFORM PAIRS PROBE TAVRIN BARE");
  }
  Settings settings{argv[1], std::atoi(argv[2]), argv[3], argv[4], argv[5]};
  if (settings.pairs < 1) {
    fail("PAIRS must be a positive count");
  }
  return settings;
}

} // namespace

int main(int argc, char *argv[]) {
  const Settings settings = parse(argc, argv);
  for (int pair = 0; pair < kWarmUpPairs; ++pair) {
    runOnce(settings, settings.tavrin);
    runOnce(settings, settings.bare);
  }
  Series tavrin;
  Series bare;
  for (int pair = 0; pair < settings.pairs; ++pair) {
    const bool tavrinFirst = pair % 2 == 0;
    if (tavrinFirst) {
      tavrin.runs.push_back(runOnce(settings, settings.tavrin));
    }
    bare.runs.push_back(runOnce(settings, settings.bare));
    if (!tavrinFirst) {
      tavrin.runs.push_back(runOnce(settings, settings.tavrin));
    }
  }
  std::fprintf(stderr, "Start-up on %s, %d pairs:\n", settings.platform.c_str(), settings.pairs);
  describe("tavrin", tavrin);
  describe("bare window", bare);
  printRows(settings, tavrin, bare);
  return EXIT_SUCCESS;
}
