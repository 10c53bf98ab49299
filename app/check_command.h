#pragma once

#include <iosfwd>
#include <string>

struct CheckOptions;
struct pedigree_findings;

// Runs `zan check`: loads the pedigree file with the main window's file settings, checks its rows
// and writes the findings as text to `out` (errors first, then warnings, then notes, and the
// summary), and as JSON to the file --json names. Errors go to `errors` as one line starting
// "zan: ".
//
// Returns 0 when the pedigree has neither errors nor warnings (notes may be there); 1 when it has,
// or when the pedigree file cannot be read or the JSON file cannot be written.
int runCheckCommand(const CheckOptions &options, std::ostream &out, std::ostream &errors);

// The findings and the summary as a JSON document (UTF-8): an object with "file", "errors",
// "warnings", "notes", "findings" (each with "kind", "severity", "message", "bands" and "rows")
// and "summary" ("birds", "founders", "one_parent_unknown", "parents_without_row",
// "deepest_generation").
std::string findingsJson(const pedigree_findings &checked, const std::string &fileName);
