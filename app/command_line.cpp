#include "command_line.h"

#include "app/app_info.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace {

constexpr int minimumDotsPerInch = 72;
constexpr int maximumDotsPerInch = 2400;

// Splits "--name=value" into name and value; a plain "--name" has no value.
struct Option
{
    std::string name;
    std::string value;
    bool hasValue = false;
};

Option splitOption(const std::string &argument)
{
    const size_t equals = argument.find('=');
    if (equals == std::string::npos)
        return { argument, {}, false };
    return { argument.substr(0, equals), argument.substr(equals + 1), true };
}

PaperChoice parsePaper(const std::string &value)
{
    if (value == "a4" || value == "A4")
        return PaperChoice::A4;
    if (value == "letter" || value == "Letter")
        return PaperChoice::Letter;
    throw CommandLineError("unknown paper '" + value + "' (use a4 or letter)");
}

int parseDotsPerInch(const std::string &value)
{
    int dots = 0;
    const char *end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, dots);
    if (value.empty() || error != std::errc() || stop != end || dots < minimumDotsPerInch
        || dots > maximumDotsPerInch)
        throw CommandLineError("--dpi needs a whole number from "
            + std::to_string(minimumDotsPerInch) + " to " + std::to_string(maximumDotsPerInch)
            + ", not '" + value + "'");
    return dots;
}

int parseMaxPerCock(const std::string &value)
{
    int hens = 0;
    const char *end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, hens);
    if (value.empty() || error != std::errc() || stop != end || hens < 1)
        throw CommandLineError("--max-per-cock needs a whole number from 1, not '" + value + "'");
    return hens;
}

double parsePercent(const std::string &value)
{
    double percent = 0.0;
    const char *end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, percent);
    if (value.empty() || error != std::errc() || stop != end || !std::isfinite(percent)
        || percent < 0.0 || percent > 100.0)
        throw CommandLineError(
            "--max-inbreeding needs a percentage from 0 to 100, not '" + value + "'");
    return percent;
}

// "COCK:HEN,COCK:HEN,..." appended to `pairs`; empty pieces are skipped.
void parseBandPairs(const std::string &name, const std::string &value,
    std::vector<std::pair<std::string, std::string>> &pairs)
{
    std::istringstream pieces(value);
    for (std::string piece; std::getline(pieces, piece, ',');) {
        if (piece.find_first_not_of(" \t") == std::string::npos)
            continue;
        const size_t colon = piece.find(':');
        if (colon == std::string::npos || piece.find(':', colon + 1) != std::string::npos)
            throw CommandLineError(
                name + " needs pairs COCK:HEN separated by commas, not '" + piece + "'");
        pairs.emplace_back(piece.substr(0, colon), piece.substr(colon + 1));
    }
}

// The options of `report`, and of `pairs` with its lists and CSV file besides.
class ReportArguments
{
public:
    explicit ReportArguments(const std::vector<std::string> &arguments, bool pairs = false)
        : m_arguments(arguments), m_pairs(pairs)
    { }

    ReportOptions parse()
    {
        for (m_next = 1; m_next < m_arguments.size();)
            take(m_arguments[m_next++]);
        if (m_options.inputFile.empty() && m_population)
            throw CommandLineError("population needs a pedigree file: zan population FILE.csv");
        if (m_options.inputFile.empty())
            throw CommandLineError(m_pairs
                    ? "pairs needs a pedigree file: zan pairs FILE.csv --cocks LIST --hens LIST"
                    : "report needs a pedigree file: zan report FILE.csv");
        if (m_options.printer && !m_options.pdfFile.empty())
            throw CommandLineError("--printer and --pdf cannot be used together");
        if (m_options.printer && (m_paperGiven || m_dpiGiven))
            throw CommandLineError(std::string(m_paperGiven ? "--paper" : "--dpi")
                + " applies to --pdf only; the printer's driver sets it for --printer");
        return m_options;
    }

