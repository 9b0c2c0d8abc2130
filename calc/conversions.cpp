#include "calc/conversions.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace tavrin {
namespace {

// What a Chinese input method types for the characters of a number: full-width digits, point, signs and
// exponent letters, and in Chinese punctuation mode the ideographic full stop for the point.
struct WideForm {
  std::string_view utf8;
  char ascii;
};
// clang-format off
constexpr std::array<WideForm, 16> wideForms{{
    {"\uFF10", '0'}, {"\uFF11", '1'}, {"\uFF12", '2'}, {"\uFF13", '3'}, {"\uFF14", '4'},
    {"\uFF15", '5'}, {"\uFF16", '6'}, {"\uFF17", '7'}, {"\uFF18", '8'}, {"\uFF19", '9'},
    {"\uFF0E", '.'}, {"\u3002", '.'}, {"\uFF0B", '+'}, {"\uFF0D", '-'}, {"\uFF45", 'e'}, {"\uFF25", 'E'},
}};
// clang-format on

// Blanks around a number: what is typed between entries, and what a paste brings along with the digits
// from a spreadsheet (the cell's line break, the tab between cells), a document or web page (no-break and
// other Unicode spaces, line and paragraph separators) or a calculator program (invisible zero-width
// characters and direction marks). Every control character is one: an entry draws each as a blank.
struct CodePointRange {
  char32_t first;
  char32_t last;
};
// clang-format off
constexpr std::array<CodePointRange, 13> blanks{{
    {U'\0', U' '},          // the control characters, tab, line breaks, vertical tab and form feed among them,
                            // and the space
    {U'\x7F', U'\x9F'},     // delete and the C1 control characters, the next line U+0085 among them
    {U'\u00A0', U'\u00A0'}, // no-break space
    {U'\u2000', U'\u200A'}, // en quad to hair space, the thin space among them
    {U'\u200B', U'\u200F'}, // zero-width space, non-joiner and joiner; left-to-right and right-to-left marks
    {U'\u2028', U'\u2029'}, // line and paragraph separators
    {U'\u202A', U'\u202E'}, // direction embeddings and overrides
    {U'\u202F', U'\u202F'}, // narrow no-break space
    {U'\u2060', U'\u2060'}, // word joiner
    {U'\u2066', U'\u2069'}, // direction isolates
    {U'\u3000', U'\u3000'}, // ideographic space
    {U'\uFEFF', U'\uFEFF'}, // zero-width no-break space, the byte-order mark
}};
// clang-format on

constexpr bool isBlank(char32_t codePoint) {
  return std::ranges::any_of(blanks, [codePoint](CodePointRange range) {
    return codePoint >= range.first && codePoint <= range.last;
  });
}

// The ASCII blanks, looked up at once: every reading tests the first or last character of its text, and
// nearly every text is ASCII.
constexpr std::size_t asciiEnd = 0x80;
constexpr std::array<bool, asciiEnd> asciiBlanks = [] {
  std::array<bool, asciiEnd> table{};
  for (std::size_t c = 0; c < asciiEnd; ++c) {
    table.at(c) = isBlank(static_cast<char32_t>(c));
  }
  return table;
}();

// Marks that group the digits of a long number: "1,000", "１，０００", "1'000"; a blank between digit groups
// ("1 000") groups them as well.
constexpr std::array<std::string_view, 4> groupMarks{",", "\uFF0C", "'", "\u2019"};

unsigned char byteAt(std::string_view text, std::size_t index) {
  return static_cast<unsigned char>(text[index]);
}

bool isAscii(unsigned char byte) {
  return byte < asciiEnd;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The bytes of the ASCII characters a plain decimal number is written with, looked up at once.
constexpr std::array<bool, 0x100> numberCharacters = [] {
  std::array<bool, 0x100> table{};
  for (const char c : std::string_view("0123456789.+-eE")) {
    table.at(static_cast<std::size_t>(c)) = true;
  }
  return table;
}();

// The wide form the text starts with, or nullptr. No wide form is ASCII.
const WideForm *leadingWideForm(std::string_view text) {
  if (text.empty() || isAscii(byteAt(text, 0))) {
    return nullptr;
  }
  for (const WideForm &form : wideForms) {
    if (text.starts_with(form.utf8)) {
      return &form;
    }
  }
  return nullptr;
}

// A text split where the characters of its number end: those characters, each wide form replaced by its
// ASCII character, and the rest as it came. A number typed in ASCII, as nearly every one is, is read where
// it lies; only one with wide forms is copied.
class NumberPart {
public:
  explicit NumberPart(std::string_view text) : number_(text.substr(0, plainLength(text))) {
    rest_ = text.substr(number_.size());
    if (leadingWideForm(rest_) != nullptr) {
      fold();
    }
  }
  NumberPart(const NumberPart &) = delete; // the number may view the part's own copy
  NumberPart &operator=(const NumberPart &) = delete;
  NumberPart(NumberPart &&) = delete;
  NumberPart &operator=(NumberPart &&) = delete;
  ~NumberPart() = default;

  [[nodiscard]] std::string_view number() const { return number_; }
  [[nodiscard]] std::string_view rest() const { return rest_; }

private:
  static std::size_t plainLength(std::string_view text) {
    std::size_t length = 0;
    while (length < text.size() && numberCharacters[byteAt(text, length)]) {
      ++length;
    }
    return length;
  }

  void fold() {
    folded_ = number_;
    for (const WideForm *wide = leadingWideForm(rest_); wide != nullptr; wide = leadingWideForm(rest_)) {
      folded_ += wide->ascii;
      rest_.remove_prefix(wide->utf8.size());
      const std::size_t plain = plainLength(rest_);
      folded_ += rest_.substr(0, plain);
      rest_.remove_prefix(plain);
    }
    number_ = folded_;
  }

  std::string folded_;
  std::string_view number_;
  std::string_view rest_;
};

// One character of a UTF-8 text: its code point and byte length, 0 where the bytes are no character.
struct Utf8Character {
  char32_t codePoint = 0;
  std::size_t size = 0;
};

// The multi-byte characters by lead byte: their length and the range of their second byte. The narrower
// ranges after E0 and F0, and no lead C0 or C1, refuse overlong forms, which could spell a blank as a
// number's neighbour; a surrogate or a code point above U+10FFFF is no blank either way, so it needs no
// row of its own, and F5 to FF lead none. Every further byte lies in 80 to BF.
struct Utf8Lead {
  unsigned char first;
  unsigned char last;
  std::size_t size;
  unsigned char secondFirst;
  unsigned char secondLast;
};
// clang-format off
constexpr std::array<Utf8Lead, 5> utf8Leads{{
    {0xC2, 0xDF, 2, 0x80, 0xBF},
    {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEF, 3, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF4, 4, 0x80, 0xBF},
}};
// clang-format on

const Utf8Lead *utf8LeadOf(unsigned char byte) {
  for (const Utf8Lead &lead : utf8Leads) {
    if (byte >= lead.first && byte <= lead.last) {
      return &lead;
    }
  }
  return nullptr;
}

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0U) == 0x80U;
}

