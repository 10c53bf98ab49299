#pragma once

// The pedigree check: every problem in a pedigree's rows named in plain words, with the bands and
// the rows involved, so the breeder can mend the file before the analysis refuses rows, skips them
// or silently treats two spellings of one band as two birds.
//
//   std::vector<check_row> rows = ...;              // the data rows, row 1 first
//   pedigree_findings checked = check_pedigree(rows);
//   for (const finding &f : checked.findings)        // errors first, then warnings, then notes
//       print(severity_name(f.severity), f.message, f.rows);
//
// Bands are 8-bit (Windows-1252) texts as the pedigree file holds them, trimmed; a parent that is
// empty, a lone space or a lone full stop is unknown, as for the analysis. Row numbers count from
// 1 as the report's input listing numbers the rows. The check never throws on bad input and takes
// time in proportion to the number of rows: loops are found in one pass over the ancestry.

#include <string>
#include <string_view>
#include <vector>

struct check_row
{
    std::string identification;
    std::string sire;
    std::string dam;
};

enum class finding_kind {
    loop, // the ancestry comes back to a bird: A -> B -> C -> A, a bird its own sire or dam too
    both_sexes, // one band named as a sire and as a dam
    repeated_band, // a band with two or more rows of its own
    similar_bands, // spellings equal apart from letter case, spaces and - . / separators
    parent_younger, // a parent whose band carries a later year than its young's
    missing_band, // a row with parents but no band of its own
    empty_row, // a row with no band at all
    band_too_long, // a band over 18 characters
    no_8bit_code, // a band holding characters that have no Windows-1252 code
};

enum class finding_severity {
    error, // the analysis refuses or skips something
    warning, // probably a mistake
    note, // worth knowing
};

struct finding
{
    finding_kind kind;
    finding_severity severity;
    std::string message; // plain words, 8-bit text like the bands it names
    std::vector<std::string> bands; // for a loop: its birds in chain order
    std::vector<int> rows; // ascending, from 1
};

struct pedigree_summary
{
    int birds = 0; // distinct bands named anywhere
    int founders = 0; // birds with no known parent
    int one_parent_unknown = 0; // birds whose row names one parent only
    int parents_without_row = 0; // parents that have no row of their own
    int deepest_generation = 0; // generations in the longest line of descent (a founder is 1)
};

struct pedigree_findings
{
    std::vector<finding> findings; // by severity, then by first row
    pedigree_summary summary;

    int count(finding_severity severity) const;
    // True when there are errors or warnings.
    bool has_problems() const;
};

// Checks the data rows of a pedigree (row 1 first).
pedigree_findings check_pedigree(const std::vector<check_row> &rows);

// "row 3", "rows 3 and 5", "rows 1, 2, 3, 4, 5, 6 and 9 more": rows as messages name them.
std::string rows_text(const std::vector<int> &rows);
// "2 errors, 1 warning and 1 note", leaving out what is 0; "no problems" when all are.
std::string counts_text(int errors, int warnings, int notes = 0);

// The names scripts read: "loop", "both_sexes", ...; "error", "warning", "note".
std::string_view kind_name(finding_kind kind);
std::string_view severity_name(finding_severity severity);

// The year a band carries after its country code, as in NL-2021-1234567, BE 19 3012345 or
// GB-15-N04567: two to three letters, a separator (space, -, . or /), a year of 4 digits (1900 to
// 2099) or 2 digits (00 to 49 are 2000 to 2049, 50 to 99 are 1950 to 1999), a separator and the
// rest. 0 when the band has no such year.
int band_year(std::string_view band);
