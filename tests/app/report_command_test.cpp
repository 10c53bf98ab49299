#include "app/command_line.h"
#include "app/pairs_command.h"
#include "app/pedigree_document.h"
#include "app/report_command.h"

#include "grid/edit_grid.h"
#include "platform/pdf_printer.h"
#include "report/depth_chart.h"
#include "report/report_analysis.h"
#include "report/report_text.h"

#include "docview/doc_view.h"

#include "platform/text_codec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Pages of a PDF file: its page objects ("/Type /Page", not "/Type /Pages").
int pdfPageCount(const fs::path &path)
{
    const std::string bytes = readFile(path);
    int count = 0;
    for (size_t at = bytes.find("/Type"); at != std::string::npos; at = bytes.find("/Type", at)) {
        at += 5;
        while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at])))
            ++at;
        if (bytes.compare(at, 5, "/Page") == 0 && bytes.compare(at, 6, "/Pages") != 0)
            ++count;
    }
    return count;
}

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int pageHeaders(const std::vector<std::string> &lines)
{
    int count = 0;
    for (const std::string &line : lines)
        count += line.rfind("File = ", 0) == 0 || line.rfind("\fFile = ", 0) == 0;
    return count;
}

struct Result
{
    int status = -1;
    std::string out;
    std::string errors;
};

class ReportCommand : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("zan-report-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    Result run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "report");
        const CommandLine command = parseCommandLine(arguments);
        std::ostringstream out, errors;
        Result result;
        result.status = runReportCommand(command.report, out, errors);
        result.out = out.str();
        result.errors = errors.str();
        return result;
    }

    std::string write(const std::string &name, const std::string &bytes)
    {
        std::ofstream(m_folder / name, std::ios::binary) << bytes;
        return (m_folder / name).string();
    }

    // A pedigree of `birds` birds in CSV: bird i has the parents 2i and 2i + 1 where they exist.
    std::string treeFile(int birds)
    {
        std::string csv;
        auto band = [](int n) { return "GB-2019-" + std::to_string(100000 + n); };
        for (int i = 1; i <= birds; ++i) {
            csv += "\"" + band(i) + "\",\"" + (2 * i <= birds ? band(2 * i) : "") + "\",\""
                + (2 * i + 1 <= birds ? band(2 * i + 1) : "") + "\"\r\n";
        }
        return write("tree" + std::to_string(birds) + ".csv", csv);
    }

    fs::path m_folder;
};

TEST_F(ReportCommand, WritesTheTextByDefault)
{
    const std::string file = write("trio.csv", "\"P\",\"S\",\"D\"\r\n");
    const Result result = run({ file });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errors, "");
    const std::vector<std::string> lines = splitLines(result.out);
    ASSERT_EQ(lines.size(), 6u + 70u + 15u + 18u); // then the pedigree depth
    EXPECT_EQ(lines[0], "File = " + file);
    EXPECT_EQ(lines[3], "ROW IDENTIFICATION     SIRE               DAM                MESSAGE");
    EXPECT_EQ(lines[4], bytesToUtf8(listingUnderline(), CharacterMap::Document));
    EXPECT_EQ(lines[6], "\fFile = " + file);
    EXPECT_EQ(lines[12 + 31].substr(0, 3), "\u251C");
    EXPECT_EQ(lines[12 + 20].substr(0, 3), "\u2502");
    EXPECT_EQ(pageHeaders(lines), 4);
    EXPECT_EQ(lines[6 + 70 + 14], "***  3 BIRDS PROCESSED  ***");
    EXPECT_EQ(lines[6 + 70 + 15], "\fFile = " + file);
}

// --json alone writes the analysis and no text; a JSON file that cannot be written is an error.
TEST_F(ReportCommand, WritesTheAnalysisAsJson)
{
    const std::string file = treeFile(7);
    const fs::path json = m_folder / "analysis.json";
    Result result = run({ file, "--json", json.string() });
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.out, "");
    std::ifstream in(json);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const QJsonObject analysis = QJsonDocument::fromJson(QByteArray::fromStdString(bytes)).object();
    EXPECT_EQ(analysis["file"].toString().toStdString(), file);
    EXPECT_EQ(analysis["ancestors"].toArray().size(), 7);
    EXPECT_EQ(analysis["generations"].toArray().size(), 2);
    EXPECT_DOUBLE_EQ(analysis["equivalent_complete_generations"].toDouble(), 2.0);

    result = run({ file, "--json", (m_folder / "missing" / "a.json").string() });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors.rfind("zan: ", 0), 0u) << result.errors;
}

