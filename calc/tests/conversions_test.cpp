#include "calc/anchorage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace tavrin {
namespace {

TEST(Conversions, LenientNumberReadsTheLeadingNumberAndNeverFails) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char *text;
    double expected;
  } cases[] = {
      {"", 0},         {"abc", 0},     {"  12.5mm", 12.5}, {"100", 100},     {"16", 16},         {" 50 ", 50},
      {"120abc", 120}, {"-3.5", -3.5}, {".5", 0.5},        {"1e3", 1000},    {"1e", 1},          {"C60", 0},
      {"60", 60},      {"+7", 7},      {"inf", 0},         {"nan", 0},       {"0x10", 0},        {"≥C60", 0},
      {"\t8", 8},      {"1e-400", 0},  {"0.001e312", inf}, {"1000e-330", 0}, {"-12e+400", -inf},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(lenientNumber(c.text), c.expected) << '"' << c.text << '"';
  }
  EXPECT_EQ(lenientNumber("1e400"), inf);
  EXPECT_EQ(lenientNumber(std::string(400, '9')), inf);
  EXPECT_EQ(lenientNumber("-" + std::string(400, '9') + "x"), -inf);
  EXPECT_EQ(lenientNumber("0." + std::string(400, '0') + "1"), 0);
  EXPECT_EQ(lenientNumber("1e" + std::string(30, '9')), inf);
  EXPECT_EQ(lenientNumber("9e-" + std::string(30, '9')), 0);
}

TEST(Conversions, StrictDoubleTakesOnlyAWholePlainDecimal) {
  const struct {
    const char *text;
    std::optional<double> expected;
  } cases[] = {
      {"1.1", 1.1},
      {" 1.2 ", 1.2},
      {"100", 100},
      {"-2", -2},
      {"+0.5", 0.5},
      {".25", 0.25},
      {"3.", 3},
      {"2.5e1", 25},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"120abc", std::nullopt},
      {"3.3x", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x1A", std::nullopt},
      {"1 2", std::nullopt},
      {"1,5", std::nullopt},
      {"--1", std::nullopt},
      {".", std::nullopt},
      {"e5", std::nullopt},
      {"+", std::nullopt},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(strictDouble(c.text), c.expected) << '"' << c.text << '"';
  }
  EXPECT_EQ(strictDouble("1e999"), std::numeric_limits<double>::infinity());
}

// Both readings take a Chinese input method's full-width forms as ASCII and what pasting brings around a
// number as blanks, and refuse what is still no plain number; a number run on into digit groups can be told.
TEST(Conversions, ReadingsTakeTypedAndPastedForms) {
  constexpr std::nullopt_t no = std::nullopt;
  const struct {
    const char *text;
    double lenient;
    std::optional<double> strict;
    bool grouped;
  } cases[] = {
      // clang-format off
      {"１００", 100, 100, false},     {"　100", 100, 100, false},      {"100　", 100, 100, false},
      {"１．２", 1.2, 1.2, false},     {"1。2", 1.2, 1.2, false},       {"１.２", 1.2, 1.2, false},
      {"－３", -3, -3, false},         {"＋．５", 0.5, 0.5, false},     {"\t　１２　 ", 12, 12, false},
      {"１e３", 1e3, 1e3, false},      {"１Ｅ３", 1e3, 1e3, false},     {"１２０ａｂ", 120, no, false},
      {"１，２", 1, no, true},         {"1,2", 1, no, true},            {"１　２", 1, no, true},
      {"　", 0, no, false},            {"。", 0, no, false},            {"ａ１", 0, no, false},
      {"－－１", 0, no, false},
      {"1.2\r\n", 1.2, 1.2, false},  {"1.2\u00A0", 1.2, 1.2, false},  {"\u202D1.2\u202C", 1.2, 1.2, false},
      {"\u00A0100", 100, 100, false}, {"\uFEFF\u200B1\u2069\t", 1, 1, false},
      {"1,000", 1, no, true},          {"１，０００", 1, no, true},
      {"1 000", 1, no, true},          {"1'000", 1, no, true},          {"1\u00A0000", 1, no, true},
      {"1\u202F000", 1, no, true},     {"1\u2009000", 1, no, true},     {"1\u200B2", 1, no, true},
      {"120mm", 120, no, false},       {"120 mm", 120, no, false},      {"1.2\xE2\x80", 1.2, no, false},
      {"\xE2\x80x1", 0, no, false},  {"\v1.2\f", 1.2, 1.2, false},   {"\u20281.2\u0085\u2029", 1.2, 1.2, false},
      {"\x7F""1\x1F", 1, 1, false},  {"1\v000", 1, no, true},        {"1\u2028""000", 1, no, true},
      // Malformed UTF-8 is no blank: an overlong space, a stray or missing continuation byte.
      {"\xC0\xA0""1", 0, no, false},  {"1\xC0\xA0", 1, no, false},    {"\xE0\x80\xA0""1", 0, no, false},
      {"\xF0\x80\x80\xA0""1", 0, no, false},
      {"\x80""1", 0, no, false},      {"1\xE3\x80", 1, no, false},     {"\xE3\x80\xC0""1", 0, no, false},
      // clang-format on
  };
  for (const auto &c : cases) {
    EXPECT_EQ(lenientNumber(c.text), c.lenient) << '"' << c.text << '"';
    EXPECT_EQ(strictDouble(c.text), c.strict) << '"' << c.text << '"';
    EXPECT_EQ(runsIntoDigitGroup(c.text), c.grouped) << '"' << c.text << '"';
  }
  EXPECT_EQ(trimBlanks("　 1.5　\t"), "1.5");
}

