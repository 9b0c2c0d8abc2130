#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// Construction band by spacing and edge distance; wider bands bond better.
enum class Band : std::uint8_t { FiveD, SixD, SevenD };

// Grades C45 to ≥C60: a straight line in the grade number Z, ((Z - 40) / 20) × slope + base.
struct BondLine {
  double slope;
  double base;
};

// The cell of the bond-strength table an input reads once spacing and edge distance have passed their
// minimums: a fixed value, or for C45 to ≥C60 the line.
struct BondCell {
  bool byAdhesive = false;      // C20 and C25 bond alike with either adhesive and in every band
  std::optional<Band> band;     // the A grade from C30 up; the B grade bonds alike in every band
  std::optional<BondLine> line; // C45 to ≥C60
  double value = 0;             // the fixed value where there is no line
};

// The construction condition s ≥ 5d, c ≥ 2.5d as the check read it: lengths in mm and their ratios to d.
struct ConstructionCheck {
  double spacing = 0;
  double edge = 0;
  double spacingRatio = 0;
  double edgeRatio = 0;
};

// Which rule of the splitting table gave aspt.
enum class SplittingRule : std::uint8_t {
  ThinBar,     // d ≤ the cover's limit: no allowance
  TableCell,   // the cell for d, cover and stirrup
  OffTableBar, // a thick bar without a cell of its own
};

// Which rule gave ψae.
enum class DisplacementRule : std::uint8_t {
  ConcreteAboveC30,   // 1.0 whatever the intensity
  IntensityUpTo5,     // 1.0
  Intensity8OrMore,   // 1.25
  Intensity7SoftSite, // 7度 on a site of class III or IV: 1.25
  ModerateIntensity,  // 6度, or 7度 on a site of class I or II: 1.1
};

// What the run decided on its way, recorded as it went so that the working reads the decision rather
// than deriving it again.
struct RunDecisions {
  double d = 0;           // the bar diameter, mm, read from its text once for every stage
  double gradeNumber = 0; // Z of the concrete grade (C25 gives 25), read once fbd's checks have passed
  std::optional<ConstructionCheck> check; // none where fbd was typed
  std::optional<BondCell> bondCell;       // none where fbd was typed
  double typedMoisture = 0;               // the moisture factor as typed
  bool moistureFloorApplied = false;      // ψw raised to its floor
  SplittingRule splitting = SplittingRule::ThinBar;
  double thinBarLimit = 0;  // bars up to this diameter need no allowance in the chosen cover
  bool stirrupRead = false; // the chosen cover's cells depend on the stirrup
  DisplacementRule displacement = DisplacementRule::ModerateIntensity;
};

// A case GB 50367-2013 does not allow, found in the inputs of a completed run, or (without a clause) a
// value beyond what the program's own tables know. It changes no number: the designer decides.
struct CodeNotice {
  std::string_view clause; // "15.1.5"; empty for the program's own notice
  std::string text;        // what the clause asks for, in a sentence

  friend bool operator==(const CodeNotice &, const CodeNotice &) = default;
};

// Minimum anchorage lengths for bars planted by construction requirement, mm.
struct MinimumAnchorage {
  float tension = 0;
  float compression = 0;
  bool cantilever = false; // both multiplied by 1.5
};

// The depth that goes on the drawing: the largest of ld and lmin as the window shows them, rounded up to
// the next 10 mm.
struct AdoptedDepth {
  double depth = 0;         // mm, a multiple of 10
  double ld = 0;            // ld as shown, mm
  double lmin = 0;          // the larger lmin as shown, mm
  bool lminGoverns = false; // lmin exceeds ld
  double diameters = 0;     // depth / d
};

} // namespace tavrin
