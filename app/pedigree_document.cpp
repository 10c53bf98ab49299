#include "pedigree_document.h"

#include "grid/edit_grid.h"
#include "grid/pedigree_grid.h"

PedigreeDocument::PedigreeDocument(TEditGrid &grid) : m_grid(grid) { }

void PedigreeDocument::setUpPedigreeGrid(TEditGrid &grid)
{
    configurePedigreeGrid(grid);
}

std::string PedigreeDocument::trimmed(std::string_view cell)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t first = 0;
    size_t end = cell.size();
    while (first < end && isBlank(cell[first]))
        ++first;
    while (end > first && isBlank(cell[end - 1]))
        --end;
    return std::string(cell.substr(first, end - first));
}

void PedigreeDocument::applyCsvSettings()
{
    applyPedigreeCsvSettings(m_grid);
}

void PedigreeDocument::resetGrid()
{
    resetPedigreeGrid(m_grid);
}

void PedigreeDocument::open(const std::string &fileName)
{
    loadPedigreeFile(m_grid, fileName);
    m_currentFile = fileName;
}

int PedigreeDocument::GetPedigreeRowCount() const
{
    return m_grid.GetRowCountEx();
}

bool PedigreeDocument::ReadPedigreeRow(int row, PedigreeRow &out) const
{
    // Only rows that exist are read: row count - 1 is the last one.
    if (row < 0 || row >= m_grid.GetRowCountEx())
        return false;
    out.identification = trimmed(m_grid.GetCellEx(0, row));
    out.sire = trimmed(m_grid.GetCellEx(1, row));
    out.dam = trimmed(m_grid.GetCellEx(2, row));
    return true;
}
