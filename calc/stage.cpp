#include "calc/stage.h"

#include "calc/conversions.h"

#include <cmath>

namespace tavrin {

InputRejection outOfRangeRejection() {
  return {"计算结果超出数值范围，请检查输入数据", Entry::None, Entry::None};
}

std::optional<double> finiteQuotient(double numerator, double denominator) {
  if (denominator == 0) {
    return std::nullopt;
  }
  const double quotient = numerator / denominator;
  if (!std::isfinite(quotient)) {
    return std::nullopt;
  }
  return quotient;
}

StageOutcome<float> readTypedValue(const std::string &text, const TypedEntry &typed) {
  return typedValue(text, strictDouble(text), typed);
}

StageOutcome<float> typedValue(const std::string &text, std::optional<double> read, const TypedEntry &typed) {
  if (!read) {
    const bool blank = trimBlanks(text).empty();
    return InputRejection{blank ? std::string(typed.emptyMessage) : std::string(typed.caption) + "必须是数值",
                          Entry::None, typed.entry};
  }
  const float value = singleOf(*read);
  if (typed.least == Least::AboveZero && value <= 0) {
    return InputRejection{std::string(typed.caption) + "必须大于0", Entry::None, typed.entry};
  }
  if (typed.least == Least::One && value < 1) {
    return InputRejection{std::string(typed.caption) + "不能小于1", Entry::None, typed.entry};
  }
  if (std::isinf(value)) {
    return outOfRangeRejection();
  }
  return value;
}

} // namespace tavrin
