#include "calc/csv.h"

#include "calc/working.h"

namespace tavrin::csv {
namespace {

std::string field(const std::string &text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  }
  return quoted + "\"";
}

} // namespace

std::string line(const std::vector<std::string> &fields) {
  std::vector<std::string> quoted;
  quoted.reserve(fields.size());
  for (const std::string &text : fields) {
    quoted.push_back(field(text));
  }
  return joined(quoted, ",") + "\r\n";
}

} // namespace tavrin::csv
