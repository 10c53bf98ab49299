#pragma once

#include "report/pedigree_source.h"

#include <string>
#include <string_view>

class TEditGrid;

// The pedigree document of the main window: the pedigree grid, the file it was read from or last
// saved to, and the reading of trimmed rows for the analysis report. The window adds the dirty
// flag, the dialogs and the save-changes question on top of it; the batch command uses it as is.
class PedigreeDocument : public PedigreeSource
{
public:
    // Name of a document that has never been saved or opened.
    static constexpr const char *UntitledFile = "Untitled.csv";

    // Works on `grid`, which must outlive the document.
    explicit PedigreeDocument(TEditGrid &grid);

    // Gives a grid its pedigree layout: 3 columns IDENTIFICATION, SIRE and DAM, a header row and
    // one empty data row.
    static void setUpPedigreeGrid(TEditGrid &grid);

    // Texts with blanks and control characters (bytes up to the space) removed at both ends.
    static std::string trimmed(std::string_view cell);

    TEditGrid &grid() const { return m_grid; }

    std::string CurrentFile() const override { return m_currentFile; }
    void setCurrentFile(std::string fileName) { m_currentFile = std::move(fileName); }

    // The comma-separated file settings the grid uses for every load and save: data rows only,
    // every field quoted.
    void applyCsvSettings();
    // Leaves the grid with its header row and one empty data row.
    void resetGrid();
    // Resets the grid and loads the file into it; the file becomes the current file. Throws the
    // grid's EEditGridError when the file cannot be read (the grid has then been reset and the
    // current file is unchanged).
    void open(const std::string &fileName);

    int GetPedigreeRowCount() const override;
    bool ReadPedigreeRow(int row, PedigreeRow &out) const override;

private:
    TEditGrid &m_grid;
    std::string m_currentFile = UntitledFile;
};
