#include "app/main_window.h"

#include "app_test_support.h"
#include "document_transitions.h"

#include "app/about_box.h"
#include "app/exception_boundary.h"
#include "app/help_guide.h"
#include "app/pairings_window.h"
#include "docview/doc_view.h"
#include "grid/edit_grid_widget.h"
#include "grid/grid_find_dialog.h"
#include "platform/scripted_user_dialogs.h"
#include "platform/zan_error.h"
#include "report/report_analysis.h"
#include "report/report_plain_text.h"
#include "report/report_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

// The object name of the modal window that `command` shows, which is then closed (as soon as it
// lets itself be closed: a report window first finishes its analysis). Empty when none came.
std::string modalShownBy(const std::function<void()> &command)
{
    std::string shown;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        if (const auto *report = qobject_cast<TZAN_printF *>(modal);
            report != nullptr && report->isAnalysisPending())
            return; // not yet on the screen: closed now, it would never analyse
        shown = modal->objectName().isEmpty() ? modal->metaObject()->className()
                                              : modal->objectName().toStdString();
        modal->close();
    });
    closer.start();
    command();
    return shown;
}

class MainWindowTest : public testing::Test
{
protected:
    MainWindowTest()
    {
        m_window.setAboutBox(&m_about);
        m_window.setReportWindow(&m_report);
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_gridWidget->setFocus();
    }

    ~MainWindowTest() override
    {
        // Leaves without a question.
        m_window.FileNewExecute();
        m_dialogs.reset();
    }

    void type(const char *keys) { QTest::keyClicks(m_gridWidget, keys); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void trigger(const char *name) { m_window.action(name)->trigger(); }
    // Forgets the dialogs shown so far and queues the replies to the next ones.
    void answerWith(const std::vector<Reply> &replies)
    {
        m_dialogs.reset();
        for (const Reply &reply : replies) {
            const auto file = reply.file != nullptr
                ? std::optional<std::string>(m_folder.file(reply.file))
                : std::nullopt;
            if (reply.kind == DialogKind::Message)
                m_dialogs.answerMessage(reply.button);
            else if (reply.kind == DialogKind::OpenFile)
                m_dialogs.answerOpenFile(file);
            else
                m_dialogs.answerSaveFile(file);
        }
    }
    std::string status() const { return m_window.statusText()->text().toStdString(); }

    TestFolder m_folder;
    ScriptedUserDialogs m_dialogs;
    TmainF m_window;
    TAbout m_about { &m_window };
    TZAN_printF m_report { &m_window };
    TEditGridWidget *m_gridWidget = m_window.InputGrid();
    TEditGrid *m_grid = &m_gridWidget->model();
};

TEST_F(MainWindowTest, DesignTexts)
{
    EXPECT_EQ(m_window.windowTitle(), "ZAN (Coefficient of Inbreeding)");
    EXPECT_EQ(m_window.size(), QSize(728, 530));

    const struct
    {
        const char *name;
        const char *caption;
        const char *hint;
        const char *shortcut;
        bool image;
    } actions[] = {
        { "EditUndo1", "&Undo", "Ignore last change", "Alt+Backspace", true },
        { "FileNew", "&New", "Create file", "Ctrl+N", true },
        { "FileOpen", "&Open", "Open file", "Ctrl+O", true },
        { "FileImport", "&Import...", "Import a table from a loft program or a spreadsheet",
            "Ctrl+I", false },
        { "FileSave", "&Save", "Save file", "Ctrl+S", true },
        { "FileSaveAs", "Save &As", "Save File with NEW Name.", "Ctrl+Shift+S", true },
        { "PageSetup", "Page Set&up", "Printer Setup", "", false },
        { "FileExit", "E&xit", "Exit ZAN", "Ctrl+Q", true },
        { "EditCut1", "Cu&t", "Cut", "Ctrl+X", true },
        { "EditCopy1", "&Copy", "Copy", "Ctrl+C", true },
        { "EditPaste1", "&Paste", "Paste", "Ctrl+V", true },
        { "EditFind", "&Find", "Find in the Grid", "Ctrl+F", true },
        { "Analyze", "Anal&yze", "Compute ZAN", "F2", true },
        { "AnalyzeBird", "Analyze Current Bird",
            "Compute ZAN of the bird in the current row, with its ancestry from the whole file",
            "Shift+F2", false },
        { "Pairings", "&Pairings...", "ZAN of the young of every cock with every hen", "", false },
        { "Population", "Population...",
            "Inbreeding, kinship and pedigree completeness of every bird and by year", "", false },
        { "CheckPedigree", "Check Pedigree...", "List every problem in the pedigree", "Ctrl+K",
            false },
        { "HelpContents", "&Contents", "Display Help", "F1", true },
        { "HelpAbout", "&About", "About ZAN", "", false },
    };
    for (const auto &expected : actions) {
        SCOPED_TRACE(expected.name);
        const QAction *action = m_window.action(expected.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), expected.caption);
        EXPECT_EQ(action->toolTip(), expected.hint);
        EXPECT_EQ(action->shortcut(), QKeySequence(expected.shortcut));
        EXPECT_EQ(!action->icon().isNull(), expected.image);
    }

