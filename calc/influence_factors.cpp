#include "calc/influence_factors.h"

#include "calc/conversions.h"
#include "calc/lists.h"

#include <array>

namespace tavrin {
namespace {

// ψbr by member stress state: cantilevers 1.5, other important members 1.15, the rest 1.0.
struct MemberStatePsiBr {
  std::int16_t item;
  float psiBr;
};
constexpr std::array<MemberStatePsiBr, 2> psiBrByMemberState{{
    {lists::cantilever, 1.5F},
    {lists::importantMember, 1.15F},
}};
constexpr float psiBrOtherwise = 1.0F;
constexpr float psiTForNormalTemperature = 1.0F;

constexpr TypedEntry moistureEntry{"混凝土孔壁潮湿影响系数", "混凝土孔壁潮湿影响系数不能为空值",
                                   Entry::MoistureFactor, Least::Any};
// ψT lengthens the anchorage for a high service temperature. A factor below 1 (a bond-strength reduction
// factor from an adhesive's data, typed where its reciprocal belongs) would shorten it: refused.
constexpr TypedEntry temperatureEntry{"温度影响系数", "温度影响系数不能为空值", Entry::TemperatureFactor,
                                      Least::One};

} // namespace

float computePsiBr(std::int16_t memberState) {
  const MemberStatePsiBr *row = lists::rowFor(psiBrByMemberState, memberState);
  return row != nullptr ? row->psiBr : psiBrOtherwise;
}

StageOutcome<MoistureFactor> computePsiW(const std::string &moistureText) {
  const std::optional<double> typed = strictDouble(moistureText);
  if (typed && *typed < moistureFloor) {
    return MoistureFactor{static_cast<float>(moistureFloor), true, *typed};
  }
  const StageOutcome<float> value = typedValue(moistureText, typed, moistureEntry);
  if (const auto *rejection = std::get_if<InputRejection>(&value)) {
    return *rejection;
  }
  return MoistureFactor{std::get<float>(value), false, *typed}; // read, so a number
}

StageOutcome<float> computePsiT(const OptionalEntry &temperatureFactor) {
  if (!temperatureFactor.shown) {
    return psiTForNormalTemperature;
  }
  return readTypedValue(temperatureFactor.text, temperatureEntry);
}

StageOutcome<float> computePsiN(float psiW, float psiBr, float psiT) {
  const std::optional<float> psiN = storeSingle(static_cast<double>(psiW) * psiBr * psiT);
  if (!psiN) {
    return outOfRangeRejection();
  }
  return *psiN;
}

} // namespace tavrin
