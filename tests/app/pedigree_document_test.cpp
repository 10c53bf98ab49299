#include "app/pedigree_document.h"

#include "grid/edit_grid.h"
#include "grid/grid_errors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

TEST(PedigreeDocument, TrimsBlanksAndControlCharactersOnly)
{
    const struct
    {
        const char *name;
        std::string cell;
        std::string expected;
    } cases[] = {
        { "Plain", "NL-21-1", "NL-21-1" },
        { "SpacesBothEnds", "  NL-21-1  ", "NL-21-1" },
        { "TabsAndLineBreaks", "\t\r\nBE 7\n", "BE 7" },
        { "InnerSpacesStay", " A B ", "A B" },
        { "OnlyBlanks", " \t ", "" },
        { "HighBytesStay", "\xA0X\xE9", "\xA0X\xE9" },
        { "NulIsAControlCharacter", std::string("\0X", 2), "X" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(PedigreeDocument::trimmed(c.cell), c.expected) << c.name;
}

class PedigreeDocumentFile : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path()
            / ("zan-document-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        PedigreeDocument::setUpPedigreeGrid(m_grid);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string write(const std::string &name, const std::string &bytes)
    {
        const std::filesystem::path path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::filesystem::path m_folder;
    TEditGrid m_grid;
    PedigreeDocument m_document { m_grid };
};

TEST_F(PedigreeDocumentFile, StartsUntitledWithOneEmptyDataRow)
{
    EXPECT_EQ(m_document.CurrentFile(), "Untitled.csv");
    EXPECT_EQ(m_document.GetPedigreeRowCount(), 2);
    PedigreeRow row { "x", "y", "z" };
    ASSERT_TRUE(m_document.ReadPedigreeRow(1, row));
    EXPECT_EQ(row.identification, "");
    EXPECT_EQ(row.sire, "");
    EXPECT_EQ(row.dam, "");
    EXPECT_EQ(m_grid.GetCellEx(0, 0), "IDENTIFICATION");
}

TEST_F(PedigreeDocumentFile, OpensAFileAsDataRowsAndReadsThemTrimmed)
{
    const std::string path
        = write("birds.csv", "\"PIGEON \",\" SIRE\",\"DAM\"\r\n\"SIRE\",\"\",\"\"\r\n");
    m_document.open(path);
    EXPECT_EQ(m_document.CurrentFile(), path);
    ASSERT_EQ(m_document.GetPedigreeRowCount(), 3);
    EXPECT_EQ(m_grid.GetCellEx(0, 0), "IDENTIFICATION");
    PedigreeRow row;
    ASSERT_TRUE(m_document.ReadPedigreeRow(1, row));
    EXPECT_EQ(row.identification, "PIGEON");
    EXPECT_EQ(row.sire, "SIRE");
    EXPECT_EQ(row.dam, "DAM");
    ASSERT_TRUE(m_document.ReadPedigreeRow(2, row));
    EXPECT_EQ(row.identification, "SIRE");
}

TEST_F(PedigreeDocumentFile, ReadsNoRowBeyondTheGrid)
{
    PedigreeRow row { "kept", "kept", "kept" };
    EXPECT_FALSE(m_document.ReadPedigreeRow(2, row));
    EXPECT_FALSE(m_document.ReadPedigreeRow(-1, row));
    EXPECT_EQ(row.identification, "kept");
}

TEST_F(PedigreeDocumentFile, OpeningAgainReplacesEveryRow)
{
    m_document.open(write("long.csv", "\"A\",\"\",\"\"\r\n\"B\",\"\",\"\"\r\n\"C\",\"\",\"\"\r\n"));
    m_document.open(write("short.csv", "\"X\",\"\",\"\"\r\n"));
    EXPECT_EQ(m_document.GetPedigreeRowCount(), 2);
    PedigreeRow row;
    ASSERT_TRUE(m_document.ReadPedigreeRow(1, row));
    EXPECT_EQ(row.identification, "X");
}

TEST_F(PedigreeDocumentFile, MissingFileKeepsTheCurrentFileName)
{
    const std::string missing = (m_folder / "none.csv").string();
    try {
        m_document.open(missing);
        FAIL() << "no error";
    } catch (const EEditGridError &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
    }
    EXPECT_EQ(m_document.CurrentFile(), "Untitled.csv");
}

} // namespace
