#pragma once

#include <string>

// One pedigree row as the report reads it: the three band texts, trimmed, of any length.
struct PedigreeRow
{
    std::string identification;
    std::string sire;
    std::string dam;
};

// How the report reads the pedigree it analyses. The main window implements it over its grid;
// the batch command over a grid loaded from a file; tests over plain rows.
class PedigreeSource
{
public:
    virtual ~PedigreeSource() = default;

    // The grid's row count, header row included: the data rows are 1 to this count - 1.
    virtual int GetPedigreeRowCount() const = 0;
    // Reads data row `row`, each cell trimmed of blanks and control characters at both ends.
    // Returns false, and leaves `out` alone, when the grid has no such row.
    virtual bool ReadPedigreeRow(int row, PedigreeRow &out) const = 0;
    // The current file name the page headers show: a full path, or "Untitled.csv".
    virtual std::string CurrentFile() const = 0;
};
