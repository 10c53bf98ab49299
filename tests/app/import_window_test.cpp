// File > Import... in the window: the import dialog's guess and the user's choices give the grid's
// rows, rows left out are listed, Cancel and errors leave the document alone, and an import is an
// untitled document with changes to save.

#include "app_test_support.h"
#include "document_transitions.h"
#include "modal_script.h"

#include "app/main_window.h"
#include "grid/edit_grid_widget.h"
#include "grid/import_dialog.h"
#include "platform/scripted_user_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// The import dialog once it is on screen, or nullptr.
ImportDialog *shownDialog()
{
    auto *dialog = qobject_cast<ImportDialog *>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog->windowHandle() == nullptr
        || !dialog->windowHandle()->isExposed())
        return nullptr;
    return dialog;
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// On the box itself, which stands at the left.
void click(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void pressDown(QComboBox *box, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(box, Qt::Key_Down);
}

class ImportWindow : public testing::Test
{
protected:
    ImportWindow()
    {
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        activate();
    }

    // The window takes the keys again once a modal dialog has gone.
    void activate()
    {
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_grid->setFocus();
    }

    ~ImportWindow() override
    {
        m_dialogs.reset();
        m_dialogs.answerMessage(DialogButton::No); // the question after an import
        m_window.FileNewExecute();
    }

    // Ctrl+I on the grid with `file` chosen in the open dialog; `act` runs in the import dialog
    // once it shows. False when no import dialog came.
    bool import(const std::string &file, const std::function<void(ImportDialog &)> &act)
    {
        m_dialogs.answerOpenFile(file);
        ModalScript script(
            { { [] { return shownDialog() != nullptr; }, [&] { act(*shownDialog()); } } });
        activate();
        QTest::keyClick(m_grid, Qt::Key_I, Qt::ControlModifier);
        return script.finished();
    }

    Rows gridRows() const
    {
        Rows rows;
        const TEditGrid &grid = m_grid->model();
        for (int row = 1; row < grid.GetRowCountEx(); ++row)
            rows.push_back(
                { grid.GetCellEx(0, row), grid.GetCellEx(1, row), grid.GetCellEx(2, row) });
        return rows;
    }

    void answerWith(const std::vector<Reply> &replies)
    {
        m_dialogs.reset();
        for (const Reply &reply : replies) {
            if (reply.kind == DialogKind::Message)
                m_dialogs.answerMessage(reply.button);
            else if (reply.kind == DialogKind::OpenFile)
                m_dialogs.answerOpenFile(reply.file
                        ? std::optional<std::string>(m_folder.file(reply.file))
                        : std::nullopt);
            else
                m_dialogs.answerSaveFile(std::nullopt);
        }
    }

    TestFolder m_folder;
    ScriptedUserDialogs m_dialogs;
    TmainF m_window;
    TEditGridWidget *m_grid = m_window.InputGrid();
};

TEST_F(ImportWindow, TheGuessAndTheUsersChoicesGiveTheGridRows)
{
    const struct
    {
        const char *name;
        std::string table;
        std::function<void(ImportDialog &)> choose;
        Rows rows;
    } cases[] = {
        { "guessed from a Dutch header in another order",
            "Naam;Vader;Ring;Moeder\r\nA;s-1;b-1;d-1\r\n", [](ImportDialog &) {},
            { { "B-1", "S-1", "D-1" } } },
        { "dam moved to the next column", "b-1,s-1,d-1,x-1\n",
            [](ImportDialog &dialog) { pressDown(dialog.columnBox(PedigreeColumn::Dam), 1); },
            { { "B-1", "S-1", "X-1" } } },
        { "first row taken as a bird", "abc,def,ghi\nb-1,s-1,d-1\n",
            [](ImportDialog &dialog) { click(dialog.headerBox()); },
            { { "ABC", "DEF", "GHI" }, { "B-1", "S-1", "D-1" } } },
        { "separators unified", "nl 2020 1,nl.2019.7,nl/2018 / 3\n",
            [](ImportDialog &dialog) { click(dialog.unifyBox()); },
            { { "NL-2020-1", "NL-2019-7", "NL-2018-3" } } },
        { "columns the header does not name, chosen one by one", "Nr;Papa;Mama\nb-1;s-1;d-1\n",
            [](ImportDialog &dialog) {
                EXPECT_FALSE(dialog.importButton()->isEnabled());
                EXPECT_EQ(dialog.summary()->text().toStdString(), "Choose the band column.");
                pressDown(dialog.columnBox(PedigreeColumn::Band), 1);
                pressDown(dialog.columnBox(PedigreeColumn::Sire), 2);
                pressDown(dialog.columnBox(PedigreeColumn::Dam), 3);
            },
            { { "B-1", "S-1", "D-1" } } },
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        m_dialogs.reset();
        const std::string file = m_folder.write("table.csv", test.table);
        ASSERT_TRUE(import(file, [&](ImportDialog &dialog) {
            test.choose(dialog);
            click(dialog.importButton());
            if (dialog.isVisible()) // the button was disabled
                dialog.reject();
        }));
        EXPECT_EQ(gridRows(), test.rows);
        EXPECT_EQ(m_dialogs.problems(), "");
        m_dialogs.answerMessage(DialogButton::No);
        m_window.FileNewExecute();
    }
}

TEST_F(ImportWindow, RowsLeftOutAreListedWithTheirLinesAndReasons)
{
    const std::string file = m_folder.write("loft.csv",
        "Ring,Vader,Moeder\nb-1,,\n,s-1,\nNL-2021-1234567890123,,\nb-2,\xE2\x82\xAC\xE2\x98\x85,"
        "\n");
    std::string summary;
    std::string problems;
    ASSERT_TRUE(import(file, [&](ImportDialog &dialog) {
        summary = dialog.summary()->text().toStdString();
        problems = dialog.problemList()->toPlainText().toStdString();
        click(dialog.importButton());
    }));
    EXPECT_EQ(summary, "1 row will be imported. 3 rows cannot be read and are left out:");
    EXPECT_EQ(problems,
        "line 3: no band; row left out\n"
        "line 4: band 'NL-2021-1234567890123' is longer than 18 characters; row left out\n"
        "line 5: sire '\xE2\x82\xAC\xE2\x98\x85' has a character without an 8-bit code "
        "(\xE2\x98\x85); row left out");
    EXPECT_EQ(gridRows(), (Rows { { "B-1", "", "" } }));
}

// A workbook's other sheet is read when chosen, and its columns guessed anew.
TEST_F(ImportWindow, TheSheetChosenIsImported)
{
    const std::string file = m_folder.file("loft.xlsx");
    lxw_workbook *book = workbook_new(file.c_str());
    worksheet_write_string(workbook_add_worksheet(book, "Notes"), 0, 0, "no birds here", nullptr);
    lxw_worksheet *birds = workbook_add_worksheet(book, "Birds");
    const char *cells[2][4]
        = { { "Name", "Ring", "Vater", "Mutter" }, { "A", "b-1", "s-1", "d-1" } };
    for (lxw_row_t row = 0; row < 2; ++row)
        for (lxw_col_t column = 0; column < 4; ++column)
            worksheet_write_string(birds, row, column, cells[row][column], nullptr);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    std::string before;
    ASSERT_TRUE(import(file, [&](ImportDialog &dialog) {
        before = dialog.summary()->text().toStdString();
        EXPECT_TRUE(dialog.sheetBox()->isVisible());
        QTest::keyClick(dialog.sheetBox(), Qt::Key_Down);
        click(dialog.importButton());
    }));
    EXPECT_EQ(before, "Choose the band column.");
    EXPECT_EQ(gridRows(), (Rows { { "B-1", "S-1", "D-1" } }));
}

// The document afterwards: untitled and changed after an import; untouched after a cancel, a
// table that cannot be read or an empty one.
enum class InDialog { NotShown, Import, Escape };

struct DocumentCase
{
    const char *name;
    bool typed; // a cell typed into first, so that the save-changes question comes
    std::vector<Reply> replies; // the question and the file chosen
    InDialog inDialog;
    bool untitled; // else the opened pedigree stays the current file
    bool dirty;
    Rows rows;
    std::string error = {}; // the error shown, with the test folder's path for "%1"
};

TEST_F(ImportWindow, ImportMakesAnUntitledChangedDocumentAndCancelChangesNothing)
{
    const std::string pedigree = m_folder.write("own.csv", csvLine("OWN-1", "S", "D"));
    m_folder.write("table.csv", "Ring,Vader,Moeder\nb-1,s-1,d-1\n");
    m_folder.write("damaged.xlsx", "not a workbook");
    m_folder.write("empty.csv", "\r\n");
    const Rows own { { "OWN-1", "S", "D" } };
    const Rows typed { { "X", "S", "D" } };
    const DocumentCase cases[] = {
        { "imported", false, { openFile("table.csv") }, InDialog::Import, true, true,
            { { "B-1", "S-1", "D-1" } } },
        { "dialog cancelled after No", true, { message(DialogButton::No), openFile("table.csv") },
            InDialog::Escape, false, true, typed },
        { "question cancelled", true, { message(DialogButton::Cancel) }, InDialog::NotShown, false,
            true, typed },
        { "file dialog cancelled", false, { openFile(nullptr) }, InDialog::NotShown, false, false,
            own },
        { "damaged workbook", false, { openFile("damaged.xlsx"), message(DialogButton::Ok) },
            InDialog::NotShown, false, false, own,
            "cannot read workbook %1/damaged.xlsx: Not a zip archive" },
        { "empty table", false, { openFile("empty.csv"), message(DialogButton::Ok) },
            InDialog::NotShown, false, false, own, "cannot import %1/empty.csv: it holds no rows" },
    };
    for (const DocumentCase &test : cases) {
        SCOPED_TRACE(test.name);
        m_window.openAtStart(pedigree);
        activate();
        if (test.typed)
            QTest::keyClicks(m_grid, "X");
        answerWith(test.replies);
        ModalScript script({ { [] { return shownDialog() != nullptr; },
            [&] {
                if (test.inDialog == InDialog::Import)
                    click(shownDialog()->importButton());
                else
                    QTest::keyClick(shownDialog(), Qt::Key_Escape);
            } } });
        QTest::keyClick(m_grid, Qt::Key_I, Qt::ControlModifier);

        EXPECT_EQ(script.finished(), test.inDialog != InDialog::NotShown);
        EXPECT_EQ(m_dialogs.problems(), "");
        EXPECT_EQ(m_window.CurrentFile(), test.untitled ? "Untitled.csv" : pedigree);
        EXPECT_EQ(m_window.Dirty(), test.dirty);
        EXPECT_EQ(gridRows(), test.rows);
        std::string error = test.error;
        if (const size_t folder = error.find("%1"); folder != std::string::npos)
            error.replace(folder, 2, m_folder.path().string());
        const auto &shown = m_dialogs.shown();
        EXPECT_EQ(shown.back().icon == MessageIcon::Error ? shown.back().text : "", error);
    }

    // Closing after an import asks to save it, and Save asks for a name.
    m_dialogs.reset();
    ASSERT_TRUE(import(
        m_folder.file("table.csv"), [](ImportDialog &dialog) { click(dialog.importButton()); }));
    answerWith({ message(DialogButton::Yes), saveFile(nullptr) });
    bool canClose = true;
    m_window.FormCloseQuery(canClose);
    EXPECT_EQ(m_dialogs.problems(), "");
    EXPECT_FALSE(canClose);
}

} // namespace
