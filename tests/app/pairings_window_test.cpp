#include "app/command_line.h"
#include "app/pairing_tables.h"
#include "app/pairings_window.h"
#include "app/pairs_command.h"
#include "app/pedigree_document.h"
#include "app_test_support.h"

#include "rows_source.h"

#include "grid/edit_grid.h"

#include "platform/scripted_user_dialogs.h"
#include "platform/virtual_printer.h"
#include "report/pedigree_source.h"
#include "report/report_window.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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

    void showTab(int tab)
    {
        QTabBar *bar = child<QTabWidget>("pairingTabs")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    }

    // Clicks a cell of the matrix `times` times, the matrix tab shown.
    void clickCell(int row, int column, int times = 1)
    {
        showTab(0);
        auto *matrix = child<QTableView>("matrixTable");
        const QPoint centre = matrix->visualRect(matrix->model()->index(row, column)).center();
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(matrix->viewport(), Qt::LeftButton, {}, centre);
    }

    // Types `text` over the number in a spin box.
    static void typeOver(QAbstractSpinBox *box, const char *text)
    {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    void allocate()
    {
        showTab(2);
        QTest::mouseClick(child<QPushButton>("allocateButton"), Qt::LeftButton);
    }

    // "COCK:HEN" of every pair the allocation tab lists, in its order.
    std::vector<QString> allocated()
    {
        auto *table = child<QTableView>("allocationTable");
        std::vector<QString> pairs;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            pairs.push_back(cell(table, row, 0).toString() + ":" + cell(table, row, 1).toString());
        return pairs;
    }

    PairingsWindow m_window { loft };
};

// Cocks H1, S1, Y1 down the matrix and hens D1, U1 across: H1 12.50 0.00, S1 25.00 0.00,
// Y1 12.50 25.00.
class PairingsAllocateTest : public PairingsWindowTest
{
protected:
    void SetUp() override
    {
        PairingsWindowTest::SetUp();
        select(child<QListWidget>("cockList"), { "S1", "H1", "Y1" });
        select(child<QListWidget>("henList"), { "D1", "U1" });
        compute();
    }
};

// Clicks on a figure fix, forbid and free its pair; the allocation keeps the fixed pairs, never
// makes the forbidden ones, gives a cock as many hens as allowed and no young above the bound.
TEST_F(PairingsAllocateTest, honoursClicksAndLimits)
{
    struct Click
    {
        int row, column, times;
    };
    const struct
    {
        const char *name;
        std::vector<Click> clicks;
        const char *perCock;
        const char *bound; // null: none
        std::vector<QString> pairs;
        QString clickedCell; // the first clicked cell, or H1 x D1
    } cases[] = {
        { "free", {}, "1", nullptr, { "H1:D1", "S1:U1" }, "\u25CF 12.50" },
        { "fixed", { { 2, 1, 1 } }, "1", nullptr, { "Y1:D1", "H1:U1" }, "\u2714\u25CF 12.50" },
        { "forbidden", { { 0, 1, 2 } }, "1", nullptr, { "Y1:D1", "H1:U1" }, "\u2718 12.50" },
        { "freedAgain", { { 0, 1, 3 } }, "1", nullptr, { "H1:D1", "S1:U1" }, "\u25CF 12.50" },
        { "twoHensPerCock", {}, "2", nullptr, { "H1:D1", "H1:U1" }, "\u25CF 12.50" },
        { "bound", {}, "1", "10", { "H1:U1" }, "12.50" },
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        QTest::mouseClick(child<QPushButton>("clearChoicesButton"), Qt::LeftButton);
        for (const Click &click : test.clicks)
            clickCell(click.row, click.column, click.times);
        showTab(2);
        typeOver(child<QSpinBox>("maxPerCockBox"), test.perCock);
        if (child<QCheckBox>("boundCheck")->isChecked() != (test.bound != nullptr))
            QTest::mouseClick(child<QCheckBox>("boundCheck"), Qt::LeftButton);
        if (test.bound)
            typeOver(child<QDoubleSpinBox>("boundBox"), test.bound);
        allocate();
        EXPECT_EQ(allocated(), test.pairs);
        const Click first = test.clicks.empty() ? Click { 0, 1, 0 } : test.clicks[0];
        EXPECT_EQ(cell(child<QTableView>("matrixTable"), first.row, first.column).toString(),
            test.clickedCell);
    }
    EXPECT_NE(
        child<QPlainTextEdit>("allocationNotes")->toPlainText().indexOf("Hens left unpaired: D1."),
        -1);
}

