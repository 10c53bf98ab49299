#include "app/document_commands.h"

#include "app_test_support.h"

#include "grid/edit_grid.h"
#include "grid/grid_edit_controller.h"
#include "grid/grid_errors.h"
#include "grid/pedigree_grid.h"
#include "platform/scripted_user_dialogs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

class DocumentCommandsTest : public testing::Test
{
protected:
    DocumentCommandsTest()
    {
        configurePedigreeGrid(m_grid);
        m_commands.ShowCurrentFile = [this](const std::string &file) { m_statusText = file; };
        m_commands.FormCreate();
    }

    TestFolder m_folder;
    ScriptedUserDialogs m_dialogs;
    TEditGrid m_grid;
    GridEditController m_editing { m_grid };
    DocumentCommands m_commands { m_editing, nullptr };
    std::string m_statusText;
};

TEST_F(DocumentCommandsTest, FileDialogsOfferPedigreeFilesAndSaveAsConfirmsReplacing)
{
    class RecordingDialogs : public ScriptedUserDialogs
    {
    public:
        std::vector<FileRequest> requests;
        std::optional<std::string> chooseSaveFile(
            QWidget *parent, const FileRequest &request) override
        {
            requests.push_back(request);
            return ScriptedUserDialogs::chooseSaveFile(parent, request);
        }
        std::optional<std::string> chooseOpenFile(
            QWidget *parent, const FileRequest &request) override
        {
            requests.push_back(request);
            return ScriptedUserDialogs::chooseOpenFile(parent, request);
        }
    } dialogs;
    m_commands.openFile(m_folder.write("f.csv", csvLine("A")));
    dialogs.answerSaveFile(std::nullopt);
    dialogs.answerOpenFile(std::nullopt);
    m_commands.FileSaveAsExecute();
    m_commands.FileOpenExecute();
    ASSERT_EQ(dialogs.requests.size(), 2u);
    for (const FileRequest &request : dialogs.requests) {
        EXPECT_EQ(request.filter, "ZAN files (*.csv)|*.csv|All files (*.*)|*.*");
        EXPECT_EQ(request.defaultExtension, ".csv");
    }
    EXPECT_EQ(dialogs.requests[0].fileName, m_folder.file("f.csv"));
    EXPECT_TRUE(dialogs.requests[0].confirmOverwrite);
}

TEST_F(DocumentCommandsTest, UntitledInAnotherCaseOrWithAFolderIsSavedDirectly)
{
    for (const char *name : { "untitled.csv", "UNTITLED.CSV", "sub/Untitled.csv" }) {
        SCOPED_TRACE(name);
        std::filesystem::create_directories(m_folder.path() / "sub");
        const std::string path
            = std::string_view(name).starts_with("sub/") ? m_folder.file(name) : name;
        m_commands.document().setCurrentFile(path);
        m_grid.SetCellEx(0, 1, "B1");
        m_commands.markChanged();
        EXPECT_TRUE(m_commands.FileSaveExecute());
        EXPECT_EQ(m_dialogs.problems(), "");
        EXPECT_TRUE(m_dialogs.shown().empty());
        EXPECT_FALSE(m_commands.Dirty());
        EXPECT_EQ(readFile(path), csvLine("B1"));
        std::filesystem::remove(path);
    }
}

TEST_F(DocumentCommandsTest, UnreadableFileChangesNothing)
{
    const std::string path = m_folder.write("f.csv", csvLine("A") + csvLine("B") + csvLine("C"));
    m_commands.openFile(path);
    m_grid.SetCellEx(1, 2, "EDITED");
    m_grid.SelectRange(1, 1, 2, 2);
    m_commands.markChanged();
    std::filesystem::create_directories(m_folder.path() / "folder.csv");

    for (const std::string &bad : { m_folder.file("missing.csv"), m_folder.file("folder.csv") }) {
        SCOPED_TRACE(bad);
        m_dialogs.answerMessage(DialogButton::No);
        m_dialogs.answerOpenFile(bad);
        EXPECT_THROW(m_commands.FileOpenExecute(), ZanError);
        EXPECT_EQ(m_dialogs.problems(), "");
        EXPECT_EQ(m_commands.CurrentFile(), path);
        EXPECT_EQ(m_statusText, path);
        EXPECT_TRUE(m_commands.Dirty());
        EXPECT_EQ(m_grid.GetRowCountEx(), 4);
        EXPECT_EQ(m_grid.GetFixedRowsEx(), 1);
        EXPECT_EQ(m_grid.GetCellEx(0, 0), "IDENTIFICATION");
        EXPECT_EQ(m_grid.GetCellEx(0, 3), "C");
        EXPECT_EQ(m_grid.GetCellEx(1, 2), "EDITED");
        EXPECT_EQ(m_grid.Col(), 1);
        EXPECT_EQ(m_grid.Row(), 2);
        EXPECT_EQ(m_grid.checkConsistency(), "");
        m_dialogs.reset();
    }
}

