#include "scripted_user_dialogs.h"

namespace {

const char *kindName(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Message:
        return "message";
    case DialogKind::OpenFile:
        return "open file dialog";
    case DialogKind::SaveFile:
        return "save file dialog";
    }
    return "dialog";
}

} // namespace

ScriptedUserDialogs::ScriptedUserDialogs() : m_previous(setUserDialogs(this)) { }

ScriptedUserDialogs::~ScriptedUserDialogs()
{
    setUserDialogs(m_previous);
}

void ScriptedUserDialogs::answerMessage(DialogButton answer)
{
    m_answers.push_back({ DialogKind::Message, answer, std::nullopt });
}

void ScriptedUserDialogs::answerOpenFile(std::optional<std::string> path)
{
    m_answers.push_back({ DialogKind::OpenFile, DialogButton::Cancel, std::move(path) });
}

void ScriptedUserDialogs::answerSaveFile(std::optional<std::string> path)
{
    m_answers.push_back({ DialogKind::SaveFile, DialogButton::Cancel, std::move(path) });
}

std::string ScriptedUserDialogs::problems() const
{
    std::string text;
    for (const std::string &problem : m_problems)
        text += problem + "\n";
    for (const Answer &answer : m_answers)
        text += std::string("expected ") + kindName(answer.kind) + " never came\n";
    return text;
}

void ScriptedUserDialogs::reset()
{
    m_answers.clear();
    m_shown.clear();
    m_problems.clear();
}

std::optional<ScriptedUserDialogs::Answer> ScriptedUserDialogs::takeAnswer(
    DialogKind kind, const std::string &what)
{
    if (m_answers.empty()) {
        m_problems.push_back(std::string("unexpected ") + kindName(kind) + ": " + what);
        return std::nullopt;
    }
    Answer answer = m_answers.front();
    m_answers.pop_front();
    if (answer.kind != kind) {
        m_problems.push_back(std::string(kindName(kind)) + " came where a " + kindName(answer.kind)
            + " was expected: " + what);
        return std::nullopt;
    }
    return answer;
}

DialogButton ScriptedUserDialogs::showMessage(QWidget *, const MessageRequest &request)
{
    m_shown.push_back({ DialogKind::Message, request.caption, request.text, request.icon,
        request.buttons, {}, {} });
    const auto answer = takeAnswer(DialogKind::Message, request.text);
    // An unexpected box is closed: the answer a user gets by closing it.
    if (!answer) {
        for (DialogButton button : request.buttons) {
            if (button == DialogButton::Cancel)
                return button;
        }
        return request.buttons.empty() ? DialogButton::Cancel : request.buttons.back();
    }
    bool offered = false;
    for (DialogButton button : request.buttons)
        offered = offered || button == answer->button;
    if (!offered)
        m_problems.push_back("answer not offered by the message: " + request.text);
    return answer->button;
}

std::optional<std::string> ScriptedUserDialogs::chooseFile(
    DialogKind kind, const FileRequest &request)
{
    m_shown.push_back({ kind, request.caption, request.fileName, MessageIcon::None, {},
        request.filter, request.defaultExtension });
    const auto answer = takeAnswer(kind, request.caption);
    return answer ? answer->path : std::nullopt;
}

std::optional<std::string> ScriptedUserDialogs::chooseOpenFile(
    QWidget *, const FileRequest &request)
{
    return chooseFile(DialogKind::OpenFile, request);
}

std::optional<std::string> ScriptedUserDialogs::chooseSaveFile(
    QWidget *, const FileRequest &request)
{
    return chooseFile(DialogKind::SaveFile, request);
}
