#include "app/population_window.h"

#include "rows_source.h"

#include "platform/scripted_user_dialogs.h"
#include "platform/virtual_printer.h"
#include "report/pedigree_source.h"
#include "report/report_window.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Full sibs S and D of 2020, their young Y of 2022 (inbred 25 %), a half sib H of 2021.
const RowsSource loft(
    {
        { "NL-2020-1", "NL-2018-1", "NL-2018-2" },
        { "NL-2020-2", "NL-2018-1", "NL-2018-2" },
        { "NL-2021-3", "NL-2018-1", "NL-2019-4" },
        { "NL-2022-5", "NL-2020-1", "NL-2020-2" },
    },
    "/lofts/loft.csv");

std::vector<QString> column(QTableView *table, int column)
{
    std::vector<QString> texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts.push_back(table->model()->index(row, column).data().toString());
    return texts;
}

// A window shown and computed to the end.
struct Shown
{
    explicit Shown(const PedigreeSource &rows) : window(rows)
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window.isComputing(); }));
    }
    template <typename T> T *child(const char *name) { return window.findChild<T *>(name); }

    PopulationWindow window;
};

// The summary and the by-year table as text; the birds' table sorts by any column, figures as
// numbers.
TEST(PopulationWindowTest, showsTheSummaryAndSortsTheBirds)
{
    Shown shown(loft);
    ASSERT_TRUE(shown.window.hasFigures());
    const QString summary = shown.child<QPlainTextEdit>("summaryView")->toPlainText();
    EXPECT_TRUE(summary.contains("Birds in the pedigree")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("2022")) << summary.toStdString();

    auto *birds = shown.child<QTableView>("birdsTable");
    ASSERT_EQ(birds->model()->rowCount(), 7);
    birds->sortByColumn(3, Qt::DescendingOrder);
    EXPECT_EQ(column(birds, 0)[0], "NL-2022-5");
    EXPECT_EQ(column(birds, 3)[0], "25.0000");
    EXPECT_EQ(column(birds, 1)[0], "NL-2020-1");
    QTest::mouseClick(birds->horizontalHeader()->viewport(), Qt::LeftButton, {},
        QPoint(birds->horizontalHeader()->sectionViewportPosition(7) + 5, 5));
    const std::vector<QString> years = column(birds, 7);
    EXPECT_TRUE(
        std::is_sorted(years.begin(), years.end()) || std::is_sorted(years.rbegin(), years.rend()));
    EXPECT_EQ(birds->model()->headerData(6, Qt::Horizontal).toString(), "Known ancestors");
}

// The chart draws lines and scales, not a blank field.
TEST(PopulationWindowTest, chartPaints)
{
    Shown shown(loft);
    QWidget *chart = shown.child<QWidget>("populationChart");
    ASSERT_NE(chart, nullptr);
    const QImage image = chart->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            coloured += image.pixel(x, y) != image.pixel(0, 0) ? 1 : 0;
    EXPECT_GT(coloured, 500);
}

// A loft of 20 generations of 100 birds, each of two parents drawn from the generation before.
RowsSource bigLoft()
{
    std::vector<PedigreeRow> rows;
    unsigned seed = 2026;
    const auto band = [](int generation, unsigned place) {
        return "NL-" + std::to_string(2000 + generation) + "-" + std::to_string(place);
    };
    for (int generation = 0; generation < 20; ++generation) {
        for (unsigned place = 0; place < 100; ++place) {
            seed = seed * 1103515245u + 12345u;
            const unsigned sire = (seed >> 8) % 50 * 2;
            seed = seed * 1103515245u + 12345u;
            const unsigned dam = (seed >> 8) % 50 * 2 + 1;
            rows.push_back(
                { band(generation, place), generation == 0 ? "" : band(generation - 1, sire),
                    generation == 0 ? "" : band(generation - 1, dam) });
        }
    }
    return RowsSource(rows, "/lofts/loft.csv");
}

