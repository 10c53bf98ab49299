#include "inbreed.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string numberedBand(int i)
{
    return "NL-2020-" + std::to_string(1000000 + i);
}

// The home slot of a band is 1 + (hash mod 2383), the hash adding each byte as a signed value
// after multiplying by 32; a taken slot sends the probe two slots lower, wrapping. The bands below
// were chosen by their hash: "HO" and "AMS" share home slot 1, "HP" and "I0" slot 2, "HQ" and "I1"
// slot 3.
struct SlotCase
{
    const char *name;
    std::vector<std::string> bands; // added in this order
    std::vector<int> slots; // expected slot of each
};

class HashBandSlots : public testing::TestWithParam<SlotCase>
{ };

TEST_P(HashBandSlots, placesEachBandAtItsProbedSlot)
{
    inbreed engine;
    const SlotCase &c = GetParam();
    for (std::size_t i = 0; i < c.bands.size(); ++i)
        EXPECT_EQ(engine.hash_band(c.bands[i]), c.slots[i]) << c.bands[i];
    EXPECT_EQ(engine.bird_count(), static_cast<int>(c.bands.size()));
}

INSTANTIATE_TEST_SUITE_P(Engine, HashBandSlots,
    testing::Values(SlotCase { "singleLetter", { "A" }, { 66 } },
        SlotCase { "lowercaseIsAnotherBird", { "A", "a" }, { 66, 98 } },
        SlotCase { "homeSlot1WrapsTo2382", { "HO", "AMS" }, { 1, 2382 } },
        SlotCase { "homeSlot2WrapsTo2383", { "HP", "I0" }, { 2, 2383 } },
        SlotCase { "homeSlot3ContinuesAt1", { "HQ", "I1" }, { 3, 1 } },
        SlotCase { "thirdOnSlot1SkipsTwoTaken", { "HO", "AMS", "AN3" }, { 1, 2382, 2380 } },
        SlotCase { "highByteCountsNegative", { "\xff" }, { 608 } },
        SlotCase { "highByteAfterLetter", { "A\x80" }, { 1953 } }),
    [](const testing::TestParamInfo<SlotCase> &info) { return info.param.name; });

TEST(BirdStore, sameBandTwiceGivesSameSlotAndOneBird)
{
    inbreed engine;
    const int slot = engine.hash_band("BE-2020-3112345");
    EXPECT_EQ(engine.hash_band("BE-2020-3112345"), slot);
    EXPECT_EQ(engine.bird_count(), 1);
}

TEST(BirdStore, trailingSpaceMakesAnotherBird)
{
    inbreed engine;
    EXPECT_NE(engine.hash_band("GB-18-N01234"), engine.hash_band("GB-18-N01234 "));
    EXPECT_EQ(engine.bird_count(), 2);
}

TEST(BirdStore, bandLongerThan18IsRefusedWithoutStoring)
{
    inbreed engine;
    EXPECT_EQ(engine.hash_band("NL-2019-12345678901"), -1);
    EXPECT_EQ(engine.bird_count(), 0);
    EXPECT_GT(engine.hash_band("NL-2019-1234567890"), 0);
}

TEST(BirdStore, limitRefusesThe2049thBandAndStillFindsStoredOnes)
{
    inbreed engine;
    std::vector<int> slots;
    for (int i = 1; i <= inbreed::bird_limit; ++i) {
        slots.push_back(engine.hash_band(numberedBand(i)));
        ASSERT_GT(slots.back(), 0) << i;
    }
    EXPECT_EQ(engine.bird_count(), 2048);
    EXPECT_EQ(engine.hash_band(numberedBand(2049)), -1);
    EXPECT_EQ(engine.bird_count(), 2049);
    EXPECT_EQ(engine.hash_band(numberedBand(2050)), -1);
    EXPECT_EQ(engine.bird_count(), 2050);
    EXPECT_EQ(engine.hash_band(numberedBand(1)), slots.front());
    EXPECT_EQ(engine.hash_band(numberedBand(2048)), slots.back());
    EXPECT_EQ(engine.bird_count(), 2050);
}

TEST(BirdStore, resetForgetsBandsAndRestartsLoadNumbers)
{
    inbreed engine;
    ASSERT_TRUE(engine.load_record("NL-2019-1234567", "NL-2017-0000001", "NL-2017-0000002"));
    engine.reset();
    EXPECT_EQ(engine.bird_count(), 0);
    ASSERT_TRUE(engine.load_record("NL-2017-0000002", "", ""));
    ASSERT_TRUE(engine.compute());
    ASSERT_TRUE(engine.select_sorted(1));
    EXPECT_STREQ(engine.current().band, "NL-2017-0000002");
    EXPECT_EQ(engine.current().load_no, 1);
    EXPECT_EQ(engine.current().row_loaded, 1);
    EXPECT_EQ(engine.current().sex, '?');
    EXPECT_EQ(engine.bird_count(), 1);
}

TEST(BirdStore, resetClearsResultsAndMessage)
{
    inbreed engine;
    EXPECT_FALSE(engine.load_record("", "", ""));
    ASSERT_TRUE(engine.compute());
    engine.reset();
    EXPECT_FALSE(engine.computed());
    EXPECT_FALSE(engine.full_matrix());
    EXPECT_EQ(engine.matrix_size(), 0);
    EXPECT_STREQ(engine.message(), "");
    EXPECT_EQ(engine.current().load_no, 0);
    EXPECT_STREQ(engine.current().band, "");
}

} // namespace
