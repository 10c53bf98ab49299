#pragma once

// The pedigree grid on screen: the cell model of TEditGrid drawn in a scroll area, edited through
// one inplace editor laid over the current cell.
//
//   TEditGridWidget grid(parent);
//   configurePedigreeGrid(grid);                       // 3 columns, header row, row height 21
//   grid.OnGetEditorType = [](auto *, int, int, TEditorType &kind) { kind = edCapital; };
//   grid.OnCellValidate = [&](auto *, int col, int row, std::string &value, bool &valid) { ... };
//
// Geometry in viewport pixels. Each cell owns its column width and row height plus one grid line
// along its right and bottom edge; the header rows stay at the top, the data rows scroll from
// TopRow on, and there is only a vertical scroll bar:
//
//   x = 0          152+1          (152+1)+(153+1)
//   +--------------+|-------------+|-----------+|    header row (FixedRows), 21 + 1 pixels
//   +--------------+|-------------+|-----------+|    TopRow
//   |  cell text at (left + 2, top + 2)         |    TopRow + 1 ...
//
// Keys with no editor open: a character or Backspace opens the editor and goes into it; Enter
// opens it; the arrows move by one inside the data cells; Page Up/Down by the rows on screen;
// Home/End (with or without Ctrl) to the first/last row; Tab/Shift+Tab through the cells in
// reading order, wrapping; Insert puts an empty row before the current one; Delete (not with Alt)
// removes the current row, or empties it when it is the only data row.
// Keys in the editor (grid_inplace_edit.h): characters; Enter commits and opens the next cell,
// appending a row after the last cell; Tab/Shift+Tab, Up/Down and Page Up/Down commit and move
// with the editor closed; Left at the start and Right at the end of the text walk to the
// previous/next cell; Escape returns to the start text. Every other key edits the text.
// Mouse: a click on another data cell moves there; a click on the current cell opens the editor
// with the caret at the click; a click on a header cell closes the editor. Each click arms caret
// positioning: the next time the editor gets the focus with the pointer over it, the caret goes
// under the pointer instead of the whole text being selected. The wheel moves the current row.
//
// The grid's editing state: the editor is open on at most the current cell; the start text is the cell's
// text when it opened (Escape returns to it); the validation baseline is the cell's text when the
// cell became current or the grid got the focus with no validation pending, and after each
// validation; a validation is pending from the editor's opening until the next commit, even when
// the focus leaves the grid in between.

#include "grid/edit_grid.h"
#include "grid/editor_type.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <QAbstractScrollArea>

#include <functional>
#include <string>
#include <vector>

class TGridInplaceEdit;

class TEditGridWidget : public QAbstractScrollArea, public TEditGrid
{
    Q_OBJECT

public:
    explicit TEditGridWidget(QWidget *parent = nullptr);
    ~TEditGridWidget() override;

    // Events, each called with the grid first. OnGetEditorType is asked each time the editor is
    // about to open on a cell and for the cell just left by Enter (AEditor given as edNormal).
    // OnCellValidate runs when a committed text differs from the validation baseline (Value given
    // as that text, Valid as true; with Valid still true the cell takes Value). The row events
    // follow the Insert key (OnAutoInsertRow), the Delete key (OnAutoDeleteRow) and a row that
    // Enter appended at the end (OnAutoAddRow).
    std::function<void(TEditGridWidget *Sender, int ACol, int ARow, TEditorType &AEditor)>
        OnGetEditorType;
    std::function<void(
        TEditGridWidget *Sender, int ACol, int ARow, std::string &Value, bool &Valid)>
        OnCellValidate;
    std::function<void(TEditGridWidget *Sender, int ARow)> OnAutoInsertRow;
    std::function<void(TEditGridWidget *Sender, int ARow)> OnAutoDeleteRow;
    std::function<void(TEditGridWidget *Sender, int ARow)> OnAutoAddRow;

    // The editor's length limit for typing and pasting (0: none). A longer stored text still
    // opens whole and is never cut.
    int MaxEditLength = 18;

