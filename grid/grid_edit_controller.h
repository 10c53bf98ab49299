#pragma once

// The editing rules of a TEditGrid, with no window: when the cell editor opens and closes, what
// typing and pasting put into it, when an edit is committed and validated, where the keys move
// the current cell, and the rows that Enter, Insert and Delete add and remove. The grid on screen
// forwards keys to it and shows the editor it asks for; the editor reports how the user ended an
// edit (EndEditHint) instead of moving the grid itself.
//
//   TEditGrid cells;
//   GridEditController editing(cells);               // headless: the editor is only its text
//   editing.ShowInplaceEdit();
//   editing.editorTextChanged("AB-12");              // what the editor reports while typing
//   editing.commitData();                            // validation: OnCellValidate(.., "AB-12")
//   editing.closeEditor(EndEditHint::EditNextItem);  // next cell, the editor opens there
//
// State: the editor is open on at most the current cell. The start text is the cell's text when
// it opened (Escape returns to it). The validation baseline is the cell's text when the cell
// became current, when the grid got the focus with no validation pending, and after each
// validation. A validation is pending from the editor's opening until the next commit, even when
// the editor closed in between without one (the focus left the grid).

#include "grid/edit_grid.h"
#include "grid/editor_type.h"

#include <QtCore/qnamespace.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// How the user ended an edit in the editor. As an item delegate's hints, each follows a commit of
// the editor's text, except RevertModelCache.
enum class EndEditHint {
    // Enter, or Right after the last character: the next cell in reading order (a row appended
    // after the last cell), with the editor open there.
    EditNextItem,
    // Left before the first character: the previous cell, with the editor open there.
    EditPreviousItem,
    // Tab and Shift+Tab: the next or previous cell in Tab order, wrapping; the editor stays closed.
    TabNextItem,
    TabPreviousItem,
    // Up, Down, Page Up, Page Down: one row or one page; the editor stays closed.
    RowUp,
    RowDown,
    PageUp,
    PageDown,
    // Escape: the editor and the cell return to the start text; the editor stays open.
    RevertModelCache,
};

// The editor on screen as the controller drives it. The grid widget provides it; without one the
// controller edits headless and every open succeeds.
class GridEditorView
{
public:
    virtual ~GridEditorView() = default;
    // Whether the grid is the active control, which an editor needs to open.
    virtual bool mayOpenEditor() const = 0;
    // Lays the editor over the current cell with the text (markup removed) whole selected, for
    // the editor kind, and gives it the focus.
    virtual void showEditor(const std::string &text, TEditorType kind) = 0;
    // Replaces the open editor's text, whole selected.
    virtual void setEditorText(const std::string &text) = 0;
    // Hides the editor; the keyboard stays with the grid.
    virtual void hideEditor() = 0;
};

class GridEditController : private EditGridObserver
{
public:
    // Edits `grid`, which must outlive the controller.
    explicit GridEditController(TEditGrid &grid);
    ~GridEditController() override;

    GridEditController(const GridEditController &) = delete;
    GridEditController &operator=(const GridEditController &) = delete;

    TEditGrid &grid() const { return m_grid; }
    // The editor to drive, or none.
    void setView(GridEditorView *view) { m_view = view; }

    // Events, each called with the grid first. OnGetEditorType is asked each time the editor is
    // about to open on a cell and for the cell just left by Enter (AEditor given as edNormal).
    // OnCellValidate runs when a committed text differs from the validation baseline (Value given
    // as that text, Valid as true; with Valid still true the cell takes Value). The row events
    // follow the Insert key (OnAutoInsertRow), the Delete key (OnAutoDeleteRow) and a row that
    // Enter appended at the end (OnAutoAddRow).
    std::function<void(TEditGrid *Sender, int ACol, int ARow, TEditorType &AEditor)>
        OnGetEditorType;
    std::function<void(TEditGrid *Sender, int ACol, int ARow, std::string &Value, bool &Valid)>
        OnCellValidate;
    std::function<void(TEditGrid *Sender, int ARow)> OnAutoInsertRow;
    std::function<void(TEditGrid *Sender, int ARow)> OnAutoDeleteRow;
    std::function<void(TEditGrid *Sender, int ARow)> OnAutoAddRow;

    // The editor's length limit for typing and pasting (0: none). A longer stored text still
    // opens whole and is never cut.
    int MaxEditLength = 18;

