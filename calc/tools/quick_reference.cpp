// Writes what the manual's build takes from the calculation: the quick-reference chapter's reStructuredText
// and its CSV, and into a folder the factor tables and the numbers the prose quotes, one file each.
//   tavrin_quick_reference CHAPTER.rst TABLES.csv FOLDER
#include "calc/factor_tables.h"
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
  if (argc != 4) {
    std::cerr << "usage: tavrin_quick_reference CHAPTER.rst TABLES.csv FOLDER\n";
    return 2;
  }
  try {
    const auto tables = tavrin::quickref::quickReferenceTables();
    if (!write(argv[1], tavrin::quickref::chapterText(tables)) ||
        !write(argv[2], tavrin::quickref::csvText(tables))) {
      std::cerr << "tavrin_quick_reference: cannot write " << argv[1] << " or " << argv[2] << "\n";
      return 1;
    }
    for (const tavrin::factortables::Part &part : tavrin::factortables::manualParts()) {
      const std::string path = std::string(argv[3]) + "/" + part.file;
      if (!write(path.c_str(), part.text)) {
        std::cerr << "tavrin_quick_reference: cannot write " << path << "\n";
        return 1;
      }
    }
    return 0;
  } catch (const std::exception &error) {
    std::cerr << "tavrin_quick_reference: " << error.what() << "\n";
  }
  return 1;
}
