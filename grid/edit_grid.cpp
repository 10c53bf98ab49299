#include "grid/edit_grid.h"

#include "grid/grid_errors.h"

#include <algorithm>
#include <utility>

namespace {

const char *const indexOutOfRange = "Grid index out of range";

const std::string &emptyText()
{
    static const std::string empty;
    return empty;
}

} // namespace

TEditGrid::TEditGrid()
{
    // The toolkit grid's own start: 5 x 5 cells with one header row and one header column.
    resizeRows(5);
    resizeColumns(5);
}

TEditGrid::~TEditGrid() = default;

// --- size ----------------------------------------------------------------------------------------

void TEditGrid::SetRowCountEx(int value)
{
    value = std::max(value, 1);
    if (value == GetRowCountEx())
        return;
    if (m_fixedRows >= value)
        SetFixedRowsEx(value - 1);
    if (m_current.Y >= value)
        notify(&EditGridObserver::commitPendingEdit); // the edited cell is about to disappear
    resizeRows(value);
    keepCurrentCellInside();
    clampTopLeft();
    notify(&EditGridObserver::layoutChanged);
}

void TEditGrid::SetColCountEx(int value)
{
    value = std::max(value, 1);
    if (value == GetColCountEx())
        return;
    if (m_fixedCols >= value)
        SetFixedColsEx(value - 1);
    if (m_current.X >= value)
        notify(&EditGridObserver::commitPendingEdit);
    resizeColumns(value);
    keepCurrentCellInside();
    clampTopLeft();
    notify(&EditGridObserver::layoutChanged);
}

void TEditGrid::SetFixedRowsEx(int value)
{
    if (value == m_fixedRows)
        return;
    if (value < 0)
        throw EInvalidGridOperation(indexOutOfRange);
    if (value >= GetRowCountEx())
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    m_fixedRows = value;
    resetToFirstDataCell();
}

void TEditGrid::SetFixedColsEx(int value)
{
    if (value == m_fixedCols)
        return;
    if (value < 0)
        throw EInvalidGridOperation(indexOutOfRange);
    if (value >= GetColCountEx())
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    m_fixedCols = value;
    resetToFirstDataCell();
}

void TEditGrid::resizeRows(int count)
{
    m_rows.resize(static_cast<std::size_t>(count), GridRow { {}, m_defaultRowHeight });
}

void TEditGrid::resizeColumns(int count)
{
    const auto columns = static_cast<std::size_t>(count);
    if (columns < m_colWidths.size()) {
        for (GridRow &row : m_rows) {
            if (row.cells.size() > columns)
                row.cells.resize(columns);
        }
    }
    m_colWidths.resize(columns, m_defaultColWidth);
}

// The current cell moves to the last remaining row or column, as a user move would.
void TEditGrid::keepCurrentCellInside()
{
    const TGridCoord inside { std::min(m_current.X, GetColCountEx() - 1),
        std::min(m_current.Y, GetRowCountEx() - 1) };
    const TGridCoord anchorInside { std::min(m_anchor.X, GetColCountEx() - 1),
        std::min(m_anchor.Y, GetRowCountEx() - 1) };
    if (inside != m_current)
        setCurrentAndAnchor(inside, inside);
    else if (anchorInside != m_anchor)
        setCurrentAndAnchor(m_current, anchorInside);
}

void TEditGrid::clampTopLeft()
{
    m_topRow = std::clamp(m_topRow, m_fixedRows, GetRowCountEx() - 1);
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, GetColCountEx() - 1);
}

void TEditGrid::resetToFirstDataCell()
{
    const TGridCoord first { m_fixedCols, m_fixedRows };
    m_topRow = m_fixedRows;
    m_leftCol = m_fixedCols;
    setCurrentAndAnchor(first, first);
    notify(&EditGridObserver::layoutChanged);
}

void TEditGrid::setCurrentAndAnchor(TGridCoord current, TGridCoord anchor)
{
    const TGridRect previous = Selection();
    m_current = current;
    m_anchor = anchor;
    if (Selection() != previous)
        notify(&EditGridObserver::selectionChanged, previous);
}

// --- cells ---------------------------------------------------------------------------------------

void TEditGrid::checkCell(int column, int row) const
{
    if (column < 0 || column >= GetColCountEx() || row < 0 || row >= GetRowCountEx())
        throw EInvalidGridOperation(indexOutOfRange);
}

void TEditGrid::SetColumnHeaders(std::vector<std::string> headers)
{
    m_columnHeaders = std::move(headers);
    if (m_fixedRows < 1)
        return;
    const int count = std::min(GetColCountEx(), static_cast<int>(m_columnHeaders.size()));
    for (int column = 0; column < count; ++column)
        SetCellEx(column, 0, m_columnHeaders[static_cast<std::size_t>(column)]);
}

