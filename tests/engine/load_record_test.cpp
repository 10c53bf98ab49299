#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string band18 = "NL-2019-1234567890"; // 18 characters
const std::string band19 = "NL-2019-12345678901"; // 19 characters

// The last row of each case is checked; the rows before it must all be accepted.
struct LoadCase
{
    const char *name;
    Pedigree rows;
    bool accepted;
    const char *message;
    int birdCount; // after the last row
};

class LoadRecord : public testing::TestWithParam<LoadCase>
{ };

TEST_P(LoadRecord, checksTheRowAndLeavesItsMessage)
{
    const LoadCase &c = GetParam();
    inbreed engine;
    for (std::size_t i = 0; i + 1 < c.rows.size(); ++i)
        ASSERT_TRUE(engine.load_record(c.rows[i].identification, c.rows[i].sire, c.rows[i].dam))
            << engine.message();
    const Row &last = c.rows.back();
    EXPECT_EQ(engine.load_record(last.identification, last.sire, last.dam), c.accepted);
    EXPECT_STREQ(engine.message(), c.message);
    EXPECT_EQ(engine.bird_count(), c.birdCount);
}

const char *const sexes = "Sire or Dam appears as both sexes in the pedigree input.";

INSTANTIATE_TEST_SUITE_P(Engine, LoadRecord,
    testing::Values(LoadCase { "bothParentsMissing", { { "A", "", "" } }, true, "", 1 },
        LoadCase { "damMissing", { { "A", "S", "" } }, true, "", 2 },
        LoadCase { "loneFullStopAndSpaceAreMissing", { { "A", ".", " " } }, true, "", 1 },
        LoadCase { "digitZeroIsABird", { { "A", "0", "" } }, true, "", 2 },
        LoadCase {
            "twoCharactersStartingWithFullStopAreABird", { { "A", ".1", ".." } }, true, "", 3 },
        LoadCase { "identification18Characters", { { band18, "", "" } }, true, "", 1 },
        LoadCase { "identification19Characters", { { band19, "S", "D" } }, false,
            "Band length to long RECORD SKIPPED", 0 },
        LoadCase { "identificationEmpty", { { "", "S", "D" } }, false,
            "Missing Band No or band = \".\" or \"0\" Record Skipped.", 0 },
        LoadCase { "identificationFullStop", { { ".", "S", "D" } }, false,
            "Missing Band No or band = \".\" or \"0\" Record Skipped.", 0 },
        LoadCase { "identificationSpace", { { " ", "S", "D" } }, false,
            "Missing Band No or band = \".\" or \"0\" Record Skipped.", 0 },
        LoadCase { "identificationCutAtZeroByte", { { std::string("\0X", 2), "", "" } }, false,
            "Missing Band No or band = \".\" or \"0\" Record Skipped.", 0 },
        LoadCase { "sire19CharactersKeepsIdentification", { { "A", band19, "D" } }, false,
            "Sire's Band length to long SIRE SKIPPED.", 1 },
        LoadCase { "dam19CharactersKeepsIdentificationAndSire", { { "A", "S", band19 } }, false,
            "Dam's Band length to long DAM SKIPPED.", 2 },
        LoadCase { "sameRowTwice", { { "A", "S", "D" }, { "A", "S", "D" } }, true, "", 3 },
        LoadCase { "sameMissingDamTwice", { { "A", "S", "" }, { "A", "S", "." } }, true, "", 2 },
        LoadCase { "otherSire", { { "A", "S", "D" }, { "A", "T", "D" } }, false,
            "Conflicting parents on this bird", 4 },
        LoadCase { "damNowMissing", { { "A", "S", "D" }, { "A", "S", "" } }, false,
            "Conflicting parents on this bird", 3 },
        LoadCase {
            "sireLaterNamedAsDam", { { "A", "X", "D" }, { "B", "S", "X" } }, false, sexes, 5 },
        LoadCase { "sameBirdAsSireAndDam", { { "A", "X", "X" } }, false, sexes, 2 }),
    [](const testing::TestParamInfo<LoadCase> &info) { return info.param.name; });

TEST(LoadRecordSexes, parentsTakeTheirSexFromTheirRole)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, { { "A", "S", "D" } }));
    EXPECT_EQ(findBird(engine, "A")->sex, '?');
    EXPECT_EQ(findBird(engine, "S")->sex, 'm');
    EXPECT_EQ(findBird(engine, "D")->sex, 'f');
    EXPECT_EQ(findBird(engine, "S")->offspring, 1);
}

TEST(LoadRecordSexes, bothRolesMarkTheBirdAndFailEveryLaterRowNamingIt)
{
    inbreed engine;
    engine.reset();
    ASSERT_TRUE(engine.load_record("A", "X", "D"));
    EXPECT_FALSE(engine.load_record("B", "S", "X"));
    EXPECT_FALSE(engine.load_record("C", "X", "E"));
    EXPECT_TRUE(engine.load_record("F", "S", "E"));
    ASSERT_TRUE(engine.compute());
    const inbreed::bird *x = findBird(engine, "X");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->sex, 'b');
    EXPECT_EQ(x->offspring, 3);
    EXPECT_STREQ(findBird(engine, "B")->dam->band, "X"); // the failing row was linked
}

