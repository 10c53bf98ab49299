#pragma once

#include <string>

struct depth_generation;

// The texts and line formats of the report's pedigree depth page, built like the other report
// lines (fixed width, 8-bit, numbers through printf). Fractions are printed as percentages.
namespace DepthText {
extern const char *const Title; // "PEDIGREE DEPTH"
// Tells the reader how these generations are counted against the ancestor table's.
extern const char *const GenerationNote;
} // namespace DepthText

// The column headings of the depth table: generation, known places, possible places,
// completeness, distinct birds and inbreeding by depth.
std::string depthHeading();
// The depth table's underline: one run of horizontal lines per column.
std::string depthUnderline();
// One generation of the depth table.
std::string depthLine(const depth_generation &generation);
// A figure of the summary under the depth table: its label, then the value with two decimals,
// followed by a percent sign when `percent`.
std::string depthSummaryLine(const std::string &label, double value, bool percent);
