#pragma once

#include "grid/import_table.h"

#include <string>

// The workbook readers behind readImportTable: the sheet named `sheet`, or the first sheet when
// it is empty, as a table whose line numbers are the sheet's row numbers and whose `sheets` lists
// every sheet of the workbook. Numbers come as the file stores them ("2020", "12.5"). Each throws
// TableImportError naming the file when it is not a workbook of its kind, is damaged, or has no
// sheet of that name.
ImportTable readXlsxTable(
    const std::string &fileName, const std::string &sheet, const ReadProgress &progress = {});
ImportTable readOdsTable(
    const std::string &fileName, const std::string &sheet, const ReadProgress &progress = {});
ImportTable readXlsTable(
    const std::string &fileName, const std::string &sheet, const ReadProgress &progress = {});
