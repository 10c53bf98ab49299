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
    // The locale maps each byte on its own, so one call gives the table for every cell.
    const std::string upper = upperCase(allByteValues());
    std::copy(upper.begin(), upper.end(), m_search.upper);
    m_search.text = parameters.contains(fnMatchCase) ? std::string(text) : upperCase(text);

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
    if (!parameters.contains(fnMatchCase)) {
        std::string &buffer = m_search.cellText;
        buffer.assign(cell);
        for (char &byte : buffer)
            byte = char(m_search.upper[static_cast<unsigned char>(byte)]);
        cell = buffer;
    }
    std::string withoutMarkup;
    if (parameters.contains(fnIgnoreHTMLTags) && cell.find('<') != std::string_view::npos) {
        withoutMarkup = removeCellMarkup(cell);
        cell = withoutMarkup;
    }

    if (search == "\"\"")
        return cell.empty();
    if (parameters.contains(fnMatchFull))
        return cell == search;
    const std::size_t position = cell.find(search);
    return parameters.contains(fnMatchStart) ? position == 0 : position != std::string_view::npos;
}
