#include "calc/anchorage.h"
#include "calc/lists.h"

#include <gtest/gtest.h>

#include <array>

namespace tavrin {
namespace {

using namespace lists;

// Every cell of the splitting-factor table: by diameter, then each cover with each stirrup.
TEST(SplittingFactor, EveryTabulatedCell) {
  // clang-format off
  const std::array<std::pair<std::int16_t, std::int16_t>, 8> columns{{
      {cover25, stirrup6}, {cover25, stirrup8OrMore}, {cover30, stirrup6}, {cover30, stirrup8OrMore},
      {cover35, stirrup6}, {cover35, stirrup8OrMore}, {cover40OrMore, stirrup6}, {cover40OrMore, stirrup8OrMore}}};
  // clang-format on
  const struct {
    double diameter;
    std::array<const char *, 8> shown;
  } rows[] = {
      {6, {"1", "1", "1", "1", "1", "1", "1", "1"}},
      {16, {"1", "1", "1", "1", "1", "1", "1", "1"}},
      {20, {"1", "1", "1", "1", "1", "1", "1", "1"}},
      {22, {"1.04", "1.02", "1.02", "1", "1", "1", "1", "1"}},
      {25, {"1.1", "1.05", "1.05", "1", "1", "1", "1", "1"}},
      {28, {"1.16", "1.09", "1.09", "1.04", "1.04", "1.04", "1.02", "1.02"}},
      {32, {"1.25", "1.15", "1.15", "1.1", "1.1", "1.1", "1.05", "1.05"}},
  };
  for (const auto &row : rows) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const auto [cover, stirrup] = columns.at(i);
      EXPECT_EQ(formatSingle(computeAspt(row.diameter, cover, stirrup).aspt), row.shown.at(i))
          << "d " << row.diameter << " cover " << cover << " stirrup " << stirrup;
    }
  }
}

// Outside the list items: thick bars between the tabulated diameters, no cover, no stirrup.
TEST(SplittingFactor, InputsTheListsDoNotOffer) {
  const struct {
    double diameter;
    std::int16_t cover;
    std::int16_t stirrup;
    float expected;
  } cases[] = {
      {20, -1, -1, 1.0F},                  // thin bars need no allowance, cover or not
      {24, cover25, stirrup6, 1.15F},      // no cell: cover 25 falls back to 1.15
      {24, cover30, stirrup8OrMore, 1.1F}, // cover 30 to 1.1
      {22, cover25, -1, 1.15F},            // no stirrup chosen: no cell matches
      {24, cover35, stirrup6, 1.0F},       // covers 35 and ≥40: up to 25 mm is thin
      {30, cover35, stirrup6, 1.1F},       // between tabulated diameters: the 32 mm value
      {40, cover40OrMore, stirrup8OrMore, 1.05F},
      {28, cover35, -1, 1.04F}, // covers 35 and ≥40 never read the stirrup
      {28, cover40OrMore, -1, 1.02F},
      {32, -1, stirrup6, 1.25F}, // no cover chosen: taken as the thinnest cover
      {32, 100, stirrup8OrMore, 1.15F},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(computeAspt(c.diameter, c.cover, c.stirrup).aspt, c.expected)
        << "d " << c.diameter << " cover " << c.cover << " stirrup " << c.stirrup;
  }
}

} // namespace
} // namespace tavrin
