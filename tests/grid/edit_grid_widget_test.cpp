#include "grid_widget_fixture.h"

#include "grid/grid_inplace_edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace {

const std::vector<std::vector<std::string>> tenRows {
    { "A1", "S1", "D1" },
    { "A2", "S2", "D2" },
    { "A3", "S3", "D3" },
    { "A4", "S4", "D4" },
    { "A5", "S5", "D5" },
    { "A6", "S6", "D6" },
    { "A7", "S7", "D7" },
    { "A8", "S8", "D8" },
    { "A9", "S9", "D9" },
    { "A10", "S10", "D10" },
};

GridEvent validated(int column, int row, const std::string &value)
{
    return { "validate", column, row, value };
}

} // namespace

using GridEditingTest = GridWidgetTest;

TEST_F(GridEditingTest, TypedLettersBecomeCapitalsAndEnterValidatesOnceAndMovesRight)
{
    type("ab-12");
    EXPECT_EQ(model->GetCellEx(0, 1), "AB-12"); // written into the cell while typing
    key(Qt::Key_Return);
    EXPECT_EQ(model->GetCellEx(0, 1), "AB-12");
    EXPECT_CURRENT(*model, 1, 1);
    EXPECT_TRUE(editing->isEditing());
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "AB-12") });
}

TEST_F(GridEditingTest, EnterWithoutAChangeFiresNoValidation)
{
    fillRows({ { "X1", "", "" } });
    key(Qt::Key_Return); // opens the editor where it is
    EXPECT_TRUE(editing->isEditing());
    EXPECT_CURRENT(*model, 0, 1);
    key(Qt::Key_Return);
    EXPECT_CURRENT(*model, 1, 1);
    EXPECT_TRUE(events.empty());
}

TEST_F(GridEditingTest, EscapeRestoresTheStartTextAndTheFollowingEnterFiresNothing)
{
    fillRows({ { "OLD", "", "" } });
    type("new");
    EXPECT_EQ(model->GetCellEx(0, 1), "NEW");
    key(Qt::Key_Escape);
    EXPECT_TRUE(editing->isEditing());
    EXPECT_EQ(grid->inplaceEditor()->text().toStdString(), "OLD");
    EXPECT_EQ(model->GetCellEx(0, 1), "OLD");
    key(Qt::Key_Return);
    EXPECT_EQ(model->GetCellEx(0, 1), "OLD");
    EXPECT_TRUE(events.empty());
}

TEST_F(GridEditingTest, EnterInTheLastCellAppendsARowAndOpensTheEditorThere)
{
    model->SelectRange(2, 2, 1, 1);
    type("x");
    key(Qt::Key_Return);
    EXPECT_EQ(model->GetRowCountEx(), 3);
    EXPECT_CURRENT(*model, 0, 2);
    EXPECT_TRUE(editing->isEditing());
    EXPECT_EQ(events, (std::vector<GridEvent> { validated(2, 1, "X"), { "add", -1, 2, {} } }));
}

TEST_F(GridEditingTest, TabInTheLastCellWrapsToTheFirstDataCellAndAppendsNothing)
{
    fillRows({ { "A", "B", "C" }, { "D", "E", "F" } });
    model->SelectRange(2, 2, 2, 2);
    type("q");
    key(Qt::Key_Tab);
    EXPECT_CURRENT(*model, 0, 1);
    EXPECT_EQ(model->GetRowCountEx(), 3);
    EXPECT_FALSE(editing->isEditing());
    EXPECT_EQ(events, std::vector<GridEvent> { validated(2, 2, "Q") });
}

TEST_F(GridEditingTest, PageKeysMoveByTheRowsOnScreen)
{
    std::vector<std::vector<std::string>> rows(100, { "", "", "" });
    fillRows(rows);
    const int page = grid->visibleDataRows();
    EXPECT_EQ(page, (425 - 2 - 22) / 22);
    key(Qt::Key_PageDown);
    EXPECT_CURRENT(*model, 0, 1 + page);
    key(Qt::Key_PageDown);
    EXPECT_CURRENT(*model, 0, 1 + 2 * page);
    EXPECT_GE(model->TopRow(), 2 + 2 * page - page);
    key(Qt::Key_PageUp);
    EXPECT_CURRENT(*model, 0, 1 + page);
}

