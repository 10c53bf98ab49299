#include "inbreeding_shares.h"
#include "kinship.h"

#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

// A pedigree by place, parents first, with every bird's inbreeding from the tabular method.
struct Ordered
{
    std::vector<std::string> band;
    std::vector<int> sire; // `unknown` when not known
    std::vector<int> dam;
    std::vector<double> inbreeding;
    std::map<std::string, int> place;
    int unknown = 0;

    explicit Ordered(const Pedigree &rows)
    {
        std::map<std::string, std::pair<std::string, std::string>> parents;
        for (const Row &row : rows)
            parents[row.identification] = { row.sire, row.dam };
        for (const Row &row : rows)
            placeOf(row.identification, parents);
        unknown = static_cast<int>(band.size());
        for (int &parent : sire)
            parent = parent < 0 ? unknown : parent;
        for (int &parent : dam)
            parent = parent < 0 ? unknown : parent;
        const std::size_t n = band.size();
        std::vector<std::vector<double>> a(n, std::vector<double>(n + 1, 0.0));
        const auto at = [&](int x, int y) { return x == unknown || y == unknown ? 0.0 : a[x][y]; };
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < i; ++j)
                a[i][j] = a[j][i] = 0.5 * (at(sire[i], int(j)) + at(dam[i], int(j)));
            a[i][i] = 1.0 + 0.5 * at(sire[i], dam[i]);
            inbreeding.push_back(a[i][i] - 1.0);
        }
    }

    int placeOf(const std::string &b,
        const std::map<std::string, std::pair<std::string, std::string>> &parents)
    {
        if (b.empty())
            return -1;
        if (const auto found = place.find(b); found != place.end())
            return found->second;
        const auto known = parents.find(b);
        const int s = known == parents.end() ? -1 : placeOf(known->second.first, parents);
        const int d = known == parents.end() ? -1 : placeOf(known->second.second, parents);
        place[b] = static_cast<int>(band.size());
        band.push_back(b);
        sire.push_back(s);
        dam.push_back(d);
        return place[b];
    }

    // Every path up from `from`, each a list of places starting with `from`.
    void pathsUp(int from, std::vector<int> &path, std::vector<std::vector<int>> &paths) const
    {
        path.push_back(from);
        paths.push_back(path);
        for (const int parent : { sire[from], dam[from] })
            if (parent != unknown)
                pathsUp(parent, path, paths);
        path.pop_back();
    }

    // Wright's formula ancestor by ancestor: over every pair of paths from the sire and the dam
    // to A that share no bird but A, (1/2)^(n1 + n2 + 1) (1 + F_A), n the generations walked.
    std::map<int, double> wright(int s, int d) const
    {
        std::vector<int> path;
        std::vector<std::vector<int>> fromSire;
        std::vector<std::vector<int>> fromDam;
        pathsUp(s, path, fromSire);
        pathsUp(d, path, fromDam);
        std::map<int, double> shares;
        for (const auto &p : fromSire)
            for (const auto &q : fromDam) {
                if (p.back() != q.back())
                    continue;
                const auto shared = std::count_if(
                    p.begin(), p.end(), [&](int x) { return std::count(q.begin(), q.end(), x); });
                if (shared == 1)
                    shares[p.back()] += std::ldexp(
                        1.0 + inbreeding[p.back()], -static_cast<int>(p.size() + q.size() - 1));
            }
        return shares;
    }
};

struct ShareCase
{
    const char *name;
    Pedigree pedigree;
    std::vector<std::pair<std::string, std::string>> pairs; // sire and dam
};

class InbreedingShares : public testing::TestWithParam<ShareCase>
{ };

