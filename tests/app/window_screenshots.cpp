// Screenshots of the pedigree window and the About box as the X server shows them, for looking at
// and for the README. Run under a real X server:
//
//   xvfb-run -s '-screen 0 1280x1024x24' build/dev/tests/app/app_screenshots FOLDER [FILE.csv]
//
// It writes main-empty.png, main-loaded.png (FILE.csv, by default a bundled sample),
// main-enlarged.png (the whole screen), main-smallest.png, main-editing.png, main-menu.png,
// about.png, report-last-page.png (the report window on the report's last page, the pedigree
// depth), population.png (the population statistics), pairings-matrix.png and
// pairings-allocate.png (the pairings window's matrix with fixed, forbidden and allocated pairs,
// and its Allocate tab; the sample's birds, whatever FILE.csv), and for the sample of every kind of
// mistake check-list.png (the pedigree check's list) and report-check.png (the report window's
// line on it), and import.png (the import dialog on the sample loft program's export) into FOLDER.

#include "app/about_box.h"
#include "app/app_identity.h"
#include "app/check_pedigree_dialog.h"
#include "app/exception_boundary.h"
#include "app/main_window.h"
#include "app/pairings_window.h"
#include "app/pedigree_check_texts.h"
#include "app/population_window.h"
#include "grid/import_dialog.h"
#include "print/dv_print.h"
#include "report/report_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <iostream>
#include <string>

