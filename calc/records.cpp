#include "calc/records.h"

#include "calc/conversions.h"

#include <string_view>

namespace tavrin {
namespace {

bool isUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// The last n characters (not bytes) of a UTF-8 text, which may begin with a multi-byte sign such as ≥.
std::string_view lastCharacters(std::string_view text, int n) {
  std::size_t start = text.size();
  for (int taken = 0; taken < n && start > 0; ++taken) {
    do {
      --start;
    } while (start > 0 && isUtf8Continuation(text[start]));
  }
  return text.substr(start);
}

} // namespace

double gradeNumber(const AnchorageInput &input) {
  std::string_view text = input.concreteGrade.text;
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return lenientNumber(lastCharacters(text, 2));
}

} // namespace tavrin
