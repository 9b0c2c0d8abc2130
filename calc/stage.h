#pragma once

#include "calc/records.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tavrin {

// What a stage yields: its value, or the rejection that ends the run.
template <typename T> using StageOutcome = std::variant<T, InputRejection>;

// The rejection for a product or quotient that leaves the single range (or divides by zero).
InputRejection outOfRangeRejection();

// numerator / denominator in double; nullopt for a zero denominator or a quotient that is not finite.
std::optional<double> finiteQuotient(double numerator, double denominator);

// A factor or strength the user types, with the words its messages use.
struct TypedEntry {
  std::string_view caption;      // "温度影响系数": gives "…必须是数值", "…必须大于0"
  std::string_view emptyMessage; // the message for a blank entry
  Entry entry;                   // focused on every rejection; never cleared
  bool mustBePositive;
};

// Reads a typed value strictly into single precision, refusing a blank entry, a text that is not a
// number, a value of 0 or less where it must be positive (judged on the stored single, so a value too
// small for single precision counts as 0) and a value beyond the single range.
StageOutcome<float> readTypedValue(const std::string &text, const TypedEntry &typed);

} // namespace tavrin
