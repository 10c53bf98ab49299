#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's name and version, the maker's notice and the terms of use, closed
// with its default OK button. Created once at start-up and shown modally by the main window.
class TAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TAbout(QWidget *parent = nullptr);

    QPushButton *OKButton() const { return m_ok; }

private:
    QPushButton *m_ok = nullptr;
};