    std::vector<std::string> menus;
    for (QAction *top : m_window.menuBar()->actions()) {
        std::string line = top->text().toStdString() + ":";
        if (top->menu() == nullptr)
            line += " " + top->objectName().toStdString();
        if (top->menu() != nullptr) {
            for (QAction *item : top->menu()->actions())
                line += " " + (item->isSeparator() ? "-" : item->objectName().toStdString());
        }
        menus.push_back(line);
    }
    EXPECT_EQ(menus,
        (std::vector<std::string> {
            "&File: FileNew FileOpen FileImport FileSave FileSaveAs - PageSetup - FileExit",
            "&Edit: EditUndo1 - EditCut1 EditCopy1 EditPaste1 - EditFind",
            "Anal&yze: AnalyzeMenuItem", "Analyze Current Bird: AnalyzeBirdMenuItem",
            "&Pairings...: PairingsMenuItem", "Population...: PopulationMenuItem",
            "Check Pedigree...: CheckPedigreeMenuItem", "&Help: HelpContents HelpAbout" }));

    std::string tools;
    for (QAction *button : m_window.findChild<QToolBar *>("ToolBar1")->actions())
        tools += (button->isSeparator() ? "-" : button->objectName().toStdString()) + " ";
    EXPECT_EQ(tools,
        "FileNew FileOpen FileSave FileSaveAs - FileExit - UndoToolButton EditCut1 EditCopy1 "
        "EditPaste1 - EditFind - Analyze - HelpContents ");
    EXPECT_EQ(m_window.action("UndoToolButton")->toolTip(), "UnDo the last change");

    const auto *about = m_window.findChild<QPushButton *>("AboutBtn");
    EXPECT_EQ(about->text(), " ABOUT ZAN");
    EXPECT_EQ(about->toolTip(), "Terms for Using ZAN");
    EXPECT_EQ(about->geometry(), QRect(46, 128, 145, 33));
    const auto *analyze = m_window.findChild<QPushButton *>("AnalyzeBtn");
    EXPECT_EQ(analyze->text(), "ANALYZE");
    EXPECT_EQ(analyze->geometry(), QRect(46, 184, 145, 33));
    EXPECT_EQ(m_gridWidget->geometry(), QRect(230, 32, 475, 425));
    EXPECT_EQ(m_grid->GetCellEx(0, 0), "IDENTIFICATION");
    EXPECT_EQ(m_grid->GetCellEx(1, 0), "SIRE");
    EXPECT_EQ(m_grid->GetCellEx(2, 0), "DAM");
    EXPECT_EQ(status(), "Untitled.csv");

    EXPECT_EQ(m_about.windowTitle(), " About ZAN ( Coefficient of Inbreeding )");
    EXPECT_EQ(m_about.size(), QSize(689, 480));
    EXPECT_EQ(m_about.findChild<QLabel *>("Label1")->text(), "ZAN - Coefficient of Inbreeding");
    EXPECT_EQ(m_about.findChild<QLabel *>("Label2")->text(), "Version 1.0");
    EXPECT_EQ(m_about.OKButton()->text(), "OK");
    EXPECT_TRUE(m_about.OKButton()->isDefault());
}

