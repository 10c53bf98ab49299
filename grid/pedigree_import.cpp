#include "grid/pedigree_import.h"

#include "grid/edit_grid.h"
#include "grid/pedigree_grid.h"
#include "platform/locale_text.h"
#include "platform/text_codec.h"

#include <QList>
#include <QString>

#include <algorithm>

namespace {

constexpr size_t maximumBandLength = 18;
constexpr std::array<const char *, 3> columnWords { "band", "sire", "dam" };

struct HeaderName
{
    const char *folded;
    PedigreeColumn column;
};

// Header names as foldedHeader gives them, in English, Dutch, German, French, Polish and Spanish.
constexpr HeaderName headerNames[] = {
    { "band", PedigreeColumn::Band },
    { "bandnumber", PedigreeColumn::Band },
    { "bandno", PedigreeColumn::Band },
    { "identification", PedigreeColumn::Band },
    { "ring", PedigreeColumn::Band },
    { "ringnumber", PedigreeColumn::Band },
    { "ringno", PedigreeColumn::Band },
    { "ringnummer", PedigreeColumn::Band },
    { "ringnr", PedigreeColumn::Band },
    { "bague", PedigreeColumn::Band },
    { "obraczka", PedigreeColumn::Band },
    { "anilla", PedigreeColumn::Band },
    { "sire", PedigreeColumn::Sire },
    { "father", PedigreeColumn::Sire },
    { "vader", PedigreeColumn::Sire },
    { "vater", PedigreeColumn::Sire },
    { "pere", PedigreeColumn::Sire },
    { "ojciec", PedigreeColumn::Sire },
    { "padre", PedigreeColumn::Sire },
    { "dam", PedigreeColumn::Dam },
    { "mother", PedigreeColumn::Dam },
    { "moeder", PedigreeColumn::Dam },
    { "mutter", PedigreeColumn::Dam },
    { "mere", PedigreeColumn::Dam },
    { "matka", PedigreeColumn::Dam },
    { "madre", PedigreeColumn::Dam },
};

bool isSeparator(char c)
{
    return c == ' ' || c == '-' || c == '.' || c == '/' || c == '_';
}

bool isNumber(const std::string &text)
{
    return !text.empty() && text.size() < 7
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

const std::string &cellOf(const std::vector<std::string> &cells, int column)
{
    static const std::string empty;
    return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : empty;
}

// The table column a choice names: a number from 1, or a header cell's text.
int chosenColumn(const std::string &choice, const std::vector<std::string> *header, size_t width)
{
    if (isNumber(choice)) {
        const int number = std::stoi(choice);
        if (number < 1 || static_cast<size_t>(number) > width)
            throw TableImportError("column " + choice + " does not exist: the table has "
                + std::to_string(width) + " columns, counted from 1");
        return number - 1;
    }
    if (!header)
        throw TableImportError("no header row to find column '" + choice + "' in");
    const std::string folded = foldedHeader(choice);
    const auto found = std::find_if(header->begin(), header->end(),
        [&](const std::string &cell) { return foldedHeader(cell) == folded; });
    if (found == header->end())
        throw TableImportError("the header has no column named '" + choice + "'");
    return static_cast<int>(found - header->begin());
}

int guessedColumn(PedigreeColumn column, const std::vector<std::string> *header)
{
    if (!header)
        return static_cast<int>(column);
    if (const int named = namedColumn(*header, column); named >= 0)
        return named;
    throw TableImportError(std::string("the header names no ")
        + columnWords[static_cast<size_t>(column)] + " column; choose it by its name or number");
}

// The characters as Windows-1252 bytes, trimmed of Unicode blanks; false (and the problem) when
// one has no byte.
bool toWindows1252(std::string_view utf8, std::string &bytes, std::string &problem)
{
    const QString text
        = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).trimmed();
    for (const char32_t character : text.toUcs4()) {
        const int byte = unicodeToByte(character);
        if (byte < 0) {
            problem = "has a character without an 8-bit code ("
                + QString::fromUcs4(&character, 1).toStdString() + ")";
            return false;
        }
        bytes += static_cast<char>(byte);
    }
    return true;
}

std::string trimmedAscii(std::string_view text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace

std::string foldedHeader(std::string_view utf8)
{
    const QString decomposed = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
                                   .normalized(QString::NormalizationForm_KD);
    QString folded;
    for (const QChar c : decomposed)
        if (c.isLetterOrNumber())
            folded += c.toCaseFolded();
    return folded.toStdString();
}

std::optional<PedigreeColumn> headerColumn(std::string_view utf8)
{
    const std::string folded = foldedHeader(utf8);
    for (const HeaderName &name : headerNames)
        if (folded == name.folded)
            return name.column;
    return std::nullopt;
}

bool looksLikeHeader(const std::vector<std::string> &cells)
{
    const auto hasDigit = [](const std::string &cell) {
        return std::any_of(cell.begin(), cell.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return std::any_of(cells.begin(), cells.end(), [](auto &cell) { return headerColumn(cell); })
        || std::none_of(cells.begin(), cells.end(), hasDigit);
}

int namedColumn(const std::vector<std::string> &header, PedigreeColumn column)
{
    for (size_t i = 0; i < header.size(); ++i)
        if (headerColumn(header[i]) == column)
            return static_cast<int>(i);
    return -1;
}

std::string unifiedSeparators(std::string_view band)
{
    std::string result;
    result.reserve(band.size());
    for (size_t i = 0; i < band.size(); ++i) {
        if (!isSeparator(band[i])) {
            result += band[i];
            continue;
        }
        while (i + 1 < band.size() && isSeparator(band[i + 1]))
            ++i;
        result += '-';
    }
    return result;
}

std::optional<std::string> cleanBand(std::string_view utf8, bool unify, std::string &problem)
{
    std::string bytes;
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= 0 && c < 0x7F; })) {
        bytes = trimmedAscii(utf8); // the common case, without decoding
    } else if (!toWindows1252(utf8, bytes, problem)) {
        return std::nullopt;
    }
    bytes = upperCase(bytes);
    if (unify)
        bytes = unifiedSeparators(bytes);
    if (bytes.size() > maximumBandLength) {
        problem = "is longer than " + std::to_string(maximumBandLength) + " characters";
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::array<std::string, 3>> importedRow(const std::vector<std::string> &cells,
    const std::array<int, 3> &columns, bool unify, std::string &problem)
{
    std::array<std::string, 3> bands;
    for (size_t i = 0; i < bands.size(); ++i) {
        const std::string &cell = cellOf(cells, columns[i]);
        std::string reason;
        const std::optional<std::string> band = cleanBand(cell, unify, reason);
        if (!band) {
            problem = std::string(columnWords[i]) + " '" + cell + "' " + reason;
            return std::nullopt;
        }
        bands[i] = *band;
    }
    if (bands[0].empty()) {
        problem = "no band";
        return std::nullopt;
    }
    return bands;
}

PedigreeImport importPedigree(const ImportTable &table, const ImportChoice &choice)
{
    PedigreeImport result;
    size_t width = 0;
    for (const ImportTable::Row &row : table.rows)
        width = std::max(width, row.cells.size());
    const bool named = std::any_of(choice.columns.begin(), choice.columns.end(),
        [](const std::string &column) { return !column.empty() && !isNumber(column); });
    result.hasHeader = !table.rows.empty()
        && choice.firstRowIsHeader.value_or(named || looksLikeHeader(table.rows.front().cells));
    const std::vector<std::string> *header = result.hasHeader ? &table.rows.front().cells : nullptr;
    for (size_t i = 0; i < result.columns.size(); ++i)
        result.columns[i] = choice.columns[i].empty()
            ? guessedColumn(static_cast<PedigreeColumn>(i), header)
            : chosenColumn(choice.columns[i], header, width);

    result.rows.reserve(table.rows.size());
    for (size_t i = result.hasHeader ? 1 : 0; i < table.rows.size(); ++i) {
        const ImportTable::Row &row = table.rows[i];
        std::string problem;
        if (auto bands = importedRow(row.cells, result.columns, choice.unifySeparators, problem))
            result.rows.push_back(std::move(*bands));
        else
            result.problems.push_back(std::string(table.lineWord) + " " + std::to_string(row.line)
                + ": " + problem + "; row left out");
    }
    return result;
}

void fillPedigreeGrid(TEditGrid &grid, const std::vector<std::array<std::string, 3>> &rows)
{
    resetPedigreeGrid(grid);
    grid.SetRowCountEx(static_cast<int>(std::max<size_t>(rows.size(), 1)) + 1);
    for (size_t row = 0; row < rows.size(); ++row)
        for (size_t column = 0; column < rows[row].size(); ++column)
            grid.SetCellEx(static_cast<int>(column), static_cast<int>(row) + 1, rows[row][column]);
}
