#include "fuzz/fuzz_input.h"

#include "calc/lists.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

namespace tavrin::fuzz {
namespace {

// One list of the window and where its choice goes in the input: by index, or for the two lists whose item
// text the calculation reads, as a choice.
struct ListField {
  const ItemList &list;
  std::int16_t AnchorageInput::*index;
  ListChoice AnchorageInput::*choice;
  [[nodiscard]] std::int16_t count() const { return static_cast<std::int16_t>(list.items.size()); }
};

const std::array<ListField, 9> listOrder{{
    {lists::concreteGrade, nullptr, &AnchorageInput::concreteGrade},
    {lists::coverThickness, &AnchorageInput::coverThickness, nullptr},
    {lists::barDiameter, nullptr, &AnchorageInput::barDiameter},
    {lists::steelGrade, &AnchorageInput::steelGrade, nullptr},
    {lists::adhesiveGrade, &AnchorageInput::adhesiveGrade, nullptr},
    {lists::memberState, &AnchorageInput::memberState, nullptr},
    {lists::stirrupDiameter, &AnchorageInput::stirrupDiameter, nullptr},
    {lists::seismicIntensity, &AnchorageInput::seismicIntensity, nullptr},
    {lists::siteCategory, &AnchorageInput::siteCategory, nullptr},
}};

enum TextSlot : std::size_t { Spacing, Edge, Moisture, Temperature, BondStrength, GradeText, DiameterText };
constexpr std::size_t textCount = 7;

constexpr std::uint8_t temperatureShown = 1U << 0U;
constexpr std::uint8_t bondStrengthShown = 1U << 1U;
constexpr std::uint8_t gradeTextTyped = 1U << 2U;
constexpr std::uint8_t diameterTextTyped = 1U << 3U;

class ByteReader {
public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  [[nodiscard]] bool atEnd() const { return position_ >= bytes_.size(); }
  std::uint8_t next() { return atEnd() ? 0 : bytes_[position_++]; }

private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Indices just outside a list and at the limits of the 16-bit field.
std::int16_t outOfRangeIndex(std::int16_t count, std::uint8_t selector) {
  const std::array<std::int16_t, 8> indices{
      count, static_cast<std::int16_t>(count + 1), -2, 127, 128, 255, INT16_MAX, INT16_MIN};
  return indices.at(selector % indices.size());
}

std::int16_t decodeIndex(ByteReader &reader, std::int16_t count) {
  const std::uint8_t control = reader.next();
  if (control < 0x80) {
    return static_cast<std::int16_t>(control % count);
  }
  if (control < 0xC0) {
    return -1;
  }
  if (control < 0xF0) {
    return outOfRangeIndex(count, control);
  }
  const auto high = static_cast<std::uint16_t>(reader.next() << 8U);
  return static_cast<std::int16_t>(high | reader.next());
}

std::array<std::string, textCount> decodeTexts(ByteReader &reader) {
  std::array<std::string, textCount> texts;
  std::size_t slot = 0;
  while (!reader.atEnd() && slot < textCount) {
    const auto byte = static_cast<char>(reader.next());
    if (byte == '\n') {
      ++slot;
    } else {
      texts.at(slot).push_back(byte == '\\' ? static_cast<char>(reader.next()) : byte);
    }
  }
  return texts;
}

void repeatText(std::array<std::string, textCount> &texts, std::uint8_t repeat) {
  if (repeat < 0x80) {
    return;
  }
  std::string &text = texts.at((repeat & 7U) % textCount);
  const std::string unit = text;
  const unsigned times = ((repeat >> 3U) & 15U) * 128U;
  for (unsigned i = 0; i < times; ++i) {
    text += unit;
  }
}

std::string itemText(const ListField &field, std::int16_t index) {
  return index >= 0 && index < field.count() ? std::string(field.list.items[static_cast<std::size_t>(index)])
                                             : std::string();
}

// Every quantity in the order a run stores them, its name in reports and its single slot (none for fy).
struct QuantityField {
  Quantity quantity;
  const char *name;
  Reached<float> AnchorageResult::*single;
};
// clang-format off
const std::array<QuantityField, 10> runOrder{{
    {Quantity::Fbd, "fbd", &AnchorageResult::fbd},   {Quantity::PsiBr, "psiBr", &AnchorageResult::psiBr},
    {Quantity::PsiW, "psiW", &AnchorageResult::psiW}, {Quantity::PsiT, "psiT", &AnchorageResult::psiT},
    {Quantity::PsiN, "psiN", &AnchorageResult::psiN}, {Quantity::Aspt, "aspt", &AnchorageResult::aspt},
    {Quantity::Fy, "fy", nullptr},                    {Quantity::Ls, "ls", &AnchorageResult::ls},
    {Quantity::PsiAe, "psiAe", &AnchorageResult::psiAe}, {Quantity::Ld, "ld", &AnchorageResult::ld},
}};
// clang-format on

// The row of a quantity; at() throws for a quantity the table lacks.
const QuantityField &fieldOf(Quantity quantity) {
  return runOrder.at(static_cast<std::size_t>(std::ranges::distance(
      runOrder.begin(), std::ranges::find(runOrder, quantity, &QuantityField::quantity))));
}

bool isReached(const QuantityField &field, const AnchorageResult &r) {
  return field.single == nullptr ? r.fy.reached : (r.*field.single).reached;
}

// Significant digits of a formatted number: the mantissa's digits from the first non-zero one on.
int significantDigits(std::string_view text) {
  int digits = 0;
  for (const char c : text.substr(0, text.find_first_of("eE"))) {
    digits += (c >= '1' && c <= '9') || (c == '0' && digits > 0) ? 1 : 0;
  }
  return digits;
}

std::optional<std::string> displayFault(float value) {
  if (!std::isfinite(value)) {
    return "is not finite";
  }
  const std::string text = formatSingle(value);
  if (significantDigits(text) > 7) {
    return "shows more than 7 significant digits: " + text;
  }
  const std::optional<float> readBack = strictSingle(text);
  if (!readBack) {
    return "shows a text that does not read back: " + text;
  }
  if (std::fabs(static_cast<double>(*readBack) - value) > 1e-6 * std::fabs(static_cast<double>(value))) {
    return "shows " + text + ", which reads back too far from the value";
  }
  return std::nullopt;
}

// What one run announced and how it ended.
struct RunRecord {
  std::vector<Quantity> announced;
  std::vector<std::string> moistureTexts;
  std::vector<std::string> violations;
  std::optional<InputRejection> rejection;
};

RunRecord record(const AnchorageInput &input, AnchorageResult &result) {
  RunRecord run;
  const RunObserver observer{[&run](Quantity quantity, const AnchorageResult &r) {
                               run.announced.push_back(quantity);
                               if (!isReached(fieldOf(quantity), r)) {
                                 run.violations.push_back(std::string(fieldOf(quantity).name) +
                                                          " announced before it was stored");
                               }
                             },
                             [&run](const std::string &text) { run.moistureTexts.push_back(text); }};
  run.rejection = calculateAnchorage(input, result, observer);
  return run;
}

void checkEnding(const RunRecord &run, std::vector<std::string> &violations) {
  if (run.rejection && run.rejection->message.empty()) {
    violations.emplace_back("a rejection without a message");
  }
  if (!run.rejection && run.announced.size() != runOrder.size()) {
    violations.emplace_back("the run neither completed nor was rejected");
  }
  if (run.announced.size() > runOrder.size() ||
      !std::ranges::equal(run.announced, std::span(runOrder).first(run.announced.size()), {}, {},
                          &QuantityField::quantity)) {
    violations.emplace_back("values announced out of run order");
  }
  if (run.moistureTexts.size() > 1 || (run.moistureTexts.size() == 1 && run.moistureTexts[0] != "1.1")) {
    violations.emplace_back("the moisture entry was corrected to something other than one \"1.1\"");
  }
}

void checkValues(const RunRecord &run, const AnchorageResult &result, std::vector<std::string> &violations) {
  for (const QuantityField &field : runOrder) {
    const bool announced = std::ranges::find(run.announced, field.quantity) != run.announced.end();
    if (announced != isReached(field, result)) {
      violations.push_back(std::string(field.name) + " reached but not announced, or the reverse");
    }
    if (!announced || field.single == nullptr) {
      continue;
    }
    if (const auto fault = displayFault((result.*field.single).value)) {
      violations.push_back(std::string(field.name) + " " + *fault);
    }
  }
  if (result.fy.reached && strictDouble(formatInteger(result.fy.value)) != result.fy.value) {
    violations.emplace_back("fy does not show as its integer");
  }
}

std::string printable(const std::string &text) {
  constexpr std::size_t shown = 60;
  std::string out = "\"";
  for (const char c : text.substr(0, shown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"' || c == '\\') {
      constexpr std::string_view hexDigits = "0123456789ABCDEF";
      out += "\\x";
      out += hexDigits[byte >> 4U];
      out += hexDigits[byte & 15U];
    } else {
      out += c;
    }
  }
  out += "\"";
  if (text.size() > shown) {
    out += "... (" + std::to_string(text.size()) + " bytes)";
  }
  return out;
}

// Whether the text is well-formed UTF-8: every character in its shortest form, none a surrogate or above
// U+10FFFF. Decoded apart from the calculation's own reader, so that it checks that reader.
bool isWellFormedUtf8(std::string_view text) {
  constexpr std::array<char32_t, 5> shortestFrom{0, 0, 0x80, 0x800, 0x10000}; // by byte length
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t size = lead < 0x80   ? 1
                             : lead < 0xC0 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF8 ? 4
                                           : 0;
    if (size == 0 || text.size() - at < size) {
      return false;
    }
    char32_t codePoint = size == 1 ? lead : lead & (0x7FU >> size);
    for (const char c : text.substr(at + 1, size - 1)) {
      if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) {
        return false;
      }
      codePoint = (codePoint << 6U) | (static_cast<unsigned char>(c) & 0x3FU);
    }
    if (codePoint < shortestFrom.at(size) || (codePoint >= 0xD800 && codePoint <= 0xDFFF) ||
        codePoint > 0x10FFFF) {
      return false;
    }
    at += size;
  }
  return true;
}

// No typed text with malformed UTF-8 anywhere in it reads as a number.
void checkMalformedTexts(const AnchorageInput &input, std::vector<std::string> &violations) {
  for (const std::string *text :
       {&input.barSpacing, &input.edgeDistance, &input.moistureFactor, &input.temperatureFactor.text,
        &input.userBondStrength.text, &input.concreteGrade.text, &input.barDiameter.text}) {
    if (!isWellFormedUtf8(*text) && strictDouble(*text)) {
      violations.push_back("the malformed text " + printable(*text) + " reads as a number");
    }
  }
}

} // namespace