TEST_F(DocumentCommandsTest, MissingFileMessageNamesIt)
{
    const std::string missing = m_folder.file("missing.csv");
    try {
        m_commands.openFile(missing);
        FAIL() << "no error";
    } catch (const EEditGridError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
    }
}

TEST_F(DocumentCommandsTest, FailedSaveStopsTheCommand)
{
    const std::string folder = (m_folder.path() / "gone").string();
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/f.csv";
    m_folder.write("gone/f.csv", csvLine("A"));
    m_commands.openFile(path);
    m_grid.SetCellEx(0, 1, "EDITED");
    m_commands.markChanged();
    std::filesystem::remove_all(folder);

    m_dialogs.answerMessage(DialogButton::Yes);
    EXPECT_THROW(m_commands.FileNewExecute(), ZanError);
    m_dialogs.answerMessage(DialogButton::Yes);
    bool canClose = true;
    EXPECT_THROW(m_commands.FormCloseQuery(canClose), ZanError);
    EXPECT_FALSE(canClose);
    m_dialogs.answerMessage(DialogButton::Yes);
    EXPECT_THROW(m_commands.FileOpenExecute(), ZanError);

    EXPECT_EQ(m_dialogs.problems(), "");
    EXPECT_EQ(m_commands.CurrentFile(), path);
    EXPECT_TRUE(m_commands.Dirty());
    EXPECT_EQ(m_grid.GetCellEx(0, 1), "EDITED");
}

TEST_F(DocumentCommandsTest, EmptyFileLeavesTheHeaderAndOneDataRow)
{
    const std::string empty = m_folder.write("empty.csv", "");
    m_grid.SetCellEx(0, 1, "OLD");
    m_commands.openFile(empty);
    EXPECT_EQ(m_commands.CurrentFile(), empty);
    EXPECT_EQ(m_grid.GetRowCountEx(), 2);
    EXPECT_EQ(m_grid.GetFixedRowsEx(), 1);
    EXPECT_EQ(m_grid.GetCellEx(0, 0), "IDENTIFICATION");
    EXPECT_EQ(m_grid.GetCellEx(2, 0), "DAM");
    EXPECT_EQ(m_grid.GetCellEx(0, 1), "");
    EXPECT_TRUE(m_grid.IsSelected(0, 1));

    m_commands.FileNewExecute();
    EXPECT_EQ(m_grid.GetRowCountEx(), 2);
    m_dialogs.answerOpenFile(m_folder.write("f.csv", csvLine("A")));
    m_commands.FileOpenExecute();
    EXPECT_EQ(m_grid.GetCellEx(0, 1), "A");
    EXPECT_EQ(m_dialogs.problems(), "");
}

TEST_F(DocumentCommandsTest, NewLeavesOneEmptyRowWithTheFirstCellSelected)
{
    m_commands.openFile(m_folder.write("f.csv", csvLine("A") + csvLine("B") + csvLine("C")));
    m_grid.SelectRange(2, 2, 3, 3);
    m_commands.FileNewExecute();
    EXPECT_EQ(m_grid.GetRowCountEx(), 2);
    EXPECT_EQ(m_grid.GetCellEx(0, 1), "");
    EXPECT_EQ(m_grid.GetCellEx(1, 0), "SIRE");
    EXPECT_EQ(m_grid.Selection(), (TGridRect { 0, 1, 0, 1 }));
    EXPECT_EQ(m_commands.CurrentFile(), "Untitled.csv");
}

} // namespace
