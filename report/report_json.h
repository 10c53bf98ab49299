#pragma once

#include <string>

class ReportAnalysis;

// The whole analysis of the last ReportAnalysis::compose() as a JSON document for scripts:
//
//   { "file", "rows_accepted", "computed", "message" (after a failed compute),
//     "pedigreed_bird": { "band", "inbreeding" },
//     "ancestors": [ one object per ancestor-table line, every column, in the table's order ],
//     "generations": [ { "generation", "known", "possible", "completeness", "distinct",
//                        "inbreeding" } ],
//     "equivalent_complete_generations", "pci4", "ancestral_loss_5", "ancestral_loss_all" }
//
// Fractions are percentages, as the report prints them, but not rounded; bands are UTF-8. The
// generations count from the pedigreed bird as 0 (its parents are generation 1), the ancestor
// table's first and last generations from the pedigreed bird as 1. After a failed compute the
// ancestors and generations are empty. Reads the engine, so its current bird changes.
std::string analysisJson(ReportAnalysis &analysis, const std::string &fileName);