// Every state of the document and every way out of it, through the window's actions and its
// close box; the edits are typed into the grid and still open when the command starts.
TEST_F(MainWindowTest, EveryStateAndEveryWayOut)
{
    for (const Transition &t : transitions) {
        SCOPED_TRACE(t.name);
        m_window.FormCreate();
        m_window.FileNewExecute();
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_gridWidget->setFocus();
        m_folder.write("f.csv", csvLine("A", "S", "D"));
        m_folder.write("f2.csv", csvLine("X"));
        std::filesystem::remove(m_folder.file("g.csv"));
        if (t.start == Start::NamedClean || t.start == Start::NamedDirty)
            m_window.openAtStart(m_folder.file("f.csv"));
        if (t.start == Start::UntitledDirty || t.start == Start::NamedDirty)
            type("edited");
        const std::string questionText = "Save the Changes to " + m_window.CurrentFile();
        answerWith(t.replies);

        switch (t.command) {
        case Command::New:
            trigger("FileNew");
            break;
        case Command::Open:
            trigger("FileOpen");
            break;
        case Command::Save:
            trigger("FileSave");
            break;
        case Command::SaveAs:
            trigger("FileSaveAs");
            break;
        case Command::Close:
            EXPECT_EQ(m_window.close(), t.canClose);
            break;
        }

        EXPECT_EQ(m_dialogs.problems(), "");
        for (const auto &shown : m_dialogs.shown()) {
            if (shown.kind != DialogKind::Message)
                continue;
            EXPECT_EQ(shown.caption, "ZAN - Unsaved File Changes.");
            EXPECT_EQ(shown.text, questionText);
            EXPECT_EQ(shown.icon, MessageIcon::None);
            EXPECT_EQ(shown.buttons,
                (std::vector { DialogButton::Yes, DialogButton::No, DialogButton::Cancel }));
        }
        const std::string endFile = std::string(t.endFile) == "Untitled.csv"
            ? std::string(t.endFile)
            : m_folder.file(t.endFile);
        EXPECT_EQ(m_window.CurrentFile(), endFile);
        EXPECT_EQ(status(), endFile);
        EXPECT_EQ(m_window.Dirty(), t.endDirty);
        EXPECT_EQ(m_grid->GetCellEx(0, 1), t.firstCell);
        EXPECT_EQ(m_grid->GetCellEx(0, 0), "IDENTIFICATION");
        if (t.editSavedIn != nullptr) {
            EXPECT_EQ(readFile(m_folder.file(t.editSavedIn)).substr(0, 10), "\"EDITED\",\"");
        } else if (t.command != Command::Save && t.command != Command::SaveAs) {
            EXPECT_FALSE(std::filesystem::exists(m_folder.file("g.csv")));
        }
    }
}

TEST_F(MainWindowTest, TypedLettersAreStoredInCapitalsAndMarkTheDocument)
{
    type("ab-12");
    key(Qt::Key_Return);
    EXPECT_EQ(m_grid->GetCellEx(0, 1), "AB-12");
    EXPECT_TRUE(m_window.Dirty());
}

// The file commands' keys work while a cell is being typed into, and the typed text counts.
TEST_F(MainWindowTest, FileKeysRunTheirCommandsFromTheCellEditor)
{
    m_folder.write("f.csv", csvLine("A"));
    const struct
    {
        const char *name;
        QKeyCombination keys;
        std::vector<Reply> replies;
        const char *firstCell;
        bool savedInG;
        bool visible;
    } rows[] = {
        { "new", Qt::CTRL | Qt::Key_N, { message(DialogButton::No) }, "", false, true },
        { "open", Qt::CTRL | Qt::Key_O, { message(DialogButton::No), openFile("f.csv") }, "A",
            false, true },
        { "save", Qt::CTRL | Qt::Key_S, { saveFile("g.csv") }, "TYPED", true, true },
        { "save as", Qt::CTRL | Qt::SHIFT | Qt::Key_S, { saveFile("g.csv") }, "TYPED", true, true },
        { "exit", Qt::CTRL | Qt::Key_Q, { message(DialogButton::No) }, "TYPED", false, false },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        m_window.FileNewExecute();
        std::filesystem::remove(m_folder.file("g.csv"));
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_gridWidget->setFocus();
        type("typed");
        answerWith(row.replies);
        key(row.keys.key(), row.keys.keyboardModifiers());
        EXPECT_EQ(m_dialogs.problems(), "");
        EXPECT_EQ(m_grid->GetCellEx(0, 1), row.firstCell);
        EXPECT_EQ(readFile(m_folder.file("g.csv")), row.savedInG ? csvLine("TYPED") : "");
        EXPECT_EQ(m_window.isVisible(), row.visible);
    }
}

