#pragma once

// The pedigree document's states and every way out of them (New, Open, Save, Save As and the
// close query), with the dialogs each command shows and the user's answers. An untitled
// document's "Yes" to the save-changes question runs Save As; the rows marked Stops are commands
// that stop after a Save As the user cancelled.

#include "platform/scripted_user_dialogs.h"

#include <vector>

enum class Start { UntitledClean, UntitledDirty, NamedClean, NamedDirty };
enum class Command { New, Open, Save, SaveAs, Close };

// One dialog the command is expected to show, with the user's answer. A file dialog's answer is
// a file of the test folder by name, or nullptr when the user cancels.
struct Reply
{
    DialogKind kind;
    DialogButton button = DialogButton::Cancel;
    const char *file = nullptr;
};

inline Reply message(DialogButton button)
{
    return { DialogKind::Message, button, nullptr };
}
inline Reply openFile(const char *file)
{
    return { DialogKind::OpenFile, DialogButton::Ok, file };
}
inline Reply saveFile(const char *file)
{
    return { DialogKind::SaveFile, DialogButton::Ok, file };
}

struct Transition
{
    const char *name;
    Start start;
    Command command;
    std::vector<Reply> replies;
    const char *endFile; // "Untitled.csv" or a file of the test folder
    bool endDirty;
    const char *firstCell; // text of cell (0, 1) afterwards
    const char *editSavedIn = nullptr; // file that now holds the edited row
    bool canClose = true; // Close only
};

inline const Transition transitions[] = {
    { "UntitledCleanNew", Start::UntitledClean, Command::New, {}, "Untitled.csv", false, "" },
    { "UntitledCleanOpen", Start::UntitledClean, Command::Open, { openFile("f2.csv") }, "f2.csv",
        false, "X" },
    { "UntitledCleanOpenCancelled", Start::UntitledClean, Command::Open, { openFile(nullptr) },
        "Untitled.csv", false, "" },
    { "UntitledCleanSaveAs", Start::UntitledClean, Command::SaveAs, { saveFile("g.csv") }, "g.csv",
        false, "" },
    { "UntitledCleanClose", Start::UntitledClean, Command::Close, {}, "Untitled.csv", false, "" },
    { "UntitledDirtySaveGoesToSaveAs", Start::UntitledDirty, Command::Save, { saveFile("g.csv") },
        "g.csv", false, "EDITED", "g.csv" },
    { "UntitledDirtySaveAsCancelled", Start::UntitledDirty, Command::Save, { saveFile(nullptr) },
        "Untitled.csv", true, "EDITED" },
    { "UntitledDirtyNewYes", Start::UntitledDirty, Command::New,
        { message(DialogButton::Yes), saveFile("g.csv") }, "Untitled.csv", false, "", "g.csv" },
    { "UntitledDirtyNewYesStops", Start::UntitledDirty, Command::New,
        { message(DialogButton::Yes), saveFile(nullptr) }, "Untitled.csv", true, "EDITED" },
    { "UntitledDirtyNewNo", Start::UntitledDirty, Command::New, { message(DialogButton::No) },
        "Untitled.csv", false, "" },
    { "UntitledDirtyNewCancel", Start::UntitledDirty, Command::New,
        { message(DialogButton::Cancel) }, "Untitled.csv", true, "EDITED" },
    { "UntitledDirtyOpenNo", Start::UntitledDirty, Command::Open,
        { message(DialogButton::No), openFile("f2.csv") }, "f2.csv", false, "X" },
    { "UntitledDirtyOpenNoThenCancelled", Start::UntitledDirty, Command::Open,
        { message(DialogButton::No), openFile(nullptr) }, "Untitled.csv", true, "EDITED" },
    { "UntitledDirtyOpenYesStops", Start::UntitledDirty, Command::Open,
        { message(DialogButton::Yes), saveFile(nullptr) }, "Untitled.csv", true, "EDITED" },
    { "UntitledDirtyOpenCancel", Start::UntitledDirty, Command::Open,
        { message(DialogButton::Cancel) }, "Untitled.csv", true, "EDITED" },
    { "UntitledDirtyCloseYes", Start::UntitledDirty, Command::Close,
        { message(DialogButton::Yes), saveFile("g.csv") }, "g.csv", false, "EDITED", "g.csv" },
    { "UntitledDirtyCloseYesStops", Start::UntitledDirty, Command::Close,
        { message(DialogButton::Yes), saveFile(nullptr) }, "Untitled.csv", true, "EDITED", nullptr,
        false },
    { "UntitledDirtyCloseNo", Start::UntitledDirty, Command::Close, { message(DialogButton::No) },
        "Untitled.csv", true, "EDITED" },
    { "UntitledDirtyCloseCancel", Start::UntitledDirty, Command::Close,
        { message(DialogButton::Cancel) }, "Untitled.csv", true, "EDITED", nullptr, false },
    { "NamedCleanNew", Start::NamedClean, Command::New, {}, "Untitled.csv", false, "" },
    { "NamedCleanOpen", Start::NamedClean, Command::Open, { openFile("f2.csv") }, "f2.csv", false,
        "X" },
    { "NamedCleanSave", Start::NamedClean, Command::Save, {}, "f.csv", false, "A" },
    { "NamedCleanSaveAs", Start::NamedClean, Command::SaveAs, { saveFile("g.csv") }, "g.csv", false,
        "A" },
    { "NamedCleanClose", Start::NamedClean, Command::Close, {}, "f.csv", false, "A" },
    { "NamedDirtySave", Start::NamedDirty, Command::Save, {}, "f.csv", false, "EDITED", "f.csv" },
    { "NamedDirtySaveAs", Start::NamedDirty, Command::SaveAs, { saveFile("g.csv") }, "g.csv", false,
        "EDITED", "g.csv" },
    { "NamedDirtySaveAsCancelled", Start::NamedDirty, Command::SaveAs, { saveFile(nullptr) },
        "f.csv", true, "EDITED" },
    { "NamedDirtyNewYesSavesDirectly", Start::NamedDirty, Command::New,
        { message(DialogButton::Yes) }, "Untitled.csv", false, "", "f.csv" },
    { "NamedDirtyNewNo", Start::NamedDirty, Command::New, { message(DialogButton::No) },
        "Untitled.csv", false, "" },
    { "NamedDirtyOpenYes", Start::NamedDirty, Command::Open,
        { message(DialogButton::Yes), openFile("f2.csv") }, "f2.csv", false, "X", "f.csv" },
    { "NamedDirtyOpenCancel", Start::NamedDirty, Command::Open, { message(DialogButton::Cancel) },
        "f.csv", true, "EDITED" },
    { "NamedDirtyCloseYes", Start::NamedDirty, Command::Close, { message(DialogButton::Yes) },
        "f.csv", false, "EDITED", "f.csv" },
    { "NamedDirtyCloseCancel", Start::NamedDirty, Command::Close, { message(DialogButton::Cancel) },
        "f.csv", true, "EDITED", nullptr, false },
};
