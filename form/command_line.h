#pragma once

#include <QStringList>

#include <optional>

namespace tavrin {

// The command line of a program that is a window first: `--help` and `--version` are answered on standard
// output, and `--export-pdf OUT.pdf FILE.tavrin` and `--export-csv OUT.csv FILE.tavrin` write the project's
// 计算书 or its depth table without a window, a display, a recovery file, a lock or a setting. Called first
// thing in main, before Qt starts: the exit status, or none where the window is asked for. A bad project
// file, a bad option or a failed write is one line on standard error naming the file and the reason.
std::optional<int> runCommandLine(int argc, char *argv[]);

// What is left of the window's arguments once Qt has taken its own: at most one project file. The exit
// status of a refusal, said in one line, or none where the window may open.
std::optional<int> refuseWindowArguments(const QStringList &arguments);

// Where a program without a window is given no export: says so in one line and returns the status.
int refuseWithoutExport();

// Exit statuses: a file that could not be read or written, and arguments that are not understood.
inline constexpr int kFileFailed = 1;
inline constexpr int kBadArguments = 2;

} // namespace tavrin
