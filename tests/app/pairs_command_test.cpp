#include "app/command_line.h"
#include "app/pairs_command.h"
#include "app_test_support.h"
#include "device_node.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct Result
{
    int status = -1;
    std::string out;
    std::string errors;
};

class PairsCommand : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pedigree = m_folder.write("loft.csv",
            "\"S1\",\"GS\",\"GD\"\r\n\"D1\",\"GS\",\"GD\"\r\n\"H1\",\"GS\",\"M1\"\r\n"
            "\"Q\",\"S1\",\"D1234567890123456789\"\r\n");
    }

    Result run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), { "pairs", m_pedigree });
        const CommandLine command = parseCommandLine(arguments);
        std::ostringstream out, errors;
        Result result;
        result.status = runPairsCommand(command.pairs, out, errors);
        result.out = out.str();
        result.errors = errors.str();
        return result;
    }

    TestFolder m_folder;
    std::string m_pedigree;
};

TEST_F(PairsCommand, writesTheTextAndReportsWhatItLeftOut)
{
    const Result result = run({ "--cocks", "S1, NOPE", "--hens", "D1,H1" });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errors,
        "zan: row 4 (Q): Dam's Band length to long DAM SKIPPED.\n"
        "zan: Cock NOPE is not in the pedigree: left out.\n");
    EXPECT_NE(result.out.find("S1                   25.00   12.50"), std::string::npos)
        << result.out;
    EXPECT_NE(
        result.out.find("S1                 H1                 12.50 GS                 12.50"),
        std::string::npos);
    EXPECT_NE(result.out.find("Cock NOPE is not in the pedigree: left out."), std::string::npos);
}

TEST_F(PairsCommand, readsListsFromFilesAndWritesCsvAndPdf)
{
    const std::string hens = m_folder.write("hens.txt", "D1\r\n  H1  \r\n\r\n");
    const std::string csv = m_folder.file("pairs.csv");
    const std::string pdf = m_folder.file("pairs.pdf");
    const Result result
        = run({ "--cocks", "S1", "--hens", "@" + hens, "--csv", csv, "--pdf", pdf });
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readFile(csv).substr(0, 40), "\"COCK\",\"D1\",\"H1\"\r\n\"S1\",25.0000,12.5000\r\n");
    const std::string notes
        = "\r\n\"NOTE\"\r\n\"Row 4 (Q): Dam's Band length to long DAM SKIPPED.\"\r\n";
    EXPECT_EQ(readFile(csv).substr(readFile(csv).size() - notes.size()), notes);
    EXPECT_EQ(readFile(pdf).substr(0, 5), "%PDF-");
}

TEST_F(PairsCommand, failsOnAListFileItCannotRead)
{
    const Result result = run({ "--cocks", "@" + m_folder.file("missing.txt"), "--hens", "D1" });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "zan: cannot read file " + m_folder.file("missing.txt") + "\n");
}

TEST_F(PairsCommand, failsOnACsvItCannotWrite)
{
    const Result result
        = run({ "--cocks", "S1", "--hens", "D1", "--csv", m_folder.file("no/such/dir.csv") });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors.rfind("zan: row 4", 0), 0u);
    EXPECT_NE(result.errors.find("zan: cannot create file"), std::string::npos);
}

struct LineEndCase
{
    const char *name;
    const char *bytes;
};

class BandListLineEnds : public testing::TestWithParam<LineEndCase>
{ };

TEST_P(BandListLineEnds, endEveryBand)
{
    TestFolder folder;
    const std::string list = folder.write("hens.txt", GetParam().bytes);
    EXPECT_EQ(readBandList("@" + list), (std::vector<std::string> { "A", "B", "C" }));
}

INSTANTIATE_TEST_SUITE_P(PairsCommand, BandListLineEnds,
    testing::Values(LineEndCase { "lineFeed", "A\nB\nC\n" },
        LineEndCase { "carriageReturnLineFeed", "A\r\nB\r\nC\r\n" },
        LineEndCase { "carriageReturn", "A\rB\rC" },
        LineEndCase { "lineFeedsAmongCarriageReturnLineFeeds", "A\nB\r\nC\n" },
        LineEndCase { "allThreeMixed", "A\r\n\nB\rC\n" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PairsCommand, failsOnACsvDeviceWithNoSpaceLeftAndKeepsTheDevice)
{
    const std::string full = memoryDeviceNode(m_folder.path(), MemoryDevice::Full);
    const Result result = run({ "--cocks", "S1", "--hens", "D1", "--csv", full });
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("zan: cannot write file " + full + ": No space left on device\n"),
        std::string::npos);
    struct stat status;
    ASSERT_EQ(::lstat(full.c_str(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

} // namespace
