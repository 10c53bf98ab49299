#include "grid/pedigree_grid.h"

#include "grid/edit_grid.h"

void configurePedigreeGrid(TEditGrid &grid)
{
    grid.SetColCountEx(3);
    grid.SetRowCountEx(2);
    grid.SetFixedColsEx(0);
    grid.SetFixedRowsEx(1);
    grid.SetDefaultRowHeight(21);
    grid.SetColWidths(0, 152);
    grid.SetColWidths(1, 153);
    grid.SetColWidths(2, 150);
    grid.SetColumnHeaders({ "IDENTIFICATION", "SIRE", "DAM" });
    grid.SelectRange(0, 0, 1, 1);
}

void applyPedigreeCsvSettings(TEditGrid &grid)
{
    grid.CsvDelimiter = ',';
    grid.CsvIncludeFixedCells = false;
    grid.CsvQuoteEmpty = true;
    grid.CsvQuoteAll = true;
}

void resetPedigreeGrid(TEditGrid &grid)
{
    grid.SetFixedRowsEx(1);
    grid.ClearRows(1, grid.GetRowCountEx() - 1);
    if (grid.GetRowCountEx() >= 2)
        grid.RemoveRows(2, grid.GetRowCountEx() - 2);
}

void loadPedigreeFile(TEditGrid &grid, const std::string &fileName)
{
    resetPedigreeGrid(grid);
    applyPedigreeCsvSettings(grid);
    grid.LoadFromCSV(fileName);
}

void savePedigreeFile(TEditGrid &grid, const std::string &fileName)
{
    applyPedigreeCsvSettings(grid);
    grid.SaveToCSV(fileName);
}
