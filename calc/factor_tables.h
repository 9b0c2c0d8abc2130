#pragma once

#include <string>
#include <vector>

// The manual's factor tables (fbd with its lines, the construction bands, αspt, ψbr, fy, ψae, the C40 row
// against the line) and the numbers its prose quotes from them, written at build time from the stages that
// use them, so that a value changed in the calculation changes the manual.
namespace tavrin::factortables {

// One file the manual includes: its name and its reStructuredText.
struct Part {
  std::string file;
  std::string text;
};

// Every part, the substitution definitions the prose refers to among them. Throws std::runtime_error where a
// stage refuses the input a cell is made of, so that no table is written with a hole in it.
std::vector<Part> manualParts();

} // namespace tavrin::factortables
