#include "grid/edit_grid.h"

#include "grid/grid_errors.h"
#include "grid/pedigree_grid.h"
#include "grid_test_support.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs the call and checks that it throws exactly EEditGridError with the message.
void expectFileError(const std::function<void()> &call, const std::string &message)
{
    try {
        call();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const EEditGridError &error) {
        EXPECT_EQ(std::string(error.what()), message);
    }
}

class CsvFile : public ::testing::Test
{
protected:
    void SetUp() override { configurePedigreeGrid(grid); }
    void TearDown() override { EXPECT_EQ(grid.checkConsistency(), ""); }

    // Loads the bytes as the Open command does.
    void open(const std::string &bytes)
    {
        writeBytes(folder.file("in.csv"), bytes);
        loadPedigreeFile(grid, folder.file("in.csv"));
    }

    // Saves as the Save command does and returns the file's bytes.
    std::string save()
    {
        savePedigreeFile(grid, folder.file("out.csv"));
        return readBytes(folder.file("out.csv"));
    }

    void setRows(const CellRows &rows)
    {
        resetPedigreeGrid(grid);
        grid.SetRowCountEx(static_cast<int>(rows.size()) + 1);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].size() > static_cast<std::size_t>(grid.GetColCountEx()))
                grid.SetColCountEx(static_cast<int>(rows[row].size()));
            for (std::size_t column = 0; column < rows[row].size(); ++column)
                grid.SetCellEx(
                    static_cast<int>(column), static_cast<int>(row) + 1, rows[row][column]);
        }
    }

    TemporaryFolder folder;
    RecordingGrid grid;
};

} // namespace

