#pragma once

#include "calc/project_note.h"
#include "form/note_pages.h"
#include "project/project.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;

namespace tavrin {

// The project's 计算书 and its depth table, made from the inputs of every position, each run afresh: as the
// window prints and exports them and as the command line writes them.
class ProjectDocument {
public:
  // Made today, by this program.
  explicit ProjectDocument(const project::Project &project);

  const ProjectNote &note() const { return note_; }
  // The cover and the summary under the project's running head, each position's note under one that also
  // names its 部位, pages numbered through the whole.
  void paint(QPagedPaintDevice &device) const;
  // Each written by way of a file beside path, renamed over it only once complete. Empty on success,
  // otherwise why it failed.
  QString writePdf(const QString &path) const;
  // The summary table as CSV: UTF-8 with a byte-order mark, a header row, CRLF line ends.
  QString writeCsv(const QString &path) const;

private:
  std::vector<NotePart> parts() const;

  QString projectName_;
  ProjectNote note_;
};

} // namespace tavrin
