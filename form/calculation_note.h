#pragma once

#include <QString>

#include <vector>

namespace tavrin {

// One line of a calculation note: a caption as the window shows it, the value beside it, and for a result
// its working (lines separated by '\n').
struct NoteItem {
  QString caption;
  QString value;
  QString working;
};

// What Ctrl+Shift+C puts on the clipboard: the inputs and the results on view.
struct CalculationNote {
  std::vector<NoteItem> inputs;
  std::vector<NoteItem> results;
};

// One item a line, "caption value", working lines indented below their result: no column padding, so it
// reads the same in a proportional font as in a monospaced one.
QString noteText(const CalculationNote &note);
// The same as two tables, for word processors.
QString noteHtml(const CalculationNote &note);

} // namespace tavrin
