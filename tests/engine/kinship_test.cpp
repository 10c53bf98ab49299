#include "kinship.h"

#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

kinship loaded(const Pedigree &rows)
{
    kinship pedigree;
    for (const Row &row : rows)
        pedigree.load_record(row.identification, row.sire, row.dam);
    return pedigree;
}

std::vector<int> birds(const kinship &pedigree, const std::vector<std::string> &bands)
{
    std::vector<int> found;
    for (const std::string &band : bands)
        found.push_back(pedigree.find(band));
    return found;
}

std::string bandOf(const kinship &pedigree, int bird)
{
    return bird == kinship::no_bird ? "" : pedigree.bird_at(bird).band;
}

// Two founders, their son S1 and daughter D1 (full sibs), half sibs H1 and H2 by S0, cousins.
const Pedigree family = {
    { "S1", "GS", "GD" },
    { "D1", "GS", "GD" },
    { "H1", "GS", "X1" },
    { "H2", "GS", "X2" },
    { "C1", "S1", "X3" },
    { "C2", "X4", "D1" },
    { "O1", "S1", "X5" },
    { "U1", "X6", "X7" },
};

struct PublishedCase
{
    const char *name;
    const char *cock;
    const char *hen;
    double inbreeding;
    std::vector<std::string> ranked;
    std::vector<double> contributions;
};

class PublishedValues : public testing::TestWithParam<PublishedCase>
{ };

TEST_P(PublishedValues, youngHaveTheTextbookInbreeding)
{
    const PublishedCase &c = GetParam();
    const kinship pedigree = loaded(family);
    const kinship::plan plan
        = pedigree.plan_pairs(birds(pedigree, { c.cock }), birds(pedigree, { c.hen }));
    ASSERT_EQ(plan.pairs.size(), 1u);
    const kinship::pair_figures &pair = plan.at(0, 0);
    EXPECT_NEAR(pair.inbreeding, c.inbreeding, 1e-15);
    EXPECT_EQ(pair.common_ancestors, static_cast<int>(c.ranked.size()));
    for (std::size_t i = 0; i < c.ranked.size(); ++i) {
        EXPECT_EQ(bandOf(pedigree, pair.ranked[i].bird), c.ranked[i]) << i;
        EXPECT_DOUBLE_EQ(pair.ranked[i].contribution, c.contributions[i]) << i;
    }
}

