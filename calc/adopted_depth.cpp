#include "calc/adopted_depth.h"

#include "calc/conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace tavrin {

// The values a checker reads off the window.
AdoptedDepth adoptDepth(float ld, const MinimumAnchorage &lmin, double d) {
  AdoptedDepth adopted;
  adopted.ld = shownValue(ld);
  adopted.lmin = std::max(shownValue(lmin.tension), shownValue(lmin.compression));
  adopted.lminGoverns = adopted.lmin > adopted.ld;
  adopted.depth = std::ceil(std::max(adopted.ld, adopted.lmin) / depthStep) * depthStep;
  adopted.diameters = d > 0 ? adopted.depth / d : 0;
  return adopted;
}

// to_chars rather than printf: the process locale, which Qt sets from the desktop, may write a comma.
std::string diametersText(double diameters) {
  std::array<char, 32> digits{};
  const auto written =
      std::to_chars(digits.data(), digits.data() + digits.size(), diameters, std::chars_format::fixed, 1);
  return std::string(digits.data(), written.ptr) + "d";
}

} // namespace tavrin
