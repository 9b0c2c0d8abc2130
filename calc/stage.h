#pragma once

#include "calc/records.h"

#include <variant>

namespace tavrin {

// What a stage yields: its value, or the rejection that ends the run.
template <typename T> using StageOutcome = std::variant<T, InputRejection>;

// The rejection for a product or quotient that leaves the single range (or divides by zero).
InputRejection outOfRangeRejection();

} // namespace tavrin