// The grid's own keys are not taken by any window's shortcut.
TEST_F(MainWindowTest, HomeAndEndStayWithTheGridAndItsEditor)
{
    m_window.openAtStart(m_folder.write("f.csv", csvLine("A") + csvLine("B") + csvLine("C")));
    m_grid->SelectRange(1, 1, 2, 2);
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
    } moves[] = {
        { Qt::Key_End, Qt::NoModifier, 3 },
        { Qt::Key_Home, Qt::NoModifier, 1 },
        { Qt::Key_End, Qt::ControlModifier, 3 },
        { Qt::Key_Home, Qt::ControlModifier, 1 },
    };
    for (const auto &move : moves) {
        key(move.key, move.modifiers);
        EXPECT_EQ(m_grid->Row(), move.row) << move.key << " " << move.modifiers;
        EXPECT_EQ(m_grid->Col(), 1);
    }
    type("xy");
    key(Qt::Key_Home);
    type("w");
    key(Qt::Key_End);
    type("z");
    key(Qt::Key_Return);
    EXPECT_EQ(m_grid->GetCellEx(1, 1), "WXYZ");
}

TEST_F(MainWindowTest, RowKeysMarkTheDocumentButAnAppendedEmptyRowDoesNot)
{
    m_grid->SelectRange(2, 2, 1, 1);
    key(Qt::Key_Return); // opens the editor
    key(Qt::Key_Return); // leaves the last cell unchanged and appends a row
    ASSERT_EQ(m_grid->GetRowCountEx(), 3);
    key(Qt::Key_Escape);
    m_window.File_Changed();
    EXPECT_FALSE(m_window.Dirty());

    m_grid->SelectRange(0, 0, 2, 2);
    key(Qt::Key_Delete);
    EXPECT_EQ(m_grid->GetRowCountEx(), 2);
    EXPECT_TRUE(m_window.Dirty());
    m_window.FormCreate();
    key(Qt::Key_Insert);
    EXPECT_EQ(m_grid->GetRowCountEx(), 3);
    EXPECT_TRUE(m_window.Dirty());
}

TEST_F(MainWindowTest, SaveWithoutLeavingTheCellSavesTheTypedText)
{
    const std::string path = m_folder.write("f.csv", csvLine("A"));
    m_window.openAtStart(path);
    m_grid->SelectRange(1, 1, 1, 1);
    type("s1");
    ASSERT_FALSE(m_window.Dirty());
    QTest::mouseClick(
        m_window.findChild<QToolBar *>("ToolBar1")->widgetForAction(m_window.action("FileSave")),
        Qt::LeftButton);
    EXPECT_EQ(m_dialogs.problems(), "");
    EXPECT_EQ(readFile(path), csvLine("A", "S1"));
    EXPECT_FALSE(m_window.Dirty());
    EXPECT_EQ(status(), path);
}

TEST_F(MainWindowTest, AnEditInAFourthColumnIsNotLostWithoutAQuestion)
{
    const std::string path = m_folder.write("wide.csv", "\"A\",\"B\",\"C\",\"D\"\r\n");
    m_window.openAtStart(path);
    m_grid->SelectRange(3, 3, 1, 1);
    type("q");
    m_dialogs.answerMessage(DialogButton::Yes);
    trigger("FileNew");
    EXPECT_EQ(m_dialogs.problems(), "");
    EXPECT_EQ(readFile(path), "\"A\",\"B\",\"C\",\"Q\"\r\n");
    EXPECT_EQ(m_window.CurrentFile(), "Untitled.csv");
}

