#pragma once

#include <string>
#include <string_view>
#include <vector>

// CSV as spreadsheets and CAD tables read it: UTF-8 opened by a byte-order mark, so that a spreadsheet takes
// the Chinese text as UTF-8, and each line ended by CRLF.
namespace tavrin::csv {

inline constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The fields joined by commas and ended by CRLF, a field quoted where it holds a separator, a quote or a
// line break.
std::string line(const std::vector<std::string> &fields);

} // namespace tavrin::csv
