#include "grid/grid_edit_controller.h"

#include "grid/pedigree_grid.h"
#include "grid_test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// One event as the tests see it: "validate" with its cell and value, or "add" with its row.
struct Event
{
    std::string name;
    int column = -1;
    int row = -1;
    std::string value;

    friend bool operator==(const Event &, const Event &) = default;
};

void PrintTo(const Event &event, std::ostream *out)
{
    *out << event.name << "(" << event.column << ", " << event.row << ", \"" << event.value
         << "\")";
}

Event added(int row)
{
    return { "add", -1, row, {} };
}

// The pedigree grid with rows of A<n>, S<n>, D<n>, edited headless with capitals, with every
// event recorded. A page is 18 rows, as on the main window's grid.
class GridEditControllerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        configurePedigreeGrid(cells);
        editing.OnGetEditorType
            = [this](TEditGrid *, int, int, TEditorType &kind) { kind = editorKind; };
        editing.OnCellValidate
            = [this](TEditGrid *, int column, int row, std::string &value, bool &) {
                  events.push_back({ "validate", column, row, value });
              };
        editing.OnAutoAddRow = [this](TEditGrid *, int row) { events.push_back(added(row)); };
        editing.setPageRows(18);
    }
    void TearDown() override { EXPECT_EQ(cells.checkConsistency(), ""); }

    void fillRows(int count)
    {
        cells.SetRowCountEx(count + 1);
        for (int row = 1; row <= count; ++row) {
            const std::string n = std::to_string(row);
            for (int column = 0; column < 3; ++column)
                cells.SetCellEx(column, row, std::string(1, "ASD"[column]) + n);
        }
        editing.InitValidate(cells.Col(), cells.Row());
    }
    void expectCurrent(TGridCoord cell) const
    {
        EXPECT_EQ((TGridCoord { cells.Col(), cells.Row() }), cell);
    }

    TEditGrid cells;
    GridEditController editing { cells };
    TEditorType editorKind = edCapital;
    std::vector<Event> events;
};

// Keys with no editor open on a grid of ten data rows.
struct KeyCase
{
    const char *name;
    TGridCoord start;
    int key;
    Qt::KeyboardModifiers modifiers;
    TGridCoord expected;
};

class KeyTest : public GridEditControllerTest, public testing::WithParamInterface<KeyCase>
{ };

TEST_P(KeyTest, MovesTheCurrentCell)
{
    const KeyCase &c = GetParam();
    fillRows(10);
    cells.SelectRange(c.start.X, c.start.X, c.start.Y, c.start.Y);
    EXPECT_TRUE(editing.keyPress(c.key, c.modifiers));
    expectCurrent(c.expected);
    EXPECT_EQ(cells.anchor(), c.expected);
    EXPECT_FALSE(editing.isEditing());
    EXPECT_EQ(cells.GetRowCountEx(), 11);
    EXPECT_TRUE(events.empty());
}