TEST_F(MainWindowTest, NoThenCancelledOpenKeepsTheGridAndDirty)
{
    type("x");
    m_dialogs.answerMessage(DialogButton::No);
    m_dialogs.answerOpenFile(std::nullopt);
    trigger("FileOpen");
    EXPECT_EQ(m_dialogs.problems(), "");
    EXPECT_EQ(m_grid->GetCellEx(0, 1), "X");
    EXPECT_TRUE(m_window.Dirty());
}

TEST_F(MainWindowTest, CancelOnCloseKeepsTheWindowOpen)
{
    type("x");
    m_dialogs.answerMessage(DialogButton::Cancel);
    EXPECT_FALSE(m_window.close());
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(m_grid->GetCellEx(0, 1), "X");
    EXPECT_EQ(m_dialogs.problems(), "");

    m_dialogs.answerMessage(DialogButton::No);
    trigger("FileExit");
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_dialogs.problems(), "");
}

TEST_F(MainWindowTest, ErrorsAreShownWithTheirMessageAndTheWindowGoesOn)
{
    const std::string missing = m_folder.file("missing.csv");
    m_dialogs.answerOpenFile(missing);
    m_dialogs.answerMessage(DialogButton::Ok);
    trigger("FileOpen");
    ASSERT_EQ(m_dialogs.problems(), "");
    ASSERT_EQ(m_dialogs.shown().size(), 2u);
    EXPECT_EQ(m_dialogs.shown()[1].caption, "ZAN");
    EXPECT_EQ(m_dialogs.shown()[1].text, "Cannot open file " + missing);
    EXPECT_EQ(status(), "Untitled.csv");

    // Whatever reaches the event loop is shown the same way.
    class Throwing : public QObject
    {
    public:
        bool event(QEvent *) override { throw ZanError("Grid index out of range"); }
    } throwing;
    m_dialogs.answerMessage(DialogButton::Ok);
    QEvent event(QEvent::User);
    QApplication::sendEvent(&throwing, &event);
    EXPECT_EQ(m_dialogs.problems(), "");
    EXPECT_EQ(m_dialogs.shown().back().text, "Grid index out of range");
    EXPECT_EQ(m_dialogs.shown().back().caption, "ZAN");
}

TEST_F(MainWindowTest, CommandLineFileThatCannotBeReadLeavesTheWindowUntitled)
{
    m_dialogs.answerMessage(DialogButton::Ok);
    m_window.openAtStart(m_folder.file("missing.csv"));
    EXPECT_EQ(m_dialogs.problems(), "");
    EXPECT_EQ(m_window.CurrentFile(), "Untitled.csv");
    EXPECT_EQ(m_grid->GetRowCountEx(), 2);
}

// The program itself: `zan FILE.csv` shows the window with the file's rows under the header row.
TEST(ZanProgram, StartsWithTheFileNamedOnTheCommandLine)
{
    const TestFolder folder;
    const std::string file = folder.write("birds.csv", csvLine("A", "B", "C") + csvLine("B"));
    const std::string command = "cd '" + folder.path().string()
        + "' && ZAN_STARTUP_PROBE=1 QT_QPA_PLATFORM=offscreen '" ZAN_PROGRAM "' birds.csv "
          "2>/dev/null";
    FILE *program = ::popen(command.c_str(), "r");
    ASSERT_NE(program, nullptr);
    char line[64] = {};
    const bool read = std::fgets(line, sizeof line, program) != nullptr;
    EXPECT_EQ(::pclose(program), 0);
    ASSERT_TRUE(read);
    EXPECT_STREQ(line, "shown 3\n");
}

