#include "grid/grid_edit_controller.h"

#include "grid/cell_markup.h"
#include "platform/locale_text.h"
#include "platform/text_codec.h"

#include <algorithm>

GridEditController::GridEditController(TEditGrid &grid) : m_grid(grid)
{
    m_grid.addObserver(this);
}

GridEditController::~GridEditController()
{
    m_grid.removeObserver(this);
}

// --- the editor ----------------------------------------------------------------------------------

bool GridEditController::ShowInplaceEdit()
{
    if (m_editorOpen)
        return true;
    const int column = m_grid.Col();
    const int row = m_grid.Row();
    if (row < m_grid.GetFixedRowsEx() || column < m_grid.GetFixedColsEx())
        return false;
    if (m_view && !m_view->mayOpenEditor())
        return false;
    TEditorType kind = edNormal;
    if (OnGetEditorType)
        OnGetEditorType(&m_grid, column, row, kind);
    m_kind = kind;
    m_editCell = { column, row };
    m_startText = m_grid.GetCellEx(column, row);
    m_editText = removeCellMarkup(m_startText);
    m_validatePending = true;
    m_editorOpen = true;
    if (m_view)
        m_view->showEditor(m_editText, kind);
    return true;
}

void GridEditController::HideInplaceEdit()
{
    if (!m_editorOpen)
        return;
    m_editorOpen = false;
    if (m_editCell.Y < m_grid.GetRowCountEx() && m_editCell.X < m_grid.GetColCountEx()
        && m_editText != m_grid.GetCellEx(m_editCell.X, m_editCell.Y))
        m_grid.SetCellEx(m_editCell.X, m_editCell.Y, m_editText);
    if (m_view)
        m_view->hideEditor();
}

void GridEditController::editorTextChanged(const std::string &text)
{
    if (!m_editorOpen || text == m_editText)
        return;
    m_editText = text;
    m_grid.SetCellEx(m_editCell.X, m_editCell.Y, text);
}

void GridEditController::commitPendingEdit()
{
    HideInplaceEdit();
    ValidateCell(m_grid.GetCellEx(m_grid.Col(), m_grid.Row()));
}

void GridEditController::closeEditor(EndEditHint hint)
{
    if (hint == EndEditHint::RevertModelCache) {
        RestoreCache();
        return;
    }
    if (hint == EndEditHint::EditNextItem) {
        TEditorType kind = edNormal;
        if (OnGetEditorType)
            OnGetEditorType(&m_grid, m_grid.Col(), m_grid.Row(), kind);
    }
    commitPendingEdit();
    switch (hint) {
    case EndEditHint::EditNextItem:
    case EndEditHint::EditPreviousItem:
        AdvanceEdit(m_grid.Col(), m_grid.Row(), hint == EndEditHint::EditNextItem, true);
        return;
    case EndEditHint::TabNextItem:
    case EndEditHint::TabPreviousItem:
        TabEdit(hint == EndEditHint::TabPreviousItem);
        return;
    case EndEditHint::RowUp:
    case EndEditHint::RowDown:
        moveBy(0, hint == EndEditHint::RowUp ? -1 : 1);
        return;
    case EndEditHint::PageUp:
    case EndEditHint::PageDown:
        moveBy(0, hint == EndEditHint::PageUp ? -m_pageRows : m_pageRows);
        return;
    case EndEditHint::RevertModelCache:
        return;
    }
}

std::string GridEditController::typedText(std::u32string_view typed, int length, int selected) const
{
    std::string bytes;
    for (char32_t c : typed) {
        const int byte = unicodeToByte(c);
        if (byte >= 0)
            bytes += char(byte);
    }
    if (m_kind == edCapital || m_kind == edUpperCase)
        bytes = upperCase(bytes);
    else if (m_kind == edLowerCase)
        bytes = lowerCase(bytes);
    if (bytes.empty() || !fits(length - selected + int(bytes.size())))
        return {};
    return bytes;
}

std::optional<std::string> GridEditController::pastedText(
    std::u32string_view pasted, int length, int selected) const
{
    std::string bytes;
    for (char32_t c : pasted) {
        const int byte = unicodeToByte(c);
        bytes += byte >= 0 ? char(byte) : '?';
    }
    const int size = int(bytes.size());
    if (!fits(size) || !fits(length - selected + size))
        return std::nullopt;
    return bytes;
}

// --- keys ----------------------------------------------------------------------------------------

bool GridEditController::keyPress(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ShowInplaceEdit();
        return true;
    case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier)
            DoInsertRow(m_grid.Row());
        return true;
    case Qt::Key_Delete:
        if (!modifiers.testFlag(Qt::AltModifier)
            && m_grid.GetRowCountEx() > m_grid.GetFixedRowsEx())
            DoDeleteRow(m_grid.Row());
        return true;
    default:
        return moveKey(key, modifiers);
    }
}

bool GridEditController::moveKey(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveBy(0, key == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        moveBy(key == Qt::Key_Left ? -1 : 1, 0);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        moveBy(0, key == Qt::Key_PageUp ? -m_pageRows : m_pageRows);
        return true;
    case Qt::Key_Home:
        moveClamped(m_grid.Col(), m_grid.GetFixedRowsEx());
        return true;
    case Qt::Key_End:
        moveClamped(m_grid.Col(), m_grid.GetRowCountEx() - 1);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        TabEdit(key == Qt::Key_Backtab || modifiers.testFlag(Qt::ShiftModifier));
        return true;
    default:
        return false;
    }
}

