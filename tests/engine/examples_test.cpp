#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The sample pedigrees shipped in examples/, read as the grid stores them: one row per CR LF
// line, three fields each enclosed in double quotes.
Pedigree readExample(const std::string &name)
{
    std::ifstream file(std::string(ZAN_EXAMPLES_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    const std::string bytes(
        (std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Pedigree rows;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << name << ": last line without CR LF";
        if (end == std::string::npos)
            break;
        const std::string line = bytes.substr(start, end - start);
        start = end + 2;
        std::vector<std::string> fields;
        std::size_t at = 0;
        while (at < line.size()) {
            const std::size_t close = line.find('"', at + 1);
            EXPECT_EQ(line[at], '"') << line;
            EXPECT_NE(close, std::string::npos) << line;
            if (line[at] != '"' || close == std::string::npos)
                return rows;
            fields.push_back(line.substr(at + 1, close - at - 1));
            at = close + 2; // past the closing quote and the comma
        }
        EXPECT_EQ(fields.size(), 3u) << line;
        fields.resize(3);
        rows.push_back({ fields[0], fields[1], fields[2] });
    }
    return rows;
}

struct ExampleCase
{
    const char *name;
    const char *file;
    const char *pedigreed;
    double inbreeding; // of the pedigreed bird; negative: only checked against the literal walk
    std::vector<std::string> messages; // one per row, empty when the row is accepted
};

class Examples : public testing::TestWithParam<ExampleCase>
{ };

TEST_P(Examples, loadWithTheExpectedMessagesAndCompute)
{
    const ExampleCase &c = GetParam();
    const Pedigree rows = readExample(c.file);
    ASSERT_EQ(rows.size(), c.messages.size());
    inbreed engine;
    engine.reset();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_LE(rows[i].sire.size(), 18u) << rows[i].sire;
        EXPECT_LE(rows[i].dam.size(), 18u) << rows[i].dam;
        EXPECT_EQ(engine.load_record(rows[i].identification, rows[i].sire, rows[i].dam),
            c.messages[i].empty())
            << "row " << i + 1;
        EXPECT_EQ(engine.message(), c.messages[i]) << "row " << i + 1;
    }
    ASSERT_TRUE(engine.compute());
    EXPECT_STREQ(pedigreedBird(engine).band, c.pedigreed);
    const std::vector<double> literal = literalPathInbreeding(engine);
    EXPECT_NEAR(pedigreedBird(engine).inbreeding, literal.back(), 1e-12);
    if (c.inbreeding >= 0.0) {
        EXPECT_EQ(pedigreedBird(engine).inbreeding, c.inbreeding);
    }
}

std::vector<std::string> accepted(std::size_t rows)
{
    return std::vector<std::string>(rows);
}

INSTANTIATE_TEST_SUITE_P(Engine, Examples,
    testing::Values(
        ExampleCase { "lineBred", "line_bred.csv", "NL-2022-1234567", -1.0, accepted(31) },
        ExampleCase { "fullSib", "full_sib.csv", "NL-2023-1345678", 0.25, accepted(9) },
        ExampleCase { "outcross", "outcross.csv", "BE-2023-3201234", 0.0, accepted(15) },
        // The sire named in the conflicting row is stored all the same and, being nobody's parent
        // and loaded last, becomes the pedigreed bird.
        ExampleCase { "inputErrors", "input_errors.csv", "NL-2017-1045679", 0.0,
            { "", "", "Conflicting parents on this bird",
                "Sire or Dam appears as both sexes in the pedigree input.",
                "Band length to long RECORD SKIPPED",
                "Missing Band No or band = \".\" or \"0\" Record Skipped.", "" } }),
    [](const testing::TestParamInfo<ExampleCase> &info) { return info.param.name; });

// The line-bred sample is bred back to one cock, NL-2012-1012345, on both sides.
TEST(Examples, lineBredSampleCentresOnItsFoundationCock)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, readExample("line_bred.csv")));
    const inbreed::bird &ace = *findBird(engine, "NL-2012-1012345");
    EXPECT_EQ(ace.min_gen, 3);
    EXPECT_EQ(ace.sire_occurrences, 2);
    EXPECT_EQ(ace.dam_occurrences, 1);
    EXPECT_EQ(ace.blood, 0.25 + 0.125 + 0.125);
    EXPECT_GT(ace.contribution, 0.0);
    EXPECT_GT(pedigreedBird(engine).inbreeding, 0.09);
}

} // namespace