TEST_F(MainWindowTest, ReadsPedigreeRowsTrimmed)
{
    m_grid->SetCellEx(0, 1, " \tNL-1 ");
    m_grid->SetCellEx(1, 1, std::string("\x01S\x7F", 3));
    m_grid->SetCellEx(2, 1, "D 2\n");
    EXPECT_EQ(m_window.GetPedigreeRowCount(), 2);
    ASSERT_TRUE(m_window.ReadPedigreeRow(1));
    EXPECT_EQ(m_window.RowIdent, "NL-1");
    EXPECT_EQ(m_window.RowSire, "S\x7F");
    EXPECT_EQ(m_window.RowDam, "D 2");
    EXPECT_FALSE(m_window.ReadPedigreeRow(2));
    EXPECT_EQ(m_window.RowIdent, "NL-1");
}

TEST_F(MainWindowTest, AnalyzeIsReachedByF2TheButtonAndTheMenu)
{
    type("a1");
    const std::vector<std::function<void()>> ways { [&] { key(Qt::Key_F2); },
        [&] { QTest::mouseClick(m_window.findChild<QPushButton *>("AnalyzeBtn"), Qt::LeftButton); },
        [&] { m_window.findChild<QAction *>("AnalyzeMenuItem")->trigger(); } };
    for (const auto &way : ways)
        EXPECT_EQ(modalShownBy(way), "ZAN_printF");
    // The report listed the typed row.
    EXPECT_NE(reportPlainText(m_report.analysis().OutPut()).find("A1"), std::string::npos);
}

// Shift+F2 analyses the bird of the current row with its ancestry alone; a row without a band
// says so.
TEST_F(MainWindowTest, AnalyzeCurrentBirdTakesItsAncestryFromTheGrid)
{
    m_window.openAtStart(m_folder.write("loft.csv",
        csvLine("OTHER", "X", "") + csvLine("S1", "GS", "GD") + csvLine("Y1", "S1", "D1")
            + csvLine("GS", "", "")));
    m_grid->SelectRange(0, 0, 3, 3);
    EXPECT_EQ(modalShownBy([&] { key(Qt::Key_F2, Qt::ShiftModifier); }), "ZAN_printF");
    const std::string report = reportPlainText(m_report.analysis().OutPut());
    EXPECT_NE(report.find("  1 Y1 "), std::string::npos);
    EXPECT_NE(report.find("  2 S1 "), std::string::npos);
    EXPECT_NE(report.find("  3 GS "), std::string::npos);
    EXPECT_EQ(report.find("OTHER"), std::string::npos);

    m_window.FileNewExecute();
    answerWith({ { DialogKind::Message, DialogButton::Ok } });
    EXPECT_EQ(modalShownBy([&] { trigger("AnalyzeBird"); }), "");
    ASSERT_EQ(m_dialogs.shown().size(), 1u);
    EXPECT_EQ(m_dialogs.shown()[0].text, "The current row names no bird.");
    EXPECT_EQ(m_dialogs.problems(), "");
}

// F2 on more rows than the analysis takes asks first; No leaves the report unshown.
TEST_F(MainWindowTest, AnalyzeAsksBeforeAGridOfMoreRowsThanTheAnalysisTakes)
{
    std::string loft;
    for (int bird = 1; bird <= 2049; ++bird)
        loft += csvLine("B" + std::to_string(bird), "", "");
    m_window.openAtStart(m_folder.write("large.csv", loft));
    for (const DialogButton answer : { DialogButton::No, DialogButton::Yes }) {
        answerWith({ { DialogKind::Message, answer } });
        EXPECT_EQ(modalShownBy([&] { key(Qt::Key_F2); }),
            answer == DialogButton::Yes ? "ZAN_printF" : "");
        ASSERT_EQ(m_dialogs.shown().size(), 1u);
        EXPECT_EQ(m_dialogs.shown()[0].text,
            "The grid holds 2049 rows; the analysis takes 2048 birds and leaves the rest out. "
            "Shift+F2 analyses the bird in the current row with its ancestry. Analyze the grid "
            "all the same?");
        EXPECT_EQ(m_dialogs.shown()[0].buttons,
            (std::vector<DialogButton> { DialogButton::Yes, DialogButton::No }));
    }
}