// Keys while the editor is open, with the caret placed by Home or End first (or the whole
// text still selected).
struct EditorKeyCase
{
    const char *name;
    TGridCoord start;
    int caretKey; // Qt::Key_Home, Qt::Key_End or 0 to keep the whole text selected
    int key;
    TGridCoord expected;
    bool editing;
    int rowCount;
};

class EditorKeyTest : public GridWidgetTest, public testing::WithParamInterface<EditorKeyCase>
{ };

TEST_P(EditorKeyTest, LeavesTheCellOrStays)
{
    const EditorKeyCase &c = GetParam();
    fillRows({ { "A1", "S1", "D1" }, { "A2", "S2", "D2" }, { "A3", "S3", "D3" } });
    model->SelectRange(c.start.X, c.start.X, c.start.Y, c.start.Y);
    key(Qt::Key_Return);
    ASSERT_TRUE(editing->isEditing());
    if (c.caretKey)
        key(c.caretKey);
    key(c.key);
    EXPECT_CURRENT(*model, c.expected.X, c.expected.Y);
    EXPECT_EQ(editing->isEditing(), c.editing);
    EXPECT_EQ(model->GetRowCountEx(), c.rowCount);
    if (c.editing)
        EXPECT_EQ(QApplication::focusWidget(), grid->inplaceEditor());
    else
        EXPECT_EQ(QApplication::focusWidget(), grid);
}

INSTANTIATE_TEST_SUITE_P(Keys, EditorKeyTest,
    testing::Values(EditorKeyCase { "EnterMovesRightAndReopens", { 0, 2 }, 0, Qt::Key_Return,
                        { 1, 2 }, true, 4 },
        EditorKeyCase {
            "EnterInTheLastColumnGoesToTheNextRow", { 2, 2 }, 0, Qt::Key_Enter, { 0, 3 }, true, 4 },
        EditorKeyCase { "TabClosesAndMovesRight", { 0, 2 }, 0, Qt::Key_Tab, { 1, 2 }, false, 4 },
        EditorKeyCase {
            "UpClosesAndMovesUp", { 1, 2 }, Qt::Key_End, Qt::Key_Up, { 1, 1 }, false, 4 },
        EditorKeyCase { "DownClosesAndMovesDown", { 1, 2 }, 0, Qt::Key_Down, { 1, 3 }, false, 4 },
        EditorKeyCase {
            "UpOnTheFirstRowClosesAndStays", { 1, 1 }, 0, Qt::Key_Up, { 1, 1 }, false, 4 },
        EditorKeyCase {
            "PageDownClosesAndMovesAPage", { 1, 1 }, 0, Qt::Key_PageDown, { 1, 3 }, false, 4 },
        EditorKeyCase {
            "LeftAtTheStartWalksBack", { 1, 2 }, Qt::Key_Home, Qt::Key_Left, { 0, 2 }, true, 4 },
        EditorKeyCase { "LeftFromTheFirstColumnWalksToThePreviousRow", { 0, 2 }, Qt::Key_Home,
            Qt::Key_Left, { 2, 1 }, true, 4 },
        EditorKeyCase { "LeftFromTheFirstCellWalksToTheLastCell", { 0, 1 }, Qt::Key_Home,
            Qt::Key_Left, { 2, 3 }, true, 4 },
        EditorKeyCase {
            "LeftInsideTheTextStays", { 1, 2 }, Qt::Key_End, Qt::Key_Left, { 1, 2 }, true, 4 },
        EditorKeyCase {
            "LeftWithTheTextSelectedStays", { 1, 2 }, 0, Qt::Key_Left, { 1, 2 }, true, 4 },
        EditorKeyCase {
            "RightAtTheEndWalksOn", { 1, 2 }, Qt::Key_End, Qt::Key_Right, { 2, 2 }, true, 4 },
        EditorKeyCase { "RightAtTheEndOfTheLastCellAppends", { 2, 3 }, Qt::Key_End, Qt::Key_Right,
            { 0, 4 }, true, 5 },
        EditorKeyCase {
            "RightInsideTheTextStays", { 1, 2 }, Qt::Key_Home, Qt::Key_Right, { 1, 2 }, true, 4 },
        EditorKeyCase { "InsertActsOnTheText", { 1, 2 }, 0, Qt::Key_Insert, { 1, 2 }, true, 4 },
        EditorKeyCase {
            "DeleteActsOnTheText", { 1, 2 }, Qt::Key_Home, Qt::Key_Delete, { 1, 2 }, true, 4 }),
    [](const testing::TestParamInfo<EditorKeyCase> &info) { return info.param.name; });

