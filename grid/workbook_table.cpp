#include "grid/workbook_table.h"

#include <QByteArray>
#include <QHash>
#include <QXmlStreamReader>

#include <freexl.h>
#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// Limits that keep a damaged or hostile workbook from asking for unbounded memory: the largest
// sheets spreadsheet programs make.
constexpr int maximumColumns = 16384;
constexpr int maximumRows = 1048576;

constexpr auto relationshipsNamespace
    = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr auto tableNamespace = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr auto officeNamespace = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr auto textNamespace = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";

[[noreturn]] void fail(const std::string &fileName, const std::string &reason)
{
    throw TableImportError("cannot read workbook " + fileName + ": " + reason);
}

// Adds the row when it holds a cell that is not empty.
void addRow(ImportTable &table, int line, std::vector<std::string> cells)
{
    while (!cells.empty() && cells.back().empty())
        cells.pop_back();
    if (!cells.empty())
        table.rows.push_back({ line, std::move(cells) });
}

void putCell(std::vector<std::string> &cells, int column, std::string text)
{
    if (column < 0 || column >= maximumColumns || text.empty())
        return;
    if (static_cast<size_t>(column) >= cells.size())
        cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = std::move(text);
}

class ZipArchive
{
public:
    explicit ZipArchive(const std::string &fileName) : m_fileName(fileName)
    {
        int code = 0;
        m_archive = zip_open(fileName.c_str(), ZIP_RDONLY, &code);
        if (m_archive)
            return;
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        fail(fileName, reason);
    }
    ~ZipArchive() { zip_discard(m_archive); }
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool contains(const std::string &name) const
    {
        return zip_name_locate(m_archive, name.c_str(), 0) >= 0;
    }

    QByteArray read(const std::string &name) const
    {
        zip_stat_t status;
        zip_stat_init(&status);
        if (zip_stat(m_archive, name.c_str(), 0, &status) != 0 || !(status.valid & ZIP_STAT_SIZE))
            fail(m_fileName, "it holds no " + name);
        const std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> file(
            zip_fopen(m_archive, name.c_str(), 0), zip_fclose);
        QByteArray bytes(static_cast<qsizetype>(status.size), '\0');
        if (!file
            || zip_fread(file.get(), bytes.data(), status.size)
                != static_cast<zip_int64_t>(status.size))
            fail(m_fileName, "damaged entry " + name);
        return bytes;
    }

    const std::string &fileName() const { return m_fileName; }

private:
    std::string m_fileName;
    zip_t *m_archive = nullptr;
};

void checkXml(const QXmlStreamReader &reader, const ZipArchive &zip, const std::string &entry)
{
    if (reader.hasError())
        fail(zip.fileName(), entry + ": " + reader.errorString().toStdString());
}

std::string attribute(const QXmlStreamReader &reader, const char *name)
{
    return reader.attributes().value(QLatin1StringView(name)).toString().toStdString();
}

std::string attribute(const QXmlStreamReader &reader, const char *space, const char *name)
{
    return reader.attributes()
        .value(QLatin1StringView(space), QLatin1StringView(name))
        .toString()
        .toStdString();
}

int numberAttribute(const QXmlStreamReader &reader, const char *space, const char *name)
{
    const int number
        = reader.attributes().value(QLatin1StringView(space), QLatin1StringView(name)).toInt();
    return std::clamp(number, 1, maximumRows);
}

bool startOf(const QXmlStreamReader &reader, const char *name)
{
    return reader.isStartElement() && reader.name() == QLatin1StringView(name);
}

bool endOf(const QXmlStreamReader &reader, const char *name)
{
    return reader.isEndElement() && reader.name() == QLatin1StringView(name);
}

// Asks the reading's progress, now and then, whether to go on, counting how far the XML reader
// is through its entry; the entry starts `before` units into a reading of `total`.
class XmlProgress
{
public:
    XmlProgress(const ReadProgress &progress, size_t before, size_t total)
        : m_progress(progress), m_before(before), m_total(total)
    { }

    bool goOn(const QXmlStreamReader &reader)
    {
        if (!m_progress || ++m_calls % 4096 != 0)
            return true;
        const size_t done = m_before + static_cast<size_t>(reader.characterOffset());
        return m_progress(std::min(done, m_total), m_total);
    }

private:
    const ReadProgress &m_progress;
    size_t m_before;
    size_t m_total;
    int m_calls = 0;
};

// --- .xlsx ---

