#include "population.h"

#include "band_year.h"
#include "inbreed.h"
#include "kinship.h"

#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

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

population computed(const kinship &pedigree, std::vector<int> group = {})
{
    population figures;
    EXPECT_TRUE(figures.compute(pedigree, { std::move(group), 2026, {} }));
    return figures;
}

const population::bird_figures &of(
    const population &figures, const kinship &pedigree, const std::string &band)
{
    return figures.birds()[static_cast<std::size_t>(pedigree.find(band))];
}

struct GeneratedCase
{
    const char *name;
    Pedigree rows;
};

class PopulationAgreesWithTheAnalysis : public testing::TestWithParam<GeneratedCase>
{ };

TEST_P(PopulationAgreesWithTheAnalysis, forEveryBird)
{
    const Pedigree &rows = GetParam().rows;
    inbreed engine;
    ASSERT_TRUE(analyse(engine, rows)) << engine.message();
    const kinship pedigree = loaded(rows);
    const population figures = computed(pedigree);
    for (int i = 1; engine.select_sorted(i); ++i) {
        const inbreed::bird &b = engine.current();
        const population::bird_figures &bird = of(figures, pedigree, b.band);
        ASSERT_TRUE(bird.computed) << b.band;
        EXPECT_NEAR(bird.inbreeding, b.inbreeding, 1e-12) << b.band;
    }
}

INSTANTIATE_TEST_SUITE_P(Population, PopulationAgreesWithTheAnalysis,
    testing::Values(GeneratedCase { "fullSibLine", fullSibLine(6, "L") },
        GeneratedCase { "random120Over10", randomPedigree(3, 120, 10, "R") },
        GeneratedCase { "random600Over10", randomPedigree(5, 600, 10, "R") },
        GeneratedCase { "random2048Over10", randomPedigree(9, 2048, 10, "R") }),
    [](const auto &info) { return std::string(info.param.name); });

// Each bird's inbreeding is the kinship of its parents: the figure the pairing planner gives
// their young; and a bird's mean kinship is the average of its kinship with the group's birds.
TEST(Population, agreesWithThePairingPlanner)
{
    const kinship pedigree = loaded(randomPedigree(21, 500, 12, "K"));
    const population figures = computed(pedigree);
    std::vector<int> all;
    std::vector<int> sires;
    std::vector<int> dams;
    for (int b = 0; b < pedigree.bird_count(); ++b) {
        all.push_back(b);
        if (pedigree.bird_at(b).sire != kinship::no_bird
            && pedigree.bird_at(b).dam != kinship::no_bird) {
            sires.push_back(pedigree.bird_at(b).sire);
            dams.push_back(pedigree.bird_at(b).dam);
        }
    }
    for (std::size_t i = 0; i < sires.size(); i += 25) {
        const kinship::plan young = pedigree.plan_pairs({ sires[i] }, { dams[i] }, false);
        double inbreeding = -1.0;
        for (int b = 0; b < pedigree.bird_count(); ++b)
            if (pedigree.bird_at(b).sire == sires[i] && pedigree.bird_at(b).dam == dams[i])
                inbreeding = figures.birds()[static_cast<std::size_t>(b)].inbreeding;
        EXPECT_NEAR(inbreeding, young.at(0, 0).inbreeding, 1e-12);
    }

    const std::vector<int> &group = figures.group_birds();
    ASSERT_GT(group.size(), 100u);
    const kinship::plan pairs = pedigree.plan_pairs(all, group, false);
    for (std::size_t b = 0; b < pairs.cocks.size(); ++b) {
        double sum = 0.0;
        for (std::size_t g = 0; g < pairs.hens.size(); ++g)
            sum += pairs.at(b, g).inbreeding;
        EXPECT_NEAR(figures.birds()[static_cast<std::size_t>(pairs.cocks[b])].mean_kinship,
            sum / static_cast<double>(group.size()), 1e-12);
    }
}

struct GroupCase
{
    const char *name;
    Pedigree rows;
    int founders;
    double founderEquivalents;
    double ancestorEquivalents;
    double ancestorsShare;
};

class PopulationGroupFigures : public testing::TestWithParam<GroupCase>
{ };