// The common ancestors of two brother x sister lines founded by the same pair: met by the walk
// up to generation 11, beyond it named by their exact shares, which add up to the figure.
TEST(Kinship, deepCommonAncestorsAreRankedByExactShare)
{
    const struct
    {
        const char *name;
        Pedigree rows;
        const char *cock;
        const char *hen;
        bool exact;
        std::vector<std::string> ranked;
        std::vector<double> figures;
    } cases[] = {
        { "gs11", twinSibLines(8, ""), "COCK", "HEN", false, { "GD", "GS" },
            { 0.1249840005, 0.1249840005 } },
        { "gs12", twinSibLines(9, ""), "COCK", "HEN", true, { "GD", "GS" }, { 0.125, 0.125 } },
        { "gs15", twinSibLines(12, ""), "COCK", "HEN", true, { "GD", "GS" }, { 0.125, 0.125 } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const kinship pedigree = loaded(c.rows);
        const kinship::plan plan
            = pedigree.plan_pairs(birds(pedigree, { c.cock }), birds(pedigree, { c.hen }));
        const kinship::pair_figures &pair = plan.at(0, 0);
        EXPECT_EQ(pair.exact_shares, c.exact);
        for (std::size_t r = 0; r < kinship::ranked_ancestors; ++r) {
            EXPECT_EQ(
                bandOf(pedigree, pair.ranked[r].bird), r < c.ranked.size() ? c.ranked[r] : "");
            if (r < c.ranked.size()) {
                EXPECT_NEAR(pair.ranked[r].contribution, c.figures[r], 1e-10);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinship, PublishedValues,
    testing::Values(
        PublishedCase { "fullSibs", "S1", "D1", 0.25, { "GD", "GS" }, { 0.125, 0.125 } },
        PublishedCase { "halfSibs", "H1", "H2", 0.125, { "GS" }, { 0.125 } },
        PublishedCase { "firstCousins", "C1", "C2", 0.0625, { "GD", "GS" }, { 0.03125, 0.03125 } },
        // The sire's own parents are met on both sides too: contributions count every pair of paths.
        PublishedCase { "parentAndOffspring", "S1", "O1", 0.25, { "S1", "GD", "GS" },
            { 0.25, 0.0625, 0.0625 } },
        PublishedCase { "unrelated", "U1", "D1", 0.0, {}, {} }),
    [](const auto &info) { return std::string(info.param.name); });

// The analysis of the pedigree with one more row, a youngster of the cock and the hen.
struct Analysed
{
    double inbreeding = 0.0;
    int commonAncestors = 0;
    std::vector<std::pair<double, std::string>> contributions; // largest first
};

Analysed analyseYoungster(const Pedigree &rows, const std::string &cock, const std::string &hen)
{
    inbreed engine;
    loadPedigree(engine, rows);
    engine.load_record("YOUNGSTER-OF-PAIR", cock, hen);
    Analysed result;
    if (!engine.compute())
        return result;
    for (int i = 1; engine.select_sorted(i); ++i) {
        const inbreed::bird &b = engine.current();
        if (i == engine.bird_count()) {
            EXPECT_STREQ(b.band, "YOUNGSTER-OF-PAIR");
            result.inbreeding = b.inbreeding;
        } else if (b.sire_occurrences > 0 && b.dam_occurrences > 0) {
            ++result.commonAncestors;
            result.contributions.emplace_back(b.contribution, b.band);
        }
    }
    std::sort(
        result.contributions.begin(), result.contributions.end(), [](const auto &a, const auto &b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
    return result;
}

// Up to `most` birds of one sex, spread over the load order.
std::vector<int> spreadOfSex(const kinship &pedigree, char sex, std::size_t most)
{
    std::vector<int> all;
    for (int b = 0; b < pedigree.bird_count(); ++b)
        if (pedigree.bird_at(b).sex == sex)
            all.push_back(b);
    std::vector<int> chosen;
    for (std::size_t i = 0; i < most && i < all.size(); ++i)
        chosen.push_back(all[i * all.size() / std::min(most, all.size())]);
    return chosen;
}

// Every pair's inbreeding, number of common ancestors and ranking equal what the analysis gives
// for a youngster row of that pair.
void expectTheAnalysis(
    const Pedigree &rows, const std::vector<int> &cocks, const std::vector<int> &hens)
{
    const kinship pedigree = loaded(rows);
    const kinship::plan plan = pedigree.plan_pairs(cocks, hens);
    ASSERT_FALSE(plan.pairs.empty());
    for (std::size_t ci = 0; ci < plan.cocks.size(); ++ci) {
        for (std::size_t hi = 0; hi < plan.hens.size(); ++hi) {
            const std::string cock = bandOf(pedigree, plan.cocks[ci]);
            const std::string hen = bandOf(pedigree, plan.hens[hi]);
            SCOPED_TRACE(cock + " x " + hen);
            const Analysed expected = analyseYoungster(rows, cock, hen);
            const kinship::pair_figures &pair = plan.at(ci, hi);
            EXPECT_NEAR(pair.inbreeding, expected.inbreeding, 1e-12);
            EXPECT_EQ(pair.common_ancestors, expected.commonAncestors);
            // Inbred with no common ancestor walked: ranked by exact share instead.
            EXPECT_EQ(pair.exact_shares, expected.contributions.empty() && pair.inbreeding > 0.0);
            if (pair.exact_shares) {
                double shares = 0.0;
                for (const kinship::common_ancestor &ancestor : pair.ranked)
                    shares += ancestor.bird == kinship::no_bird ? 0.0 : ancestor.contribution;
                EXPECT_GT(shares, 0.0);
                EXPECT_LE(shares, pair.inbreeding * (1.0 + 1e-12));
                continue;
            }
            for (std::size_t r = 0; r < kinship::ranked_ancestors; ++r) {
                if (r >= expected.contributions.size()) {
                    EXPECT_EQ(pair.ranked[r].bird, kinship::no_bird);
                    continue;
                }
                const auto &[contribution, band] = expected.contributions[r];
                EXPECT_NEAR(pair.ranked[r].contribution, contribution, 1e-12);
                // Contributions equal but for rounding may rank either way.
                const bool clearlyAhead = r + 1 >= expected.contributions.size()
                    || expected.contributions[r + 1].first < contribution - 1e-12;
                if (clearlyAhead) {
                    EXPECT_EQ(bandOf(pedigree, pair.ranked[r].bird), band);
                }
            }
        }
    }
}

struct GeneratedCase
{
    const char *name;
    Pedigree pedigree;
    std::size_t candidates; // of each sex
};

class AgreesWithTheAnalysis : public testing::TestWithParam<GeneratedCase>
{ };

TEST_P(AgreesWithTheAnalysis, forEveryPair)
{
    const GeneratedCase &c = GetParam();
    const kinship pedigree = loaded(c.pedigree);
    expectTheAnalysis(c.pedigree, spreadOfSex(pedigree, 'm', c.candidates),
        spreadOfSex(pedigree, 'f', c.candidates));
}

// The young of a loft's youngest birds, all closely related: the walks on from the dam's stops at
// the sire's close birds depend on which of the dam's own close birds had been met by then.
TEST(Kinship, youngestOfALoftAgreeWithTheAnalysis)
{
    const Pedigree rows = randomPedigree(32, 401, 20, "Y");
    const kinship pedigree = loaded(rows);
    std::vector<int> cocks;
    std::vector<int> hens;
    for (int i = 0; i < 20; ++i)
        (i % 2 == 0 ? cocks : hens)
            .push_back(pedigree.find(std::string("Y19-").append(std::to_string(i))));
    expectTheAnalysis(rows, cocks, hens);
}

// A line bred to one ancestor, generation after generation: each youngster's sire is the
// patriarch's son of the previous generation and its dam a daughter of the same patriarch line.
Pedigree lineBredToPatriarch(int generations)
{
    Pedigree rows;
    std::string cock = "PATRIARCH";
    std::string hen = "M0";
    for (int g = 1; g <= generations; ++g) {
        const std::string number = std::to_string(g);
        const std::string son = std::string("LS").append(number);
        const std::string daughter = std::string("LD").append(number);
        rows.push_back({ son, cock, hen });
        rows.push_back({ daughter, "PATRIARCH", std::string("M").append(number) });
        cock = son;
        hen = daughter;
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Kinship, AgreesWithTheAnalysis,
    testing::Values(GeneratedCase { "fullSibLine12", fullSibLine(12, "F"), 30 },
        GeneratedCase { "lineBred30", lineBredToPatriarch(30), 40 },
        GeneratedCase { "combedLine40", combedFullSibLine(40, "K"), 12 },
        GeneratedCase { "random120Over10", randomPedigree(3, 120, 10, "R"), 12 },
        GeneratedCase { "random600Over24", randomPedigree(5, 600, 24, "R"), 8 },
        GeneratedCase { "random2047Over20", randomPedigree(9, 2047, 20, "R"), 4 },
        // Fewer pairs than batches of the generations' inbreeding, which share out wider.
        GeneratedCase { "onePairOf2047Over20", randomPedigree(9, 2047, 20, "R"), 1 }),
    [](const auto &info) { return std::string(info.param.name); });

struct RowCase
{
    const char *name;
    Pedigree rows;
};

class SameRowChecks : public testing::TestWithParam<RowCase>
{ };

// Each row gets the analysis engine's result and message.
TEST_P(SameRowChecks, asTheAnalysis)
{
    kinship pedigree;
    inbreed engine;
    for (const Row &row : GetParam().rows) {
        const bool accepted = pedigree.load_record(row.identification, row.sire, row.dam);
        EXPECT_EQ(accepted, engine.load_record(row.identification, row.sire, row.dam))
            << row.identification;
        EXPECT_EQ(pedigree.message(), engine.message()) << row.identification;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinship, SameRowChecks,
    testing::Values(RowCase { "bandTooLong", { { "A234567890123456789", "S", "D" } } },
        RowCase {
            "missingIdentification", { { ".", "S", "D" }, { "", "S", "D" }, { " ", "", "" } } },
        RowCase { "parentTooLong",
            { { "A", "S234567890123456789", "D" }, { "B", "S", "D234567890123456789" } } },
        RowCase {
            "conflictingParents", { { "A", "S", "D" }, { "A", "S", "D" }, { "A", "S", "E" } } },
        RowCase { "bothSexes", { { "A", "S", "D" }, { "B", "D", "S" }, { "C", "X", "X" } } },
        RowCase { "missingMarks", { { "A", ".", " " }, { "B", "0", ".X" } } }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Kinship, refusedParentLeavesTheBirdUnlinkedUntilItsNextRow)
{
    const kinship pedigree
        = loaded({ { "A", "S234567890123456789", "D" }, { "A", "S", "D" }, { "B", "S", "D" } });
    const kinship::plan plan
        = pedigree.plan_pairs(birds(pedigree, { "A" }), birds(pedigree, { "B" }));
    EXPECT_DOUBLE_EQ(plan.at(0, 0).inbreeding, 0.25);
}

TEST(Kinship, loopedAncestryLeavesOnlyItsOwnCandidatesOut)
{
    const kinship pedigree = loaded({ { "A", "B", "M" }, { "B", "A", "N" }, { "C", "A", "M" },
        { "S1", "GS", "GD" }, { "D1", "GS", "GD" } });
    const kinship::plan plan
        = pedigree.plan_pairs(birds(pedigree, { "C", "S1" }), birds(pedigree, { "D1", "A" }));
    EXPECT_EQ(plan.cocks, birds(pedigree, { "S1" }));
    EXPECT_EQ(plan.hens, birds(pedigree, { "D1" }));
    EXPECT_EQ(plan.looped, birds(pedigree, { "C", "A" }));
    EXPECT_DOUBLE_EQ(plan.at(0, 0).inbreeding, 0.25);
}

TEST(Kinship, listSizes)
{
    const kinship pedigree = loaded(family);
    const struct
    {
        std::vector<std::string> cocks;
        std::vector<std::string> hens;
        std::size_t pairs;
    } cases[] = { { {}, { "D1", "H2" }, 0 }, { { "S1" }, {}, 0 }, { { "S1" }, { "D1" }, 1 },
        { { "S1", "C1", "U1" }, { "D1", "H2" }, 6 } };
    for (const auto &c : cases) {
        const kinship::plan plan
            = pedigree.plan_pairs(birds(pedigree, c.cocks), birds(pedigree, c.hens));
        EXPECT_EQ(plan.pairs.size(), c.pairs);
        EXPECT_EQ(plan.cocks.size() * plan.hens.size(), c.pairs);
    }
}

struct WatchCase
{
    const char *name;
    bool rankAncestors;
    std::size_t stopAtCall; // 0: never
};

class WatchedPlan : public testing::TestWithParam<WatchCase>
{ };

// A watched plan reports rising progress up to its total with the figures of an unwatched one;
// told to stop, it stops with no further report and says so.
TEST_P(WatchedPlan, reportsProgressAndStops)
{
    const WatchCase &c = GetParam();
    const kinship pedigree = loaded(randomPedigree(5, 600, 24, "R"));
    const std::vector<int> cocks = spreadOfSex(pedigree, 'm', 40);
    const std::vector<int> hens = spreadOfSex(pedigree, 'f', 40);
    std::vector<std::pair<std::size_t, std::size_t>> reports;
    const kinship::plan plan = pedigree.plan_pairs(
        cocks, hens, c.rankAncestors, [&](std::size_t done, std::size_t total) {
            reports.emplace_back(done, total);
            return reports.size() != c.stopAtCall;
        });
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(plan.stopped, c.stopAtCall != 0);
    if (c.stopAtCall != 0) {
        EXPECT_EQ(reports.size(), c.stopAtCall);
        EXPECT_LT(reports.back().first, reports.back().second);
        return;
    }
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GT(reports[i].first, reports[i - 1].first) << i;
        EXPECT_EQ(reports[i].second, reports[0].second) << i;
    }
    EXPECT_EQ(reports.back().first, reports.back().second);
    const kinship::plan unwatched = pedigree.plan_pairs(cocks, hens, c.rankAncestors);
    for (std::size_t i = 0; i < plan.pairs.size(); ++i) {
        EXPECT_EQ(plan.pairs[i].inbreeding, unwatched.pairs[i].inbreeding) << i;
        EXPECT_EQ(plan.pairs[i].ranked[0].bird, unwatched.pairs[i].ranked[0].bird) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinship, WatchedPlan,
    testing::Values(WatchCase { "ranked", true, 0 }, WatchCase { "matrixOnly", false, 0 },
        WatchCase { "stoppedAtTheFirstReport", true, 1 },
        WatchCase { "stoppedWhileRanking", true, 100 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Kinship, birdPairedWithItselfHasHalfOfOnePlusItsInbreeding)
{
    const kinship pedigree = loaded(fullSibLine(1, ""));
    const kinship::plan plan
        = pedigree.plan_pairs(birds(pedigree, { "P" }), birds(pedigree, { "P" }));
    EXPECT_DOUBLE_EQ(plan.at(0, 0).inbreeding, 0.5 * 1.25);
}

} // namespace
