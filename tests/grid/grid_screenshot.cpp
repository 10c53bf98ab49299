// Shows the pedigree grid with a pedigree file loaded, scrolled down, a cell being edited, and
// writes what it shows to a PNG, for looking at the grid as a user sees it:
//   grid_screenshot <pedigree.csv> <out.png> [milliseconds to stay on screen]
// Under xvfb-run the window stays up for the given time, so that `import -window root` can take
// a screenshot of the real X server's drawing.

#include "grid/edit_grid_widget.h"
#include "grid/pedigree_grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: grid_screenshot <pedigree.csv> <out.png> [stay ms]\n");
        return 2;
    }
    QWidget window;
    window.setWindowTitle("grid");
    auto *layout = new QVBoxLayout(&window);
    auto *grid = new TEditGridWidget(&window);
    grid->setFixedSize(475, 425);
    layout->addWidget(grid);
    configurePedigreeGrid(grid->model());
    grid->controller().OnGetEditorType
        = [](TEditGrid *, int, int, TEditorType &kind) { kind = edCapital; };
    loadPedigreeFile(grid->model(), argv[1]);

    window.show();
    window.activateWindow(); // with no window manager nobody else activates it
    if (!QTest::qWaitForWindowActive(&window)) {
        std::fprintf(stderr, "the window did not become active\n");
        return 1;
    }
    grid->setFocus();
    // Scroll a few rows down, then edit the SIRE cell of the new current row.
    for (int step = 0; step < 22; ++step)
        QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClicks(grid, "ab-2021-0");
    QApplication::processEvents();
    window.grab().save(QString::fromLocal8Bit(argv[2]));

    const int stay = argc > 3 ? std::stoi(argv[3]) : 0;
    QTimer::singleShot(stay, &application, &QApplication::quit);
    return application.exec();
}
