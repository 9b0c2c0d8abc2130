#pragma once

// The one header a caller needs: the records, the conversions, every stage and the whole run.
#include "calc/anchorage_length.h"
#include "calc/bond_strength.h"
#include "calc/conversions.h"
#include "calc/influence_factors.h"
#include "calc/records.h"
#include "calc/splitting_factor.h"

#include <functional>
#include <optional>
#include <string>

namespace tavrin {

// The values of a run, in the order the run stores them.
enum class Quantity : std::uint8_t { Fbd, PsiBr, PsiW, PsiT, PsiN, Aspt, Fy, Ls, PsiAe, Ld };

// The stored value of a quantity as a display shows it: formatSingle of the single, fy as an integer.
std::string formatQuantity(Quantity quantity, const AnchorageResult &result);

// Lets the caller see each value the moment it is stored, so a display can be written before a later
// stage refuses the input.
struct RunObserver {
  std::function<void(Quantity, const AnchorageResult &)> stored;
  // The moisture entry's text was raised to its floor; called after ψbr and before ψw is stored.
  std::function<void(const std::string &correctedText)> moistureCorrected;
};

// Runs every stage in order, updating result in place and stopping at the first rejection, which it
// returns. Values the run does not reach keep what the previous run left.
std::optional<InputRejection> calculateAnchorage(const AnchorageInput &input, AnchorageResult &result,
                                                 const RunObserver &observer = {});

} // namespace tavrin
