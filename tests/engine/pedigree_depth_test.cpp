#include "pedigree_depth.h"

#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct Expected
{
    std::uint64_t known;
    int distinct;
    double inbreeding;
};

struct DepthCase
{
    const char *name;
    Pedigree pedigree;
    std::vector<Expected> generations; // from generation 1; possible is 2^g
    double equivalentCompleteGenerations;
    double pci4;
    double ancestralLoss5;
};

// Worked by hand: Wright's sum of (1/2)^(n1 + n2 + 1) over the paths to the common ancestor.
const DepthCase depthCases[] = {
    { "fullSibMating", fullSibLine(1, ""), { { 2, 2, 0.0 }, { 4, 2, 0.25 } }, 2.0, 0.25, 4.0 / 6 },
    { "halfSibMating", { { "P", "S", "D" }, { "S", "A", "X" }, { "D", "A", "Y" } },
        { { 2, 2, 0.0 }, { 4, 3, 0.125 } }, 2.0, 0.25, 5.0 / 6 },
    // G is both the sire's sire's sire and the dam's sire's sire; the dam's dam's dam is unknown.
    { "threeGenerationsOneUnknown",
        { { "P", "S", "D" }, { "S", "SS", "SD" }, { "D", "DS", "DD" }, { "SS", "G", "SSD" },
            { "SD", "SDS", "SDD" }, { "DS", "G", "DSD" }, { "DD", "DDS", "" } },
        { { 2, 2, 0.0 }, { 4, 4, 0.0 }, { 7, 6, 1.0 / 32 } }, 2.875, 2.0 * 0.5 * 0.4375 / 0.9375,
        12.0 / 13 },
    // A is the sire's sire (generation 2) and the dam's sire's sire (generation 3). Cut at 2, B's
    // parents are unknown, so the second path to A is gone although A itself lies within 2.
    { "ancestorAtTwoDepths",
        { { "P", "S", "D" }, { "S", "A", "X" }, { "D", "B", "Y" }, { "B", "A", "Z" } },
        { { 2, 2, 0.0 }, { 4, 4, 0.0 }, { 2, 2, 0.0625 } }, 2.25, 0.3, 7.0 / 8 },
};

class PedigreeDepth : public testing::TestWithParam<DepthCase>
{ };

TEST_P(PedigreeDepth, givesTheHandWorkedFigures)
{
    const DepthCase &c = GetParam();
    inbreed engine;
    ASSERT_TRUE(analyse(engine, c.pedigree));
    const pedigree_depth depth = measure_pedigree_depth(engine);
    ASSERT_EQ(depth.generations.size(), c.generations.size());
    for (std::size_t i = 0; i < c.generations.size(); ++i) {
        const depth_generation &row = depth.generations[i];
        SCOPED_TRACE("generation " + std::to_string(i + 1));
        EXPECT_EQ(row.generation, static_cast<int>(i + 1));
        EXPECT_EQ(row.known, c.generations[i].known);
        EXPECT_EQ(row.possible, std::uint64_t { 1 } << (i + 1));
        EXPECT_DOUBLE_EQ(row.completeness, static_cast<double>(row.known) / row.possible);
        EXPECT_EQ(row.distinct, c.generations[i].distinct);
        EXPECT_DOUBLE_EQ(row.inbreeding, c.generations[i].inbreeding);
    }
    EXPECT_DOUBLE_EQ(depth.equivalent_complete_generations, c.equivalentCompleteGenerations);
    EXPECT_DOUBLE_EQ(depth.pci4, c.pci4);
    EXPECT_DOUBLE_EQ(depth.ancestral_loss_5, c.ancestralLoss5);
    EXPECT_DOUBLE_EQ(depth.ancestral_loss_all, c.ancestralLoss5);
}

INSTANTIATE_TEST_SUITE_P(Hand, PedigreeDepth, testing::ValuesIn(depthCases),
    [](const testing::TestParamInfo<DepthCase> &info) { return std::string(info.param.name); });

TEST(PedigreeDepthEdges, noFiguresWithoutParentsOrBeforeCompute)
{
    inbreed engine;
    EXPECT_TRUE(measure_pedigree_depth(engine).generations.empty());
    ASSERT_TRUE(analyse(engine, { { "P", "S", "" } }));
    pedigree_depth depth = measure_pedigree_depth(engine);
    ASSERT_EQ(depth.generations.size(), 1u);
    EXPECT_EQ(depth.generations[0].known, 1u);
    EXPECT_EQ(depth.pci4, 0.0); // a parent is unknown
    ASSERT_TRUE(analyse(engine, { { "P", "", "" } }));
    depth = measure_pedigree_depth(engine);
    EXPECT_TRUE(depth.generations.empty());
    EXPECT_EQ(depth.ancestral_loss_all, 0.0);
    EXPECT_EQ(depth.equivalent_complete_generations, 0.0);
}

// The pedigree cut at a depth as rows: the birds whose nearest generation from the pedigreed bird
// is at most the depth, those at the depth without parents. The pedigreed bird's row comes first.
Pedigree cutPedigree(const Pedigree &rows, const std::string &pedigreed, int depth)
{
    std::map<std::string, const Row *> rowOf;
    for (const Row &row : rows)
        rowOf[row.identification] = &row;
    std::map<std::string, int> nearest { { pedigreed, 0 } };
    std::vector<std::string> queue { pedigreed };
    Pedigree cut;
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const std::string band = queue[next];
        const auto found = rowOf.find(band);
        if (nearest[band] == depth || found == rowOf.end())
            continue;
        cut.push_back(*found->second);
        for (const std::string &parent : { found->second->sire, found->second->dam }) {
            if (parent.empty() || nearest.count(parent) != 0)
                continue;
            nearest[parent] = nearest[band] + 1;
            queue.push_back(parent);
        }
    }
    return cut;
}

struct RandomCase
{
    const char *name;
    Pedigree pedigree;
};

const RandomCase randomCases[] = {
    { "matrix60Over6", randomPedigree(3, 60, 6, "R") },
    { "matrix120Over14", randomPedigree(7, 120, 14, "R") },
    { "path300Over12", randomPedigree(5, 300, 12, "R") },
    { "path400Over30", randomPedigree(9, 400, 30, "R") },
    { "fullSib20InPathMode", founders(100, "F") + fullSibLine(20, "") },
};

class DepthInbreedingProperty : public testing::TestWithParam<RandomCase>
{ };

// Every depth's figure is the analysis of the cut pedigree, never above the full figure, and at
// the deepest generation the full figure itself.
TEST_P(DepthInbreedingProperty, agreesWithTheAnalysisOfTheCutPedigree)
{
    const Pedigree &rows = GetParam().pedigree;
    inbreed engine;
    ASSERT_TRUE(analyse(engine, rows));
    const double full = pedigreedBird(engine).inbreeding;
    const std::string band = pedigreedBird(engine).band;
    const pedigree_depth depth = measure_pedigree_depth(engine);
    ASSERT_FALSE(depth.generations.empty());
    EXPECT_EQ(depth.generations.back().inbreeding, full);
    inbreed plain;
    for (const depth_generation &row : depth.generations) {
        SCOPED_TRACE("generation " + std::to_string(row.generation));
        EXPECT_LE(row.inbreeding, full);
        ASSERT_TRUE(analyse(plain, cutPedigree(rows, band, row.generation)));
        EXPECT_NEAR(row.inbreeding, pedigreedBird(plain).inbreeding, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Random, DepthInbreedingProperty, testing::ValuesIn(randomCases),
    [](const testing::TestParamInfo<RandomCase> &info) { return std::string(info.param.name); });

} // namespace
