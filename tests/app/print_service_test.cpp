// Printing the report on a real print service: a PDF queue of the system's CUPS scheduler, set up
// (scheduler started, queue added) by scripts/test-print-queue.sh. Where no print service can be
// started the tests are skipped and say why; under CI (CI=true) they fail instead.

#include "pdf_tools.h"

#include "app/command_line.h"
#include "app/pedigree_document.h"
#include "app/report_command.h"

#include "grid/edit_grid.h"
#include "platform/printer.h"
#include "platform/scripted_user_dialogs.h"
#include "print/dv_print.h"
#include "report/report_analysis.h"
#include "report/report_plain_text.h"
#include "report/report_window.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr auto jobTimeout = std::chrono::seconds(30);

bool inContinuousIntegration()
{
    const char *ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

void replaceAll(std::string &text, const std::string &from, const std::string &to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The folder cups-pdf writes this user's jobs to: "Out" of its configuration.
fs::path cupsPdfFolder()
{
    std::string folder = "/var/spool/cups-pdf/${USER}";
    std::ifstream config("/etc/cups/cups-pdf.conf");
    for (std::string line; std::getline(config, line);) {
        if (line.rfind("Out", 0) == 0 && line.size() > 4 && (line[3] == ' ' || line[3] == '\t'))
            folder = line.substr(line.find_first_not_of(" \t", 3));
    }
    const passwd *user = getpwuid(geteuid());
    replaceAll(folder, "${HOME}", user ? user->pw_dir : "");
    replaceAll(folder, "${USER}", user ? user->pw_name : "");
    return folder;
}

std::set<fs::path> pdfFiles(const fs::path &folder)
{
    std::set<fs::path> files;
    std::error_code error;
    for (const auto &entry : fs::directory_iterator(folder, error))
        if (entry.path().extension() == ".pdf")
            files.insert(entry.path());
    return files;
}

class PrintService : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        int status = 0;
        std::string output
            = commandOutput(std::string(ZAN_SCRIPTS_DIR "/test-print-queue.sh 2>&1"), &status);
        while (!output.empty() && (output.back() == '\n' || output.back() == ' '))
            output.pop_back();
        s_queue = status == 0 ? output : std::string();
        s_problem = status == 0 ? std::string() : output;
    }

    void SetUp() override
    {
        if (!s_problem.empty()) {
            if (inContinuousIntegration())
                FAIL() << "no print service could be started: " << s_problem;
            GTEST_SKIP() << "no print service could be started here: " << s_problem;
        }
        m_folder = fs::temp_directory_path() / ("zan-print-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
        m_pedigree = (m_folder / "blue bar loft.csv").string();
        std::ofstream csv(m_pedigree, std::ios::binary);
        auto band = [](int n) { return "DV-2021-" + std::to_string(5000 + n); };
        for (int i = 1; i <= 40; ++i)
            csv << '"' << band(i) << "\",\"" << (2 * i <= 40 ? band(2 * i) : "") << "\",\""
                << (2 * i + 1 <= 40 ? band(2 * i + 1) : "") << "\"\r\n";
        m_before = pdfFiles(cupsPdfFolder());
    }
    void TearDown() override
    {
        if (!m_folder.empty())
            fs::remove_all(m_folder);
    }

    // The PDF of the job just printed, once the queue is empty and the file complete; empty
    // when none came within the time limit.
    std::string waitForJob()
    {
        const auto deadline = std::chrono::steady_clock::now() + jobTimeout;
        std::uintmax_t lastSize = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const std::string pending = commandOutput("lpstat -o " + shellQuoted(s_queue));
            for (const fs::path &file : pdfFiles(cupsPdfFolder())) {
                if (m_before.count(file))
                    continue;
                std::error_code error;
                const std::uintmax_t size = fs::file_size(file, error);
                if (pending.empty() && !error && size > 0 && size == lastSize)
                    return file.string();
                lastSize = error ? 0 : size;
            }
        }
        return {};
    }

    // The queue's PDF against the report composed for the queue's printer.
    void expectPrinted(const std::string &pdf, const std::string &reportText, int pages)
    {
        ASSERT_FALSE(pdf.empty()) << "no PDF from the queue within " << jobTimeout.count() << " s";
        EXPECT_NE(pdfInfo(pdf, "Title").find(m_pedigree), std::string::npos)
            << pdfInfo(pdf, "Title");
        EXPECT_EQ(pdfInfo(pdf, "Pages"), std::to_string(pages));
        // The text read back ends where the depth chart's drawn words begin.
        std::vector<std::string> printed = pdfReadableLines(pdf);
        printed.erase(std::find_if(printed.begin(), printed.end(),
                          [](const std::string &line) {
                              return line.rfind("COMPLETENESS PER GENERATION", 0) == 0;
                          }),
            printed.end());
        EXPECT_EQ(firstDifference(printed, readableLines(reportText)), "");

        const std::unique_ptr<Printer> printer = createSystemPrinter(s_queue);
        const double pointsPerPixel = 72.0 / printer->deviceCaps(DeviceCap::LogPixelsX);
        const double left = printer->deviceCaps(DeviceCap::PhysicalOffsetX) * pointsPerPixel;
        const double top = printer->deviceCaps(DeviceCap::PhysicalOffsetY) * pointsPerPixel;
        const double right = left + printer->pageWidth() * pointsPerPixel;
        const double bottom = top + printer->pageHeight() * pointsPerPixel;
        const std::vector<WordBox> words = pdfWordBoxes(pdf);
        ASSERT_FALSE(words.empty());
        for (const WordBox &word : words) {
            EXPECT_TRUE(word.left >= left - 0.5 && word.right <= right + 0.5
                && word.top >= top - 0.5 && word.bottom <= bottom + 0.5)
                << "page " << word.page << ": word at " << word.left << ", " << word.top
                << " outside the printable area " << left << ", " << top << " - " << right << ", "
                << bottom;
        }
    }

    static std::string s_queue;
    static std::string s_problem;
    fs::path m_folder;
    std::string m_pedigree;
    std::set<fs::path> m_before;
};

