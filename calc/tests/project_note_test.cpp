#include "calc/project_note.h"

#include "calc/lists.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavrin {
namespace {

bool hasHeading(const CalculationNote &note, std::string_view start) {
  return std::ranges::any_of(note.sections,
                             [&](const NoteSection &s) { return s.heading.starts_with(start); });
}

bool hasParagraph(const CalculationNote &note, std::string_view start) {
  return std::ranges::any_of(note.sections, [&](const NoteSection &section) {
    return std::ranges::any_of(section.paragraphs,
                               [&](const std::string &p) { return p.starts_with(start); });
  });
}

// A clean position, one the design code does not allow (above 60 ℃, with ψT 1 its numbers are the clean
// one's) and one refused by its spacing, each a row of the one summary, in the project's order.
TEST(ProjectNote, SummarisesEveryPositionInOneTable) {
  InputState hot = defaultInputState();
  hot.serviceTemperature = lists::above60Celsius, hot.temperatureFactor = "1";
  InputState close = defaultInputState();
  close.barSpacing = "50";
  const std::vector<PositionInputs> positions{
      {"一层柱 KZ1", defaultInputState()}, {"屋面梁 WKL2", hot}, {"楼梯平台 PTB", close}};

  const std::vector<std::vector<std::string>> rows{
      {"1", "一层柱 KZ1", "C25", "HRB335", "16", "A级胶", "430.2222", "160", "440（27.5d）", "可用于施工图"},
      {"2", "屋面梁 WKL2", "C25", "HRB335", "16", "A级胶", "430.2222", "160", "440（27.5d）",
       "不得用于施工图（第15.1.6条）"},
      {"3", "楼梯平台 PTB", "C25", "HRB335", "16", "A级胶", "—", "—", "—",
       "未能计算：植筋间距不能小于植筋直径的5倍"},
  };
  const ProjectNote note = makeProjectNote({"Tavrin 1.0.0", "2026-12-09", "某办公楼加固"}, positions);
  EXPECT_EQ(note.summary.sections.at(0).table->rows, rows);
  EXPECT_EQ(depthSummary(positions).rows, rows);

  // The lines to sign stand once, on the cover; the positions' notes leave them and the appendix out.
  EXPECT_TRUE(hasParagraph(note.cover, "部位数：3"));
  EXPECT_TRUE(hasParagraph(note.cover, "审核："));
  ASSERT_EQ(note.positions.size(), 3U);
  for (const PositionNote &position : note.positions) {
    EXPECT_TRUE(hasParagraph(position.note, "构件（部位）：" + position.name));
    EXPECT_FALSE(hasParagraph(position.note, "审核：") || hasHeading(position.note, "附录")) << position.name;
  }
  EXPECT_TRUE(hasParagraph(note.positions[0].note, "施工图植筋锚固深度取 440 mm"));
  EXPECT_TRUE(hasParagraph(note.positions[2].note, "未能计算：植筋间距不能小于植筋直径的5倍"));
}

} // namespace
} // namespace tavrin
