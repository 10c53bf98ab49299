#pragma once

// Messages, questions and file choices put to the user, behind one interface so that tests answer
// them with scripted replies instead of a blocking modal loop.
//
//   MessageRequest question { "Confirm", "Save changes?", MessageIcon::None,
//       { DialogButton::Yes, DialogButton::No, DialogButton::Cancel } };
//   if (userDialogs().showMessage(this, question) == DialogButton::Cancel)
//       return;
//
// Texts are shown as they are when they are valid UTF-8 (program texts, file names) and read as
// Windows-1252 otherwise (8-bit band numbers and cell texts).

#include <optional>
#include <string>
#include <vector>

class QWidget;

enum class DialogButton { Ok, Yes, No, Cancel };
enum class MessageIcon { None, Information, Warning, Error, Question };

struct MessageRequest
{
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    // In the order shown; the first is the default button. Never empty.
    std::vector<DialogButton> buttons { DialogButton::Ok };
};

struct FileRequest
{
    std::string caption;
    // Proposed file or folder; empty for the working folder.
    std::string fileName;
    // Pairs of description and pattern separated by '|': "ZAN files (*.csv)|*.csv|All files|*".
    std::string filter;
    // Added to a typed name that has no extension, e.g. ".csv"; empty adds nothing.
    std::string defaultExtension;
    // Saving only: ask before an existing file is replaced.
    bool confirmOverwrite = true;
};

class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // Shows the message modally and returns the button chosen. Closing the box without a button
    // answers Cancel when Cancel is offered, else the last button offered.
    virtual DialogButton showMessage(QWidget *parent, const MessageRequest &request) = 0;
    // The path of the file chosen, or nothing when the user cancels.
    virtual std::optional<std::string> chooseOpenFile(QWidget *parent, const FileRequest &request)
        = 0;
    virtual std::optional<std::string> chooseSaveFile(QWidget *parent, const FileRequest &request)
        = 0;
};

// The dialogs every window uses: Qt's own until another set is installed.
UserDialogs &userDialogs();
// Installs `dialogs` (nullptr brings back Qt's own) and returns the one it replaces, or nullptr
// when that was Qt's own.
UserDialogs *setUserDialogs(UserDialogs *dialogs);

// Qt's message boxes and file dialogs.
class QtUserDialogs : public UserDialogs
{
public:
    DialogButton showMessage(QWidget *parent, const MessageRequest &request) override;
    std::optional<std::string> chooseOpenFile(QWidget *parent, const FileRequest &request) override;
    std::optional<std::string> chooseSaveFile(QWidget *parent, const FileRequest &request) override;
};

// The text as a display string's UTF-8: unchanged when valid UTF-8, else read as Windows-1252.
std::string userDialogText(const std::string &text);
