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

// The least value a typed entry takes.
enum class Least : std::uint8_t {
  Any,       // the moisture factor, raised to its floor before it is read
  AboveZero, // a strength: 0 or less would make the length vanish or turn negative
  One,       // a factor that lengthens the anchorage: below 1 it would shorten it
};

// A factor or strength the user types, with the words its messages use.
struct TypedEntry {
  std::string_view caption;      // "温度影响系数": gives "…必须是数值", "…不能小于1"
  std::string_view emptyMessage; // the message for a blank entry
  Entry entry;                   // focused on every rejection; never cleared
  Least least;
};

// Reads a typed value strictly into single precision, refusing a blank entry, a text that is not a
// number, a value below its least (judged on the stored single, so a value too small for single precision
// counts as 0) and a value beyond the single range.
StageOutcome<float> readTypedValue(const std::string &text, const TypedEntry &typed);
// The same for a text strictDouble has read already, to the given value.
StageOutcome<float> typedValue(const std::string &text, std::optional<double> read, const TypedEntry &typed);

} // namespace tavrin
