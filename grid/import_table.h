#pragma once

#include "platform/zan_error.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Tables written by other programs (spreadsheets, loft programs), read into cells of UTF-8 text:
//
//   ImportTable table = readImportTable("loft.xlsx");        // the first sheet
//   ImportTable table = readImportTable("loft.ods", "Birds"); // the sheet named Birds
//   for (const ImportTable::Row &row : table.rows) ...      // row.line, row.cells[0] ...

// A file that cannot be read as a table; the message names the file and the reason.
class TableImportError : public ZanError
{
public:
    using ZanError::ZanError;
};

struct ImportTable
{
    struct Row
    {
        int line = 0; // where the row starts: the line of a text file or the row of a sheet, from 1
        std::vector<std::string> cells; // UTF-8, up to the last cell that is not empty
    };
    std::vector<Row> rows; // rows with at least one cell that is not empty
    const char *lineWord = "line"; // what `line` counts: "line" in text files, "row" in sheets
    std::vector<std::string> sheets; // a workbook's sheet names in their order; none for text
};

// Told how far a reading has come (`done` of `total`, in a unit of the reader's own); answering
// false stops the reading, which then returns the rows read so far.
using ReadProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Reads a workbook by its name's ending (.xlsx, .ods or .xls, in any letter case; the sheet named
// or else the first one), any other file as delimited text. Throws TableImportError when the file
// cannot be read or has no sheet of that name.
ImportTable readImportTable(
    const std::string &fileName, const std::string &sheet = {}, const ReadProgress &progress = {});

// Delimited text: UTF-8 (with or without a byte-order mark), UTF-16 with one, or else
// Windows-1252; fields separated by ',', ';' or tab (guessed), quoted with '"' or not; lines ended
// by CR LF, LF or CR. A line break inside a quoted field stays in the field and the next row's
// line counts it.
ImportTable readTextTable(std::string_view bytes, const ReadProgress &progress = {});

// True when the bytes are valid UTF-8 (plain ASCII included).
bool isUtf8(std::string_view bytes);

// The separator the first lines use most consistently: ',' ';' or '\t'; ',' when none shows.
char guessSeparator(std::string_view text);