// A page (18 rows) is more than the whole grid: paging goes to the first or last row.
INSTANTIATE_TEST_SUITE_P(Keys, KeyTest,
    testing::Values(KeyCase { "DownMovesOneRow", { 1, 3 }, Qt::Key_Down, {}, { 1, 4 } },
        KeyCase { "UpMovesOneRow", { 1, 3 }, Qt::Key_Up, {}, { 1, 2 } },
        KeyCase { "UpNeverEntersTheHeader", { 1, 1 }, Qt::Key_Up, {}, { 1, 1 } },
        KeyCase { "DownStopsAtTheLastRow", { 1, 10 }, Qt::Key_Down, {}, { 1, 10 } },
        KeyCase { "LeftStopsAtTheFirstColumn", { 0, 5 }, Qt::Key_Left, {}, { 0, 5 } },
        KeyCase { "RightStopsAtTheLastColumn", { 2, 5 }, Qt::Key_Right, {}, { 2, 5 } },
        KeyCase { "RightMovesOneColumn", { 0, 5 }, Qt::Key_Right, {}, { 1, 5 } },
        KeyCase { "HomeGoesToTheFirstRow", { 2, 7 }, Qt::Key_Home, {}, { 2, 1 } },
        KeyCase { "EndGoesToTheLastRow", { 2, 7 }, Qt::Key_End, {}, { 2, 10 } },
        KeyCase {
            "CtrlHomeGoesToTheFirstRow", { 1, 7 }, Qt::Key_Home, Qt::ControlModifier, { 1, 1 } },
        KeyCase {
            "CtrlEndGoesToTheLastRow", { 0, 2 }, Qt::Key_End, Qt::ControlModifier, { 0, 10 } },
        KeyCase { "PageDownStopsAtTheLastRow", { 1, 2 }, Qt::Key_PageDown, {}, { 1, 10 } },
        KeyCase { "PageUpStopsAtTheFirstRow", { 1, 9 }, Qt::Key_PageUp, {}, { 1, 1 } },
        KeyCase { "TabGoesRight", { 0, 3 }, Qt::Key_Tab, {}, { 1, 3 } },
        KeyCase { "TabFromTheLastColumnGoesToTheNextRow", { 2, 3 }, Qt::Key_Tab, {}, { 0, 4 } },
        KeyCase { "TabFromTheLastCellWraps", { 2, 10 }, Qt::Key_Tab, {}, { 0, 1 } },
        KeyCase { "ShiftTabFromTheFirstColumnGoesUp", { 0, 4 }, Qt::Key_Tab, Qt::ShiftModifier,
            { 2, 3 } },
        KeyCase { "BacktabFromTheFirstCellWrapsToTheLast", { 0, 1 }, Qt::Key_Backtab,
            Qt::ShiftModifier, { 2, 10 } }),
    [](const testing::TestParamInfo<KeyCase> &info) { return info.param.name; });

// How the editor ends an edit, on three data rows, after "Q" was typed into the start cell.
struct EndEditCase
{
    const char *name;
    TGridCoord start;
    EndEditHint hint;
    TGridCoord expected;
    bool editing;
    std::vector<Event> events;
};

class EndEditTest : public GridEditControllerTest, public testing::WithParamInterface<EndEditCase>
{ };

TEST_P(EndEditTest, CommitsAndMovesAsTheHintSays)
{
    const EndEditCase &c = GetParam();
    fillRows(3);
    cells.SelectRange(c.start.X, c.start.X, c.start.Y, c.start.Y);
    const std::string before = cells.GetCellEx(c.start.X, c.start.Y);
    ASSERT_TRUE(editing.ShowInplaceEdit());
    editing.editorTextChanged("Q");
    EXPECT_EQ(cells.GetCellEx(c.start.X, c.start.Y), "Q"); // written while typing
    const bool reverted = c.hint == EndEditHint::RevertModelCache;
    if (!reverted)
        editing.commitData(); // as the editor reports every end but Escape
    editing.closeEditor(c.hint);
    expectCurrent(c.expected);
    EXPECT_EQ(editing.isEditing(), c.editing);
    EXPECT_EQ(events, c.events);
    EXPECT_EQ(cells.GetCellEx(c.start.X, c.start.Y), reverted ? before : "Q");
}

Event validatedQ(int column, int row)
{
    return { "validate", column, row, "Q" };
}

