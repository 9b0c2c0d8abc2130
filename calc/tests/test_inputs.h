#pragma once

#include "calc/anchorage.h"
#include "calc/lists.h"

#include <array>
#include <variant>

namespace tavrin::testing {

// A list choice as the window makes it: the index and the item text, empty where nothing is chosen.
inline ListChoice choiceOf(const ItemList &list, std::int16_t index) {
  const bool onList = index >= 0 && static_cast<std::size_t>(index) < list.items.size();
  return {index, onList ? std::string(list.items[static_cast<std::size_t>(index)]) : std::string()};
}

// The window's opening inputs: C25, cover 30, d 16, HRB335, A-grade adhesive, spacing 100, edge 50,
// other members, moisture 1.1, up to 60 ℃, stirrup >=8, intensity 6, site I、II.
inline AnchorageInput defaultInput() {
  AnchorageInput input;
  input.concreteGrade = choiceOf(lists::concreteGrade, lists::concreteGrade.defaultIndex);
  input.coverThickness = lists::coverThickness.defaultIndex;
  input.barDiameter = choiceOf(lists::barDiameter, lists::barDiameter.defaultIndex);
  input.steelGrade = lists::steelGrade.defaultIndex;
  input.adhesiveGrade = lists::adhesiveGrade.defaultIndex;
  input.barSpacing = "100";
  input.edgeDistance = "50";
  input.memberState = lists::memberState.defaultIndex;
  input.moistureFactor = "1.1";
  input.stirrupDiameter = lists::stirrupDiameter.defaultIndex;
  input.seismicIntensity = lists::seismicIntensity.defaultIndex;
  input.siteCategory = lists::siteCategory.defaultIndex;
  return input;
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
