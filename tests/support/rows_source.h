#pragma once

// A pedigree source over plain rows (row 1 first), named as a file, for the tests of whatever
// reads a pedigree.

#include "report/pedigree_source.h"

#include <string>
#include <vector>

class RowsSource : public PedigreeSource
{
public:
    RowsSource(std::vector<PedigreeRow> rows, std::string file = "/lofts/test.csv")
        : m_rows(std::move(rows)), m_file(std::move(file))
    { }

    int GetPedigreeRowCount() const override { return static_cast<int>(m_rows.size()) + 1; }
    bool ReadPedigreeRow(int row, PedigreeRow &out) const override
    {
        if (row < 1 || row > static_cast<int>(m_rows.size()))
            return false;
        out = m_rows[static_cast<std::size_t>(row - 1)];
        return true;
    }
    std::string CurrentFile() const override { return m_file; }

private:
    std::vector<PedigreeRow> m_rows;
    std::string m_file;
};