TEST_F(CsvFile, SavesTheExactBytesOfTheDocumentFormat)
{
    struct Case
    {
        const char *name;
        CellRows rows;
        std::string bytes;
    };
    const Case cases[] = {
        { "one empty row after New", { { "", "", "" } }, "\"\",\"\",\"\"\r\n" },
        { "bird with sire and no dam", { { "AB-123", "99-X-7", "" } },
            "\"AB-123\",\"99-X-7\",\"\"\r\n" },
        { "quote doubled", { { "A\"B", "", "" } }, "\"A\"\"B\",\"\",\"\"\r\n" },
        { "comma kept inside the quotes", { { "A,B", "C", "D" } }, "\"A,B\",\"C\",\"D\"\r\n" },
        { "line break with a comma written as LF", { { "A\r\nB,C", "", "" } },
            "\"A\nB,C\",\"\",\"\"\r\n" },
        { "line break without a comma written as LF", { { "A\r\nB", "", "" } },
            "\"A\nB\",\"\",\"\"\r\n" },
        { "lone CR written as LF", { { "A\rB", "", "" } }, "\"A\nB\",\"\",\"\"\r\n" },
        { "8-bit bytes unchanged", { { "\xC4\xB3\xFF", "\x01", "" } },
            "\"\xC4\xB3\xFF\",\"\x01\",\"\"\r\n" },
        { "two rows in order", { { "A", "B", "C" }, { "D", "", "F" } },
            "\"A\",\"B\",\"C\"\r\n\"D\",\"\",\"F\"\r\n" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        setRows(c.rows);
        EXPECT_EQ(save(), c.bytes);
    }
    setRows({ { "AB-123", "99-X-7", "" } });
    EXPECT_EQ(save().size(), 22u);
    setRows({ { "", "", "" } });
    EXPECT_EQ(save().size(), 10u);
}

TEST_F(CsvFile, SettingsChangeQuotingAndTheRangeWritten)
{
    struct Case
    {
        const char *name;
        bool quoteAll;
        bool quoteEmpty;
        bool includeFixed;
        std::string bytes;
    };
    const Case cases[] = {
        { "plain fields, empty quoted", false, true, false, "A,\"\",\"B\"\"C\",\"D,E\"\r\n" },
        { "plain fields, empty bare", false, false, false, "A,,\"B\"\"C\",\"D,E\"\r\n" },
        { "header row included", true, true, true,
            "\"IDENTIFICATION\",\"SIRE\",\"DAM\",\"\"\r\n\"A\",\"\",\"B\"\"C\",\"D,E\"\r\n" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        setRows({ { "A", "", "B\"C", "D,E" } });
        grid.CsvDelimiter = ',';
        grid.CsvQuoteAll = c.quoteAll;
        grid.CsvQuoteEmpty = c.quoteEmpty;
        grid.CsvIncludeFixedCells = c.includeFixed;
        grid.SaveToCSV(folder.file("out.csv"));
        EXPECT_EQ(readBytes(folder.file("out.csv")), c.bytes);
    }
}

TEST_F(CsvFile, CellsSurviveASaveAndALoad)
{
    struct Case
    {
        const char *name;
        std::string cell;
        std::string loaded;
    };
    const Case cases[] = {
        { "band number", "AB-123", "AB-123" },
        { "quotes inside", "say \"hi\"", "say \"hi\"" },
        { "quote first and last", "\"X\"", "\"X\"" },
        { "only quotes", "\"\"\"", "\"\"\"" },
        { "commas", ",A,,B,", ",A,,B," },
        { "CR LF line break", "A\r\nB", "A\r\nB" },
        { "CR LF line break with comma", "A,\r\nB", "A,\r\nB" },
        { "LF line break comes back as CR LF", "A\nB", "A\r\nB" },
        { "lone CR comes back as CR LF", "A\rB", "A\r\nB" },
        { "8-bit and NUL bytes", std::string("\xC4\0\xFF", 3), std::string("\xC4\0\xFF", 3) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        setRows({ { "FIRST", c.cell, "LAST" }, { "NEXT", "", "" } });
        save();
        TEditGrid reloaded;
        configurePedigreeGrid(reloaded);
        loadPedigreeFile(reloaded, folder.file("out.csv"));
        EXPECT_EQ(
            dataRows(reloaded), (CellRows { { "FIRST", c.loaded, "LAST" }, { "NEXT", "", "" } }));
    }
}

TEST_F(CsvFile, LoadsLinesAndFieldsAsTheFormatSays)
{
    struct Case
    {
        const char *name;
        std::string bytes;
        CellRows rows;
    };
    const Case cases[] = {
        { "three enclosed lines", "\"A\",\"B\",\"C\"\r\n\"D\",\"E\",\"F\"\r\n\"G\",\"\",\"\"\r\n",
            { { "A", "B", "C" }, { "D", "E", "F" }, { "G", "", "" } } },
        { "unquoted fields", "A,B,C\r\nD,E,F\r\n", { { "A", "B", "C" }, { "D", "E", "F" } } },
        { "CR alone ends lines", "A,B,C\rD,E,F", { { "A", "B", "C" }, { "D", "E", "F" } } },
        { "last line without terminator", "A,B,C\r\nD", { { "A", "B", "C" }, { "D", "", "" } } },
        { "two fields leave the third", "A,B\r\n", { { "A", "B", "" } } },
        { "trailing delimiter stores nothing more", "A,B,\r\n", { { "A", "B", "" } } },
        { "empty line still counts as a row", "A,B,C\r\n\r\nD,E,F\r\n",
            { { "A", "B", "C" }, { "", "", "" }, { "D", "E", "F" } } },
        { "comma inside quotes", "\"A,1\",\"B\",\"C,\"\r\n", { { "A,1", "B", "C," } } },
        { "doubled quotes", "\"say \"\"hi\"\"\",B,\"\"\"\"\r\n", { { "say \"hi\"", "B", "\"" } } },
        { "missing closing quote gives an empty field", "\"ABC,DEF,G\r\n", { { "", "DEF", "G" } } },
        { "lone quotes dropped", "A\"B,C\"D,E\"F\r\n", { { "AB", "CD", "EF" } } },
        { "text after a closing quote skipped", "\"AB\"XY,C,D\r\n", { { "AB", "C", "D" } } },
        { "text after the last closing quote ignored", "A,\"B,1\"XY\r\n", { { "A", "B,1", "" } } },
        { "last field quotes stripped independently", "A,B,\"C\r\nD,E,F\"\r\n",
            { { "A", "B", "C" }, { "D", "E", "F" } } },
        { "LF inside a line becomes CR LF", "\"A\nB\",C,D\r\n", { { "A\r\nB", "C", "D" } } },
        { "Ctrl-Z ends the file", "A,B,C\r\nD,E\x1A,F\r\nG,H,I\r\n",
            { { "A", "B", "C" }, { "D", "E", "" } } },
        { "Ctrl-Z after a line end", "A,B,C\r\n\x1A", { { "A", "B", "C" } } },
        { "LF-only file has one row per line", "A,B,C\nD,E,F\n",
            { { "A", "B", "C" }, { "D", "E", "F" } } },
        { "LF-only file with Ctrl-Z then a CR", "A,B,C\nD,E,F\n\x1A\r\n",
            { { "A", "B", "C" }, { "D", "E", "F" } } },
        { "a CR anywhere keeps LF inside lines", "A\nB,C\r\n", { { "A\r\nB", "C", "" } } },
        { "byte-order mark skipped", "\xEF\xBB\xBF\"A\",\"B\",\"C\"\r\n", { { "A", "B", "C" } } },
        { "byte-order mark in an LF-only file",
            "\xEF\xBB\xBF"
            "A,B,C\n",
            { { "A", "B", "C" } } },
        { "byte-order mark only at the start", "A,B,C\r\n\xEF\xBB\xBF,,\r\n",
            { { "A", "B", "C" }, { "\xEF\xBB\xBF", "", "" } } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        open(c.bytes);
        EXPECT_EQ(grid.GetCellEx(0, 0), "IDENTIFICATION");
        EXPECT_EQ(dataRows(grid), c.rows);
        EXPECT_EQ(grid.checkConsistency(), "");
    }
}

TEST_F(CsvFile, LoadKeepsCellsTheFileDoesNotReach)
{
    grid.SetRowCountEx(3);
    grid.SetCellEx(2, 1, "OLD-DAM");
    grid.SetCellEx(1, 2, "OLD-SIRE");
    applyPedigreeCsvSettings(grid);
    writeBytes(folder.file("in.csv"), "A,B,\r\n\r\n");
    grid.LoadFromCSV(folder.file("in.csv"));
    EXPECT_EQ(dataRows(grid), (CellRows { { "A", "B", "OLD-DAM" }, { "", "OLD-SIRE", "" } }));
}

TEST_F(CsvFile, WiderLinesWidenTheGridForGood)
{
    open("A,B,C,D\r\nE,F\r\n");
    EXPECT_EQ(grid.GetColCountEx(), 4);
    EXPECT_EQ(grid.ColWidths(3), 64);
    EXPECT_EQ(dataRows(grid), (CellRows { { "A", "B", "C", "D" }, { "E", "F", "", "" } }));
    EXPECT_EQ(save(), "\"A\",\"B\",\"C\",\"D\"\r\n\"E\",\"F\",\"\",\"\"\r\n");
}

TEST_F(CsvFile, FileWithoutLinesLeavesOneRowAndNoHeaderRow)
{
    for (const char *bytes : { "", "\x1A", "\xEF\xBB\xBF" }) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        configurePedigreeGrid(grid);
        open(bytes);
        EXPECT_EQ(grid.GetRowCountEx(), 1);
        EXPECT_EQ(grid.GetFixedRowsEx(), 0);
        EXPECT_EQ(grid.GetCellEx(0, 0), "IDENTIFICATION");
    }
}

TEST_F(CsvFile, RowsGrowInBlocksAndEndAtTheLineCount)
{
    std::string bytes;
    for (int line = 0; line < 2500; ++line)
        bytes += "\"B" + std::to_string(line) + "\",\"\",\"\"\r\n";
    grid.changes.clear();
    open(bytes);
    EXPECT_EQ(grid.GetRowCountEx(), 2501);
    EXPECT_EQ(grid.GetCellEx(0, 2500), "B2499");
    EXPECT_EQ(grid.changes.back(), (TGridRect { 0, 0, 3, 2501 }));
    EXPECT_EQ(grid.loads, 1);
}

TEST_F(CsvFile, OpenFailuresLeaveTheGridAsItWas)
{
    grid.SetCellEx(0, 1, "KEPT");
    const std::string missing = folder.file("missing.csv");
    expectFileError([&] { grid.LoadFromCSV(missing); }, "Cannot open file " + missing);
    expectFileError([&] { grid.LoadFromCSV(folder.path()); }, "Cannot open file " + folder.path());
    EXPECT_EQ(grid.GetRowCountEx(), 2);
    EXPECT_EQ(grid.GetCellEx(0, 1), "KEPT");
    EXPECT_EQ(grid.loads, 0);
}

TEST_F(CsvFile, CreateFailuresWriteNothing)
{
    const std::string inMissingFolder = folder.file("no-such-folder/out.csv");
    expectFileError(
        [&] { grid.SaveToCSV(inMissingFolder); }, "Cannot Create file " + inMissingFolder);
    expectFileError([&] { grid.SaveToCSV(folder.path()); }, "Cannot Create file " + folder.path());
    EXPECT_TRUE(folder.entries().empty());
}

TEST_F(CsvFile, ReadOnlyFileIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    const std::string target = folder.file("locked.csv");
    writeBytes(target, "OLD\r\n");
    ::chmod(target.c_str(), 0444);
    expectFileError([&] { grid.SaveToCSV(target); }, "Cannot Create file " + target);
    EXPECT_EQ(readBytes(target), "OLD\r\n");
}

TEST_F(CsvFile, FailedSaveLeavesThePreviousFileIntact)
{
    struct Case
    {
        const char *name;
        TextFileFaultPlan plan;
        int rows;
        const char *message;
    };
    const Case cases[] = {
        { "first write, disk full", { 1, 0, false, false, 28 }, 3, "cannot write file " },
        { "second write of a large file", { 2, 0, false, false, 5 }, 20000, "cannot write file " },
        { "sync", { 0, 0, true, false, 5 }, 3, "cannot write file " },
        { "rename", { 0, 0, false, true, 13 }, 3, "cannot replace file " },
    };
    const std::string target = folder.file("pedigree.csv");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(target, "\"OLD\",\"\",\"\"\r\n");
        grid.SetRowCountEx(c.rows);
        grid.SetCellEx(0, 1, "NEW");
        try {
            ScopedTextFileFaults faults(c.plan);
            savePedigreeFile(grid, target);
            ADD_FAILURE() << "the save did not fail";
        } catch (const EEditGridError &error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message + target + ": ", 0), 0u)
                << error.what();
        }
        EXPECT_EQ(readBytes(target), "\"OLD\",\"\",\"\"\r\n");
        EXPECT_EQ(folder.entries(), (std::vector<std::string> { "pedigree.csv" }))
            << "no temporary file left";
    }
    savePedigreeFile(grid, target); // and without faults the same save goes through
    EXPECT_EQ(readBytes(target).substr(0, 15), "\"NEW\",\"\",\"\"\r\n\"\"");
}

