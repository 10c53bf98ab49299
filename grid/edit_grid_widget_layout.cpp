// The grid's geometry, scrolling and painting.

#include "grid/edit_grid_widget.h"

#include "platform/painter_canvas.h"

#include <QPaintEvent>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr TColor headerLineColor = clGray;
constexpr int textInset = 2;
constexpr int selectionBorderWidth = 2;

// The part of a cell text a cell shows: everything before the first CR or LF.
std::string_view firstLineOf(std::string_view text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

int luminance(std::uint32_t rgb)
{
    return (redOf(rgb) * 299 + greenOf(rgb) * 587 + blueOf(rgb) * 114) / 1000;
}

} // namespace

// --- geometry and scrolling ----------------------------------------------------------------------

int TEditGridWidget::headerHeight() const
{
    int height = 0;
    for (int row = 0; row < m_model.GetFixedRowsEx(); ++row)
        height += rowPitch(row);
    return height;
}

// Top of a row in viewport pixels, or -1 for a scrolled-away row or one below the viewport.
int TEditGridWidget::rowTop(int row) const
{
    if (row < 0 || row >= m_model.GetRowCountEx())
        return -1;
    if (row < m_model.GetFixedRowsEx()) {
        int top = 0;
        for (int above = 0; above < row; ++above)
            top += rowPitch(above);
        return top;
    }
    if (row < m_model.TopRow())
        return -1;
    const int limit = viewport()->height();
    int top = headerHeight();
    for (int above = m_model.TopRow(); above < row; ++above) {
        top += rowPitch(above);
        if (top >= limit)
            return -1;
    }
    return top;
}

int TEditGridWidget::columnLeft(int column) const
{
    if (column < 0 || column >= m_model.GetColCountEx())
        return -1;
    int left = 0;
    for (int before = 0; before < m_model.GetFixedColsEx() && before < column; ++before)
        left += columnPitch(before);
    if (column < m_model.GetFixedColsEx())
        return left;
    if (column < m_model.LeftCol())
        return -1;
    for (int before = m_model.LeftCol(); before < column; ++before)
        left += columnPitch(before);
    return left;
}

Rect TEditGridWidget::cellRect(int column, int row) const
{
    const int top = rowTop(row);
    const int left = columnLeft(column);
    if (top < 0 || left < 0 || top >= viewport()->height() || left >= viewport()->width())
        return {};
    return Rect::fromSize(left, top, columnPitch(column), rowPitch(row));
}

// Rows on screen, top to bottom: the header rows, then the data rows from TopRow on down to the
// last one the viewport reaches.
std::vector<int> TEditGridWidget::rowsOnScreen() const
{
    std::vector<int> rows;
    int top = 0;
    const int limit = viewport()->height();
    for (int row = 0; row < m_model.GetFixedRowsEx() && top < limit; ++row) {
        rows.push_back(row);
        top += rowPitch(row);
    }
    for (int row = m_model.TopRow(); row < m_model.GetRowCountEx() && top < limit; ++row) {
        rows.push_back(row);
        top += rowPitch(row);
    }
    return rows;
}

std::vector<int> TEditGridWidget::columnsOnScreen() const
{
    std::vector<int> columns;
    int left = 0;
    const int limit = viewport()->width();
    for (int column = 0; column < m_model.GetFixedColsEx() && left < limit; ++column) {
        columns.push_back(column);
        left += columnPitch(column);
    }
    for (int column = m_model.LeftCol(); column < m_model.GetColCountEx() && left < limit;
         ++column) {
        columns.push_back(column);
        left += columnPitch(column);
    }
    return columns;
}

