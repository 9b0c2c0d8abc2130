#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text <-> number conversions shared by every stage and by the window. All of them ignore the
// process locale: the decimal separator is always ".". The readings take what a Chinese input method
// types for a number as its ASCII counterpart: full-width digits "０"-"９", point "．", signs "＋" "－" and
// exponent letters "ｅ" "Ｅ", the ideographic full stop "。" as a point. Blanks around a number are the
// space and every control character (tab and line breaks among them), the ideographic, no-break and other
// Unicode spaces, the line and paragraph separators, and the invisible zero-width characters and direction
// marks that pasted numbers come wrapped in; a blank inside a number is no part of it. Bytes that are no
// well-formed UTF-8 (overlong forms, surrogates, code points above U+10FFFF, stray or missing continuation
// bytes) are neither blank nor number: a reading stops at them.
namespace tavrin {

// Reads the number at the start of the text and ignores what follows ("  12.5mm" gives 12.5).
// Leading blanks are skipped; a text that does not begin with a number gives 0. Never fails. A magnitude
// beyond the double range gives ±infinity, one below it ±0.
double lenientNumber(std::string_view text);

// The whole text, blanks around it aside, must be a plain decimal number (optional sign, digits,
// optional fraction and exponent). Anything else, "inf", "nan" and hex included, gives nullopt.
// A magnitude beyond the double range gives ±infinity.
std::optional<double> strictDouble(std::string_view text);

// Whether the number at the start of the text runs on into a digit-group separator and more digits
// ("1,000", "１，０００", "1 000", "1'000"), of which lenientNumber reads the first group alone.
bool runsIntoDigitGroup(std::string_view text);

// As strictDouble, rounded to single precision; a magnitude beyond the single range gives ±infinity.
std::optional<float> strictSingle(std::string_view text);
// A double rounded to single precision as strictSingle rounds it.
float singleOf(double value);

// At most 7 significant digits, trailing zeros and point dropped: 1.15f shows "1.15", 300 "300".
std::string formatSingle(float value);
// The number formatSingle's text stands for, as strictDouble reads it: where a length is compared or rounded
// as the window shows it. Worked out without the text for magnitudes from 10^-16 up to 2^63; beyond them,
// which no length on a drawing reaches, the text is written and read.
double shownValue(float value);
// At most 15 significant digits: 1.1 shows "1.1".
std::string formatDouble(double value);
// Plain decimal: 100 shows "100".
std::string formatInteger(std::int16_t value);

// The text with leading and trailing blanks removed.
std::string_view trimBlanks(std::string_view text);

// Rounds a computed double to the single precision every factor and length is stored in;
// nullopt when the value is not finite or lies beyond the single range.
std::optional<float> storeSingle(double value);

} // namespace tavrin
