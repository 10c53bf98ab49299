#include "grid/edit_grid.h"

#include "grid/grid_errors.h"
#include "grid/pedigree_grid.h"
#include "grid_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Runs the call and checks that it throws exactly EInvalidGridOperation with the message.
void expectGridError(const std::function<void()> &call, const std::string &message)
{
    try {
        call();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const EInvalidGridOperation &error) {
        EXPECT_EQ(std::string(error.what()), message);
    }
}

// Fills every data cell with "c<column>r<row>".
void fillDataCells(TEditGrid &grid)
{
    for (int row = grid.GetFixedRowsEx(); row < grid.GetRowCountEx(); ++row) {
        for (int column = 0; column < grid.GetColCountEx(); ++column)
            grid.SetCellEx(column, row, "c" + std::to_string(column) + "r" + std::to_string(row));
    }
}

class PedigreeGrid : public ::testing::Test
{
protected:
    void SetUp() override { configurePedigreeGrid(grid); }
    void TearDown() override { EXPECT_EQ(grid.checkConsistency(), ""); }

    RecordingGrid grid;
};

} // namespace

TEST_F(PedigreeGrid, StartsWithTheHeaderRowAndOneEmptyDataRow)
{
    EXPECT_EQ(grid.GetColCountEx(), 3);
    EXPECT_EQ(grid.GetRowCountEx(), 2);
    EXPECT_EQ(grid.GetFixedRowsEx(), 1);
    EXPECT_EQ(grid.GetFixedColsEx(), 0);
    EXPECT_EQ(
        dataRows(grid, 0), (CellRows { { "IDENTIFICATION", "SIRE", "DAM" }, { "", "", "" } }));
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.ColWidths(1), 153);
    EXPECT_EQ(grid.RowHeights(1), 21);
}

