#include "main_window_area.h"

#include <QMouseEvent>

MainWindowArea::MainWindowArea(QWidget *parent) : QWidget(parent) { }

void MainWindowArea::setTopBar(QWidget *bar)
{
    m_topBar = bar;
    layOutChildren();
}

void MainWindowArea::setGrowingChild(QWidget *child)
{
    m_growingChild = child;
    m_growingChildDesign = child->geometry();
    layOutChildren();
}

void MainWindowArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOutChildren();
}

void MainWindowArea::layOutChildren()
{
    if (m_topBar != nullptr)
        m_topBar->setGeometry(0, 0, width(), m_topBar->height());
    if (m_growingChild == nullptr)
        return;
    // The menu and status bars keep their heights, so the window's growth is the area's.
    const QSize growth = (window()->size() - window()->minimumSize()).expandedTo(QSize(0, 0));
    m_growingChild->setGeometry(
        m_growingChildDesign.adjusted(0, 0, growth.width(), growth.height()));
}

bool MainWindowArea::onBareSurface(const QPoint &position) const
{
    return rect().contains(position) && childAt(position) == nullptr;
}

void MainWindowArea::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton && onBareSurface(event->position().toPoint());
    event->accept();
}

void MainWindowArea::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && onBareSurface(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}
