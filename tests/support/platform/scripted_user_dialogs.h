#pragma once

// Dialog answers for tests: each expected dialog is queued with its answer, every dialog shown is
// recorded, and problems() tells which dialogs were unexpected or never came.
//
//   ScriptedUserDialogs dialogs;                 // installed until it goes out of scope
//   dialogs.answerMessage(DialogButton::No);
//   dialogs.answerOpenFile(std::nullopt);        // the user cancels the open dialog
//   window.FileOpenExecute();
//   EXPECT_EQ(dialogs.problems(), "");
//   EXPECT_EQ(dialogs.shown()[0].text, "Save changes?");

#include "user_dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

enum class DialogKind { Message, OpenFile, SaveFile };

class ScriptedUserDialogs : public UserDialogs
{
public:
    // One dialog as it was shown.
    struct Shown
    {
        DialogKind kind = DialogKind::Message;
        std::string caption;
        std::string text; // message text, or the proposed file name
        MessageIcon icon = MessageIcon::None;
        std::vector<DialogButton> buttons;
        std::string filter;
        std::string defaultExtension;
    };

    // Installs itself; the destructor puts back the dialogs it replaced.
    ScriptedUserDialogs();
    ~ScriptedUserDialogs() override;
    ScriptedUserDialogs(const ScriptedUserDialogs &) = delete;
    ScriptedUserDialogs &operator=(const ScriptedUserDialogs &) = delete;

    void answerMessage(DialogButton answer);
    void answerOpenFile(std::optional<std::string> path);
    void answerSaveFile(std::optional<std::string> path);

    const std::vector<Shown> &shown() const { return m_shown; }
    // "" when every dialog shown was expected, of the expected kind, and every answer was used;
    // otherwise one line per problem.
    std::string problems() const;
    // Forgets the shown dialogs, the pending answers and the problems.
    void reset();

    DialogButton showMessage(QWidget *parent, const MessageRequest &request) override;
    std::optional<std::string> chooseOpenFile(QWidget *parent, const FileRequest &request) override;
    std::optional<std::string> chooseSaveFile(QWidget *parent, const FileRequest &request) override;

private:
    struct Answer
    {
        DialogKind kind;
        DialogButton button = DialogButton::Cancel;
        std::optional<std::string> path;
    };

    std::optional<Answer> takeAnswer(DialogKind kind, const std::string &what);
    std::optional<std::string> chooseFile(DialogKind kind, const FileRequest &request);

    UserDialogs *m_previous = nullptr;
    std::deque<Answer> m_answers;
    std::vector<Shown> m_shown;
    std::vector<std::string> m_problems;
};
