#pragma once

#include <QWidget>

// The main window's own surface, on which its controls lie. A click on the bare surface (pressed
// and released there with the left button) is the window's click; a click on a control is not,
// even when the control passes the mouse event on to its parent.
class MainWindowArea : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindowArea(QWidget *parent = nullptr);

    // A bar kept across the whole width at the top (the tool bar).
    void setTopBar(QWidget *bar);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool onBareSurface(const QPoint &position) const;

    QWidget *m_topBar = nullptr;
    bool m_pressed = false;
};
