// The analysis as a breeder works it: a pedigree typed into the main window and saved, F2, paging
// through the report, printing it and returning; the printed pages read the same as those of
// `zan report --pdf` for the saved file.

#include "app_test_support.h"
#include "modal_script.h"
#include "pdf_tools.h"

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/report_command.h"

#include "grid/edit_grid_widget.h"
#include "platform/pdf_printer.h"
#include "platform/scripted_user_dialogs.h"
#include "print/dv_print.h"
#include "print/dv_print_preview.h"
#include "report/report_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The text of a PDF line by line as pdftotext lays it out, without the date lines.
std::vector<std::string> pdfLinesWithoutDates(const std::string &pdf)
{
    std::vector<std::string> lines;
    std::istringstream in(
        commandOutput("pdftotext -layout " + shellQuoted(pdf) + " - 2>/dev/null"));
    for (std::string line; std::getline(in, line);)
        if (line.find("Page:") == std::string::npos)
            lines.push_back(line);
    return lines;
}

TEST(AnalyzeEndToEnd, TypedPedigreeIsPagedPrintedAndReadsAsTheBatchReport)
{
    TestFolder folder;
    const std::string pedigree = folder.file("kweek.csv");
    const std::string windowPdf = folder.file("window.pdf");
    auto printer = std::make_unique<PdfPrinter>();
    printer->setPaper(Paper::A4);
    printer->setOutputFile(windowPdf);

    ScriptedUserDialogs dialogs;
    TmainF mainWindow;
    TZAN_printF report(&mainWindow);
    report.setPrinter(std::move(printer));
    mainWindow.setReportWindow(&report);
    mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    mainWindow.activateWindow();
    TEditGridWidget *grid = mainWindow.InputGrid();
    grid->setFocus();

    const std::vector<std::vector<const char *>> rows { { "nl-21-100", "nl-19-10", "nl-19-11" },
        { "nl-19-10", "be-16-1", "nl-17-2" }, { "nl-19-11", "be-16-1", "nl-17-3" },
        { "nl-17-2", "be-14-7", "" }, { "nl-17-3", "be-14-7", "nl-15-8" } };
    // Enter stores a cell and opens the next one, appending a row after the last DAM; the last
    // cell is left open for Save to store.
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t column = 0; column < 3; ++column) {
            QTest::keyClicks(QApplication::focusWidget(), rows[row][column]);
            if (row + 1 < rows.size() || column < 2)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    }
    dialogs.answerSaveFile(pedigree);
    QTest::mouseClick(mainWindow.findChild<QToolBar *>("ToolBar1")
                          ->widgetForAction(mainWindow.action("FileSave")),
        Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::exists(pedigree)) << dialogs.problems();
    EXPECT_EQ(readFile(pedigree),
        csvLine("NL-21-100", "NL-19-10", "NL-19-11") + csvLine("NL-19-10", "BE-16-1", "NL-17-2")
            + csvLine("NL-19-11", "BE-16-1", "NL-17-3") + csvLine("NL-17-2", "BE-14-7", "")
            + csvLine("NL-17-3", "BE-14-7", "NL-15-8"));

    auto *preview = report.findChild<TDVPrintPreview *>("DVPrintPreview1");
    std::vector<std::string> statusTexts;
    const auto note = [&] { statusTexts.push_back(report.statusText()); };
    const auto pageKey = [&](Qt::Key key) {
        QTest::keyClick(preview, key);
        note();
    };
    ModalScript script({
        { [&] { return report.isVisible() && report.DVPrint1().Formatted() && !report.isBusy(); },
            [&] {
                note();
                pageKey(Qt::Key_PageDown);
                pageKey(Qt::Key_PageDown);
                pageKey(Qt::Key_PageUp);
            } },
        { [] { return true; },
            [&] {
                QTest::mouseClick(report.findChild<QPushButton *>("Print"), Qt::LeftButton);
                note();
                QTest::mouseClick(report.findChild<QPushButton *>("Return"), Qt::LeftButton);
            } },
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);

    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(report.isVisible());
    EXPECT_EQ(statusTexts,
        (std::vector<std::string> { "Previewing Page 1 of 4", "Previewing Page 2 of 4",
            "Previewing Page 3 of 4", "Previewing Page 2 of 4", "" }));
    EXPECT_EQ(dialogs.problems(), "");

    const std::string batchPdf = folder.file("batch.pdf");
    std::ostringstream out, errors;
    const CommandLine command
        = parseCommandLine({ "report", pedigree, "--pdf", batchPdf, "--paper", "a4" });
    ASSERT_EQ(runReportCommand(command.report, out, errors), 0) << errors.str();
    const std::vector<std::string> printed = pdfLinesWithoutDates(windowPdf);
    EXPECT_GT(printed.size(), 60u);
    EXPECT_EQ(firstDifference(printed, pdfLinesWithoutDates(batchPdf)), "");
    EXPECT_EQ(pdfInfo(windowPdf, "Pages"), "4"); // the last the pedigree depth
}

} // namespace
