#include "grid/edit_grid.h"

#include "grid/pedigree_grid.h"
#include "grid_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr TGridCoord none { -1, -1 };

//      IDENTIFICATION | SIRE           | DAM
//  1   AB-12          | 12-AB          | x
//  2                  | AB             | ab-12
//  3   <b>ab</b>      | été            |
//  4   y              | AB             | 12
const CellRows pedigree = {
    { "AB-12", "12-AB", "x" },
    { "", "AB", "ab-12" },
    { "<b>ab</b>", "\xE9t\xE9", "" },
    { "y", "AB", "12" },
};

class GridFind : public ::testing::Test
{
protected:
    void SetUp() override
    {
        configurePedigreeGrid(grid);
        grid.SetRowCountEx(int(pedigree.size()) + 1);
        for (int row = 1; row < grid.GetRowCountEx(); ++row) {
            for (int column = 0; column < 3; ++column)
                grid.SetCellEx(column, row, pedigree[row - 1][column]);
        }
    }
    void TearDown() override { EXPECT_EQ(grid.checkConsistency(), ""); }

    // The cells successive steps reach, each starting after the previous, until one finds
    // nothing; then checks that the next step starts again from the beginning.
    std::vector<TGridCoord> steps(const std::string &text, TFindParameters parameters)
    {
        std::vector<TGridCoord> visited;
        TGridCoord position = none;
        for (int guard = 0; guard < 20; ++guard) {
            position = grid.Find(position, text, parameters);
            if (position == none)
                break;
            visited.push_back(position);
        }
        EXPECT_EQ(grid.Find(none, text, parameters), visited.empty() ? none : visited.front())
            << "a step after the end starts again";
        return visited;
    }

    RecordingGrid grid;
};

struct StepsCase
{
    const char *name;
    std::string text;
    TFindParameters parameters;
    TGridCoord current;
    std::vector<TGridCoord> visits;
};

TEST_F(GridFind, StepsVisitTheMatchesInScanOrderAndStopAtTheEnd)
{
    const StepsCase cases[] = {
        { "column by column by default", "AB", {}, { 0, 1 },
            { { 0, 1 }, { 0, 3 }, { 1, 1 }, { 1, 2 }, { 1, 4 }, { 2, 2 } } },
        { "row by row in reading order", "AB", { fnDirectionLeftRight }, { 0, 1 },
            { { 0, 1 }, { 1, 1 }, { 1, 2 }, { 2, 2 }, { 0, 3 }, { 1, 4 } } },
        { "backward column by column", "AB", { fnBackward }, { 0, 1 },
            { { 2, 2 }, { 1, 4 }, { 1, 2 }, { 1, 1 }, { 0, 3 }, { 0, 1 } } },
        { "backward row by row", "AB", { fnBackward, fnDirectionLeftRight }, { 0, 1 },
            { { 1, 4 }, { 0, 3 }, { 2, 2 }, { 1, 2 }, { 1, 1 }, { 0, 1 } } },
        { "case sensitive", "ab", { fnMatchCase }, { 0, 1 }, { { 0, 3 }, { 2, 2 } } },
        { "case sensitive upper", "AB-12", { fnMatchCase }, { 0, 1 }, { { 0, 1 } } },
        { "locale upper case of 8-bit letters", "\xC9T", {}, { 0, 1 }, { { 1, 3 } } },
        { "8-bit letters with case", "\xC9T", { fnMatchCase }, { 0, 1 }, {} },
        { "whole cell", "ab", { fnMatchFull }, { 0, 1 }, { { 1, 2 }, { 1, 4 } } },
        { "whole cell without markup", "AB", { fnMatchFull, fnIgnoreHTMLTags }, { 0, 1 },
            { { 0, 3 }, { 1, 2 }, { 1, 4 } } },
        { "markup is searched as text", "<B>", {}, { 0, 1 }, { { 0, 3 } } },
        { "markup ignored", "<B>", { fnIgnoreHTMLTags }, { 0, 1 }, {} },
        { "match from the first character", "12", { fnMatchStart }, { 0, 1 },
            { { 1, 1 }, { 2, 4 } } },
        { "match from the first character ignoring case", "ab", { fnMatchStart }, { 0, 1 },
            { { 0, 1 }, { 1, 2 }, { 1, 4 }, { 2, 2 } } },
        { "two double quotes find empty cells", "\"\"", {}, { 0, 1 }, { { 0, 2 }, { 2, 3 } } },
        { "empty text finds nothing", "", {}, { 0, 1 }, {} },
        { "header row skipped", "SIRE", {}, { 0, 1 }, {} },
        { "header row with fixed cells", "A", { fnIncludeFixed }, { 0, 1 },
            { { 0, 0 }, { 0, 1 }, { 0, 3 }, { 1, 1 }, { 1, 2 }, { 1, 4 }, { 2, 0 }, { 2, 2 } } },
        { "current row only", "AB", { fnFindInCurrentRow, fnDirectionLeftRight }, { 0, 2 },
            { { 1, 2 }, { 2, 2 } } },
        { "current row only, column by column", "AB", { fnFindInCurrentRow }, { 0, 2 },
            { { 1, 2 }, { 2, 2 } } },
        { "current column only", "AB", { fnFindInCurrentCol }, { 1, 3 },
            { { 1, 1 }, { 1, 2 }, { 1, 4 } } },
        { "current column only, backward", "AB", { fnFindInCurrentCol, fnBackward }, { 1, 3 },
            { { 1, 4 }, { 1, 2 }, { 1, 1 } } },
    };
    for (const StepsCase &c : cases) {
        grid.moveCurrentCell(c.current.X, c.current.Y);
        EXPECT_EQ(steps(c.text, c.parameters), c.visits) << c.name;
    }
}

