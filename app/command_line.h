#pragma once

#include "grid/pedigree_import.h"
#include "platform/zan_error.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the program was asked to do by its arguments.
//
//   zan [FILE.csv]                        the main window, with the file opened
//   zan report FILE.csv [--pdf OUT.pdf] [--text] [--json OUT.json] [--paper a4|letter] [--dpi N]
//   zan report FILE.csv --printer [NAME] [--text] [--json OUT.json]
//   zan pairs FILE.csv --cocks LIST --hens LIST [--text] [--csv OUT.csv] [--pdf OUT.pdf] ...
//             [--json OUT.json] [--xlsx OUT.xlsx] [--allocate [--max-per-cock K] ...]
//   zan check FILE.csv [--json OUT.json]
//   zan population FILE.csv [--group LIST] [--text] [--csv OUT.csv] [--json OUT.json] ...
//   zan import IN OUT.csv [--band COL] [--sire COL] [--dam COL] [--sheet NAME] [--unify-separators]
//   zan --help | -h
//   zan --version
enum class CommandKind {
    MainWindow,
    Report,
    Pairs,
    Check,
    Population,
    Import,
    Help,
    Version,
};

enum class PaperChoice {
    Locale, // A4 or Letter by the user's locale
    A4,
    Letter,
};

struct ReportOptions
{
    std::string inputFile;
    std::string pdfFile; // empty: no PDF
    std::string jsonFile; // empty: no JSON (report only)
    bool text = false; // write the report text to standard output
    PaperChoice paper = PaperChoice::Locale;
    int dotsPerInch = 600;
    // A system printer to print on: its name, or empty for the default printer; nothing for
    // none. Excludes pdfFile, paper and dotsPerInch (the printer's driver decides those).
    std::optional<std::string> printer;
    // The band of the bird to analyse with its ancestry alone; empty: the whole file.
    std::string bird;

    // With none of --pdf, --printer, --json and --text the report text is written.
    bool writesText() const { return text || (pdfFile.empty() && !printer && jsonFile.empty()); }
};

// The pairing planner: the pedigree file and the PDF and text options as for the report, the
// two candidate lists as given (bands separated by commas, or @FILE for one band per line of a
// file) and the CSV file.
struct PairsOptions
{
    ReportOptions output;
    std::string cocks;
    std::string hens;
    std::string csvFile; // empty: no CSV
    std::string jsonFile; // empty: no JSON
    std::string xlsxFile; // empty: no workbook

    // The season's pairs (--allocate) and their limits; fixed and forbidden pairs as given,
    // "COCK:HEN" each.
    bool allocate = false;
    int maxPerCock = 1;
    std::vector<std::pair<std::string, std::string>> fixed;
    std::vector<std::pair<std::string, std::string>> forbidden;
    std::optional<double> maxInbreedingPercent;

    // With none of --pdf, --csv, --json, --xlsx and --text the text is written.
    bool writesText() const
    {
        return output.text
            || (output.pdfFile.empty() && csvFile.empty() && jsonFile.empty() && xlsxFile.empty());
    }
};

// The pedigree check: the pedigree file and the JSON file of the findings.
struct CheckOptions
{
    std::string inputFile;
    std::string jsonFile; // empty: no JSON
};

// The population statistics: the pedigree file and the PDF and text options as for the report,
// the reference group as given (as a list of the pairs command; empty: the birds with no
// offspring) and the CSV and JSON files.
struct PopulationOptions
{
    ReportOptions output;
    std::string group;
    std::string csvFile; // empty: no CSV
    std::string jsonFile; // empty: no JSON

    // With none of --pdf, --csv, --json and --text the text is written.
    bool writesText() const
    {
        return output.text || (output.pdfFile.empty() && csvFile.empty() && jsonFile.empty());
    }
};

// Another program's table to turn into a pedigree file: the columns as chosen (a number from 1 or
// a header name; empty: guessed) and the sheet of a workbook (empty: the first).
struct ImportOptions
{
    std::string inputFile;
    std::string outputFile;
    std::string sheet;
    ImportChoice choice;
};

struct CommandLine
{
    CommandKind kind = CommandKind::MainWindow;
    std::string windowFile; // the file the main window opens; empty: untitled
    ReportOptions report;
    PairsOptions pairs;
    CheckOptions check;
    PopulationOptions population;
    ImportOptions tableImport;
};

// A bad argument; the message names it ("unknown option --foo").
class CommandLineError : public ZanError
{
public:
    using ZanError::ZanError;
};

// Interprets the arguments after the program name. Throws CommandLineError.
CommandLine parseCommandLine(const std::vector<std::string> &arguments);

// The usage text printed by --help.
std::string usageText();
// The version line printed by --version.
std::string versionText();
