#include "pair_allocation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <vector>

namespace {

using pair = pair_allocation::pair;
using problem = pair_allocation::problem;

struct Matrix
{
    std::size_t cocks;
    std::size_t hens;
    std::vector<double> figures;

    double at(int cock, int hen) const
    {
        return figures[static_cast<std::size_t>(cock) * hens + static_cast<std::size_t>(hen)];
    }
};

// The best count and sum over every allocation, found by trying them all.
struct Best
{
    int pairs = -1;
    double sum = 0.0;
};

class BruteForce
{
public:
    BruteForce(const Matrix &m, const pair_allocation::settings &limits)
        : m_matrix(m), m_limits(limits), m_load(m.cocks, 0),
          m_fixed(m.hens, pair_allocation::no_cock)
    {
        for (const pair &p : limits.fixed)
            m_fixed[static_cast<std::size_t>(p.hen)] = p.cock;
    }

    Best best()
    {
        visit(0, 0, 0.0);
        return m_best;
    }

private:
    bool allowed(int cock, int hen) const
    {
        for (const pair &p : m_limits.forbidden)
            if (p == pair { cock, hen })
                return false;
        return m_fixed[static_cast<std::size_t>(hen)] == cock
            || m_matrix.at(cock, hen) <= m_limits.max_inbreeding;
    }

    void visit(std::size_t hen, int pairs, double sum)
    {
        if (hen == m_matrix.hens) {
            if (pairs > m_best.pairs || (pairs == m_best.pairs && sum < m_best.sum))
                m_best = { pairs, sum };
            return;
        }
        const int fixed = m_fixed[hen];
        if (fixed == pair_allocation::no_cock)
            visit(hen + 1, pairs, sum);
        for (int cock = 0; cock < static_cast<int>(m_matrix.cocks); ++cock) {
            int &load = m_load[static_cast<std::size_t>(cock)];
            if ((fixed != pair_allocation::no_cock && cock != fixed)
                || load >= m_limits.max_per_cock || !allowed(cock, static_cast<int>(hen)))
                continue;
            ++load;
            visit(hen + 1, pairs + 1, sum + m_matrix.at(cock, static_cast<int>(hen)));
            --load;
        }
    }