    PairsOptions parsePairs()
    {
        m_pairsOptions.output = parse();
        if (!m_cocksGiven || !m_hensGiven)
            throw CommandLineError(
                std::string("pairs needs ") + (m_cocksGiven ? "--hens LIST" : "--cocks LIST"));
        if (!m_pairsOptions.allocate && !m_allocationOption.empty())
            throw CommandLineError(m_allocationOption + " applies to --allocate only");
        return m_pairsOptions;
    }

    PopulationOptions parsePopulation()
    {
        m_population = true;
        m_populationOptions.output = parse();
        return m_populationOptions;
    }

private:
    // The options only `zan population` takes; false for any other.
    bool takePopulationOption(const Option &option)
    {
        if (!m_population)
            return false;
        if (option.name == "--group") {
            m_populationOptions.group = valueOf(option);
            if (m_populationOptions.group.empty())
                throw CommandLineError("--group needs a list of bands or @FILE");
        } else if (option.name == "--csv" || option.name == "--json") {
            std::string &file = option.name == "--csv" ? m_populationOptions.csvFile
                                                       : m_populationOptions.jsonFile;
            file = valueOf(option);
            if (file.empty())
                throw CommandLineError(option.name + " needs a file name");
        } else {
            return false;
        }
        return true;
    }

    void take(const std::string &argument)
    {
        if (argument.size() < 2 || argument[0] != '-' || argument == "--") {
            takeFile(argument);
            return;
        }
        const Option option = splitOption(argument);
        if (takePopulationOption(option))
            return;
        if (option.name == "--text") {
            if (option.hasValue)
                throw CommandLineError("--text takes no value");
            m_options.text = true;
        } else if (option.name == "--pdf") {
            m_options.pdfFile = valueOf(option);
            if (m_options.pdfFile.empty())
                throw CommandLineError("--pdf needs a file name");
        } else if (option.name == "--paper") {
            m_options.paper = parsePaper(valueOf(option));
            m_paperGiven = true;
        } else if (option.name == "--dpi") {
            m_options.dotsPerInch = parseDotsPerInch(valueOf(option));
            m_dpiGiven = true;
        } else if (!m_pairs && option.name == "--json") {
            m_options.jsonFile = valueOf(option);
            if (m_options.jsonFile.empty())
                throw CommandLineError("--json needs a file name");
        } else if (!m_pairs && !m_population && option.name == "--bird") {
            m_options.bird = valueOf(option);
            if (m_options.bird.empty())
                throw CommandLineError("--bird needs a band number");
        } else if (!m_pairs && !m_population && option.name == "--printer") {
            m_options.printer = printerName(option);
        } else if (m_pairs && (option.name == "--cocks" || option.name == "--hens")) {
            const bool cocks = option.name == "--cocks";
            (cocks ? m_pairsOptions.cocks : m_pairsOptions.hens) = valueOf(option);
            (cocks ? m_cocksGiven : m_hensGiven) = true;
        } else if (m_pairs && option.name == "--csv") {
            m_pairsOptions.csvFile = valueOf(option);
            if (m_pairsOptions.csvFile.empty())
                throw CommandLineError("--csv needs a file name");
        } else if (m_pairs && (option.name == "--json" || option.name == "--xlsx")) {
            std::string &file
                = option.name == "--json" ? m_pairsOptions.jsonFile : m_pairsOptions.xlsxFile;
            file = valueOf(option);
            if (file.empty())
                throw CommandLineError(option.name + " needs a file name");
        } else if (m_pairs && option.name == "--allocate") {
            if (option.hasValue)
                throw CommandLineError("--allocate takes no value");
            m_pairsOptions.allocate = true;
        } else if (m_pairs && option.name == "--max-per-cock") {
            m_pairsOptions.maxPerCock = parseMaxPerCock(valueOf(option));
            m_allocationOption = option.name;
        } else if (m_pairs && option.name == "--max-inbreeding") {
            m_pairsOptions.maxInbreedingPercent = parsePercent(valueOf(option));
            m_allocationOption = option.name;
        } else if (m_pairs && (option.name == "--fix" || option.name == "--forbid")) {
            parseBandPairs(option.name, valueOf(option),
                option.name == "--fix" ? m_pairsOptions.fixed : m_pairsOptions.forbidden);
            m_allocationOption = option.name;
        } else {
            throw CommandLineError("unknown option " + option.name);
        }
    }