// Once made, the allocation follows the clicks; a new computation keeps the choices whose birds
// are still chosen and allocates again.
TEST_F(PairingsAllocateTest, followsChoicesAndKeepsThemOverANewComputation)
{
    allocate();
    EXPECT_EQ(allocated(), (std::vector<QString> { "H1:D1", "S1:U1" }));
    clickCell(2, 1); // Y1 x D1 fixed
    EXPECT_EQ(allocated(), (std::vector<QString> { "Y1:D1", "H1:U1" }));
    auto *matrix = child<QTableView>("matrixTable");
    matrix->setCurrentIndex(matrix->model()->index(0, 2));
    QTest::keyClick(matrix, Qt::Key_Space);
    QTest::keyClick(matrix, Qt::Key_Space); // H1 x U1 forbidden
    EXPECT_EQ(allocated(), (std::vector<QString> { "Y1:D1", "S1:U1" }));

    select(child<QListWidget>("cockList"), { "H1" }); // no longer chosen
    compute();
    EXPECT_EQ(
        m_window.choices().fixed(), (std::vector<PairingAllocation::BandPair> { { "Y1", "D1" } }));
    EXPECT_EQ(cell(child<QTableView>("matrixTable"), 1, 1).toString(), "\u2714\u25CF 12.50");
    EXPECT_EQ(allocated(), (std::vector<QString> { "Y1:D1", "S1:U1" }));
    EXPECT_EQ(child<QTableView>("kinshipTable")->model()->rowCount(), 4);

    QTest::mouseClick(child<QPushButton>("clearChoicesButton"), Qt::LeftButton);
    EXPECT_TRUE(m_window.choices().empty());
    EXPECT_EQ(cell(child<QTableView>("matrixTable"), 1, 1).toString(), "\u25CF 12.50");
}

