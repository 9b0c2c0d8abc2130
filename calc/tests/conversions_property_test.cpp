#include "calc/conversions.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

// Properties of the conversions over many seeded random values; a failure names the seed and the value so
// the case can be replayed.
namespace tavrin {
namespace {

// A fixed seed, so that every run checks the same values and a failure can be replayed.
constexpr std::uint32_t seed = 20240611;
constexpr int samples = 20000;

// Any finite single: random bit patterns cover every exponent, subnormals included.
float randomFiniteSingle(std::mt19937 &random) {
  for (;;) {
    const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (std::isfinite(value)) {
      return value;
    }
  }
}

// A single in the range a run produces: factors and lengths from a thousandth to a hundred thousand.
float randomPracticalSingle(std::mt19937 &random) {
  return static_cast<float>(std::pow(10.0, std::uniform_real_distribution<double>(-3, 5)(random)));
}

int significantDigits(const std::string &text) {
  int digits = 0;
  for (const char c : text.substr(0, text.find_first_of("eE"))) {
    digits += (c >= '1' && c <= '9') || (c == '0' && digits > 0) ? 1 : 0;
  }
  return digits;
}

void expectShownAndReadBack(float value) {
  const std::string text = formatSingle(value);
  EXPECT_LE(significantDigits(text), 7) << text;
  const std::optional<float> readBack = strictSingle(text);
  ASSERT_TRUE(readBack.has_value()) << text;
  EXPECT_LE(std::fabs(static_cast<double>(*readBack) - value), 1e-6 * std::fabs(static_cast<double>(value)))
      << "value " << std::hexfloat << value << " shows " << text;
}

TEST(ConversionProperties, FormatSingleReadsBackWithinOneMillionth) {
  std::mt19937 random(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp)
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (int i = 0; i < samples; ++i) {
    expectShownAndReadBack(randomFiniteSingle(random));
    expectShownAndReadBack(randomPracticalSingle(random));
    if (HasFailure()) {
      return;
    }
  }
}

// The adopted depth compares and rounds lengths as shown without writing them: the same double as the text.
TEST(ConversionProperties, ShownValueIsWhatTheShownTextReads) {
  std::mt19937 random(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp)
  SCOPED_TRACE("seed " + std::to_string(seed));
  // Where a single's spacing passes the seventh digit's, a text of fewer digits can read back.
  const auto wideSpaced = [&random](float from, float to) {
    return std::uniform_real_distribution<float>(from, to)(random);
  };
  const auto expectShownValue = [](float value) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(shownValue(value)),
              std::bit_cast<std::uint64_t>(*strictDouble(formatSingle(value))))
        << formatSingle(value) << " from the single " << std::bit_cast<std::uint32_t>(value);
  };
  for (const float tie : {1234567.5F, 10000005.0F, 9999999.5F, 0.0F, -0.0F, std::nextafter(440.0F, 1000.0F),
                          std::numeric_limits<float>::max(), std::numeric_limits<float>::denorm_min()}) {
    expectShownValue(tie);
  }
  for (int i = 0; i < samples / 4 && !HasFailure(); ++i) {
    for (const float value : {randomFiniteSingle(random), randomPracticalSingle(random),
                              wideSpaced(0x1p-10F, 1e-3F), wideSpaced(0x1p33F, 1e10F)}) {
      expectShownValue(value);
      expectShownValue(-value);
    }
  }
}

// A decimal of 1 to 6 significant digits as the displays write it: a fixed point in the range from
// 0.0001 up to 9,999,990, no exponent, no trailing zeros after the point.
std::string randomShortDecimal(std::mt19937 &random) {
  const int digitCount = std::uniform_int_distribution<int>(1, 6)(random);
  std::string digits = std::to_string(std::uniform_int_distribution<int>(1, 9)(random));
  for (int i = 1; i < digitCount; ++i) {
    digits += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(random));
  }
  // Position of the point after the leading digit: -3 gives 0.000d..., 6 gives d000000.
  const int pointAfter = std::uniform_int_distribution<int>(-3, 6)(random);
  std::string text;
  if (pointAfter <= 0) {
    text = "0." + std::string(static_cast<std::size_t>(-pointAfter), '0') + digits;
  } else if (static_cast<std::size_t>(pointAfter) >= digits.size()) {
    text = digits + std::string(static_cast<std::size_t>(pointAfter) - digits.size(), '0');
  } else {
    text = digits.substr(0, static_cast<std::size_t>(pointAfter)) + "." +
           digits.substr(static_cast<std::size_t>(pointAfter));
  }
  if (const auto point = text.find('.'); point != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
      text.pop_back();
    }
  }
  return std::uniform_int_distribution<int>(0, 1)(random) == 0 ? text : "-" + text;
}

