#pragma once

#include "calc/anchorage.h"

#include <string>

namespace tavrin {

// How a shown value came about, for a checking engineer: in Chinese, with the window's symbols and every
// number as the window shows it, the formula in the order the calculation evaluates it, and what each
// factor was read from ("ld = ψN × ψae × ls = 1.1 × 1.1 × 355.5555 = 430.2222"). Reads the inputs of the
// run and the values it has stored so far, so it is asked the moment the quantity is stored. Empty for
// ψw, ψT and fy, which are shown nowhere: their working is part of ψN's and ls's.
std::string workingOf(Quantity quantity, const AnchorageInput &input, const AnchorageResult &result);

// The bar diameter that the result box repeats beside ld, as selected.
std::string barDiameterWorking(const AnchorageInput &input);

} // namespace tavrin