Utf8Character firstCharacter(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  const unsigned char first = byteAt(text, 0);
  if (isAscii(first)) {
    return {first, 1};
  }
  const Utf8Lead *lead = utf8LeadOf(first);
  if (lead == nullptr || text.size() < lead->size || byteAt(text, 1) < lead->secondFirst ||
      byteAt(text, 1) > lead->secondLast) {
    return {};
  }
  char32_t codePoint = first & (0x7FU >> lead->size);
  for (std::size_t i = 1; i < lead->size; ++i) {
    if (!isContinuation(byteAt(text, i))) {
      return {};
    }
    codePoint = (codePoint << 6U) | (byteAt(text, i) & 0x3FU);
  }
  return {codePoint, lead->size};
}

// Steps back over the continuation bytes of the last character to its lead byte.
Utf8Character lastCharacter(std::string_view text) {
  std::size_t start = text.size();
  while (start > 0 && text.size() - start < 4) {
    --start;
    if (!isContinuation(byteAt(text, start))) {
      break;
    }
  }
  const Utf8Character last = firstCharacter(text.substr(start));
  return last.size == text.size() - start ? last : Utf8Character{};
}

std::size_t blankSize(Utf8Character character) {
  return character.size > 0 && isBlank(character.codePoint) ? character.size : 0;
}

