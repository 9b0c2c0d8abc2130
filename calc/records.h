#pragma once

#include "calc/decisions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

// A list selection: the signed 16-bit index (-1 when nothing is chosen) and the item text as shown.
struct ListChoice {
  std::int16_t index = -1;
  std::string text;

  friend bool operator==(const ListChoice &, const ListChoice &) = default;
};

// A typed entry that the window shows only in some states; its text is kept while hidden.
struct OptionalEntry {
  std::string text;
  bool shown = false;

  friend bool operator==(const OptionalEntry &, const OptionalEntry &) = default;
};

// What the calculation reads from the window: list choices as indices, typed values as raw text.
// The lists' items are in calc/lists.h.
struct AnchorageInput {
  ListChoice concreteGrade;
  std::int16_t coverThickness = -1;
  ListChoice barDiameter; // bar diameter d in mm
  std::int16_t steelGrade = -1;
  std::int16_t adhesiveGrade = -1;
  std::string barSpacing;   // s in mm
  std::string edgeDistance; // c in mm
  std::int16_t memberState = -1;
  std::string moistureFactor;      // hole-wall moisture factor
  OptionalEntry temperatureFactor; // shown for a service temperature above 60 ℃
  OptionalEntry userBondStrength;  // shown for plain bars
  std::int16_t stirrupDiameter = -1;
  std::int16_t seismicIntensity = -1;
  std::int16_t siteCategory = -1;

  friend bool operator==(const AnchorageInput &, const AnchorageInput &) = default;
};

// A worked-out value and whether the latest run reached it. A value the run did not reach keeps what
// the previous run left (0 before the first run).
template <typename T> struct Reached {
  T value{};
  bool reached = false;
};

// What a run yields once it has worked out ld.
struct RunCompletion {
  MinimumAnchorage lmin;           // minimum lengths beside ld
  std::vector<CodeNotice> notices; // the cases the design code does not allow
  AdoptedDepth adopted;            // the depth for the drawing
};

struct AnchorageResult {
  Reached<float> fbd;       // design bond strength of the adhesive, N/mm²
  Reached<float> psiBr;     // member stress-state factor ψbr
  Reached<float> psiW;      // hole-wall moisture factor
  Reached<float> psiT;      // temperature factor
  Reached<float> psiN;      // anchorage capacity correction factor ψN
  Reached<float> aspt;      // concrete splitting factor
  Reached<std::int16_t> fy; // design strength of the bar steel, N/mm²
  Reached<float> ls;        // basic anchorage depth, mm
  Reached<float> psiAe;     // displacement correction factor ψae
  Reached<float> ld;        // design anchorage length, mm
  // What only a completed run yields: none while the latest run stopped early, so that nothing of an earlier
  // run is read as this one's.
  std::optional<RunCompletion> completed;
  RunDecisions decided; // how the latest run chose its table values, as far as it got
};

// The typed entries a rejection can clear or focus.
enum class Entry : std::uint8_t {
  None,
  BarSpacing,        // Text1
  EdgeDistance,      // Text2
  MoistureFactor,    // Text3
  TemperatureFactor, // Text4
  UserBondStrength,  // Text5
};

// An input the calculation refuses: the run ends in order and the window reports the message.
struct InputRejection {
  std::string message;
  Entry cleared = Entry::None;
  Entry focused = Entry::None;

  friend bool operator==(const InputRejection &, const InputRejection &) = default;
};

// The concrete grade number: the last two characters of the grade text (trailing blanks removed),
// read leniently: C25 gives 25, and the top grade, at or above C60, gives 60.
double gradeNumber(const AnchorageInput &input);

} // namespace tavrin
