#include "app/check_command.h"
#include "app/command_line.h"
#include "app_test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Result
{
    int status = -1;
    std::string out;
    std::string errors;
};

Result runCheck(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "check");
    const CommandLine command = parseCommandLine(arguments);
    std::ostringstream out, errors;
    Result result;
    result.status = runCheckCommand(command.check, out, errors);
    result.out = out.str();
    result.errors = errors.str();
    return result;
}

TEST(CheckCommand, listsTheFindingsErrorsFirstAndFailsOnThem)
{
    const TestFolder folder;
    // A loop, a parent born after its young, an empty row, and a clean band in Windows-1252.
    const std::string pedigree = folder.write("loft.csv",
        csvLine("Y", "A", "NL-2021-5") + csvLine("A", "B") + csvLine("B", "A") + csvLine("")
            + csvLine("NL-2019-1", "", "NL-2021-5") + csvLine("M\xDC", "", ""));
    const Result result = runCheck({ pedigree });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(result.out,
        pedigree
            + ": 1 error, 1 warning and 1 note\n"
              "\nErrors\n"
              "  rows 2 and 3: the ancestry loops: A -> B -> A (each bird is a parent of the one "
              "before it): the analysis cannot order a pedigree that loops\n"
              "\nWarnings\n"
              "  row 5: dam NL-2021-5 (2021) is younger than its young NL-2019-1 (2019)\n"
              "\nNotes\n"
              "  row 4: an empty row: the analysis lists it as a missing band\n"
              "\nSummary: 6 birds, 2 founders (no known parent), 3 with one parent unknown, 1 "
              "parents without a row of their own, deepest generation 2\n");
}

TEST(CheckCommand, writesTheFindingsAsJson)
{
    const TestFolder folder;
    const std::string pedigree = folder.write(
        "loft.csv", csvLine("A", "M\xDC") + csvLine("Z", "", "M\xDC") + csvLine("Z", "", "M\xDC"));
    const std::string json = folder.file("findings.json");
    const Result result = runCheck({ pedigree, "--json", json });
    EXPECT_EQ(result.status, 1) << result.errors;

    const QJsonObject root = QJsonDocument::fromJson(readFile(json).c_str()).object();
    EXPECT_EQ(root["errors"].toInt(), 1);
    EXPECT_EQ(root["notes"].toInt(), 1);
    const QJsonArray findings = root["findings"].toArray();
    ASSERT_EQ(findings.size(), 2);
    const QJsonObject sexes = findings[0].toObject();
    EXPECT_EQ(sexes["kind"].toString(), "both_sexes");
    EXPECT_EQ(sexes["severity"].toString(), "error");
    EXPECT_EQ(sexes["bands"].toArray(), QJsonArray { QString::fromUtf8("M\u00DC") });
    EXPECT_EQ(sexes["message"].toString().left(3), QString::fromUtf8("M\u00DC "));
    EXPECT_EQ(sexes["rows"].toArray(), (QJsonArray { 1, 2, 3 }));
    EXPECT_EQ(findings[1].toObject()["kind"].toString(), "repeated_band");
    const QJsonObject summary = root["summary"].toObject();
    EXPECT_EQ(summary["birds"].toInt(), 3);
    EXPECT_EQ(summary["parents_without_row"].toInt(), 1);
    EXPECT_EQ(summary["deepest_generation"].toInt(), 2);
}

TEST(CheckCommand, aCleanPedigreePasses)
{
    const TestFolder folder;
    const std::string pedigree = folder.write("loft.csv", csvLine("Y", "S", "D"));
    const Result result = runCheck({ pedigree });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.substr(0, pedigree.size() + 43),
        pedigree + ": no problems found, the pedigree is clean\n");
}

TEST(CheckCommand, failsOnFilesItCannotReadOrWrite)
{
    const TestFolder folder;
    const Result unread = runCheck({ folder.file("missing.csv") });
    EXPECT_EQ(unread.status, 1);
    EXPECT_EQ(unread.errors.rfind("zan: ", 0), 0u);
    const std::string pedigree = folder.write("loft.csv", csvLine("Y", "S", "D"));
    const Result unwritten = runCheck({ pedigree, "--json", folder.file("no/such/dir.json") });
    EXPECT_EQ(unwritten.status, 1);
    EXPECT_EQ(
        unwritten.errors, "zan: cannot create file " + folder.file("no/such/dir.json") + "\n");
}

} // namespace
