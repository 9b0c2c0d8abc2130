#include "calc/anchorage_length.h"

#include "calc/conversions.h"
#include "calc/lists.h"

#include <algorithm>
#include <array>

namespace tavrin {
namespace {

// Design strength of the bar steel, N/mm², by steel grade: plain bars 210, the two ribbed grades 300 and 360.
struct SteelGradeFy {
  std::int16_t item;
  std::int16_t fy;
};
constexpr std::array<SteelGradeFy, 3> fyBySteelGrade{{
    {lists::plainBarsHPB235, 210},
    {lists::ribbedBarsHRB335, 300},
    {lists::ribbedBarsHRB400, 360},
}};

using lists::intensity7, lists::intensity8OrMore, lists::intensityUpTo5, lists::siteIIIOrIV;

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
  const SteelGradeFy *row = lists::rowFor(fyBySteelGrade, steelGrade);
  if (row == nullptr) {
    return InputRejection{"钢筋强度等级不能为空值", Entry::None, Entry::None};
  }
  return row->fy;
}

StageOutcome<float> computeLs(float aspt, double d, std::int16_t fy, float fbd) {
  return stored(finiteQuotient(static_cast<double>(aspt) * depthFactor * d * fy, fbd));
}

DisplacementFactor computePsiAe(const AnchorageInput &input, double z) {
  // Concrete above C30 needs no allowance for displacement, nor does an intensity of 5 or less.
  if (z > 30) {
    return {1.0F, DisplacementRule::ConcreteAboveC30};
  }
  if (input.seismicIntensity == intensityUpTo5) {
    return {1.0F, DisplacementRule::IntensityUpTo5};
  }
  if (input.seismicIntensity == intensity8OrMore) {
    return {1.25F, DisplacementRule::Intensity8OrMore};
  }
  if (input.seismicIntensity == intensity7 && input.siteCategory == siteIIIOrIV) {
    return {1.25F, DisplacementRule::Intensity7SoftSite};
  }
  return {1.1F, DisplacementRule::ModerateIntensity};
}

StageOutcome<float> computeLd(float psiN, float psiAe, float ls) {
  return stored(static_cast<double>(psiN) * psiAe * ls);
}

StageOutcome<MinimumAnchorage> computeLmin(float ls, double d, std::int16_t memberState) {
  const bool cantilever = memberState == lists::cantilever;
  const auto lmin = [&](MinimumAnchorageRule rule) {
    const double least = std::max({rule.lsShare * ls, minimumDiameters * d, minimumLength});
    return storeSingle(cantilever ? least * cantileverMinimumFactor : least);
  };
  const std::optional<float> tension = lmin(tensionMinimum);
  const std::optional<float> compression = lmin(compressionMinimum);
  if (!tension || !compression) {
    return outOfRangeRejection();
  }
  return MinimumAnchorage{*tension, *compression, cantilever};
}

} // namespace tavrin
