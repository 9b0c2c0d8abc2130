#pragma once

#include "calc/stage.h"

namespace tavrin {

// Design bond strength fbd, N/mm²: the typed value while the user entry is shown, otherwise the
// spacing and edge checks and the table by concrete grade, adhesive grade and construction band.
StageOutcome<float> computeFbd(const AnchorageInput &input);

} // namespace tavrin
