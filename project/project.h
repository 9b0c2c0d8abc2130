#pragma once

// A project of planted-bar positions and its file: plain data and Qt Core only, between the calculation
// (calc/) and the window (form/).
#include "calc/input_state.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace tavrin::project {

// What a position's run showed: ld and the adopted depth as the window shows them ("430.2222", "440") and
// the clause numbers of its notices in their order ("15.1.2"; "本程序" for the program's own notice), or
// the message of the refusal that stopped it, the other fields then empty.
struct RunOutcome {
  QString ld;
  QString adoptedDepth;
  QStringList notices;
  QString refusal;

  friend bool operator==(const RunOutcome &, const RunOutcome &) = default;
};

// Runs the calculation on a position's inputs quietly, as 计算 would run it, and says what it showed.
RunOutcome outcomeOf(const InputState &inputs);
// What a completed run showed (completed.completed is set).
RunOutcome outcomeOfRun(const AnchorageResult &completed);

// One planted-bar position (部位) of the job.
struct Position {
  QString name;
  InputState inputs;
  // What the window showed for exactly these inputs when the file was saved; none where the position had not
  // been calculated since its inputs last changed.
  std::optional<RunOutcome> saved;

  friend bool operator==(const Position &, const Position &) = default;
};

struct Project {
  QString name; // 工程名称
  std::vector<Position> positions;

  friend bool operator==(const Project &, const Project &) = default;
};

// "部位 N"
QString numberedPositionName(int n);

// What a new window holds: no 工程名称 and one position, "部位 1", with the default inputs.
Project untitledProject();

inline constexpr int formatVersion = 1;
inline constexpr qsizetype maxPositions = 10000;
inline constexpr qint64 maxFileBytes = 16 * 1024 * 1024;

// The file's bytes: UTF-8 JSON as Qt's JSON classes write it,
// {"format": "tavrin-project", "version": 1, "project": …, "positions": [{"name", "inputs", "saved"}]}.
QByteArray projectFileBytes(const Project &project);

// A project read from a file's bytes, or why the bytes are refused, in the window's words
// ("文件不完整或已损坏").
using ReadOutcome = std::variant<Project, QString>;
ReadOutcome readProject(const QByteArray &bytes);

// Reads the file at path: a file larger than maxFileBytes is refused before it is read. Never writes it.
ReadOutcome readProjectFile(const QString &path);

// Writes the project to path by way of a file beside it, renamed over path only once complete, so that a
// failure leaves what was there unchanged and nothing beside it. Empty on success, otherwise the reason.
QString writeProjectFile(const Project &project, const QString &path);

} // namespace tavrin::project
