#include "app/command_line.h"
#include "app/pairs_command.h"
#include "app/pedigree_document.h"
#include "app_test_support.h"
#include "device_node.h"

#include "engine/pair_allocation.h"
#include "grid/edit_grid.h"
#include "report/pairing_allocation.h"
#include "report/pairing_composer.h"
#include "report/pairing_plan.h"
#include "report/report_text.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <limits>
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

// Runs `zan pairs` with the arguments, the word "pairs" left out.
Result runPairs(const std::vector<std::string> &arguments)
{
    std::vector<std::string> command = { "pairs" };
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::ostringstream out, errors;
    Result result;
    result.status = runPairsCommand(parseCommandLine(command).pairs, out, errors);
    result.out = out.str();
    result.errors = errors.str();
    return result;
}

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
        arguments.insert(arguments.begin(), m_pedigree);
        return runPairs(arguments);
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

struct UsageCase
{
    std::vector<std::string> arguments;
    const char *error;
};

TEST(PairsCommandLine, refusesBadAllocationOptions)
{
    const UsageCase cases[] = {
        { { "--allocate=yes" }, "--allocate takes no value" },
        { { "--allocate", "--max-per-cock", "0" },
            "--max-per-cock needs a whole number from 1, not '0'" },
        { { "--allocate", "--max-per-cock=2x" },
            "--max-per-cock needs a whole number from 1, not '2x'" },
        { { "--allocate", "--max-inbreeding", "-1" },
            "--max-inbreeding needs a percentage from 0 to 100, not '-1'" },
        { { "--allocate", "--max-inbreeding", "nan" },
            "--max-inbreeding needs a percentage from 0 to 100, not 'nan'" },
        { { "--allocate", "--max-inbreeding", "6,25" },
            "--max-inbreeding needs a percentage from 0 to 100, not '6,25'" },
        { { "--allocate", "--fix", "A:B,C-D" },
            "--fix needs pairs COCK:HEN separated by commas, not 'C-D'" },
        { { "--allocate", "--forbid", "A:B:C" },
            "--forbid needs pairs COCK:HEN separated by commas, not 'A:B:C'" },
        { { "--forbid", "A:B" }, "--forbid applies to --allocate only" },
        { { "--max-per-cock", "2" }, "--max-per-cock applies to --allocate only" },
        { { "--json" }, "--json needs a value" },
        { { "--xlsx=" }, "--xlsx needs a file name" },
    };
    for (const UsageCase &usage : cases) {
        std::vector<std::string> arguments = { "pairs", "f.csv", "--cocks", "A", "--hens", "B" };
        arguments.insert(arguments.end(), usage.arguments.begin(), usage.arguments.end());
        try {
            parseCommandLine(arguments);
            ADD_FAILURE() << "accepted " << usage.error;
        } catch (const CommandLineError &error) {
            EXPECT_STREQ(error.what(), usage.error);
        }
    }
    const CommandLine good = parseCommandLine({ "pairs", "f.csv", "--cocks", "A", "--hens", "B",
        "--allocate", "--fix", " A:B, ,C:D", "--fix=E:F", "--max-inbreeding=6.25" });
    EXPECT_EQ(good.pairs.fixed.size(), 3u);
    EXPECT_EQ(good.pairs.fixed[1], std::make_pair(std::string("C"), std::string("D")));
    EXPECT_EQ(good.pairs.maxInbreedingPercent, 6.25);
}

// The bound lets a figure through exactly when its value in % is at most the percentage given.
TEST(PairingAllocationBound, admitsFiguresAtThePercentageExactly)
{
    for (const double percent : { 0.0, 6.25, 0.1, 1.17, 3.3, 12.5, 33.3, 99.99, 100.0 }) {
        const double fraction = PairingAllocation::fractionAtMost(percent);
        const double next = std::nextafter(fraction, std::numeric_limits<double>::infinity());
        const auto exactlyAbove = [percent](double f) {
            const double product = f * 100.0;
            return product > percent || (product == percent && std::fma(f, 100.0, -product) > 0.0);
        };
        EXPECT_FALSE(exactlyAbove(fraction)) << percent;
        EXPECT_TRUE(exactlyAbove(next)) << percent;
    }
    EXPECT_EQ(PairingAllocation::fractionAtMost(6.25), 0.0625);
}

// Allocations on the sample pedigree, checked against the engine's own figures.
class PairsAllocation : public testing::Test
{
protected:
    static constexpr const char *Cocks = "NL-2022-1234567,NL-2020-1187654,NL-2012-1012345";
    static constexpr const char *Hens
        = "BE-2020-3112345,GB-15-N04567,NL-2018-1299876,BE-2017-3087654";

    Result run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(),
            { ZAN_EXAMPLES_DIR "/line_bred.csv", "--cocks", Cocks, "--hens", Hens });
        return runPairs(arguments);
    }

    // The engine's allocation for the same lists and settings.
    pair_allocation::result engineSeason(const pair_allocation::settings &limits)
    {
        TEditGrid grid;
        PedigreeDocument::setUpPedigreeGrid(grid);
        PedigreeDocument document(grid);
        document.open(ZAN_EXAMPLES_DIR "/line_bred.csv");
        m_plan.compute(document, readBandList(Cocks), readBandList(Hens));
        return pair_allocation::allocate(m_plan.figures(), limits);
    }

    TestFolder m_folder;
    PairingPlan m_plan;
};

