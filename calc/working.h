#pragma once

#include "calc/anchorage.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// How a shown value came about, for a checking engineer: in Chinese, with the window's symbols and every
// number as the window shows it, the formula in the order the calculation evaluates it, and what each
// factor was read from ("ld = ψN × ψae × ls = 1.1 × 1.1 × 355.5555 = 430.2222"). Reads the inputs of the
// run and the values it has stored so far, so it is asked the moment the quantity is stored. Empty for
// ψw, ψT and fy, which are shown nowhere: their working is part of ψN's and ls's.
std::string workingOf(Quantity quantity, const AnchorageInput &input, const AnchorageResult &result);

// The bar diameter that the result box repeats beside ld, as selected.
std::string barDiameterWorking(const AnchorageInput &input);

// "GB 50367-2013 第15.1.5条：…", or "本程序：…" for the program's own notice: a notice as the message box,
// the working of ld and the note state it.
std::string noticeLine(const CodeNotice &notice);
inline constexpr std::string_view noticesHeading = "规范提示";

// "构造条件（s ≥ 5d、c ≥ 2.5d）", from the minimum ratios the check applies.
std::string constructionCondition();
// The formulas as the workings, the note and the manual write them.
std::string lsFormula(); // "0.2 × αspt × d × fy / fbd", the order the calculation multiplies in
inline constexpr std::string_view ldFormula = "ψN × ψae × ls";

// "取用植筋锚固深度 = 440 mm（27.5d）：ld = 430.2222 mm ≥ lmin = 213.3333 mm，取 ld，按 10 mm 向上取整"
inline constexpr std::string_view adoptedDepthName = "取用植筋锚固深度";
std::string adoptedDepthLine(const AdoptedDepth &adopted);
// Its parts: "440 mm（27.5d）" and what it was taken from, "ld = 430.2222 mm ≥ lmin = …，取 ld，按 10 mm
// 向上取整".
std::string adoptedDepthText(const AdoptedDepth &adopted);
std::string adoptedDepthBasis(const AdoptedDepth &adopted);

// "ld = ψN × ψae × ls = 1.1 × 1.1 × 355.5555 = 430.2222 mm": ld's own line of its working.
std::string ldEquation(const AnchorageResult &result);
// The minimum anchorage lengths of a completed run, tension then compression, each with its working.
std::vector<std::string> lminLines(const AnchorageResult &result);

// The heading of the minimum anchorage lengths, with the clause that sets them.
inline constexpr std::string_view lminHeading =
    "按构造要求植筋的最小锚固长度 lmin（GB 50367-2013 第15.3.1条）";

// The parts with the separator between them.
std::string joined(const std::vector<std::string> &parts, std::string_view separator);
// The list items write ">=8" and "<=5" for want of the signs; text a checker reads writes the signs.
std::string withSigns(std::string text);

} // namespace tavrin