// The text is the composed document, item by item, with box characters and page breaks.
TEST_F(ReportCommand, TextMatchesTheComposedLines)
{
    const std::string file = treeFile(40);
    const Result result = run({ file, "--text", "--paper", "a4" });
    ASSERT_EQ(result.status, 0) << result.errors;
    const std::vector<std::string> lines = splitLines(result.out);

    TEditGrid grid;
    PedigreeDocument::setUpPedigreeGrid(grid);
    PedigreeDocument document(grid);
    document.open(file);
    PdfPrinter pdf;
    pdf.setPaper(Paper::A4);
    ReportAnalysis analysis;
    analysis.setPrinter(&pdf);
    analysis.compose(document);

    // The lines kept for the depth chart are left out of the text.
    const TDocView &view = analysis.OutPut();
    ASSERT_EQ(lines.size() + DepthChart::ReservedLines, static_cast<size_t>(view.GetLineCount()));
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        std::string expected = bytesToUtf8(view.GetItemText(i), CharacterMap::Document);
        if (view.GetPageBreaksBeforeItems(i))
            expected.insert(0, "\f");
        // The date line may have been written a minute apart; the rest must be the same.
        const bool dateLine = expected.find("Page:") != std::string::npos;
        EXPECT_EQ(
            dateLine ? lines[i].substr(19) : lines[i], dateLine ? expected.substr(19) : expected)
            << "line " << i;
    }
}

TEST_F(ReportCommand, PedigreeWithErrorsStillGetsItsReport)
{
    const std::string file = write("cycle.csv", "\"A\",\"B\",\"\"\r\n\"B\",\"A\",\"\"\r\n");
    const Result result = run({ file, "--text" });
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("Computation Error Class INBREED a cycling pedigree has been found."),
        std::string::npos);
    EXPECT_NE(result.out.find("INVALID RESULTS *** ERRORS IN INPUT ***"), std::string::npos);
}

TEST_F(ReportCommand, MissingFileIsAOneLineError)
{
    const std::string missing = (m_folder / "absent.csv").string();
    const Result result = run({ missing });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.errors, "zan: Cannot open file " + missing + "\n");
}

TEST_F(ReportCommand, UnwritablePdfIsAOneLineError)
{
    const std::string file = write("trio.csv", "\"P\",\"S\",\"D\"\r\n");
    const std::string pdf = (m_folder / "no-such-folder" / "out.pdf").string();
    const Result result = run({ file, "--pdf", pdf });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    ASSERT_FALSE(result.errors.empty());
    EXPECT_EQ(result.errors.rfind("zan: ", 0), 0u) << result.errors;
    EXPECT_EQ(result.errors.find('\n'), result.errors.size() - 1) << result.errors;
    EXPECT_FALSE(fs::exists(pdf));
}

struct UnwritableTargetCase
{
    const char *name;
    const char *command;
    const char *target;
};

class PdfOntoUnwritableTarget : public ReportCommand,
                                public testing::WithParamInterface<UnwritableTargetCase>
{ };

// The writes fail (a full device; a kernel file that takes no PDF) after the file was opened.
TEST_P(PdfOntoUnwritableTarget, IsAOneLineErrorAndLeavesTheTargetAlone)
{
    const UnwritableTargetCase &c = GetParam();
    if (!fs::exists(c.target))
        GTEST_SKIP() << c.target << " does not exist here";
    const fs::file_type type = fs::status(c.target).type();
    const std::string file = write("trio.csv", "\"P\",\"S\",\"D\"\r\n");
    std::vector<std::string> arguments { c.command, file, "--pdf", c.target };
    if (std::string(c.command) == "pairs")
        arguments.insert(arguments.end(), { "--cocks", "S", "--hens", "D" });
    const CommandLine command = parseCommandLine(arguments);
    std::ostringstream out, errors;
    const int status = command.kind == CommandKind::Pairs
        ? runPairsCommand(command.pairs, out, errors)
        : runReportCommand(command.report, out, errors);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(errors.str().rfind("zan: cannot write file " + std::string(c.target) + ": ", 0), 0u)
        << errors.str();
    EXPECT_EQ(errors.str().find('\n'), errors.str().size() - 1) << errors.str();
    EXPECT_EQ(fs::status(c.target).type(), type);
}