// Before any figures there is nothing to allocate, mark or save, and asking does no harm.
TEST_F(PairingsWindowTest, allocatesNothingBeforeTheFigures)
{
    EXPECT_FALSE(child<QPushButton>("allocateButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("saveXlsxButton")->isEnabled());
    m_window.allocatePairs();
    m_window.clearChoices();
    clickCell(0, 1);
    EXPECT_EQ(m_window.allocation(), nullptr);
    EXPECT_TRUE(m_window.choices().empty());
    EXPECT_EQ(child<QTableView>("allocationTable")->model()->rowCount(), 0);
    EXPECT_EQ(child<QTableView>("kinshipTable")->model()->rowCount(), 0);
}

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

// The window's saved CSV and workbook for the user guide's worked allocation are the files
// `zan pairs --allocate` writes for the same lists, limits and choices.
TEST(PairingsWindowFiles, saveWhatThePairsCommandWrites)
{
    const std::string pedigree = ZAN_EXAMPLES_DIR "/line_bred.csv";
    TEditGrid grid;
    PedigreeDocument::setUpPedigreeGrid(grid);
    PedigreeDocument document(grid);
    document.open(pedigree);
    PairingsWindow window(document);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const std::vector<std::string> cocks { "NL-2012-1012345", "NL-2020-1187654",
        "NL-2022-1234567" };
    const std::vector<std::string> hens { "BE-2017-3087654", "BE-2020-3112345", "GB-15-N04567",
        "NL-2018-1299876" };
    for (const auto &[list, bands] :
        { std::pair { "cockList", &cocks }, std::pair { "henList", &hens } })
        for (const std::string &band : *bands)
            window.findChild<QListWidget *>(list)
                ->findItems(QString::fromStdString(band), Qt::MatchExactly)[0]
                ->setSelected(true);
    QTest::mouseClick(window.findChild<QPushButton *>("computeButton"), Qt::LeftButton);
    QTRY_VERIFY(!window.isComputing());
    auto *matrix = window.findChild<QTableView *>("matrixTable");
    const auto click = [&](int row, int column) {
        QTest::mouseClick(matrix->viewport(), Qt::LeftButton, {},
            matrix->visualRect(matrix->model()->index(row, column)).center());
    };
    click(2, 2); // NL-2022-1234567 x BE-2020-3112345 fixed
    click(1, 1); // NL-2020-1187654 x BE-2017-3087654 forbidden
    click(1, 1);
    window.findChild<QTabWidget *>("pairingTabs")->setCurrentIndex(2);
    window.findChild<QSpinBox *>("maxPerCockBox")->setValue(2);
    QTest::mouseClick(window.findChild<QCheckBox *>("boundCheck"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton *>("allocateButton"), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QTableView *>("kinshipTable")->model()->index(0, 2).data(), "29.01");
    VirtualPrinter printer;
    window.setPrinter(&printer);
    QTest::mouseClick(window.findChild<QPushButton *>("printButton"), Qt::LeftButton);
    ASSERT_EQ(printer.jobs().size(), 1u);
    bool printedSeason = false;
    for (const std::vector<DrawCall> &page : printer.jobs()[0].pages)
        for (const DrawCall &call : page)
            printedSeason = printedSeason || call.text.starts_with("THE SEASON'S PAIRS, AT MOST 2");
    EXPECT_TRUE(printedSeason);

    TestFolder folder;
    ScriptedUserDialogs dialogs;
    dialogs.answerSaveFile(folder.file("window.csv"));
    QTest::mouseClick(window.findChild<QPushButton *>("saveCsvButton"), Qt::LeftButton);
    dialogs.answerSaveFile(folder.file("window.xlsx"));
    QTest::mouseClick(window.findChild<QPushButton *>("saveXlsxButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.problems(), "");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].text, ZAN_EXAMPLES_DIR "/line_bred-pairings.xlsx");

    const auto joined = [](const std::vector<std::string> &bands) {
        std::string text;
        for (const std::string &band : bands)
            text += (text.empty() ? "" : ",") + band;
        return text;
    };
    std::ostringstream out, errors;
    ASSERT_EQ(
        runPairsCommand(parseCommandLine(
                            { "pairs", pedigree, "--cocks", joined(cocks), "--hens", joined(hens),
                                "--allocate", "--max-per-cock", "2", "--max-inbreeding", "6.25",
                                "--fix", "NL-2022-1234567:BE-2020-3112345", "--forbid",
                                "NL-2020-1187654:BE-2017-3087654", "--csv",
                                folder.file("command.csv"), "--xlsx", folder.file("command.xlsx") })
                            .pairs,
            out, errors),
        0);
    const std::string csv = readFile(folder.file("window.csv"));
    EXPECT_NE(
        csv.find("\"UNPAIRED HENS\",\"BE-2017-3087654\",\"NL-2018-1299876\""), std::string::npos);
    EXPECT_EQ(csv, readFile(folder.file("command.csv")));
    for (const char *member :
        { "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml", "xl/sharedStrings.xml" }) {
        const std::string saved = readZipMember(folder.file("window.xlsx"), member);
        EXPECT_FALSE(saved.empty()) << member;
        EXPECT_EQ(saved, readZipMember(folder.file("command.xlsx"), member)) << member;
    }
}

} // namespace