TEST_F(GridEditingTest, DeleteWithTheEditorOpenDeletesACharacterNotTheRow)
{
    fillRows({ { "ABC", "", "" }, { "X", "", "" } });
    key(Qt::Key_Return);
    key(Qt::Key_Home);
    key(Qt::Key_Delete);
    EXPECT_EQ(model->GetCellEx(0, 1), "BC");
    EXPECT_EQ(model->GetRowCountEx(), 3);
    EXPECT_TRUE(events.empty());
}

TEST_F(GridEditingTest, DeleteOnTheOnlyDataRowEmptiesIt)
{
    fillRows({ { "A", "B", "C" } });
    model->SelectRange(1, 1, 1, 1);
    key(Qt::Key_Delete);
    EXPECT_EQ(rowCells(1), (std::vector<std::string> { "", "", "" }));
    EXPECT_EQ(model->GetRowCountEx(), 2);
    EXPECT_EQ(events, (std::vector<GridEvent> { { "delete", -1, 1, {} } }));
}

TEST_F(GridEditingTest, DeleteRemovesTheCurrentRowAndTheLastRowPassesTheCellUp)
{
    fillRows({ { "A", "", "" }, { "B", "", "" }, { "C", "", "" } });
    model->SelectRange(1, 1, 2, 2);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(model->GetCellEx(0, 2), "C");
    EXPECT_CURRENT(*model, 1, 2);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(model->GetRowCountEx(), 2);
    EXPECT_CURRENT(*model, 1, 1);
    key(Qt::Key_Delete, Qt::AltModifier); // not a row command
    EXPECT_EQ(model->GetCellEx(0, 1), "A");
    EXPECT_EQ(
        events, (std::vector<GridEvent> { { "delete", -1, 2, {} }, { "delete", -1, 2, {} } }));
}

TEST_F(GridEditingTest, InsertPutsAnEmptyRowBeforeTheCurrentRow)
{
    fillRows({ { "R1", "", "" }, { "R2", "", "" }, { "R3", "", "" }, { "R4", "", "" } });
    model->SelectRange(1, 1, 3, 3);
    key(Qt::Key_Insert, Qt::ShiftModifier); // only the plain key inserts
    EXPECT_EQ(model->GetRowCountEx(), 5);
    key(Qt::Key_Insert);
    EXPECT_EQ(model->GetRowCountEx(), 6);
    EXPECT_EQ(rowCells(3), (std::vector<std::string> { "", "", "" }));
    EXPECT_EQ(model->GetCellEx(0, 4), "R3");
    EXPECT_CURRENT(*model, 1, 3);
    EXPECT_EQ(events, (std::vector<GridEvent> { { "insert", -1, 3, {} } }));
}

TEST_F(GridEditingTest, ACellWithMarkupOpensWithoutItAndIsStoredSoWhenLeft)
{
    fillRows({ { "A<x>B", "", "" } });
    key(Qt::Key_Return);
    EXPECT_EQ(grid->inplaceEditor()->text().toStdString(), "AB");
    key(Qt::Key_Tab);
    EXPECT_EQ(model->GetCellEx(0, 1), "AB");
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "AB") });
}

TEST_F(GridEditingTest, BackspaceOpensTheEditorWithAnEmptyText)
{
    fillRows({ { "ABC", "", "" } });
    key(Qt::Key_Backspace);
    EXPECT_TRUE(editing->isEditing());
    EXPECT_EQ(model->GetCellEx(0, 1), "");
    key(Qt::Key_Down);
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "") });
}

TEST_F(GridEditingTest, EditorKindIsAskedOnOpeningAndForTheCellLeftByEnter)
{
    std::vector<TGridCoord> asked;
    editing->OnGetEditorType = [&](TEditGrid *, int column, int row, TEditorType &kind) {
        asked.push_back({ column, row });
        EXPECT_EQ(kind, edNormal);
        kind = edLowerCase;
    };
    type("AbC");
    EXPECT_EQ(model->GetCellEx(0, 1), "abc");
    key(Qt::Key_Return);
    EXPECT_EQ(asked, (std::vector<TGridCoord> { { 0, 1 }, { 0, 1 }, { 1, 1 } }));
}

