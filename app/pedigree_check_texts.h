#pragma once

// The pedigree check of the rows a pedigree source holds, and its findings in words, for the
// check command and the window's list of findings. Texts are UTF-8; the bands in them, 8-bit in
// the pedigree, are converted.

#include "engine/pedigree_check.h"

#include <string>

class PedigreeSource;

// Checks the data rows of the pedigree (trimmed as the analysis reads them).
pedigree_findings checkPedigree(const PedigreeSource &pedigree);

// A finding's message, or a band, in UTF-8.
std::string findingText(const std::string &bytes);
// "Errors", "Warnings", "Notes".
std::string severityHeading(finding_severity severity);
// "12 birds, 5 founders (no known parent), ..., deepest generation 4".
std::string summaryText(const pedigree_summary &summary);
// The whole check as the command prints it: a heading line naming the file and the counts, the
// findings grouped by severity (errors first) each with its rows, and the summary.
std::string findingsText(const pedigree_findings &checked, const std::string &fileName);