    void takeFile(const std::string &argument)
    {
        if (argument == "--")
            throw CommandLineError("unexpected argument --");
        if (!m_options.inputFile.empty())
            throw CommandLineError("only one pedigree file, not also '" + argument + "'");
        m_options.inputFile = argument;
    }

    std::string valueOf(const Option &option)
    {
        if (option.hasValue)
            return option.value;
        if (m_next >= m_arguments.size())
            throw CommandLineError(option.name + " needs a value");
        return m_arguments[m_next++];
    }

    // "--printer=NAME", "--printer NAME" or a bare "--printer" (the default printer). The next
    // argument is the name unless it is an option, or it is the last one and no pedigree file
    // has been named yet: "zan report --printer FILE.csv" prints FILE.csv on the default printer.
    std::string printerName(const Option &option)
    {
        if (option.hasValue) {
            if (option.value.empty())
                throw CommandLineError("--printer= needs a printer name");
            return option.value;
        }
        if (m_next >= m_arguments.size())
            return {};
        const std::string &next = m_arguments[m_next];
        const bool last = m_next + 1 == m_arguments.size();
        if (next.empty() || next[0] == '-' || (last && m_options.inputFile.empty()))
            return {};
        ++m_next;
        return next;
    }

    const std::vector<std::string> &m_arguments;
    bool m_pairs = false;
    bool m_population = false;
    PopulationOptions m_populationOptions;
    bool m_cocksGiven = false;
    bool m_hensGiven = false;
    std::string m_allocationOption; // the last one given, which needs --allocate
    size_t m_next = 1;
    ReportOptions m_options;
    bool m_paperGiven = false;
    bool m_dpiGiven = false;
    PairsOptions m_pairsOptions;
};

CheckOptions parseCheck(const std::vector<std::string> &arguments)
{
    CheckOptions options;
    for (size_t next = 1; next < arguments.size(); ++next) {
        const std::string &argument = arguments[next];
        if (argument.size() < 2 || argument[0] != '-') {
            if (!options.inputFile.empty())
                throw CommandLineError("only one pedigree file, not also '" + argument + "'");
            options.inputFile = argument;
            continue;
        }
        const Option option = splitOption(argument);
        if (option.name != "--json")
            throw CommandLineError("unknown option " + option.name);
        if (!option.hasValue && next + 1 >= arguments.size())
            throw CommandLineError("--json needs a value");
        options.jsonFile = option.hasValue ? option.value : arguments[++next];
        if (options.jsonFile.empty())
            throw CommandLineError("--json needs a file name");
    }
    if (options.inputFile.empty())
        throw CommandLineError("check needs a pedigree file: zan check FILE.csv");
    return options;
}