TEST_F(GridEditingTest, ARejectedValueKeepsTheTypedTextAndAnAcceptedOneIsStored)
{
    editing->OnCellValidate = [](TEditGrid *, int, int, std::string &value, bool &valid) {
        valid = value != "BAD";
        value = "<" + value + ">";
    };
    type("bad");
    key(Qt::Key_Tab);
    EXPECT_EQ(model->GetCellEx(0, 1), "BAD");
    type("good");
    key(Qt::Key_Tab);
    EXPECT_EQ(model->GetCellEx(1, 1), "<GOOD>");
}

// --- validation across focus changes and programmatic moves ----------------------------------

TEST_F(GridEditingTest, FocusLeavingClosesTheEditorAndKeepsTheValidationPendingUntilSelectRange)
{
    type("ab");
    other->setFocus();
    EXPECT_FALSE(editing->isEditing());
    EXPECT_EQ(model->GetCellEx(0, 1), "AB");
    EXPECT_TRUE(editing->isValidationPending());
    grid->setFocus();
    EXPECT_TRUE(events.empty());
    model->SelectRange(1, 1, 1, 1);
    model->SelectRange(0, 0, 1, 1);
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "AB") });
}

TEST_F(GridEditingTest, AnEditBeforeTheFocusLeftIsReportedWhenTheCellIsCommittedLater)
{
    type("ab");
    other->setFocus();
    grid->setFocus(); // the baseline is not refreshed while the validation waits
    key(Qt::Key_Return);
    EXPECT_TRUE(editing->isEditing());
    key(Qt::Key_Return);
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "AB") });
}

TEST_F(GridEditingTest, SwitchingWindowsKeepsTheEditorAndAMoveFromThereLeavesTheFocusOnTheGrid)
{
    type("ab");
    QLineEdit dialog; // a window of its own, like the find dialog
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_TRUE(editing->isEditing());
    EXPECT_FALSE(grid->editorHasFocus());
    model->SelectRange(1, 1, 1, 1); // the search moves the current cell
    EXPECT_FALSE(editing->isEditing());
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "AB") });
    EXPECT_EQ(window->focusWidget(), grid);
}

TEST_F(GridEditingTest, RemoveRowsCommitsThePendingEdit)
{
    fillRows({ { "", "", "" }, { "", "", "" }, { "", "", "" } });
    type("z1");
    model->RemoveRows(2, 2);
    EXPECT_FALSE(editing->isEditing());
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "Z1") });
}

TEST_F(GridEditingTest, ClearingTheEditedCellCommitsFirstAndTheEditorTextDoesNotComeBack)
{
    fillRows({ { "", "", "" }, { "", "", "" } });
    type("ab");
    model->ClearRows(1, 2);
    EXPECT_FALSE(editing->isEditing());
    EXPECT_EQ(rowCells(1), (std::vector<std::string> { "", "", "" }));
    model->SelectRange(0, 0, 2, 2);
    EXPECT_EQ(rowCells(1), (std::vector<std::string> { "", "", "" }));
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "AB") });
}

TEST_F(GridEditingTest, AMoveWithoutCommitClosesTheEditorIntoItsOwnCell)
{
    fillRows({ { "A1", "S1", "D1" }, { "A2", "S2", "D2" } });
    model->SelectRange(1, 1, 2, 2);
    type("xy");
    model->SetFixedRowsEx(2); // the current cell goes back to the first data cell, uncommitted
    EXPECT_FALSE(editing->isEditing());
    EXPECT_EQ(rowCells(2), (std::vector<std::string> { "A2", "XY", "D2" }));
}

TEST_F(GridEditingTest, ClearedCellsAreTheNewBaselineWhenNothingIsPending)
{
    fillRows({ { "OLD", "", "" } });
    model->ClearRows(1, 1); // as the New command does
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    EXPECT_TRUE(events.empty());
}

// --- mouse -------------------------------------------------------------------------------------

TEST_F(GridEditingTest, AClickOnAnotherCellCommitsAndMoves)
{
    type("q");
    click(2, 1);
    EXPECT_CURRENT(*model, 2, 1);
    EXPECT_FALSE(editing->isEditing());
    EXPECT_EQ(events, std::vector<GridEvent> { validated(0, 1, "Q") });
}

