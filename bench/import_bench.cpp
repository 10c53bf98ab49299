// Importing a 100,000-row loft table (name, colour, dam, band, year, sire: six columns in another
// order than the pedigree's) as the import command does: reading the table, picking and cleaning
// the columns, and saving the pedigree file through the grid. The tables are written once from a
// fixed seed; every run checks the row count and a checksum of the pedigree rows, so a fast wrong
// answer fails.

#include "grid/edit_grid.h"
#include "grid/pedigree_grid.h"
#include "grid/pedigree_import.h"

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int birds = 100000;
const std::array<const char *, 6> header { "Naam", "Kleur", "Moeder", "Ringnummer", "Jaar",
    "Vader" };

std::uint64_t mix(std::uint64_t hash, const std::string &text)
{
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return (hash ^ 0xFF) * 1099511628211ull;
}

struct LoftTables
{
    std::string folder;
    std::string csv;
    std::string xlsx;
    std::uint64_t checksum = 14695981039346656037ull; // of band, sire and dam in capitals
};

// Band numbers in lower case; each bird's parents are earlier birds or unknown.
std::vector<std::array<std::string, 6>> loftRows()
{
    std::mt19937 random(20261209);
    std::vector<std::string> bands;
    std::vector<std::array<std::string, 6>> rows;
    for (int bird = 0; bird < birds; ++bird) {
        bands.push_back(
            "nl-" + std::to_string(2000 + random() % 25) + "-" + std::to_string(1000000 + bird));
        const auto parent = [&] {
            return bird > 0 && random() % 5 ? bands[random() % static_cast<unsigned>(bird)]
                                            : std::string();
        };
        rows.push_back(
            { "Bird " + std::to_string(bird), "blue", parent(), bands.back(), "2020", parent() });
    }
    return rows;
}

std::string upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

const LoftTables &loftTables()
{
    static const LoftTables tables = [] {
        LoftTables made;
        std::string pattern
            = (std::filesystem::temp_directory_path() / "zan-import-XXXXXX").string();
        made.folder = mkdtemp(pattern.data());
        made.csv = made.folder + "/loft.csv";
        made.xlsx = made.folder + "/loft.xlsx";
        const auto rows = loftRows();
        std::ofstream csv(made.csv, std::ios::binary);
        lxw_workbook *book = workbook_new(made.xlsx.c_str());
        lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
        for (lxw_col_t column = 0; column < header.size(); ++column) {
            csv << (column ? ";" : "") << header[column];
            worksheet_write_string(sheet, 0, column, header[column], nullptr);
        }
        csv << "\r\n";
        for (size_t row = 0; row < rows.size(); ++row) {
            for (lxw_col_t column = 0; column < header.size(); ++column) {
                csv << (column ? ";" : "") << '"' << rows[row][column] << '"';
                worksheet_write_string(sheet, static_cast<lxw_row_t>(row + 1), column,
                    rows[row][column].c_str(), nullptr);
            }
            csv << "\r\n";
            for (const int column : { 3, 5, 2 })
                made.checksum = mix(made.checksum, upper(rows[row][column]));
        }
        if (workbook_close(book) != LXW_NO_ERROR)
            std::abort();
        return made;
    }();
    return tables;
}

void importFile(benchmark::State &state, const std::string &fileName)
{
    const LoftTables &tables = loftTables();
    const std::string output = tables.folder + "/pedigree.csv";
    for (auto _ : state) {
        const PedigreeImport result = importPedigree(readImportTable(fileName), {});
        TEditGrid grid;
        configurePedigreeGrid(grid);
        fillPedigreeGrid(grid, result.rows);
        savePedigreeFile(grid, output);
        state.PauseTiming();
        std::uint64_t checksum = 14695981039346656037ull;
        for (const auto &row : result.rows)
            for (const std::string &band : row)
                checksum = mix(checksum, band);
        if (result.rows.size() != birds || !result.problems.empty() || checksum != tables.checksum)
            state.SkipWithError("the imported rows differ from the table");
        state.ResumeTiming();
    }
}

void BM_ImportCsv(benchmark::State &state)
{
    importFile(state, loftTables().csv);
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

void BM_ImportXlsx(benchmark::State &state)
{
    importFile(state, loftTables().xlsx);
}
BENCHMARK(BM_ImportXlsx)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
