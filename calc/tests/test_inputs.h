#pragma once

#include "calc/anchorage.h"

#include <array>
#include <variant>

namespace tavrin::testing {

// The window's opening inputs: C25, cover 30, d 16, HRB335, A-grade adhesive, spacing 100, edge 50,
// other members, moisture 1.1, up to 60 ℃, stirrup >=8, intensity 6, site I、II.
inline AnchorageInput defaultInput() {
  AnchorageInput input;
  input.concreteGrade = {1, "C25"};
  input.coverThickness = 1;
  input.barDiameter = {5, "16"};
  input.steelGrade = 1;
  input.adhesiveGrade = 0;
  input.barSpacing = "100";
  input.edgeDistance = "50";
  input.memberState = 2;
  input.moistureFactor = "1.1";
  input.stirrupDiameter = 1;
  input.seismicIntensity = 1;
  input.siteCategory = 0;
  return input;
}

inline constexpr std::array<const char *, 8> concreteGrades = {"C20", "C25", "C30", "C40",
                                                               "C45", "C50", "C55", "≥C60"};

inline void setConcreteGrade(AnchorageInput &input, std::int16_t index) {
  input.concreteGrade = {index,
                         index >= 0 && index < 8 ? concreteGrades.at(static_cast<std::size_t>(index)) : ""};
}

// The value of a stage outcome, or the rejection's message as text for a readable failure.
template <typename T> std::string describe(const StageOutcome<T> &outcome) {
  if (const auto *rejection = std::get_if<InputRejection>(&outcome)) {
    return "rejected: " + rejection->message;
  }
  return formatSingle(static_cast<float>(std::get<T>(outcome)));
}

} // namespace tavrin::testing
