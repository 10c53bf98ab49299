#include "document_commands.h"

#include "app/window_texts.h"

#include "grid/edit_grid.h"
#include "grid/grid_edit_controller.h"
#include "grid/pedigree_grid.h"
#include "grid/pedigree_import.h"
#include "platform/user_dialogs.h"

#include <vector>

namespace {

// The grid's cells and layout, kept while a file is read so that a failed read puts them back.
class GridContent
{
public:
    explicit GridContent(const TEditGrid &grid)
        : m_colCount(grid.GetColCountEx()),
          m_fixedRows(grid.GetFixedRowsEx()), m_current { grid.Col(), grid.Row() },
          m_topRow(grid.TopRow())
    {
        m_cells.resize(grid.GetRowCountEx());
        for (int row = 0; row < grid.GetRowCountEx(); ++row) {
            m_cells[row].reserve(m_colCount);
            for (int column = 0; column < m_colCount; ++column)
                m_cells[row].push_back(grid.GetCellEx(column, row));
        }
    }

    void restore(TEditGrid &grid) const
    {
        grid.SetColCountEx(m_colCount);
        grid.SetRowCountEx(static_cast<int>(m_cells.size()));
        grid.SetFixedRowsEx(m_fixedRows);
        for (int row = 0; row < static_cast<int>(m_cells.size()); ++row) {
            for (int column = 0; column < m_colCount; ++column)
                grid.SetCellEx(column, row, m_cells[row][column]);
        }
        grid.moveCurrentCell(m_current.X, m_current.Y);
        grid.SetTopRow(m_topRow);
    }

private:
    int m_colCount;
    int m_fixedRows;
    TGridCoord m_current;
    int m_topRow;
    std::vector<std::vector<std::string>> m_cells;
};

FileRequest pedigreeFileRequest(std::string_view caption, const std::string &fileName)
{
    FileRequest request;
    request.caption = std::string(caption);
    request.fileName = fileName;
    request.filter = std::string(WindowTexts::fileFilter);
    request.defaultExtension = std::string(WindowTexts::fileExtension);
    request.confirmOverwrite = true;
    return request;
}

} // namespace

DocumentCommands::DocumentCommands(GridEditController &editing, QWidget *dialogParent)
    : m_editing(editing), m_grid(editing.grid()), m_dialogParent(dialogParent), m_document(m_grid)
{ }

void DocumentCommands::FormCreate()
{
    m_document.setCurrentFile(PedigreeDocument::UntitledFile);
    m_dirty = false;
    showCurrentFile();
}

void DocumentCommands::File_Changed()
{
    m_editing.commitPendingEdit();
}

bool DocumentCommands::askSaveChanges()
{
    const MessageRequest question { std::string(WindowTexts::saveChangesCaption),
        std::string(WindowTexts::saveChangesText) + CurrentFile(), MessageIcon::None,
        { DialogButton::Yes, DialogButton::No, DialogButton::Cancel } };
    switch (userDialogs().showMessage(m_dialogParent, question)) {
    case DialogButton::Yes:
        return FileSaveExecute();
    case DialogButton::No:
        return true;
    case DialogButton::Ok:
    case DialogButton::Cancel:
        break;
    }
    return false;
}

bool DocumentCommands::mayReplaceDocument()
{
    File_Changed();
    return !m_dirty || askSaveChanges();
}

void DocumentCommands::takeImportedRows(const std::vector<std::array<std::string, 3>> &rows)
{
    fillPedigreeGrid(m_grid, rows);
    m_document.setCurrentFile(PedigreeDocument::UntitledFile);
    m_dirty = true;
    selectFirstDataCell();
    showCurrentFile();
}

void DocumentCommands::FileNewExecute()
{
    if (!mayReplaceDocument())
        return;
    m_document.resetGrid();
    m_document.setCurrentFile(PedigreeDocument::UntitledFile);
    m_dirty = false;
    selectFirstDataCell();
    showCurrentFile();
}

void DocumentCommands::FileOpenExecute()
{
    if (!mayReplaceDocument())
        return;
    const std::optional<std::string> fileName = userDialogs().chooseOpenFile(
        m_dialogParent, pedigreeFileRequest(WindowTexts::openDialogCaption, CurrentFile()));
    if (!fileName)
        return;
    openFile(*fileName);
}

void DocumentCommands::openFile(const std::string &fileName)
{
    const GridContent previous(m_grid);
    const std::string previousFile = CurrentFile();
    try {
        m_document.open(fileName);
    } catch (...) {
        previous.restore(m_grid);
        m_document.setCurrentFile(previousFile);
        throw;
    }
    // A file without a line leaves the grid a single row and no header row; the document always
    // has its header and at least one data row to type into.
    if (m_grid.GetRowCountEx() < 2) {
        m_grid.SetRowCountEx(2);
        configurePedigreeGrid(m_grid);
    }
    selectFirstDataCell();
    m_dirty = false;
    showCurrentFile();
}

bool DocumentCommands::FileSaveExecute()
{
    File_Changed();
    if (CurrentFile() == PedigreeDocument::UntitledFile)
        return FileSaveAsExecute();
    saveTo(CurrentFile());
    return true;
}

bool DocumentCommands::FileSaveAsExecute()
{
    File_Changed();
    const std::optional<std::string> fileName = userDialogs().chooseSaveFile(
        m_dialogParent, pedigreeFileRequest(WindowTexts::saveDialogCaption, CurrentFile()));
    if (!fileName)
        return false;
    saveTo(*fileName);
    return true;
}

void DocumentCommands::saveTo(const std::string &fileName)
{
    savePedigreeFile(m_grid, fileName);
    m_document.setCurrentFile(fileName);
    m_dirty = false;
    showCurrentFile();
}

void DocumentCommands::FormCloseQuery(bool &CanClose)
{
    File_Changed();
    if (!m_dirty)
        return;
    // Stays false when the save below throws.
    CanClose = false;
    CanClose = askSaveChanges();
}

void DocumentCommands::selectFirstDataCell()
{
    m_grid.SelectRange(0, 0, 1, 1);
}

void DocumentCommands::showCurrentFile()
{
    if (ShowCurrentFile)
        ShowCurrentFile(CurrentFile());
}
