#pragma once

// Where exceptions end. Qt lets no exception pass through its event handling, so every command
// the user starts runs inside guarded(): an exception it throws is shown in a message box
// captioned with the program's name, holding the exception's message exactly, and the program
// goes on. ZanApplication catches, and shows the same way, whatever still reaches the event loop.
//
//   connect(action, &QAction::triggered, this, [this] { guarded(this, [this] { FileOpenExecute(); }); });

#include <QApplication>

#include <exception>
#include <utility>

class QWidget;

// Shows the message of the exception being handled (inside a catch block) over `parent`.
void showCurrentException(QWidget *parent);

// Runs the command; returns false when it threw (the message has then been shown).
template <class Command> bool guarded(QWidget *parent, Command &&command)
{
    try {
        std::forward<Command>(command)();
        return true;
    } catch (...) {
        showCurrentException(parent);
        return false;
    }
}

class ZanApplication : public QApplication
{
public:
    ZanApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