    const Matrix &m_matrix;
    const pair_allocation::settings &m_limits;
    std::vector<int> m_load;
    std::vector<int> m_fixed;
    Best m_best;
};

// Figures drawn from a few common values, so that equal sums occur, and from anywhere below 1/4.
Matrix randomMatrix(std::size_t cocks, std::size_t hens, std::mt19937 &random)
{
    const double common[] = { 0.0, 0.015625, 0.03125, 0.0625, 0.125, 0.25 };
    Matrix m { cocks, hens, {} };
    std::uniform_int_distribution<int> pick(0, 7);
    std::uniform_real_distribution<double> anywhere(0.0, 0.25);
    for (std::size_t i = 0; i < cocks * hens; ++i) {
        const int p = pick(random);
        m.figures.push_back(p < 6 ? common[p] : anywhere(random));
    }
    return m;
}

// The allocation keeps every rule: capacity, fixes, forbids, the bound, and its own figures.
void expectKeepsTheRules(
    const Matrix &m, const pair_allocation::settings &limits, const pair_allocation::result &r)
{
    std::vector<int> load(m.cocks, 0);
    double sum = 0.0;
    for (const pair &p : r.pairs) {
        EXPECT_EQ(r.cock_of_hen[static_cast<std::size_t>(p.hen)], p.cock);
        EXPECT_LE(++load[static_cast<std::size_t>(p.cock)], limits.max_per_cock);
        for (const pair &f : limits.forbidden)
            EXPECT_FALSE(f == p);
        sum += m.at(p.cock, p.hen);
    }
    for (const pair &f : limits.fixed)
        EXPECT_EQ(r.cock_of_hen[static_cast<std::size_t>(f.hen)], f.cock);
    EXPECT_EQ(r.pairs.size() + r.unpaired_hens.size(), m.hens);
    if (!r.pairs.empty()) {
        EXPECT_DOUBLE_EQ(r.mean_inbreeding, sum / static_cast<double>(r.pairs.size()));
    }
}

const double none = std::numeric_limits<double>::infinity();

pair_allocation::settings settingsOf(int maxPerCock, std::vector<pair> fixed = {},
    std::vector<pair> forbidden = {}, double bound = none)
{
    pair_allocation::settings limits;
    limits.max_per_cock = maxPerCock;
    limits.fixed = std::move(fixed);
    limits.forbidden = std::move(forbidden);
    limits.max_inbreeding = bound;
    return limits;
}

struct RandomCase
{
    const char *name;
    std::size_t cocks;
    std::size_t hens;
    int maxPerCock;
    int forbidden;
    int fixed; // consistent fixes, one per hen, within the cocks' limits
    double bound;
};

void PrintTo(const RandomCase &c, std::ostream *out)
{
    *out << c.name;
}

class MatchesBruteForce : public testing::TestWithParam<RandomCase>
{ };

TEST_P(MatchesBruteForce, overGeneratedMatrices)
{
    const RandomCase &c = GetParam();
    std::mt19937 random(20261209);
    for (int round = 0; round < 8; ++round) {
        const Matrix m = randomMatrix(c.cocks, c.hens, random);
        pair_allocation::settings limits = settingsOf(c.maxPerCock, {}, {}, c.bound);
        std::uniform_int_distribution<int> cock(0, static_cast<int>(c.cocks) - 1);
        std::uniform_int_distribution<int> hen(0, static_cast<int>(c.hens) - 1);
        for (int i = 0; i < c.fixed; ++i)
            limits.fixed.push_back(
                { i % static_cast<int>(c.cocks), static_cast<int>(c.hens) - 1 - i });
        for (int i = 0; i < c.forbidden; ++i) {
            const pair p { cock(random), hen(random) };
            if (std::find(limits.fixed.begin(), limits.fixed.end(), p) == limits.fixed.end())
                limits.forbidden.push_back(p);
        }

        const pair_allocation::result r
            = pair_allocation::allocate(m.cocks, m.hens, m.figures, limits);
        const Best best = BruteForce(m, limits).best();
        expectKeepsTheRules(m, limits, r);
        double sum = 0.0;
        for (const pair &p : r.pairs)
            sum += m.at(p.cock, p.hen);
        EXPECT_EQ(static_cast<int>(r.pairs.size()), best.pairs) << "round " << round;
        EXPECT_NEAR(sum, best.sum, 1e-9) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(PairAllocation, MatchesBruteForce,
    testing::Values(RandomCase { "square3", 3, 3, 1, 0, 0, none },
        RandomCase { "moreHens", 3, 6, 1, 0, 0, none },
        RandomCase { "moreCocks", 6, 3, 1, 0, 0, none },
        RandomCase { "square7", 7, 7, 1, 0, 0, none },
        RandomCase { "square7TwoPerCock", 7, 7, 2, 0, 0, none },
        RandomCase { "fewCocksTwoPerCock", 3, 7, 2, 0, 0, none },
        RandomCase { "forbidden", 6, 6, 1, 12, 0, none },
        RandomCase { "bound", 6, 6, 1, 0, 0, 0.0625 },
        RandomCase { "tightBound", 5, 7, 2, 4, 0, 0.015625 },
        RandomCase { "fixed", 6, 6, 1, 5, 2, 0.125 },
        RandomCase { "fixedTwoPerCock", 4, 7, 2, 6, 3, 0.0625 }),
    [](const testing::TestParamInfo<RandomCase> &info) { return info.param.name; });

TEST(PairAllocation, tiesGoToTheLowestCockInHenOrder)
{
    const struct
    {
        const char *name;
        std::size_t cocks;
        std::size_t hens;
        int maxPerCock;
        std::vector<int> cockOfHen;
    } cases[] = {
        { "oneEach", 3, 3, 1, { 0, 1, 2 } },
        { "twoEach", 2, 4, 2, { 0, 0, 1, 1 } },
        { "moreHens", 2, 3, 1, { 0, 1, pair_allocation::no_cock } },
        { "moreCocks", 4, 2, 1, { 0, 1 } },
    };
    for (const auto &c : cases) {
        const std::vector<double> equal(c.cocks * c.hens, 0.125);
        const auto r = pair_allocation::allocate(c.cocks, c.hens, equal, settingsOf(c.maxPerCock));
        EXPECT_EQ(r.cock_of_hen, c.cockOfHen) << c.name;
    }
}

TEST(PairAllocation, moreHensPairedBeforeALowerMean)
{
    // Cock 0 with hen 0 alone gives the lowest mean; both hens paired needs 0-1 and 1-0.
    const std::vector<double> figures = { 0.0, 0.25, 0.25, 0.75 };
    const auto r = pair_allocation::allocate(2, 2, figures, {});
    EXPECT_EQ(r.cock_of_hen, (std::vector<int> { 1, 0 }));
    EXPECT_DOUBLE_EQ(r.mean_inbreeding, 0.25);
    EXPECT_DOUBLE_EQ(r.largest_inbreeding, 0.25);
}

TEST(PairAllocation, hensWithoutAPossibleCockStayUnpaired)
{
    // Cocks are rows: 2 cocks × 3 hens.
    const std::vector<double> figures = { 0.1, 0.3, 0.2, 0.05, 0.3, 0.3 };
    const struct
    {
        const char *name;
        int maxPerCock;
        std::vector<pair> forbidden;
        double bound;
        std::vector<int> unpaired;
    } cases[] = {
        { "everyPairOfAHenForbidden", 2, { { 0, 1 }, { 1, 1 } }, none, { 1 } },
        { "allAboveTheBound", 2, {}, 0.01, { 0, 1, 2 } },
        { "boundLeavesOneHen", 2, {}, 0.15, { 1, 2 } },
        { "pairAtTheBoundIsMade", 1, {}, 0.2, { 1 } },
        { "capacityUsedUp", 1, {}, none, { 1 } },
        { "everythingForbidden", 1, { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 1, 0 }, { 1, 1 }, { 1, 2 } },
            none, { 0, 1, 2 } },
    };
    for (const auto &c : cases) {
        const auto r = pair_allocation::allocate(
            2, 3, figures, settingsOf(c.maxPerCock, {}, c.forbidden, c.bound));
        EXPECT_EQ(r.unpaired_hens, c.unpaired) << c.name;
        EXPECT_TRUE(r.remarks.empty()) << c.name;
    }
}

TEST(PairAllocation, contradictoryInputIsRemarkedNotObeyed)
{
    const std::vector<double> figures = { 0.0, 0.1, 0.2, 0.3, 0.25, 0.0 }; // 2 cocks × 3 hens
    const double nan = std::nan("");
    const struct
    {
        const char *name;
        pair_allocation::settings limits;
        std::vector<double> figures;
        std::vector<int> cockOfHen;
        std::vector<problem> remarks;
    } cases[] = {
        { "fixedAndForbidden", settingsOf(1, { { 1, 0 } }, { { 1, 0 } }), figures, { 0, -1, 1 },
            { problem::fixed_and_forbidden } },
        { "henFixedTwice", settingsOf(2, { { 1, 0 }, { 0, 0 } }), figures, { 1, 0, 1 },
            { problem::hen_fixed_twice } },
        { "samePairFixedTwice", settingsOf(1, { { 1, 0 }, { 1, 0 } }), figures, { 1, 0, -1 }, {} },
        { "cockFixedTooOften", settingsOf(1, { { 1, 0 }, { 1, 1 } }), figures, { 1, 0, -1 },
            { problem::cock_fixed_too_often } },
        { "fixedAboveTheBoundIsMade", settingsOf(1, { { 1, 0 } }, {}, 0.2), figures, { 1, 0, -1 },
            { problem::fixed_above_bound } },
        { "outsideTheMatrix", settingsOf(1, { { 2, 0 }, { 0, -1 } }, { { 0, 3 } }), figures,
            { 0, -1, 1 },
            { problem::outside_matrix, problem::outside_matrix, problem::outside_matrix } },
        { "perCockBelowOne", settingsOf(0), figures, { 0, -1, 1 },
            { problem::max_per_cock_below_one } },
        { "notANumber", settingsOf(1), { nan, 0.1, 0.2, 0.3, 0.25, -0.5 }, { 1, 0, -1 },
            { problem::figure_not_usable, problem::figure_not_usable } },
        { "matrixTooSmall", settingsOf(1), { 0.0 }, { -1, -1, -1 }, { problem::matrix_size } },
    };
    for (const auto &c : cases) {
        const auto r = pair_allocation::allocate(2, 3, c.figures, c.limits);
        EXPECT_EQ(r.cock_of_hen, c.cockOfHen) << c.name;
        std::vector<problem> kinds;
        for (const auto &remark : r.remarks)
            kinds.push_back(remark.kind);
        EXPECT_EQ(kinds, c.remarks) << c.name;
    }
}

TEST(PairAllocation, emptyAndHugeLimitsAreHarmless)
{
    EXPECT_TRUE(pair_allocation::allocate(0, 0, {}, {}).pairs.empty());
    EXPECT_EQ(pair_allocation::allocate(0, 2, {}, {}).unpaired_hens, (std::vector<int> { 0, 1 }));
    const auto r = pair_allocation::allocate(
        1, 3, { 0.1, 0.2, 0.3 }, settingsOf(std::numeric_limits<int>::max()));
    EXPECT_EQ(r.cock_of_hen, (std::vector<int> { 0, 0, 0 }));
    EXPECT_DOUBLE_EQ(r.mean_inbreeding, 0.2);
}

TEST(PairAllocation, fromAPairingPlanSibsAreKeptApart)
{
    kinship pedigree;
    for (const char *sib : { "S", "D" })
        pedigree.load_record(sib, "A", "B");
    for (const char *founder : { "X", "Y" })
        pedigree.load_record(founder, "", "");
    const auto bird = [&](const char *band) { return pedigree.find(band); };
    const kinship::plan plan
        = pedigree.plan_pairs({ bird("S"), bird("X") }, { bird("D"), bird("Y") });
    const auto r = pair_allocation::allocate(plan, {});
    EXPECT_EQ(r.cock_of_hen, (std::vector<int> { 1, 0 }));
    EXPECT_DOUBLE_EQ(r.largest_inbreeding, 0.0);
}

} // namespace
