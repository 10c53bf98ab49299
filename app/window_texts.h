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

inline constexpr std::array<ActionText, 19> actions { {
    { "EditUndo1", "Edit", "&Undo", "Ignore last change", 7, "Alt+Backspace" },
    { "FileNew", "File", "&New", "Create file", 0, "Ctrl+N" },
    { "FileOpen", "File", "&Open", "Open file", 1, "Ctrl+O" },
    { "FileImport", "File", "&Import...", "Import a table from a loft program or a spreadsheet", -1,
        "Ctrl+I" },
    { "FileSave", "File", "&Save", "Save file", 2, "Ctrl+S" },
    { "FileSaveAs", "File", "Save &As", "Save File with NEW Name.", 3, "Ctrl+Shift+S" },
    { "PageSetup", "File", "Page Set&up", "Printer Setup", -1, "" },
    { "FileExit", "File", "E&xit", "Exit ZAN", 6, "Ctrl+Q" },
    { "EditCut1", "Edit", "Cu&t", "Cut", 8, "Ctrl+X" },
    { "EditCopy1", "Edit", "&Copy", "Copy", 9, "Ctrl+C" },
    { "EditPaste1", "Edit", "&Paste", "Paste", 10, "Ctrl+V" },
    { "EditFind", "Edit", "&Find", "Find in the Grid", 11, "Ctrl+F" },
    { "Analyze", "Analyze", "Anal&yze", "Compute ZAN", 12, "F2" },
    { "AnalyzeBird", "Analyze", "Analyze Current Bird",
        "Compute ZAN of the bird in the current row, with its ancestry from the whole file", -1,
        "Shift+F2" },
    { "Pairings", "Analyze", "&Pairings...", "ZAN of the young of every cock with every hen", -1,
        "" },
    { "Population", "Analyze", "Population...",
        "Inbreeding, kinship and pedigree completeness of every bird and by year", -1, "" },
    { "CheckPedigree", "Analyze", "Check Pedigree...", "List every problem in the pedigree", -1,
        "Ctrl+K" },
    { "HelpContents", "Help", "&Contents", "Display Help", 13, "F1" },
    { "HelpAbout", "Help", "&About", "About ZAN", -1, "" },
} };

// Analyze on a grid of more rows than the analysis takes: the row count and the limit follow
// "The grid holds " and "rows; the analysis takes " each.
inline constexpr std::string_view analyzeCaption = "Analyze";
inline constexpr std::string_view largeGridRows = "The grid holds ";
inline constexpr std::string_view largeGridLimit = " rows; the analysis takes ";
inline constexpr std::string_view largeGridQuestion
    = " birds and leaves the rest out. Shift+F2 analyses the bird in the current row with its "
      "ancestry. Analyze the grid all the same?";
// Analyze Current Bird on a row without a band.
inline constexpr std::string_view noCurrentBird = "The current row names no bird.";

// The pedigree files.
inline constexpr std::string_view fileFilter = "ZAN files (*.csv)|*.csv|All files (*.*)|*.*";
inline constexpr std::string_view fileExtension = ".csv";
inline constexpr std::string_view openDialogCaption = "Open";
inline constexpr std::string_view saveDialogCaption = "Save As";

// The tables Import reads.
inline constexpr std::string_view importDialogCaption = "Import";
inline constexpr std::string_view importFilter
    = "Tables (*.csv *.txt *.xlsx *.xls *.ods)|*.csv;*.txt;*.xlsx;*.xls;*.ods|All files (*.*)|*.*";
inline constexpr std::string_view importNoRows = "cannot import %1: it holds no rows";

// The question asked before unsaved changes would be lost: the text is followed directly by the
// current file name.
inline constexpr std::string_view saveChangesText = "Save the Changes to ";
inline constexpr std::string_view saveChangesCaption = "ZAN - Unsaved File Changes.";

// Help.
inline constexpr std::string_view helpMissingText
    = "The ZAN user guide is not installed. It was looked for here:\n";
inline constexpr std::string_view helpNotOpenedText
    = "No web browser could be started to show the ZAN user guide:\n";

// The find dialog.
inline constexpr std::string_view findCaption = "ZAN ( Find ? in Table)";
inline constexpr std::string_view findWhat = "Find what ?";
inline constexpr std::string_view findDirection = "Direction";
inline constexpr std::array<std::string_view, 4> findDirections { "Forward (top to bottom)",
    "Forward (left to right)", "Backward (bottom to top)", "Backward (right to left)" };
inline constexpr std::string_view findScope = "Scope";
inline constexpr std::array<std::string_view, 3> findScopes { "All cells", "Current row only",
    "Current column only" };
inline constexpr std::string_view findOptions = "Options";
inline constexpr std::array<std::string_view, 5> findOptionTexts { "&Case sensitive",
    "&Whole words only", "&Match from first char", "&Ignore HTML tags", "&Find in fixed cells" };
inline constexpr std::string_view findOk = "Ok";
inline constexpr std::string_view findCancel = "Cancel";
inline constexpr std::string_view findNotFound = "Could not find text";
inline constexpr std::string_view findNoMore = "No more occurences of text ";

// Gives the find dialog the texts above.
template <class FindDialog> void applyFindTexts(FindDialog &dialog)
{
    dialog.TxtCaption = findCaption;
    dialog.TxtTextToFind = findWhat;
    dialog.TxtDirection = findDirection;
    dialog.TTxtDirForward1 = findDirections[0];
    dialog.TTxtDirForward2 = findDirections[1];
    dialog.TTxtDirBackward1 = findDirections[2];
    dialog.TTxtDirBackward2 = findDirections[3];
    dialog.TxtScope = findScope;
    dialog.TxtScopeAllCells = findScopes[0];
    dialog.TxtScopeCurrRow = findScopes[1];
    dialog.TxtScopeCurrCol = findScopes[2];
    dialog.TxtOptions = findOptions;
    dialog.TxtOptionsCase = findOptionTexts[0];
    dialog.TxtOptionsWholeWords = findOptionTexts[1];
    dialog.TxtOptionsMatchFirst = findOptionTexts[2];
    dialog.TxtOptionsIgnoreHTML = findOptionTexts[3];
    dialog.TxtOptionsFixedCells = findOptionTexts[4];
    dialog.TxtBtnOk = findOk;
    dialog.TxtBtnCancel = findCancel;
    dialog.MsgNotFound = findNotFound;
    dialog.MsgNoMoreFound = findNoMore;
    dialog.AutoPosition = false;
}

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
