#include "mean_kinship.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

// Full sibs S and D out of founders A and B, their inbred son I (F = 1/4), an unrelated X, and
// L, whose ancestry loops back on itself.
kinship loft()
{
    kinship pedigree;
    for (const auto &[bird, sire, dam] :
        std::vector<std::array<const char *, 3>> { { "S", "A", "B" }, { "D", "A", "B" },
            { "I", "S", "D" }, { "X", "", "" }, { "L", "M", "N" }, { "M", "L", "N" } })
        pedigree.load_record(bird, sire, dam);
    return pedigree;
}

std::vector<int> birds(const kinship &pedigree, const std::vector<std::string> &bands)
{
    std::vector<int> found(bands.size());
    std::transform(bands.begin(), bands.end(), found.begin(),
        [&](const std::string &band) { return pedigree.find(band); });
    return found;
}

TEST(MeanKinship, handWorkedLoft)
{
    // Kinship: S-S and D-D 1/2, S-D 1/4, I-I (1 + 1/4)/2, I-S and I-D (1/2 + 1/4)/2, X-X 1/2.
    const kinship pedigree = loft();
    const struct
    {
        const char *name;
        std::vector<std::string> candidates;
        std::vector<std::string> group;
        std::vector<double> mean;
    } cases[] = {
        { "groupOfAll", { "S", "D", "X" }, {}, { 0.25, 0.25, 1.0 / 6 } },
        { "chosenGroup", { "S", "D", "X", "I" }, { "S", "I", "I" }, { 0.4375, 0.3125, 0.0, 0.5 } },
        { "emptyCandidates", {}, { "S" }, {} },
    };
    for (const auto &c : cases) {
        const auto result = mean_kinship::compute(
            pedigree, birds(pedigree, c.candidates), birds(pedigree, c.group));
        EXPECT_EQ(result.birds, birds(pedigree, c.candidates)) << c.name;
        ASSERT_EQ(result.mean.size(), c.mean.size()) << c.name;
        for (std::size_t i = 0; i < c.mean.size(); ++i)
            EXPECT_DOUBLE_EQ(result.mean[i], c.mean[i]) << c.name << " " << c.candidates[i];
    }
}

TEST(MeanKinship, unknownAndLoopedBirdsAreLeftOut)
{
    const kinship pedigree = loft();
    const int unknown = pedigree.bird_count();
    const auto result = mean_kinship::compute(pedigree,
        { pedigree.find("S"), kinship::no_bird, pedigree.find("L"), unknown },
        { pedigree.find("D"), unknown, pedigree.find("M") });
    EXPECT_EQ(result.birds, birds(pedigree, { "S" }));
    EXPECT_EQ(result.group, birds(pedigree, { "D" }));
    EXPECT_EQ(result.left_out,
        (std::vector<int> { kinship::no_bird, unknown, pedigree.find("L"), pedigree.find("M") }));
    EXPECT_EQ(result.mean, (std::vector<double> { 0.25 }));
}

} // namespace