// The planner reads the grid's rows, the cell being typed included, and is shown modally.
TEST_F(MainWindowTest, PairingsOpensThePlannerOnTheGridRows)
{
    m_window.openAtStart(
        m_folder.write("loft.csv", csvLine("S1", "GS", "GD") + csvLine("D1", "GS", "GD")));
    std::vector<std::string> cocks;
    QTimer::singleShot(0, [&] {
        auto *planner = qobject_cast<PairingsWindow *>(QApplication::activeModalWidget());
        ASSERT_NE(planner, nullptr);
        const auto *list = planner->findChild<QListWidget *>("cockList");
        for (int row = 0; row < list->count(); ++row)
            cocks.push_back(list->item(row)->text().toStdString());
        planner->reject();
    });
    m_window.findChild<QAction *>("PairingsMenuItem")->trigger();
    EXPECT_EQ(cocks, (std::vector<std::string> { "D1", "GS", "S1" }));
    EXPECT_EQ(m_dialogs.problems(), "");
}

TEST_F(MainWindowTest, PageSetupShowsThePrinterSetupDialog)
{
    EXPECT_EQ(modalShownBy([&] { trigger("PageSetup"); }), "QPrintDialog");
}

TEST_F(MainWindowTest, PageSetupHandsTheChoiceToTheReportWindow)
{
    const Printer *before = m_report.printer();
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    trigger("PageSetup");
    ASSERT_NE(m_report.printer(), nullptr);
    EXPECT_NE(m_report.printer(), before);
}

TEST_F(MainWindowTest, F1OpensTheGuideOrSaysWhyNotWithItsPath)
{
    const std::string guide = m_folder.write("index.html", "<html></html>");
    const std::string missing = m_folder.file("none/index.html");
    const struct
    {
        const char *name;
        std::string helpFile;
        bool browserStarts;
        std::vector<std::string> started;
        std::string message;
    } rows[] = {
        { "browser started", guide, true, { guide }, "" },
        { "no browser", guide, false, { guide },
            "No web browser could be started to show the ZAN user guide:\n" + guide },
        { "guide missing", missing, true, {},
            "The ZAN user guide is not installed. It was looked for here:\n" + missing },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        m_dialogs.reset();
        std::vector<std::string> started;
        HelpGuide::setBrowserStart(
            [&](const std::string &fileName, const std::function<void()> &failed) {
                started.push_back(fileName);
                if (!row.browserStarts)
                    failed();
            });
        HelpGuide::setHelpFile(row.helpFile);
        if (!row.message.empty())
            m_dialogs.answerMessage(DialogButton::Ok);
        key(Qt::Key_F1);
        EXPECT_EQ(started, row.started);
        EXPECT_EQ(m_dialogs.problems(), "");
        const std::string shown = m_dialogs.shown().empty() ? "" : m_dialogs.shown().back().text;
        EXPECT_EQ(shown, row.message);
    }
    HelpGuide::setBrowserStart(nullptr);
}

// The desktop's opener tells by its exit status whether a browser took the guide.
TEST_F(MainWindowTest, AnOpenerThatFindsNoBrowserIsReported)
{
    const std::string guide = m_folder.write("index.html", "<html></html>");
    HelpGuide::setHelpFile(guide);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(m_folder.path().string()) + ":" + path);
    for (const int status : { 0, 3 }) {
        SCOPED_TRACE(status);
        m_dialogs.reset();
        const std::string opened = m_folder.file("opened");
        std::filesystem::remove(opened);
        m_folder.write("xdg-open",
            "#!/bin/sh\necho \"$1\" > '" + opened + "'\nexit " + std::to_string(status) + "\n");
        std::filesystem::permissions(m_folder.file("xdg-open"), std::filesystem::perms::owner_all);
        if (status != 0)
            m_dialogs.answerMessage(DialogButton::Ok);
        trigger("HelpContents");
        // The opener's end reaches the window later, through the event loop.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return std::filesystem::exists(opened) && (status == 0 || !m_dialogs.shown().empty());
        }));
        QTest::qWait(200);
        EXPECT_EQ(readFile(opened), guide + "\n");
        EXPECT_EQ(m_dialogs.problems(), "");
        const std::string shown = m_dialogs.shown().empty() ? "" : m_dialogs.shown().back().text;
        EXPECT_EQ(shown,
            status == 0 ? ""
                        : "No web browser could be started to show the ZAN user guide:\n" + guide);
    }
    qputenv("PATH", path);
}

