#pragma once

#include "report/pedigree_source.h"

#include <functional>
#include <string>

// Reads a pedigree file the way the pedigree window loads it (the grid's comma-separated file
// rules and the pedigree's file settings) and hands each line's first three fields, trimmed like
// grid cells, to `row` with the grid row the line would fill (from 1), without holding the file
// in a grid: for files of millions of rows.
//
// Throws EEditGridError "Cannot open file NAME" when the file cannot be opened, and with the
// system's reason when reading fails part-way (the rows handed on so far stay handed on).
void readPedigreeRows(
    const std::string &fileName, const std::function<void(int row, const PedigreeRow &)> &row);
