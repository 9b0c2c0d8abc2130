#include "calc/conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
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

// Marks that group the digits of a long number: "1,000", "１，０００", "1'000"; a blank between digit groups
// ("1 000") groups them as well.
constexpr std::array<std::string_view, 4> groupMarks{",", "\uFF0C", "'", "\u2019"};

// The wide form the text starts with, or nullptr.
const WideForm *leadingWideForm(std::string_view text) {
  for (const WideForm &form : wideForms) {
    if (text.starts_with(form.utf8)) {
      return &form;
    }
  }
  return nullptr;
}

// The text with the wide forms of its number replaced by their ASCII characters. Folding ends at the
// first character that can be no part of a number, as every reading does, and the rest is kept as it is.
std::string asciiForms(std::string_view text) {
  constexpr std::string_view numberCharacters = "0123456789.+-eE";
  std::string ascii;
  ascii.reserve(text.size());
  for (;;) {
    const std::size_t plain = std::min(text.find_first_not_of(numberCharacters), text.size());
    ascii += text.substr(0, plain);
    text.remove_prefix(plain);
    const WideForm *wide = leadingWideForm(text);
    if (wide == nullptr) {
      break;
    }
    ascii += wide->ascii;
    text.remove_prefix(wide->utf8.size());
  }
  ascii += text;
  return ascii;
}

// One character of a UTF-8 text: its code point and byte length, 0 where the bytes are no character.
struct Utf8Character {
  char32_t codePoint = 0;
  std::size_t size = 0;
};

// The well-formed multi-byte characters by lead byte: their length and the range of their second byte.
// The narrower ranges refuse overlong forms (after E0 and F0), surrogates (after ED) and code points above
// U+10FFFF (after F4); C0, C1 and F5 to FF lead none. Every further byte lies in 80 to BF.
struct Utf8Lead {
  unsigned char first;
  unsigned char last;
  std::size_t size;
  unsigned char secondFirst;
  unsigned char secondLast;
};
// clang-format off
constexpr std::array<Utf8Lead, 8> utf8Leads{{
    {0xC2, 0xDF, 2, 0x80, 0xBF},
    {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
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
  const auto first = static_cast<unsigned char>(text.front());
  if (first < 0x80U) {
    return {first, 1};
  }
  const Utf8Lead *lead = utf8LeadOf(first);
  if (lead == nullptr || text.size() < lead->size ||
      static_cast<unsigned char>(text[1]) < lead->secondFirst ||
      static_cast<unsigned char>(text[1]) > lead->secondLast) {
    return {};
  }
  char32_t codePoint = first & (0x7FU >> lead->size);
  for (std::size_t i = 1; i < lead->size; ++i) {
    if (!isContinuation(static_cast<unsigned char>(text[i]))) {
      return {};
    }
    codePoint = (codePoint << 6U) | (static_cast<unsigned char>(text[i]) & 0x3FU);
  }
  return {codePoint, lead->size};
}

// Steps back over the continuation bytes of the last character to its lead byte.
Utf8Character lastCharacter(std::string_view text) {
  std::size_t start = text.size();
  while (start > 0 && text.size() - start < 4) {
    --start;
    if (!isContinuation(static_cast<unsigned char>(text[start]))) {
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
  return blankSize(firstCharacter(text));
}
std::size_t trailingBlankSize(std::string_view text) {
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

bool isDigit(char c) {
  return c >= '0' && c <= '9';
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

// Reads an optional sign and a plain decimal number at the start of the text. Rejects what
// from_chars would otherwise take ("inf", "nan") by asking for a digit, or a point and a digit, first.
DecimalPrefix readDecimalPrefix(std::string_view text) {
  const char *first = text.data();
  const char *last = text.data() + text.size();
  const bool negative = first != last && *first == '-';
  const char *digits = first != last && (*first == '+' || *first == '-') ? first + 1 : first;
  const bool startsLikeNumber =
      digits != last && (isDigit(*digits) || (*digits == '.' && digits + 1 != last && isDigit(digits[1])));
  if (!startsLikeNumber) {
    return {};
  }
  double value = 0;
  const auto [end, error] = std::from_chars(digits, last, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    const std::string_view number(digits, static_cast<std::size_t>(end - digits));
    value = overflows(number) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return {end, negative ? -value : value};
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
  return readDecimalPrefix(asciiForms(skipLeadingBlanks(text))).value;
}

std::optional<double> strictDouble(std::string_view text) {
  const std::string number = asciiForms(trimBlanks(text));
  const DecimalPrefix prefix = readDecimalPrefix(number);
  if (prefix.end == nullptr || prefix.end != number.data() + number.size()) {
    return std::nullopt;
  }
  return prefix.value;
}

bool runsIntoDigitGroup(std::string_view text) {
  const std::string ascii = asciiForms(skipLeadingBlanks(text));
  const DecimalPrefix number = readDecimalPrefix(ascii);
  if (number.end == nullptr) {
    return false;
  }
  std::string_view rest(number.end, static_cast<std::size_t>(ascii.data() + ascii.size() - number.end));
  const std::string_view afterNumber = rest;
  for (std::size_t size = leadingGroupSeparatorSize(rest); size > 0; size = leadingGroupSeparatorSize(rest)) {
    rest.remove_prefix(size);
  }
  const std::string next = asciiForms(rest.substr(0, 3)); // one digit, full-width ones three bytes long
  return rest.size() < afterNumber.size() && !next.empty() && isDigit(next.front());
}

std::optional<float> strictSingle(std::string_view text) {
  const std::optional<double> value = strictDouble(text);
  if (!value) {
    return std::nullopt;
  }
  if (std::fabs(*value) > std::numeric_limits<float>::max()) {
    return std::copysign(std::numeric_limits<float>::infinity(),
                         static_cast<float>(std::signbit(*value) ? -1 : 1));
  }
  return static_cast<float>(*value);
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
std::string formatDouble(double value) {
  return formatGeneral(value, 15);
}

std::string formatInteger(std::int16_t value) {
  std::array<char, 8> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), result.ptr};
}

} // namespace tavrin
