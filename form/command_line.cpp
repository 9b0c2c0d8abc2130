#include "form/command_line.h"

#include "form/project_document.h"
#include "project/project.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <span>
#include <string_view>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavrin {
namespace {

constexpr std::string_view kExportPdf = "--export-pdf";
constexpr std::string_view kExportCsv = "--export-csv";

QString usage() {
  return QStringLiteral(
      "用法：tavrin [FILE.tavrin]\n"
      "      tavrin --export-pdf OUT.pdf FILE.tavrin\n"
      "      tavrin --export-csv OUT.csv FILE.tavrin\n"
      "植筋锚固深度计算（GB 50367-2013）。不带选项时打开窗口和给出的工程文件。\n"
      "  --export-pdf OUT.pdf FILE.tavrin  把工程计算书写入 OUT.pdf，不打开窗口\n"
      "  --export-csv OUT.csv FILE.tavrin  把植筋锚固深度汇总表写入 OUT.csv（UTF-8，带 BOM），不打开窗口\n"
      "  --help                            显示本说明\n"
      "  --version                         显示版本\n"
      "出错时在标准错误上写一行原因：工程文件或输出文件有误时退出状态为 1，选项有误时为 2。\n");
}

// Text on a console as its wide characters, so that Chinese file names show whatever the console's code
// page; redirected to a file or a pipe, as UTF-8.
void write(std::FILE *stream, const QString &text) {
#ifdef Q_OS_WIN
  const HANDLE handle = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode)) {
    DWORD written = 0;
    WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(text.utf16()), static_cast<DWORD>(text.size()),
                  &written, nullptr);
    return;
  }
#endif
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
  std::fflush(stream);
}

int refuse(int status, const QString &line) {
  write(stderr, QStringLiteral("tavrin: ") + line + '\n');
  return status;
}

QString quoted(const QString &path) {
  return QStringLiteral("“%1”").arg(QDir::toNativeSeparators(path));
}

bool isAny(const char *argument, std::initializer_list<std::string_view> options) {
  return std::ranges::find(options, std::string_view(argument)) != options.end();
}

// The project at file written to out as asked; out is left as it was unless the whole is written.
int exportProject(const QStringList &arguments) {
  if (arguments.size() != 4 || arguments.at(2).startsWith('-') || arguments.at(3).startsWith('-')) {
    return refuse(
        kBadArguments,
        QStringLiteral("选项有误：应为 tavrin %1 OUT FILE.tavrin；见 tavrin --help").arg(arguments.value(1)));
  }
  const bool pdf = arguments.at(1) == QLatin1StringView(kExportPdf.data(), kExportPdf.size());
  const QString &out = arguments.at(2);
  const QString &file = arguments.at(3);
  if (QFileInfo(out).exists() && QFileInfo(out).canonicalFilePath() == QFileInfo(file).canonicalFilePath()) {
    return refuse(kBadArguments, QStringLiteral("输出文件%1就是工程文件，不能覆盖").arg(quoted(out)));
  }
  const project::ReadOutcome read = project::readProjectFile(file);
  if (const auto *why = std::get_if<QString>(&read)) {
    return refuse(kFileFailed, QStringLiteral("无法打开工程文件%1：%2").arg(quoted(file), *why));
  }
  const ProjectDocument document(std::get<project::Project>(read));
  if (const QString why = pdf ? document.writePdf(out) : document.writeCsv(out); !why.isEmpty()) {
    return refuse(kFileFailed, QStringLiteral("无法保存%1%2：%3")
                                   .arg(pdf ? QStringLiteral("工程计算书") : QStringLiteral("植筋深度表"),
                                        quoted(out), why));
  }
  return EXIT_SUCCESS;
}

} // namespace

std::optional<int> runCommandLine(int argc, char *argv[]) {
  const std::span<char *> arguments(argv, static_cast<std::size_t>(argc));
  for (const char *argument : arguments.subspan(1)) {
    if (isAny(argument, {"--help", "-h"})) {
      write(stdout, usage());
      return EXIT_SUCCESS;
    }
    if (isAny(argument, {"--version"})) {
      write(stdout, QStringLiteral("tavrin " TAVRIN_VERSION "\n"));
      return EXIT_SUCCESS;
    }
  }
  if (argc < 2 || !std::string_view(argv[1]).starts_with("--export")) {
    return std::nullopt;
  }
  if (!isAny(argv[1], {kExportPdf, kExportCsv})) {
    return refuse(kBadArguments,
                  QStringLiteral("未知选项“%1”；见 tavrin --help").arg(QString::fromLocal8Bit(argv[1])));
  }
#ifndef Q_OS_WIN
  // No display is needed nor looked for; on Windows the Windows platform, which shows no window unasked,
  // is the one that sees the system's fonts.
  qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  // Standard error carries the one line of a failure only: nothing of what Qt reports about the platform.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
  const QGuiApplication app(argc, argv);
  return exportProject(QCoreApplication::arguments()); // on Windows, as the wide command line gives them
}

std::optional<int> refuseWindowArguments(const QStringList &arguments) {
  for (const QString &argument : arguments.mid(1)) {
    if (argument.startsWith('-')) {
      return refuse(kBadArguments, QStringLiteral("未知选项“%1”；见 tavrin --help").arg(argument));
    }
  }
  if (arguments.size() > 2) {
    return refuse(kBadArguments, QStringLiteral("只能打开一个工程文件；见 tavrin --help"));
  }
  return std::nullopt;
}

int refuseWithoutExport() {
  return refuse(kBadArguments,
                QStringLiteral(
                    "本程序不打开窗口：请给出 --export-pdf 或 --export-csv；窗口请用 tavrin.exe，见 --help"));
}

} // namespace tavrin
