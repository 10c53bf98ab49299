#pragma once

#include <iosfwd>

struct ReportOptions;

// Runs `zan report`: loads the pedigree file with the main window's file settings, runs the
// analysis for a PDF printer of the chosen paper and resolution (or for the chosen system
// printer), prints the pages to the PDF file or as one job on the system printer, and/or writes
// the report text. Errors go to `errors` as one line starting "zan: "; an unknown printer's
// line lists the printers the system offers.
//
// Returns 0 when the report was written, even when the pedigree has errors (the report shows
// them); 1 when the pedigree file cannot be read, an output cannot be written, or the printer
// is unknown or refuses the job. Needs a QApplication.
int runReportCommand(const ReportOptions &options, std::ostream &out, std::ostream &errors);