TEST(Conversions, StrictSingleRoundsToSingleAndSaturatesBeyondItsRange) {
  EXPECT_EQ(strictSingle("1.15"), 1.15F);
  EXPECT_EQ(strictSingle(" 3.3 "), 3.3F);
  EXPECT_EQ(strictSingle("1e39"), std::numeric_limits<float>::infinity());
  EXPECT_EQ(strictSingle("-1e39"), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(strictSingle("3.3x"), std::nullopt);
}

TEST(Conversions, FormatSingleShowsAtMostSevenSignificantDigits) {
  const struct {
    float value;
    const char *text;
  } cases[] = {
      {1.15F, "1.15"},
      {4.125F, "4.125"},
      {355.55554F, "355.5555"},
      {300.0F, "300"},
      {0.5F, "0.5"},
      {444.44444F, "444.4444"},
      {1.265F, "1.265"},
      {430.2222F, "430.2222"},
      {2.7F, "2.7"},
      {1.0F, "1"},
      {0.0F, "0"},
      {-0.0F, "0"},
      {333.96F, "333.96"},
      {-12.5F, "-12.5"},
      {1234567.0F, "1234567"},
      {0.0001F, "0.0001"},
      {0.00099683F, "0.00099683"}, // seven digits would show 0.0009968299
      {9.765625e-4F, "0.0009765625"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(formatSingle(c.value), c.text) << c.value;
  }
  // Magnitudes a run does not produce in practice fall back to exponent form and still read back.
  for (const float value : {12345678.0F, 1e-5F, 3.4e38F, 1e-40F}) {
    const std::string text = formatSingle(value);
    ASSERT_TRUE(strictSingle(text).has_value()) << text;
    EXPECT_NEAR(*strictSingle(text), value, std::fabs(value) * 1e-6) << text;
  }
}

TEST(Conversions, FormatDoubleAndIntegerGiveTheDefaultTexts) {
  EXPECT_EQ(formatDouble(1.1), "1.1");
  EXPECT_EQ(formatDouble(0.1 + 0.2), "0.3");
  EXPECT_EQ(formatInteger(100), "100");
  EXPECT_EQ(formatInteger(50), "50");
  EXPECT_EQ(formatInteger(-32768), "-32768");
}

TEST(Conversions, GradeNumberReadsTheLastTwoCharacters) {
  const struct {
    const char *text;
    double expected;
  } cases[] = {{"C20", 20}, {"C25", 25}, {"C55", 55}, {"≥C60", 60}, {"C45  ", 45},
               {"", 0},     {"5", 5},    {"C6≥", 6},  {"≥", 0}};
  for (const auto &c : cases) {
    AnchorageInput input;
    input.concreteGrade.text = c.text;
    EXPECT_EQ(gradeNumber(input), c.expected) << '"' << c.text << '"';
  }
}

} // namespace
} // namespace tavrin
