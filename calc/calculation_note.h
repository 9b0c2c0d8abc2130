#pragma once

#include "calc/anchorage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

// A table of the note. Each cell's lines are separated by '\n'.
struct NoteTable {
  std::vector<std::string> headings;
  std::vector<int> shares; // each column's share of the page's width, per cent
  std::vector<std::vector<std::string>> rows;
  // As plain text a row reads "first：second" with the further cells indented below it; a labelled row
  // reads "first：heading cell，heading cell…" instead, for tables of many short columns.
  bool labelled = false;
};

// A section of the note: a heading (none where empty), paragraphs, and a table after them.
struct NoteSection {
  std::string heading;
  std::vector<std::string> paragraphs;
  std::optional<NoteTable> table;
};

// Who and what the note is for, as the user gave it; blank lines to fill by hand where not given.
struct NoteHead {
  std::string program; // "Tavrin 1.0.0"
  std::string date;    // the day of the run, yyyy-MM-dd
  std::string project; // 工程名称
  std::string member;  // 构件（部位）
};

// The calculation note (计算书) of one completed run, the one model that plain text, HTML, print and PDF
// render: head, basis and scope, inputs, results with their working, minimum lengths, notices, conclusion,
// the same conditions for every bar diameter, and the lines to sign.
struct CalculationNote {
  std::string title;
  std::vector<NoteSection> sections;
};

// Where a note stands: on its own, or as a position of a project's 计算书, which leaves out the appendix of
// every bar diameter (the project's summary table serves) and the lines to sign (on its cover, once).
enum class NoteUse : std::uint8_t { OnItsOwn, InProject };

// input and result are those of a completed run (result.completed is set).
CalculationNote makeCalculationNote(const AnchorageInput &input, const AnchorageResult &result,
                                    const NoteHead &head, NoteUse use = NoteUse::OnItsOwn);

// The note of a position in a project's 计算书 whose run was refused: its head, its inputs and the refusal,
// which the designer must settle before the position has a depth. result is the refused run's.
CalculationNote makeRefusalNote(const AnchorageInput &input, const AnchorageResult &result,
                                const InputRejection &rejection, const NoteHead &head);

// The lines for 计算、校对、审核, each with its date to fill by hand.
NoteSection signatureSection();

// A cell of a row that could not be worked out; plain text leaves such cells out.
inline constexpr std::string_view notWorkedOut = "—";

// The filler of a blank to write on by hand.
inline constexpr std::string_view blankToFill = "＿＿＿＿＿＿＿＿＿＿＿＿";

} // namespace tavrin
