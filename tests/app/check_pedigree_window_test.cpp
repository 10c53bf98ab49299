// The pedigree check in the window: Ctrl+K lists the findings, going to one selects its row in
// the grid, and Analyze mentions errors and warnings above the report's preview.

#include "app_test_support.h"
#include "modal_script.h"

#include "app/check_pedigree_dialog.h"
#include "app/main_window.h"
#include "grid/edit_grid_widget.h"
#include "grid/grid_inplace_edit.h"
#include "print/dv_print.h"
#include "report/check_notice_bar.h"
#include "report/report_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>

namespace {

class CheckPedigreeWindow : public testing::Test
{
protected:
    CheckPedigreeWindow()
    {
        m_window.setReportWindow(&m_report);
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    // Opens a pedigree of 40 clean rows followed by `rows`.
    void open(const std::string &rows)
    {
        std::string lines;
        for (int i = 1; i <= 40; ++i)
            lines += csvLine("C" + std::to_string(i));
        m_window.openAtStart(m_folder.write("loft.csv", lines + rows));
    }

    // The list once it is on screen, or nullptr.
    static CheckPedigreeDialog *shownList()
    {
        auto *list = qobject_cast<CheckPedigreeDialog *>(QApplication::activeModalWidget());
        if (list == nullptr || list->windowHandle() == nullptr
            || !list->windowHandle()->isExposed())
            return nullptr;
        return list;
    }

    static void doubleClickFirstFinding(CheckPedigreeDialog *list)
    {
        QTreeWidget *findings = list->findingList();
        const QRect place = findings->visualItemRect(findings->topLevelItem(0));
        // A view takes a double-click only on the item its first press went to.
        QTest::mouseClick(findings->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(findings->viewport(), Qt::LeftButton, {}, place.center());
    }

    TestFolder m_folder;
    TmainF m_window;
    TZAN_printF m_report { &m_window };
    TEditGridWidget *m_grid = m_window.InputGrid();
};

TEST_F(CheckPedigreeWindow, ctrlKListsTheFindingsAndADoubleClickSelectsTheRow)
{
    open(csvLine("A", "B") + csvLine("B", "A"));
    std::string heading;
    std::string firstFinding;
    std::string detail;
    ModalScript script({ { [] { return shownList() != nullptr; },
        [&] {
            CheckPedigreeDialog *list = shownList();
            heading = list->heading()->text().toStdString();
            detail = list->detail()->text().toStdString();
            const QTreeWidgetItem *item = list->findingList()->topLevelItem(0);
            firstFinding = (item->text(0) + " | " + item->text(1)).toStdString();
            doubleClickFirstFinding(list);
        } } });
    QTest::keyClick(m_grid, Qt::Key_K, Qt::ControlModifier);
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(heading,
        "The check found 1 error. Double-click a problem to go to its first row in the grid.");
    EXPECT_EQ(firstFinding, "Error | rows 41 and 42");
    EXPECT_EQ(detail,
        "rows 41 and 42: the ancestry loops: A -> B -> A (each bird is a parent of the one before "
        "it): the analysis cannot order a pedigree that loops");
    EXPECT_TRUE(m_grid->model().IsSelected(0, 41));
    EXPECT_FALSE(m_grid->cellRect(0, 41).isEmpty()) << "the grid scrolled to the row";
}

// Ctrl+K is the command even while a cell is being typed into, where the text box would take it
// to delete the rest of the line.
TEST_F(CheckPedigreeWindow, ctrlKWorksWhileACellIsEdited)
{
    open(csvLine("Y", "S", "D"));
    QTest::keyClicks(m_grid, "AB");
    QTest::keyClick(m_grid->inplaceEditor(), Qt::Key_Home);
    bool shown = false;
    ModalScript script({ { [] { return shownList() != nullptr; },
        [&] {
            shown = true;
            shownList()->reject();
        } } });
    QTest::keyClick(m_grid->inplaceEditor(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(shown);
    EXPECT_NE(m_grid->model().GetCellEx(0, 1).find("AB"), std::string::npos)
        << m_grid->model().GetCellEx(0, 1);
}

TEST_F(CheckPedigreeWindow, aCleanPedigreeIsSaidToBeClean)
{
    open(csvLine("Y", "S", "D"));
    std::string heading;
    bool listShown = true;
    ModalScript script({ { [] { return shownList() != nullptr; },
        [&] {
            heading = shownList()->heading()->text().toStdString();
            listShown = shownList()->findingList()->isVisible();
            shownList()->reject();
        } } });
    m_window.action("CheckPedigree")->trigger();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(heading, "No problems found: the pedigree is clean.");
    EXPECT_FALSE(listShown);
}

// F2 checks first: the report window says what the check found, its button opens the list, and
// going to a finding from there returns to the grid at its row.
TEST_F(CheckPedigreeWindow, analyzeMentionsTheProblemsAndLeadsToTheirRows)
{
    open(csvLine("Y", "X", "") + csvLine("Z", "", "X"));
    std::string notice;
    const auto analysed = [&] {
        return m_report.isVisible() && m_report.DVPrint1().Formatted() && !m_report.isBusy();
    };
    ModalScript script({ { analysed,
                             [&] {
                                 CheckNoticeBar *bar = m_report.checkNotice();
                                 notice
                                     = bar->isVisible() ? bar->label()->text().toStdString() : "";
                                 QTimer::singleShot(0,
                                     [bar] { QTest::mouseClick(bar->button(), Qt::LeftButton); });
                             } },
        { [] { return shownList() != nullptr; }, [] { doubleClickFirstFinding(shownList()); } } });
    QTest::keyClick(m_grid, Qt::Key_F2);
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(notice, "The pedigree check found 1 error in this pedigree.");
    EXPECT_FALSE(m_report.isVisible());
    EXPECT_TRUE(m_grid->model().IsSelected(0, 41));

    // A clean pedigree: no line above the preview.
    open(csvLine("Y", "S", "D"));
    bool shown = true;
    ModalScript clean({ { analysed, [&] {
                             shown = m_report.checkNotice()->isVisible();
                             m_report.ReturnClick();
                         } } });
    m_window.action("Analyze")->trigger();
    ASSERT_TRUE(clean.finished());
    EXPECT_FALSE(shown);
}

} // namespace