    // --- the editor ---
    // Opens the editor on the current cell: needs a data cell and, with a view, the grid active.
    // Returns whether it is open.
    bool ShowInplaceEdit();
    // Closes the editor; its text stays in the cell, no validation runs.
    void HideInplaceEdit();
    bool isEditing() const { return m_editorOpen; }
    bool isValidationPending() const { return m_validatePending; }
    // The cell the open editor works on, and the kind it was opened with.
    TGridCoord editCell() const { return m_editCell; }
    TEditorType editorKind() const { return m_kind; }

    // What the editor reports: every change of its text (stored into the cell at once), that the
    // user confirmed the text, and how the edit ended.
    void editorTextChanged(const std::string &text);
    void commitData() { commitPendingEdit(); }
    void closeEditor(EndEditHint hint);
    // Ends the edit in progress: the editor's text goes into its cell, the editor closes and a
    // pending validation runs. Nothing happens when no edit is pending.
    void commitPendingEdit() override;

    // What typing the characters puts in place of `selected` of the editor's `length`
    // characters: their 8-bit bytes (characters without one dropped) converted by the editor kind
    // (capitals for edCapital, by the locale, each byte by itself). Empty when nothing is left or
    // the text would pass MaxEditLength.
    std::string typedText(std::u32string_view typed, int length, int selected) const;
    // The paste rule: the pasted characters as 8-bit bytes exactly as given ('?' for characters
    // without a byte), or nothing when they, or the text with them in place of the selection,
    // would pass MaxEditLength.
    std::optional<std::string> pastedText(
        std::u32string_view pasted, int length, int selected) const;

    // --- keys with no editor open ---
    // Enter opens the editor; the arrows move by one inside the data cells; Page Up/Down by the
    // page; Home/End (with or without Ctrl) to the first/last row; Tab/Shift+Tab through the cells
    // in reading order, wrapping; Insert (no modifier) puts an empty row before the current one;
    // Delete (not with Alt) removes the current row, or empties the only data row. Returns false
    // for other keys.
    bool keyPress(int key, Qt::KeyboardModifiers modifiers);
    // The data rows a page moves (the rows on screen), at least 1.
    void setPageRows(int rows) { m_pageRows = rows > 0 ? rows : 1; }
    // Moves the current cell, clamped to the data cells.
    void moveBy(int columns, int rows);
    // The grid got the focus: with no validation pending the current text is the baseline.
    void gridFocused();

    // --- operations ---
    // AdvanceEdit moves forward (right, then the first column of the next row, appending a row
    // after the last cell; OnAutoAddRow reports it) or backward (left, then the last column of the
    // previous row, from the first data cell to the last cell) from (ACol, ARow), committing the
    // edit of the cell left, and opens the editor there if asked.
    void AdvanceEdit(int ACol, int ARow, bool forward, bool showEditor);
    // Tab order: like AdvanceEdit but wrapping from the last cell to the first data cell (and
    // back), never appending; leaves no editor open.
    void TabEdit(bool backward);
    // Inserts an empty row at ARow (the current cell keeps its indexes, so it lies in the new
    // row), then OnAutoInsertRow.
    void DoInsertRow(int ARow);
    // Removes row ARow, or empties it when it is the only data row, then OnAutoDeleteRow.
    void DoDeleteRow(int ARow);
    // Appends one empty row at the end.
    void AddRow();
    // The validation step of a commit: nothing unless a validation is pending; an event only when
    // the text differs from the baseline. Returns the handler's Valid (true without an event).
    bool ValidateCell(const std::string &text);
    // Makes the text of (ACol, ARow) the validation baseline.
    void InitValidate(int ACol, int ARow);
    // Escape: the editor and the cell return to the start text.
    void RestoreCache();

private:
    void cellsAboutToBeCleared(const TGridRect &area) override;
    void rowsAboutToBeInserted() override;
    void cellsChanged(const TGridRect &area) override;
    void selectionChanged(const TGridRect &previous) override;

    bool moveKey(int key, Qt::KeyboardModifiers modifiers);
    void moveClamped(int column, int row);
    // The next or previous cell in reading order; none forward from the last cell.
    std::optional<TGridCoord> neighbourInReadingOrder(TGridCoord cell, bool forward) const;
    bool fits(int length) const { return MaxEditLength <= 0 || length <= MaxEditLength; }

    TEditGrid &m_grid;
    GridEditorView *m_view = nullptr;
    bool m_editorOpen = false;
    TGridCoord m_editCell;
    TEditorType m_kind = edNormal;
    std::string m_startText;
    std::string m_editText; // the editor's text, as the cell gets it
    std::string m_baseline;
    bool m_validatePending = false;
    int m_pageRows = 1;
};