void GridEditController::moveBy(int columns, int rows)
{
    moveClamped(m_grid.Col() + columns, m_grid.Row() + rows);
}

void GridEditController::moveClamped(int column, int row)
{
    column = std::clamp(column, m_grid.GetFixedColsEx(), m_grid.GetColCountEx() - 1);
    row = std::clamp(row, m_grid.GetFixedRowsEx(), m_grid.GetRowCountEx() - 1);
    m_grid.moveCurrentCell(column, row);
}

void GridEditController::gridFocused()
{
    if (!m_validatePending)
        InitValidate(m_grid.Col(), m_grid.Row());
}

// --- operations ----------------------------------------------------------------------------------

std::optional<TGridCoord> GridEditController::neighbourInReadingOrder(
    TGridCoord cell, bool forward) const
{
    const int lastColumn = m_grid.GetColCountEx() - 1;
    const int lastRow = m_grid.GetRowCountEx() - 1;
    if (forward) {
        if (cell.X < lastColumn)
            return TGridCoord { cell.X + 1, cell.Y };
        if (cell.Y < lastRow)
            return TGridCoord { m_grid.GetFixedColsEx(), cell.Y + 1 };
        return std::nullopt;
    }
    if (cell.X > m_grid.GetFixedColsEx())
        return TGridCoord { cell.X - 1, cell.Y };
    if (cell.Y > m_grid.GetFixedRowsEx())
        return TGridCoord { lastColumn, cell.Y - 1 };
    return TGridCoord { lastColumn, lastRow };
}

void GridEditController::AdvanceEdit(int ACol, int ARow, bool forward, bool showEditor)
{
    std::optional<TGridCoord> next = neighbourInReadingOrder({ ACol, ARow }, forward);
    const bool appended = !next;
    if (appended) {
        AddRow();
        next = TGridCoord { m_grid.GetFixedColsEx(), m_grid.GetRowCountEx() - 1 };
    }
    m_grid.moveCurrentCell(next->X, next->Y);
    if (appended && OnAutoAddRow)
        OnAutoAddRow(&m_grid, next->Y);
    if (showEditor)
        ShowInplaceEdit();
}

void GridEditController::TabEdit(bool backward)
{
    commitPendingEdit();
    const TGridCoord first { m_grid.GetFixedColsEx(), m_grid.GetFixedRowsEx() };
    const TGridCoord next
        = neighbourInReadingOrder({ m_grid.Col(), m_grid.Row() }, !backward).value_or(first);
    m_grid.moveCurrentCell(next.X, next.Y);
}

void GridEditController::AddRow()
{
    m_grid.InsertRows(m_grid.GetRowCountEx(), 1);
}

void GridEditController::DoInsertRow(int ARow)
{
    commitPendingEdit();
    m_grid.InsertRows(ARow, 1);
    InitValidate(m_grid.Col(), m_grid.Row());
    if (OnAutoInsertRow)
        OnAutoInsertRow(&m_grid, ARow);
}

void GridEditController::DoDeleteRow(int ARow)
{
    commitPendingEdit();
    if (m_grid.GetRowCountEx() - m_grid.GetFixedRowsEx() > 1)
        m_grid.RemoveRows(ARow, 1);
    else
        m_grid.ClearRows(ARow, 1);
    InitValidate(m_grid.Col(), m_grid.Row());
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(&m_grid, ARow);
}

bool GridEditController::ValidateCell(const std::string &text)
{
    if (!m_validatePending)
        return true;
    m_validatePending = false;
    bool valid = true;
    const int column = m_grid.Col();
    const int row = m_grid.Row();
    if (text != m_baseline) {
        std::string value = text;
        if (OnCellValidate)
            OnCellValidate(&m_grid, column, row, value, valid);
        if (valid && value != m_grid.GetCellEx(column, row))
            m_grid.SetCellEx(column, row, value);
    }
    InitValidate(m_grid.Col(), m_grid.Row());
    return valid;
}

void GridEditController::InitValidate(int ACol, int ARow)
{
    m_baseline = m_grid.GetCellEx(ACol, ARow);
}

void GridEditController::RestoreCache()
{
    if (!m_editorOpen)
        return;
    m_editText = removeCellMarkup(m_startText);
    if (m_view)
        m_view->setEditorText(m_editText);
    m_grid.SetCellEx(m_editCell.X, m_editCell.Y, m_startText);
}

// --- the grid's changes --------------------------------------------------------------------------

void GridEditController::cellsAboutToBeCleared(const TGridRect &area)
{
    if (m_editorOpen && area.contains(m_editCell.X, m_editCell.Y))
        commitPendingEdit();
}

void GridEditController::rowsAboutToBeInserted()
{
    if (m_editorOpen)
        commitPendingEdit();
}

// Cells changed in bulk (cleared, loaded, rows removed): with no validation pending the current
// cell's new text is the baseline, so an untouched cell never reports a change.
void GridEditController::cellsChanged(const TGridRect &area)
{
    if (!m_validatePending && area.contains(m_grid.Col(), m_grid.Row()))
        InitValidate(m_grid.Col(), m_grid.Row());
}

void GridEditController::selectionChanged(const TGridRect &)
{
    if (m_editorOpen && m_editCell != TGridCoord { m_grid.Col(), m_grid.Row() })
        HideInplaceEdit(); // moved by the program without a commit: the text stays in its cell
    if (!m_validatePending)
        InitValidate(m_grid.Col(), m_grid.Row());
}
