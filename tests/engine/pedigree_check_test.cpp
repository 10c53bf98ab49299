#include "pedigree_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<check_row>;

std::vector<finding> ofKind(const pedigree_findings &checked, finding_kind kind)
{
    std::vector<finding> found;
    std::copy_if(checked.findings.begin(), checked.findings.end(), std::back_inserter(found),
        [kind](const finding &f) { return f.kind == kind; });
    return found;
}

// A chain of `length` birds L1 -> L2 -> ... where each is the sire of the one before it, the last
// one's sire being L1 again.
Rows loopOf(int length)
{
    Rows rows;
    for (int i = 1; i <= length; ++i)
        rows.push_back({ "L" + std::to_string(i), "L" + std::to_string(i % length + 1), "" });
    return rows;
}

struct LoopCase
{
    const char *name;
    Rows rows;
    std::vector<std::vector<std::string>> chains; // each loop's bands, from its lowest band
    std::vector<std::vector<int>> rows_of_loops;
};

void PrintTo(const LoopCase &loop, std::ostream *out)
{
    *out << loop.name;
}

class Loops : public testing::TestWithParam<LoopCase>
{ };

TEST_P(Loops, areEachNamedOnceAsTheirChainWithTheirRows)
{
    const pedigree_findings checked = check_pedigree(GetParam().rows);
    const std::vector<finding> loops = ofKind(checked, finding_kind::loop);
    ASSERT_EQ(loops.size(), GetParam().chains.size());
    for (std::size_t i = 0; i < loops.size(); ++i) {
        EXPECT_EQ(loops[i].severity, finding_severity::error);
        EXPECT_EQ(loops[i].bands, GetParam().chains[i]);
        EXPECT_EQ(loops[i].rows, GetParam().rows_of_loops[i]);
    }
}

std::vector<std::string> chainOf(int length)
{
    std::vector<std::string> bands;
    for (int i = 1; i <= length; ++i)
        bands.push_back("L" + std::to_string(i));
    return bands;
}

std::vector<int> oneTo(int count)
{
    std::vector<int> rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        rows[static_cast<std::size_t>(i)] = i + 1;
    return rows;
}

INSTANTIATE_TEST_SUITE_P(PedigreeCheck, Loops,
    testing::Values(LoopCase { "ownSire", { { "A", "A", "D" } }, { { "A" } }, { { 1 } } },
        LoopCase {
            "twoBirds", { { "B", "A", "" }, { "A", "B", "" } }, { { "A", "B" } }, { { 1, 2 } } },
        LoopCase { "threeBirds", loopOf(3), { { "L1", "L2", "L3" } }, { { 1, 2, 3 } } },
        LoopCase { "fiftyBirds", loopOf(50), { chainOf(50) }, { oneTo(50) } },
        LoopCase { "twoDisjointLoops",
            { { "A", "B", "" }, { "B", "A", "" }, { "C", "X", "D" }, { "D", "", "C" } },
            { { "A", "B" }, { "C", "D" } }, { { 1, 2 }, { 3, 4 } } },
        LoopCase { "enteredFromADescendant",
            { { "Y", "C", "" }, { "C", "", "B" }, { "B", "A", "" }, { "A", "C", "" } },
            { { "A", "C", "B" } }, { { 2, 3, 4 } } },
        LoopCase { "throughABirdWithOneParentUnknown", { { "A", "", "B" }, { "B", "A", "" } },
            { { "A", "B" } }, { { 1, 2 } } },
        LoopCase { "noneInACleanPedigree", { { "Y", "S", "D" }, { "S", "G", "" } }, {}, {} }),
    [](const testing::TestParamInfo<LoopCase> &info) { return info.param.name; });

TEST(PedigreeCheck, aLoopReadsTheSameWhateverTheOrderOfItsRows)
{
    const Rows rotated { { "L3", "L1", "" }, { "L2", "L3", "" }, { "L1", "L2", "" } };
    const pedigree_findings checked = check_pedigree(rotated);
    ASSERT_EQ(checked.findings.size(), 1u);
    EXPECT_EQ(checked.findings[0].message,
        "the ancestry loops: L1 -> L2 -> L3 -> L1 (each bird is a parent of the one before it): "
        "the analysis cannot order a pedigree that loops");
}

TEST(PedigreeCheck, aLoopAmongMoreBirdsSaysSo)
{
    // A and B loop, and so do B and C: one knot of three birds.
    const Rows rows { { "A", "B", "" }, { "B", "A", "C" }, { "C", "B", "" } };
    const std::vector<finding> loops = ofKind(check_pedigree(rows), finding_kind::loop);
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_EQ(loops[0].bands, (std::vector<std::string> { "A", "B" }));
    EXPECT_NE(loops[0].message.find("3 birds are caught in loops"), std::string::npos);
}

