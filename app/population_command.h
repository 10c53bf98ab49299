#pragma once

#include <iosfwd>

struct PopulationOptions;

// Runs `zan population`: reads the pedigree file row by row with the pedigree window's file rules,
// computes the population statistics for the reference group, and writes every bird's figures as
// CSV, the summary and the by-year table as text, JSON and/or printed to a PDF in the report's
// page layout. Refused rows, loops and group bands not in the pedigree are each reported on
// `errors` as a line starting "zan: "; the rest goes on. With `showProgress` a progress line on
// `errors` tells the percentage and the birds done once the work has taken a second.
//
// Returns 0 when the figures were written; 1 when the pedigree file or the group file cannot be
// read or an output cannot be written. Needs a QApplication for the PDF.
int runPopulationCommand(
    const PopulationOptions &options, std::ostream &out, std::ostream &errors, bool showProgress);
