#pragma once

#include "grid/edit_grid_widget.h"

#include <gtest/gtest.h>

#include <QPoint>

#include <memory>
#include <string>
#include <vector>

class QImage;
class QLineEdit;
class QWidget;

// One grid event as the tests see it: the event's name, column, row and value.
struct GridEvent
{
    std::string name; // "validate", "insert", "delete", "add"
    int column = -1;
    int row = -1;
    std::string value;

    friend bool operator==(const GridEvent &, const GridEvent &) = default;
};

void PrintTo(const GridEvent &event, std::ostream *out);

// The pedigree grid on screen in a window beside a line edit, shown, active and focused, with every event recorded and
// OnGetEditorType answering edCapital as the main window does.
class GridWidgetTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Fills data rows 1 .. rows.size() (growing the grid) without events.
    void fillRows(const std::vector<std::vector<std::string>> &rows);
    // Key presses and typed text, sent to the widget that has the focus.
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(const std::string &text);
    // A left click in the middle of a cell (or at an offset from its left edge).
    void click(int column, int row, int fromLeft = -1);
    // The cell's texts of a row.
    std::vector<std::string> rowCells(int row) const;
    QImage grabViewport() const;
    void setClipboard(const std::string &utf8);

    std::unique_ptr<QWidget> window; // holds the grid and another control to take the focus
    TEditGridWidget *grid = nullptr;
    TEditGrid *model = nullptr; // the grid's cells
    GridEditController *editing = nullptr; // its editing rules and events
    QLineEdit *other = nullptr;
    std::vector<GridEvent> events;
    int editorTypeRequests = 0;
};

// Expects the current cell.
#define EXPECT_CURRENT(grid, column, row)                                                          \
    do {                                                                                           \
        EXPECT_EQ((grid).Col(), (column));                                                         \
        EXPECT_EQ((grid).Row(), (row));                                                            \
    } while (false)
