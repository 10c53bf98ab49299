#pragma once

// The text box the grid lays over its current cell while a cell is edited. It covers the whole
// cell and draws the current cell's 2-pixel black frame itself, so the cell looks the same while
// it is edited.
//
// It holds the cell's text as Unicode for display; every character maps to one 8-bit
// (Windows-1252) byte of the cell. What typing and pasting put in is decided by the edit
// controller's rules (capitals, 8-bit characters, the length limit); every way of pasting (keys,
// the grid's paste, the context menu, middle-click, dropping) follows the one paste rule. The
// editor never moves the grid: Enter, Tab, Escape, Up, Down, Page Up/Down and Left and Right at
// the ends of the text are reported as commitData() and closeEditor(hint), as an item delegate
// reports them, and the controller decides. Every other key stays here, so Insert and Delete never
// act on rows while a cell is edited. Keys of the window's commands (cut, copy, paste, undo, find,
// F-keys) are not claimed ahead of the window's shortcuts.

#include "grid/grid_edit_controller.h"

#include <QLineEdit>

#include <string>

class QKeyEvent;
class QMenu;

class TGridInplaceEdit : public QLineEdit
{
    Q_OBJECT

public:
    // A hidden editor on `parent` that types and pastes by the rules of `rules`, which must
    // outlive it.
    TGridInplaceEdit(QWidget *parent, const GridEditController &rules);

    // Starts editing the text (8-bit) with the editor kind: clears the undo step and selects the
    // whole text.
    void startEditing(const std::string &text, TEditorType kind);
    // The text as 8-bit bytes.
    std::string cellText() const;
    // Replaces the text (Escape): no length check, the whole text selected.
    void restoreText(const std::string &text);

    // Typing: the characters as the rules convert them, inserted over the selection; ignored as a
    // whole when the rules refuse them. Returns whether anything was inserted.
    bool typeText(const QString &typed);
    // Whether a key types its text: a printable text with neither Ctrl nor Alt, or with both
    // (AltGr on some keyboards). Ctrl or Alt alone makes it a command.
    static bool typesCharacters(const QKeyEvent *event);
    // The paste rule: nothing when the rules refuse the text; otherwise it goes in exactly as
    // given in place of the selection (then selected) or at the caret (then after it).
    bool pasteText(const QString &pasted);
    // pasteText with the clipboard's plain text.
    bool pasteFromClipboard();
    // The text box's context menu with its Paste going through the paste rule; the caller owns it.
    QMenu *createEditMenu();

signals:
    // The user confirmed the text (every way of ending an edit except Escape), then how the edit
    // ends.
    void commitData();
    void closeEditor(EndEditHint hint);
    // The editor got or lost the keyboard focus, with Qt's focus reason.
    void focusEntered(int reason);
    void focusLeft(int reason);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    std::optional<EndEditHint> endEditHint(const QKeyEvent *event) const;
    bool acceptsDrop(const QDropEvent *event) const;

    const GridEditController &m_rules;
};
