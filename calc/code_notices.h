#pragma once

#include "calc/records.h"

#include <string_view>
#include <vector>

namespace tavrin {

// The cases among the inputs that GB 50367-2013 does not allow for post-installed bars, in the order of its
// clauses: plain bars (15.1.1), a cantilever in concrete below C25 (15.1.2), B-grade adhesive for bars
// above 22 mm (15.1.5), a long-term service temperature above 60 ℃ (15.1.6); then the program's own notice
// for a typed fbd above its table for the concrete grade. None changes a number: the run's fbd is given, and
// its bar diameter and grade number as it read them.
std::vector<CodeNotice> codeNotices(const AnchorageInput &input, const RunDecisions &decided, float fbd);

// The clauses a run checks, and what of each it checks, in the order of the notices.
struct CheckedClause {
  std::string_view clause;
  std::string part; // "钢筋种类（HPB235光圆钢筋不适用）"
};
std::vector<CheckedClause> checkedClauses();

} // namespace tavrin
