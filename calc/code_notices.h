#pragma once

#include "calc/records.h"

#include <vector>

namespace tavrin {

// The cases among the inputs that GB 50367-2013 does not allow for post-installed bars, in the order of its
// clauses: plain bars (15.1.1), a cantilever in concrete below C25 (15.1.2), B-grade adhesive for bars
// above 22 mm (15.1.5), a long-term service temperature above 60 ℃ (15.1.6). None changes a number.
std::vector<CodeNotice> codeNotices(const AnchorageInput &input);

} // namespace tavrin