// zan import IN OUT.csv [--band COL] [--sire COL] [--dam COL] [--sheet NAME] [--unify-separators]
ImportOptions parseImport(const std::vector<std::string> &arguments)
{
    ImportOptions options;
    std::vector<std::string> files;
    for (size_t next = 1; next < arguments.size();) {
        const std::string &argument = arguments[next++];
        if (argument.size() < 2 || argument[0] != '-') {
            files.push_back(argument);
            continue;
        }
        const Option option = splitOption(argument);
        if (option.name == "--unify-separators") {
            if (option.hasValue)
                throw CommandLineError("--unify-separators takes no value");
            options.choice.unifySeparators = true;
            continue;
        }
        std::string *target = option.name == "--band" ? &options.choice.columns[0]
            : option.name == "--sire"                 ? &options.choice.columns[1]
            : option.name == "--dam"                  ? &options.choice.columns[2]
            : option.name == "--sheet"                ? &options.sheet
                                                      : nullptr;
        if (!target)
            throw CommandLineError("unknown option " + option.name);
        if (!option.hasValue && next >= arguments.size())
            throw CommandLineError(option.name + " needs a value");
        *target = option.hasValue ? option.value : arguments[next++];
        if (target->empty())
            throw CommandLineError(option.name + " needs a value");
    }
    if (files.size() != 2)
        throw CommandLineError("import needs a table and a pedigree file: zan import IN OUT.csv");
    options.inputFile = files[0];
    options.outputFile = files[1];
    return options;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string> &arguments)
{
    CommandLine command;
    if (arguments.empty())
        return command;
    const std::string &first = arguments[0];
    if (first == "--help" || first == "-h" || first == "help") {
        command.kind = CommandKind::Help;
        return command;
    }
    if (first == "--version") {
        command.kind = CommandKind::Version;
        return command;
    }
    if (first == "pairs") {
        command.kind = CommandKind::Pairs;
        command.pairs = ReportArguments(arguments, true).parsePairs();
        return command;
    }
    if (first == "check") {
        command.kind = CommandKind::Check;
        command.check = parseCheck(arguments);
        return command;
    }
    if (first == "population") {
        command.kind = CommandKind::Population;
        command.population = ReportArguments(arguments).parsePopulation();
        return command;
    }
    if (first == "import") {
        command.kind = CommandKind::Import;
        command.tableImport = parseImport(arguments);
        return command;
    }
    if (first != "report") {
        if (first.empty() || first[0] == '-')
            throw CommandLineError("unknown option " + first);
        if (arguments.size() > 1)
            throw CommandLineError(
                "the window opens one pedigree file, not also '" + arguments[1] + "'");
        command.windowFile = first;
        return command;
    }
    command.kind = CommandKind::Report;
    command.report = ReportArguments(arguments).parse();
    return command;
}

