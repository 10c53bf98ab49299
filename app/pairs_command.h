#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct PairsOptions;

// Runs `zan pairs`: loads the pedigree file with the main window's file settings, computes the
// inbreeding of the young of every cock with every hen, and writes the pairings as text, as CSV,
// printed to a PDF in the report's page layout, as JSON and/or as an Excel workbook; with
// --allocate besides the season's least inbred pairs under the user's limits. Unknown bands, bands in both lists, rows
// the engine refuses, looping ancestries and limits the allocation could not honour (unknown
// bands in fixed or forbidden pairs among them) are listed in the output and each reported on
// `errors` as a line starting "zan: "; the other pairs go on.
//
// Returns 0 when the pairings were written; 1 when the pedigree file or a list file cannot be
// read or an output cannot be written. Needs a QApplication.
int runPairsCommand(const PairsOptions &options, std::ostream &out, std::ostream &errors);

// The bands of a list argument: separated by commas, or for "@FILE" one per line of the file.
// Bands are trimmed of blanks and control characters and empty ones dropped. Throws ZanError
// naming the file when it cannot be read.
std::vector<std::string> readBandList(const std::string &argument);