struct SingleCase
{
    const char *name;
    TGridCoord start;
    std::string text;
    TFindParameters parameters;
    TGridCoord expected;
};

TEST_F(GridFind, OneStepStartsOnePastTheGivenCell)
{
    const SingleCase cases[] = {
        { "from the last cell forward", { 2, 4 }, "12", {}, none },
        { "from (-1, -1) backward the last cell is tested", none, "12", { fnBackward }, { 2, 4 } },
        { "from the first data cell backward", { 0, 1 }, "I", { fnBackward }, none },
        { "from the first data cell backward with fixed cells", { 0, 1 }, "I",
            { fnBackward, fnIncludeFixed }, { 0, 0 } },
        { "past the last column goes on with the next row", { 2, 1 }, "Y", { fnDirectionLeftRight },
            { 0, 4 } },
        { "before the first column goes on with the previous row", { 0, 4 }, "\"\"",
            { fnDirectionLeftRight, fnBackward }, { 2, 3 } },
        { "from a header cell without fixed cells", { 1, 0 }, "AB", { fnDirectionLeftRight },
            { 0, 1 } },
        { "from beyond a shrunk table, backward", { 0, 50 }, "AB", { fnBackward }, { 0, 3 } },
        { "from beyond a shrunk table, forward: the next column", { 0, 50 }, "AB", {}, { 1, 1 } },
    };
    for (const SingleCase &c : cases)
        EXPECT_EQ(grid.Find(c.start, c.text, c.parameters), c.expected) << c.name;
}

TEST_F(GridFind, AutoGotoMovesRowThenColumnCommittingTheEdit)
{
    grid.moveCurrentCell(0, 1);
    grid.commits = 0;
    grid.committedAt.clear();

    EXPECT_EQ(grid.Find(none, "ab-12", { fnMatchFull, fnMatchCase }), (TGridCoord { 2, 2 }));
    EXPECT_EQ(grid.Col(), 0) << "without fnAutoGoto the current cell stays";

    EXPECT_EQ(
        grid.Find(none, "ab-12", { fnMatchFull, fnMatchCase, fnAutoGoto }), (TGridCoord { 2, 2 }));
    EXPECT_EQ((TGridCoord { grid.Col(), grid.Row() }), (TGridCoord { 2, 2 }));
    EXPECT_EQ(grid.committedAt, (std::vector<TGridCoord> { { 0, 1 }, { 0, 2 } }));
    EXPECT_EQ(grid.Selection(), (TGridRect { 2, 2, 2, 2 }));
}

TEST_F(GridFind, HeaderMatchIsReturnedButNeverMadeCurrent)
{
    grid.moveCurrentCell(2, 4);
    grid.commits = 0;
    const TFindParameters parameters { fnIncludeFixed, fnAutoGoto, fnMatchFull };
    const TGridCoord header = grid.Find(none, "SIRE", parameters);
    EXPECT_EQ(header, (TGridCoord { 1, 0 }));
    EXPECT_EQ((TGridCoord { grid.Col(), grid.Row() }), (TGridCoord { 2, 4 }));
    EXPECT_EQ(grid.commits, 0);
    EXPECT_EQ(grid.Find(header, "AB", parameters), (TGridCoord { 1, 2 }))
        << "the next step goes on after the header cell";
    EXPECT_EQ((TGridCoord { grid.Col(), grid.Row() }), (TGridCoord { 1, 2 }));
}

TEST_F(GridFind, MatchCellUsesTheLastFindsTextAndParameters)
{
    EXPECT_FALSE(grid.MatchCell(1, 2)) << "before any search";
    grid.Find(none, "ab", { fnMatchFull });
    EXPECT_TRUE(grid.MatchCell(1, 2));
    EXPECT_FALSE(grid.MatchCell(0, 1));
    EXPECT_FALSE(grid.MatchCell(7, 70)) << "outside the table";
    grid.Find(none, "ab", { fnMatchStart, fnMatchCase, fnIgnoreHTMLTags });
    EXPECT_TRUE(grid.MatchCell(0, 3));
    EXPECT_FALSE(grid.MatchCell(1, 2));
}

TEST_F(GridFind, GridShrunkToOneRowSearchesItWithoutFaults)
{
    grid.SetRowCountEx(1); // the header count drops to 0: the row is data now
    EXPECT_EQ(grid.Find(none, "\"\"", { fnAutoGoto }), none);
    EXPECT_EQ(grid.Find(none, "DAM", { fnAutoGoto, fnBackward }), (TGridCoord { 2, 0 }));
    EXPECT_EQ(grid.Col(), 2);
}

TEST(FindParameters, BitsFollowTheDeclaredOrder)
{
    EXPECT_EQ(TFindParameters { fnMatchCase }.bits(), 1u);
    EXPECT_EQ((TFindParameters { fnAutoGoto, fnDirectionLeftRight, fnMatchCase }.bits()), 0x109u);
    EXPECT_EQ(TFindParameters { fnIncludeHiddenColumns }.bits(), 1u << 11);
    TFindParameters parameters { fnBackward };
    parameters -= fnBackward;
    EXPECT_EQ(parameters, TFindParameters {});
}

} // namespace