INSTANTIATE_TEST_SUITE_P(Targets, PdfOntoUnwritableTarget,
    testing::Values(UnwritableTargetCase { "ReportOnAFullDevice", "report", "/dev/full" },
        UnwritableTargetCase { "ReportOnAKernelFile", "report", "/proc/version" },
        UnwritableTargetCase { "PairsOnAFullDevice", "pairs", "/dev/full" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ReportCommand, UnknownPrinterIsAOneLineError)
{
    const std::string file = write("trio.csv", "\"P\",\"S\",\"D\"\r\n");
    const Result result = run({ file, "--printer", "No such loft printer" });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.errors.rfind("zan: no printer named 'No such loft printer' (", 0), 0u)
        << result.errors;
    EXPECT_EQ(result.errors.find('\n'), result.errors.size() - 1) << result.errors;
}

TEST_F(ReportCommand, DefaultPrinterWhereThereIsNoneIsAOneLineError)
{
    // A print server that does not answer hides every queue from the program.
    const std::string file = write("trio.csv", "\"P\",\"S\",\"D\"\r\n");
    const std::string errors = (m_folder / "errors.txt").string();
    const std::string command = "CUPS_SERVER=localhost:1 '" ZAN_PROGRAM "' report '" + file
        + "' --printer 2>'" + errors + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readFile(errors), "zan: no default printer (the system offers no printers)\n");
}

struct PdfCase
{
    const char *name;
    const char *paper;
    int birds;
};

class ReportCommandPdf : public ReportCommand, public testing::WithParamInterface<PdfCase>
{ };

// The PDF has one page per report page: no line wraps and no page spills over.
TEST_P(ReportCommandPdf, HasOnePagePerPageHeader)
{
    const PdfCase &c = GetParam();
    const std::string file = treeFile(c.birds);
    const fs::path pdf = m_folder / "report.pdf";
    const Result result = run({ file, "--pdf", pdf.string(), "--text", "--paper", c.paper });
    ASSERT_EQ(result.status, 0) << result.errors;
    const int headers = pageHeaders(splitLines(result.out));
    EXPECT_EQ(pdfPageCount(pdf), headers);
    EXPECT_GT(headers, 2);
}

// Every bundled sample pedigree, on both papers.
TEST_F(ReportCommand, BundledSamplesPrintOnePagePerPageHeader)
{
    int samples = 0;
    for (const auto &entry : fs::directory_iterator(ZAN_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".csv")
            continue;
        ++samples;
        for (const char *paper : { "a4", "letter" }) {
            const fs::path pdf = m_folder / "sample.pdf";
            const Result result
                = run({ entry.path().string(), "--pdf", pdf.string(), "--text", "--paper", paper });
            ASSERT_EQ(result.status, 0) << entry.path() << ": " << result.errors;
            const std::vector<std::string> lines = splitLines(result.out);
            EXPECT_EQ(pdfPageCount(pdf), pageHeaders(lines)) << entry.path() << " on " << paper;
            EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                          [](const std::string &line) { return line.rfind("***  ", 0) == 0; }),
                lines.end())
                << entry.path();
        }
    }
    EXPECT_GE(samples, 3);
}