TEST_F(MainWindowTest, TheGridTakesWhatTheWindowGrowsAndTheDesignSizeIsTheSmallest)
{
    const struct
    {
        const char *name;
        QSize asked;
        QSize window;
        QSize grid;
    } rows[] = {
        { "enlarged", { 1280, 1024 }, { 1280, 1024 }, { 1027, 919 } },
        { "wider only", { 900, 530 }, { 900, 530 }, { 647, 425 } },
        { "shrunk below the design", { 40, 30 }, { 728, 530 }, { 475, 425 } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        m_window.resize(row.asked);
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_window.size() == row.window; }));
        EXPECT_EQ(m_gridWidget->geometry(), QRect(QPoint(230, 32), row.grid));
        EXPECT_EQ(
            m_window.findChild<QPushButton *>("AnalyzeBtn")->geometry(), QRect(46, 184, 145, 33));
        EXPECT_EQ(m_window.findChild<QWidget *>("Description")->pos(), QPoint(6, 240));
    }
}

TEST_F(MainWindowTest, ClickOnTheBareWindowOpensTheAboutBox)
{
    QWidget *area = m_window.centralWidget();
    EXPECT_EQ(modalShownBy([&] { QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 225)); }),
        "About");
    EXPECT_EQ(modalShownBy([&] {
        QTest::mouseClick(m_window.findChild<QPushButton *>("AboutBtn"), Qt::LeftButton);
    }),
        "About");
    // Controls that leave the mouse to their parent are no bare window.
    for (const char *control : { "ToolBar1", "HtmlPanel1", "Description" }) {
        SCOPED_TRACE(control);
        QWidget *widget = m_window.findChild<QWidget *>(control);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(modalShownBy([&] {
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() - 3, 10));
        }),
            "");
    }
    EXPECT_EQ(modalShownBy([&] {
        QTest::mouseClick(m_window.statusBar(), Qt::LeftButton, {}, QPoint(5, 5));
    }),
        "");
}

TEST_F(MainWindowTest, EditActionsWorkOnTheCellEditorOnly)
{
    for (const char *name : { "EditUndo1", "EditCut1", "EditCopy1", "EditPaste1" })
        EXPECT_FALSE(m_window.action(name)->isEnabled()) << name;
    type("ab12");
    for (const char *name : { "EditUndo1", "EditCut1", "EditCopy1", "EditPaste1" })
        EXPECT_TRUE(m_window.action(name)->isEnabled()) << name;
    key(Qt::Key_A, Qt::ControlModifier); // the editor's own select-all
    trigger("EditCut1");
    EXPECT_EQ(QApplication::clipboard()->text(), "AB12");
    trigger("EditPaste1");
    trigger("EditPaste1");
    key(Qt::Key_Return);
    EXPECT_EQ(m_grid->GetCellEx(0, 1), "AB12AB12");
}

TEST_F(MainWindowTest, CtrlFOpensTheFindDialogOnTheGrid)
{
    key(Qt::Key_F, Qt::ControlModifier);
    const TGridFindDialog &find = m_window.FindInGrid();
    ASSERT_NE(find.form(), nullptr);
    EXPECT_TRUE(find.form()->isVisible());
    EXPECT_EQ(find.form()->windowTitle(), "ZAN ( Find ? in Table)");
    EXPECT_EQ(find.Grid, m_grid);
    EXPECT_EQ(find.TxtTextToFind, "Find what ?");
    EXPECT_EQ(find.TxtOptions, "Options");
    EXPECT_EQ(find.MsgNoMoreFound, "No more occurences of text ");
    EXPECT_FALSE(find.AutoPosition);
    find.form()->close();
}

TEST_F(MainWindowTest, StatusTipsNeverHideTheFileName)
{
    QStatusTipEvent tip("Open file");
    QApplication::sendEvent(&m_window, &tip);
    EXPECT_TRUE(m_window.statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(m_window.statusText()->isVisible());
    EXPECT_EQ(status(), "Untitled.csv");
}

} // namespace
