#pragma once

// The pedigree window, where the breeder types the pedigree and starts the analysis.
//
// A command's way through the window:
//   menu item, tool button, shortcut or button  (MainWindowCommands builds them from WindowTexts)
//     -> guarded()               an exception ends the command with a message, the window goes on
//     -> TmainF handler          FileOpenExecute, AnalyzeExecute, ...: one or two lines each
//     -> DocumentCommands        pending edit, dirty flag, save-changes question, file dialogs
//     -> InputGrid               the cells, CSV load and save
//     -> status bar              shows CurrentFile after every command
// Analyze shows the report window (TZAN_printF), which reads the rows through pedigreeSource().
// Edits in InputGrid report to the handlers InputGridCellValidate and InputGridAuto*Row, which
// set Dirty.

#include "app/document_commands.h"

#include "grid/edit_grid_widget.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QPushButton;
class QToolBar;
class TAbout;
class TGridFindDialog;
class THtmlPanel;
class TZAN_printF;
class MainWindowArea;
struct pedigree_findings;

class TmainF : public QMainWindow
{
    Q_OBJECT

public:
    explicit TmainF(QWidget *parent = nullptr);
    ~TmainF() override;

    // The About box shown by HelpAbout, the About button and a click on the bare window.
    void setAboutBox(TAbout *about) { m_about = about; }
    // The report window Analyze shows.
    void setReportWindow(TZAN_printF *report) { m_reportWindow = report; }

    // Opens a file named on the command line as Open does after its dialog; when it cannot be
    // read, the message is shown and the window stays untitled.
    void openAtStart(const std::string &fileName);

    // The document.
    std::string CurrentFile() const { return m_commands.CurrentFile(); }
    bool Dirty() const { return m_commands.Dirty(); }
    PedigreeSource &pedigreeSource() { return m_commands.document(); }
    // The grid's row count, header row included.
    int GetPedigreeRowCount() const;
    // Reads grid row `row` trimmed into RowIdent, RowSire and RowDam; false when there is no such
    // row (the fields then keep their texts).
    bool ReadPedigreeRow(int row);
    std::string RowIdent;
    std::string RowSire;
    std::string RowDam;

    // Handlers, bound to the actions, buttons and grid events.
    void FormCreate();
    void FormCloseQuery(bool &CanClose);
    void File_Changed();
    void FileNewExecute();
    void FileOpenExecute();
    // Reads another program's table (off the window's thread when it takes a while), lets the
    // user choose its columns in the import dialog and makes the rows an untitled, changed
    // document.
    void FileImportExecute();
    void FileSaveExecute();
    void FileSaveAsExecute();
    void FileExitExecute();
    void PageSetupExecute();
    void EditFindExecute();
    // Asks first when the grid holds more rows than the analysis takes.
    void AnalyzeExecute();
    // Analyses the bird in the current row with its ancestry from the whole grid.
    void AnalyzeBirdExecute();
    // Opens the pairing planner on the grid's rows, the cell being edited included.
    void PairingsExecute();
    // Opens the population statistics of the grid's rows, the cell being edited included.
    void PopulationExecute();
    // Lists the problems the pedigree check finds in the grid's rows; going to one selects its row.
    void CheckPedigreeExecute();
    void HelpContentsExecute();
    void HelpAboutExecute();
    void AboutBtnClick();
    void InputGridGetEditorType(TEditGrid *Sender, int ACol, int ARow, TEditorType &AEditor);
    void InputGridCellValidate(
        TEditGrid *Sender, int ACol, int ARow, std::string &Value, bool &Valid);
    void InputGridAutoInsertRow(TEditGrid *Sender, int ARow);
    void InputGridAutoDeleteRow(TEditGrid *Sender, int ARow);

    // The controls, for the commands and for tests.
    TEditGridWidget *InputGrid() const { return m_inputGrid; }
    QAction *action(const std::string &name) const;
    QLabel *statusText() const { return m_statusText; }
    TGridFindDialog &FindInGrid() const { return *m_findInGrid; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void createControls();
    void createActions();
    void bindGridEvents();
    void updateEditActions();
    void showAbout();
    // The list of the check's findings over `parent`; a finding chosen selects its row.
    void showCheckFindings(const pedigree_findings &checked, QWidget *parent);
    // Runs a handler at the exception boundary.
    template <class Handler> void run(Handler handler);

    // The grid exists before the commands that work on it; createControls places it.
    TEditGridWidget *m_inputGrid = new TEditGridWidget;
    DocumentCommands m_commands { m_inputGrid->controller(), this };
    MainWindowArea *m_area = nullptr;
    QToolBar *m_toolBar = nullptr;
    THtmlPanel *m_description = nullptr;
    THtmlPanel *m_notice = nullptr;
    std::unique_ptr<TGridFindDialog> m_findInGrid;
    QPushButton *m_aboutButton = nullptr;
    QPushButton *m_analyzeButton = nullptr;
    QLabel *m_statusText = nullptr;
    std::map<std::string, QAction *, std::less<>> m_actions;
    TAbout *m_about = nullptr;
    TZAN_printF *m_reportWindow = nullptr;
};
