#include "grid/edit_grid_widget.h"

#include "grid/cell_markup.h"
#include "grid/grid_inplace_edit.h"
#include "grid/grid_watermark.h"
#include "platform/widget_font.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int wheelNotch = 120;

QColor toQColor(TColor color)
{
    const std::uint32_t rgb = colorToRgb(color);
    return QColor(redOf(rgb), greenOf(rgb), blueOf(rgb));
}

QRect toQRect(const Rect &rect)
{
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

} // namespace

TEditGridWidget::TEditGridWidget(QWidget *parent) : QAbstractScrollArea(parent)
{
    Font.face = "Crystal";
    Font.pixelHeight = 16;
    Font.charset = ansiCharset;
    FixedFont = Font;
    m_background = gridWatermark();

    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::ArrowCursor);
    m_editor = new TGridInplaceEdit(this);
    updateScrollBar();
}

// The editor goes first, while the grid it reports to is still whole.
TEditGridWidget::~TEditGridWidget()
{
    m_editorOpen = false;
    delete m_editor;
}

void TEditGridWidget::setBackgroundBitmap(const Bitmap &picture)
{
    m_background = picture;
    viewport()->update();
}

// --- editing operations --------------------------------------------------------------------------

void TEditGridWidget::AdvanceEdit(int ACol, int ARow, bool forward, bool showEditor)
{
    int column = ACol;
    int row = ARow;
    bool appended = false;
    const int lastColumn = GetColCountEx() - 1;
    if (forward) {
        if (column < lastColumn) {
            ++column;
        } else if (row < GetRowCountEx() - 1) {
            column = GetFixedColsEx();
            ++row;
        } else {
            AddRow();
            column = GetFixedColsEx();
            row = GetRowCountEx() - 1;
            appended = true;
        }
    } else if (column > GetFixedColsEx()) {
        --column;
    } else if (row > GetFixedRowsEx()) {
        column = lastColumn;
        --row;
    } else {
        column = lastColumn;
        row = GetRowCountEx() - 1;
    }
    moveCurrentCell(column, row);
    if (appended && OnAutoAddRow)
        OnAutoAddRow(this, row);
    if (showEditor)
        ShowInplaceEdit();
}

void TEditGridWidget::TabEdit(bool backward)
{
    commitAndClose();
    int column = Col();
    int row = Row();
    const int lastColumn = GetColCountEx() - 1;
    if (!backward) {
        if (column < lastColumn) {
            ++column;
        } else {
            column = GetFixedColsEx();
            row = row < GetRowCountEx() - 1 ? row + 1 : GetFixedRowsEx();
        }
    } else if (column > GetFixedColsEx()) {
        --column;
    } else {
        column = lastColumn;
        row = row > GetFixedRowsEx() ? row - 1 : GetRowCountEx() - 1;
    }
    moveCurrentCell(column, row);
}

void TEditGridWidget::AddRow()
{
    InsertRows(GetRowCountEx(), 1);
}

void TEditGridWidget::DoInsertRow(int ARow)
{
    commitAndClose();
    InsertRows(ARow, 1);
    InitValidate(Col(), Row());
    if (OnAutoInsertRow)
        OnAutoInsertRow(this, ARow);
}

void TEditGridWidget::DoDeleteRow(int ARow)
{
    commitAndClose();
    if (GetRowCountEx() - GetFixedRowsEx() > 1)
        RemoveRows(ARow, 1);
    else
        ClearRows(ARow, 1);
    InitValidate(Col(), Row());
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, ARow);
}

bool TEditGridWidget::ValidateCell(const std::string &text)
{
    if (!m_validatePending)
        return true;
    m_validatePending = false;
    bool valid = true;
    if (text != m_baseline) {
        std::string value = text;
        if (OnCellValidate)
            OnCellValidate(this, Col(), Row(), value, valid);
        if (valid && value != GetCellEx(Col(), Row()))
            SetCellEx(Col(), Row(), value);
    }
    InitValidate(Col(), Row());
    return valid;
}

