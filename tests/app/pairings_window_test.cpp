#include "app/pairing_tables.h"
#include "app/pairings_window.h"

#include "rows_source.h"

#include "platform/scripted_user_dialogs.h"
#include "platform/virtual_printer.h"
#include "report/pedigree_source.h"
#include "report/report_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Full sibs S1 and D1, a half sib H1, an unrelated hen U1 and Y1, a young of S1 and U1.
const RowsSource loft(
    {
        { "S1", "GS", "GD" },
        { "D1", "GS", "GD" },
        { "H1", "GS", "M1" },
        { "U1", "X1", "X2" },
        { "Y1", "S1", "U1" },
    },
    "/lofts/loft.csv");

class PairingsWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    template <typename T> T *child(const char *name)
    {
        T *widget = m_window.findChild<T *>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Ctrl-clicks the items with these texts.
    void select(QListWidget *list, const std::vector<QString> &texts)
    {
        for (const QString &text : texts) {
            const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << text.toStdString();
            list->scrollToItem(found[0]);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                list->visualItemRect(found[0]).center());
        }
    }

    static QVariant cell(QTableView *table, int row, int column, int role = Qt::DisplayRole)
    {
        return table->model()->index(row, column).data(role);
    }

    std::vector<QString> column(QTableView *table, int column)
    {
        std::vector<QString> texts;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            texts.push_back(cell(table, row, column).toString());
        return texts;
    }

    void compute()
    {
        QTest::mouseClick(child<QPushButton>("computeButton"), Qt::LeftButton);
        QTRY_VERIFY(!m_window.isComputing());
    }

    PairingsWindow m_window { loft };
};

TEST_F(PairingsWindowTest, listsOfferTheBirdsByTheirRoles)
{
    auto *cocks = child<QListWidget>("cockList");
    auto *hens = child<QListWidget>("henList");
    std::vector<QString> cockTexts;
    for (int row = 0; row < cocks->count(); ++row)
        cockTexts.push_back(cocks->item(row)->text());
    EXPECT_EQ(cockTexts, (std::vector<QString> { "D1", "GS", "H1", "S1", "X1", "Y1" }));
    EXPECT_EQ(hens->count(), 7); // every bird not named as a sire
    EXPECT_FALSE(child<QPushButton>("saveCsvButton")->isEnabled());
}

TEST_F(PairingsWindowTest, filterHidesWhatDoesNotMatch)
{
    auto *cocks = child<QListWidget>("cockList");
    QTest::keyClicks(child<QLineEdit>("cockFilter"), "s1");
    std::vector<QString> visible;
    for (int row = 0; row < cocks->count(); ++row)
        if (!cocks->item(row)->isHidden())
            visible.push_back(cocks->item(row)->text());
    EXPECT_EQ(visible, (std::vector<QString> { "S1" }));
}