// L1 to L100000 each the sire of the one before; L100000's sire is L50000: a line 50,000 birds
// deep above a loop of 50,001.
TEST(PedigreeCheck, aHundredThousandGenerationsAreFollowedWithoutRecursion)
{
    Rows rows = loopOf(100000);
    rows.back().sire = "L50000";
    const pedigree_findings checked = check_pedigree(rows);
    ASSERT_EQ(checked.findings.size(), 1u);
    EXPECT_EQ(checked.findings[0].bands.size(), 50001u);
    EXPECT_EQ(checked.findings[0].bands.front(), "L100000");
    EXPECT_EQ(checked.summary.deepest_generation, 50000);
}

struct KindCase
{
    const char *name;
    Rows rows;
    finding_kind kind;
    finding_severity severity;
    std::string message; // empty: no finding of the kind
    std::vector<int> rows_found;
};

void PrintTo(const KindCase &kind, std::ostream *out)
{
    *out << kind.name;
}

class Kinds : public testing::TestWithParam<KindCase>
{ };

TEST_P(Kinds, areFoundWithTheirRows)
{
    const std::vector<finding> found = ofKind(check_pedigree(GetParam().rows), GetParam().kind);
    if (GetParam().message.empty()) {
        EXPECT_TRUE(found.empty()) << found.front().message;
        return;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].severity, GetParam().severity);
    EXPECT_EQ(found[0].message, GetParam().message);
    EXPECT_EQ(found[0].rows, GetParam().rows_found);
}

using K = finding_kind;
using S = finding_severity;

INSTANTIATE_TEST_SUITE_P(PedigreeCheck, Kinds,
    testing::Values(
        KindCase { "sireAndDam", { { "A", "X", "" }, { "B", "", "X" }, { "C", "X", "D" } },
            K::both_sexes, S::error,
            "X is named as a sire (rows 1 and 3) and as a dam (row 2): the analysis refuses rows "
            "once it has seen both",
            { 1, 2, 3 } },
        KindCase { "sireAndDamOfOneRow", { { "A", "X", "X" } }, K::both_sexes, S::error,
            "X is named as a sire (row 1) and as a dam (row 1): the analysis refuses rows once it "
            "has seen both",
            { 1 } },
        KindCase {
            "sireOnly", { { "A", "X", "" }, { "B", "X", "D" } }, K::both_sexes, S::error, "", {} },
        KindCase { "rowsWithOtherParents",
            { { "A", "S", "D" }, { "B", "", "" }, { "A", "S", "E" } }, K::repeated_band, S::error,
            "A has 2 rows with different parents: the analysis keeps the first and refuses the "
            "others",
            { 1, 3 } },
        KindCase { "identicalRows", { { "A", "S", "." }, { "A", "S", "" } }, K::repeated_band,
            S::note, "A has 2 identical rows: the analysis uses one of them", { 1, 2 } },
        KindCase { "oneRowEach", { { "A", "S", "D" }, { "S", "", "" } }, K::repeated_band, S::error,
            "", {} },
        KindCase { "spellings",
            { { "NL-2020-123", "", "" }, { "Y", "nl-2020-123", "NL 2020 123" },
                { "Z", "NL-2020-123", "" } },
            K::similar_bands, S::warning,
            "\"NL-2020-123\" (rows 1 and 3), \"nl-2020-123\" (row 2) and \"NL 2020 123\" (row 2) "
            "differ only in letter case, spaces or separators: the analysis takes them for "
            "different birds",
            { 1, 2, 3 } },
        KindCase { "differentBands", { { "NL-2020-123", "NL-2020-124", "" } }, K::similar_bands,
            S::warning, "", {} },
        KindCase { "sireYoungerByYear", { { "BE 19 3012345", "BE-2021-1", "" } }, K::parent_younger,
            S::warning, "sire BE-2021-1 (2021) is younger than its young BE 19 3012345 (2019)",
            { 1 } },
        KindCase { "damOfTheSameYear", { { "GB-15-N04567", "", "GB-2015-7" } }, K::parent_younger,
            S::warning, "", {} },
        KindCase { "bandWithoutAYear", { { "A", "NL-2021-1", "" } }, K::parent_younger, S::warning,
            "", {} },
        KindCase { "parentsWithoutBand", { { "A", "", "" }, { ".", "S", "D" } }, K::missing_band,
            S::error, "a row with a sire and a dam but no band of its own: the analysis skips it",
            { 2 } },
        KindCase { "emptyRows", { { "", "", "" }, { "A", "", "" }, { "", ".", "" } }, K::empty_row,
            S::note, "2 empty rows: the analysis lists each as a missing band", { 1, 3 } },
        KindCase { "noEmptyRow", { { "A", "", "" } }, K::empty_row, S::note, "", {} },
        KindCase { "bandOf19", { { "A", "NL-2020-12345678901", "" } }, K::band_too_long, S::error,
            "\"NL-2020-12345678901\" has 19 characters, more than the 18 of a band: the analysis "
            "skips it",
            { 1 } },
        KindCase {
            "bandOf18", { { "NL-2020-1234567890", "", "" } }, K::band_too_long, S::error, "", {} },
        KindCase { "undefinedByte", { { "A\x81", "", "" } }, K::no_8bit_code, S::warning,
            "\"A\x81\" holds characters that have no 8-bit code (text saved as UTF-8, or bytes "
            "that stand for no character): type the band again",
            { 1 } },
        KindCase { "utf8OfAChineseLetter", { { "A", "\xE4\xB8\xAD", "" } }, K::no_8bit_code,
            S::warning,
            "\"\xE4\xB8\xAD\" holds characters that have no 8-bit code (text saved as UTF-8, or "
            "bytes that stand for no character): type the band again",
            { 1 } },
        KindCase { "windows1252Letters", { { "M\xDCLLER \x80", "", "" } }, K::no_8bit_code,
            S::warning, "", {} },
        KindCase { "utf8OfALetterWithAnEightBitCode", { { "M\xC3\x9CLLER", "", "" } },
            K::no_8bit_code, S::warning, "", {} }),
    [](const testing::TestParamInfo<KindCase> &info) { return info.param.name; });

