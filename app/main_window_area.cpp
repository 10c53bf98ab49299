#include "main_window_area.h"

#include <QMouseEvent>

MainWindowArea::MainWindowArea(QWidget *parent) : QWidget(parent) { }

void MainWindowArea::setTopBar(QWidget *bar)
{
    m_topBar = bar;
    m_topBar->setGeometry(0, 0, width(), m_topBar->height());
}

void MainWindowArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_topBar != nullptr)
        m_topBar->setGeometry(0, 0, width(), m_topBar->height());
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
