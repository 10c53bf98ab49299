#include "grid/import_table.h"

#include "grid/workbook_table.h"
#include "platform/text_codec.h"

#include <QFile>
#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr int separatorSampleLines = 10;
// The text is parsed in pieces of this many bytes, reporting progress after each.
constexpr size_t textPiece = 1 << 20;

bool endsWith(const std::string &text, std::string_view ending)
{
    if (text.size() < ending.size())
        return false;
    return std::equal(ending.begin(), ending.end(), text.end() - ending.size(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// Every CR LF pair and every lone CR become one LF, so that each line break counts once.
std::string withLineFeeds(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            result += text[i];
            continue;
        }
        result += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return result;
}

// How often the separator stands outside quotes on one line.
int countOutsideQuotes(std::string_view line, char separator)
{
    bool quoted = false;
    int count = 0;
    for (const char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == separator && !quoted)
            ++count;
    }
    return count;
}

// Collects the fields and records the delimited-text parser reports, counting lines as it goes.
class TextTableBuilder
{
public:
    static void field(void *bytes, size_t size, void *self)
    {
        auto *builder = static_cast<TextTableBuilder *>(self);
        std::string text(static_cast<const char *>(bytes), bytes ? size : 0);
        builder->m_breaksInRow += static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        builder->m_cells.push_back(std::move(text));
    }

    static void record(int, void *self) { static_cast<TextTableBuilder *>(self)->endRow(); }

    ImportTable take() { return std::move(m_table); }

private:
    void endRow()
    {
        while (!m_cells.empty() && m_cells.back().empty())
            m_cells.pop_back();
        if (!m_cells.empty())
            m_table.rows.push_back({ m_line, std::move(m_cells) });
        m_cells.clear();
        m_line += 1 + m_breaksInRow;
        m_breaksInRow = 0;
    }

    ImportTable m_table;
    std::vector<std::string> m_cells;
    int m_line = 1;
    int m_breaksInRow = 0;
};

std::string readWholeFile(const std::string &fileName)
{
    QFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw TableImportError(
            "cannot read file " + fileName + ": " + file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TableImportError(
            "cannot read file " + fileName + ": " + file.errorString().toStdString());
    return bytes.toStdString();
}

// The text in UTF-8 without a byte-order mark. Spreadsheet programs save "Unicode text" as UTF-16
// with a byte-order mark, which is read too.
std::string utf8Text(std::string_view bytes)
{
    if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark)
        return std::string(bytes.substr(byteOrderMark.size()));
    const auto utf16 = QStringConverter::encodingForData(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf16 == QStringConverter::Utf16LE || utf16 == QStringConverter::Utf16BE) {
        QStringDecoder decoder(*utf16);
        const QString text
            = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        return text.toStdString();
    }
    return isUtf8(bytes) ? std::string(bytes) : bytesToUtf8(bytes);
}

} // namespace

bool isUtf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded
        = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

char guessSeparator(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size() && lines.size() < separatorSampleLines;) {
        const size_t end = std::min(text.find('\n', start), text.size());
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    char best = ',';
    std::pair<bool, int> bestScore { false, 0 }; // (same count on every line, count on the first)
    for (const char separator : { ',', ';', '\t' }) {
        if (lines.empty())
            break;
        const int first = countOutsideQuotes(lines.front(), separator);
        const bool same = std::all_of(lines.begin(), lines.end(),
            [&](std::string_view line) { return countOutsideQuotes(line, separator) == first; });
        const std::pair<bool, int> score { same && first > 0, first };
        if (score > bestScore) {
            best = separator;
            bestScore = score;
        }
    }
    return best;
}

ImportTable readTextTable(std::string_view bytes, const ReadProgress &progress)
{
    const std::string text = withLineFeeds(utf8Text(bytes));

    csv_parser parser;
    if (csv_init(&parser, CSV_REPALL_NL) != 0)
        throw TableImportError("out of memory");
    const std::unique_ptr<csv_parser, void (*)(csv_parser *)> freeParser(&parser, csv_free);
    csv_set_delim(&parser, static_cast<unsigned char>(guessSeparator(text)));
    TextTableBuilder builder;
    for (size_t done = 0; done < text.size();) {
        const size_t piece = std::min(textPiece, text.size() - done);
        if (csv_parse(&parser, text.data() + done, piece, TextTableBuilder::field,
                TextTableBuilder::record, &builder)
            != piece)
            throw TableImportError(csv_strerror(csv_error(&parser)));
        done += piece;
        if (progress && !progress(done, text.size()))
            return builder.take();
    }
    if (csv_fini(&parser, TextTableBuilder::field, TextTableBuilder::record, &builder) != 0)
        throw TableImportError(csv_strerror(csv_error(&parser)));
    return builder.take();
}

ImportTable readImportTable(
    const std::string &fileName, const std::string &sheet, const ReadProgress &progress)
{
    if (endsWith(fileName, ".xlsx"))
        return readXlsxTable(fileName, sheet, progress);
    if (endsWith(fileName, ".ods"))
        return readOdsTable(fileName, sheet, progress);
    if (endsWith(fileName, ".xls"))
        return readXlsTable(fileName, sheet, progress);
    if (!sheet.empty())
        throw TableImportError(fileName + " is a text file and has no sheets");
    return readTextTable(readWholeFile(fileName), progress);
}