const std::string &TEditGrid::GetCellEx(int column, int row) const
{
    if (column < 0 || row < 0 || row >= GetRowCountEx())
        return emptyText();
    const std::vector<std::string> &cells = m_rows[static_cast<std::size_t>(row)].cells;
    if (static_cast<std::size_t>(column) >= cells.size())
        return emptyText();
    return cells[static_cast<std::size_t>(column)];
}

void TEditGrid::SetCellEx(int column, int row, std::string text)
{
    checkCell(column, row);
    std::vector<std::string> &cells = m_rows[static_cast<std::size_t>(row)].cells;
    if (static_cast<std::size_t>(column) >= cells.size()) {
        if (text.empty())
            return; // already empty
        cells.resize(static_cast<std::size_t>(column) + 1);
    }
    cells[static_cast<std::size_t>(column)] = std::move(text);
    notify(&EditGridObserver::cellChanged, column, row);
}

void TEditGrid::ClearRows(int firstRow, int count)
{
    if (GetRowCountEx() > 0 && GetColCountEx() > 0 && count > 0)
        ClearRect(0, firstRow, GetColCountEx() - 1, firstRow + count - 1);
}

void TEditGrid::ClearRect(int left, int top, int right, int bottom)
{
    notify(&EditGridObserver::cellsAboutToBeCleared, TGridRect { left, top, right, bottom });
    const int firstColumn = std::max(left, 0);
    const int lastColumn = std::min(right, GetColCountEx() - 1);
    const int lastRow = std::min(bottom, GetRowCountEx() - 1);
    for (int row = std::max(top, 0); row <= lastRow; ++row) {
        std::vector<std::string> &cells = m_rows[static_cast<std::size_t>(row)].cells;
        const int stored = static_cast<int>(cells.size());
        if (firstColumn == 0 && lastColumn >= stored - 1) {
            cells.clear();
            continue;
        }
        for (int column = firstColumn; column <= std::min(lastColumn, stored - 1); ++column)
            cells[static_cast<std::size_t>(column)] = std::string();
    }
    CellsChanged({ left, top, right, bottom });
}

void TEditGrid::InsertRows(int rowIndex, int count)
{
    if (count <= 0)
        return;
    if (rowIndex < 0 || rowIndex > GetRowCountEx())
        throw EInvalidGridOperation(indexOutOfRange);
    notify(&EditGridObserver::rowsAboutToBeInserted);
    m_rows.insert(m_rows.begin() + rowIndex, static_cast<std::size_t>(count),
        GridRow { {}, m_defaultRowHeight });
    CellsChanged({ 0, rowIndex, GetColCountEx() - 1, GetRowCountEx() - 1 });
    notify(&EditGridObserver::layoutChanged);
}

void TEditGrid::RemoveRows(int rowIndex, int count)
{
    if (rowIndex > GetRowCountEx())
        return;
    if (rowIndex < 0)
        throw EInvalidGridOperation(indexOutOfRange);
    notify(&EditGridObserver::commitPendingEdit);
    const int rememberedRow = m_current.Y;
    const int rememberedTopRow = m_topRow;
    removeRowRange(rowIndex, count);
    restoreAfterRemoval(rememberedRow, rememberedTopRow);
    CellsChanged({ 0, rowIndex, GetColCountEx() - 1, rowIndex + std::max(count, 0) });
    if (m_topRow >= GetRowCountEx() - 1)
        m_topRow = GetRowCountEx() - 1;
    notify(&EditGridObserver::layoutChanged);
}

// Removes up to count rows from rowIndex on. The table keeps at least one row: when every row
// goes, one empty row stays. Fixed rows that no longer fit drop to one less than the row count.
void TEditGrid::removeRowRange(int rowIndex, int count)
{
    const int removed = std::min(count, GetRowCountEx() - rowIndex);
    if (removed <= 0)
        return;
    if (removed == GetRowCountEx()) {
        m_rows.resize(1);
        m_rows.front() = GridRow { {}, m_defaultRowHeight };
    } else {
        m_rows.erase(m_rows.begin() + rowIndex, m_rows.begin() + rowIndex + removed);
    }
    m_fixedRows = std::min(m_fixedRows, GetRowCountEx() - 1);
}

// The current row stays where it was if it still exists; otherwise the last row becomes current.
// Since fixed rows always leave at least one row below them, there is always a last data row.
void TEditGrid::restoreAfterRemoval(int rememberedRow, int rememberedTopRow)
{
    TGridCoord current = m_current;
    if (rememberedRow < GetRowCountEx()) {
        current.Y = rememberedRow;
        m_topRow = rememberedTopRow;
    } else {
        current.Y = GetRowCountEx() - 1;
    }
    setCurrentAndAnchor(current, current);
    clampTopLeft();
}

// --- current cell and selection ------------------------------------------------------------------