// The matrix shows each pair's figure coloured by inbreeding; a click on a hen's heading sorts
// the cocks by that hen; the pairs list runs from the least inbred.
TEST_F(PairingsWindowTest, computesColoursAndSorts)
{
    select(child<QListWidget>("cockList"), { "S1", "H1", "Y1" });
    select(child<QListWidget>("henList"), { "D1", "U1" });
    EXPECT_EQ(child<QLabel>("cockCount")->text(), "3 of 6 selected");
    compute();

    auto *matrix = child<QTableView>("matrixTable");
    ASSERT_EQ(matrix->model()->rowCount(), 3);
    ASSERT_EQ(matrix->model()->columnCount(), 3);
    EXPECT_EQ(matrix->model()->headerData(1, Qt::Horizontal).toString(), "D1");
    EXPECT_EQ(column(matrix, 0), (std::vector<QString> { "H1", "S1", "Y1" }));
    EXPECT_EQ(column(matrix, 1), (std::vector<QString> { "12.50", "25.00", "12.50" }));
    EXPECT_EQ(column(matrix, 2), (std::vector<QString> { "0.00", "0.00", "25.00" }));
    EXPECT_EQ(PairingsWindow::bandOf(0.03), PairingsWindow::InbreedingBand::Low);
    EXPECT_EQ(PairingsWindow::bandOf(0.05), PairingsWindow::InbreedingBand::Moderate);
    EXPECT_EQ(PairingsWindow::bandOf(0.0625), PairingsWindow::InbreedingBand::High);
    EXPECT_NE(cell(matrix, 1, 1, Qt::BackgroundRole), cell(matrix, 1, 2, Qt::BackgroundRole));

    QHeaderView *header = matrix->horizontalHeader();
    const QPoint second(header->sectionViewportPosition(2) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
    const std::vector<QString> sorted = column(matrix, 2);
    EXPECT_TRUE(sorted == (std::vector<QString> { "0.00", "0.00", "25.00" })
        || sorted == (std::vector<QString> { "25.00", "0.00", "0.00" }));
    EXPECT_EQ(cell(matrix, sorted[0] == "25.00" ? 0 : 2, 0).toString(), "Y1");

    auto *pairs = child<QTableView>("pairsTable");
    EXPECT_EQ(pairs->model()->rowCount(), 6);
    EXPECT_EQ(cell(pairs, 5, 2).toString(), "25.00");
    EXPECT_EQ(cell(pairs, 0, 2).toString(), "0.00");
    EXPECT_EQ(cell(pairs, 5, 4).toString(), "U1 (25.00)");
    EXPECT_TRUE(child<QPushButton>("saveCsvButton")->isEnabled());
    EXPECT_EQ(child<QLabel>("computeStatus")->text(), "6 pairs computed.");
}

TEST_F(PairingsWindowTest, notesSayWhatWasLeftOut)
{
    select(child<QListWidget>("cockList"), { "H1" });
    select(child<QListWidget>("henList"), { "H1", "D1" });
    compute();
    EXPECT_EQ(child<QPlainTextEdit>("notesView")->toPlainText().toStdString(),
        "10 birds in the pedigree; 0 cocks x 1 hens.\n"
        "H1 is named as a cock and as a hen: left out.");
    EXPECT_EQ(child<QTableView>("matrixTable")->model()->rowCount(), 0);
}

// The legend shows the colours the figures get, each with the figures it stands for.
TEST_F(PairingsWindowTest, legendExplainsTheColours)
{
    const struct
    {
        const char *name;
        double figure;
        const char *text;
    } entries[] = {
        { "legendLow", 0.0, "below 3.125 %" },
        { "legendModerate", 0.05, "3.125 % to below 6.25 %" },
        { "legendHigh", 0.25, "6.25 % and more" },
    };
    select(child<QListWidget>("cockList"), { "S1" });
    select(child<QListWidget>("henList"), { "D1", "U1" });
    compute();
    auto *matrix = child<QTableView>("matrixTable");
    for (const auto &entry : entries) {
        auto *label = child<QLabel>(entry.name);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible()) << entry.name;
        EXPECT_EQ(label->text(), entry.text);
        const QColor shown = label->palette().color(QPalette::Window);
        EXPECT_EQ(shown, inbreedingColour(PairingsWindow::bandOf(entry.figure))) << entry.name;
        for (int hen = 1; hen <= 2; ++hen) {
            if (cell(matrix, 0, hen).toString().toDouble() / 100.0 == entry.figure) {
                EXPECT_EQ(cell(matrix, 0, hen, Qt::BackgroundRole).value<QColor>(), shown);
            }
        }
    }
}

TEST_F(PairingsWindowTest, refusesWhatWouldNotFitBeforeStarting)
{
    m_window.setMemoryLimit(100);
    select(child<QListWidget>("cockList"), { "S1", "H1" });
    select(child<QListWidget>("henList"), { "D1", "U1" });
    ScriptedUserDialogs dialogs;
    dialogs.answerMessage(DialogButton::Ok);
    compute();
    EXPECT_EQ(dialogs.problems(), "");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text,
        "4 pairs (2 cocks x 2 hens) need about 540 bytes of memory, more than the 100 bytes "
        "available for them: choose fewer cocks or hens");
    EXPECT_EQ(child<QTableView>("matrixTable")->model()->rowCount(), 0);
    EXPECT_TRUE(child<QPushButton>("computeButton")->isEnabled());
}

// A loft of 20 generations of 100 birds, each of two parents drawn from the generation before.
RowsSource bigLoft()
{
    std::vector<PedigreeRow> rows;
    unsigned seed = 2026;
    const auto band = [](int generation, unsigned place) {
        return "G" + std::to_string(generation) + "-" + std::to_string(place);
    };
    for (int generation = 0; generation < 20; ++generation) {
        for (unsigned place = 0; place < 100; ++place) {
            if (generation == 0) {
                rows.push_back({ band(generation, place), "", "" });
                continue;
            }
            seed = seed * 1103515245u + 12345u;
            const unsigned sire = (seed >> 8) % 50 * 2;
            seed = seed * 1103515245u + 12345u;
            const unsigned dam = (seed >> 8) % 50 * 2 + 1;
            rows.push_back(
                { band(generation, place), band(generation - 1, sire), band(generation - 1, dam) });
        }
    }
    return RowsSource(rows, "/lofts/loft.csv");
}

