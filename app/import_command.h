#pragma once

#include <iosfwd>

struct ImportOptions;

// Runs `zan import`: reads another program's table (delimited text, .xlsx, .ods or .xls), picks
// the band, sire and dam columns (as chosen, else guessed from the header) and writes them as a
// pedigree file in the program's own format. Every row left out is reported on `errors` as a line
// starting "zan: " with its line number and reason.
//
// Returns 0 when every row was imported; 1 when rows were left out (the file is still written) or
// the table cannot be read, its columns not found, or the output not written.
int runImportCommand(const ImportOptions &options, std::ostream &errors);
