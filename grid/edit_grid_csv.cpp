// The grid's comma-separated file format: saving and loading the covered range of cells.

#include "grid/edit_grid.h"

#include "grid/csv_text.h"
#include "grid/grid_errors.h"
#include "platform/text_file.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

constexpr char quote = '"';
constexpr int rowGrowth = 1000; // rows added at a time while loading

// A CR inside a field would end the line when the file is read back and push the rest of the
// row into the next one. Every line break inside a field is therefore written as a lone LF (a
// CR LF pair, or a lone CR), which reading keeps inside the line and turns back into CR LF.
std::string withoutCarriageReturns(std::string_view text)
{
    std::string result = LineFeedsToCSV(text);
    std::replace(result.begin(), result.end(), '\r', '\n');
    return result;
}

// Appends one field as the file holds it.
void appendField(
    std::string &line, const std::string &cellText, char delimiter, bool quoteAll, bool quoteEmpty)
{
    std::string text = CSVQuotes(cellText);
    const bool hasDelimiter = text.find(delimiter) != std::string::npos;
    const bool enclose = quoteAll || hasDelimiter || text.find(quote) != std::string::npos;
    if (text.find('\r') != std::string::npos)
        text = withoutCarriageReturns(text);
    if (enclose) {
        line += quote;
        line += text;
        line += quote;
        return;
    }
    if (text.empty() && quoteEmpty) {
        line += quote;
        line += quote;
        return;
    }
    line += text;
}

} // namespace

int TEditGrid::GetSaveStartRow() const
{
    return CsvIncludeFixedCells ? 0 : m_fixedRows;
}

int TEditGrid::GetSaveEndRow() const
{
    return GetRowCountEx() - 1;
}

int TEditGrid::GetSaveStartCol() const
{
    return CsvIncludeFixedCells ? 0 : m_fixedCols;
}

int TEditGrid::GetSaveEndCol() const
{
    return GetColCountEx() - 1;
}

std::string TEditGrid::SaveCell(int column, int row)
{
    return GetCellEx(column, row);
}

void TEditGrid::LoadCell(int column, int row, std::string value)
{
    std::vector<std::string> &cells = m_rows[static_cast<std::size_t>(row)].cells;
    if (static_cast<std::size_t>(column) >= cells.size())
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = std::move(value);
}

void TEditGrid::SaveToCSV(const std::string &fileName)
{
    TextFileWriter writer;
    if (!writer.create(fileName))
        throw EEditGridError("Cannot Create file " + fileName);
    const int firstColumn = GetSaveStartCol();
    const int lastColumn = GetSaveEndCol();
    const int lastRow = GetSaveEndRow();
    std::string line;
    try {
        for (int row = GetSaveStartRow(); row <= lastRow; ++row) {
            line.clear();
            for (int column = firstColumn; column <= lastColumn; ++column) {
                if (column != firstColumn)
                    line += CsvDelimiter;
                appendField(line, SaveCell(column, row), CsvDelimiter, CsvQuoteAll, CsvQuoteEmpty);
            }
            line += "\r\n";
            writer.write(line);
        }
        writer.commit();
    } catch (const TextFileError &error) {
        throw EEditGridError(error.what());
    }
}

void TEditGrid::OpenCSVFile(TextFileReader &reader, const std::string &fileName)
{
    try {
        if (reader.open(fileName))
            return;
    } catch (const TextFileError &) { }
    throw EEditGridError("Cannot open file " + fileName);
}

void TEditGrid::LoadFromCSV(const std::string &fileName)
{
    TextFileReader reader;
    OpenCSVFile(reader, fileName);
    const int firstColumn = GetSaveStartCol();
    int row = GetSaveStartRow();
    std::string line;
    try {
        while (reader.readLine(line)) {
            if (row >= GetRowCountEx())
                SetRowCountEx(row + rowGrowth);
            loadLine(line, firstColumn, row);
            ++row;
        }
    } catch (const TextFileError &error) {
        SetRowCountEx(row); // keep the rows loaded so far, without the rest of the growth block
        CellsChanged({ 0, 0, GetColCountEx(), GetRowCountEx() });
        throw EEditGridError(error.what());
    }
    reader.close();
    SetRowCountEx(row);
    CellsChanged({ 0, 0, GetColCountEx(), GetRowCountEx() });
    notify(&EditGridObserver::cellsLoaded);
}

// Splits one line into fields and stores them from the given column on.
void TEditGrid::loadLine(const std::string &line, int column, int row)
{
    SplitCSVLine(line, CsvDelimiter,
        [&](std::string field) { storeLoadedField(column, row, std::move(field)); });
}

// Widens the table first when the field lies beyond the last column, so every stored cell lies
// inside it.
void TEditGrid::storeLoadedField(int &column, int row, std::string field)
{
    if (column >= GetColCountEx())
        SetColCountEx(column + 1);
    LoadCell(column, row, std::move(field));
    ++column;
}