// The byte length of the blank the text starts or ends with, or 0.
std::size_t leadingBlankSize(std::string_view text) {
  if (!text.empty() && isAscii(byteAt(text, 0))) {
    return asciiBlanks[byteAt(text, 0)] ? 1 : 0;
  }
  return blankSize(firstCharacter(text));
}
std::size_t trailingBlankSize(std::string_view text) {
  if (!text.empty() && isAscii(byteAt(text, text.size() - 1))) {
    return asciiBlanks[byteAt(text, text.size() - 1)] ? 1 : 0;
  }
  return blankSize(lastCharacter(text));
}

// The byte length of the digit-group mark or blank the text starts with, or 0.
std::size_t leadingGroupSeparatorSize(std::string_view text) {
  for (const std::string_view mark : groupMarks) {
    if (text.starts_with(mark)) {
      return mark.size();
    }
  }
  return leadingBlankSize(text);
}

std::string_view skipLeadingBlanks(std::string_view text) {
  for (std::size_t size = leadingBlankSize(text); size > 0; size = leadingBlankSize(text)) {
    text.remove_prefix(size);
  }
  return text;
}

// Whether the text starts with a digit, ASCII or full-width.
bool startsWithDigit(std::string_view text) {
  const WideForm *wide = leadingWideForm(text);
  return wide != nullptr ? isDigit(wide->ascii) : !text.empty() && isDigit(text.front());
}

// A decimal number at the start of a text: where it ends and what it reads.
struct DecimalPrefix {
  const char *end = nullptr; // nullptr when the text does not begin with a number
  double value = 0;
};

// Whether a plain decimal (digits, optional fraction, optional exponent) that from_chars found beyond the
// double range lies above it rather than below: its leading digit, shifted by the exponent, stands at or
// left of the units place.
bool overflows(std::string_view number) {
  const std::size_t exponentAt = std::min(number.find_first_of("eE"), number.size());
  const std::string_view significand = number.substr(0, exponentAt);
  const std::size_t point = std::min(significand.find('.'), significand.size());
  const std::size_t leading = significand.find_first_not_of("0."); // a zero is never out of range
  // The power of ten of the leading digit before the exponent: 2 for "345.6", -3 for "0.00456".
  const long power = static_cast<long>(point) - static_cast<long>(leading) - (leading < point ? 1 : 0);
  long exponent = 0;
  if (exponentAt < number.size()) {
    const char *first = number.data() + exponentAt + 1;
    first += *first == '+' ? 1 : 0;
    if (std::from_chars(first, number.data() + number.size(), exponent).ec ==
        std::errc::result_out_of_range) {
      return *first != '-';
    }
  }
  return exponent >= -power;
}

// The byte length of the exponent the text starts with ("e5", "E-3"), 0 where no digits follow its letter
// and sign.
std::size_t exponentLength(std::string_view text) {
  if (!text.starts_with('e') && !text.starts_with('E')) {
    return 0;
  }
  std::size_t end = text.size() > 1 && (text[1] == '+' || text[1] == '-') ? 2 : 1;
  const std::size_t digits = end;
  while (end < text.size() && isDigit(text[end])) {
    ++end;
  }
  return end > digits ? end : 0;
}

constexpr std::size_t uint64Digits = 19; // a decimal integer of up to 19 digits fits 64 bits

