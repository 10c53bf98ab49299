#include "app/command_line.h"
#include "app/population_command.h"
#include "app_test_support.h"

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

class PopulationCommand : public testing::Test
{
protected:
    // Full sibs of 2021 out of two founders of 2020, and their young of 2022; a refused row
    // whose bird stays stored without parents, and a bird on a loop.
    void SetUp() override
    {
        m_pedigree = m_folder.write("club.csv",
            csvLine("NL-2022-5", "NL-2021-3", "NL-2021-4")
                + csvLine("NL-2021-3", "NL-2020-1", "NL-2020-2")
                + csvLine("NL-2021-4", "NL-2020-1", "NL-2020-2") + csvLine("NL-2020-1")
                + csvLine("NL-2020-2") + csvLine("Q", "", "D1234567890123456789")
                + csvLine("L1", "L2") + csvLine("L2", "L1"));
    }

    Result run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), { "population", m_pedigree });
        const CommandLine command = parseCommandLine(arguments);
        std::ostringstream out, errors;
        Result result;
        result.status = runPopulationCommand(command.population, out, errors, false);
        result.out = out.str();
        result.errors = errors.str();
        return result;
    }

    TestFolder m_folder;
    std::string m_pedigree;
};

TEST_F(PopulationCommand, writesEveryBirdAndTheSummary)
{
    const Result result = run(
        { "--csv", m_folder.file("birds.csv"), "--json", m_folder.file("summary.json"), "--text" });
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.errors,
        "zan: row 6 (Q): Dam's Band length to long DAM SKIPPED.\n"
        "zan: The ancestry loops back on itself: L1 < L2 < L1 (each bird a parent of the one "
        "before): left out with its descendants.\n");
    const std::string csv = readFile(m_folder.file("birds.csv"));
    EXPECT_EQ(csv.substr(0, csv.find("\"NL-2021-3\",\"NL-2020")),
        "band,sire,dam,inbreeding,mean_kinship,ecg,known_ancestors,year\r\n"
        // The group is NL-2022-5 and Q, unrelated: (1 + 1/4) / 2 and 0, averaged.
        "\"NL-2022-5\",\"NL-2021-3\",\"NL-2021-4\",25,31.25,2,4,2022\r\n");
    EXPECT_NE(csv.find("\"Q\",\"\",\"\",0,25,0,0,\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"L1\",\"L2\",\"\",,,,,\r\n"), std::string::npos) << csv;
    EXPECT_NE(
        readFile(m_folder.file("summary.json")).find("\"founder_equivalents\": 2.6666666666666665"),
        std::string::npos);
    EXPECT_NE(
        result.out.find("Birds in the pedigree                            8"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("2022            1            25.0000      2.000"), std::string::npos)
        << result.out;
}

TEST_F(PopulationCommand, namesWhatItCannotRead)
{
    struct Case
    {
        std::vector<std::string> arguments;
        int status;
        std::string errors;
    };
    const std::string missing = m_folder.file("missing.txt");
    for (const Case &c : {
             Case { { "--group", "@" + missing }, 1, "zan: cannot read file " + missing + "\n" },
             Case { { "--group", "NOPE", "--json", m_folder.file("none/x.json") }, 1,
                 "zan: row 6 (Q): Dam's Band length to long DAM SKIPPED.\n" },
         }) {
        const Result result = run(c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.errors.substr(0, c.errors.size()), c.errors);
    }
    m_pedigree = missing;
    const Result result = run({});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "zan: Cannot open file " + missing + "\n");
}

} // namespace
