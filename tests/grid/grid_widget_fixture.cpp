#include "grid_widget_fixture.h"

#include "grid/grid_inplace_edit.h"
#include "grid/pedigree_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <ostream>

void PrintTo(const GridEvent &event, std::ostream *out)
{
    *out << event.name << "(" << event.column << ", " << event.row << ", \"" << event.value
         << "\")";
}

void GridWidgetTest::SetUp()
{
    window = std::make_unique<QWidget>();
    window->resize(475, 460);
    grid = new TEditGridWidget(window.get());
    model = &grid->model();
    editing = &grid->controller();
    configurePedigreeGrid(*model);
    grid->setGeometry(0, 0, 475, 425);
    other = new QLineEdit(window.get());
    other->setObjectName("other");
    other->setGeometry(0, 430, 200, 25);
    editing->OnGetEditorType = [this](TEditGrid *, int, int, TEditorType &kind) {
        ++editorTypeRequests;
        kind = edCapital;
    };
    editing->OnCellValidate = [this](TEditGrid *, int column, int row, std::string &value, bool &) {
        events.push_back({ "validate", column, row, value });
    };
    editing->OnAutoInsertRow = [this](TEditGrid *, int row) {
        events.push_back({ "insert", -1, row, {} });
    };
    editing->OnAutoDeleteRow = [this](TEditGrid *, int row) {
        events.push_back({ "delete", -1, row, {} });
    };
    editing->OnAutoAddRow = [this](TEditGrid *, int row) {
        events.push_back({ "add", -1, row, {} });
    };
    window->show();
    window->activateWindow(); // under an X server without a window manager nobody else does
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    grid->setFocus();
    QCursor::setPos(grid->mapToGlobal(QPoint(-50, -50))); // away from every cell
}

void GridWidgetTest::TearDown()
{
    EXPECT_EQ(model->checkConsistency(), "");
    window.reset();
}

void GridWidgetTest::fillRows(const std::vector<std::vector<std::string>> &rows)
{
    model->SetRowCountEx(static_cast<int>(rows.size()) + 1);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column)
            model->SetCellEx(int(column), int(row) + 1, rows[row][column]);
    }
    editing->InitValidate(model->Col(), model->Row());
}

void GridWidgetTest::key(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

void GridWidgetTest::type(const std::string &text)
{
    for (char c : text) {
        QWidget *target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClicks(target, QString(QChar(c)));
    }
}

void GridWidgetTest::click(int column, int row, int fromLeft)
{
    const Rect cell = grid->cellRect(column, row);
    ASSERT_FALSE(cell.isEmpty());
    const QPoint point(fromLeft >= 0 ? cell.left + fromLeft : (cell.left + cell.right) / 2,
        (cell.top + cell.bottom) / 2);
    QCursor::setPos(grid->viewport()->mapToGlobal(point));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

std::vector<std::string> GridWidgetTest::rowCells(int row) const
{
    std::vector<std::string> cells;
    for (int column = 0; column < model->GetColCountEx(); ++column)
        cells.push_back(model->GetCellEx(column, row));
    return cells;
}

QImage GridWidgetTest::grabViewport() const
{
    return grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void GridWidgetTest::setClipboard(const std::string &utf8)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(utf8));
}