INSTANTIATE_TEST_SUITE_P(Papers, ReportCommandPdf,
    testing::Values(PdfCase { "A4Small", "a4", 15 }, PdfCase { "LetterSmall", "letter", 15 },
        PdfCase { "A4With300Birds", "a4", 300 }, PdfCase { "LetterWith300Birds", "letter", 300 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ReportCommand, PdfAloneWritesNoText)
{
    const std::string file = write("trio.csv", "\"P\",\"S\",\"D\"\r\n");
    const fs::path pdf = m_folder / "only.pdf";
    const Result result = run({ file, "--pdf", pdf.string() });
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(pdfPageCount(pdf), 4); // listing, chart, table, pedigree depth
}

TEST_F(ReportCommand, ExistingPdfIsReplaced)
{
    const std::string file = write("trio.csv", "\"P\",\"S\",\"D\"\r\n");
    const fs::path pdf = m_folder / "again.pdf";
    ASSERT_EQ(run({ file, "--pdf", pdf.string() }).status, 0);
    ASSERT_EQ(run({ file, "--pdf", pdf.string() }).status, 0);
    EXPECT_EQ(pdfPageCount(pdf), 4);
    EXPECT_FALSE(fs::exists(m_folder / "again (2).pdf"));
}

} // namespace

// A bird of a large loft gets the report of a file holding only its ancestry: its row, then its
// ancestors' rows in the loft's order. Family bird F-i has the parents F-2i and F-2i + 1 (up to
// 1100; above, parents without a row), listed from the highest number down, each followed by
// eight young of the family that are no one's ancestors: a loft of 10,000 birds.
TEST_F(ReportCommand, BirdIsAnalysedWithItsAncestryAlone)
{
    const int family = 1100;
    auto f = [](int i) { return "F-" + std::to_string(i); };
    auto row = [](const std::string &band, const std::string &sire, const std::string &dam) {
        return "\"" + band + "\",\"" + sire + "\",\"" + dam + "\"\r\n";
    };
    std::string loft;
    for (int i = family; i >= 1; --i) {
        loft += row(f(i), f(2 * i), f(2 * i + 1));
        for (int young = 0; young < 8; ++young)
            loft += row("Y-" + std::to_string(i * 8 + young), f(i), young > 0 ? "." : "");
    }
    loft += row("L1", "L2", "") + row("L2", "L1", "") + row("Q", "L1", "F-300");
    const std::string loftFile = write("loft.csv", loft);
    // File names and report dates apart (a date line starts with the date).
    auto comparable = [](const std::string &text, const std::string &file) {
        const std::string notice = std::string(16, ' ') + std::string(ReportText::MakerNotice);
        std::vector<std::string> lines = splitLines(text);
        for (std::string &line : lines) {
            if (const size_t at = line.find(file); at != std::string::npos)
                line.erase(at, file.size());
            if (const size_t at = line.find(notice); at != std::string::npos)
                line.erase(0, at);
        }
        return lines;
    };

    for (const int bird : { 5, 13, 300 }) {
        SCOPED_TRACE(bird);
        // F-i descends from F-bird when halving i reaches bird.
        auto isAncestor = [&](int i) {
            for (i /= 2; i > bird; i /= 2) { }
            return i == bird;
        };
        std::string ancestry = row(f(bird), f(2 * bird), f(2 * bird + 1));
        for (int i = family; i > bird; --i) {
            if (isAncestor(i))
                ancestry += row(f(i), f(2 * i), f(2 * i + 1));
        }
        const std::string ancestryFile = write("ancestry.csv", ancestry);
        const Result expected = run({ ancestryFile });
        const Result result = run({ loftFile, "--bird", f(bird) });
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.errors, "");
        EXPECT_EQ(comparable(result.out, loftFile), comparable(expected.out, ancestryFile));
    }

    // A loop in the loft ends the walk; the report tells of it.
    const Result looping = run({ loftFile, "--bird", "Q" });
    EXPECT_EQ(looping.status, 0);
    EXPECT_NE(looping.out.find("a cycling pedigree has been found"), std::string::npos);

    EXPECT_EQ(run({ loftFile, "--bird", "F-9999" }).errors,
        "zan: no bird with band 'F-9999' in " + loftFile + "\n");
    // F-1 and its 2200 ancestors pass the limit of 2048 birds.
    const Result tooMany = run({ loftFile, "--bird", "Y-8" });
    EXPECT_EQ(tooMany.status, 1);
    EXPECT_EQ(tooMany.errors,
        "zan: the ancestry of Y-8 has 2202 birds; the analysis takes at most 2048\n");
}
