#include "calc/anchorage.h"

#include <gtest/gtest.h>

#include <array>

namespace tavrin {
namespace {

// Every cell of the splitting-factor table: by diameter, then cover 25 (stirrup 6, >=8),
// cover 30 (6, >=8), cover 35 and cover ≥40 (either stirrup).
TEST(SplittingFactor, EveryTabulatedCell) {
  const struct {
    const char *diameter;
    std::array<const char *, 6> shown;
  } rows[] = {
      {"6", {"1", "1", "1", "1", "1", "1"}},
      {"16", {"1", "1", "1", "1", "1", "1"}},
      {"20", {"1", "1", "1", "1", "1", "1"}},
      {"22", {"1.04", "1.02", "1.02", "1", "1", "1"}},
      {"25", {"1.1", "1.05", "1.05", "1", "1", "1"}},
      {"28", {"1.16", "1.09", "1.09", "1.04", "1.04", "1.02"}},
      {"32", {"1.25", "1.15", "1.15", "1.1", "1.1", "1.05"}},
  };
  const std::array<std::pair<std::int16_t, std::int16_t>, 6> columns{
      {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, -99}, {3, -99}}};
  for (const auto &row : rows) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const auto [cover, stirrup] = columns.at(i);
      for (const std::int16_t s : stirrup == -99 ? std::array<std::int16_t, 2>{0, 1}
                                                 : std::array<std::int16_t, 2>{stirrup, stirrup}) {
        EXPECT_EQ(formatSingle(computeAspt(row.diameter, cover, s)), row.shown.at(i))
            << "d " << row.diameter << " cover " << cover << " stirrup " << s;
      }
    }
  }
}

// Outside the list items: thick bars between the tabulated diameters, no cover, no stirrup.
TEST(SplittingFactor, InputsTheListsDoNotOffer) {
  const struct {
    const char *diameter;
    std::int16_t cover;
    std::int16_t stirrup;
    float expected;
  } cases[] = {
      {"20", -1, -1, 1.0F},                        // thin bars need no allowance, cover or not
      {"24", 0, 0, 1.15F},                         // no cell: cover 25 falls back to 1.15
      {"24", 1, 1, 1.1F},                          // cover 30 to 1.1
      {"22", 0, -1, 1.15F},                        // no stirrup chosen: no cell matches
      {"24", 2, 0, 1.0F},                          // covers 35 and ≥40: up to 25 mm is thin
      {"30", 2, 0, 1.1F},                          // between tabulated diameters: the 32 mm value
      {"40", 3, 1, 1.05F},   {"28", 2, -1, 1.04F}, // covers 35 and ≥40 never read the stirrup
      {"32", -1, 0, 1.25F},                        // no cover chosen: taken as the thinnest cover
      {"32", 100, 1, 1.15F},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(computeAspt(c.diameter, c.cover, c.stirrup), c.expected)
        << "d " << c.diameter << " cover " << c.cover << " stirrup " << c.stirrup;
  }
}

} // namespace
} // namespace tavrin
