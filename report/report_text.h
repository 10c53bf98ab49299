#pragma once

#include <initializer_list>
#include <string>

// The fixed texts and line formats of the analysis report. Every function returns the exact bytes
// of one report line. Numbers go through the C library's printf, so rounding of halfway cases and
// the sign of small negative values are exactly C's ("%6.2f" of -0.001 is " -0.00").
//
// Report text is 8-bit; the box-drawing bytes are those of code page 437.

namespace ReportBox {
constexpr char Horizontal = '\xC4';
constexpr char Vertical = '\xB3';
constexpr char TopLeft = '\xDA';
constexpr char BottomLeft = '\xC0';
constexpr char TeeRight = '\xC3';
constexpr char TeeDown = '\xC2';
} // namespace ReportBox

// Text and paragraph style numbers of the report's style sheet.
namespace ReportStyle {
constexpr int NormalText = 0;
constexpr int Heading = 1;
constexpr int Subheading = 2;
constexpr int LeftParagraph = 0;
constexpr int CenteredParagraph = 1;
} // namespace ReportStyle

namespace ReportText {
// Width of a full report line in characters.
constexpr int LineWidth = 118;

extern const char *const BlankLine; // " "
extern const char *const MakerNotice; // 48 characters between the date and the page text
extern const char *const ListingHeading;
extern const char *const TableHeadings[3];
extern const char *const PaperWarning;
extern const char *const ComputationError;
extern const char *const InvalidResults;
extern const char *const UntitledFile;
} // namespace ReportText

// The values of one ancestor-table line, as the engine holds them (fractions, not percentages).
struct AncestorRow
{
    std::string band;
    char sex = '?';
    double inbreeding = 0.0;
    int firstGeneration = 100;
    int lastGeneration = 0;
    int offspring = 0;
    int occurrences = 0;
    double blood = 0.0;
    int sireOccurrences = 0;
    double sireBlood = 0.0;
    int damOccurrences = 0;
    double damBlood = 0.0;
    double contribution = 0.0;
    double relationship = 0.0;
    double pairBack = 0.0;
    std::string sireBand;
    std::string damBand;
};

// printf into a string; the result holds every byte printf produced.
std::string formatLine(const char *format, ...) __attribute__((format(printf, 1, 2)));

// "File = " and the file name.
std::string fileLine(const std::string &fileName);

// "Page:%2d": page 3 is "Page: 3", page 10 is "Page:10".
std::string pageText(int pageNumber);

// The date text, 16 spaces, the maker's notice, 28 spaces and the page text.
std::string dateLine(const std::string &dateText, const std::string &pageText);

// Runs of horizontal box lines of the given lengths separated by single spaces.
std::string underline(std::initializer_list<int> runs);

// The listing underline: runs of 3, 18, 18, 18 and 57 horizontal lines.
std::string listingUnderline();

// The table underline: one run per table column, 118 characters.
std::string tableUnderline();

// One listing line; texts longer than their column are printed whole and push the rest right.
std::string listingLine(int row, const std::string &identification, const std::string &sire,
    const std::string &dam, const std::string &message);

// "ZAN = %5.2f" of the percentage, followed by a literal percent sign.
std::string inbreedingLine(double percent);

// One ancestor-table line; fractions are printed as percentages with two decimals.
std::string tableLine(const AncestorRow &row);

// "***  %d BIRDS PROCESSED  ***".
std::string closingLine(int birdCount);

// "Computation Error " followed by the engine's message.
std::string computationErrorLine(const std::string &engineMessage);

// The report date "mmm. dd, yyyy hh:nn"; month is 1 to 12 and picks the short month name.
std::string reportDate(const std::string &shortMonthName, int day, int year, int hour, int minute);
