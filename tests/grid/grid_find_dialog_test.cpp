#include "grid/grid_find_dialog.h"

#include "grid/pedigree_grid.h"
#include "grid_test_support.h"
#include "platform/scripted_user_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr TGridCoord none { -1, -1 };

// The texts the main window gives its find dialog.
void applyMainWindowTexts(TGridFindDialog &dialog)
{
    dialog.TxtCaption = "ZAN ( Find ? in Table)";
    dialog.TxtTextToFind = "Find what ?";
    dialog.TxtOptions = "Options";
}

class FindDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        configurePedigreeGrid(grid);
        grid.SetRowCountEx(4);
        //     IDENTIFICATION | SIRE | DAM
        //  1  X              | a    | X
        //  2  b              | X    | c
        //  3  d              |      | e
        const CellRows rows = { { "X", "a", "X" }, { "b", "X", "c" }, { "d", "", "e" } };
        for (int row = 1; row <= 3; ++row) {
            for (int column = 0; column < 3; ++column)
                grid.SetCellEx(column, row, rows[row - 1][column]);
        }
        mainWindow.resize(600, 400);
        mainWindow.show();
        dialog.Grid = &grid;
        applyMainWindowTexts(dialog);
        dialog.Execute();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form()));
    }
    void TearDown() override { EXPECT_EQ(scripted.problems(), ""); }

    TGridFindForm *form() { return dialog.form(); }
    template <typename Widget> Widget *child(const char *name)
    {
        auto *found = form()->findChild<Widget *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit *searchBox() { return child<QComboBox>("TextToFind")->lineEdit(); }
    // Clicks a check box, radio button or button on its indicator or left end.
    void click(const char *name)
    {
        QAbstractButton *button = child<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    void typeText(const char *text)
    {
        searchBox()->clear();
        QTest::keyClicks(searchBox(), text);
    }
    // One OK by Enter in the search box; an expected "Information" message is answered OK.
    void pressEnter(bool expectMessage = false)
    {
        if (expectMessage)
            scripted.answerMessage(DialogButton::Ok);
        QTest::keyClick(searchBox(), Qt::Key_Return);
    }
    TGridCoord current() const { return { grid.Col(), grid.Row() }; }

    ScriptedUserDialogs scripted;
    QWidget mainWindow;
    TEditGrid grid;
    TGridFindDialog dialog { &mainWindow };
};

TEST_F(FindDialog, ControlsShowTheirTextsWithinTheirBounds)
{
    struct Control
    {
        const char *name;
        QString text;
        QRect bounds;
    };
    const Control controls[] = {
        { "gbDirection", "Direction", { 8, 32, 169, 97 } },
        { "cbForwardTB", "Forward (top to bottom)", { 10, 17, 135, 17 } },
        { "cbForwardLR", "Forward (left to right)", { 10, 35, 135, 17 } },
        { "cbBackwardBT", "Backward (bottom to top)", { 10, 53, 140, 17 } },
        { "cbBackwardRL", "Backward (right to left)", { 10, 71, 135, 17 } },
        { "Scope", "Scope", { 8, 135, 169, 81 } },
        { "Options", "Options", { 184, 32, 161, 145 } },
        { "Docase", "&Case sensitive", { 8, 24, 97, 17 } },
        { "Whole", "&Whole words only", { 8, 48, 113, 17 } },
        { "MatchFirst", "&Match from first char", { 8, 72, 129, 17 } },
        { "IgnoreHTML", "&Ignore HTML tags", { 8, 96, 121, 17 } },
        { "Fixed", "&Find in fixed cells", { 8, 120, 129, 17 } },
        { "OkBtn", "Ok", { 184, 192, 75, 25 } },
        { "CancelBtn", "Cancel", { 272, 192, 75, 25 } },
        { "ScopeAllCells", "All cells", {} },
        { "ScopeCurrRow", "Current row only", {} },
        { "ScopeCurrCol", "Current column only", {} },
    };
    for (const Control &c : controls) {
        QWidget *widget = child<QWidget>(c.name);
        const auto *group = qobject_cast<QGroupBox *>(widget);
        const QString text
            = group ? group->title() : qobject_cast<QAbstractButton *>(widget)->text();
        EXPECT_EQ(text, c.text) << c.name;
        if (c.bounds.isNull())
            continue;
        if (!qobject_cast<QCheckBox *>(widget)) {
            EXPECT_EQ(widget->geometry(), c.bounds) << c.name;
            continue;
        }
        // Check boxes keep their place and grow only to show their whole text in their group.
        const QRect box = widget->geometry();
        EXPECT_EQ(box.topLeft(), c.bounds.topLeft()) << c.name;
        EXPECT_EQ(box.height(), c.bounds.height()) << c.name;
        EXPECT_GE(box.width(), c.bounds.width()) << c.name;
        EXPECT_LE(box.right(), widget->parentWidget()->width() - 3) << c.name;
        EXPECT_LE(widget->sizeHint().width(), box.width()) << c.name << ": the text is cut";
    }
    EXPECT_EQ(form()->windowTitle(), "ZAN ( Find ? in Table)");
    EXPECT_EQ(form()->size(), QSize(354, 225));
    EXPECT_EQ(form()->minimumSize(), form()->maximumSize()) << "fixed border";
    EXPECT_EQ(child<QLabel>("Label1")->text(), "Find what ?");
    EXPECT_EQ(child<QLabel>("Label1")->pos(), QPoint(8, 8));
    EXPECT_EQ(child<QComboBox>("TextToFind")->geometry(), QRect(88, 4, 257, 21));
    EXPECT_TRUE(searchBox()->hasFocus());
    EXPECT_TRUE(child<QPushButton>("OkBtn")->isDefault());
    EXPECT_FALSE(form()->isModal());
    EXPECT_EQ(form()->parentWidget(), &mainWindow);
    EXPECT_EQ(form()->font().family().toStdString(), "DejaVu Sans");
    EXPECT_EQ(form()->font().pixelSize(), 11);
}

TEST(FindDialogDefaults, BuiltInTextsDifferFromTheMainWindowsInThreePlaces)
{
    TGridFindDialog dialog;
    EXPECT_EQ(dialog.TxtCaption, "Find text");
    EXPECT_EQ(dialog.TxtTextToFind, "Text to find");
    EXPECT_EQ(dialog.TxtOptions, "");
    EXPECT_EQ(dialog.MsgNotFound, "Could not find text");
    EXPECT_EQ(dialog.MsgNoMoreFound, "No more occurences of text ");
    EXPECT_EQ(dialog.form()->windowTitle(), "Find text");
    EXPECT_EQ(dialog.form()->findChild<QLabel *>("Label1")->text(), "Text to find");
    EXPECT_FALSE(dialog.form()->isVisible());
}

TEST_F(FindDialog, DirectionBoxesAreOneChoiceThatTheScopeRestricts)
{
    struct Case
    {
        const char *name;
        const char *direction; // clicked first, under "All cells"
        const char *scope;
        const char *checked;
        bool enabledTB, enabledLR, enabledBT, enabledRL;
    };
    const Case cases[] = {
        { "clicking the checked box keeps it", "cbForwardTB", "ScopeAllCells", "cbForwardTB", true,
            true, true, true },
        { "row scope moves a vertical choice to box 2", "cbBackwardBT", "ScopeCurrRow",
            "cbForwardLR", false, true, false, true },
        { "row scope keeps a horizontal choice", "cbBackwardRL", "ScopeCurrRow", "cbBackwardRL",
            false, true, false, true },
        { "column scope moves a horizontal choice to box 1", "cbBackwardRL", "ScopeCurrCol",
            "cbForwardTB", true, false, true, false },
        { "column scope keeps a vertical choice", "cbBackwardBT", "ScopeCurrCol", "cbBackwardBT",
            true, false, true, false },
    };
    const char *const boxes[] = { "cbForwardTB", "cbForwardLR", "cbBackwardBT", "cbBackwardRL" };
    for (const Case &c : cases) {
        click("ScopeAllCells");
        click(c.direction);
        click(c.scope);
        const bool enabled[] = { c.enabledTB, c.enabledLR, c.enabledBT, c.enabledRL };
        for (int i = 0; i < 4; ++i) {
            auto *box = child<QCheckBox>(boxes[i]);
            EXPECT_EQ(box->isChecked(), std::string(boxes[i]) == c.checked) << c.name << boxes[i];
            EXPECT_EQ(box->isEnabled(), enabled[i]) << c.name << " " << boxes[i];
        }
    }
    click("ScopeAllCells");
    for (const char *box : boxes)
        EXPECT_TRUE(child<QCheckBox>(box)->isEnabled()) << "all cells enables " << box;
}

TEST_F(FindDialog, ControlsMakeTheSearchParameters)
{
    struct Case
    {
        const char *name;
        std::vector<const char *> clicks;
        TFindParameters expected;
    };
    const Case cases[] = {
        { "defaults", {}, { fnAutoGoto } },
        { "options", { "Docase", "Whole", "MatchFirst", "IgnoreHTML", "Fixed" },
            { fnAutoGoto, fnMatchCase, fnMatchFull, fnMatchStart, fnIgnoreHTMLTags,
                fnIncludeFixed } },
        { "left to right", { "cbForwardLR" }, { fnAutoGoto, fnDirectionLeftRight } },
        { "bottom to top", { "cbBackwardBT" }, { fnAutoGoto, fnBackward } },
        { "right to left", { "cbBackwardRL" }, { fnAutoGoto, fnBackward, fnDirectionLeftRight } },
        { "current row", { "ScopeCurrRow" },
            { fnAutoGoto, fnFindInCurrentRow, fnDirectionLeftRight } },
        { "current column", { "ScopeCurrCol" }, { fnAutoGoto, fnFindInCurrentCol } },
    };
    for (const Case &c : cases) {
        TGridFindDialog fresh(&mainWindow);
        fresh.Execute();
        for (const char *name : c.clicks)
            fresh.form()->findChild<QAbstractButton *>(name)->click();
        EXPECT_EQ(fresh.form()->findParameters().bits(), c.expected.bits()) << c.name;
    }
}

TEST_F(FindDialog, OkStepsThroughTheMatchesThenSaysNoMoreAndStartsAgain)
{
    struct Case
    {
        const char *name;
        const char *direction;
        std::vector<TGridCoord> visits;
    };
    const Case cases[] = {
        { "column order by default", "cbForwardTB", { { 0, 1 }, { 1, 2 }, { 2, 1 } } },
        { "reading order with box 2", "cbForwardLR", { { 0, 1 }, { 2, 1 }, { 1, 2 } } },
    };
    for (const Case &c : cases) {
        click(c.direction);
        typeText("x");
        for (const TGridCoord &visit : c.visits) {
            pressEnter();
            EXPECT_EQ(current(), visit) << c.name;
            EXPECT_EQ(form()->searchPosition(), visit) << c.name;
        }
        pressEnter(true);
        ASSERT_EQ(scripted.shown().size(), 1u) << c.name;
        const ScriptedUserDialogs::Shown &message = scripted.shown().back();
        EXPECT_EQ(message.caption, "Information");
        EXPECT_EQ(message.text, "No more occurences of text  \r\"x\"") << c.name;
        EXPECT_EQ(message.buttons, std::vector<DialogButton> { DialogButton::Ok });
        EXPECT_EQ(form()->searchPosition(), none);
        EXPECT_EQ(current(), c.visits.back()) << "a failed step leaves the current cell";
        pressEnter();
        EXPECT_EQ(current(), c.visits.front()) << c.name << ": the fifth starts again";
        EXPECT_TRUE(form()->isVisible());
        scripted.reset();
    }
}

TEST_F(FindDialog, FirstStepWithoutMatchSaysNotFound)
{
    searchBox()->insert(QString::fromUtf8("y\xC3\xA9")); // yé: shown in the message as typed
    pressEnter(true);
    ASSERT_EQ(scripted.shown().size(), 1u);
    EXPECT_EQ(scripted.shown()[0].text, "Could not find text \r\"y\xC3\xA9\"");
    EXPECT_EQ(form()->history(), std::vector<std::string> { "y\xE9" }) << "kept as 8-bit text";
}

TEST_F(FindDialog, NewTextRestartsButOptionsDoNot)
{
    typeText("X");
    pressEnter();
    pressEnter();
    EXPECT_EQ(current(), (TGridCoord { 1, 2 }));
    click("Docase");
    EXPECT_EQ(form()->searchPosition(), (TGridCoord { 1, 2 })) << "options keep the position";
    click("Docase");

    typeText("X"); // typed again: a new search
    EXPECT_EQ(form()->searchPosition(), none);
    pressEnter();
    EXPECT_EQ(current(), (TGridCoord { 0, 1 }));
    pressEnter();

    typeText("d");
    pressEnter();
    EXPECT_EQ(current(), (TGridCoord { 0, 3 }));
    QTest::keyClick(searchBox(), Qt::Key_Down); // history "X", "d": "d" chosen again
    EXPECT_EQ(searchBox()->text(), "d");
    EXPECT_EQ(form()->searchPosition(), none) << "a text from the history is a new search";
    pressEnter();
    EXPECT_EQ(current(), (TGridCoord { 0, 3 }));
    QTest::keyClick(searchBox(), Qt::Key_Up);
    EXPECT_EQ(searchBox()->text(), "X");
    EXPECT_EQ(form()->searchPosition(), none);
    pressEnter();
    EXPECT_EQ(current(), (TGridCoord { 0, 1 }));
}

TEST_F(FindDialog, HistoryAddsNewTextsAtTheEndIgnoringCase)
{
    for (const std::string text : { "X", "", "b", "x", "B", "X" }) {
        typeText(text.c_str());
        pressEnter(text.empty()); // the empty text matches nothing and is not remembered
    }
    EXPECT_EQ(form()->history(), (std::vector<std::string> { "X", "b" }));
}

TEST_F(FindDialog, HeaderMatchStaysOffTheCurrentCellAndTheNextStepGoesOn)
{
    click("Fixed");
    click("Whole");
    grid.SetCellEx(1, 3, "SIRE");
    typeText("sire");
    pressEnter();
    EXPECT_EQ(form()->searchPosition(), (TGridCoord { 1, 0 }));
    EXPECT_EQ(current(), (TGridCoord { 0, 1 })) << "the header row never becomes current";
    pressEnter();
    EXPECT_EQ(current(), (TGridCoord { 1, 3 }));
}

TEST_F(FindDialog, CancelEscapeAndCloseHideAndExecuteBringsItBackAsItWas)
{
    click("Whole");
    click("cbForwardLR");
    typeText("X");
    pressEnter();

    const std::vector<std::function<void()>> hides = {
        [&] { click("CancelBtn"); },
        [&] { QTest::keyClick(searchBox(), Qt::Key_Escape); },
        [&] { form()->close(); },
    };
    for (const auto &hide : hides) {
        hide();
        EXPECT_FALSE(form()->isVisible());
        dialog.Execute();
        EXPECT_TRUE(form()->isVisible());
        EXPECT_TRUE(child<QCheckBox>("Whole")->isChecked());
        EXPECT_TRUE(child<QCheckBox>("cbForwardLR")->isChecked());
        EXPECT_EQ(form()->history(), std::vector<std::string> { "X" });
        EXPECT_EQ(searchBox()->text(), "") << "the box is emptied";
        typeText("X");
    }

    dialog.TxtCaption = "Search";
    dialog.SearchText = "b";
    dialog.Execute(); // while open: texts refreshed, box replaced
    EXPECT_EQ(form()->windowTitle(), "Search");
    EXPECT_EQ(searchBox()->text(), "b");
    EXPECT_EQ(form()->searchPosition(), none);
}

TEST_F(FindDialog, WithoutGridOkDoesNothing)
{
    dialog.Grid = nullptr;
    dialog.Execute();
    typeText("X");
    pressEnter();
    EXPECT_TRUE(scripted.shown().empty());
    EXPECT_TRUE(form()->history().empty());
    EXPECT_EQ(current(), (TGridCoord { 0, 1 }));
}

TEST(FindDialogParent, AnOpenFormDoesNotKeepTheProgramRunning)
{
    QWidget mainWindow;
    TGridFindDialog dialog(&mainWindow);
    mainWindow.show();
    dialog.Execute();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.form()));
    QTimer::singleShot(0, &mainWindow, [&] { mainWindow.close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); }); // still running
    EXPECT_EQ(QApplication::exec(), 0) << "closing the main window ends the program";
}

TEST(FindDialogParent, ClosingTheMainWindowTakesTheFormAlong)
{
    auto mainWindow = std::make_unique<QWidget>();
    TGridFindDialog dialog;
    dialog.setParentWidget(mainWindow.get());
    EXPECT_EQ(dialog.form()->parentWidget(), mainWindow.get());
    EXPECT_TRUE(dialog.form()->isWindow());
    mainWindow.reset();
    EXPECT_EQ(dialog.form(), nullptr);
    dialog.Execute(); // harmless without its form
}

} // namespace