// The optional sign and plain decimal number at the start of a text, as far as from_chars reads it: digits
// with an optional point, at least one digit, and an optional exponent. Its "inf", "nan" and hex forms are
// no number here.
struct DecimalScan {
  std::size_t length = 0;     // the sign and the exponent included; 0 where the text starts with no number
  std::size_t signLength = 0; // 1 where a sign leads
  std::size_t exponentAt = 0; // where the exponent's letter stands, or length where there is none
  std::uint64_t integer = 0;  // the digits, the point left out, as one integer while there are at most 19
  std::size_t digits = 0;
  std::size_t fractionDigits = 0;
};

// Where the run of digits from the given place on ends; adds them to the integer, which wraps around past
// 19 digits.
std::size_t takeDigits(std::string_view text, std::size_t at, std::uint64_t &integer) {
  for (; at < text.size() && isDigit(text[at]); ++at) {
    integer = integer * 10 + static_cast<unsigned>(text[at] - '0');
  }
  return at;
}

DecimalScan scanDecimal(std::string_view text) {
  DecimalScan scan;
  scan.signLength = text.starts_with('+') || text.starts_with('-') ? 1 : 0;
  std::size_t at = takeDigits(text, scan.signLength, scan.integer);
  scan.digits = at - scan.signLength;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fraction = at + 1;
    at = takeDigits(text, fraction, scan.integer);
    scan.fractionDigits = at - fraction;
    scan.digits += scan.fractionDigits;
  }
  if (scan.digits == 0) {
    return {};
  }
  scan.exponentAt = at;
  scan.length = at + exponentLength(text.substr(at));
  return scan;
}

// Powers of ten a double holds exactly: 10^0 to 10^22.
constexpr std::array<double, 23> exactPowersOfTen = [] {
  std::array<double, 23> powers{};
  double power = 1;
  for (double &exact : powers) {
    exact = power;
    power *= 10;
  }
  return powers;
}();
constexpr std::uint64_t exactIntegerLimit = std::uint64_t{1} << 53U; // every integer up to it is a double
constexpr bool noExcessPrecision = FLT_EVAL_METHOD == 0;

// The value of a scanned decimal whose digits, as one integer, and whose power of ten are both exact
// doubles: their product or quotient, rounded once, is the decimal correctly rounded, as from_chars reads
// it, at a fraction of its cost. Nearly every typed number is such a decimal; nullopt for others.
std::optional<double> exactDecimal(std::string_view text, const DecimalScan &scan) {
  if (!noExcessPrecision || scan.digits > uint64Digits || scan.integer > exactIntegerLimit) {
    return std::nullopt;
  }
  int exponent = 0;
  if (scan.exponentAt < scan.length) {
    const char *first = text.data() + scan.exponentAt + 1;
    first += *first == '+' ? 1 : 0;
    if (std::from_chars(first, text.data() + scan.length, exponent).ec != std::errc{}) {
      return std::nullopt;
    }
  }
  const std::int64_t power = std::int64_t{exponent} - static_cast<std::int64_t>(scan.fractionDigits);
  const auto maxPower = static_cast<std::int64_t>(exactPowersOfTen.size()) - 1;
  if (power < -maxPower || power > maxPower) {
    return std::nullopt;
  }
  const auto significand = static_cast<double>(scan.integer);
  return power < 0 ? significand / exactPowersOfTen[static_cast<std::size_t>(-power)]
                   : significand * exactPowersOfTen[static_cast<std::size_t>(power)];
}

// The value of an unsigned plain decimal as from_chars reads it; beyond the double range infinity or 0.
double inexactDecimal(std::string_view number) {
  double value = 0;
  const char *last = number.data() + number.size();
  if (std::from_chars(number.data(), last, value, std::chars_format::general).ec ==
      std::errc::result_out_of_range) {
    return overflows(number) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return value;
}

// Reads an optional sign and a plain decimal number at the start of the text.
DecimalPrefix readDecimalPrefix(std::string_view text) {
  const DecimalScan scan = scanDecimal(text);
  if (scan.length == 0) {
    return {};
  }
  const std::optional<double> exact = exactDecimal(text, scan);
  const double value =
      exact ? *exact : inexactDecimal(text.substr(scan.signLength, scan.length - scan.signLength));
  return {text.data() + scan.length, text.front() == '-' ? -value : value};
}

} // namespace

