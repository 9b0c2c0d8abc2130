#pragma once

#include "calc/calculation_note.h"
#include "calc/input_state.h"

#include <span>
#include <string>
#include <vector>

namespace tavrin {

// One position (部位) of a project as its 计算书 takes it: its name and its inputs as the window holds them.
struct PositionInputs {
  std::string name;
  InputState inputs;
};

// Who and what the project's 计算书 is for.
struct ProjectNoteHead {
  std::string program; // "Tavrin 1.0.0"
  std::string date;    // the day it is made, yyyy-MM-dd
  std::string project; // 工程名称
};

// A position's note with the position it is for.
struct PositionNote {
  std::string name;
  CalculationNote note;
};

// The project's 计算书: the cover (the project, date, program, count of positions and the lines to sign,
// once for the whole), the summary table 植筋锚固深度汇总表, then each position's note in the project's
// order. Every position is run afresh from its inputs, so nothing in it can be an earlier run's.
struct ProjectNote {
  CalculationNote cover;
  CalculationNote summary;
  std::vector<PositionNote> positions;
};

ProjectNote makeProjectNote(const ProjectNoteHead &head, std::span<const PositionInputs> positions);

// The summary table alone, a row per position (序号, 部位, 混凝土强度等级, 钢筋, d, 胶粘剂, ld, 受拉 lmin,
// 取用植筋锚固深度 with its multiple of d, 结论); a refused position is a row like any other.
NoteTable depthSummary(std::span<const PositionInputs> positions);

// The summary table as CSV for a spreadsheet or a CAD table: a byte-order mark, a header row, a row per
// position, CRLF line ends.
std::string depthSummaryCsv(const NoteTable &summary);

inline constexpr std::string_view depthSummaryTitle = "植筋锚固深度汇总表";

} // namespace tavrin
