#pragma once

#include "find_parameters.h"

#include <string>
#include <string_view>
#include <vector>

// A cell address or a column/row pair, both counted from 0.
struct TGridCoord
{
    int X = 0; // column
    int Y = 0; // row

    friend bool operator==(const TGridCoord &, const TGridCoord &) = default;
};

// A rectangle of cells, inclusive on all four sides, in column/row indexes.
struct TGridRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool contains(int column, int row) const
    {
        return Left <= column && column <= Right && Top <= row && row <= Bottom;
    }

    friend bool operator==(const TGridRect &, const TGridRect &) = default;
};

// Told by a TEditGrid about the changes that an editing, painting grid reacts to. Every hook does
// nothing unless overridden.
class EditGridObserver
{
public:
    virtual ~EditGridObserver() = default;

    // Before the current cell moves away from its cell and before rows are removed: an editing
    // grid stores its editor's text into the cell and validates it here.
    virtual void commitPendingEdit() { }
    // Before the cells of the area are emptied, and before rows are inserted.
    virtual void cellsAboutToBeCleared(const TGridRect &area) { (void)area; }
    virtual void rowsAboutToBeInserted() { }
    // One cell's text was stored.
    virtual void cellChanged(int column, int row)
    {
        (void)column;
        (void)row;
    }
    // Texts changed in bulk (a load, a cleared rectangle, inserted or removed rows). The rectangle
    // may reach one past the table.
    virtual void cellsChanged(const TGridRect &area) { (void)area; }
    // Once at the end of every load, after cellsChanged.
    virtual void cellsLoaded() { }
    // Row or column counts, fixed counts, sizes or the top-left visible cell changed.
    virtual void layoutChanged() { }
    // The current cell or the anchor changed; previous is the selection before the change.
    virtual void selectionChanged(const TGridRect &previous) { (void)previous; }
};

// The pedigree grid: a table of 8-bit text cells with header rows and columns, a current cell, a
// selection and the comma-separated file format the pedigree documents are kept in.
//
// The class holds no window: everything here runs without a display. The editing rules and the
// on-screen grid watch it through EditGridObserver, whose hooks the model calls at exactly the
// points where an editing, painting grid has to react.
//
//          column 0        1      2        FixedCols columns on the left are headers
//        +----------------+------+-----+
//  row 0 | IDENTIFICATION | SIRE | DAM |  FixedRows rows at the top are headers
//        +----------------+------+-----+
//  row 1 | data cells ...                 the selection spans the anchor and the current cell
class TextFileReader;

class TEditGrid
{
public:
    TEditGrid();
    virtual ~TEditGrid();

    TEditGrid(const TEditGrid &) = delete;
    TEditGrid &operator=(const TEditGrid &) = delete;

    // Table size. A row or column count of 0 or less becomes 1; a fixed count that would no longer
    // be below the new size drops to size - 1 first. Cells beyond a smaller size are discarded, and
    // a current cell outside the table moves to the last remaining row or column (committing a
    // pending edit, as a move by the user does), with the anchor following it.
    int GetRowCountEx() const { return static_cast<int>(m_rows.size()); }
    void SetRowCountEx(int value);
    int GetColCountEx() const { return static_cast<int>(m_colWidths.size()); }
    void SetColCountEx(int value);

    // Header rows and columns. Setting a different value resets the current cell, the anchor and
    // the top-left visible cell to (FixedCols, FixedRows) without committing a pending edit.
    // Throws EInvalidGridOperation: "Grid index out of range" for a negative value, "Fixed row
    // count must be less than row count" or "Fixed column count must be less than column count".
    int GetFixedRowsEx() const { return m_fixedRows; }
    void SetFixedRowsEx(int value);
    int GetFixedColsEx() const { return m_fixedCols; }
    void SetFixedColsEx(int value);

    // Texts stored into row 0, one per column, when the grid has a header row; strings beyond the
    // column count are ignored. Afterwards they are ordinary cell texts.
    const std::vector<std::string> &ColumnHeaders() const { return m_columnHeaders; }
    void SetColumnHeaders(std::vector<std::string> headers);

    // The stored text of a cell; a cell outside the table reads as empty. The reference stays
    // valid until the grid is next changed.
    const std::string &GetCellEx(int column, int row) const;
    // Stores the text of a cell inside the table, else throws "Grid index out of range".
    void SetCellEx(int column, int row, std::string text);

    // Empties every column of rows first .. first + count - 1 through ClearRect; nothing when the
    // count is 0 or less.
    void ClearRows(int firstRow, int count);
    // Empties the cells of the rectangle (clipped to the table), then reports it to CellsChanged.
    // The row count, the current cell and the selection stay.
    virtual void ClearRect(int left, int top, int right, int bottom);
    // Inserts count empty rows of the default height before rowIndex (0 .. RowCount); the current
    // cell keeps its indexes. Throws "Grid index out of range" for another index.
    virtual void InsertRows(int rowIndex, int count);
    // Removes count rows from rowIndex on, after committing a pending edit. The current row stays
    // where it was if it still exists, otherwise the last row becomes current. An index beyond
    // RowCount does nothing. The table never loses its last row: removing it empties it instead.
    virtual void RemoveRows(int rowIndex, int count);

    // The current cell (Col, Row) and the anchor; Selection spans both.
    int Col() const { return m_current.X; }
    int Row() const { return m_current.Y; }
    // Move the current cell and the anchor, committing a pending edit first when the cell changes.
    // Throws "Grid index out of range" outside the table and then leaves everything as it was.
    void SetCol(int column);
    void SetRow(int row);
    void moveCurrentCell(int column, int row);
    TGridCoord anchor() const { return m_anchor; }
    TGridRect Selection() const;