void TEditGridWidget::InitValidate(int ACol, int ARow)
{
    m_baseline = GetCellEx(ACol, ARow);
}

void TEditGridWidget::RestoreCache()
{
    if (!m_editorOpen)
        return;
    m_editor->restoreText(removeCellMarkup(m_startText));
    SetCellEx(m_editCell.X, m_editCell.Y, m_startText);
}

// --- the editor ----------------------------------------------------------------------------------

bool TEditGridWidget::ShowInplaceEdit()
{
    if (m_editorOpen)
        return true;
    if (Row() < GetFixedRowsEx() || Col() < GetFixedColsEx())
        return false;
    if (!hasFocus() && !m_editor->hasFocus())
        return false;
    TEditorType kind = edNormal;
    if (OnGetEditorType)
        OnGetEditorType(this, Col(), Row(), kind);
    m_editCell = { Col(), Row() };
    m_startText = GetCellEx(Col(), Row());
    m_validatePending = true;
    scrollToCurrent();

    m_editor->setFont(widgetFont(Font));
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, toQColor(Color));
    palette.setColor(QPalette::Text, toQColor(FontColor));
    m_editor->setPalette(palette);
    m_editor->startEditing(removeCellMarkup(m_startText), kind, MaxEditLength);
    m_editorOpen = true;
    placeEditor();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
    emit editActionsChanged();
    return true;
}

void TEditGridWidget::HideInplaceEdit()
{
    if (!m_editorOpen)
        return;
    m_editorOpen = false;
    const std::string text = m_editor->cellText();
    if (m_editCell.Y < GetRowCountEx() && m_editCell.X < GetColCountEx()
        && text != GetCellEx(m_editCell.X, m_editCell.Y))
        SetCellEx(m_editCell.X, m_editCell.Y, text);
    // Hand the focus to the grid, also when another window is active, so that hiding the editor
    // does not pass the window's focus on to some other control.
    if (m_editor->hasFocus() || window()->focusWidget() == m_editor) {
        m_closing = true;
        setFocus(Qt::OtherFocusReason);
        m_closing = false;
    }
    m_editor->hide();
    m_editorFocused = false;
    emit editActionsChanged();
}

void TEditGridWidget::commitAndClose()
{
    HideInplaceEdit();
    ValidateCell(GetCellEx(Col(), Row()));
}

void TEditGridWidget::editorTextChanged()
{
    if (!m_editorOpen)
        return;
    SetCellEx(m_editCell.X, m_editCell.Y, m_editor->cellText());
    emit editActionsChanged();
}

// A click armed caret positioning: the caret goes where the pointer is, nothing selected. The
// focus coming back from a menu or another window leaves the caret alone.
void TEditGridWidget::editorFocusIn(int reason)
{
    m_editorFocused = true;
    const bool returning = reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
    if (m_caretArmed && !returning) {
        const QPoint pointer = m_editor->mapFromGlobal(QCursor::pos());
        if (m_editor->rect().contains(pointer)) {
            m_editor->deselect();
            m_editor->setCursorPosition(m_editor->cursorPositionAt(pointer));
            m_caretArmed = false;
        }
    }
    emit editActionsChanged();
}

// Opening a menu or switching windows keeps the editor open, so that Edit > Paste reaches it.
// When the focus goes elsewhere the editor closes; its text stays and the validation waits.
void TEditGridWidget::editorFocusOut(int reason)
{
    if (reason == Qt::PopupFocusReason)
        return;
    m_editorFocused = false;
    if (reason != Qt::ActiveWindowFocusReason && !m_closing) {
        const QWidget *focus = QApplication::focusWidget();
        if (focus != this && focus != m_editor)
            HideInplaceEdit();
    }
    emit editActionsChanged();
}

bool TEditGridWidget::editorHasFocus() const
{
    return m_editorOpen && m_editorFocused;
}

bool TEditGridWidget::editorHasSelectedText() const
{
    return editorHasFocus() && m_editor->hasSelectedText();
}

