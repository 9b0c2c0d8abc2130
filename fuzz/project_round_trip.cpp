#include "fuzz/project_round_trip.h"

#include "project/project.h"

namespace tavrin::fuzz {

std::string projectRoundTripViolation(const QByteArray &bytes) {
  const project::ReadOutcome read = project::readProject(bytes);
  if (const QString *reason = std::get_if<QString>(&read)) {
    return reason->isEmpty() ? "refused without a reason" : std::string();
  }
  const QByteArray written = project::projectFileBytes(std::get<project::Project>(read));
  const project::ReadOutcome reread = project::readProject(written);
  if (const QString *reason = std::get_if<QString>(&reread)) {
    return "what was written is refused: " + reason->toStdString() + "\n" + written.toStdString();
  }
  if (std::get<project::Project>(reread) != std::get<project::Project>(read)) {
    return "what was written reads back otherwise:\n" + written.toStdString() + "\n" +
           project::projectFileBytes(std::get<project::Project>(reread)).toStdString();
  }
  return {};
}

} // namespace tavrin::fuzz
