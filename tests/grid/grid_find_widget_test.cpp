#include "grid/grid_find_dialog.h"

#include "grid_widget_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

// The find dialog on the grid as the main window uses them: a step that finds a cell while that
// cell's neighbour is being edited must validate the edit before it moves, and scroll the match
// into view.
TEST_F(GridWidgetTest, FindValidatesTheOpenEditAndScrollsToTheMatch)
{
    std::vector<std::vector<std::string>> rows(60, { "B", "", "" });
    rows[54] = { "ZZ-2026-1", "", "" };
    fillRows(rows);
    key(Qt::Key_Right);
    type("ab"); // the editor is open on (1, 1)

    TGridFindDialog find(window.get());
    find.Grid = model;
    find.Execute();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(find.form()));
    QLineEdit *box = find.form()->findChild<QComboBox *>("TextToFind")->lineEdit();
    QTest::keyClicks(box, "zz-2026");
    QTest::keyClick(box, Qt::Key_Return);

    EXPECT_EQ(events, (std::vector<GridEvent> { { "validate", 1, 1, "AB" } }));
    EXPECT_EQ(model->GetCellEx(1, 1), "AB");
    EXPECT_CURRENT(*model, 0, 55);
    EXPECT_LE(model->TopRow(), 55);
    EXPECT_GT(model->TopRow(), 1) << "the found row is scrolled into view";
}