std::string_view trimBlanks(std::string_view text) {
  text = skipLeadingBlanks(text);
  for (std::size_t size = trailingBlankSize(text); size > 0; size = trailingBlankSize(text)) {
    text.remove_suffix(size);
  }
  return text;
}

double lenientNumber(std::string_view text) {
  const NumberPart part(skipLeadingBlanks(text));
  return readDecimalPrefix(part.number()).value;
}

std::optional<double> strictDouble(std::string_view text) {
  const NumberPart part(trimBlanks(text));
  const std::string_view number = part.number();
  const DecimalPrefix prefix = readDecimalPrefix(number);
  if (!part.rest().empty() || prefix.end == nullptr || prefix.end != number.data() + number.size()) {
    return std::nullopt;
  }
  return prefix.value;
}

// A number that ends before its characters do ("1.2.3") is followed by one of them, which neither groups
// digits nor is a blank.
bool runsIntoDigitGroup(std::string_view text) {
  const NumberPart part(skipLeadingBlanks(text));
  const std::string_view number = part.number();
  if (number.empty() || scanDecimal(number).length != number.size()) {
    return false;
  }
  std::string_view rest = part.rest();
  for (std::size_t size = leadingGroupSeparatorSize(rest); size > 0; size = leadingGroupSeparatorSize(rest)) {
    rest.remove_prefix(size);
  }
  return rest.size() < part.rest().size() && startsWithDigit(rest);
}

float singleOf(double value) {
  if (std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::copysign(std::numeric_limits<float>::infinity(),
                         static_cast<float>(std::signbit(value) ? -1 : 1));
  }
  return static_cast<float>(value);
}

std::optional<float> strictSingle(std::string_view text) {
  const std::optional<double> value = strictDouble(text);
  if (!value) {
    return std::nullopt;
  }
  return singleOf(*value);
}

std::optional<float> storeSingle(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

namespace {

// printf's %g without its locale: shortest of fixed and exponent form, trailing zeros dropped.
std::string formatGeneral(double value, int significantDigits) {
  if (value == 0) {
    return "0"; // also for -0, which no display should show
  }
  std::array<char, 64> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::general, significantDigits);
  if (error != std::errc{}) {
    return {};
  }
  return {buffer.data(), end};
}

} // namespace

// Seven digits can show more than a single holds: the single read from "0.00099683" is
// 0.000996829895…, which rounds to 0.0009968299. So the shortest text of fewer digits that reads back as
// the same single wins, and only a value that needs all seven is rounded to them.
std::string formatSingle(float value) {
  for (int digits = 1; digits < 7; ++digits) {
    const std::string shorter = formatGeneral(value, digits);
    if (strictSingle(shorter) == value) {
      return formatGeneral(*strictDouble(shorter), 7); // "3e+02" back to the plain "300"
    }
  }
  return formatGeneral(value, 7);
}
namespace {

// A decimal as formatSingle writes it: digits × 10^exponent.
struct Decimal {
  std::uint64_t digits;
  int exponent;
};

// The double nearest to the decimal, as strictDouble reads its text: one correctly rounded product or
// quotient of exact operands, |exponent| ≤ 22.
double nearestDouble(Decimal decimal) {
  const auto digits = static_cast<double>(decimal.digits);
  return decimal.exponent < 0 ? digits / exactPowersOfTen[static_cast<std::size_t>(-decimal.exponent)]
                              : digits * exactPowersOfTen[static_cast<std::size_t>(decimal.exponent)];
}

// 10^p split into a high part of 26 bits and the rest, so that a single times either part is exact.
struct SplitPower {
  double high;
  double low;
};
constexpr std::array<SplitPower, 23> splitPowersOfTen = [] {
  std::array<SplitPower, 23> split{};
  for (std::size_t p = 0; p < split.size(); ++p) {
    const double power = exactPowersOfTen[p];
    const double spread = power * 134217729.0; // 2^27 + 1
    split[p].high = spread - (spread - power);
    split[p].low = power - split[p].high;
  }
  return split;
}();
constexpr std::array<std::uint64_t, 20> integerPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t &exact : powers) {
    exact = power;
    power *= 10;
  }
  return powers;
}();

