#include "calc/project_note.h"

#include "calc/adopted_depth.h"
#include "calc/anchorage.h"
#include "calc/csv.h"
#include "calc/lists.h"
#include "calc/working.h"

#include <optional>

namespace tavrin {
namespace {

// A position run once, for its row and its note alike.
struct PositionRun {
  const PositionInputs *position;
  AnchorageInput input;
  AnchorageResult result;
  std::optional<InputRejection> rejection;
};

PositionRun run(const PositionInputs &position) {
  PositionRun done{&position, anchorageInputOf(position.inputs), {}, {}};
  done.rejection = calculateAnchorage(done.input, done.result);
  return done;
}

std::vector<PositionRun> runAll(std::span<const PositionInputs> positions) {
  std::vector<PositionRun> runs;
  runs.reserve(positions.size());
  for (const PositionInputs &position : positions) {
    runs.push_back(run(position));
  }
  return runs;
}

// 可用于施工图; 不得用于施工图 with the clauses the run did not meet; 未能计算 with the refusal.
std::string conclusion(const PositionRun &done) {
  if (done.rejection) {
    return "未能计算：" + done.rejection->message;
  }
  const std::vector<CodeNotice> &notices = done.result.completed->notices;
  if (notices.empty()) {
    return "可用于施工图";
  }
  std::vector<std::string> clauses;
  for (const CodeNotice &notice : notices) {
    clauses.push_back(notice.clause.empty() ? std::string("本程序提示")
                                            : "第" + std::string(notice.clause) + "条");
  }
  return "不得用于施工图（" + joined(clauses, "、") + "）";
}

std::vector<std::string> summaryRow(std::size_t number, const PositionRun &done) {
  const AnchorageInput &input = done.input;
  std::vector<std::string> row{std::to_string(number),
                               done.position->name,
                               itemText(lists::concreteGrade, input.concreteGrade.index),
                               itemText(lists::steelGrade, input.steelGrade),
                               itemText(lists::barDiameter, input.barDiameter.index),
                               itemText(lists::adhesiveGrade, input.adhesiveGrade)};
  if (done.rejection) {
    row.insert(row.end(), 3, std::string(notWorkedOut));
  } else {
    const RunCompletion &completed = *done.result.completed;
    row.push_back(formatQuantity(Quantity::Ld, done.result));
    row.push_back(formatSingle(completed.lmin.tension));
    row.push_back(formatDouble(completed.adopted.depth) + "（" + diametersText(completed.adopted.diameters) +
                  "）");
  }
  row.push_back(conclusion(done));
  return row;
}

NoteTable summaryTable(const std::vector<PositionRun> &runs) {
  NoteTable table{{"序号", "部位", "混凝土强度等级", "钢筋", "d（mm）", "胶粘剂", "ld（mm）",
                   "受拉 lmin（mm）", std::string(adoptedDepthName) + "（mm）", "结论"},
                  {6, 12, 8, 9, 8, 7, 11, 9, 12, 18},
                  {},
                  false};
  for (std::size_t i = 0; i < runs.size(); ++i) {
    table.rows.push_back(summaryRow(i + 1, runs[i]));
  }
  return table;
}

CalculationNote coverOf(const ProjectNoteHead &head, std::size_t positions) {
  const std::string project = head.project.empty() ? std::string(blankToFill) : head.project;
  return {head.program + " 植筋工程计算书",
          {{{},
            {"工程名称：" + project, "计算日期：" + head.date, "计算程序：" + head.program,
             "部位数：" + std::to_string(positions),
             "计算依据：GB 50367-2013《混凝土结构加固设计规范》第15章 植筋技术。",
             "本计算书由封面、" + std::string(depthSummaryTitle) +
                 "和各部位的计算书组成；各部位均按其输入重新计算，页码全书连续。"},
            {}},
           signatureSection()}};
}

CalculationNote summaryOf(const ProjectNoteHead &head, const std::vector<PositionRun> &runs) {
  return {head.program + " 植筋工程计算书",
          {{std::string(depthSummaryTitle),
            {"“结论”为“可用于施工图”的部位，施工图按“" + std::string(adoptedDepthName) +
             "”采用；其他部位须修改输入后重新计算，见各部位的计算书。"},
            summaryTable(runs)}}};
}

CalculationNote positionNote(const ProjectNoteHead &head, const PositionRun &done) {
  const NoteHead noteHead{head.program, head.date, head.project, done.position->name};
  return done.rejection ? makeRefusalNote(done.input, done.result, *done.rejection, noteHead)
                        : makeCalculationNote(done.input, done.result, noteHead, NoteUse::InProject);
}

} // namespace

ProjectNote makeProjectNote(const ProjectNoteHead &head, std::span<const PositionInputs> positions) {
  const std::vector<PositionRun> runs = runAll(positions);
  ProjectNote note{coverOf(head, positions.size()), summaryOf(head, runs), {}};
  note.positions.reserve(runs.size());
  for (const PositionRun &done : runs) {
    note.positions.push_back({done.position->name, positionNote(head, done)});
  }
  return note;
}

NoteTable depthSummary(std::span<const PositionInputs> positions) {
  return summaryTable(runAll(positions));
}

std::string depthSummaryCsv(const NoteTable &summary) {
  std::string text = std::string(csv::byteOrderMark) + csv::line(summary.headings);
  for (const std::vector<std::string> &row : summary.rows) {
    text += csv::line(row);
  }
  return text;
}

} // namespace tavrin
