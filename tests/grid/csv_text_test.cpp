#include "grid/csv_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TextCase
{
    const char *name;
    std::string input;
    std::string expected;
};

struct PositionCase
{
    const char *name;
    std::string input;
    int expected;
};

} // namespace

TEST(CsvText, SinglePosFindsTheQuoteThatClosesAField)
{
    const PositionCase cases[] = {
        { "empty", "", 0 },
        { "no quote", "abc", 0 },
        { "quote before a character", "ab\"c", 3 },
        { "quote at the end", "abc\"", 4 },
        { "pair in the middle never closes", "a\"\"b", 0 },
        { "pair then closing quote", "a\"\"b\",c", 5 },
        { "run of three closes at its last quote", "a\"\"\",b", 4 },
        { "pair at the end closes at the end", "ab\"\"", 4 },
        { "lone quote alone", "\"", 1 },
        { "quote first then text", "\"x", 1 },
        { "pair first then text", "\"\"x", 0 },
    };
    for (const PositionCase &c : cases)
        EXPECT_EQ(SinglePos('"', c.input), c.expected) << c.name;
}

TEST(CsvText, DoubleToSingleCharHalvesPairsAndDropsLoneOccurrences)
{
    const TextCase cases[] = {
        { "plain text", "AB-123", "AB-123" },
        { "pair becomes one", "say \"\"hi\"\"", "say \"hi\"" },
        { "lone occurrence dropped", "a\"b", "ab" },
        { "run of three keeps one", "\"\"\"", "\"" },
        { "run of four keeps two", "\"\"\"\"", "\"\"" },
        { "lone at the end dropped", "ab\"", "ab" },
        { "empty", "", "" },
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(DoubleToSingleChar('"', c.input), c.expected) << c.name;
}

TEST(CsvText, LineBreakConversionsInBothDirections)
{
    const TextCase toFile[] = {
        { "no line break", "a,b", "a,b" },
        { "CR LF becomes LF", "a\r\nb,c\r\n", "a\nb,c\n" },
        { "CRs before an LF all go", "a\r\r\nb", "a\nb" },
        { "lone CR stays", "a\rb", "a\rb" },
        { "lone LF stays", "a\nb", "a\nb" },
    };
    for (const TextCase &c : toFile)
        EXPECT_EQ(LineFeedsToCSV(c.input), c.expected) << c.name;

    const TextCase fromFile[] = {
        { "no LF unchanged", "a\rb", "a\rb" },
        { "LF becomes CR LF", "a\nb\n", "a\r\nb\r\n" },
        { "LF after CR still gets a CR", "a\r\nb", "a\r\r\nb" },
    };
    for (const TextCase &c : fromFile)
        EXPECT_EQ(CSVToLineFeeds(c.input), c.expected) << c.name;
}

TEST(CsvText, CSVQuotesDoublesEveryQuote)
{
    EXPECT_EQ(CSVQuotes("a\"b\"\""), "a\"\"b\"\"\"\"");
    EXPECT_EQ(CSVQuotes("plain"), "plain");
}