TEST_P(PopulationGroupFigures, areTheHandWorkedOnes)
{
    const GroupCase &c = GetParam();
    const population figures = computed(loaded(c.rows));
    EXPECT_EQ(figures.group().founders, c.founders);
    EXPECT_NEAR(figures.group().founder_equivalents, c.founderEquivalents, 1e-12);
    EXPECT_NEAR(figures.group().ancestor_equivalents, c.ancestorEquivalents, 1e-12);
    EXPECT_NEAR(figures.group().ancestor_equivalents_least, c.ancestorEquivalents, 1e-12);
    EXPECT_NEAR(figures.group().ancestors_share, c.ancestorsShare, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Population, PopulationGroupFigures,
    testing::Values(
        // D's parents A and B give half the genes of the full sibs E and F, C the other half:
        // three founders but two ancestors explain everything (D, then C).
        GroupCase { "bottleneck",
            { { "A", "", "" }, { "B", "", "" }, { "C", "", "" }, { "D", "A", "B" },
                { "E", "D", "C" }, { "F", "D", "C" } },
            3, 1.0 / 0.375, 2.0, 1.0 },
        // A backcross to B: B gives 3/4 and A 1/4; C, taken after B, adds only its genes from A.
        GroupCase { "backcross",
            { { "A", "", "" }, { "B", "", "" }, { "C", "A", "B" }, { "D", "C", "B" } }, 2, 1.6, 1.6,
            1.0 },
        // An unknown dam is a founder and an ancestor of her own.
        GroupCase { "unknownDam", { { "A", "", "" }, { "B", "A", "" } }, 2, 2.0, 2.0, 1.0 }),
    [](const auto &info) { return std::string(info.param.name); });

// Full sibs mated: F = 1/4 at two complete generations, so the increase is 1/4 and Ne = 2.
TEST(Population, fullSibYoungsterHasTheTextbookFigures)
{
    const kinship pedigree = loaded({ { "P", "S", "D" }, { "S", "X", "Y" }, { "D", "X", "Y" },
        { "X", "", "" }, { "Y", "", "" } });
    const population figures = computed(pedigree);
    const population::bird_figures &p = of(figures, pedigree, "P");
    EXPECT_DOUBLE_EQ(p.inbreeding, 0.25);
    EXPECT_DOUBLE_EQ(p.ecg, 2.0);
    EXPECT_EQ(p.known_ancestors, 4);
    EXPECT_EQ(p.generations, 2);
    EXPECT_DOUBLE_EQ(p.mean_kinship, 0.625);
    EXPECT_DOUBLE_EQ(of(figures, pedigree, "S").mean_kinship, 0.375); // parent and offspring
    EXPECT_EQ(figures.group().birds, 1);
    EXPECT_DOUBLE_EQ(figures.group().mean_increase, 0.25);
    EXPECT_DOUBLE_EQ(figures.group().effective_size, 2.0);
}

TEST(Population, loopsAreReportedAndTheirBirdsLeftOut)
{
    const kinship pedigree = loaded({ { "A", "B", "X" }, { "B", "C", "" }, { "C", "A", "" },
        { "Y", "A", "" }, { "Z", "X", "" } });
    const population figures = computed(pedigree);
    ASSERT_EQ(figures.loops().size(), 1u);
    std::string chain;
    for (const int b : figures.loops()[0])
        chain += pedigree.bird_at(b).band;
    EXPECT_EQ(chain, "ABCA");
    EXPECT_EQ(figures.left_out(), 4);
    EXPECT_FALSE(of(figures, pedigree, "Y").computed);
    EXPECT_TRUE(of(figures, pedigree, "Z").computed);
    EXPECT_EQ(figures.group_birds(), std::vector<int> { pedigree.find("Z") });
}

TEST(Population, yearsComeFromTheBands)
{
    struct Case
    {
        const char *band;
        int year;
    };
    for (const Case &c : { Case { "NL-2021-1234567", 2021 }, Case { "BE 19 3012345", 2019 },
             Case { "GB-15-N04567", 2015 }, Case { "NL2021-1234567", 2021 },
             Case { "DE-97-12345", 1997 }, Case { "NL-2027-1", 2027 }, Case { "NL-2028-1", 0 },
             Case { "NL-21", 0 }, Case { "123-21-1", 0 }, Case { "ABCD-21-1", 0 },
             Case { "NL-021-1", 0 }, Case { "NL-1899-1", 0 } })
        EXPECT_EQ(band_year(c.band, 2026), c.year) << c.band;

    const kinship pedigree
        = loaded({ { "NL-21-3", "NL-20-1", "NL-20-2" }, { "NL-21-4", "NL-20-1", "NL-20-2" },
            { "NL-20-1", "", "" }, { "NL-20-2", "", "" }, { "X", "NL-21-3", "NL-21-4" } });
    const population figures = computed(pedigree);
    ASSERT_EQ(figures.by_year().size(), 2u);
    EXPECT_EQ(figures.by_year()[0].year, 2020);
    EXPECT_EQ(figures.by_year()[0].birds, 2);
    EXPECT_EQ(figures.by_year()[1].birds, 2);
    EXPECT_DOUBLE_EQ(figures.by_year()[1].mean_ecg, 1.0);
    EXPECT_DOUBLE_EQ(of(figures, pedigree, "X").inbreeding, 0.25);
}

} // namespace