TEST(PedigreeCheck, findingsComeErrorsFirstThenByRow)
{
    const Rows rows { { "", "", "" }, { "A", "X", "" }, { "NL-2010-1", "NL-2012-2", "" },
        { "B", "", "X" } };
    const pedigree_findings checked = check_pedigree(rows);
    std::vector<finding_kind> kinds;
    for (const finding &f : checked.findings)
        kinds.push_back(f.kind);
    EXPECT_EQ(
        kinds, (std::vector<finding_kind> { K::both_sexes, K::parent_younger, K::empty_row }));
    EXPECT_EQ(checked.count(S::error), 1);
    EXPECT_TRUE(checked.has_problems());
}

TEST(PedigreeCheck, summaryCountsTheBirdsAndTheDeepestLine)
{
    // Y out of S and D; S out of G and an unknown dam; G and D have no rows.
    const Rows rows { { "Y", "S", "D" }, { "S", "G", "" }, { "F", "", "" } };
    const pedigree_summary summary = check_pedigree(rows).summary;
    EXPECT_EQ(summary.birds, 5);
    EXPECT_EQ(summary.founders, 3); // F, D, G
    EXPECT_EQ(summary.one_parent_unknown, 1); // S
    EXPECT_EQ(summary.parents_without_row, 2); // D, G
    EXPECT_EQ(summary.deepest_generation, 3); // Y, S, G
}

// A loft of 10,000 birds over 20 yearly generations, cocks and hens apart, every bird's parents
// from the generation before.
TEST(PedigreeCheck, aCleanLoftHasNoFindings)
{
    constexpr int perGeneration = 500;
    const auto bandOf = [](int generation, int index) {
        std::string number = std::to_string(1000000 + index);
        return "NL-" + std::to_string(2000 + generation) + "-" + number;
    };
    Rows rows;
    unsigned seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<unsigned>(range));
    };
    for (int generation = 0; generation < 20; ++generation)
        for (int index = 0; index < perGeneration; ++index) {
            if (generation == 0) {
                rows.push_back({ bandOf(0, index), "", "" });
                continue;
            }
            const int sire = 2 * next(perGeneration / 2);
            const int dam = 2 * next(perGeneration / 2) + 1;
            rows.push_back({ bandOf(generation, index), bandOf(generation - 1, sire),
                bandOf(generation - 1, dam) });
        }
    const pedigree_findings checked = check_pedigree(rows);
    EXPECT_TRUE(checked.findings.empty()) << checked.findings.front().message;
    EXPECT_EQ(checked.summary.birds, 10000);
    EXPECT_EQ(checked.summary.deepest_generation, 20);
}

TEST(PedigreeCheck, bandYears)
{
    const std::pair<const char *, int> cases[] = { { "NL-2021-1234567", 2021 },
        { "BE 19 3012345", 2019 }, { "GB-15-N04567", 2015 }, { "ab.98.1", 1998 }, { "NL-2021", 0 },
        { "NL-202-1", 0 }, { "N-2021-1", 0 }, { "DV-01234-21-5", 0 }, { "NL-1850-1", 0 } };
    for (const auto &[band, year] : cases)
        EXPECT_EQ(band_year(band), year) << band;
}

} // namespace
