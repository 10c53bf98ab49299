#pragma once

// The text box the grid lays over its current cell while a cell is edited. It covers the whole
// cell and draws the current cell's 2-pixel black frame itself, so the cell looks the same while
// it is edited.
//
// It holds the cell's text as Unicode for display; every character maps to one 8-bit
// (Windows-1252) byte of the cell. Its length limit (the grid's MaxEditLength) applies to typing
// and pasting only, so a longer stored text opens whole. Typed characters are converted by the
// editor kind (capitals for edCapital) one by one; every way of pasting (keys, the grid's paste,
// the context menu, middle-click, dropping) follows one rule: the whole text or nothing, kept
// exactly as pasted. The navigation keys (Enter, Tab, Escape, Up, Down, Page Up/Down, Left and
// Right at the ends) go to the grid; every other key stays here, so Insert and Delete never act on
// rows while a cell is edited. Keys of the window's commands (cut, copy, paste, undo, find, F-keys)
// are not claimed ahead of the window's shortcuts.

#include "grid/editor_type.h"

#include <QLineEdit>

#include <string>

class QKeyEvent;
class QMenu;
class TEditGridWidget;

class TGridInplaceEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TGridInplaceEdit(TEditGridWidget *grid);

    // Starts editing: the text (8-bit), the editor kind and the length limit (0: none). Clears the
    // undo step and selects the whole text.
    void startEditing(const std::string &text, TEditorType kind, int maxLength);
    // The text as 8-bit bytes.
    std::string cellText() const;
    // Replaces the text (Escape): no length check, the whole text selected.
    void restoreText(const std::string &text);

    // Typing: each character converted by the editor kind and inserted over the selection; a
    // character without an 8-bit byte is dropped. Ignored as a whole when the result would be
    // longer than the limit. Returns whether anything was inserted.
    bool typeText(const QString &typed);
    // Whether a key types its text: a printable text with neither Ctrl nor Alt, or with both
    // (AltGr on some keyboards). Ctrl or Alt alone makes it a command.
    static bool typesCharacters(const QKeyEvent *event);
    // The paste rule: nothing when the text, or the editor's text with it in place of the
    // selection (or at the caret), is longer than the limit; otherwise the text goes in exactly as
    // given, selected after a replacement, with the caret after it after an insertion.
    bool pasteText(const QString &pasted);
    // pasteText with the clipboard's plain text.
    bool pasteFromClipboard();
    // The text box's context menu with its Paste going through the paste rule; the caller owns it.
    QMenu *createEditMenu();

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
    bool fitsAfterReplacingSelection(int insertedLength) const;
    bool acceptsDrop(const QDropEvent *event) const;
    QString convertTyped(const QString &typed) const;

    TEditGridWidget *m_grid;
    TEditorType m_kind = edNormal;
    int m_maxLength = 0;
};