bool TEditGridWidget::editorCanUndo() const
{
    return editorHasFocus() && m_editor->isUndoAvailable();
}

void TEditGridWidget::cutEditorText()
{
    if (editorHasFocus())
        m_editor->cut();
}

void TEditGridWidget::copyEditorText()
{
    if (editorHasFocus())
        m_editor->copy();
}

void TEditGridWidget::pasteEditorText()
{
    if (editorHasFocus())
        m_editor->pasteFromClipboard();
}

void TEditGridWidget::undoEditorText()
{
    if (editorHasFocus())
        m_editor->undo();
}

void TEditGridWidget::placeEditor()
{
    if (!m_editorOpen)
        return;
    const Rect outer = cellRect(m_editCell.X, m_editCell.Y);
    if (outer.isEmpty()) {
        m_editor->move(-m_editor->width() - 10, -m_editor->height() - 10);
        return;
    }
    m_editor->setGeometry(toQRect(outer));
}

// --- keys ----------------------------------------------------------------------------------------

bool TEditGridWidget::focusNextPrevChild(bool)
{
    return false; // Tab moves between the cells
}

void TEditGridWidget::keyPressEvent(QKeyEvent *event)
{
    if (m_editorOpen) {
        m_editor->setFocus(Qt::OtherFocusReason);
        QCoreApplication::sendEvent(m_editor, event);
        return;
    }
    if (gridKey(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool TEditGridWidget::gridKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ShowInplaceEdit();
        return true;
    case Qt::Key_Up:
        moveBy(0, -1);
        return true;
    case Qt::Key_Down:
        moveBy(0, 1);
        return true;
    case Qt::Key_Left:
        moveBy(-1, 0);
        return true;
    case Qt::Key_Right:
        moveBy(1, 0);
        return true;
    case Qt::Key_PageUp:
        moveBy(0, -visibleDataRows());
        return true;
    case Qt::Key_PageDown:
        moveBy(0, visibleDataRows());
        return true;
    case Qt::Key_Home:
        moveClamped(Col(), GetFixedRowsEx());
        return true;
    case Qt::Key_End:
        moveClamped(Col(), GetRowCountEx() - 1);
        return true;
    case Qt::Key_Tab:
        TabEdit(shift);
        return true;
    case Qt::Key_Backtab:
        TabEdit(true);
        return true;
    case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier)
            DoInsertRow(Row());
        return true;
    case Qt::Key_Delete:
        if (!modifiers.testFlag(Qt::AltModifier) && GetRowCountEx() > GetFixedRowsEx())
            DoDeleteRow(Row());
        return true;
    default:
        break;
    }
    typeIntoNewEditor(event);
    return event->isAccepted();
}

// A printable character or Backspace opens the editor with the whole text selected and goes
// into it, replacing the text (unless a click armed caret positioning).
void TEditGridWidget::typeIntoNewEditor(QKeyEvent *event)
{
    const bool backspace = event->key() == Qt::Key_Backspace
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool typing = TGridInplaceEdit::typesCharacters(event);
    if ((!backspace && !typing) || !ShowInplaceEdit()) {
        event->ignore();
        return;
    }
    if (backspace)
        m_editor->backspace();
    else
        m_editor->typeText(event->text());
    event->accept();
}

// Keys the editor passes on first; true when the grid took the key.
bool TEditGridWidget::editorKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        TEditorType kind = edNormal;
        if (OnGetEditorType)
            OnGetEditorType(this, Col(), Row(), kind);
        commitAndClose();
        AdvanceEdit(Col(), Row(), true, true);
        return true;
    }
    case Qt::Key_Tab:
        TabEdit(modifiers.testFlag(Qt::ShiftModifier));
        return true;
    case Qt::Key_Backtab:
        TabEdit(true);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        commitAndClose();
        moveBy(0, event->key() == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        commitAndClose();
        moveBy(0, event->key() == Qt::Key_PageUp ? -visibleDataRows() : visibleDataRows());
        return true;
    case Qt::Key_Escape:
        RestoreCache();
        return true;
    case Qt::Key_Left:
        if (!plain || m_editor->hasSelectedText() || m_editor->cursorPosition() > 0)
            return false;
        AdvanceEdit(Col(), Row(), false, true);
        return true;
    case Qt::Key_Right:
        if (!plain || m_editor->hasSelectedText()
            || m_editor->cursorPosition() < m_editor->text().size())
            return false;
        commitAndClose();
        AdvanceEdit(Col(), Row(), true, true);
        return true;
    default:
        return false;
    }
}