std::string PrintService::s_queue;
std::string PrintService::s_problem;

TEST_F(PrintService, ReportWindowPrintsOnTheQueue)
{
    TEditGrid grid;
    PedigreeDocument::setUpPedigreeGrid(grid);
    PedigreeDocument document(grid);
    document.open(m_pedigree);
    ScriptedUserDialogs dialogs;
    TZAN_printF window;
    window.setPrinter(createSystemPrinter(s_queue));
    window.showAnalysis(document);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.DVPrint1().Formatted() && !window.isBusy(); }));

    QTest::mouseClick(window.findChild<QPushButton *>("Print"), Qt::LeftButton);
    EXPECT_EQ(dialogs.problems(), "");
    expectPrinted(waitForJob(), reportPlainText(window.analysis().OutPut()),
        window.DVPrint1().GetPagesCount());
    window.ReturnClick();
}

TEST_F(PrintService, ReportCommandPrintsOnTheNamedQueue)
{
    const CommandLine command = parseCommandLine({ "report", m_pedigree, "--printer", s_queue });
    std::ostringstream out, errors;
    ASSERT_EQ(runReportCommand(command.report, out, errors), 0) << errors.str();
    EXPECT_EQ(out.str(), "");

    const std::unique_ptr<Printer> printer = createSystemPrinter(s_queue);
    TEditGrid grid;
    PedigreeDocument::setUpPedigreeGrid(grid);
    PedigreeDocument document(grid);
    document.open(m_pedigree);
    ReportAnalysis expected;
    expected.setPrinter(printer.get());
    const int pages = expected.run(document);
    expectPrinted(waitForJob(), reportPlainText(expected.OutPut()), pages);
}

TEST_F(PrintService, RefusedJobIsAnError)
{
    ASSERT_EQ(std::system(("cupsreject " + shellQuoted(s_queue)).c_str()), 0);
    const CommandLine command = parseCommandLine({ "report", m_pedigree, "--printer", s_queue });
    std::ostringstream out, errors;
    const int status = runReportCommand(command.report, out, errors);
    std::system(("cupsaccept " + shellQuoted(s_queue)).c_str());
    EXPECT_EQ(status, 1);
    EXPECT_EQ(errors.str().rfind("zan: the printer " + s_queue + " refused the job: ", 0), 0u)
        << errors.str();
}

} // namespace