// The entry of the sheet named, or of the first sheet, through the workbook's relationships;
// every sheet's name goes to `sheets`.
std::string xlsxSheetEntry(
    const ZipArchive &zip, const std::string &sheet, std::vector<std::string> &sheets)
{
    std::string relationship;
    QXmlStreamReader workbook(zip.read("xl/workbook.xml"));
    while (!workbook.atEnd()) {
        workbook.readNext();
        if (!startOf(workbook, "sheet"))
            continue;
        sheets.push_back(attribute(workbook, "name"));
        if (relationship.empty() && (sheet.empty() || sheets.back() == sheet))
            relationship = attribute(workbook, relationshipsNamespace, "id");
    }
    checkXml(workbook, zip, "xl/workbook.xml");
    if (relationship.empty())
        fail(zip.fileName(), sheet.empty() ? "it has no sheet" : "no sheet named '" + sheet + "'");

    QXmlStreamReader relationships(zip.read("xl/_rels/workbook.xml.rels"));
    while (!relationships.atEnd()) {
        relationships.readNext();
        if (!startOf(relationships, "Relationship")
            || attribute(relationships, "Id") != relationship)
            continue;
        const std::string target = attribute(relationships, "Target");
        return target.starts_with('/') ? target.substr(1) : "xl/" + target;
    }
    checkXml(relationships, zip, "xl/_rels/workbook.xml.rels");
    fail(zip.fileName(), "the sheet's part is missing");
}

// The text of every <si> of the shared strings, runs joined, phonetic hints left out; false when
// the progress stopped the reading.
bool readXlsxSharedStrings(const ZipArchive &zip, const QByteArray &xml, XmlProgress progress,
    std::vector<std::string> &strings)
{
    QXmlStreamReader reader(xml);
    QString text;
    while (!reader.atEnd()) {
        if (!progress.goOn(reader))
            return false;
        reader.readNext();
        if (startOf(reader, "rPh"))
            reader.skipCurrentElement();
        else if (startOf(reader, "si"))
            text.clear();
        else if (startOf(reader, "t"))
            text += reader.readElementText();
        else if (endOf(reader, "si"))
            strings.push_back(text.toStdString());
    }
    checkXml(reader, zip, "xl/sharedStrings.xml");
    return true;
}

// The column of a cell reference ("AB12" -> 27), or -1 without letters.
int xlsxColumn(const std::string &reference)
{
    int column = 0;
    size_t letters = 0;
    for (;
         letters < reference.size() && std::isalpha(static_cast<unsigned char>(reference[letters]));
         ++letters) {
        column = column * 26
            + (std::toupper(static_cast<unsigned char>(reference[letters])) - 'A' + 1);
        if (column > maximumColumns)
            return maximumColumns;
    }
    return letters == 0 ? -1 : column - 1;
}

// Reads one <c> element: its value, a shared string looked up.
std::string xlsxCellText(QXmlStreamReader &reader, const std::vector<std::string> &sharedStrings)
{
    const std::string type = attribute(reader, "t");
    QString text;
    while (!reader.atEnd() && !endOf(reader, "c")) {
        reader.readNext();
        if (startOf(reader, "v") || startOf(reader, "t"))
            text += reader.readElementText();
    }
    if (type != "s")
        return text.toStdString();
    bool ok = false;
    const qulonglong index = text.toULongLong(&ok);
    return ok && index < sharedStrings.size() ? sharedStrings[index] : std::string();
}

} // namespace

ImportTable readXlsxTable(
    const std::string &fileName, const std::string &sheet, const ReadProgress &progress)
{
    const ZipArchive zip(fileName);
    ImportTable table;
    table.lineWord = "row";
    const std::string entry = xlsxSheetEntry(zip, sheet, table.sheets);
    const std::string stringsEntry = "xl/sharedStrings.xml";
    const QByteArray stringsXml
        = zip.contains(stringsEntry) ? zip.read(stringsEntry) : QByteArray();
    const QByteArray sheetXml = zip.read(entry);
    const size_t total = static_cast<size_t>(stringsXml.size() + sheetXml.size());
    std::vector<std::string> sharedStrings;
    if (!stringsXml.isEmpty()
        && !readXlsxSharedStrings(zip, stringsXml, XmlProgress(progress, 0, total), sharedStrings))
        return table;
    XmlProgress sheetProgress(progress, static_cast<size_t>(stringsXml.size()), total);
    QXmlStreamReader reader(sheetXml);
    std::vector<std::string> cells;
    int row = 0;
    int column = 0;
    while (!reader.atEnd()) {
        if (!sheetProgress.goOn(reader))
            return table;
        reader.readNext();
        if (startOf(reader, "row")) {
            const int number = QString::fromStdString(attribute(reader, "r")).toInt();
            row = number > 0 ? number : row + 1;
            column = 0;
        } else if (startOf(reader, "c")) {
            const int given = xlsxColumn(attribute(reader, "r"));
            column = given >= 0 ? given : column;
            putCell(cells, column++, xlsxCellText(reader, sharedStrings));
        } else if (endOf(reader, "row")) {
            addRow(table, row, std::move(cells));
            cells.clear();
        }
    }
    checkXml(reader, zip, entry);
    return table;
}

