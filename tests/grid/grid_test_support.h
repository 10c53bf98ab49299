#pragma once

#include "grid/edit_grid.h"

#include <ostream>
#include <string>
#include <vector>

// Shows a cell as (column, row) in test failures. Declared here so that every test program
// prints cells the same way.
void PrintTo(const TGridCoord &cell, std::ostream *out);

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();

    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::string &path() const { return m_path; }
    std::string file(const std::string &name) const { return m_path + "/" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::string m_path;
};

void writeBytes(const std::string &fileName, const std::string &bytes);
std::string readBytes(const std::string &fileName);

// Rows of cells, for comparing a grid's data with an expectation.
using CellRows = std::vector<std::vector<std::string>>;

// The cells of rows first .. RowCount - 1, every column.
CellRows dataRows(const TEditGrid &grid, int firstRow = 1);

// A grid that records the calls of its observer hooks.
class RecordingGrid : public TEditGrid, private EditGridObserver
{
public:
    RecordingGrid() { addObserver(this); }

    int commits = 0;
    std::vector<TGridCoord> committedAt;
    std::vector<TGridRect> changes;
    int loads = 0;

private:
    void commitPendingEdit() override
    {
        ++commits;
        committedAt.push_back({ Col(), Row() });
    }
    void cellsChanged(const TGridRect &area) override { changes.push_back(area); }
    void cellsLoaded() override { ++loads; }
};
