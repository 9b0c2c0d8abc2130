#include "calc/anchorage.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tavrin {
namespace {

// Where each single-precision quantity is stored; fy, the one integer, stands apart.
struct SingleSlot {
  Quantity quantity;
  Reached<float> AnchorageResult::*member;
};
constexpr std::array<SingleSlot, 9> singleSlots{{
    {Quantity::Fbd, &AnchorageResult::fbd},
    {Quantity::PsiBr, &AnchorageResult::psiBr},
    {Quantity::PsiW, &AnchorageResult::psiW},
    {Quantity::PsiT, &AnchorageResult::psiT},
    {Quantity::PsiN, &AnchorageResult::psiN},
    {Quantity::Aspt, &AnchorageResult::aspt},
    {Quantity::Ls, &AnchorageResult::ls},
    {Quantity::PsiAe, &AnchorageResult::psiAe},
    {Quantity::Ld, &AnchorageResult::ld},
}};

void forgetReached(AnchorageResult &result) {
  for (const SingleSlot &slot : singleSlots) {
    (result.*slot.member).reached = false;
  }
  result.fy.reached = false;
}

// Walks the stages in order, storing each value in the caller's result and announcing it at once.
class Run {
public:
  Run(AnchorageResult &result, const RunObserver &observer) : result_(result), observer_(observer) {}

  template <typename T> void store(Reached<T> &slot, Quantity quantity, T value) {
    slot.value = value;
    slot.reached = true;
    if (observer_.stored) {
      observer_.stored(quantity, result_);
    }
  }

  // Stores the stage's value and returns true, or keeps the rejection and returns false.
  template <typename T> bool take(StageOutcome<T> outcome, Reached<T> &slot, Quantity quantity) {
    if (auto *rejection = std::get_if<InputRejection>(&outcome)) {
      rejection_ = std::move(*rejection);
      return false;
    }
    store(slot, quantity, std::get<T>(outcome));
    return true;
  }

  void moistureCorrected() const {
    if (observer_.moistureCorrected) {
      observer_.moistureCorrected(formatDouble(moistureFloor));
    }
  }

  std::optional<InputRejection> &rejection() { return rejection_; }

private:
  AnchorageResult &result_;
  const RunObserver &observer_;
  std::optional<InputRejection> rejection_;
};

bool runInfluenceFactors(const AnchorageInput &input, AnchorageResult &r, Run &run) {
  run.store(r.psiBr, Quantity::PsiBr, computePsiBr(input.memberState));
  auto moisture = computePsiW(input.moistureFactor);
  if (auto *rejection = std::get_if<InputRejection>(&moisture)) {
    run.rejection() = std::move(*rejection);
    return false;
  }
  const MoistureFactor psiW = std::get<MoistureFactor>(moisture);
  if (psiW.corrected) {
    run.moistureCorrected();
  }
  run.store(r.psiW, Quantity::PsiW, psiW.psiW);
  return run.take(computePsiT(input.temperatureFactor), r.psiT, Quantity::PsiT) &&
         run.take(computePsiN(r.psiW.value, r.psiBr.value, r.psiT.value), r.psiN, Quantity::PsiN);
}

bool runAnchorageLength(const AnchorageInput &input, AnchorageResult &r, Run &run) {
  return run.take(computeFy(input.steelGrade), r.fy, Quantity::Fy) &&
         run.take(computeLs(r.aspt.value, input.barDiameter.text, r.fy.value, r.fbd.value), r.ls,
                  Quantity::Ls) &&
         run.take(StageOutcome<float>{computePsiAe(input)}, r.psiAe, Quantity::PsiAe) &&
         run.take(computeLd(r.psiN.value, r.psiAe.value, r.ls.value), r.ld, Quantity::Ld);
}

} // namespace

std::string formatQuantity(Quantity quantity, const AnchorageResult &result) {
  const auto *slot = std::ranges::find(singleSlots, quantity, &SingleSlot::quantity);
  return slot == singleSlots.end() ? formatInteger(result.fy.value)
                                   : formatSingle((result.*slot->member).value);
}

std::optional<InputRejection> calculateAnchorage(const AnchorageInput &input, AnchorageResult &result,
                                                 const RunObserver &observer) {
  forgetReached(result);
  Run run(result, observer);
  if (run.take(computeFbd(input), result.fbd, Quantity::Fbd) && runInfluenceFactors(input, result, run)) {
    run.store(result.aspt, Quantity::Aspt,
              computeAspt(input.barDiameter.text, input.coverThickness, input.stirrupDiameter));
    runAnchorageLength(input, result, run);
  }
  return std::move(run.rejection());
}

} // namespace tavrin