TEST_F(PedigreeGrid, NewSequenceLeavesHeaderAndOneEmptyRowWhateverTheSize)
{
    struct Case
    {
        const char *name;
        int rows;
        int columns;
        int currentRow;
    };
    const Case cases[] = {
        { "already new", 2, 3, 1 },
        { "three rows, current on the last", 3, 3, 2 },
        { "many rows, current far down", 2500, 3, 2400 },
        { "widened to five columns", 40, 5, 20 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        grid.SetColCountEx(c.columns);
        grid.SetRowCountEx(c.rows);
        fillDataCells(grid);
        grid.SelectRange(1, 1, c.currentRow, c.currentRow);
        grid.SetTopRow(c.currentRow);

        resetPedigreeGrid(grid);

        EXPECT_EQ(grid.GetRowCountEx(), 2);
        EXPECT_EQ(grid.GetFixedRowsEx(), 1);
        EXPECT_EQ(grid.GetCellEx(0, 0), "IDENTIFICATION");
        EXPECT_EQ(grid.GetCellEx(2, 0), "DAM");
        for (int column = 0; column < grid.GetColCountEx(); ++column)
            EXPECT_EQ(grid.GetCellEx(column, 1), "") << "column " << column;
        EXPECT_EQ(grid.TopRow(), 1);
        EXPECT_EQ(grid.checkConsistency(), "");
        grid.SetColCountEx(3);
    }
}

TEST_F(PedigreeGrid, ZeroCountsChangeNothing)
{
    grid.SetCellEx(0, 1, "AB-123");
    grid.RemoveRows(2, 0);
    grid.ClearRows(1, 0);
    EXPECT_EQ(grid.GetRowCountEx(), 2);
    EXPECT_EQ(grid.GetCellEx(0, 1), "AB-123");
}

TEST_F(PedigreeGrid, SingleRowGridLosesItsHeaderRowAndRefusesItBack)
{
    grid.SetRowCountEx(1);
    EXPECT_EQ(grid.GetRowCountEx(), 1);
    EXPECT_EQ(grid.GetFixedRowsEx(), 0);
    EXPECT_EQ(grid.Row(), 0);
    expectGridError([&] { grid.SetFixedRowsEx(1); }, "Fixed row count must be less than row count");
    expectGridError([&] { grid.SelectRange(0, 0, 1, 1); }, "Grid index out of range");
    expectGridError(
        [&] { resetPedigreeGrid(grid); }, "Fixed row count must be less than row count");
    EXPECT_EQ(grid.GetCellEx(0, 0), "IDENTIFICATION");
}

TEST_F(PedigreeGrid, InvalidOperationsThrowTheirMessagesAndChangeNothing)
{
    struct Case
    {
        const char *name;
        std::function<void(TEditGrid &)> call;
        const char *message;
    };
    const Case cases[] = {
        { "negative fixed rows", [](TEditGrid &g) { g.SetFixedRowsEx(-1); },
            "Grid index out of range" },
        { "fixed rows equal to the row count", [](TEditGrid &g) { g.SetFixedRowsEx(4); },
            "Fixed row count must be less than row count" },
        { "negative fixed columns", [](TEditGrid &g) { g.SetFixedColsEx(-2); },
            "Grid index out of range" },
        { "fixed columns beyond the column count", [](TEditGrid &g) { g.SetFixedColsEx(7); },
            "Fixed column count must be less than column count" },
        { "selection below the last row", [](TEditGrid &g) { g.SelectRange(0, 0, 4, 4); },
            "Grid index out of range" },
        { "selection right of the last column", [](TEditGrid &g) { g.SelectRange(0, 3, 1, 1); },
            "Grid index out of range" },
        { "selection anchor at a negative row", [](TEditGrid &g) { g.SelectRange(0, 0, -1, 2); },
            "Grid index out of range" },
        { "move below the last row", [](TEditGrid &g) { g.SetRow(4); }, "Grid index out of range" },
        { "cell outside the table", [](TEditGrid &g) { g.SetCellEx(3, 1, "X"); },
            "Grid index out of range" },
        { "insert beyond the end", [](TEditGrid &g) { g.InsertRows(5, 1); },
            "Grid index out of range" },
        { "remove at a negative row", [](TEditGrid &g) { g.RemoveRows(-1, 1); },
            "Grid index out of range" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingGrid g;
        configurePedigreeGrid(g);
        g.SetRowCountEx(4);
        g.SelectRange(2, 2, 3, 3);
        g.SetCellEx(1, 2, "KEPT");
        const int commitsBefore = g.commits;
        expectGridError([&] { c.call(g); }, c.message);
        EXPECT_EQ(g.GetRowCountEx(), 4);
        EXPECT_EQ(g.GetFixedRowsEx(), 1);
        EXPECT_EQ(g.GetFixedColsEx(), 0);
        EXPECT_EQ(g.Col(), 2);
        EXPECT_EQ(g.Row(), 3);
        EXPECT_EQ(g.GetCellEx(1, 2), "KEPT");
        EXPECT_EQ(g.commits, commitsBefore) << "a refused move commits no edit";
    }
}

TEST_F(PedigreeGrid, FixedCountChangeReturnsToFirstDataCellWithoutCommitting)
{
    grid.SetRowCountEx(10);
    grid.SelectRange(2, 2, 8, 8);
    grid.SetTopRow(6);
    const int commitsBefore = grid.commits;

    grid.SetFixedRowsEx(2);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.anchor(), (TGridCoord { 0, 2 }));
    EXPECT_EQ(grid.TopRow(), 2);
    EXPECT_EQ(grid.commits, commitsBefore);

    grid.SelectRange(2, 2, 8, 8);
    grid.SetFixedRowsEx(2); // the same value: nothing moves
    EXPECT_EQ(grid.Row(), 8);
}

TEST_F(PedigreeGrid, SelectionAndIsSelected)
{
    grid.SetRowCountEx(6);
    grid.SelectRange(1, 1, 3, 3);
    EXPECT_TRUE(grid.IsSelected(1, 3));
    EXPECT_FALSE(grid.IsSelected(0, 3));
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 3);

    grid.SelectRange(2, 0, 4, 0); // a range reaching into the header row
    EXPECT_EQ(grid.Selection(), (TGridRect { 0, 0, 2, 4 }));
    EXPECT_FALSE(grid.IsSelected(0, 0)) << "fixed cells are never selected";
    EXPECT_TRUE(grid.IsSelected(0, 1));
    EXPECT_TRUE(grid.IsSelected(2, 4));
    EXPECT_FALSE(grid.IsSelected(2, 5));
    EXPECT_EQ(grid.anchor(), (TGridCoord { 2, 4 }));
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.Row(), 0);
}

