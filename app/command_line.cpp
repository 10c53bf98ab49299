#include "command_line.h"

#include "app/app_info.h"

#include <charconv>

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
        return m_pairsOptions;
    }

private:
    void take(const std::string &argument)
    {
        if (argument.size() < 2 || argument[0] != '-' || argument == "--") {
            takeFile(argument);
            return;
        }
        const Option option = splitOption(argument);
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
        } else if (!m_pairs && option.name == "--printer") {
            m_options.printer = printerName(option);
        } else if (m_pairs && (option.name == "--cocks" || option.name == "--hens")) {
            const bool cocks = option.name == "--cocks";
            (cocks ? m_pairsOptions.cocks : m_pairsOptions.hens) = valueOf(option);
            (cocks ? m_cocksGiven : m_hensGiven) = true;
        } else if (m_pairs && option.name == "--csv") {
            m_pairsOptions.csvFile = valueOf(option);
            if (m_pairsOptions.csvFile.empty())
                throw CommandLineError("--csv needs a file name");
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
    bool m_cocksGiven = false;
    bool m_hensGiven = false;
    size_t m_next = 1;
    ReportOptions m_options;
    bool m_paperGiven = false;
    bool m_dpiGiven = false;
    PairsOptions m_pairsOptions;
};

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
           "  zan report FILE.csv [--pdf OUT.pdf] [--text] [--paper a4|letter] [--dpi N]\n"
           "                           analyse the pedigree in FILE.csv and write its report\n"
           "  zan report FILE.csv --printer [NAME] [--text]\n"
           "                           print the report on a printer of the system\n"
           "  zan pairs FILE.csv --cocks LIST --hens LIST [--text] [--csv OUT.csv]\n"
           "            [--pdf OUT.pdf] [--paper a4|letter] [--dpi N]\n"
           "                           the inbreeding of the young of every cock with every hen\n"
           "  zan import IN OUT.csv [--band COL] [--sire COL] [--dam COL] [--sheet NAME]\n"
           "             [--unify-separators]\n"
           "                           turn another program's table into a pedigree file\n"
           "  zan --help               show this text\n"
           "  zan --version            show the version\n"
           "\n"
           "Report options:\n"
           "  --pdf OUT.pdf            print the paginated report to OUT.pdf\n"
           "  --text                   write the report text to standard output (the default\n"
           "                           without --pdf); a form feed starts each new page\n"
           "  --paper a4|letter        paper of the PDF (default: by the locale)\n"
           "  --dpi N                  resolution of the PDF printer, 72 to 2400 (default 600)\n"
           "  --printer [NAME]         print on the system printer NAME (without NAME: the\n"
           "                           default printer) as one job titled with FILE.csv\n"
           "\n"
           "Pairs options:\n"
           "  --cocks LIST, --hens LIST  band numbers separated by commas, or @FILE for a file\n"
           "                           with one band per line\n"
           "  --csv OUT.csv            write the matrix and the pairs as comma-separated values\n"
           "  --text, --pdf, --paper, --dpi  as for the report (text is the default without\n"
           "                           --pdf and --csv)\n"
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
           "then 0. A file that cannot be read or written, or a bad option, gives 1 or 2.\n";
}

std::string versionText()
{
    return std::string(executableName) + " " + applicationVersion + "\n";
}
