#include "grid/edit_grid.h"

#include "grid/cell_markup.h"
#include "platform/locale_text.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr TGridCoord noCell { -1, -1 };

// Every byte value once, in increasing order.
std::string allByteValues()
{
    std::string bytes(256, '\0');
    for (int value = 0; value < 256; ++value)
        bytes[value] = char(value);
    return bytes;
}

// Whether text, each byte mapped through table, holds pattern at position. The text reaches
// position + pattern.size().
bool holdsAt(std::string_view text, std::size_t position, std::string_view pattern,
    const unsigned char *table)
{
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (char(table[static_cast<unsigned char>(text[position + i])]) != pattern[i])
            return false;
    }
    return true;
}

// Where pattern first occurs in text with each byte of text mapped through table, or npos.
std::size_t findThrough(std::string_view text, std::string_view pattern, const unsigned char *table)
{
    for (std::size_t position = 0; position + pattern.size() <= text.size(); ++position) {
        if (holdsAt(text, position, pattern, table))
            return position;
    }
    return std::string_view::npos;
}

// An inclusive range of row or column indexes.
struct IndexRange
{
    int first = 0;
    int last = 0;

    bool contains(int index) const { return first <= index && index <= last; }
};

// Scans a two-dimensional range line by line in the direction of step (+1 or -1): the outer
// index runs from startOuter to the end of its range; the first line is scanned from startInner,
// every later line from the beginning of the inner range. A start before the range begins at its
// beginning; a start past its end scans nothing. Returns the first (outer, inner) pair that
// matches.
template <typename Match>
std::optional<std::pair<int, int>> scanLines(
    IndexRange outer, IndexRange inner, int startOuter, int startInner, int step, Match match)
{
    const auto comesBefore = [step](int a, int b) { return step > 0 ? a < b : a > b; };
    const int outerBegin = step > 0 ? outer.first : outer.last;
    const int outerEnd = step > 0 ? outer.last : outer.first;
    const int innerBegin = step > 0 ? inner.first : inner.last;
    const int innerEnd = step > 0 ? inner.last : inner.first;

    int o = startOuter;
    int i = startInner;
    if (comesBefore(o, outerBegin)) {
        o = outerBegin;
        i = innerBegin;
    }
    if (comesBefore(i, innerBegin))
        i = innerBegin;
    for (; !comesBefore(outerEnd, o); o += step, i = innerBegin) {
        for (; !comesBefore(innerEnd, i); i += step) {
            if (match(o, i))
                return std::pair { o, i };
        }
    }
    return std::nullopt;
}

// The cells a search covers and the cell it starts with.
struct SearchArea
{
    IndexRange columns;
    IndexRange rows;
    TGridCoord from;
};

// The data cells (every cell with fnIncludeFixed), narrowed to the current row or column by the
// scope, and the start: the first cell of that range for (-1, -1) (the last one backwards),
// otherwise one step past the given cell in the scan order. Nothing when there is nothing to
// search.
std::optional<SearchArea> searchArea(
    const TEditGrid &grid, TGridCoord start, TFindParameters parameters)
{
    const int colCount = grid.GetColCountEx();
    const int rowCount = grid.GetRowCountEx();
    const int fixedCols = grid.GetFixedColsEx();
    const int fixedRows = grid.GetFixedRowsEx();
    if (colCount == fixedCols || colCount == 0 || rowCount == fixedRows || rowCount == 0)
        return std::nullopt;

    const bool includeFixed = parameters.contains(fnIncludeFixed);
    SearchArea area { { includeFixed ? 0 : fixedCols, colCount - 1 },
        { includeFixed ? 0 : fixedRows, rowCount - 1 }, noCell };
    const bool inCurrentRow = parameters.contains(fnFindInCurrentRow);
    const bool inCurrentCol = parameters.contains(fnFindInCurrentCol);
    if ((inCurrentRow && !area.rows.contains(grid.Row()))
        || (inCurrentCol && !area.columns.contains(grid.Col())))
        return std::nullopt;
    if (inCurrentRow)
        area.rows = { grid.Row(), grid.Row() };
    if (inCurrentCol)
        area.columns = { grid.Col(), grid.Col() };

    const bool backward = parameters.contains(fnBackward);
    if (start == noCell) {
        area.from = backward ? TGridCoord { area.columns.last, area.rows.last }
                             : TGridCoord { area.columns.first, area.rows.first };
        return area;
    }
    // The scope moves the start into the current row or column before the step past it, so a
    // step that leaves a one-row range goes on to the next column instead of repeating the cell.
    // Far-off starts are pulled in next to the table, where they scan the same cells.
    area.from = { inCurrentCol ? grid.Col() : std::clamp(start.X, -2, colCount + 1),
        inCurrentRow ? grid.Row() : std::clamp(start.Y, -2, rowCount + 1) };
    (parameters.contains(fnDirectionLeftRight) ? area.from.X : area.from.Y) += backward ? -1 : 1;
    return area;
}

} // namespace

TGridCoord TEditGrid::Find(TGridCoord start, std::string_view text, TFindParameters parameters)
{
    const std::optional<SearchArea> area = searchArea(*this, start, parameters);
    if (!area)
        return noCell;

    m_search.parameters = parameters;
    // Cells are compared through a byte table: the locale's upper case, which maps each byte on
    // its own, or every byte to itself when letter case counts.
    const bool matchCase = parameters.contains(fnMatchCase);
    const std::string table = matchCase ? allByteValues() : upperCase(allByteValues());
    std::copy(table.begin(), table.end(), m_search.upper);
    m_search.text = matchCase ? std::string(text) : upperCase(text);

    const int step = parameters.contains(fnBackward) ? -1 : 1;
    TGridCoord found = noCell;
    if (parameters.contains(fnDirectionLeftRight)) {
        const auto match = [this](int row, int column) { return MatchCell(column, row); };
        if (const auto hit
            = scanLines(area->rows, area->columns, area->from.Y, area->from.X, step, match))
            found = { hit->second, hit->first };
    } else {
        const auto match = [this](int column, int row) { return MatchCell(column, row); };
        if (const auto hit
            = scanLines(area->columns, area->rows, area->from.X, area->from.Y, step, match))
            found = { hit->first, hit->second };
    }

    // A header cell never becomes current: editing or deleting "the current row" there would
    // change the header. The caller still gets its position and goes on after it.
    const bool inData = found.X >= m_fixedCols && found.Y >= m_fixedRows;
    if (found != noCell && inData && parameters.contains(fnAutoGoto)) {
        SetRow(found.Y);
        SetCol(found.X);
    }
    return found;
}

bool TEditGrid::MatchCell(int column, int row) const
{
    const std::string &search = m_search.text;
    if (search.empty())
        return false;
    const TFindParameters parameters = m_search.parameters;

    std::string_view cell = GetCellEx(column, row);
    if (parameters.contains(fnIgnoreHTMLTags) && cell.find('<') != std::string_view::npos) {
        m_search.cellText = removeCellMarkup(cell);
        cell = m_search.cellText;
    }
    if (search == "\"\"")
        return cell.empty();
    // The cell is compared through the byte table, so it is never copied to be upper-cased.
    const unsigned char *table = m_search.upper;
    if (parameters.contains(fnMatchFull))
        return cell.size() == search.size() && holdsAt(cell, 0, search, table);
    if (parameters.contains(fnMatchStart))
        return cell.size() >= search.size() && holdsAt(cell, 0, search, table);
    return findThrough(cell, search, table) != std::string_view::npos;
}
