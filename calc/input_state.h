#pragma once

#include "calc/lists.h"
#include "calc/records.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tavrin {

// Everything the designer sets for one bar, as the window holds it: each list's chosen index (-1 for none)
// and each entry's text as typed. The two optional entries keep their text while they are hidden.
struct InputState {
  std::int16_t concreteGrade = -1;
  std::int16_t coverThickness = -1;
  std::int16_t barDiameter = -1;
  std::int16_t steelGrade = -1;
  std::int16_t adhesiveGrade = -1;
  std::string barSpacing;
  std::string edgeDistance;
  std::int16_t memberState = -1;
  std::string moistureFactor;
  std::int16_t serviceTemperature = -1;
  std::string temperatureFactor;
  std::string userBondStrength;
  std::int16_t stirrupDiameter = -1;
  std::int16_t seismicIntensity = -1;
  std::int16_t siteCategory = -1;

  friend bool operator==(const InputState &, const InputState &) = default;
};

// The inputs the window opens with and 返回默认值 restores: C25, cover 30, d 16, HRB335, A级胶, spacing 100,
// edge 50, 其他构件, moisture 1.1, ≤60℃, stirrup >=8, intensity 6, site I、II类; both optional entries empty.
InputState defaultInputState();

// The typed bond strength is asked for plain bars only; the temperature factor for every service
// temperature but the lowest (nothing chosen included).
bool asksUserBondStrength(const InputState &state);
bool asksTemperatureFactor(const InputState &state);

// What a run reads from these inputs, exactly as the window hands them over: a list's item text is empty
// where nothing is chosen, and an optional entry counts only while it is asked for.
AnchorageInput anchorageInputOf(const InputState &state);

// One input: its name (the field of AnchorageInput, and the key a project file gives it) and where it is
// held: the list it is chosen from, or the entry it is typed into.
struct InputField {
  std::string_view name;
  std::string_view caption;                  // as a message names it: "混凝土强度等级"
  const ItemList *list = nullptr;            // nullptr for a typed entry
  std::int16_t InputState::*index = nullptr; // for a list
  std::string InputState::*text = nullptr;   // for a typed entry
};

// All fifteen inputs, in the order a project file writes them.
std::span<const InputField> inputFields();

} // namespace tavrin