// Cancel stops the work at once and leaves the figures shown before; the window goes on working.
TEST(PairingsWindowComputing, cancelStopsAndKeepsTheWindowUsable)
{
    PairingsWindow window(bigLoft());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto *cocks = window.findChild<QListWidget *>("cockList");
    auto *hens = window.findChild<QListWidget *>("henList");
    auto *computeButton = window.findChild<QPushButton *>("computeButton");
    auto *matrix = window.findChild<QTableView *>("matrixTable");
    const auto computeOnePair = [&] {
        for (QListWidget *list : { cocks, hens })
            list->clearSelection();
        cocks->findItems("G19-0", Qt::MatchExactly)[0]->setSelected(true);
        hens->findItems("G19-1", Qt::MatchExactly)[0]->setSelected(true);
        QTest::mouseClick(computeButton, Qt::LeftButton);
        QTRY_VERIFY(!window.isComputing());
        EXPECT_EQ(matrix->model()->rowCount(), 1);
    };
    computeOnePair();

    for (QListWidget *list : { cocks, hens }) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    }
    QTest::mouseClick(computeButton, Qt::LeftButton);
    ASSERT_TRUE(window.isComputing());
    auto *progress = window.findChild<QProgressDialog *>("computeProgress");
    ASSERT_NE(progress, nullptr);
    QTRY_VERIFY(progress->isVisible());
    QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.isComputing(), 2000);
    EXPECT_EQ(window.findChild<QLabel *>("computeStatus")->text(),
        "Cancelled: the figures shown are from before.");
    EXPECT_EQ(matrix->model()->rowCount(), 1);
    EXPECT_EQ(window.plan().cocks(), std::vector<std::string> { "G19-0" });

    computeOnePair();
}

TEST_F(PairingsWindowTest, printsOnThePrinterGivenAndSaysWhenThereIsNone)
{
    select(child<QListWidget>("cockList"), { "S1" });
    select(child<QListWidget>("henList"), { "D1" });
    compute();
    ScriptedUserDialogs dialogs;
    dialogs.answerMessage(DialogButton::Ok);
    QTest::mouseClick(child<QPushButton>("printButton"), Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, NoPrinterReason);

    VirtualPrinter printer;
    m_window.setPrinter(&printer);
    QTest::mouseClick(child<QPushButton>("printButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.problems(), "");
    ASSERT_EQ(printer.jobs().size(), 1u);
    EXPECT_EQ(printer.jobs()[0].title, "/lofts/loft.csv");
    EXPECT_TRUE(printer.jobs()[0].finished);
}

TEST_F(PairingsWindowTest, savesCsvAndPdfThroughTheDialogs)
{
    const fs::path folder
        = fs::temp_directory_path() / ("zan-pairings-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    select(child<QListWidget>("cockList"), { "S1" });
    select(child<QListWidget>("henList"), { "D1" });
    compute();

    ScriptedUserDialogs dialogs;
    dialogs.answerSaveFile((folder / "p.csv").string());
    QTest::mouseClick(child<QPushButton>("saveCsvButton"), Qt::LeftButton);
    dialogs.answerSaveFile(std::nullopt);
    QTest::mouseClick(child<QPushButton>("savePdfButton"), Qt::LeftButton);
    dialogs.answerSaveFile((folder / "p.pdf").string());
    QTest::mouseClick(child<QPushButton>("savePdfButton"), Qt::LeftButton);
    dialogs.answerSaveFile((folder / "missing" / "p.csv").string());
    dialogs.answerMessage(DialogButton::Ok);
    QTest::mouseClick(child<QPushButton>("saveCsvButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.problems(), "");

    ASSERT_EQ(dialogs.shown().size(), 5u);
    EXPECT_EQ(dialogs.shown()[0].text, "/lofts/loft-pairings.csv");
    EXPECT_EQ(dialogs.shown()[4].icon, MessageIcon::Error);
    std::ifstream csv(folder / "p.csv", std::ios::binary);
    std::string first;
    std::getline(csv, first);
    EXPECT_EQ(first, "\"COCK\",\"D1\"\r");
    std::ifstream pdf(folder / "p.pdf", std::ios::binary);
    std::string magic(5, '\0');
    pdf.read(magic.data(), 5);
    EXPECT_EQ(magic, "%PDF-");
    fs::remove_all(folder);
}

} // namespace