namespace {

// The screen area of the window (with any frame), grabbed from the X server so that pop-up menus
// and the window manager's view of it are on the picture.
void shootArea(const QWidget &window, QRect area, const std::string &fileName)
{
    QTest::qWait(300);
    area = area.intersected(window.screen()->geometry());
    const QPixmap shot
        = window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (!shot.save(QString::fromStdString(fileName)))
        std::cerr << "cannot write " << fileName << '\n';
}

void shoot(const QWidget &window, const std::string &fileName)
{
    shootArea(window, window.frameGeometry().adjusted(-8, -8, 8, 8), fileName);
}

// The part of the pairings window from its tabs down to the legend, for the user guide.
void shootTabs(const QWidget &window, const std::string &fileName)
{
    const auto *tabs = window.findChild<QWidget *>("pairingTabs");
    const auto *legend = window.findChild<QWidget *>("matrixLegend");
    const QRect area(tabs->mapToGlobal(QPoint(0, 0)),
        legend->mapToGlobal(QPoint(tabs->width(), legend->height())));
    shootArea(window, area.adjusted(-4, -4, 4, 4), fileName);
}

// The worked allocation of the user guide: three cocks and four hens of the sample, at most two
// hens per cock and no young above 6.25 %, one pair fixed and one forbidden by clicks on the
// matrix.
bool shootPairings(QWidget *parent, const PedigreeSource &sample, const std::string &folder)
{
    PairingsWindow window(sample, parent);
    window.resize(840, 760);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    const auto select = [&](const char *list, std::initializer_list<const char *> bands) {
        auto *birds = window.findChild<QListWidget *>(list);
        for (const char *band : bands)
            for (QListWidgetItem *item : birds->findItems(band, Qt::MatchExactly))
                item->setSelected(true);
    };
    select("cockList", { "NL-2022-1234567", "NL-2020-1187654", "NL-2012-1012345" });
    select("henList", { "BE-2020-3112345", "GB-15-N04567", "NL-2018-1299876", "BE-2017-3087654" });
    window.computePairs();
    if (!QTest::qWaitFor([&] { return !window.isComputing(); }, 20000))
        return false;
    auto *matrix = window.findChild<QTableView *>("matrixTable");
    const auto click = [&](int row, int column) {
        const QModelIndex cell = matrix->model()->index(row, column);
        QTest::mouseClick(
            matrix->viewport(), Qt::LeftButton, {}, matrix->visualRect(cell).center());
    };
    window.findChild<QSpinBox *>("maxPerCockBox")->setValue(2);
    window.findChild<QCheckBox *>("boundCheck")->setChecked(true);
    click(2, 2); // NL-2022-1234567 x BE-2020-3112345: fixed
    click(1, 1); // NL-2020-1187654 x BE-2017-3087654: forbidden
    click(1, 1);
    window.allocatePairs();
    shootTabs(window, folder + "/pairings-matrix.png");
    window.findChild<QTabWidget *>()->setCurrentIndex(2);
    shootTabs(window, folder + "/pairings-allocate.png");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    ZanApplication application(argc, argv);
    setUpApplicationIdentity();
    const std::string folder = argc > 1 ? argv[1] : ".";
    const std::string pedigree = argc > 2 ? argv[2] : ZAN_EXAMPLES_DIR "/line_bred.csv";

    TmainF mainF;
    TAbout about(&mainF);
    mainF.setAboutBox(&about);
    mainF.show();
    if (!QTest::qWaitForWindowExposed(&mainF))
        return 1;
    mainF.activateWindow();
    shoot(mainF, folder + "/main-empty.png");

    mainF.openAtStart(pedigree);
    shoot(mainF, folder + "/main-loaded.png");

    // The grid takes what the window grows; the design size is the smallest.
    mainF.setGeometry(mainF.screen()->availableGeometry());
    shoot(mainF, folder + "/main-enlarged.png");
    mainF.resize(40, 30);
    shoot(mainF, folder + "/main-smallest.png");

    TEditGridWidget *grid = mainF.InputGrid();
    grid->setFocus();
    grid->model().SelectRange(1, 1, 3, 3);
    QTest::keyClicks(grid, "nl-21-10");
    shoot(mainF, folder + "/main-editing.png");

    QMenu *edit = mainF.menuBar()->actions().at(1)->menu();
    edit->popup(mainF.mapToGlobal(
        mainF.menuBar()->actionGeometry(mainF.menuBar()->actions().at(1)).bottomLeft()));
    shoot(mainF, folder + "/main-menu.png");
    edit->hide();

    about.show();
    if (!QTest::qWaitForWindowExposed(&about))
        return 1;
    shoot(about, folder + "/about.png");
    about.hide();

    mainF.openAtStart(pedigree);
    {
        TZAN_printF report(&mainF);
        report.showAnalysis(mainF.pedigreeSource());
        if (!QTest::qWaitFor(
                [&] { return report.DVPrint1().Formatted() && !report.isBusy(); }, 20000))
            return 1;
        QScrollBar *pages = report.findChild<QScrollBar *>("ScrollBar1");
        pages->setValue(pages->maximum());
        shoot(report, folder + "/report-last-page.png");
        report.ReturnClick();
    }

    {
        PopulationWindow population(mainF.pedigreeSource(), &mainF);
        population.show();
        if (!QTest::qWaitForWindowExposed(&population)
            || !QTest::qWaitFor([&] { return !population.isComputing(); }, 20000))
            return 1;
        shoot(population, folder + "/population.png");
    }
    mainF.openAtStart(ZAN_EXAMPLES_DIR "/line_bred.csv");
    if (!shootPairings(&mainF, mainF.pedigreeSource(), folder))
        return 1;

    mainF.openAtStart(ZAN_EXAMPLES_DIR "/mistakes.csv");
    const pedigree_findings checked = checkPedigree(mainF.pedigreeSource());
    CheckPedigreeDialog list(checked, &mainF);
    list.show();
    if (!QTest::qWaitForWindowExposed(&list))
        return 1;
    shoot(list, folder + "/check-list.png");
    list.hide();

    TZAN_printF report(&mainF);
    report.setCheckProblems(
        checked.count(finding_severity::error), checked.count(finding_severity::warning), [] {});
    report.showAnalysis(mainF.pedigreeSource());
    if (!QTest::qWaitFor([&] { return report.DVPrint1().Formatted() && !report.isBusy(); }, 20000))
        return 1;
    shoot(report, folder + "/report-check.png");
    report.ReturnClick();

    const std::string loft = ZAN_EXAMPLES_DIR "/loft_export.csv";
    ImportDialog import(loft, readImportTable(loft), &mainF);
    import.show();
    if (!QTest::qWaitForWindowExposed(&import))
        return 1;
    shoot(import, folder + "/import.png");
    return 0;
}
