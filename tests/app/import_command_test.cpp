#include "app/command_line.h"
#include "app/import_command.h"

#include "app_test_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>

namespace {

TEST(ImportCommand, ParsesTheFilesColumnsSheetAndSeparatorOption)
{
    const CommandLine command = parseCommandLine({ "import", "in.xlsx", "--band", "Ring",
        "--sire=2", "out.csv", "--dam", "3", "--sheet=Hok", "--unify-separators" });
    EXPECT_EQ(command.kind, CommandKind::Import);
    EXPECT_EQ(command.tableImport.inputFile, "in.xlsx");
    EXPECT_EQ(command.tableImport.outputFile, "out.csv");
    EXPECT_EQ(command.tableImport.sheet, "Hok");
    EXPECT_EQ(
        command.tableImport.choice.columns, (std::array<std::string, 3> { "Ring", "2", "3" }));
    EXPECT_TRUE(command.tableImport.choice.unifySeparators);

    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        { { "import", "in.csv" },
            "import needs a table and a pedigree file: zan import IN OUT.csv" },
        { { "import", "in.csv", "out.csv", "--band" }, "--band needs a value" },
        { { "import", "in.csv", "out.csv", "--sire=" }, "--sire needs a value" },
        { { "import", "in.csv", "out.csv", "--pdf", "x" }, "unknown option --pdf" },
    };
    for (const auto &[arguments, message] : bad)
        EXPECT_THROW(
            try { parseCommandLine(arguments); } catch (const CommandLineError &error) {
                EXPECT_EQ(std::string(error.what()), message);
                throw;
            },
            CommandLineError);
}

// The whole program: the pedigree file in the grid's format, the rows left out on standard error
// and the exit status for a clean import, one with rows left out, an unreadable table and bad
// usage.
TEST(ImportCommand, WritesThePedigreeFileListsRowsLeftOutAndExits)
{
    const TestFolder folder;
    const std::string clean
        = folder.write("clean.csv", "Vader;Ringnummer;Moeder\r\nnl 1;nl 2;\r\n");
    const std::string bad = folder.write("bad.csv", "nl-2,nl-1\n,nl-1\nnl-1\n");
    const std::string out = folder.file("out.csv");
    const std::string errors = folder.file("errors.txt");
    struct Case
    {
        std::string arguments;
        int status;
        std::string output;
        std::string errors;
    };
    const std::vector<Case> cases = {
        { "'" + clean + "' '" + out + "' --unify-separators", 0, "\"NL-2\",\"NL-1\",\"\"\r\n", "" },
        { "'" + bad + "' '" + out + "'", 1, "\"NL-2\",\"NL-1\",\"\"\r\n\"NL-1\",\"\",\"\"\r\n",
            "zan: line 2: no band; row left out\n" },
        { "'" + folder.file("none.xlsx") + "' '" + folder.file("none.csv") + "'", 1, "",
            "zan: cannot read workbook " + folder.file("none.xlsx") + ": No such file\n" },
        { "'" + clean + "'", 2, "",
            "zan: import needs a table and a pedigree file: zan import IN OUT.csv (see zan "
            "--help)\n" },
    };
    for (const Case &test : cases) {
        std::remove(out.c_str());
        const std::string command
            = "'" ZAN_PROGRAM "' import " + test.arguments + " 2>'" + errors + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), test.status) << test.arguments;
        EXPECT_EQ(readFile(errors), test.errors) << test.arguments;
        if (!test.output.empty()) {
            EXPECT_EQ(readFile(out), test.output) << test.arguments;
        }
    }
}

} // namespace