// Each ancestor's share is its term of Wright's formula, and the shares add up to the young's
// inbreeding as the pairing planner computes it.
TEST_P(InbreedingShares, areWrightsTermsAndAddUpToTheInbreeding)
{
    const ShareCase &c = GetParam();
    const Ordered ordered(c.pedigree);
    kinship planner;
    for (const Row &row : c.pedigree)
        planner.load_record(row.identification, row.sire, row.dam);
    inbreeding_shares shares(ordered.sire, ordered.dam, ordered.inbreeding, ordered.unknown);
    for (const auto &[sire, dam] : c.pairs) {
        SCOPED_TRACE(sire + " x " + dam);
        const int s = ordered.place.at(sire);
        const int d = ordered.place.at(dam);
        ASSERT_TRUE(shares.compute(s, d, 1000000));
        const std::map<int, double> expected = ordered.wright(s, d);
        ASSERT_EQ(shares.result().size(), expected.size());
        double sum = 0.0;
        for (const inbreeding_shares::share &share : shares.result()) {
            EXPECT_NEAR(share.fraction, expected.at(share.place), 1e-15)
                << ordered.band[share.place];
            sum += share.fraction;
        }
        const kinship::plan plan
            = planner.plan_pairs({ planner.find(sire) }, { planner.find(dam) }, false);
        EXPECT_NEAR(sum, plan.at(0, 0).inbreeding, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinship, InbreedingShares,
    testing::Values(ShareCase { "fullSibLine", fullSibLine(4, ""),
                        { { "S1", "D1" }, { "S1", "S3" }, { "P", "D2" } } },
        ShareCase { "twinSibLines", twinSibLines(3, ""), { { "COCK", "HEN" }, { "A2s", "B1d" } } },
        ShareCase { "selfAndUnrelated", fullSibLine(2, "") + founders(1, "U"),
            { { "S1", "S1" }, { "U1", "D1" } } },
        ShareCase { "random", randomPedigree(7, 40, 6, "R"),
            { { "R5-0", "R5-1" }, { "R4-2", "R5-3" }, { "R3-0", "R4-5" }, { "RP", "R5-1" } } }),
    [](const auto &info) { return std::string(info.param.name); });

// Where the walk meets the common ancestors both rankings exist and differ: the contributions
// count every pair of paths through an ancestor, and stop counting deep in the pedigree.
TEST(InbreedingShares, differFromTheContributions)
{
    const struct
    {
        const char *name;
        Pedigree rows;
        std::string cock;
        std::string hen;
        std::map<std::string, double> shares;
        std::map<std::string, double> contributions;
    } cases[] = {
        // The paths of the dam's grandparents pass through her sire, mated to her.
        { "sireOnDaughter", { { "S1", "GS", "GD" }, { "O1", "S1", "X5" } }, "S1", "O1",
            { { "S1", 0.25 } }, { { "S1", 0.25 }, { "GS", 0.0625 }, { "GD", 0.0625 } } },
        { "deepLines", twinSibLines(8, ""), "COCK", "HEN", { { "GS", 0.125 }, { "GD", 0.125 } },
            { { "GS", 0.1249840005 }, { "GD", 0.1249840005 } } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Ordered ordered(c.rows);
        inbreeding_shares shares(ordered.sire, ordered.dam, ordered.inbreeding, ordered.unknown);
        ASSERT_TRUE(shares.compute(ordered.place.at(c.cock), ordered.place.at(c.hen), 1000000));
        std::map<std::string, double> found;
        for (const inbreeding_shares::share &share : shares.result())
            found[ordered.band[share.place]] = share.fraction;
        kinship planner;
        for (const Row &row : c.rows)
            planner.load_record(row.identification, row.sire, row.dam);
        const kinship::plan plan
            = planner.plan_pairs({ planner.find(c.cock) }, { planner.find(c.hen) });
        std::map<std::string, double> ranked;
        for (const kinship::common_ancestor &ancestor : plan.at(0, 0).ranked)
            if (ancestor.bird != kinship::no_bird)
                ranked[planner.bird_at(ancestor.bird).band] = ancestor.contribution;
        EXPECT_FALSE(plan.at(0, 0).exact_shares);
        for (const auto &[expected, figures] :
            { std::pair(c.shares, found), std::pair(c.contributions, ranked) }) {
            ASSERT_EQ(figures.size(), expected.size());
            for (const auto &[band, figure] : expected)
                EXPECT_NEAR(figures.at(band), figure, 1e-10) << band;
        }
    }
}

TEST(InbreedingShares, sayNothingPastTheLimit)
{
    const Ordered ordered(fullSibLine(6, ""));
    inbreeding_shares shares(ordered.sire, ordered.dam, ordered.inbreeding, ordered.unknown);
    EXPECT_FALSE(shares.compute(ordered.place.at("S1"), ordered.place.at("D1"), 10));
    EXPECT_TRUE(shares.result().empty());
    EXPECT_FALSE(shares.compute(ordered.unknown + 1, 0, 10));
    EXPECT_TRUE(shares.compute(ordered.place.at("S1"), ordered.place.at("D1"), 1000));
    EXPECT_FALSE(shares.result().empty());
}

} // namespace
