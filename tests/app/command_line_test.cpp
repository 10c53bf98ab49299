#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ValidCase
{
    const char *name;
    std::vector<std::string> arguments;
    CommandKind kind;
    ReportOptions report;
};

class CommandLineValid : public testing::TestWithParam<ValidCase>
{ };

TEST_P(CommandLineValid, Parses)
{
    const ValidCase &c = GetParam();
    const CommandLine command = parseCommandLine(c.arguments);
    EXPECT_EQ(command.kind, c.kind);
    EXPECT_EQ(command.report.inputFile, c.report.inputFile);
    EXPECT_EQ(command.report.pdfFile, c.report.pdfFile);
    EXPECT_EQ(command.report.text, c.report.text);
    EXPECT_EQ(command.report.paper, c.report.paper);
    EXPECT_EQ(command.report.dotsPerInch, c.report.dotsPerInch);
    EXPECT_EQ(command.report.printer, c.report.printer);
}

ReportOptions onPrinter(std::string input, std::string printer, bool text = false)
{
    ReportOptions result;
    result.inputFile = std::move(input);
    result.printer = std::move(printer);
    result.text = text;
    return result;
}

ReportOptions options(std::string input, std::string pdf = {}, bool text = false,
    PaperChoice paper = PaperChoice::Locale, int dpi = 600)
{
    ReportOptions result;
    result.inputFile = std::move(input);
    result.pdfFile = std::move(pdf);
    result.text = text;
    result.paper = paper;
    result.dotsPerInch = dpi;
    return result;
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineValid,
    testing::Values(ValidCase { "NoArgumentsOpensTheWindow", {}, CommandKind::MainWindow, {} },
        ValidCase { "Help", { "--help" }, CommandKind::Help, {} },
        ValidCase { "ShortHelp", { "-h" }, CommandKind::Help, {} },
        ValidCase { "Version", { "--version" }, CommandKind::Version, {} },
        ValidCase {
            "ReportFileOnly", { "report", "a.csv" }, CommandKind::Report, options("a.csv") },
        ValidCase { "ReportPdf", { "report", "a.csv", "--pdf", "out.pdf" }, CommandKind::Report,
            options("a.csv", "out.pdf") },
        ValidCase { "OptionsBeforeTheFile", { "report", "--text", "--pdf=o.pdf", "a.csv" },
            CommandKind::Report, options("a.csv", "o.pdf", true) },
        ValidCase { "PaperAndDpi", { "report", "a.csv", "--paper", "letter", "--dpi", "300" },
            CommandKind::Report, options("a.csv", "", false, PaperChoice::Letter, 300) },
        ValidCase { "PaperWithEquals", { "report", "a.csv", "--paper=a4", "--dpi=1200" },
            CommandKind::Report, options("a.csv", "", false, PaperChoice::A4, 1200) },
        ValidCase { "FileNamedLikeADash", { "report", "-" }, CommandKind::Report, options("-") },
        ValidCase { "PrinterByName", { "report", "a.csv", "--printer", "Loft" },
            CommandKind::Report, onPrinter("a.csv", "Loft") },
        ValidCase { "PrinterWithEquals", { "report", "--printer=Loft", "a.csv" },
            CommandKind::Report, onPrinter("a.csv", "Loft") },
        ValidCase { "DefaultPrinterLast", { "report", "a.csv", "--printer" }, CommandKind::Report,
            onPrinter("a.csv", "") },
        ValidCase { "DefaultPrinterBeforeAnOption", { "report", "a.csv", "--printer", "--text" },
            CommandKind::Report, onPrinter("a.csv", "", true) },
        // The only argument left after a bare --printer is the pedigree file, not a printer.
        ValidCase { "DefaultPrinterBeforeTheFile", { "report", "--printer", "a.csv" },
            CommandKind::Report, onPrinter("a.csv", "") },
        ValidCase { "PrinterNameBeforeTheFile", { "report", "--printer", "Loft", "a.csv" },
            CommandKind::Report, onPrinter("a.csv", "Loft") }),
    [](const testing::TestParamInfo<ValidCase> &info) { return std::string(info.param.name); });