AnchorageInput decodeInput(std::span<const std::uint8_t> bytes) {
  ByteReader reader(bytes);
  const std::uint8_t flags = reader.next();
  const std::uint8_t repeat = reader.next();
  std::array<std::int16_t, listOrder.size()> indices{};
  for (std::size_t i = 0; i < listOrder.size(); ++i) {
    indices.at(i) = decodeIndex(reader, listOrder.at(i).count());
  }
  std::array<std::string, textCount> texts = decodeTexts(reader);
  repeatText(texts, repeat);

  AnchorageInput input;
  for (std::size_t i = 0; i < listOrder.size(); ++i) {
    const ListField &list = listOrder.at(i);
    if (list.index != nullptr) {
      input.*list.index = indices.at(i);
    } else {
      input.*list.choice = {indices.at(i), itemText(list, indices.at(i))};
    }
  }
  if ((flags & gradeTextTyped) != 0) {
    input.concreteGrade.text = texts.at(GradeText);
  }
  if ((flags & diameterTextTyped) != 0) {
    input.barDiameter.text = texts.at(DiameterText);
  }
  input.barSpacing = texts.at(Spacing);
  input.edgeDistance = texts.at(Edge);
  input.moistureFactor = texts.at(Moisture);
  input.temperatureFactor = {texts.at(Temperature), (flags & temperatureShown) != 0};
  input.userBondStrength = {texts.at(BondStrength), (flags & bondStrengthShown) != 0};
  return input;
}

