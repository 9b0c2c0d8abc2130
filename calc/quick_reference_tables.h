#pragma once

#include "calc/decisions.h"

#include <cstdint>
#include <string>
#include <vector>

// The quick-reference tables (速查表): the adopted depth for every bar diameter and concrete grade under
// common conditions, each cell one complete run of the calculation. The manual's chapter and the CSV
// beside it are written from them at build time, so they cannot drift from the calculation.
namespace tavrin::quickref {

struct Cell {
  std::string depth;               // the adopted depth as the note shows it, mm
  std::vector<CodeNotice> notices; // the run's code notices
};

struct Table {
  std::string steelGrade; // "HRB400"
  std::string seismic; // the intensities and sites the table joins: "6（各类场地）、7（I、II类场地）"
  std::string psiAe; // ψae by concrete grade as the runs took it: "C20～C30 取 1.1，C40～≥C60 取 1"
  std::vector<std::vector<Cell>> rows; // rows[bar diameter][concrete grade], in the lists' order
};

// The six tables: HRB400 then HRB335, each for ψae 1, 1.1 and 1.25. Every cell is run for each intensity and
// site its table joins; throws std::runtime_error where a run is refused or those runs disagree, so that a
// table never shows a number it does not hold for.
std::vector<Table> quickReferenceTables();

// The tables as reStructuredText for the manual's chapter 速查表, without the chapter's heading.
std::string chapterText(const std::vector<Table> &tables);

// The tables as CSV, UTF-8 with a byte-order mark: one header row naming every condition, then one row per
// table and bar diameter.
std::string csvText(const std::vector<Table> &tables);

} // namespace tavrin::quickref