TEST_F(PairsAllocation, writesTheEnginesAllocationAsTextCsvAndJson)
{
    const std::string csv = m_folder.file("season.csv");
    const std::string json = m_folder.file("season.json");
    const Result result = run({ "--allocate", "--text", "--csv", csv, "--json", json });
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.errors, "");

    const pair_allocation::result season = engineSeason({});
    ASSERT_EQ(season.pairs.size(), 3u);
    ASSERT_EQ(season.unpaired_hens.size(), 1u);
    const nlohmann::json document = nlohmann::json::parse(readFile(json));
    ASSERT_EQ(document["allocation"].size(), season.pairs.size());
    for (std::size_t i = 0; i < season.pairs.size(); ++i) {
        const std::size_t cock = static_cast<std::size_t>(season.pairs[i].cock);
        const std::size_t hen = static_cast<std::size_t>(season.pairs[i].hen);
        const nlohmann::json &pair = document["allocation"][i];
        EXPECT_EQ(pair["cock"], m_plan.cocks()[cock]);
        EXPECT_EQ(pair["hen"], m_plan.hens()[hen]);
        EXPECT_EQ(pair["inbreeding"].get<double>(), m_plan.inbreeding(cock, hen) * 100.0);
        EXPECT_NE(result.out.find(PairingText::pairLine(m_plan, cock, hen)), std::string::npos)
            << result.out;
    }
    const std::string unpaired = m_plan.hens()[static_cast<std::size_t>(season.unpaired_hens[0])];
    EXPECT_EQ(document["unpaired_hens"], nlohmann::json::array({ unpaired }));
    EXPECT_EQ(document["mean_inbreeding"].get<double>(), season.mean_inbreeding * 100.0);
    EXPECT_EQ(document["largest_inbreeding"].get<double>(), season.largest_inbreeding * 100.0);
    EXPECT_EQ(document["matrix"].size(), 3u);
    EXPECT_EQ(document["mean_kinship"].size(), 7u);
    EXPECT_NE(result.out.find("Hens left unpaired: " + unpaired + "."), std::string::npos);
    EXPECT_NE(readFile(csv).find("\"UNPAIRED HENS\",\"" + unpaired + "\"\r\n"), std::string::npos);
    EXPECT_NE(readFile(csv).find(formatLine("\"MEAN\",%.4f\r\n", season.mean_inbreeding * 100)),
        std::string::npos);
}

TEST_F(PairsAllocation, honoursTheBoundExactlyAndListsUnknownBands)
{
    // The first cock's young with GB-15-N04567 are inbred 6.25 %: at the bound, not above it.
    for (const auto &[bound, made] :
        { std::pair { "6.25", true }, std::pair { "6.2499", false } }) {
        const std::string json = m_folder.file("bound.json");
        const Result result = run({ "--allocate", "--max-inbreeding", bound, "--forbid",
            "NL-2020-1187654:GB-15-N04567,NL-2012-1012345:GB-15-N04567,NOPE:BE-2020-3112345",
            "--json", json });
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.errors,
            "zan: Cock NOPE of the forbidden pair NOPE:BE-2020-3112345 is not among the cocks: "
            "left out.\n");
        const nlohmann::json document = nlohmann::json::parse(readFile(json));
        bool found = false;
        for (const nlohmann::json &pair : document["allocation"])
            found = found || pair["hen"] == "GB-15-N04567";
        EXPECT_EQ(found, made) << bound;
    }
}

TEST_F(PairsAllocation, namesTheBandsOfEveryLimitNotHonoured)
{
    const Result result = run({ "--allocate", "--max-inbreeding", "6.25", "--fix",
        "NL-2020-1187654:BE-2020-3112345,NL-2012-1012345:BE-2020-3112345,"
        "NL-2022-1234567:BE-2017-3087654,NL-2020-1187654:GB-15-N04567",
        "--forbid", "NL-2022-1234567:BE-2017-3087654,NL-2022-1234567:Y" });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errors,
        "zan: Hen Y of the forbidden pair NL-2022-1234567:Y is not among the hens: left out.\n"
        "zan: Fixed pair NL-2020-1187654:BE-2020-3112345 gives young of 15.77 %, above the 6.25 % "
        "allowed: made all the same.\n"
        "zan: Hen BE-2020-3112345 is already fixed to another cock: the fixed pair "
        "NL-2012-1012345:BE-2020-3112345 is dropped.\n"
        "zan: Pair NL-2022-1234567:BE-2017-3087654 is fixed and forbidden: not made.\n"
        "zan: Cock NL-2020-1187654 is fixed to more than 1 hen: the fixed pair "
        "NL-2020-1187654:GB-15-N04567 is dropped.\n");
    EXPECT_NE(result.out.find("Pair NL-2022-1234567:BE-2017-3087654 is fixed and forbidden"),
        std::string::npos);
}

TEST_F(PairsAllocation, writesAWorkbookThatReadsBack)
{
    const std::string xlsx = m_folder.file("season.xlsx");
    ASSERT_EQ(run({ "--allocate", "--xlsx", xlsx }).status, 0);
    const auto unzipped = [&](const char *member) { return readZipMember(xlsx, member); };
    EXPECT_NE(unzipped("xl/workbook.xml").find("name=\"Allocation\""), std::string::npos);
    EXPECT_NE(unzipped("xl/sharedStrings.xml").find("UNPAIRED HENS"), std::string::npos);
    EXPECT_NE(unzipped("xl/worksheets/sheet1.xml").find("<v>6.25</v>"), std::string::npos);

    const Result failed = run({ "--allocate", "--xlsx", m_folder.file("no/such/dir.xlsx") });
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.errors.rfind("zan: cannot ", 0), 0u) << failed.errors;
    EXPECT_FALSE(std::filesystem::exists(m_folder.file("no/such/dir.xlsx.part")));
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