TEST(LoadRecordSexes, sameBirdAsSireAndDamCountsTwoOffspring)
{
    inbreed engine;
    engine.reset();
    EXPECT_FALSE(engine.load_record("A", "X", "X"));
    ASSERT_TRUE(engine.compute());
    EXPECT_EQ(findBird(engine, "X")->sex, 'b');
    EXPECT_EQ(findBird(engine, "X")->offspring, 2);
}

TEST(LoadRecordLinks, repeatedRowDoesNotCountOffspringTwice)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, { { "A", "S", "D" }, { "A", "S", "D" } }));
    EXPECT_EQ(findBird(engine, "S")->offspring, 1);
}

TEST(LoadRecordLinks, rowRefusedForItsSireCountsAsNotYetLoaded)
{
    inbreed engine;
    engine.reset();
    EXPECT_FALSE(engine.load_record("A", band19, "D"));
    EXPECT_TRUE(engine.load_record("A", "S", "D"));
    ASSERT_TRUE(engine.compute());
    EXPECT_STREQ(findBird(engine, "A")->sire->band, "S");
}

TEST(LoadRecordLinks, conflictingRowKeepsTheFirstParents)
{
    inbreed engine;
    engine.reset();
    ASSERT_TRUE(engine.load_record("A", "S", "D"));
    EXPECT_FALSE(engine.load_record("A", "T", "D"));
    ASSERT_TRUE(engine.compute());
    EXPECT_STREQ(findBird(engine, "A")->sire->band, "S");
    EXPECT_EQ(findBird(engine, "T")->offspring, 0);
}

// 2047 founders fill the store to one short of the limit; the rows after them meet the limit.
TEST(LoadRecordLimit, the2049thBirdIsRefusedAndLaterRowsAreSkipped)
{
    inbreed engine;
    ASSERT_TRUE(loadPedigree(engine, founders(2047, "F")));
    EXPECT_TRUE(engine.load_record("A", "", ""));
    EXPECT_EQ(engine.bird_count(), 2048);
    EXPECT_FALSE(engine.load_record("B", "", ""));
    EXPECT_STREQ(engine.message(), "Inbreed HASHing error");
    EXPECT_EQ(engine.bird_count(), 2049);
    EXPECT_FALSE(engine.load_record("A", "", ""));
    EXPECT_STREQ(engine.message(), "Maximum # of birds loaded. This record is skipped");
    EXPECT_EQ(engine.bird_count(), 2049);
}

struct LimitCase
{
    const char *name;
    Row row; // loaded when 2048 birds, among them A, S and D, are stored
    const char *message;
    int birdCount;
};

class LoadRecordAtLimit : public testing::TestWithParam<LimitCase>
{ };

TEST_P(LoadRecordAtLimit, refusesTheRowAtTheFirstNewBand)
{
    const LimitCase &c = GetParam();
    inbreed engine;
    ASSERT_TRUE(loadPedigree(engine, founders(2045, "F") + Pedigree { { "A", "S", "D" } }));
    ASSERT_EQ(engine.bird_count(), 2048);
    EXPECT_FALSE(engine.load_record(c.row.identification, c.row.sire, c.row.dam));
    EXPECT_STREQ(engine.message(), c.message);
    EXPECT_EQ(engine.bird_count(), c.birdCount);
}

INSTANTIATE_TEST_SUITE_P(Engine, LoadRecordAtLimit,
    testing::Values(
        LimitCase { "newIdentification", { "N", "S", "D" }, "Inbreed HASHing error", 2049 },
        LimitCase { "newSire", { "F1", "N", "D" }, "Inbreed HASHing error", 2049 },
        LimitCase { "newDam", { "F1", "S", "N" }, "Inbreed HASHing error", 2049 }),
    [](const testing::TestParamInfo<LimitCase> &info) { return info.param.name; });

TEST(LoadRecordLimit, everyRowAfterTheLimitStopsAtTheFirstCheck)
{
    inbreed engine;
    ASSERT_TRUE(loadPedigree(engine, founders(2048, "F")));
    EXPECT_FALSE(engine.load_record("F1", "N", ""));
    EXPECT_STREQ(engine.message(), "Inbreed HASHing error");
    // Even a row naming stored birds only is skipped now.
    EXPECT_FALSE(engine.load_record("F1", "F2", ""));
    EXPECT_STREQ(engine.message(), "Maximum # of birds loaded. This record is skipped");
}

TEST(LoadRecordLimit, computeWorksOnTheStoredBirdsOnly)
{
    inbreed engine;
    loadPedigree(engine, founders(2050, "F"));
    ASSERT_EQ(engine.bird_count(), 2049);
    ASSERT_TRUE(engine.compute());
    EXPECT_TRUE(engine.select_sorted(2048));
    EXPECT_STREQ(engine.current().band, "F2048");
    EXPECT_FALSE(engine.select_sorted(2049));
    EXPECT_STREQ(engine.message(), "subscript out of range");
}

} // namespace
