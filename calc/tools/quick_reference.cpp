// Writes the quick-reference tables for the manual's build: the chapter's reStructuredText and the CSV.
//   tavrin_quick_reference CHAPTER.rst TABLES.csv
#include "calc/quick_reference_tables.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// Binary, so that the CSV's CRLF line ends and the bytes of the UTF-8 text are written as they are.
bool write(const char *path, const std::string &text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  return static_cast<bool>(file.flush());
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::cerr << "usage: tavrin_quick_reference CHAPTER.rst TABLES.csv\n";
    return 2;
  }
  try {
    const auto tables = tavrin::quickref::quickReferenceTables();
    if (write(argv[1], tavrin::quickref::chapterText(tables)) &&
        write(argv[2], tavrin::quickref::csvText(tables))) {
      return 0;
    }
    std::cerr << "tavrin_quick_reference: cannot write " << argv[1] << " or " << argv[2] << "\n";
  } catch (const std::exception &error) {
    std::cerr << "tavrin_quick_reference: " << error.what() << "\n";
  }
  return 1;
}
