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

} // namespace

TGridCoord TEditGrid::Find(TGridCoord start, std::string_view text, TFindParameters parameters)
{
    const int colCount = GetColCountEx();
    const int rowCount = GetRowCountEx();
    if (colCount == m_fixedCols || colCount == 0 || rowCount == m_fixedRows || rowCount == 0)
        return noCell;

    m_search.parameters = parameters;
    // The locale maps each byte on its own, so one call gives the table for every cell.
    const std::string upper = upperCase(allByteValues());
    std::copy(upper.begin(), upper.end(), m_search.upper);
    m_search.text = parameters.contains(fnMatchCase) ? std::string(text) : upperCase(text);

    const bool includeFixed = parameters.contains(fnIncludeFixed);
    IndexRange columns { includeFixed ? 0 : m_fixedCols, colCount - 1 };
    IndexRange rows { includeFixed ? 0 : m_fixedRows, rowCount - 1 };
    const int step = parameters.contains(fnBackward) ? -1 : 1;
    const bool rowByRow = parameters.contains(fnDirectionLeftRight);

    if (parameters.contains(fnFindInCurrentRow)) {
        if (!rows.contains(Row()))
            return noCell;
        rows = { Row(), Row() };
    }
    if (parameters.contains(fnFindInCurrentCol)) {
        if (!columns.contains(Col()))
            return noCell;
        columns = { Col(), Col() };
    }

    // The scope moves the start into the current row or column before the step past it, so a
    // step that leaves a one-row range goes on to the next column instead of repeating the cell.
    // Far-off starts are pulled in next to the table, where they scan the same cells.
    TGridCoord from { std::clamp(start.X, -2, colCount + 1),
        std::clamp(start.Y, -2, rowCount + 1) };
    if (start == noCell) {
        from = step > 0 ? TGridCoord { columns.first, rows.first }
                        : TGridCoord { columns.last, rows.last };
    } else {
        if (parameters.contains(fnFindInCurrentRow))
            from.Y = Row();
        if (parameters.contains(fnFindInCurrentCol))
            from.X = Col();
        (rowByRow ? from.X : from.Y) += step;
    }

    TGridCoord found = noCell;
    if (rowByRow) {
        const auto match = [this](int row, int column) { return MatchCell(column, row); };
        if (const auto hit = scanLines(rows, columns, from.Y, from.X, step, match))
            found = { hit->second, hit->first };
    } else {
        const auto match = [this](int column, int row) { return MatchCell(column, row); };
        if (const auto hit = scanLines(columns, rows, from.X, from.Y, step, match))
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