// Cancel shows no figures and says so; Compute then computes them.
TEST(PopulationWindowTest, cancelLeavesTheWindowUsable)
{
    PopulationWindow window(bigLoft());
    ASSERT_TRUE(window.isComputing());
    auto *progress = window.findChild<QProgressDialog *>("computeProgress");
    ASSERT_NE(progress, nullptr);
    progress->findChild<QPushButton *>()->click(); // as Cancel is pressed
    QTRY_VERIFY_WITH_TIMEOUT(!window.isComputing(), 5000);
    EXPECT_FALSE(window.hasFigures());
    EXPECT_EQ(
        window.findChild<QLabel *>("computeStatus")->text(), "Cancelled: Compute starts again.");
    EXPECT_EQ(window.findChild<QTableView *>("birdsTable")->model()->rowCount(), 0);
    EXPECT_FALSE(window.findChild<QPushButton *>("printButton")->isEnabled());

    QTest::mouseClick(window.findChild<QPushButton *>("computeButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.isComputing(), 10000);
    EXPECT_TRUE(window.hasFigures());
    EXPECT_EQ(window.findChild<QTableView *>("birdsTable")->model()->rowCount(), 2000);
}

// Print says when there is no printer, then prints one job; Save PDF writes the file chosen.
TEST(PopulationWindowTest, printsAndSavesPdf)
{
    Shown shown(loft);
    ScriptedUserDialogs dialogs;
    dialogs.answerMessage(DialogButton::Ok);
    QTest::mouseClick(shown.child<QPushButton>("printButton"), Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, NoPrinterReason);

    VirtualPrinter printer;
    shown.window.setPrinter(&printer);
    QTest::mouseClick(shown.child<QPushButton>("printButton"), Qt::LeftButton);
    ASSERT_EQ(printer.jobs().size(), 1u);
    EXPECT_TRUE(printer.jobs()[0].finished);

    const fs::path pdf
        = fs::temp_directory_path() / ("zan-population-" + std::to_string(::getpid()) + ".pdf");
    dialogs.answerSaveFile(pdf.string());
    QTest::mouseClick(shown.child<QPushButton>("savePdfButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.problems(), "");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].text, "/lofts/loft-population.pdf");
    EXPECT_GT(fs::file_size(pdf), 1000u);
    fs::remove(pdf);
}

// The reference group typed reaches the figures (Enter computes again); a group file that cannot
// be read is said and leaves the figures shown; Save CSV writes every bird.
TEST(PopulationWindowTest, takesTheGroupTypedAndSavesCsv)
{
    Shown shown(loft);
    auto *summary = shown.child<QPlainTextEdit>("summaryView");
    const auto groupLine = [&] {
        const QString text = summary->toPlainText();
        const qsizetype from = text.indexOf("Reference group");
        return text.mid(from, text.indexOf('\n', from) - from).simplified().toStdString();
    };
    EXPECT_EQ(groupLine(), "Reference group 2 birds with no offspring");
    auto *group = shown.child<QLineEdit>("groupEdit");
    QTest::keyClicks(group, "nl-2020-1, NL-2020-2,NL-2021-3");
    QTest::keyClick(group, Qt::Key_Return);
    QTRY_VERIFY(!shown.window.isComputing());
    EXPECT_EQ(groupLine(), "Reference group 3 birds");

    ScriptedUserDialogs dialogs;
    dialogs.answerMessage(DialogButton::Ok);
    group->setText("@/nonexistent/group.txt");
    QTest::mouseClick(shown.child<QPushButton>("computeButton"), Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "cannot read file /nonexistent/group.txt");
    EXPECT_TRUE(shown.window.hasFigures());

    const fs::path csv
        = fs::temp_directory_path() / ("zan-population-" + std::to_string(::getpid()) + ".csv");
    dialogs.answerSaveFile(csv.string());
    QTest::mouseClick(shown.child<QPushButton>("saveCsvButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.problems(), "");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].text, "/lofts/loft-population.csv");
    std::ifstream in(csv, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text.substr(0, text.find('\r')),
        "band,sire,dam,inbreeding,mean_kinship,ecg,known_ancestors,year");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8);
    fs::remove(csv);
}

} // namespace
