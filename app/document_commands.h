#pragma once

#include "app/pedigree_document.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class GridEditController;
class QWidget;
class TEditGrid;

// The main window's document commands over the pedigree grid: New, Open, Save, Save As and the
// close query, the dirty flag the grid's edits set, and the question asked before unsaved changes
// would be lost. Questions and file choices go through userDialogs(), so the class runs and is
// tested without a window; the window binds its actions and grid events to it.
//
// Every command first ends the cell edit in progress (File_Changed), so typed text that was not
// yet confirmed counts as a change and is saved. A command stops, changing nothing more, when the
// user cancels a question or a file dialog, when a save it depends on did not happen, or when a
// file cannot be read or written (the grid's EEditGridError then leaves the command).
class DocumentCommands
{
public:
    // Works on the grid that `editing` edits; both must outlive the commands. Dialogs are shown
    // over `dialogParent` (may be null).
    DocumentCommands(GridEditController &editing, QWidget *dialogParent);

    PedigreeDocument &document() { return m_document; }
    const PedigreeDocument &document() const { return m_document; }
    std::string CurrentFile() const { return m_document.CurrentFile(); }
    bool Dirty() const { return m_dirty; }

    // Called with CurrentFile whenever a command completes, for the status bar.
    std::function<void(const std::string &)> ShowCurrentFile;

    // Untitled and clean.
    void FormCreate();
    // Ends the pending cell edit: the editor's text is stored and validated (setting Dirty when
    // it changed).
    void File_Changed();
    // The grid's edit events.
    void markChanged() { m_dirty = true; }

    // Before the document is replaced: ends the pending edit and, when there are unsaved changes,
    // asks the save-changes question. False when the command is to stop.
    bool mayReplaceDocument();
    // Makes the rows (band, sire, dam) the document: untitled and changed, so that Save asks for
    // a name and closing asks to save them.
    void takeImportedRows(const std::vector<std::array<std::string, 3>> &rows);

    void FileNewExecute();
    void FileOpenExecute();
    // Opens `fileName` as the Open command does after its dialog. On a read error the grid, the
    // current file and Dirty keep their values and the grid's error is thrown.
    void openFile(const std::string &fileName);
    // Return true when the document was saved.
    bool FileSaveExecute();
    bool FileSaveAsExecute();
    // Sets CanClose to false when the user cancels or the save asked for did not happen.
    void FormCloseQuery(bool &CanClose);

private:
    // Asks whether to save unsaved changes; true when the command may go on (saved, or No).
    bool askSaveChanges();
    void saveTo(const std::string &fileName);
    void selectFirstDataCell();
    void showCurrentFile();

    GridEditController &m_editing;
    TEditGrid &m_grid;
    QWidget *m_dialogParent;
    PedigreeDocument m_document;
    bool m_dirty = false;
};