    // Appearance. Colours may be system colours (they follow the colour scheme when painted).
    FontSpec Font; // data cells and the editor: "Crystal", 16 pixels high
    FontSpec FixedFont; // header cells
    TColor FontColor = clWindowText;
    TColor Color = clWindow; // data cell background
    TColor FixedColor = clBtnFace; // header background
    TColor SelectionColor = clWindow;
    TColor SelectionTextColor = clHighlightText;
    TColor GridLineColor = clSilver; // between data cells; header cells use mid-grey
    int GridLineWidth = 1;
    // The picture tiled behind the data cells from the first data cell on; empty for none.
    void setBackgroundBitmap(const Bitmap &picture);
    const Bitmap &backgroundBitmap() const { return m_background; }

    // Editing operations. AdvanceEdit moves forward (right, then the first column of the next
    // row, appending a row after the last cell; OnAutoAddRow reports it) or backward (left, then
    // the last column of the previous row, from the first data cell to the last cell) from
    // (ACol, ARow), committing the edit of the cell left, and opens the editor there if asked.
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

    // The inplace editor: open or closed, opened on the current cell by the keys and clicks, or
    // here. Opening needs a data cell and the focus on the grid; returns whether it is open.
    bool ShowInplaceEdit();
    // Closes the editor; its text stays in the cell, no validation runs.
    void HideInplaceEdit();
    bool isEditing() const { return m_editorOpen; }
    bool isValidationPending() const { return m_validatePending; }
    TGridInplaceEdit *inplaceEditor() const { return m_editor; }

    // The main window's standard edit actions: available while the editor has the focus (opening
    // a menu does not take it away); they act on the editor. Paste follows the editor's one paste
    // rule. editActionsChanged() is emitted whenever the answers may have changed.
    bool editorHasFocus() const;
    bool editorHasSelectedText() const;
    bool editorCanUndo() const;
    void cutEditorText();
    void copyEditorText();
    void pasteEditorText();
    void undoEditorText();

    // Rectangle of a cell in viewport pixels including its right and bottom grid line; empty when
    // the cell is not on screen (rows above TopRow, beyond the count). cellAt maps a viewport point
    // back to a cell; false outside every cell.
    Rect cellRect(int column, int row) const;
    bool cellAt(int x, int y, TGridCoord &cell) const;
    // Data rows that fit whole below the header rows (at least 1).
    int visibleDataRows() const;

signals:
    void editActionsChanged();

protected:
    // Model hooks.
    void commitPendingEdit() override;
    void updateCells(const TGridRect &area) override;
    void layoutChanged() override;
    void selectionChanged(const TGridRect &previous) override;
    void CellsChanged(const TGridRect &area) override;
    void ClearRect(int left, int top, int right, int bottom) override;
    void InsertRows(int rowIndex, int count) override;

    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class TGridInplaceEdit;

    // Called by the editor for the keys it passes on; true when the grid took the key.
    bool editorKey(QKeyEvent *event);
    void editorTextChanged();
    void editorFocusIn(int reason);
    void editorFocusOut(int reason);

    bool gridKey(QKeyEvent *event);
    void typeIntoNewEditor(QKeyEvent *event);
    void commitAndClose();
    void moveClamped(int column, int row);
    void moveBy(int columns, int rows);
    void clickCell(const QPoint &position);
    void placeEditor();
    void scrollToCurrent();
    void updateScrollBar();
    int rowTop(int row) const;
    int columnLeft(int column) const;
    int rowPitch(int row) const { return RowHeights(row) + GridLineWidth; }
    int columnPitch(int column) const { return ColWidths(column) + GridLineWidth; }
    int headerHeight() const;
    int lastTopRow() const;
    std::vector<int> rowsOnScreen() const;
    std::vector<int> columnsOnScreen() const;
    void paintCell(Canvas &canvas, int column, int row, const Rect &outer) const;
    void paintCellText(Canvas &canvas, const std::string &text, const Rect &inner) const;
    void paintWatermark(Canvas &canvas, const Rect &inner) const;
    TColor selectedTextColor() const;

    TGridInplaceEdit *m_editor = nullptr;
    Bitmap m_background;
    bool m_editorOpen = false;
    bool m_editorFocused = false;
    bool m_closing = false;
    TGridCoord m_editCell;
    std::string m_startText;
    std::string m_baseline;
    bool m_validatePending = false;
    bool m_caretArmed = false;
    int m_wheelRemainder = 0;
    bool m_syncingScrollBar = false;
    Point m_watermarkOrigin; // viewport pixels, set by each paint
};
