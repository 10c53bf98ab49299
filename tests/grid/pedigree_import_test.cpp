#include "grid/pedigree_import.h"

#include "grid/edit_grid.h"
#include "grid/pedigree_grid.h"
#include "grid_test_support.h"

#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

#include <cstdlib>
#include <functional>

namespace {

using Rows = std::vector<std::pair<int, std::vector<std::string>>>; // line and cells

Rows rowsOf(const ImportTable &table)
{
    Rows rows;
    for (const ImportTable::Row &row : table.rows)
        rows.push_back({ row.line, row.cells });
    return rows;
}

ImportTable tableOf(const std::vector<std::vector<std::string>> &cells)
{
    ImportTable table;
    for (size_t i = 0; i < cells.size(); ++i)
        table.rows.push_back({ static_cast<int>(i) + 1, cells[i] });
    return table;
}

std::string importMessage(const ImportTable &table, const ImportChoice &choice)
{
    try {
        importPedigree(table, choice);
    } catch (const TableImportError &error) {
        return error.what();
    }
    return "no error";
}

struct TextCase
{
    const char *name;
    std::string bytes;
    Rows rows;
};

TEST(TextTable, ReadsEachSeparatorEncodingQuotingAndLineEnd)
{
    const std::vector<TextCase> cases = {
        { "comma, LF", "a,b\n1,2\n", { { 1, { "a", "b" } }, { 2, { "1", "2" } } } },
        { "semicolon, CR LF, byte-order mark",
            "\xEF\xBB\xBF"
            "a;b,c\r\n1;2\r\n",
            { { 1, { "a", "b,c" } }, { 2, { "1", "2" } } } },
        { "tab, CR", "a\tb\r1\t2", { { 1, { "a", "b" } }, { 2, { "1", "2" } } } },
        { "quoted separator, doubled quote and line break", "a,\"x,y\"\n\"1\r\n2\",\"q\"\"q\"\nz,4",
            { { 1, { "a", "x,y" } }, { 2, { "1\n2", "q\"q" } }, { 4, { "z", "4" } } } },
        { "blank lines and empty rows keep the numbering", "a,b\n\n,,\n\nc,d,,\n",
            { { 1, { "a", "b" } }, { 5, { "c", "d" } } } },
        { "Windows-1252", "M\xFCller;\x80", { { 1, { "M\xC3\xBCller", "\xE2\x82\xAC" } } } },
        { "UTF-8", "M\xC3\xBCller;\xE2\x82\xAC", { { 1, { "M\xC3\xBCller", "\xE2\x82\xAC" } } } },
        { "UTF-16 with byte-order mark", std::string("\xFF\xFEM\0\xFC\0\t\0\xAC\x20", 10),
            { { 1, { "M\xC3\xBC", "\xE2\x82\xAC" } } } },
    };
    for (const TextCase &test : cases)
        EXPECT_EQ(rowsOf(readTextTable(test.bytes)), test.rows) << test.name;
}

TEST(TextTable, GuessesTheSeparatorUsedOnEveryLine)
{
    EXPECT_EQ(guessSeparator("a;b,c;d\n1;2;3\n"), ';');
    EXPECT_EQ(guessSeparator("\"a;b\",c\n1,2\n"), ',');
    EXPECT_EQ(guessSeparator("a\tb c\n1\t2\n"), '\t');
    EXPECT_EQ(guessSeparator("band\n"), ',');
}

struct HeaderCase
{
    const char *language;
    std::vector<std::string> header;
};

TEST(PedigreeImport, GuessesTheColumnsFromTheHeaderInEachLanguage)
{
    const std::vector<HeaderCase> cases = {
        { "English", { "Band", "Sire", "Dam" } },
        { "English, other words", { "RING NUMBER", "Father", "mother" } },
        { "Dutch", { "Ringnummer", "Vader", "Moeder" } },
        { "German", { "Ring-Nr.", "Vater", "Mutter" } },
        { "French", { "Bague", "P\xC3\xA8re", "M\xC3\x88RE" } },
        { "Polish",
            { "Obr\xC4\x85"
              "czka",
                "Ojciec", "Matka" } },
        { "Spanish", { "ANILLA", "Padre", "Madre" } },
    };
    for (const HeaderCase &test : cases) {
        std::vector<std::string> header = test.header;
        header.insert(header.begin(), "Naam");
        const PedigreeImport result
            = importPedigree(tableOf({ header, { "x", "b-1", "s-1", "d-1" } }), {});
        EXPECT_TRUE(result.hasHeader) << test.language;
        EXPECT_EQ(result.columns, (std::array<int, 3> { 1, 2, 3 })) << test.language;
        EXPECT_EQ(
            result.rows, (std::vector<std::array<std::string, 3>> { { "B-1", "S-1", "D-1" } }))
            << test.language;
    }
}

TEST(PedigreeImport, TakesSevenColumnsInAnotherOrder)
{
    const ImportTable table = readTextTable("Naam;Kleur;Moeder;Geslacht;Ringnummer;Jaar;Vader\r\n"
                                            "Blauwe;blauw;nl-2019-8;d;nl-2021-1;2021;nl-2019-7\r\n"
                                            "Rode;rood;;m;nl-2019-7;2019;\r\n");
    const PedigreeImport result = importPedigree(table, {});
    EXPECT_EQ(result.columns, (std::array<int, 3> { 4, 6, 2 }));
    EXPECT_EQ(result.rows,
        (std::vector<std::array<std::string, 3>> {
            { "NL-2021-1", "NL-2019-7", "NL-2019-8" }, { "NL-2019-7", "", "" } }));
    EXPECT_TRUE(result.problems.empty());
}

TEST(PedigreeImport, ReadsAFileWithoutHeaderAsBandSireDam)
{
    const PedigreeImport result = importPedigree(readTextTable("b-1,s-1,d-1\nb-2\n"), {});
    EXPECT_FALSE(result.hasHeader);
    EXPECT_EQ(result.rows,
        (std::vector<std::array<std::string, 3>> { { "B-1", "S-1", "D-1" }, { "B-2", "", "" } }));
}

TEST(PedigreeImport, TakesChosenColumnsByNumberOrHeaderName)
{
    const ImportTable table = tableOf({ { "Id", "Papa", "Mama" }, { "b-1", "s-1", "d-1" } });
    const PedigreeImport result = importPedigree(table, { { "1", "papa", "MAMA" } });
    EXPECT_EQ(result.rows, (std::vector<std::array<std::string, 3>> { { "B-1", "S-1", "D-1" } }));

    const ImportTable bare = tableOf({ { "b-1", "s-1", "d-1" } });
    EXPECT_EQ(importPedigree(bare, { { "3", "2", "1" } }).rows,
        (std::vector<std::array<std::string, 3>> { { "D-1", "S-1", "B-1" } }));
    EXPECT_EQ(importMessage(bare, { { "4", "", "" } }),
        "column 4 does not exist: the table has 3 columns, counted from 1");
    EXPECT_EQ(
        importMessage(table, { { "Ring", "2", "3" } }), "the header has no column named 'Ring'");
    EXPECT_EQ(importMessage(table, { { "1", "", "3" } }),
        "the header names no sire column; choose it by its name or number");

    // The first row's part, when chosen, overrides the guess either way.
    EXPECT_EQ(importPedigree(table, { { "1", "2", "3" }, false, false }).rows.size(), 2u);
    EXPECT_EQ(importPedigree(bare, { { "1", "2", "3" }, false, true }).rows.size(), 0u);
}

TEST(PedigreeImport, ListsEveryRowLeftOutWithItsLineAndReason)
{
    const ImportTable table = readTextTable("Band,Sire,Dam\r\n"
                                            "b-1,,\r\n"
                                            ",s-1,d-1\r\n"
                                            "\r\n"
                                            "nl-2020-12345678901,,\r\n"
                                            "b-2,\"s\xC5\xBC\",\r\n"
                                            "b-3,,,note\r\n"
                                            ",,,note\r\n");
    const PedigreeImport result = importPedigree(table, {});
    EXPECT_EQ(result.rows,
        (std::vector<std::array<std::string, 3>> { { "B-1", "", "" }, { "B-3", "", "" } }));
    EXPECT_EQ(result.problems,
        (std::vector<std::string> {
            "line 3: no band; row left out",
            "line 5: band 'nl-2020-12345678901' is longer than 18 "
            "characters; row left out",
            "line 6: sire 's\xC5\xBC' has a character without an 8-bit "
            "code (\xC5\xBC); row left out",
            "line 8: no band; row left out",
        }));
}

struct BandCase
{
    const char *name;
    const char *cell;
    bool unify;
    const char *band;
};

TEST(PedigreeImport, CleansBands)
{
    const std::vector<BandCase> cases = {
        { "trimmed, capitals", " \tnl 2020 123\xC2\xA0", false, "NL 2020 123" },
        { "separators unified", "nl 2020 123", true, "NL-2020-123" },
        { "runs of separators", "be..2020//_5", true, "BE-2020-5" },
        { "accented capital", "m\xC3\xBCller", false, "M\xDCLLER" },
        { "18 characters fit", "NL-2020-1234567890", false, "NL-2020-1234567890" },
        { "unifying can make it fit", "NL  2020  123456789", true, "NL-2020-123456789" },
    };
    for (const BandCase &test : cases) {
        std::string problem;
        EXPECT_EQ(cleanBand(test.cell, test.unify, problem), std::optional<std::string>(test.band))
            << test.name;
    }
}

TEST(PedigreeImport, FillsThePedigreeGrid)
{
    TEditGrid grid;
    configurePedigreeGrid(grid);
    fillPedigreeGrid(grid, { { "B-1", "S-1", "D-1" }, { "B-2", "", "" } });
    EXPECT_EQ(dataRows(grid), (CellRows { { "B-1", "S-1", "D-1" }, { "B-2", "", "" } }));
    fillPedigreeGrid(grid, {});
    EXPECT_EQ(dataRows(grid), (CellRows { { "", "", "" } }));
}

// --- workbooks ---

class Workbook : public ::testing::Test
{
protected:
    // Two sheets, "Eerste" and "Hok": Hok has a Dutch header, a band stored as a number and an
    // empty row.
    std::string writeXlsx()
    {
        const std::string fileName = folder.file("loft.xlsx");
        lxw_workbook *book = workbook_new(fileName.c_str());
        worksheet_write_string(workbook_add_worksheet(book, "Eerste"), 0, 0, "first", nullptr);
        lxw_worksheet *sheet = workbook_add_worksheet(book, "Hok");
        const char *header[] = { "Ringnummer", "Vader", "Moeder" };
        for (lxw_col_t column = 0; column < 3; ++column)
            worksheet_write_string(sheet, 0, column, header[column], nullptr);
        worksheet_write_string(sheet, 1, 0, "nl-2020-1", nullptr);
        worksheet_write_string(sheet, 1, 2, "M\xC3\xBC-1", nullptr);
        worksheet_write_number(sheet, 3, 0, 2021, nullptr);
        worksheet_write_string(sheet, 3, 1, "nl-2020-1", nullptr);
        EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
        return fileName;
    }

