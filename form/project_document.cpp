#include "form/project_document.h"

#include "form/note_pages.h"

#include <QDate>
#include <QSaveFile>

namespace tavrin {
namespace {

QString q(const std::string &text) {
  return QString::fromStdString(text);
}

std::vector<PositionInputs> positionsOf(const project::Project &project) {
  std::vector<PositionInputs> positions;
  positions.reserve(project.positions.size());
  for (const project::Position &position : project.positions) {
    positions.push_back({position.name.toStdString(), position.inputs});
  }
  return positions;
}

// "Tavrin 1.0.0 植筋工程计算书　工程名称：…　部位：…", the parts left out that are not given.
QString runningHead(const CalculationNote &note, const QString &project, const QString &position = {}) {
  QString head = q(note.title);
  if (!project.trimmed().isEmpty()) {
    head += QStringLiteral("　工程名称：") + project.trimmed();
  }
  if (!position.isEmpty()) {
    head += QStringLiteral("　部位：") + position;
  }
  return head;
}

} // namespace

ProjectDocument::ProjectDocument(const project::Project &project)
    : projectName_(project.name),
      note_(
          makeProjectNote({"Tavrin " TAVRIN_VERSION, QDate::currentDate().toString(Qt::ISODate).toStdString(),
                           project.name.trimmed().toStdString()},
                          positionsOf(project))) {}

std::vector<NotePart> ProjectDocument::parts() const {
  std::vector<NotePart> parts{{&note_.cover, runningHead(note_.cover, projectName_)},
                              {&note_.summary, runningHead(note_.summary, projectName_)}};
  for (const PositionNote &position : note_.positions) {
    parts.push_back({&position.note, runningHead(position.note, projectName_, q(position.name))});
  }
  return parts;
}

void ProjectDocument::paint(QPagedPaintDevice &device) const {
  paintNotes(parts(), device);
}

QString ProjectDocument::writePdf(const QString &path) const {
  return writeNotesPdf(parts(), q(note_.cover.title), path);
}

QString ProjectDocument::writeCsv(const QString &path) const {
  const std::string text = depthSummaryCsv(note_.summary.sections.front().table.value());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !file.commit()) {
    return file.errorString();
  }
  return {};
}

} // namespace tavrin
