#pragma once

#include "calc/anchorage.h"
#include "calc/input_state.h"
#include "calc/lists.h"

#include <array>
#include <variant>

namespace tavrin::testing {

// A list choice as the window makes it: the index and the item text, empty where nothing is chosen.
inline ListChoice choiceOf(const ItemList &list, std::int16_t index) {
  const bool onList = index >= 0 && static_cast<std::size_t>(index) < list.items.size();
  return {index, onList ? std::string(list.items[static_cast<std::size_t>(index)]) : std::string()};
}

// The window's opening inputs, as a run reads them.
inline AnchorageInput defaultInput() {
  return anchorageInputOf(defaultInputState());
}

inline void setConcreteGrade(AnchorageInput &input, std::int16_t index) {
  input.concreteGrade = choiceOf(lists::concreteGrade, index);
}

// The value of a stage outcome, or the rejection's message as text for a readable failure.
template <typename T> std::string describe(const StageOutcome<T> &outcome) {
  if (const auto *rejection = std::get_if<InputRejection>(&outcome)) {
    return "rejected: " + rejection->message;
  }
  return formatSingle(static_cast<float>(std::get<T>(outcome)));
}

} // namespace tavrin::testing
