#include "app/pairings_window.h"

#include "platform/scripted_user_dialogs.h"
#include "platform/virtual_printer.h"
#include "report/pedigree_source.h"
#include "report/report_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

class Rows : public PedigreeSource
{
public:
    explicit Rows(std::vector<PedigreeRow> rows) : m_rows(std::move(rows)) { }
    int GetPedigreeRowCount() const override { return static_cast<int>(m_rows.size()) + 1; }
    bool ReadPedigreeRow(int row, PedigreeRow &out) const override
    {
        if (row < 1 || row > static_cast<int>(m_rows.size()))
            return false;
        out = m_rows[static_cast<std::size_t>(row - 1)];
        return true;
    }
    std::string CurrentFile() const override { return "/lofts/loft.csv"; }

private:
    std::vector<PedigreeRow> m_rows;
};

// Full sibs S1 and D1, a half sib H1, an unrelated hen U1 and Y1, a young of S1 and U1.
const Rows loft({
    { "S1", "GS", "GD" },
    { "D1", "GS", "GD" },
    { "H1", "GS", "M1" },
    { "U1", "X1", "X2" },
    { "Y1", "S1", "U1" },
});

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

    std::vector<QString> column(QTableWidget *table, int column)
    {
        std::vector<QString> texts;
        for (int row = 0; row < table->rowCount(); ++row)
            texts.push_back(table->item(row, column)->text());
        return texts;
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
    QTest::mouseClick(child<QPushButton>("computeButton"), Qt::LeftButton);

    auto *matrix = child<QTableWidget>("matrixTable");
    ASSERT_EQ(matrix->rowCount(), 3);
    ASSERT_EQ(matrix->columnCount(), 3);
    EXPECT_EQ(matrix->horizontalHeaderItem(1)->text(), "D1");
    EXPECT_EQ(column(matrix, 0), (std::vector<QString> { "H1", "S1", "Y1" }));
    EXPECT_EQ(column(matrix, 1), (std::vector<QString> { "12.50", "25.00", "12.50" }));
    EXPECT_EQ(column(matrix, 2), (std::vector<QString> { "0.00", "0.00", "25.00" }));
    EXPECT_EQ(PairingsWindow::bandOf(0.03), PairingsWindow::InbreedingBand::Low);
    EXPECT_EQ(PairingsWindow::bandOf(0.05), PairingsWindow::InbreedingBand::Moderate);
    EXPECT_EQ(PairingsWindow::bandOf(0.0625), PairingsWindow::InbreedingBand::High);
    EXPECT_NE(matrix->item(1, 1)->background(), matrix->item(1, 2)->background());

    QHeaderView *header = matrix->horizontalHeader();
    const QPoint second(header->sectionViewportPosition(2) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
    const std::vector<QString> sorted = column(matrix, 2);
    EXPECT_TRUE(sorted == (std::vector<QString> { "0.00", "0.00", "25.00" })
        || sorted == (std::vector<QString> { "25.00", "0.00", "0.00" }));
    EXPECT_EQ(matrix->item(sorted[0] == "25.00" ? 0 : 2, 0)->text(), "Y1");

    auto *pairs = child<QTableWidget>("pairsTable");
    EXPECT_EQ(pairs->rowCount(), 6);
    EXPECT_EQ(pairs->item(5, 2)->text(), "25.00");
    EXPECT_EQ(pairs->item(0, 2)->text(), "0.00");
    EXPECT_TRUE(child<QPushButton>("saveCsvButton")->isEnabled());
}

TEST_F(PairingsWindowTest, notesSayWhatWasLeftOut)
{
    select(child<QListWidget>("cockList"), { "H1" });
    select(child<QListWidget>("henList"), { "H1", "D1" });
    QTest::mouseClick(child<QPushButton>("computeButton"), Qt::LeftButton);
    EXPECT_EQ(child<QPlainTextEdit>("notesView")->toPlainText().toStdString(),
        "10 birds in the pedigree; 0 cocks x 1 hens.\n"
        "H1 is named as a cock and as a hen: left out.");
    EXPECT_EQ(child<QTableWidget>("matrixTable")->rowCount(), 0);
}

TEST_F(PairingsWindowTest, printsOnThePrinterGivenAndSaysWhenThereIsNone)
{
    select(child<QListWidget>("cockList"), { "S1" });
    select(child<QListWidget>("henList"), { "D1" });
    QTest::mouseClick(child<QPushButton>("computeButton"), Qt::LeftButton);
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
    QTest::mouseClick(child<QPushButton>("computeButton"), Qt::LeftButton);

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
