#pragma once

#include "calc/calculation_note.h"

#include <QPageLayout>
#include <QString>

#include <span>

class QPagedPaintDevice;

namespace tavrin {

// The note as plain text: one item a line, "caption：value", the working indented below its result; no
// column padding, so it reads the same in a proportional font as in a monospaced one.
QString noteText(const CalculationNote &note);
// The same content with tables that take the page's width in set shares, for word processors.
QString noteHtml(const CalculationNote &note);

// The note's page, printed or saved: A4 upright, 20 mm at the sides and 15 mm at head and foot.
QPageLayout notePageLayout();

// Lays the note out on the pages of a printer or PDF writer: under the running head of each page (the title
// and the project) and above "第 x 页 共 y 页".
void paintNote(const CalculationNote &note, const QString &runningHead, QPagedPaintDevice &device);

// A note with the running head of its pages: one part of a document.
struct NotePart {
  const CalculationNote *note;
  QString runningHead;
};
// Lays the parts out one after another, each from a new page under its own running head, the pages numbered
// "第 x 页 共 y 页" through the whole.
void paintNotes(std::span<const NotePart> parts, QPagedPaintDevice &device);
// Writes the parts as one A4 PDF titled title, each font embedded once, as writeNotePdf writes a note.
QString writeNotesPdf(std::span<const NotePart> parts, const QString &title, const QString &path);

// Writes the note as an A4 PDF to path, by way of a file beside it that is renamed only once it is complete.
// Empty on success, otherwise why it failed.
QString writeNotePdf(const CalculationNote &note, const QString &runningHead, const QString &path);

} // namespace tavrin
