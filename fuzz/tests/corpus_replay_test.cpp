#include "fuzz/fuzz_input.h"

#include "calc/input_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tavrin::fuzz {
namespace {

using namespace std::literals;

std::vector<std::uint8_t> bytesOf(std::string_view text) {
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> readFile(const std::filesystem::path &path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The layout must reach what the fuzzer is meant to vary: every list index kind, every text, both flags.
TEST(FuzzInput, DecodesListsTextsAndFlags) {
  // The seed "defaults" is the window's opening inputs, every list and text of them.
  const std::filesystem::path corpus(TAVRIN_FUZZ_CORPUS);
  EXPECT_EQ(decodeInput(readFile(corpus / "defaults")), anchorageInputOf(defaultInputState()));

  // Flags 0x0F: both entries shown, grade and diameter texts typed; the first list takes two index bytes.
  const AnchorageInput odd = decodeInput(bytesOf("?0\xF0\x80\x00\x80\xC6\xC7"
                                                 "11111"
                                                 "0\n\\\n2\n\nt\nb\nC9x\n0"sv));
  EXPECT_EQ(odd.concreteGrade.index, INT16_MIN);
  EXPECT_EQ(odd.concreteGrade.text, "C9x");
  EXPECT_EQ(odd.coverThickness, -1);
  EXPECT_EQ(odd.barDiameter.index, INT16_MAX);
  EXPECT_EQ(odd.barDiameter.text, "0");
  EXPECT_EQ(odd.steelGrade, INT16_MIN);
  EXPECT_EQ(odd.barSpacing, "0");
  EXPECT_EQ(odd.edgeDistance, "\n2");
  EXPECT_EQ(odd.moistureFactor, "");
  EXPECT_TRUE(odd.temperatureFactor.shown);
  EXPECT_EQ(odd.temperatureFactor.text, "t");
  EXPECT_TRUE(odd.userBondStrength.shown);

  // Repeat byte 0x8A: text 2 (moisture) repeated 128 + 1 times.
  const AnchorageInput long_ = decodeInput(bytesOf("0\x8A"
                                                   "000000000\n\n9"sv));
  EXPECT_EQ(long_.moistureFactor, std::string(129, '9'));
}

// Every stored corpus input, including each one that once broke a property, keeps every property.
TEST(FuzzCorpus, EveryStoredInputKeepsTheRunProperties) {
  std::size_t replayed = 0;
  for (const auto &file : std::filesystem::directory_iterator(TAVRIN_FUZZ_CORPUS)) {
    const std::vector<std::uint8_t> bytes = readFile(file.path());
    const AnchorageInput input = decodeInput(bytes);
    EXPECT_EQ(checkRun(input), std::vector<std::string>{})
        << file.path().filename() << ": " << describeInput(input);
    ++replayed;
  }
  EXPECT_GE(replayed, 10U) << "the seed corpus is missing";
}

} // namespace
} // namespace tavrin::fuzz