bool TEditGridWidget::cellAt(int x, int y, TGridCoord &cell) const
{
    if (x < 0 || y < 0)
        return false;
    int top = 0;
    int foundRow = -1;
    for (int row : rowsOnScreen()) {
        top += rowPitch(row);
        if (y < top) {
            foundRow = row;
            break;
        }
    }
    int left = 0;
    int foundColumn = -1;
    for (int column : columnsOnScreen()) {
        left += columnPitch(column);
        if (x < left) {
            foundColumn = column;
            break;
        }
    }
    if (foundRow < 0 || foundColumn < 0)
        return false;
    cell = { foundColumn, foundRow };
    return true;
}

int TEditGridWidget::visibleDataRows() const
{
    const int room = viewport()->height() - headerHeight();
    int used = 0;
    int rows = 0;
    for (int row = m_model.TopRow(); row < m_model.GetRowCountEx(); ++row) {
        used += rowPitch(row);
        if (used > room)
            break;
        ++rows;
    }
    if (rows < m_model.GetRowCountEx() - m_model.TopRow() || used > room)
        return std::max(rows, 1);
    // Past the last row: as many rows of the last row's height as would fit.
    const int pitch = rowPitch(m_model.GetRowCountEx() - 1);
    return std::max(rows + (room - used) / std::max(pitch, 1), 1);
}

// The last TopRow that still fills the viewport.
int TEditGridWidget::lastTopRow() const
{
    const int room = viewport()->height() - headerHeight();
    int row = m_model.GetRowCountEx() - 1;
    int used = rowPitch(row);
    while (row > m_model.GetFixedRowsEx()) {
        const int pitch = rowPitch(row - 1);
        if (used + pitch > room)
            break;
        used += pitch;
        --row;
    }
    return row;
}

void TEditGridWidget::updateScrollBar()
{
    const int maximum = std::max(lastTopRow() - m_model.GetFixedRowsEx(), 0);
    const int page = visibleDataRows();
    m_controller.setPageRows(page); // Page Up and Page Down move by the rows on screen
    m_syncingScrollBar = true;
    QScrollBar *bar = verticalScrollBar();
    bar->setRange(0, maximum);
    bar->setPageStep(page);
    bar->setSingleStep(1);
    bar->setValue(m_model.TopRow() - m_model.GetFixedRowsEx());
    m_syncingScrollBar = false;
    if (m_model.TopRow() - m_model.GetFixedRowsEx() > maximum)
        m_model.SetTopRow(m_model.GetFixedRowsEx() + maximum);
}

void TEditGridWidget::scrollContentsBy(int, int)
{
    if (m_syncingScrollBar)
        return;
    m_model.SetTopRow(m_model.GetFixedRowsEx() + verticalScrollBar()->value());
}

// Scrolls so that the current row is on screen whole.
void TEditGridWidget::scrollToCurrent()
{
    const int row = m_model.Row();
    if (row < m_model.GetFixedRowsEx())
        return;
    if (row < m_model.TopRow()) {
        m_model.SetTopRow(row);
        return;
    }
    const int room = viewport()->height() - headerHeight();
    int used = 0;
    for (int shown = row; shown >= m_model.TopRow(); --shown) {
        used += rowPitch(shown);
        if (used > room) {
            m_model.SetTopRow(std::min(shown + 1, row));
            return;
        }
    }
}

void TEditGridWidget::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
    scrollToCurrent();
    placeEditor();
}

// --- painting ------------------------------------------------------------------------------------

void TEditGridWidget::paintEvent(QPaintEvent *event)
{
    PainterCanvas canvas(viewport());
    const QRect dirty = event->rect();
    const Rect area { dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1 };
    const int width = viewport()->width();
    const int height = viewport()->height();

    // The watermark is anchored at the first data cell's top-left in content coordinates.
    m_watermarkOrigin = { columnLeft(m_model.GetFixedColsEx()), headerHeight() };
    for (int row = m_model.GetFixedRowsEx(); row < m_model.TopRow(); ++row)
        m_watermarkOrigin.y -= rowPitch(row);

    canvas.setBrush({ BrushStyle::Clear });
    const std::vector<int> columns = columnsOnScreen();
    int bottom = 0;
    int right = 0;
    for (int row : rowsOnScreen()) {
        const int pitchY = rowPitch(row);
        right = 0;
        for (int column : columns) {
            const Rect outer = Rect::fromSize(right, bottom, columnPitch(column), pitchY);
            if (!outer.intersected(area).isEmpty())
                paintCell(canvas, column, row, outer);
            right = outer.right;
        }
        bottom += pitchY;
    }
    if (right < width)
        canvas.fillRect({ right, 0, width, height }, Color);
    if (bottom < height)
        canvas.fillRect({ 0, bottom, std::min(right, width), height }, Color);
}

