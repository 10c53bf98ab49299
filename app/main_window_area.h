#pragma once

#include <QWidget>

// The main window's own surface, on which its controls lie. A click on the bare surface (pressed
// and released there with the left button) is the window's click; a click on a control is not,
// even when the control passes the mouse event on to its parent.
//
// The controls keep the places of the design, at the window's minimum size; what the window grows
// beyond it goes to one control (the grid), which keeps its top-left corner and widens and
// lengthens by as much.
class MainWindowArea : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindowArea(QWidget *parent = nullptr);

    // A bar kept across the whole width at the top (the tool bar).
    void setTopBar(QWidget *bar);
    // The control that takes the window's growth; its current geometry is its design geometry.
    void setGrowingChild(QWidget *child);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool onBareSurface(const QPoint &position) const;
    void layOutChildren();

    QWidget *m_topBar = nullptr;
    QWidget *m_growingChild = nullptr;
    QRect m_growingChildDesign; // in the area's pixels, at the window's minimum size
    bool m_pressed = false;
};
