// Runs every file of the fuzz corpus through the fuzz entry under the ordinary sanitizer build, so
// the inputs the fuzzer found interesting stay checked without clang's fuzzing runtime.

#include "grid_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

TEST(FuzzCorpusReplay, EveryCorpusFileLoadsAndSavesConsistently)
{
    const char *testData = std::getenv("ZAN_TEST_DATA");
    ASSERT_NE(testData, nullptr) << "ZAN_TEST_DATA names the tests/grid source folder";
    const std::filesystem::path corpus = std::filesystem::path(testData) / "fuzz_corpus";
    int replayed = 0;
    for (const auto &entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file())
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string bytes = readBytes(entry.path().string());
        EXPECT_EQ(LLVMFuzzerTestOneInput(
                      reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()),
            0);
        ++replayed;
    }
    EXPECT_GE(replayed, 10) << "the corpus in " << corpus << " looks truncated";
}