    std::string writeZip(const std::string &name, const std::string &entry, const std::string &text)
    {
        const std::string fileName = folder.file(name);
        int error = 0;
        zip_t *archive = zip_open(fileName.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        zip_source_t *source = zip_source_buffer(archive, text.data(), text.size(), 0);
        EXPECT_GE(zip_file_add(archive, entry.c_str(), source, ZIP_FL_ENC_UTF_8), 0);
        EXPECT_EQ(zip_close(archive), 0);
        return fileName;
    }

    // Sheets "Leer" and "Hok" as an .ods spreadsheet program writes them: repeated cells and rows,
    // numbers with their value, text with <text:s/> for spaces.
    std::string writeOds()
    {
        const std::string cell = "<table:table-cell office:value-type=\"string\"><text:p>";
        const std::string end = "</text:p></table:table-cell>";
        return writeZip("loft.ods", "content.xml",
            "<?xml version=\"1.0\"?><office:document-content "
            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
            "<office:spreadsheet><table:table table:name=\"Leer\"/>"
            "<table:table table:name=\"Hok\">"
            "<table:table-row>"
                + cell + "Bague" + end + cell + "P\xC3\xA8re" + end + cell + "M\xC3\xA8re" + end
                + "</table:table-row><table:table-row>" + cell + "nl<text:s text:c=\"2\"/>2020"
                + end + "<table:table-cell table:number-columns-repeated=\"2\"/>"
                + "</table:table-row><table:table-row table:number-rows-repeated=\"3\">"
                  "<table:table-cell table:number-columns-repeated=\"1024\"/></table:table-row>"
                  "<table:table-row><table:table-cell office:value-type=\"float\" "
                  "office:value=\"2021\"><text:p>2.021</text:p></table:table-cell>"
                + cell + "nl  2020" + end
                + "</table:table-row></table:table></office:spreadsheet></office:body>"
                  "</office:document-content>");
    }

    TemporaryFolder folder;
};

TEST_F(Workbook, ReadsTheSheetNamedOrTheFirst)
{
    const char *testData = std::getenv("ZAN_TEST_DATA");
    ASSERT_NE(testData, nullptr);
    const std::string xls = std::string(testData) + "/../data/loft.xls";
    const std::string xlsx = writeXlsx();
    const std::string ods = writeOds();
    struct Case
    {
        std::string fileName;
        std::string sheet;
        Rows rows;
    };
    const std::vector<std::pair<std::string, std::vector<std::string>>> sheets
        = { { xlsx, { "Eerste", "Hok" } }, { ods, { "Leer", "Hok" } },
              { xls, { "Hok", "Zweite" } } };
    for (const auto &[fileName, names] : sheets)
        EXPECT_EQ(readImportTable(fileName).sheets, names) << fileName;
    const std::vector<Case> cases = {
        { xlsx, "", { { 1, { "first" } } } },
        { xlsx, "Hok",
            { { 1, { "Ringnummer", "Vader", "Moeder" } }, { 2, { "nl-2020-1", "", "M\xC3\xBC-1" } },
                { 4, { "2021", "nl-2020-1" } } } },
        { ods, "Hok",
            { { 1, { "Bague", "P\xC3\xA8re", "M\xC3\xA8re" } }, { 2, { "nl  2020" } },
                { 6, { "2021", "nl  2020" } } } },
        { xls, "",
            { { 1, { "Ring", "Vater", "Mutter" } },
                { 2, { "nl-2020-1", "NL-2019-7", "NL-2019-\xC3\x89" } },
                { 4, { "2021", "nl-2020-1" } } } },
        { xls, "Zweite", { { 1, { "Band", "Sire", "Dam" } }, { 2, { "B-1", "S-1", "D-1" } } } },
    };
    for (const Case &test : cases) {
        const ImportTable table = readImportTable(test.fileName, test.sheet);
        EXPECT_STREQ(table.lineWord, "row");
        EXPECT_EQ(rowsOf(table), test.rows) << test.fileName << " " << test.sheet;
    }
    EXPECT_EQ(importPedigree(readImportTable(ods, "Hok"), { {}, true }).rows,
        (std::vector<std::array<std::string, 3>> {
            { "NL-2020", "", "" }, { "2021", "NL-2020", "" } }));
}

// A progress that answers no stops the reading early; one that answers yes changes nothing.
TEST_F(Workbook, StopsReadingWhenTheProgressSaysSo)
{
    constexpr int rows = 40000;
    const std::string xlsx = folder.file("large.xlsx");
    lxw_workbook *book = workbook_new(xlsx.c_str());
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    std::string text;
    for (int row = 0; row < rows; ++row) {
        const std::string band = "NL-2020-" + std::to_string(row);
        worksheet_write_string(sheet, static_cast<lxw_row_t>(row), 0, band.c_str(), nullptr);
        text += band + ",S,D,a note that makes the text longer than a piece\n";
    }
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
    const std::string csv = folder.file("large.csv");
    writeBytes(csv, text);
    for (const std::string &fileName : { xlsx, csv }) {
        size_t calls = 0;
        const auto stop = [&](size_t done, size_t total) {
            EXPECT_LE(done, total);
            return ++calls < 2;
        };
        EXPECT_LT(readImportTable(fileName, {}, stop).rows.size(), size_t(rows)) << fileName;
        EXPECT_EQ(calls, 2u) << fileName;
        EXPECT_EQ(readImportTable(fileName, {}, [](size_t, size_t) { return true; }).rows.size(),
            size_t(rows));
    }
}

TEST_F(Workbook, NamesTheFileAndTheReasonWhenItCannotBeRead)
{
    const std::string xlsx = writeXlsx();
    const std::string fake = writeZip("fake.ods", "other.xml", "<a/>");
    writeBytes(folder.file("text.xlsx"), "Band,Sire,Dam\n");
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        { [&] { readImportTable(xlsx, "Loft"); },
            "cannot read workbook " + xlsx + ": no sheet named 'Loft'" },
        { [&] { readImportTable(fake); },
            "cannot read workbook " + fake + ": it holds no content.xml" },
        { [&] { readImportTable(folder.file("text.xlsx")); },
            "cannot read workbook " + folder.file("text.xlsx") + ": Not a zip archive" },
        { [&] { readImportTable(folder.file("none.csv")); },
            "cannot read file " + folder.file("none.csv") + ": No such file or directory" },
    };
    for (const auto &[call, message] : cases) {
        try {
            call();
            ADD_FAILURE() << "no error, expected: " << message;
        } catch (const TableImportError &error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
}

} // namespace
