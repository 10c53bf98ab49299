#pragma once

#include "grid/import_table.h"

#include <optional>
#include <string>

class QWidget;

// Reads a table as readImportTable does, on a worker thread so that the window stays responsive:
// when the reading takes longer than a moment, a progress dialog over `parent` shows how far it
// has come and its Cancel stops it. Until then the window's input waits.
//
// Returns nothing when the user cancels; throws TableImportError as readImportTable does.
std::optional<ImportTable> readImportTableAway(
    QWidget *parent, const std::string &fileName, const std::string &sheet = {});