// The main window ends an edit by selecting another cell of the row and then the cell again.
TEST_F(PedigreeGrid, MovingAwayCommitsThePendingEditOfTheCellLeft)
{
    grid.SetRowCountEx(4);
    grid.SelectRange(2, 2, 3, 3);
    grid.commits = 0;
    grid.committedAt.clear();

    grid.SelectRange(0, 0, 3, 3);
    grid.SelectRange(2, 2, 3, 3);
    ASSERT_EQ(grid.commits, 2);
    EXPECT_EQ(grid.committedAt[0], (TGridCoord { 2, 3 }));
    EXPECT_EQ(grid.committedAt[1], (TGridCoord { 0, 3 }));

    grid.SelectRange(2, 2, 3, 3); // already there
    EXPECT_EQ(grid.commits, 2);
}

TEST_F(PedigreeGrid, RemoveRowsKeepsOrMovesTheCurrentRow)
{
    struct Case
    {
        const char *name;
        int currentRow;
        int topRow;
        int removeAt;
        int count;
        int expectedRowCount;
        int expectedCurrentRow;
        int expectedTopRow;
        const char *expectedCellOfCurrentRow;
    };
    const Case cases[] = {
        { "current row removed with the tail", 8, 6, 5, 5, 5, 4, 4, "c1r4" },
        { "current row above the removed rows", 3, 2, 5, 2, 8, 3, 2, "c1r3" },
        { "current row below keeps its index", 7, 4, 2, 3, 7, 6, 4, "c1r9" },
        { "count beyond the table stops at its end", 5, 3, 4, 100, 4, 3, 3, "c1r3" },
        { "index equal to the row count removes nothing", 5, 3, 10, 2, 10, 5, 3, "c1r5" },
        { "index beyond the row count does nothing", 5, 3, 11, 2, 10, 5, 3, "c1r5" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingGrid g;
        configurePedigreeGrid(g);
        g.SetRowCountEx(10);
        fillDataCells(g);
        g.SelectRange(1, 1, c.currentRow, c.currentRow);
        g.SetTopRow(c.topRow);
        g.commits = 0;
        g.changes.clear();

        g.RemoveRows(c.removeAt, c.count);

        EXPECT_EQ(g.GetRowCountEx(), c.expectedRowCount);
        EXPECT_EQ(g.Row(), c.expectedCurrentRow);
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Selection(), (TGridRect { 1, c.expectedCurrentRow, 1, c.expectedCurrentRow }));
        EXPECT_EQ(g.TopRow(), c.expectedTopRow);
        EXPECT_EQ(g.GetCellEx(1, g.Row()), c.expectedCellOfCurrentRow);
        EXPECT_EQ(g.commits, c.removeAt > 10 ? 0 : 1);
        EXPECT_EQ(g.checkConsistency(), "");
    }
}

TEST_F(PedigreeGrid, RemoveRowsReportsTheChangedRows)
{
    grid.SetRowCountEx(6);
    grid.changes.clear();
    grid.RemoveRows(2, 3);
    ASSERT_EQ(grid.changes.size(), 1u);
    EXPECT_EQ(grid.changes[0], (TGridRect { 0, 2, 2, 5 }));
}

TEST_F(PedigreeGrid, RemovingEveryRowKeepsOneEmptyRow)
{
    grid.SetRowCountEx(3);
    fillDataCells(grid);
    grid.RemoveRows(0, 3);
    EXPECT_EQ(grid.GetRowCountEx(), 1);
    EXPECT_EQ(grid.GetFixedRowsEx(), 0);
    EXPECT_EQ(dataRows(grid, 0), (CellRows { { "", "", "" } }));
}