TEST(ConversionProperties, SixDigitDecimalsSurviveTextToSingleToText) {
  std::mt19937 random(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp)
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (int i = 0; i < samples; ++i) {
    const std::string text = randomShortDecimal(random);
    const std::optional<float> value = strictSingle(text);
    ASSERT_TRUE(value.has_value()) << text;
    ASSERT_EQ(formatSingle(*value), text);
  }
}

TEST(ConversionProperties, FormatDoubleReadsBackAndShowsTheDefaultMoistureFactor) {
  EXPECT_EQ(formatDouble(1.1), "1.1");
  std::mt19937_64 random(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp)
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (int i = 0; i < samples; ++i) {
    const auto value = std::bit_cast<double>(static_cast<std::uint64_t>(random()));
    if (!std::isfinite(value)) {
      continue;
    }
    const std::string text = formatDouble(value);
    const std::optional<double> readBack = strictDouble(text);
    ASSERT_TRUE(readBack.has_value()) << text;
    ASSERT_LE(std::fabs(*readBack - value), 1e-14 * std::fabs(value)) << text;
  }
}

// A plain decimal of 1 to 20 digits with the point anywhere among them, some with an exponent: short ones
// and powers of ten within 10^±22 and longer ones or beyond.
std::string randomPlainDecimal(std::mt19937 &random) {
  const int digitCount = std::uniform_int_distribution<int>(1, 20)(random);
  const int pointAt = std::uniform_int_distribution<int>(0, digitCount)(random);
  std::string text;
  for (int i = 0; i < digitCount; ++i) {
    text += i == pointAt ? "." : "";
    text += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(random));
  }
  if (std::uniform_int_distribution<int>(0, 2)(random) == 0) {
    text += "e" + std::to_string(std::uniform_int_distribution<int>(-30, 30)(random));
  }
  return text;
}

TEST(ConversionProperties, PlainDecimalsReadAsFromCharsReadsThem) {
  std::mt19937 random(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp)
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (int i = 0; i < samples; ++i) {
    const std::string text = randomPlainDecimal(random);
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(strictDouble(text), expected) << text;
    ASSERT_EQ(lenientNumber("-" + text + "mm"), -expected) << text;
  }
}

// Random texts: arbitrary bytes, or pieces that look like numbers mixed with junk, blanks and CJK.
std::string randomText(std::mt19937 &random) {
  static const char *const pieces[] = {"0",  "1",  "9",    ".",     "-",      "+",   "e",   "E",  " ",
                                       "\t", "x",  "mm",   "1e400", "1e-400", "inf", "nan", "0x", "植筋",
                                       "，", "１", "\xff", "",      "．",     "。",  "－",  "　"};
  std::string text;
  const int length = std::uniform_int_distribution<int>(0, 24)(random);
  const bool rawBytes = std::uniform_int_distribution<int>(0, 3)(random) == 0;
  for (int i = 0; i < length; ++i) {
    if (rawBytes) {
      text += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    } else {
      text += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    }
  }
  return text;
}

TEST(ConversionProperties, LenientNumberNeverFailsAndAgreesWithTheStrictReading) {
  std::mt19937 random(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp)
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (int i = 0; i < samples; ++i) {
    const std::string text = randomText(random);
    const double lenient = lenientNumber(text);
    ASSERT_FALSE(std::isnan(lenient)) << '"' << text << '"';
    const std::optional<double> strict = strictDouble(text);
    if (strict) {
      // A whole number reads the same either way, and junk after it does not change the lenient reading.
      ASSERT_EQ(lenient, *strict) << '"' << text << '"';
      ASSERT_EQ(lenientNumber(text + "mm植筋"), *strict) << '"' << text << '"';
    }
  }
}

} // namespace
} // namespace tavrin
