#pragma once

#include "calc/anchorage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Turns fuzz bytes into a calculation input and checks what a run of it must always satisfy. Shared by the
// libFuzzer target and by the test that replays the stored corpus in every ordinary build.
namespace tavrin::fuzz {

// The byte layout, chosen so that hand-written corpus files stay readable:
//   byte 0  flags: bit 0 the temperature entry is shown, bit 1 the bond-strength entry is shown,
//           bit 2 the grade text and bit 3 the diameter text come from the texts below instead of the list
//   byte 1  repeat: at 0x80 or above, text (r & 7) % 7 is repeated ((r >> 3) & 15) * 128 + 1 times
//   then one byte per list, in the order of listOrder: below 0x80 a valid index (byte % item count, so
//           '0'..'9' pick the first items), 0x80-0xBF nothing chosen (-1), 0xC0-0xEF an index just outside
//           the list or at the 16-bit limits, 0xF0-0xFF any 16-bit index taken from the next two bytes
//   the rest: seven texts ended by '\n', '\\' making the next byte literal: spacing, edge distance,
//           moisture, temperature, bond strength, grade text, diameter text. Missing texts are empty.
AnchorageInput decodeInput(std::span<const std::uint8_t> bytes);

// The properties every run must keep, as readable violations (empty when the run is sound):
// it completes with every value reached, or stops at one rejection with a message; every reached value
// is finite and formats to at most 7 significant digits that read back within a relative 1e-6; and the
// values are announced in run order, each once, as they are stored; and no text with malformed UTF-8 reads
// as a number.
std::vector<std::string> checkRun(const AnchorageInput &input);

// The input as text, for a report that lets the failing case be read.
std::string describeInput(const AnchorageInput &input);

} // namespace tavrin::fuzz