TEST(CommandLine, AFileAloneOpensTheWindowWithIt)
{
    const CommandLine command = parseCommandLine({ "birds.csv" });
    EXPECT_EQ(command.kind, CommandKind::MainWindow);
    EXPECT_EQ(command.windowFile, "birds.csv");
    EXPECT_EQ(parseCommandLine({}).windowFile, "");
}

struct InvalidCase
{
    const char *name;
    std::vector<std::string> arguments;
    const char *message;
};

class CommandLineInvalid : public testing::TestWithParam<InvalidCase>
{ };

TEST_P(CommandLineInvalid, ThrowsWithAClearMessage)
{
    const InvalidCase &c = GetParam();
    try {
        parseCommandLine(c.arguments);
        FAIL() << "no error";
    } catch (const CommandLineError &error) {
        EXPECT_STREQ(error.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineInvalid,
    testing::Values(InvalidCase { "TwoWindowFiles", { "a.csv", "b.csv" },
                        "the window opens one pedigree file, not also 'b.csv'" },
        InvalidCase { "UnknownTopOption", { "--verbose" }, "unknown option --verbose" },
        InvalidCase { "ReportWithoutFile", { "report" },
            "report needs a pedigree file: zan report FILE.csv" },
        InvalidCase { "UnknownReportOption", { "report", "a.csv", "--landscape" },
            "unknown option --landscape" },
        InvalidCase { "PdfWithoutValue", { "report", "a.csv", "--pdf" }, "--pdf needs a value" },
        InvalidCase { "PdfEmpty", { "report", "a.csv", "--pdf=" }, "--pdf needs a file name" },
        InvalidCase { "BadPaper", { "report", "a.csv", "--paper", "legal" },
            "unknown paper 'legal' (use a4 or letter)" },
        InvalidCase { "DpiNotANumber", { "report", "a.csv", "--dpi", "6OO" },
            "--dpi needs a whole number from 72 to 2400, not '6OO'" },
        InvalidCase { "DpiTooLow", { "report", "a.csv", "--dpi", "10" },
            "--dpi needs a whole number from 72 to 2400, not '10'" },
        InvalidCase { "DpiNegative", { "report", "a.csv", "--dpi=-600" },
            "--dpi needs a whole number from 72 to 2400, not '-600'" },
        InvalidCase {
            "TextWithValue", { "report", "a.csv", "--text=yes" }, "--text takes no value" },
        InvalidCase { "TwoFiles", { "report", "a.csv", "b.csv" },
            "only one pedigree file, not also 'b.csv'" },
        InvalidCase { "PrinterAndPdf", { "report", "a.csv", "--printer", "--pdf", "o.pdf" },
            "--printer and --pdf cannot be used together" },
        InvalidCase { "PrinterAndPaper", { "report", "a.csv", "--paper", "a4", "--printer" },
            "--paper applies to --pdf only; the printer's driver sets it for --printer" },
        InvalidCase { "PrinterAndDpi", { "report", "a.csv", "--printer=Loft", "--dpi", "300" },
            "--dpi applies to --pdf only; the printer's driver sets it for --printer" },
        InvalidCase { "PrinterEmptyName", { "report", "a.csv", "--printer=" },
            "--printer= needs a printer name" },
        InvalidCase { "JsonEmpty", { "report", "a.csv", "--json=" }, "--json needs a file name" },
        InvalidCase { "PrinterOnlyForReport",
            { "pairs", "a.csv", "--cocks=A", "--hens=B", "--printer" },
            "unknown option --printer" },
        InvalidCase { "PairsWithoutFile", { "pairs", "--cocks", "A", "--hens", "B" },
            "pairs needs a pedigree file: zan pairs FILE.csv --cocks LIST --hens LIST" },
        InvalidCase {
            "PairsWithoutHens", { "pairs", "a.csv", "--cocks", "A" }, "pairs needs --hens LIST" },
        InvalidCase {
            "PairsWithoutCocks", { "pairs", "a.csv", "--hens=B" }, "pairs needs --cocks LIST" },
        InvalidCase { "CsvEmpty", { "pairs", "a.csv", "--cocks", "A", "--hens", "B", "--csv=" },
            "--csv needs a file name" },
        InvalidCase {
            "CsvOnlyForPairs", { "report", "a.csv", "--csv", "o.csv" }, "unknown option --csv" },
        InvalidCase { "CheckWithoutFile", { "check", "--json=o.json" },
            "check needs a pedigree file: zan check FILE.csv" },
        InvalidCase {
            "CheckJsonWithoutValue", { "check", "a.csv", "--json" }, "--json needs a value" },
        InvalidCase { "CheckTextOption", { "check", "a.csv", "--text" }, "unknown option --text" },
        InvalidCase { "PopulationWithoutFile", { "population", "--csv", "o.csv" },
            "population needs a pedigree file: zan population FILE.csv" },
        InvalidCase { "GroupEmpty", { "population", "a.csv", "--group=" },
            "--group needs a list of bands or @FILE" },
        InvalidCase { "NoPrinterForPopulation", { "population", "a.csv", "--printer" },
            "unknown option --printer" }),
    [](const testing::TestParamInfo<InvalidCase> &info) { return std::string(info.param.name); });

TEST(CommandLine, TextIsWrittenUnlessOnlyAPdfIsAskedFor)
{
    EXPECT_TRUE(options("a.csv").writesText());
    EXPECT_FALSE(options("a.csv", "o.pdf").writesText());
    EXPECT_TRUE(options("a.csv", "o.pdf", true).writesText());
    EXPECT_FALSE(onPrinter("a.csv", "Loft").writesText());
    EXPECT_TRUE(onPrinter("a.csv", "", true).writesText());
}

TEST(CommandLine, PopulationTakesTheGroupAndTheOutputs)
{
    const CommandLine command = parseCommandLine({ "population", "a.csv", "--group", "@young.txt",
        "--csv=o.csv", "--json", "o.json", "--pdf", "o.pdf" });
    EXPECT_EQ(command.kind, CommandKind::Population);
    EXPECT_EQ(command.population.output.inputFile, "a.csv");
    EXPECT_EQ(command.population.group, "@young.txt");
    EXPECT_EQ(command.population.csvFile, "o.csv");
    EXPECT_EQ(command.population.jsonFile, "o.json");
    EXPECT_EQ(command.population.output.pdfFile, "o.pdf");
    EXPECT_FALSE(command.population.writesText());
    EXPECT_TRUE(parseCommandLine({ "population", "a.csv" }).population.writesText());
}

TEST(CommandLine, PairsTakesTheListsAndTheOutputs)
{
    const CommandLine command = parseCommandLine({ "pairs", "a.csv", "--cocks", "A,B",
        "--hens=@hens.txt", "--csv", "o.csv", "--pdf", "o.pdf", "--paper", "letter" });
    EXPECT_EQ(command.kind, CommandKind::Pairs);
    EXPECT_EQ(command.pairs.output.inputFile, "a.csv");
    EXPECT_EQ(command.pairs.cocks, "A,B");
    EXPECT_EQ(command.pairs.hens, "@hens.txt");
    EXPECT_EQ(command.pairs.csvFile, "o.csv");
    EXPECT_EQ(command.pairs.output.pdfFile, "o.pdf");
    EXPECT_EQ(command.pairs.output.paper, PaperChoice::Letter);
    EXPECT_FALSE(command.pairs.writesText());
    EXPECT_TRUE(parseCommandLine({ "pairs", "a.csv", "--cocks=", "--hens=" }).pairs.writesText());
}

TEST(CommandLine, CheckTakesTheFileAndTheJsonFile)
{
    const CommandLine command = parseCommandLine({ "check", "--json", "o.json", "a.csv" });
    EXPECT_EQ(command.kind, CommandKind::Check);
    EXPECT_EQ(command.check.inputFile, "a.csv");
    EXPECT_EQ(command.check.jsonFile, "o.json");
    EXPECT_EQ(parseCommandLine({ "check", "a.csv", "--json=b.json" }).check.jsonFile, "b.json");
}

} // namespace