TEST_F(CsvFile, ReadFailureKeepsTheRowsLoadedSoFar)
{
    std::string bytes;
    for (int line = 0; line < 20000; ++line)
        bytes += "\"B" + std::to_string(line) + "\",\"S\",\"D\"\r\n";
    writeBytes(folder.file("big.csv"), bytes);
    resetPedigreeGrid(grid);
    applyPedigreeCsvSettings(grid);
    try {
        // Reads: detecting the line ends, checking for a byte-order mark, then the blocks.
        ScopedTextFileFaults faults({ 0, 4, false, false, 5 });
        grid.LoadFromCSV(folder.file("big.csv"));
        ADD_FAILURE() << "the load did not fail";
    } catch (const EEditGridError &error) {
        EXPECT_EQ(std::string(error.what()),
            "cannot read file " + folder.file("big.csv") + ": Input/output error");
    }
    const int rowsRead = grid.GetRowCountEx() - 1;
    EXPECT_GT(rowsRead, 1000);
    EXPECT_LT(rowsRead, 20000);
    EXPECT_EQ(grid.GetCellEx(0, rowsRead), "B" + std::to_string(rowsRead - 1));
}

TEST_F(CsvFile, SaveKeepsPermissionsAndFollowsLinks)
{
    const std::string target = folder.file("real.csv");
    writeBytes(target, "OLD\r\n");
    ::chmod(target.c_str(), 0640);
    ASSERT_EQ(::symlink("real.csv", folder.file("link.csv").c_str()), 0);
    savePedigreeFile(grid, folder.file("link.csv"));
    struct stat status;
    ASSERT_EQ(::lstat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(readBytes(target), "\"\",\"\",\"\"\r\n");
    ASSERT_EQ(::lstat(folder.file("link.csv").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode)) << "the link itself stays a link";
}
