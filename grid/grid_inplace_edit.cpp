#include "grid/grid_inplace_edit.h"

#include "platform/painter_canvas.h"
#include "platform/text_codec.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace {

constexpr int frameWidth = 2; // the current cell's frame

QString fromBytes(const std::string &bytes)
{
    return QString::fromStdString(bytesToUtf8(bytes));
}

bool isPrintable(const QString &text)
{
    for (QChar c : text) {
        if (!c.isPrint())
            return false;
    }
    return !text.isEmpty();
}

// Keys the main window's commands use: they are left to the window's shortcuts first.
bool isWindowCommandKey(const QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Copy)
        || event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Undo)
        || event->matches(QKeySequence::Find))
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Backspace && modifiers == Qt::AltModifier)
        return true;
    return event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F35;
}

} // namespace

TGridInplaceEdit::TGridInplaceEdit(QWidget *parent, const GridEditController &rules)
    : QLineEdit(parent), m_rules(rules)
{
    setObjectName("inplaceEdit");
    setFrame(false);
    setMaxLength(32767); // the limit is applied to typing and pasting only, below
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextMargins(0, 1, 0, 0); // the text starts 2 pixels inside the cell, as the cell draws it
    setAcceptDrops(true);
    hide();
}

void TGridInplaceEdit::startEditing(const std::string &text, TEditorType kind)
{
    setEchoMode(kind == edPassword ? QLineEdit::Password : QLineEdit::Normal);
    setText(fromBytes(text));
    selectAll();
}

std::string TGridInplaceEdit::cellText() const
{
    return utf8ToBytes(text().toStdString());
}

void TGridInplaceEdit::restoreText(const std::string &text)
{
    setText(fromBytes(text));
    selectAll();
}

bool TGridInplaceEdit::typesCharacters(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    return control == alt && !modifiers.testFlag(Qt::MetaModifier) && isPrintable(event->text());
}

bool TGridInplaceEdit::typeText(const QString &typed)
{
    const std::string bytes
        = m_rules.typedText(typed.toStdU32String(), int(text().size()), int(selectedText().size()));
    if (bytes.empty())
        return false;
    insert(fromBytes(bytes));
    return true;
}

bool TGridInplaceEdit::pasteText(const QString &pasted)
{
    const std::optional<std::string> bytes = m_rules.pastedText(
        pasted.toStdU32String(), int(text().size()), int(selectedText().size()));
    if (!bytes)
        return false;
    const QString text = fromBytes(*bytes);
    const bool replacing = hasSelectedText();
    const int start = replacing ? selectionStart() : cursorPosition();
    insert(text);
    if (replacing && !text.isEmpty())
        setSelection(start, int(text.size()));
    return true;
}

bool TGridInplaceEdit::pasteFromClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return false;
    return pasteText(data->text());
}

// The text box's usual menu, built here so that its Paste is the grid's paste.
QMenu *TGridInplaceEdit::createEditMenu()
{
    auto *menu = new QMenu(this);
    const auto add = [menu](const char *name, const QString &text, QKeySequence::StandardKey key,
                         bool enabled, auto slot) {
        const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
        QAction *action = menu->addAction(shortcut.isEmpty() ? text : text + '\t' + shortcut);
        action->setObjectName(name);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, menu, slot);
    };
    const bool editable = !isReadOnly();
    const bool selection = hasSelectedText();
    add("edit-undo", tr("&Undo"), QKeySequence::Undo, isUndoAvailable(), [this] { undo(); });
    add("edit-redo", tr("&Redo"), QKeySequence::Redo, isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    add("edit-cut", tr("Cu&t"), QKeySequence::Cut, editable && selection, [this] { cut(); });
    add("edit-copy", tr("&Copy"), QKeySequence::Copy, selection, [this] { copy(); });
    add("edit-paste", tr("&Paste"), QKeySequence::Paste, editable,
        [this] { pasteFromClipboard(); });
    add("edit-delete", tr("Delete"), QKeySequence::UnknownKey, editable && selection,
        [this] { del(); });
    menu->addSeparator();
    add("select-all", tr("Select All"), QKeySequence::SelectAll, !text().isEmpty(),
        [this] { selectAll(); });
    return menu;
}

