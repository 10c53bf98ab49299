#pragma once

// A line above the report's preview saying that the pedigree check found errors or warnings in
// the pedigree being analysed, with a button that shows them. Hidden while there are none. The
// report itself, on screen and on paper, is the same either way.

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

class CheckNoticeBar : public QWidget
{
    Q_OBJECT

public:
    explicit CheckNoticeBar(QWidget *parent = nullptr);

    // Shows the line for `errors` and `warnings` (hides it when both are 0); the button calls
    // `showList`.
    void setProblems(int errors, int warnings, std::function<void()> showList);

    QLabel *label() const { return m_label; }
    QPushButton *button() const { return m_button; }

private:
    QLabel *m_label = nullptr;
    QPushButton *m_button = nullptr;
    std::function<void()> m_showList;
};