std::string usageText()
{
    return "Usage:\n"
           "  zan [FILE.csv]           open the pedigree window (with FILE.csv)\n"
           "  zan report FILE.csv [--pdf OUT.pdf] [--text] [--json OUT.json]\n"
           "            [--paper a4|letter] [--dpi N] [--bird BAND]\n"
           "                           analyse the pedigree in FILE.csv and write its report\n"
           "  zan report FILE.csv --printer [NAME] [--text] [--json OUT.json]\n"
           "                           print the report on a printer of the system\n"
           "  zan pairs FILE.csv --cocks LIST --hens LIST [--text] [--csv OUT.csv]\n"
           "            [--pdf OUT.pdf] [--paper a4|letter] [--dpi N] [--json OUT.json]\n"
           "            [--xlsx OUT.xlsx] [--allocate [--max-per-cock K] [--fix COCK:HEN,...]\n"
           "            [--forbid COCK:HEN,...] [--max-inbreeding PCT]]\n"
           "                           the inbreeding of the young of every cock with every hen,\n"
           "                           and with --allocate the season's least inbred pairs\n"
           "  zan check FILE.csv [--json OUT.json]\n"
           "                           list every problem in the pedigree, with its rows\n"
           "  zan population FILE.csv [--group LIST] [--text] [--csv OUT.csv] [--json OUT.json]\n"
           "            [--pdf OUT.pdf] [--paper a4|letter] [--dpi N]\n"
           "                           inbreeding, pedigree completeness and kinship of every\n"
           "                           bird; founders, ancestors and effective size of a group\n"
           "  zan import IN OUT.csv [--band COL] [--sire COL] [--dam COL] [--sheet NAME]\n"
           "             [--unify-separators]\n"
           "                           turn another program's table into a pedigree file\n"
           "  zan --help               show this text\n"
           "  zan --version            show the version\n"
           "\n"
           "Report options:\n"
           "  --pdf OUT.pdf            print the paginated report to OUT.pdf\n"
           "  --text                   write the report text to standard output (the default\n"
           "                           without --pdf and --json); a form feed starts each new\n"
           "                           page\n"
           "  --json OUT.json          write the whole analysis to OUT.json for scripts: the\n"
           "                           pedigreed bird, the ancestor table and the pedigree depth\n"
           "  --paper a4|letter        paper of the PDF (default: by the locale)\n"
           "  --dpi N                  resolution of the PDF printer, 72 to 2400 (default 600)\n"
           "  --printer [NAME]         print on the system printer NAME (without NAME: the\n"
           "                           default printer) as one job titled with FILE.csv\n"
           "  --bird BAND              analyse the bird BAND of a file of any size: its row and\n"
           "                           the rows of its ancestors, as if they were the file\n"
           "\n"
           "Pairs options:\n"
           "  --cocks LIST, --hens LIST  band numbers separated by commas, or @FILE for a file\n"
           "                           with one band per line\n"
           "  --csv OUT.csv            write the matrix and the pairs as comma-separated values\n"
           "  --json OUT.json          write the matrix (and the allocation) as JSON\n"
           "  --xlsx OUT.xlsx          write the matrix (and the allocation) as a workbook\n"
           "  --allocate               pair each hen with at most one cock so that the young\n"
           "                           are as little inbred as possible, pairing as many hens\n"
           "                           as the limits allow; with each candidate's mean kinship\n"
           "  --max-per-cock K         at most K hens per cock (default 1)\n"
           "  --fix COCK:HEN,...       pairs that are made whatever their figure\n"
           "  --forbid COCK:HEN,...    pairs that are never made\n"
           "  --max-inbreeding PCT     no pair whose young would be more inbred than PCT %\n"
           "                           (a pair at PCT is made); fixed pairs excepted\n"
           "  --text, --pdf, --paper, --dpi  as for the report (text is the default without\n"
           "                           --pdf, --csv, --json and --xlsx)\n"
           "\n"
           "Check options:\n"
           "  --json OUT.json          write the findings and the summary as JSON as well\n"
           "Population options:\n"
           "  --group LIST             the reference group: bands separated by commas, or @FILE\n"
           "                           (default: the birds with no offspring in the file)\n"
           "  --csv OUT.csv            write every bird's figures as comma-separated values\n"
           "  --json OUT.json          write the summary and the by-year table as JSON\n"
           "  --text, --pdf, --paper, --dpi  as for the report (text is the default without\n"
           "                           --pdf, --csv and --json)\n"
           "\n"
           "Import options:\n"
           "  IN                       a .csv or .txt file (separated by commas, semicolons or\n"
           "                           tabs; UTF-8 or Windows-1252), an .xlsx, .xls or .ods "
           "workbook\n"
           "  --band COL, --sire COL, --dam COL  the column of each: its name in the header row\n"
           "                           or its number counted from 1 (default: guessed from the\n"
           "                           header, else columns 1, 2 and 3)\n"
           "  --sheet NAME             the sheet of a workbook to read (default: the first)\n"
           "  --unify-separators       write blanks, dots and slashes inside bands as '-'\n"
           "  Rows that cannot be imported are listed with their line numbers; the exit status\n"
           "  is then 1 and OUT.csv holds the other rows.\n"
           "\n"
           "A pedigree with errors still gets its report, which shows them; the exit status is\n"
           "then 0. A file that cannot be read or written, or a bad option, gives 1 or 2.\n"
           "zan check exits with 0 for a pedigree without errors or warnings, 1 when it finds\n"
           "some or a file cannot be read or written, 2 for a bad option.\n";
}

std::string versionText()
{
    return std::string(executableName) + " " + applicationVersion + "\n";
}
