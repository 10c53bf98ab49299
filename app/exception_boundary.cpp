#include "exception_boundary.h"

#include "app/window_texts.h"

#include "platform/user_dialogs.h"

#include <string>

void showCurrentException(QWidget *parent)
{
    std::string text;
    try {
        throw;
    } catch (const std::exception &error) {
        text = error.what();
    } catch (...) {
        text = "Unknown error";
    }
    MessageRequest message;
    message.caption = std::string(WindowTexts::programName);
    message.text = text;
    message.icon = MessageIcon::Error;
    message.buttons = { DialogButton::Ok };
    userDialogs().showMessage(parent, message);
}

ZanApplication::ZanApplication(int &argc, char **argv) : QApplication(argc, argv) { }

bool ZanApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showCurrentException(activeWindow());
        return false;
    }
}