namespace {

// --- .ods ---

// Reads one table cell's paragraphs: lines joined by LF, <text:s text:c="N"/> as N spaces.
std::string odsCellText(QXmlStreamReader &reader)
{
    if (reader.isEndElement())
        return {};
    const std::string type = attribute(reader, officeNamespace, "value-type");
    const std::string value = attribute(reader, officeNamespace, "value");
    QString text;
    int paragraphs = 0;
    for (int depth = 1; depth > 0 && !reader.atEnd();) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (reader.name() == QLatin1StringView("p") && paragraphs++ > 0)
                text += '\n';
            else if (reader.name() == QLatin1StringView("s"))
                text += QString(numberAttribute(reader, textNamespace, "c"), ' ');
            else if (reader.name() == QLatin1StringView("tab"))
                text += '\t';
        } else if (reader.isEndElement()) {
            --depth;
        } else if (reader.isCharacters()) {
            text += reader.text();
        }
    }
    if (type == "float" && !value.empty())
        return value;
    return text.toStdString();
}

void readOdsRow(QXmlStreamReader &reader, ImportTable &table, int &row)
{
    const int repeated = numberAttribute(reader, tableNamespace, "number-rows-repeated");
    std::vector<std::string> cells;
    int column = 0;
    while (!reader.atEnd() && !endOf(reader, "table-row")) {
        reader.readNext();
        if (!startOf(reader, "table-cell") && !startOf(reader, "covered-table-cell"))
            continue;
        const int columns = numberAttribute(reader, tableNamespace, "number-columns-repeated");
        const std::string text = odsCellText(reader);
        for (int i = 0; i < columns && !text.empty() && column + i < maximumColumns; ++i)
            putCell(cells, column + i, text);
        column = std::min(column + columns, maximumColumns);
    }
    const bool empty
        = std::all_of(cells.begin(), cells.end(), [](auto &cell) { return cell.empty(); });
    for (int i = 0; i < repeated && !empty && row + i < maximumRows; ++i)
        addRow(table, row + i + 1, cells);
    row += repeated;
}

} // namespace

ImportTable readOdsTable(
    const std::string &fileName, const std::string &sheet, const ReadProgress &progress)
{
    const ZipArchive zip(fileName);
    const std::string entry = "content.xml";
    const QByteArray xml = zip.read(entry);
    XmlProgress xmlProgress(progress, 0, static_cast<size_t>(xml.size()));
    QXmlStreamReader reader(xml);
    ImportTable table;
    table.lineWord = "row";
    bool found = false;
    while (!reader.atEnd()) {
        if (!xmlProgress.goOn(reader))
            return table;
        reader.readNext();
        if (!startOf(reader, "table"))
            continue;
        table.sheets.push_back(attribute(reader, tableNamespace, "name"));
        if (found || !(sheet.empty() || table.sheets.back() == sheet)) {
            reader.skipCurrentElement();
            continue;
        }
        found = true;
        int row = 0;
        while (!reader.atEnd() && !endOf(reader, "table")) {
            if (!xmlProgress.goOn(reader))
                return table;
            reader.readNext();
            if (startOf(reader, "table-row"))
                readOdsRow(reader, table, row);
        }
    }
    checkXml(reader, zip, entry);
    if (!found)
        fail(fileName, sheet.empty() ? "it has no sheet" : "no sheet named '" + sheet + "'");
    return table;
}

namespace {

// --- .xls ---

std::string xlsCellText(const FreeXL_CellValue &value)
{
    switch (value.type) {
    case FREEXL_CELL_INT:
        return std::to_string(value.value.int_value);
    case FREEXL_CELL_DOUBLE: {
        char number[32];
        std::snprintf(number, sizeof number, "%.15g", value.value.double_value);
        return number;
    }
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return value.value.text_value ? value.value.text_value : "";
    default:
        return {};
    }
}

// Selects the sheet named, or the first; false when there is none. Every sheet's name goes to
// `sheets`.
bool selectXlsSheet(const void *handle, const std::string &sheet, std::vector<std::string> &sheets)
{
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return false;
    bool selected = false;
    for (unsigned int index = 0; index < count; ++index) {
        const char *name = nullptr;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(index), &name)
            != FREEXL_OK)
            continue;
        sheets.push_back(name ? name : "");
        if (!selected && (sheet.empty() || sheet == sheets.back()))
            selected = freexl_select_active_worksheet(handle, static_cast<unsigned short>(index))
                == FREEXL_OK;
    }
    return selected;
}

} // namespace

ImportTable readXlsTable(
    const std::string &fileName, const std::string &sheet, const ReadProgress &progress)
{
    const void *handle = nullptr;
    if (freexl_open(fileName.c_str(), &handle) != FREEXL_OK) {
        freexl_close(handle);
        fail(fileName, "it is not a readable .xls workbook");
    }
    const std::unique_ptr<const void, int (*)(const void *)> closer(handle, freexl_close);
    ImportTable table;
    table.lineWord = "row";
    if (!selectXlsSheet(handle, sheet, table.sheets))
        fail(fileName, sheet.empty() ? "it has no sheet" : "no sheet named '" + sheet + "'");
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        fail(fileName, "the sheet cannot be read");
    for (unsigned int row = 0; row < rows; ++row) {
        if (progress && row % 1024 == 0 && !progress(row, rows))
            return table;
        std::vector<std::string> cells;
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle, row, column, &value) == FREEXL_OK)
                putCell(cells, column, xlsCellText(value));
        }
        addRow(table, static_cast<int>(row) + 1, std::move(cells));
    }
    return table;
}
