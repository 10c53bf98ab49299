#pragma once

// Every text the main window and the About box show, in one place: captions, hints, menu items,
// questions and messages. The texts are the program's own and stay as they are, spelling and
// spacing included.

#include "app/app_info.h"

#include <array>
#include <string>
#include <string_view>

namespace WindowTexts {

// The program's name as boxes and messages are captioned.
inline constexpr std::string_view programName = applicationName;

// Main window.
inline std::string mainCaption()
{
    return std::string(applicationName) + " (Coefficient of Inbreeding)";
}
inline constexpr std::string_view aboutButtonCaption = " ABOUT ZAN";
inline constexpr std::string_view aboutButtonHint = "Terms for Using ZAN";
inline constexpr std::string_view analyzeButtonCaption = "ANALYZE";
// The tool bar's Undo button has its own hint.
inline constexpr std::string_view undoToolButtonHint = "UnDo the last change";

// The menus; Analyze is an item of the menu bar itself.
inline constexpr std::string_view fileMenu = "&File";
inline constexpr std::string_view editMenu = "&Edit";
inline constexpr std::string_view helpMenu = "&Help";

// The main window's actions: object name, category, caption, hint, image index (-1: none) and
// shortcut (empty: none).
struct ActionText
{
    std::string_view name;
    std::string_view category;
    std::string_view caption;
    std::string_view hint;
    int image;
    std::string_view shortcut;
};

inline constexpr std::array<ActionText, 14> actions { {
    { "EditUndo1", "Edit", "&Undo", "Ignore last change", 7, "Alt+Backspace" },
    { "FileNew", "File", "&New", "Create file", 0, "" },
    { "FileOpen", "File", "&Open", "Open file", 1, "" },
    { "FileSave", "File", "&Save", "Save file", 2, "" },
    { "FileSaveAs", "File", "Save &As", "Save File with NEW Name.", 3, "" },
    { "PageSetup", "File", "Page Set&up", "Printer Setup", -1, "" },
    { "FileExit", "File", "E&xit", "Exit ZAN", 6, "" },
    { "EditCut1", "Edit", "Cu&t", "Cut", 8, "Ctrl+X" },
    { "EditCopy1", "Edit", "&Copy", "Copy", 9, "Ctrl+C" },
    { "EditPaste1", "Edit", "&Paste", "Paste", 10, "Ctrl+V" },
    { "EditFind", "Edit", "&Find", "Find in the Grid", 11, "Ctrl+F" },
    { "Analyze", "Analyze", "Anal&yze", "Compute ZAN", 12, "F2" },
    { "HelpContents", "Help", "&Contents", "Display Help", 13, "F1" },
    { "HelpAbout", "Help", "&About", "About ZAN", -1, "" },
} };

// The pedigree files.
inline constexpr std::string_view fileFilter = "ZAN files (*.csv)|*.csv|All files (*.*)|*.*";
inline constexpr std::string_view fileExtension = ".csv";
inline constexpr std::string_view openDialogCaption = "Open";
inline constexpr std::string_view saveDialogCaption = "Save As";

// The question asked before unsaved changes would be lost: the text is followed directly by the
// current file name.
inline constexpr std::string_view saveChangesText = "Save the Changes to ";
inline constexpr std::string_view saveChangesCaption = "ZAN - Unsaved File Changes.";

// Help.
inline constexpr std::string_view helpMissingText
    = "The ZAN user guide is not installed. It was looked for here:\n";
inline constexpr std::string_view helpNotOpenedText
    = "No web browser could be started to show the ZAN user guide:\n";

// The analysis report window, while it is not part of the build.
inline constexpr std::string_view reportMissingText
    = "The analysis report window is not part of this build.";

// About box.
inline std::string aboutCaption()
{
    return " About " + std::string(applicationName) + " ( Coefficient of Inbreeding )";
}
inline std::string aboutTitle()
{
    return std::string(applicationName) + " - Coefficient of Inbreeding";
}
inline std::string aboutVersion()
{
    return "Version " + std::string(shortVersion);
}
inline constexpr std::string_view aboutOkButton = "OK";

} // namespace WindowTexts