std::vector<std::string> checkRun(const AnchorageInput &input) {
  AnchorageResult result;
  RunRecord first = record(input, result);
  std::vector<std::string> violations = std::move(first.violations);
  checkEnding(first, violations);
  checkValues(first, result, violations);
  checkMalformedTexts(input, violations);

  // Pressing Calculate again with nothing changed must announce and end the same way.
  const RunRecord second = record(input, result);
  if (second.announced != first.announced || second.rejection != first.rejection) {
    violations.emplace_back("a second run of the same input ended differently");
  }
  return violations;
}

std::string describeInput(const AnchorageInput &input) {
  const auto shown = [](const OptionalEntry &entry) { return entry.shown ? " (shown)" : " (hidden)"; };
  return "grade " + std::to_string(input.concreteGrade.index) + " " + printable(input.concreteGrade.text) +
         ", cover " + std::to_string(input.coverThickness) + ", diameter " +
         std::to_string(input.barDiameter.index) + " " + printable(input.barDiameter.text) + ", steel " +
         std::to_string(input.steelGrade) + ", adhesive " + std::to_string(input.adhesiveGrade) +
         ", member " + std::to_string(input.memberState) + ", stirrup " +
         std::to_string(input.stirrupDiameter) + ", intensity " + std::to_string(input.seismicIntensity) +
         ", site " + std::to_string(input.siteCategory) + "\nspacing " + printable(input.barSpacing) +
         ", edge " + printable(input.edgeDistance) + ", moisture " + printable(input.moistureFactor) +
         ", temperature " + printable(input.temperatureFactor.text) + shown(input.temperatureFactor) +
         ", bond strength " + printable(input.userBondStrength.text) + shown(input.userBondStrength);
}

} // namespace tavrin::fuzz
