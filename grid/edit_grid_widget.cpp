#include "grid/edit_grid_widget.h"

#include "grid/grid_inplace_edit.h"
#include "grid/grid_watermark.h"
#include "platform/widget_font.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

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
    m_editor = new TGridInplaceEdit(viewport(), m_controller);
    connectEditor();
    m_model.addObserver(this);
    m_controller.setView(this);
    updateScrollBar();
}

// The editor goes first, while the grid it reports to is still whole.
TEditGridWidget::~TEditGridWidget()
{
    m_controller.setView(nullptr);
    m_model.removeObserver(this);
    disconnect(m_editor, nullptr, this, nullptr);
    delete m_editor;
}

void TEditGridWidget::setBackgroundBitmap(const Bitmap &picture)
{
    m_background = picture;
    viewport()->update();
}

// --- the editor ----------------------------------------------------------------------------------

// The editor reports what the user did; the controller decides what it means for the grid.
void TEditGridWidget::connectEditor()
{
    connect(m_editor, &QLineEdit::textChanged, this, [this] {
        m_controller.editorTextChanged(m_editor->cellText());
        if (m_controller.isEditing())
            emit editActionsChanged();
    });
    connect(m_editor, &QLineEdit::selectionChanged, this, &TEditGridWidget::editActionsChanged);
    connect(m_editor, &TGridInplaceEdit::commitData, this, [this] { m_controller.commitData(); });
    connect(m_editor, &TGridInplaceEdit::closeEditor, this,
        [this](EndEditHint hint) { m_controller.closeEditor(hint); });
    connect(m_editor, &TGridInplaceEdit::focusEntered, this, &TEditGridWidget::editorFocusIn);
    connect(m_editor, &TGridInplaceEdit::focusLeft, this, &TEditGridWidget::editorFocusOut);
}

bool TEditGridWidget::mayOpenEditor() const
{
    return hasFocus() || m_editor->hasFocus();
}

void TEditGridWidget::showEditor(const std::string &text, TEditorType kind)
{
    scrollToCurrent();
    m_editor->setFont(widgetFont(Font));
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, toQColor(Color));
    palette.setColor(QPalette::Text, toQColor(FontColor));
    m_editor->setPalette(palette);
    m_editor->startEditing(text, kind);
    placeEditor();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
    emit editActionsChanged();
}

void TEditGridWidget::setEditorText(const std::string &text)
{
    m_editor->restoreText(text);
}

void TEditGridWidget::hideEditor()
{
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
            m_controller.HideInplaceEdit();
    }
    emit editActionsChanged();
}

bool TEditGridWidget::editorHasFocus() const
{
    return m_controller.isEditing() && m_editorFocused;
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
    if (!m_controller.isEditing())
        return;
    const TGridCoord cell = m_controller.editCell();
    const Rect outer = cellRect(cell.X, cell.Y);
    if (outer.isEmpty()) {
        m_editor->move(-m_editor->width() - 10, -m_editor->height() - 10);
        return;
    }
    m_editor->setGeometry(toQRect(outer));
}

// --- keys, focus and mouse -----------------------------------------------------------------------

bool TEditGridWidget::focusNextPrevChild(bool)
{
    return false; // Tab moves between the cells
}

void TEditGridWidget::keyPressEvent(QKeyEvent *event)
{
    if (m_controller.isEditing()) {
        m_editor->setFocus(Qt::OtherFocusReason);
        QCoreApplication::sendEvent(m_editor, event);
        return;
    }
    if (m_controller.keyPress(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    typeIntoNewEditor(event);
    if (!event->isAccepted())
        QAbstractScrollArea::keyPressEvent(event);
}

// A printable character or Backspace opens the editor with the whole text selected and goes
// into it, replacing the text (unless a click armed caret positioning).
void TEditGridWidget::typeIntoNewEditor(QKeyEvent *event)
{
    const bool backspace = event->key() == Qt::Key_Backspace
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool typing = TGridInplaceEdit::typesCharacters(event);
    if ((!backspace && !typing) || !m_controller.ShowInplaceEdit()) {
        event->ignore();
        return;
    }
    if (backspace)
        m_editor->backspace();
    else
        m_editor->typeText(event->text());
    event->accept();
}

void TEditGridWidget::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (!m_closing)
        m_controller.gridFocused();
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
    if (cell.Y < m_model.GetFixedRowsEx() || cell.X < m_model.GetFixedColsEx()) {
        m_controller.HideInplaceEdit();
        return;
    }
    if (cell == TGridCoord { m_model.Col(), m_model.Row() }) {
        m_controller.ShowInplaceEdit();
        return;
    }
    m_model.moveCurrentCell(cell.X, cell.Y);
}

// Each notch moves the current row by one.
void TEditGridWidget::wheelEvent(QWheelEvent *event)
{
    event->accept();
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / wheelNotch;
    m_wheelRemainder -= notches * wheelNotch;
    if (notches != 0)
        m_controller.moveBy(0, -notches);
}

// --- the model's changes -------------------------------------------------------------------------

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

void TEditGridWidget::cellChanged(int column, int row)
{
    updateCells({ column, row, column, row });
}

void TEditGridWidget::cellsChanged(const TGridRect &area)
{
    updateCells(area);
}

void TEditGridWidget::layoutChanged()
{
    updateScrollBar();
    placeEditor();
    viewport()->update();
}

void TEditGridWidget::selectionChanged(const TGridRect &previous)
{
    updateCells(previous);
    updateCells(m_model.Selection());
    scrollToCurrent();
}
