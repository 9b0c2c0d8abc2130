#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace tavrin {

// One line of a calculation note: a caption as the window shows it (without its colon), the value with
// its unit, and for a result its working (lines separated by '\n').
struct NoteItem {
  QString caption;
  QString value;
  QString working;

  friend bool operator==(const NoteItem &, const NoteItem &) = default;
};

// The record of one completed run, which Ctrl+Shift+C puts on the clipboard: what the run used and what it
// worked out, nothing read from the window afterwards.
struct CalculationNote {
  QString date;                  // the day of the run, yyyy-MM-dd
  std::vector<NoteItem> inputs;  // as they entered the calculation
  std::vector<NoteItem> results; // in the order the run wrote them
  QString minimumLengthHeading;
  QStringList minimumLengths; // tension, then compression
  QStringList notices;        // the design code's notices; empty where there are none
  QString conclusion;
};

// The note as a 计算书: title, date, basis, inputs, results with their working, minimum lengths, notices,
// conclusion and the lines to sign. One item a line, "caption：value", working lines indented below their
// result: no column padding, so it reads the same in a proportional font as in a monospaced one.
QString noteText(const CalculationNote &note);
// The same content with tables, for word processors.
QString noteHtml(const CalculationNote &note);

} // namespace tavrin