TEST_F(PedigreeGrid, RowsAddedLaterAreEmpty)
{
    grid.SetRowCountEx(5);
    fillDataCells(grid);
    grid.RemoveRows(2, 3);
    grid.SetRowCountEx(5);
    EXPECT_EQ(dataRows(grid),
        (CellRows { { "c0r1", "c1r1", "c2r1" }, { "", "", "" }, { "", "", "" }, { "", "", "" } }));
    grid.SetColCountEx(2);
    grid.SetColCountEx(3);
    EXPECT_EQ(grid.GetCellEx(2, 1), "") << "a column added again starts empty";
    EXPECT_EQ(grid.ColWidths(2), 64);
}

TEST_F(PedigreeGrid, ShrinkingMovesTheCurrentCellInsideAfterCommitting)
{
    grid.SetRowCountEx(8);
    grid.SelectRange(2, 2, 7, 7);
    grid.commits = 0;
    grid.SetRowCountEx(4);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.anchor(), (TGridCoord { 2, 3 }));
    EXPECT_EQ(grid.commits, 1);

    grid.SetColCountEx(2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.commits, 2);

    grid.SetRowCountEx(0);
    EXPECT_EQ(grid.GetRowCountEx(), 1) << "a count below 1 becomes 1";
}

TEST_F(PedigreeGrid, InsertRowsShiftsTextsAndHeightsDown)
{
    grid.SetRowCountEx(4);
    fillDataCells(grid);
    grid.SetRowHeights(2, 40);
    grid.SelectRange(1, 1, 2, 2);

    grid.InsertRows(2, 2);

    EXPECT_EQ(grid.GetRowCountEx(), 6);
    EXPECT_EQ(dataRows(grid),
        (CellRows { { "c0r1", "c1r1", "c2r1" }, { "", "", "" }, { "", "", "" },
            { "c0r2", "c1r2", "c2r2" }, { "c0r3", "c1r3", "c2r3" } }));
    EXPECT_EQ(grid.RowHeights(2), 21);
    EXPECT_EQ(grid.RowHeights(4), 40);
    EXPECT_EQ(grid.Row(), 2) << "the current cell keeps its indexes";

    grid.InsertRows(6, 1); // append
    EXPECT_EQ(grid.GetRowCountEx(), 7);
}

TEST_F(PedigreeGrid, ClearRectEmptiesOnlyItsCellsAndKeepsTheSelection)
{
    grid.SetRowCountEx(5);
    fillDataCells(grid);
    grid.SelectRange(2, 2, 4, 4);
    grid.changes.clear();

    grid.ClearRect(1, 2, 2, 3);

    EXPECT_EQ(dataRows(grid),
        (CellRows { { "c0r1", "c1r1", "c2r1" }, { "c0r2", "", "" }, { "c0r3", "", "" },
            { "c0r4", "c1r4", "c2r4" } }));
    EXPECT_EQ(grid.changes, (std::vector<TGridRect> { { 1, 2, 2, 3 } }));
    EXPECT_EQ(grid.Selection(), (TGridRect { 2, 4, 2, 4 }));
    EXPECT_EQ(grid.GetRowCountEx(), 5);
}

TEST_F(PedigreeGrid, ColumnHeadersBeyondTheColumnsAreIgnored)
{
    grid.SetColumnHeaders({ "A", "B", "C", "D" });
    EXPECT_EQ(dataRows(grid, 0)[0], (std::vector<std::string> { "A", "B", "C" }));

    TEditGrid noHeaderRow;
    noHeaderRow.SetFixedRowsEx(0);
    noHeaderRow.SetColumnHeaders({ "A" });
    EXPECT_EQ(noHeaderRow.GetCellEx(0, 0), "") << "headers go to row 0 only when it is fixed";
}

TEST_F(PedigreeGrid, CellsOutsideTheTableReadEmpty)
{
    EXPECT_EQ(grid.GetCellEx(3, 1), "");
    EXPECT_EQ(grid.GetCellEx(0, 2), "");
    EXPECT_EQ(grid.GetCellEx(-1, 0), "");
}