void TEditGrid::SetCol(int column)
{
    moveCurrentCell(column, m_current.Y);
}

void TEditGrid::SetRow(int row)
{
    moveCurrentCell(m_current.X, row);
}

void TEditGrid::moveCurrentCell(int column, int row)
{
    checkCell(column, row);
    const TGridCoord target { column, row };
    if (target != m_current)
        notify(&EditGridObserver::commitPendingEdit);
    setCurrentAndAnchor(target, target);
}

TGridRect TEditGrid::Selection() const
{
    return { std::min(m_anchor.X, m_current.X), std::min(m_anchor.Y, m_current.Y),
        std::max(m_anchor.X, m_current.X), std::max(m_anchor.Y, m_current.Y) };
}

void TEditGrid::SelectRange(int firstColumn, int lastColumn, int firstRow, int lastRow)
{
    checkCell(firstColumn, firstRow);
    checkCell(lastColumn, lastRow);
    SetRow(firstRow);
    SetCol(firstColumn);
    setCurrentAndAnchor({ lastColumn, lastRow }, { firstColumn, firstRow });
}

bool TEditGrid::IsSelected(int column, int row) const
{
    if (row < m_fixedRows || column < m_fixedCols)
        return false;
    return Selection().contains(column, row);
}

void TEditGrid::SetTopRow(int row)
{
    const int clamped = std::clamp(row, m_fixedRows, GetRowCountEx() - 1);
    if (clamped == m_topRow)
        return;
    m_topRow = clamped;
    notify(&EditGridObserver::layoutChanged);
}

void TEditGrid::SetLeftCol(int column)
{
    const int clamped = std::clamp(column, m_fixedCols, GetColCountEx() - 1);
    if (clamped == m_leftCol)
        return;
    m_leftCol = clamped;
    notify(&EditGridObserver::layoutChanged);
}

// --- geometry ------------------------------------------------------------------------------------

void TEditGrid::SetDefaultRowHeight(int height)
{
    m_defaultRowHeight = height;
    for (GridRow &row : m_rows)
        row.height = height;
    notify(&EditGridObserver::layoutChanged);
}

void TEditGrid::SetDefaultColWidth(int width)
{
    m_defaultColWidth = width;
    std::fill(m_colWidths.begin(), m_colWidths.end(), width);
    notify(&EditGridObserver::layoutChanged);
}

int TEditGrid::RowHeights(int row) const
{
    if (row < 0 || row >= GetRowCountEx())
        return m_defaultRowHeight;
    return m_rows[static_cast<std::size_t>(row)].height;
}

void TEditGrid::SetRowHeights(int row, int height)
{
    checkCell(0, row);
    m_rows[static_cast<std::size_t>(row)].height = height;
    notify(&EditGridObserver::layoutChanged);
}

int TEditGrid::ColWidths(int column) const
{
    if (column < 0 || column >= GetColCountEx())
        return m_defaultColWidth;
    return m_colWidths[static_cast<std::size_t>(column)];
}

void TEditGrid::SetColWidths(int column, int width)
{
    checkCell(column, 0);
    m_colWidths[static_cast<std::size_t>(column)] = width;
    notify(&EditGridObserver::layoutChanged);
}

// --- notifications and checks --------------------------------------------------------------------

void TEditGrid::CellsChanged(const TGridRect &area)
{
    notify(&EditGridObserver::cellsChanged, area);
}

void TEditGrid::addObserver(EditGridObserver *observer)
{
    m_observers.push_back(observer);
}

void TEditGrid::removeObserver(EditGridObserver *observer)
{
    std::erase(m_observers, observer);
}

std::string TEditGrid::checkConsistency() const
{
    const int rows = GetRowCountEx();
    const int columns = GetColCountEx();
    if (rows < 1 || columns < 1)
        return "the table has no cell";
    if (m_fixedRows < 0 || m_fixedRows >= rows)
        return "fixed rows outside 0 .. RowCount - 1";
    if (m_fixedCols < 0 || m_fixedCols >= columns)
        return "fixed columns outside 0 .. ColCount - 1";
    for (const GridRow &row : m_rows) {
        if (static_cast<int>(row.cells.size()) > columns)
            return "a row holds cells beyond ColCount";
    }
    if (m_current.X < 0 || m_current.X >= columns || m_current.Y < 0 || m_current.Y >= rows)
        return "the current cell lies outside the table";
    if (m_anchor.X < 0 || m_anchor.X >= columns || m_anchor.Y < 0 || m_anchor.Y >= rows)
        return "the anchor lies outside the table";
    if (m_topRow < m_fixedRows || m_topRow >= rows)
        return "TopRow outside the scrollable rows";
    if (m_leftCol < m_fixedCols || m_leftCol >= columns)
        return "LeftCol outside the scrollable columns";
    return {};
}
