#pragma once

// The pedigree grid on screen: its cell model (a TEditGrid it owns) drawn in a scroll area, edited
// through one inplace editor laid over the current cell. The editing rules, their state and the
// grid's events belong to its GridEditController; the widget turns keys, clicks and focus into
// calls on it and shows the editor it asks for.
//
//   TEditGridWidget grid(parent);
//   configurePedigreeGrid(grid.model());               // 3 columns, header row, row height 21
//   GridEditController &editing = grid.controller();
//   editing.OnGetEditorType = [](auto *, int, int, TEditorType &kind) { kind = edCapital; };
//   editing.OnCellValidate = [&](auto *, int col, int row, std::string &value, bool &) { ... };
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

#include "grid/edit_grid.h"
#include "grid/grid_edit_controller.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <QAbstractScrollArea>

#include <string>
#include <vector>

class TGridInplaceEdit;

class TEditGridWidget : public QAbstractScrollArea, private EditGridObserver, private GridEditorView
{
    Q_OBJECT

public:
    explicit TEditGridWidget(QWidget *parent = nullptr);
    ~TEditGridWidget() override;

    // The cells, and the editing rules with the grid's events.
    TEditGrid &model() { return m_model; }
    const TEditGrid &model() const { return m_model; }
    GridEditController &controller() { return m_controller; }
    const GridEditController &controller() const { return m_controller; }

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

    // The inplace editor, shown while the controller has it open.
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
    // The model's changes.
    void cellChanged(int column, int row) override;
    void cellsChanged(const TGridRect &area) override;
    void layoutChanged() override;
    void selectionChanged(const TGridRect &previous) override;
    // The editor as the controller drives it.
    bool mayOpenEditor() const override;
    void showEditor(const std::string &text, TEditorType kind) override;
    void setEditorText(const std::string &text) override;
    void hideEditor() override;

    void connectEditor();
    void editorFocusIn(int reason);
    void editorFocusOut(int reason);
    void typeIntoNewEditor(QKeyEvent *event);
    void clickCell(const QPoint &position);
    void updateCells(const TGridRect &area);
    void placeEditor();
    void scrollToCurrent();
    void updateScrollBar();
    int rowTop(int row) const;
    int columnLeft(int column) const;
    int rowPitch(int row) const { return m_model.RowHeights(row) + GridLineWidth; }
    int columnPitch(int column) const { return m_model.ColWidths(column) + GridLineWidth; }
    int headerHeight() const;
    int lastTopRow() const;
    std::vector<int> rowsOnScreen() const;
    std::vector<int> columnsOnScreen() const;
    void paintCell(Canvas &canvas, int column, int row, const Rect &outer) const;
    void paintCellText(Canvas &canvas, const std::string &text, const Rect &inner) const;
    void paintWatermark(Canvas &canvas, const Rect &inner) const;
    TColor selectedTextColor() const;

    TEditGrid m_model;
    GridEditController m_controller { m_model }; // observes the model before the widget does
    TGridInplaceEdit *m_editor = nullptr;
    Bitmap m_background;
    bool m_editorFocused = false;
    bool m_closing = false; // the editor is handing the focus back to the grid
    bool m_caretArmed = false;
    int m_wheelRemainder = 0;
    bool m_syncingScrollBar = false;
    Point m_watermarkOrigin; // viewport pixels, set by each paint
};
