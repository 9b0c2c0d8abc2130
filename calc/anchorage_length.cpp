#include "calc/anchorage_length.h"

#include "calc/conversions.h"

#include <array>

namespace tavrin {
namespace {

// Design strength of the bar steel, N/mm², for "HPB235", "HRB335", "HRB400".
constexpr std::array<std::int16_t, 3> fyBySteelGrade{210, 300, 360};

constexpr std::int16_t intensityUpTo5 = 0;
constexpr std::int16_t intensity7 = 2;
constexpr std::int16_t intensity8OrMore = 3;
constexpr std::int16_t siteIIIOrIV = 1;

StageOutcome<float> stored(std::optional<double> value) {
  const std::optional<float> single = value ? storeSingle(*value) : std::nullopt;
  if (!single) {
    return outOfRangeRejection();
  }
  return *single;
}

} // namespace

StageOutcome<std::int16_t> computeFy(std::int16_t steelGrade) {
  // Without a steel grade there is no design strength; an earlier run's value must not stand in for it.
  if (steelGrade < 0 || static_cast<std::size_t>(steelGrade) >= fyBySteelGrade.size()) {
    return InputRejection{"钢筋强度等级不能为空值", Entry::None, Entry::None};
  }
  return fyBySteelGrade.at(static_cast<std::size_t>(steelGrade));
}

StageOutcome<float> computeLs(float aspt, const std::string &barDiameterText, std::int16_t fy, float fbd) {
  const double d = lenientNumber(barDiameterText);
  return stored(finiteQuotient(static_cast<double>(aspt) * depthFactor * d * fy, fbd));
}

float computePsiAe(const AnchorageInput &input) {
  // Concrete above C30 needs no allowance for displacement, nor does an intensity of 5 or less.
  if (gradeNumber(input) > 30 || input.seismicIntensity == intensityUpTo5) {
    return 1.0F;
  }
  if (input.seismicIntensity == intensity8OrMore ||
      (input.seismicIntensity == intensity7 && input.siteCategory == siteIIIOrIV)) {
    return 1.25F;
  }
  return 1.1F;
}

StageOutcome<float> computeLd(float psiN, float psiAe, float ls) {
  return stored(static_cast<double>(psiN) * psiAe * ls);
}

} // namespace tavrin
