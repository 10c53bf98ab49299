#include "pedigree_file_rows.h"

#include "app/pedigree_document.h"

#include "grid/csv_text.h"
#include "grid/edit_grid.h"
#include "grid/grid_errors.h"
#include "grid/pedigree_grid.h"
#include "platform/text_file.h"

void readPedigreeRows(
    const std::string &fileName, const std::function<void(int row, const PedigreeRow &)> &row)
{
    TEditGrid settings;
    applyPedigreeCsvSettings(settings);
    TextFileReader reader;
    TEditGrid::OpenCSVFile(reader, fileName);
    std::string line;
    PedigreeRow bands;
    std::string *const cells[] = { &bands.identification, &bands.sire, &bands.dam };
    try {
        for (int number = 1; reader.readLine(line); ++number) {
            std::size_t column = 0;
            SplitCSVLine(line, settings.CsvDelimiter, [&](std::string field) {
                if (column < std::size(cells))
                    *cells[column] = PedigreeDocument::trimmed(field);
                ++column;
            });
            for (; column < std::size(cells); ++column)
                cells[column]->clear();
            row(number, bands);
        }
    } catch (const TextFileError &error) {
        throw EEditGridError(error.what());
    }
}