void TEditGridWidget::moveClamped(int column, int row)
{
    column = std::clamp(column, GetFixedColsEx(), GetColCountEx() - 1);
    row = std::clamp(row, GetFixedRowsEx(), GetRowCountEx() - 1);
    moveCurrentCell(column, row);
}

void TEditGridWidget::moveBy(int columns, int rows)
{
    moveClamped(Col() + columns, Row() + rows);
}

// --- focus and mouse -----------------------------------------------------------------------------

void TEditGridWidget::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (!m_closing && !m_validatePending)
        InitValidate(Col(), Row());
}

void TEditGridWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    event->accept();
    clickCell(event->position().toPoint());
}

void TEditGridWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void TEditGridWidget::clickCell(const QPoint &position)
{
    if (!hasFocus() && !m_editor->hasFocus())
        setFocus(Qt::MouseFocusReason);
    TGridCoord cell;
    if (!cellAt(position.x(), position.y(), cell))
        return;
    m_caretArmed = true;
    if (cell.Y < GetFixedRowsEx() || cell.X < GetFixedColsEx()) {
        HideInplaceEdit();
        return;
    }
    if (cell == TGridCoord { Col(), Row() }) {
        ShowInplaceEdit();
        return;
    }
    moveCurrentCell(cell.X, cell.Y);
}

// Each notch moves the current row by one.
void TEditGridWidget::wheelEvent(QWheelEvent *event)
{
    event->accept();
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / wheelNotch;
    m_wheelRemainder -= notches * wheelNotch;
    if (notches != 0)
        moveBy(0, -notches);
}

// --- model hooks ---------------------------------------------------------------------------------

void TEditGridWidget::commitPendingEdit()
{
    commitAndClose();
}

void TEditGridWidget::updateCells(const TGridRect &area)
{
    if (area.Left == area.Right && area.Top == area.Bottom) {
        const Rect rect = cellRect(area.Left, area.Top);
        if (!rect.isEmpty())
            viewport()->update(toQRect(rect));
        return;
    }
    viewport()->update();
}

void TEditGridWidget::layoutChanged()
{
    updateScrollBar();
    placeEditor();
    viewport()->update();
}

void TEditGridWidget::selectionChanged(const TGridRect &previous)
{
    if (m_editorOpen && !(m_editCell == TGridCoord { Col(), Row() }))
        HideInplaceEdit(); // moved by the program without a commit: the text stays in its cell
    if (!m_validatePending)
        InitValidate(Col(), Row());
    updateCells(previous);
    updateCells(Selection());
    scrollToCurrent();
}

// Cells changed in bulk (cleared, loaded, rows removed): with no validation pending the current
// cell's new text is the baseline, so an untouched cell never reports a change.
void TEditGridWidget::CellsChanged(const TGridRect &area)
{
    TEditGrid::CellsChanged(area);
    if (!m_validatePending && area.contains(Col(), Row()))
        InitValidate(Col(), Row());
}

void TEditGridWidget::ClearRect(int left, int top, int right, int bottom)
{
    if (m_editorOpen && TGridRect { left, top, right, bottom }.contains(m_editCell.X, m_editCell.Y))
        commitAndClose();
    TEditGrid::ClearRect(left, top, right, bottom);
}

void TEditGridWidget::InsertRows(int rowIndex, int count)
{
    if (m_editorOpen && count > 0)
        commitAndClose();
    TEditGrid::InsertRows(rowIndex, count);
}
