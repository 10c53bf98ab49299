#pragma once

#include "grid/import_table.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TEditGrid;

// Turns a table another program wrote into the pedigree's three columns:
//
//   PedigreeImport result = importPedigree(readImportTable("loft.xlsx"), {});
//   for (const std::string &problem : result.problems) ...   // "row 7: no band; row left out"
//   fillPedigreeGrid(grid, result.rows);

enum class PedigreeColumn {
    Band,
    Sire,
    Dam,
};

// Which table column each pedigree column comes from, counted from 1 or named as in the header
// row; empty texts are guessed from the header.
struct ImportChoice
{
    std::array<std::string, 3> columns; // by PedigreeColumn
    bool unifySeparators = false;
    std::optional<bool> firstRowIsHeader = std::nullopt; // nothing: guessed from the first row
};

struct PedigreeImport
{
    std::vector<std::array<std::string, 3>> rows; // band, sire and dam as 8-bit text
    std::vector<std::string> problems; // one line for each row left out, with its line number
    bool hasHeader = false;
    std::array<int, 3> columns {}; // the table column of each pedigree column, from 0
};

// The header text reduced for comparing: letters in lower case without accents, digits kept,
// everything else dropped ("Ring-Nr." -> "ringnr", "Père" -> "pere", "obrączka" -> "obraczka").
std::string foldedHeader(std::string_view utf8);

// The pedigree column a header cell names in English, Dutch, German, French, Polish or Spanish.
std::optional<PedigreeColumn> headerColumn(std::string_view utf8);

// A first row is a header when a cell names a pedigree column or no cell holds a digit.
bool looksLikeHeader(const std::vector<std::string> &cells);

// The header cell that names the pedigree column, from 0; -1 when none does.
int namedColumn(const std::vector<std::string> &header, PedigreeColumn column);

// Runs of blanks, '-', '.', '/' and '_' inside a band become one '-' ("NL 2020 123" -> "NL-2020-123").
std::string unifiedSeparators(std::string_view band);

// A cell as a band: trimmed, in capitals by the grid's rule for typed bands and, when asked, with
// unified separators. Sets `problem` and returns nothing when the band is longer than 18
// characters or holds a character without a Windows-1252 byte.
std::optional<std::string> cleanBand(std::string_view utf8, bool unify, std::string &problem);

// One table row as a pedigree row: the cells of the table columns `columns` (from 0; a cell the
// row lacks is empty) as bands. Sets `problem` ("dam 'X' is longer than 18 characters", "no band")
// and returns nothing when the row is to be left out.
std::optional<std::array<std::string, 3>> importedRow(const std::vector<std::string> &cells,
    const std::array<int, 3> &columns, bool unify, std::string &problem);

// Picks the columns (the choice, else the header's names, else the first three) and converts every
// row. Rows whose cells cannot be bands are left out and listed. Throws TableImportError when a
// chosen column does not exist or the header names no band, sire or dam column.
PedigreeImport importPedigree(const ImportTable &table, const ImportChoice &choice);

// Leaves the pedigree grid holding the rows (one empty data row for none).
void fillPedigreeGrid(TEditGrid &grid, const std::vector<std::array<std::string, 3>> &rows);