void TEditGridWidget::paintCell(Canvas &canvas, int column, int row, const Rect &outer) const
{
    const bool fixed = row < m_model.GetFixedRowsEx() || column < m_model.GetFixedColsEx();
    const bool selected = !fixed && m_model.IsSelected(column, row);
    const TColor background = fixed ? FixedColor : selected ? SelectionColor : Color;
    const int line = fixed ? 1 : GridLineWidth;
    const TColor lineColor = fixed ? headerLineColor : GridLineColor;

    const Rect inner { outer.left, outer.top, outer.right - line, outer.bottom - line };
    canvas.fillRect(inner, background);
    if (line > 0) {
        canvas.fillRect({ outer.left, inner.bottom, outer.right, outer.bottom }, lineColor);
        canvas.fillRect({ inner.right, outer.top, outer.right, inner.bottom }, lineColor);
    }
    if (!fixed && !selected)
        paintWatermark(canvas, inner);

    const std::string &text = m_model.GetCellEx(column, row);
    if (!text.empty()) {
        canvas.setFont(fixed ? FixedFont : Font);
        canvas.setTextColor(selected ? selectedTextColor() : FontColor);
        paintCellText(canvas, text, inner);
    }
    if (!selected)
        return;
    const TGridRect selection = m_model.Selection();
    const int border = selectionBorderWidth;
    if (row == selection.Top)
        canvas.fillRect({ outer.left, outer.top, outer.right, outer.top + border }, clBlack);
    if (row == selection.Bottom)
        canvas.fillRect({ outer.left, outer.bottom - border, outer.right, outer.bottom }, clBlack);
    if (column == selection.Left)
        canvas.fillRect({ outer.left, outer.top, outer.left + border, outer.bottom }, clBlack);
    if (column == selection.Right)
        canvas.fillRect({ outer.right - border, outer.top, outer.right, outer.bottom }, clBlack);
}

// The first line, left and top inside the cell inset by 2 pixels, clipped there; ampersands as
// they are and tabs expanded.
void TEditGridWidget::paintCellText(
    Canvas &canvas, const std::string &text, const Rect &inner) const
{
    const std::string_view line = firstLineOf(text);
    if (line.empty())
        return;
    Rect textRect { inner.left + textInset, inner.top + textInset, inner.right - textInset,
        inner.bottom };
    if (textRect.isEmpty())
        return;
    canvas.drawText(textRect, line,
        DrawTextFlag::Left | DrawTextFlag::SingleLine | DrawTextFlag::ExpandTabs
            | DrawTextFlag::NoPrefix);
}

void TEditGridWidget::paintWatermark(Canvas &canvas, const Rect &inner) const
{
    if (m_background.isEmpty())
        return;
    canvas.tileBitmap(inner, m_background, m_watermarkOrigin.x, m_watermarkOrigin.y);
}

// The selected cell's text colour, unless it would hardly show on the selection colour (the
// highlight-text colour is white in the usual schemes, like the window colour): then the
// ordinary text colour.
TColor TEditGridWidget::selectedTextColor() const
{
    const int contrast = std::abs(
        luminance(colorToRgb(SelectionTextColor)) - luminance(colorToRgb(SelectionColor)));
    return contrast < 96 ? FontColor : SelectionTextColor;
}