// Rounds the whole number plus a fraction to the nearest whole, a tie to the even one. The fraction is
// rest + low exactly, rest in [0, 1) and |low| small; each comparison takes the sign of one sum, which
// rounding never changes.
std::uint64_t roundHalfEven(std::uint64_t whole, double rest, double low) {
  if ((rest - 1) + low >= 0) {
    ++whole, rest -= 1;
  } else if (rest + low < 0) {
    --whole, rest += 1;
  }
  const double aboveHalf = (rest - 0.5) + low;
  return whole + (aboveHalf > 0 || (aboveHalf == 0 && whole % 2 == 1) ? 1 : 0);
}

// The positive single rounded to `digits` significant digits as to_chars rounds it, its decimal exponent
// given. At or above 2^23 a single is a whole number and is divided in integers; below it the kept digits
// reach at least the units, so the single is scaled up by an exact power of ten, held as two exact products.
Decimal roundedTo(float value, int decimalExponent, int digits) {
  const int exponent = decimalExponent - digits + 1; // of the last digit kept
  if (value >= 0x1p23F) {
    const auto whole = static_cast<std::uint64_t>(value);
    const std::uint64_t unit = integerPowersOfTen[static_cast<std::size_t>(exponent)];
    const std::uint64_t rest = whole % unit;
    const std::uint64_t kept = whole / unit;
    return {kept + (2 * rest > unit || (2 * rest == unit && kept % 2 == 1) ? 1 : 0), exponent};
  }
  const SplitPower &scale = splitPowersOfTen[static_cast<std::size_t>(-exponent)];
  const double high = value * scale.high;
  const auto whole = static_cast<std::uint64_t>(high);
  return {roundHalfEven(whole, high - static_cast<double>(whole), value * scale.low), exponent};
}

// Where the arithmetic above is exact: its powers of ten and integers hold the digits of these singles, and
// (without excess precision) each product and quotient is rounded once.
constexpr double leastShownArithmetically = 1e-16;
constexpr double beyondShownArithmetically = 0x1p63;

} // namespace

double shownValue(float value) {
  const float size = std::fabs(value);
  if (size == 0) {
    return 0; // formatSingle writes -0 as "0" too
  }
  if (!noExcessPrecision || !(size >= leastShownArithmetically && size < beyondShownArithmetically)) {
    return strictDouble(formatSingle(value)).value_or(value);
  }
  // The decimal exponent from the binary one: floor(e × log10 2) is it or one less.
  const int binaryExponent = static_cast<int>(std::bit_cast<std::uint32_t>(size) >> 23U) - 127;
  int decimalExponent = (binaryExponent * 78913) >> 18; // 78913 / 2^18 ≈ log10 2; >> rounds down
  if (size >= nearestDouble({1, decimalExponent + 1})) {
    ++decimalExponent;
  }
  // Where a single's spacing is wider than the seventh digit's, a shorter text can read back as the same
  // single though seven digits round elsewhere; formatSingle takes the shortest, so that is searched for.
  const float spacing = std::bit_cast<float>(std::bit_cast<std::uint32_t>(size) + 1) - size;
  Decimal shown = roundedTo(size, decimalExponent, 7);
  if (static_cast<double>(spacing) > nearestDouble({1, decimalExponent - 6})) {
    for (int digits = 1; digits < 7; ++digits) {
      const Decimal shorter = roundedTo(size, decimalExponent, digits);
      if (static_cast<float>(nearestDouble(shorter)) == size) {
        shown = shorter;
        break;
      }
    }
  }
  return std::signbit(value) ? -nearestDouble(shown) : nearestDouble(shown);
}

std::string formatDouble(double value) {
  return formatGeneral(value, 15);
}

std::string formatInteger(std::int16_t value) {
  std::array<char, 8> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), result.ptr};
}

} // namespace tavrin