INSTANTIATE_TEST_SUITE_P(Hints, EndEditTest,
    testing::Values(EndEditCase { "NextGoesRightAndReopens", { 0, 2 }, EndEditHint::EditNextItem,
                        { 1, 2 }, true, { validatedQ(0, 2) } },
        EndEditCase { "NextAfterTheLastCellAppendsARow", { 2, 3 }, EndEditHint::EditNextItem,
            { 0, 4 }, true, { validatedQ(2, 3), added(4) } },
        EndEditCase { "PreviousFromTheFirstCellGoesToTheLast", { 0, 1 },
            EndEditHint::EditPreviousItem, { 2, 3 }, true, { validatedQ(0, 1) } },
        EndEditCase { "TabFromTheLastCellWrapsWithoutAppending", { 2, 3 }, EndEditHint::TabNextItem,
            { 0, 1 }, false, { validatedQ(2, 3) } },
        EndEditCase { "ShiftTabGoesToThePreviousRow", { 0, 2 }, EndEditHint::TabPreviousItem,
            { 2, 1 }, false, { validatedQ(0, 2) } },
        EndEditCase { "UpOnTheFirstRowClosesAndStays", { 1, 1 }, EndEditHint::RowUp, { 1, 1 },
            false, { validatedQ(1, 1) } },
        EndEditCase { "PageDownStopsAtTheLastRow", { 1, 1 }, EndEditHint::PageDown, { 1, 3 }, false,
            { validatedQ(1, 1) } },
        EndEditCase { "EscapeRevertsAndStaysOpen", { 1, 2 }, EndEditHint::RevertModelCache,
            { 1, 2 }, true, {} }),
    [](const testing::TestParamInfo<EndEditCase> &info) { return info.param.name; });

TEST_F(GridEditControllerTest, AnEditLeftWithoutACommitIsValidatedByTheNextCommit)
{
    fillRows(1);
    editing.ShowInplaceEdit();
    editing.editorTextChanged("AB");
    editing.HideInplaceEdit(); // the focus left the grid
    editing.gridFocused(); // and came back: the baseline waits for the validation
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(editing.isValidationPending());
    editing.commitPendingEdit(); // as the document commands do before saving
    EXPECT_EQ(events, (std::vector<Event> { { "validate", 0, 1, "AB" } }));
    editing.commitPendingEdit();
    EXPECT_EQ(events.size(), 1u);
}

// What typing and pasting the same characters put into an editor holding `length` characters,
// `selected` of them selected.
struct TextCase
{
    const char *name;
    TEditorType kind;
    int length;
    int selected;
    std::u32string input;
    std::string typed; // empty: refused
    std::optional<std::string> pasted;
};

class TextRuleTest : public GridEditControllerTest, public testing::WithParamInterface<TextCase>
{ };

TEST_P(TextRuleTest, TypingAndPasting)
{
    const TextCase &c = GetParam();
    editorKind = c.kind;
    ASSERT_TRUE(editing.ShowInplaceEdit());
    EXPECT_EQ(editing.typedText(c.input, c.length, c.selected), c.typed);
    EXPECT_EQ(editing.pastedText(c.input, c.length, c.selected), c.pasted);
}

INSTANTIATE_TEST_SUITE_P(Rules, TextRuleTest,
    testing::Values(
        TextCase { "TypedLettersBecomeCapitals", edCapital, 0, 0, U"ab-12", "AB-12", "ab-12" },
        TextCase { "CapitalsByteByByteSharpSStays", edCapital, 0, 0, U"straße é ÿ",
            "STRA\xDF"
            "E \xC9 \x9F",
            "stra\xDF"
            "e \xE9 \xFF" },
        TextCase { "CharactersWithoutAByte", edCapital, 0, 0, U"\u4E00a", "A", "?a" },
        TextCase { "LowerCaseKind", edLowerCase, 0, 0, U"AbC", "abc", "AbC" },
        TextCase { "TheNineteenthCharacterIsRefused", edCapital, 18, 0, U"z", "", std::nullopt },
        TextCase { "ReplacingASelectedCharacterFits", edCapital, 18, 1, U"z", "Z", "z" },
        TextCase { "NineteenCharactersAreRefused", edCapital, 0, 0, U"abcdefghijklmnopqrs", "",
            std::nullopt },
        TextCase {
            "TenIntoTenUnselectedAreRefused", edCapital, 10, 0, U"abcdefghij", "", std::nullopt }),
    [](const testing::TestParamInfo<TextCase> &info) { return info.param.name; });

} // namespace
