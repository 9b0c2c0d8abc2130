#include "calc/anchorage.h"

#include "calc/adopted_depth.h"
#include "calc/code_notices.h"

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
  result.completed.reset();
  result.decided = {};
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

  // The stage's value, or nullptr where the stage refused the input, whose rejection the run keeps.
  template <typename T> T *accepted(StageOutcome<T> &outcome) {
    if (auto *rejection = std::get_if<InputRejection>(&outcome)) {
      rejection_ = std::move(*rejection);
      return nullptr;
    }
    return &std::get<T>(outcome);
  }

  // Stores the stage's value and returns true, or keeps the rejection and returns false.
  template <typename T> bool take(StageOutcome<T> outcome, Reached<T> &slot, Quantity quantity) {
    const T *value = accepted(outcome);
    if (value != nullptr) {
      store(slot, quantity, *value);
    }
    return value != nullptr;
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

bool runBondStrength(const AnchorageInput &input, AnchorageResult &r, Run &run) {
  auto outcome = computeFbd(input, r.decided.d);
  const BondStrength *found = run.accepted(outcome);
  if (found == nullptr) {
    return false;
  }
  r.decided.gradeNumber = found->gradeNumber;
  r.decided.check = found->check;
  r.decided.bondCell = found->cell;
  run.store(r.fbd, Quantity::Fbd, found->fbd);
  return true;
}

bool runInfluenceFactors(const AnchorageInput &input, AnchorageResult &r, Run &run) {
  run.store(r.psiBr, Quantity::PsiBr, computePsiBr(input.memberState));
  auto moisture = computePsiW(input.moistureFactor);
  const MoistureFactor *psiW = run.accepted(moisture);
  if (psiW == nullptr) {
    return false;
  }
  r.decided.typedMoisture = psiW->typed;
  r.decided.moistureFloorApplied = psiW->corrected;
  if (psiW->corrected) {
    run.moistureCorrected();
  }
  run.store(r.psiW, Quantity::PsiW, psiW->psiW);
  return run.take(computePsiT(input.temperatureFactor), r.psiT, Quantity::PsiT) &&
         run.take(computePsiN(r.psiW.value, r.psiBr.value, r.psiT.value), r.psiN, Quantity::PsiN);
}

void runSplittingFactor(const AnchorageInput &input, AnchorageResult &r, Run &run) {
  const SplittingFactor aspt = computeAspt(r.decided.d, input.coverThickness, input.stirrupDiameter);
  r.decided.splitting = aspt.rule;
  r.decided.thinBarLimit = aspt.thinBarLimit;
  r.decided.stirrupRead = aspt.stirrupRead;
  run.store(r.aspt, Quantity::Aspt, aspt.aspt);
}

// ld completes the run: the minimum lengths, the design code's notices and the adopted depth are in place
// before ld is announced, so that its working can name them.
bool runAnchorageLength(const AnchorageInput &input, AnchorageResult &r, Run &run) {
  if (!run.take(computeFy(input.steelGrade), r.fy, Quantity::Fy) ||
      !run.take(computeLs(r.aspt.value, r.decided.d, r.fy.value, r.fbd.value), r.ls, Quantity::Ls)) {
    return false;
  }
  const DisplacementFactor psiAe = computePsiAe(input, r.decided.gradeNumber);
  r.decided.displacement = psiAe.rule;
  run.store(r.psiAe, Quantity::PsiAe, psiAe.psiAe);
  auto ld = computeLd(r.psiN.value, r.psiAe.value, r.ls.value);
  auto lmin = computeLmin(r.ls.value, r.decided.d, input.memberState);
  const float *length = run.accepted(ld);
  const MinimumAnchorage *minimum = length != nullptr ? run.accepted(lmin) : nullptr;
  if (minimum == nullptr) {
    return false;
  }
  r.completed = {*minimum, codeNotices(input, r.decided, r.fbd.value),
                 adoptDepth(*length, *minimum, r.decided.d)};
  run.store(r.ld, Quantity::Ld, *length);
  return true;
}

} // namespace

std::string formatQuantity(Quantity quantity, const AnchorageResult &result) {
  for (const SingleSlot &slot : singleSlots) {
    if (slot.quantity == quantity) {
      return formatSingle((result.*slot.member).value);
    }
  }
  return formatInteger(result.fy.value);
}

std::optional<InputRejection> calculateAnchorage(const AnchorageInput &input, AnchorageResult &result,
                                                 const RunObserver &observer) {
  forgetReached(result);
  result.decided.d = lenientNumber(input.barDiameter.text);
  Run run(result, observer);
  if (runBondStrength(input, result, run) && runInfluenceFactors(input, result, run)) {
    runSplittingFactor(input, result, run);
    runAnchorageLength(input, result, run);
  }
  return std::move(run.rejection());
}

} // namespace tavrin
