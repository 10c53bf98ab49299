#pragma once

#include <string>

class TEditGrid;

// The main window's pedigree grid and the calls its document commands make on it, gathered so
// that every reader of pedigree files (the main window, the report, batch runs) uses one format.

// Gives the grid the main window's design: 3 columns of 152, 153 and 150 pixels, 2 rows of 21
// pixels, one header row holding IDENTIFICATION, SIRE and DAM, no header column, and the current
// cell on the first data cell.
void configurePedigreeGrid(TEditGrid &grid);

// The CSV settings the main window applies before every save and load: delimiter ",", header row
// excluded, every cell (empty ones too) between double quotes.
void applyPedigreeCsvSettings(TEditGrid &grid);

// The reset of the New and Open commands: SetFixedRowsEx(1), ClearRows(1, RowCount - 1) and, with
// at least two rows, RemoveRows(2, RowCount - 2), leaving the header row and one empty data row.
// Throws "Fixed row count must be less than row count" on a grid that was left with a single row.
void resetPedigreeGrid(TEditGrid &grid);

// Resets the grid, applies the CSV settings and loads the file, as the Open command does: the
// file's lines become data rows 1 on. Throws EEditGridError as LoadFromCSV does.
void loadPedigreeFile(TEditGrid &grid, const std::string &fileName);

// Applies the CSV settings and saves the data rows, as the Save commands do.
void savePedigreeFile(TEditGrid &grid, const std::string &fileName);