bool TGridInplaceEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride
        && isWindowCommandKey(static_cast<QKeyEvent *>(event))) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

// The keys that end an edit, and how; none for the keys that edit the text.
std::optional<EndEditHint> TGridInplaceEdit::endEditHint(const QKeyEvent *event) const
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier && !hasSelectedText();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return EndEditHint::EditNextItem;
    case Qt::Key_Tab:
        return modifiers.testFlag(Qt::ShiftModifier) ? EndEditHint::TabPreviousItem
                                                     : EndEditHint::TabNextItem;
    case Qt::Key_Backtab:
        return EndEditHint::TabPreviousItem;
    case Qt::Key_Up:
        return EndEditHint::RowUp;
    case Qt::Key_Down:
        return EndEditHint::RowDown;
    case Qt::Key_PageUp:
        return EndEditHint::PageUp;
    case Qt::Key_PageDown:
        return EndEditHint::PageDown;
    case Qt::Key_Escape:
        return EndEditHint::RevertModelCache;
    case Qt::Key_Left:
        if (plain && cursorPosition() == 0)
            return EndEditHint::EditPreviousItem;
        return std::nullopt;
    case Qt::Key_Right:
        if (plain && cursorPosition() == text().size())
            return EndEditHint::EditNextItem;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void TGridInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    if (const std::optional<EndEditHint> hint = endEditHint(event)) {
        if (*hint != EndEditHint::RevertModelCache)
            emit commitData();
        emit closeEditor(*hint);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
        return;
    }
    if (typesCharacters(event)) {
        typeText(event->text());
        return;
    }
    // The text box would insert the text of Alt+letter as it is, past the capitals and the limit.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (isPrintable(event->text()) && !modifiers.testFlag(Qt::ControlModifier)
        && (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return;
    QLineEdit::keyPressEvent(event);
    event->accept(); // keys the text box does not use never reach the grid
}

void TGridInplaceEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString committed = event->commitString();
    if (committed.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&composing);
    typeText(committed);
    event->accept();
}

void TGridInplaceEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    PainterCanvas canvas(this);
    const int w = width();
    const int h = height();
    const int border = frameWidth;
    canvas.fillRect({ 0, 0, w, border }, clBlack);
    canvas.fillRect({ 0, h - border, w, h }, clBlack);
    canvas.fillRect({ 0, 0, border, h }, clBlack);
    canvas.fillRect({ w - border, 0, w, h }, clBlack);
}

void TGridInplaceEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit focusEntered(event->reason());
}

void TGridInplaceEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit focusLeft(event->reason());
}

void TGridInplaceEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createEditMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void TGridInplaceEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

// Middle-click pastes the primary selection where the pointer is, by the paste rule.
void TGridInplaceEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::MiddleButton) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection())
        return;
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    pasteText(clipboard->text(QClipboard::Selection));
}

// A drop inserts at the drop point; moving text inside the editor keeps its length.
bool TGridInplaceEdit::acceptsDrop(const QDropEvent *event) const
{
    if (!event->mimeData()->hasText())
        return false;
    if (event->source() == this && event->dropAction() == Qt::MoveAction)
        return true;
    return m_rules.pastedText(event->mimeData()->text().toStdU32String(), int(text().size()), 0)
        .has_value();
}

void TGridInplaceEdit::dragEnterEvent(QDragEnterEvent *event)
{
    QLineEdit::dragEnterEvent(event);
    if (!acceptsDrop(event))
        event->ignore();
}

void TGridInplaceEdit::dragMoveEvent(QDragMoveEvent *event)
{
    QLineEdit::dragMoveEvent(event);
    if (!acceptsDrop(event))
        event->ignore();
}

void TGridInplaceEdit::dropEvent(QDropEvent *event)
{
    if (!acceptsDrop(event)) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}