    // Makes lastRow, then lastColumn current (each a normal move that commits a pending edit), then
    // spans the selection from (firstColumn, firstRow) to (lastColumn, lastRow). Any index outside
    // the table throws "Grid index out of range" before anything changes.
    void SelectRange(int firstColumn, int lastColumn, int firstRow, int lastRow);
    // True for a data cell (not in a fixed row or column) inside Selection.
    bool IsSelected(int column, int row) const;

    // First scrollable row and column shown at the top left, kept inside the non-fixed part.
    int TopRow() const { return m_topRow; }
    void SetTopRow(int row);
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int column);

    // Row heights and column widths in screen pixels, kept with their rows and columns. Setting a
    // default resizes every row (column) to it; added rows and columns take the default.
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int height);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int ColWidths(int column) const;
    void SetColWidths(int column, int width);

    // CSV settings read by SaveToCSV and LoadFromCSV. A zero delimiter is used as a NUL byte.
    char CsvDelimiter = 0;
    bool CsvIncludeFixedCells = true; // header rows and columns are written and read as data
    bool CsvQuoteEmpty = true; // an empty cell is written as ""
    bool CsvQuoteAll = false; // every cell is written between double quotes

    // The range of cells the CSV operations cover: from the first non-fixed row and column (or
    // from 0 when CsvIncludeFixedCells is set) to the last row and column.
    int GetSaveStartRow() const;
    int GetSaveEndRow() const;
    int GetSaveStartCol() const;
    int GetSaveEndCol() const;

    // Writes the covered range as one line per row, ending in CR LF. The new content goes to a
    // temporary file beside the target that then replaces it, so a failure leaves any previous
    // file as it was. Throws EEditGridError "Cannot Create file <name>" when the file cannot be
    // created, or the text-file layer's message when writing or replacing fails.
    void SaveToCSV(const std::string &fileName);
    // Reads the file into the grid from (GetSaveStartCol, GetSaveStartRow) on, one row per line,
    // widening ColCount for longer lines and leaving RowCount at the first row plus the number of
    // lines. Cells the file does not reach keep their texts. Throws EEditGridError
    // "Cannot open file <name>" before touching the grid when the file cannot be opened; after a
    // read failure the rows loaded so far stay and the text-file layer's message is thrown.
    void LoadFromCSV(const std::string &fileName);
    // Opens a file for LoadFromCSV or another reader of the grid's files; throws EEditGridError
    // "Cannot open file <name>" when it cannot be opened.
    static void OpenCSVFile(TextFileReader &reader, const std::string &fileName);

    // The text written for one cell; the stored text unless overridden.
    virtual std::string SaveCell(int column, int row);
    // Stores one loaded field directly, with no validation and no edit event, unless overridden.
    // The column lies inside the table.
    virtual void LoadCell(int column, int row, std::string value);

    // Returns "" when every invariant of the model holds, otherwise a description of the first one
    // broken. For tests.
    std::string checkConsistency() const;

    // Observers are told in the order they were added; each must stay alive while it is added.
    void addObserver(EditGridObserver *observer);
    void removeObserver(EditGridObserver *observer);

    // --- search (grid_find.cpp) ---
    // Looks for the next cell, after start, whose text matches text under the parameters, and
    // returns it, or (-1, -1) when the scan reaches the end of the range (it never wraps). A start
    // of (-1, -1) searches from the first cell of the range (the last one with fnBackward). The
    // range is the data cells, or every cell with fnIncludeFixed, narrowed to the current row or
    // column by the scope flags. With fnAutoGoto a match in a data cell becomes the current cell
    // (row first, then column, each a normal move); a match in a header cell is returned but never
    // made current. An empty text matches nothing; a text of two double quotes matches empty cells.
    TGridCoord Find(TGridCoord start, std::string_view text, TFindParameters parameters);
    // Whether the cell matches the text and parameters of the last Find; false before any.
    bool MatchCell(int column, int row) const;

private:
    struct SearchState
    {
        std::string text; // upper-cased unless fnMatchCase
        TFindParameters parameters;
        unsigned char upper[256] = {}; // each byte as compared: upper-cased unless fnMatchCase
        mutable std::string cellText; // a cell without its markup, reused by MatchCell
    };
    SearchState m_search;

private:
    struct GridRow
    {
        std::vector<std::string> cells; // may be shorter than ColCount: missing cells are empty
        int height = 0;
    };

    void checkCell(int column, int row) const;
    void resizeRows(int count);
    void resizeColumns(int count);
    void keepCurrentCellInside();
    void setCurrentAndAnchor(TGridCoord current, TGridCoord anchor);
    void resetToFirstDataCell();
    void clampTopLeft();
    void removeRowRange(int rowIndex, int count);
    void restoreAfterRemoval(int rememberedRow, int rememberedTopRow);
    void loadLine(const std::string &line, int column, int row);
    void storeLoadedField(int &column, int row, std::string field);
    // The change notification for cells whose texts changed in bulk.
    void CellsChanged(const TGridRect &area);
    template <class Hook, class... Arguments> void notify(Hook hook, const Arguments &...arguments);

    std::vector<GridRow> m_rows;
    std::vector<int> m_colWidths;
    std::vector<std::string> m_columnHeaders;
    std::vector<EditGridObserver *> m_observers;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    TGridCoord m_current { 1, 1 };
    TGridCoord m_anchor { 1, 1 };
    int m_topRow = 1;
    int m_leftCol = 1;
    int m_defaultRowHeight = 24;
    int m_defaultColWidth = 64;
};

template <class Hook, class... Arguments>
void TEditGrid::notify(Hook hook, const Arguments &...arguments)
{
    for (EditGridObserver *observer : m_observers)
        (observer->*hook)(arguments...);
}