TEST_F(GridEditingTest, AClickOnAHeaderCellClosesTheEditorAndChangesNothingElse)
{
    type("q");
    click(1, 0);
    EXPECT_CURRENT(*model, 0, 1);
    EXPECT_FALSE(editing->isEditing());
    EXPECT_EQ(model->GetCellEx(0, 1), "Q");
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(editing->isValidationPending());
}

TEST_F(GridEditingTest, AClickOnTheCurrentCellOpensTheEditorWithTheCaretAtTheClick)
{
    fillRows({ { "ABCDEFGH", "", "" } });
    click(0, 1, 20);
    ASSERT_TRUE(editing->isEditing());
    QLineEdit *editor = grid->inplaceEditor();
    EXPECT_FALSE(editor->hasSelectedText());
    EXPECT_GT(editor->cursorPosition(), 0);
    EXPECT_LT(editor->cursorPosition(), 8);
    type("x");
    EXPECT_EQ(model->GetCellEx(0, 1).size(), 9u);
}

TEST_F(GridEditingTest, TypingAfterAClickWithThePointerOverTheCellInsertsAtThePointer)
{
    fillRows({ { "", "WXYZ", "" } });
    click(1, 1, 2 + 1); // before the first character
    EXPECT_CURRENT(*model, 1, 1);
    EXPECT_FALSE(editing->isEditing());
    type("q");
    EXPECT_EQ(model->GetCellEx(1, 1), "QWXYZ");
    // The arming ended: the cell opened again by typing, pointer still over it, is replaced.
    key(Qt::Key_Tab);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    type("n");
    EXPECT_EQ(model->GetCellEx(1, 1), "N");
}

TEST_F(GridEditingTest, WithThePointerElsewhereTypingReplacesTheText)
{
    fillRows({ { "", "WXYZ", "" } });
    click(1, 1);
    QCursor::setPos(grid->mapToGlobal(QPoint(-20, -20)));
    type("q");
    EXPECT_EQ(model->GetCellEx(1, 1), "Q");
}

TEST_F(GridEditingTest, TheWheelMovesTheCurrentRow)
{
    fillRows(tenRows);
    const QPointF at(20, 60);
    auto wheel = [&](int delta) {
        QWheelEvent event(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &event);
    };
    wheel(-120);
    EXPECT_CURRENT(*model, 0, 2);
    wheel(-60);
    wheel(-60);
    EXPECT_CURRENT(*model, 0, 3);
    wheel(360);
    EXPECT_CURRENT(*model, 0, 1);
    model->SelectRange(0, 0, 10, 10);
    wheel(-120);
    EXPECT_CURRENT(*model, 0, 10);
}

// --- the main window's edit actions ----------------------------------------------------------

TEST_F(GridEditingTest, EditActionsAreAvailableOnlyWhileTheEditorHasTheFocus)
{
    QSignalSpy changed(grid, &TEditGridWidget::editActionsChanged);
    EXPECT_FALSE(grid->editorHasFocus());
    type("ab");
    EXPECT_TRUE(grid->editorHasFocus());
    EXPECT_TRUE(grid->editorCanUndo());
    EXPECT_GT(changed.count(), 0);
    key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_TRUE(grid->editorHasSelectedText());
    grid->cutEditorText();
    EXPECT_EQ(model->GetCellEx(0, 1), "");
    grid->pasteEditorText();
    grid->pasteEditorText();
    EXPECT_EQ(model->GetCellEx(0, 1), "ABAB");
    grid->undoEditorText();
    EXPECT_EQ(model->GetCellEx(0, 1), "AB");
    other->setFocus();
    EXPECT_FALSE(grid->editorHasFocus());
    grid->pasteEditorText(); // unavailable: nothing happens
    EXPECT_EQ(model->GetCellEx(0, 1), "AB");
}

TEST_F(GridEditingTest, OpeningAMenuKeepsTheEditorOpenSoThatPasteReachesIt)
{
    type("ab");
    QMenu menu(window.get());
    QAction *paste = menu.addAction("Paste");
    QObject::connect(paste, &QAction::triggered, [this] { grid->pasteEditorText(); });
    menu.popup(grid->mapToGlobal(QPoint(300, 300)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_TRUE(editing->isEditing());
    EXPECT_TRUE(grid->editorHasFocus());
    setClipboard("cd");
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(model->GetCellEx(0, 1), "ABcd");
    EXPECT_TRUE(editing->isEditing());
    EXPECT_TRUE(events.empty());
}
