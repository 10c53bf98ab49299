#include "main_window.h"

#include "app/about_box.h"
#include "app/check_pedigree_dialog.h"
#include "app/exception_boundary.h"
#include "app/help_guide.h"
#include "app/main_window_area.h"
#include "app/main_window_images.h"
#include "app/pairings_window.h"
#include "app/panel_texts.h"
#include "app/pedigree_check_texts.h"
#include "app/population_window.h"
#include "app/window_texts.h"
#include "platform/widget_font.h"

#include "engine/inbreed.h"
#include "grid/grid_find_dialog.h"
#include "grid/import_dialog.h"
#include "grid/import_reading.h"
#include "grid/pedigree_grid.h"
#include "panel/html_panel.h"
#include "platform/printer_setup_dialog.h"
#include "platform/user_dialogs.h"
#include "report/bird_ancestry.h"
#include "report/report_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <string_view>
#include <vector>

namespace {

// The window's design size, also its smallest.
constexpr int designWidth = 728;
constexpr int designHeight = 530;

QString text(std::string_view value)
{
    return QString::fromUtf8(value.data(), qsizetype(value.size()));
}

// The menus and the tool bar, by action name; "-" is a separator.
struct MenuDesign
{
    std::string_view caption;
    std::vector<std::string_view> items;
};

const std::vector<MenuDesign> &menuDesign()
{
    static const std::vector<MenuDesign> menus {
        { WindowTexts::fileMenu,
            { "FileNew", "FileOpen", "FileImport", "FileSave", "FileSaveAs", "-", "PageSetup", "-",
                "FileExit" } },
        { WindowTexts::editMenu,
            { "EditUndo1", "-", "EditCut1", "EditCopy1", "EditPaste1", "-", "EditFind" } },
        // An empty caption puts the action itself on the menu bar.
        { {}, { "Analyze", "AnalyzeBird", "Pairings", "Population", "CheckPedigree" } },
        { WindowTexts::helpMenu, { "HelpContents", "HelpAbout" } },
    };
    return menus;
}

const std::vector<std::string_view> &toolBarDesign()
{
    static const std::vector<std::string_view> buttons { "FileNew", "FileOpen", "FileSave",
        "FileSaveAs", "-", "FileExit", "-", "UndoToolButton", "EditCut1", "EditCopy1", "EditPaste1",
        "-", "EditFind", "-", "Analyze", "-", "HelpContents" };
    return buttons;
}

} // namespace

template <class Handler> void TmainF::run(Handler handler)
{
    guarded(this, handler);
}

TmainF::TmainF(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("mainF");
    setWindowTitle(text(WindowTexts::mainCaption()));
    setMinimumSize(designWidth, designHeight);
    resize(designWidth, designHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    createActions();
    createControls();
    bindGridEvents();
    FormCreate();
}

TmainF::~TmainF()
{
    // The grid outlives this part of the window while QWidget deletes the children: it must not
    // call back into it.
    disconnect(m_inputGrid, nullptr, this, nullptr);
    GridEditController &editing = m_inputGrid->controller();
    editing.OnGetEditorType = nullptr;
    editing.OnCellValidate = nullptr;
    editing.OnAutoInsertRow = nullptr;
    editing.OnAutoDeleteRow = nullptr;
}

void TmainF::createActions()
{
    for (const WindowTexts::ActionText &design : WindowTexts::actions) {
        auto *action = new QAction(text(design.caption), this);
        action->setObjectName(text(design.name));
        action->setToolTip(text(design.hint));
        action->setIcon(mainWindowImage(design.image));
        action->setIconVisibleInMenu(true);
        if (!design.shortcut.empty())
            action->setShortcut(QKeySequence(text(design.shortcut)));
        m_actions.emplace(std::string(design.name), action);
    }

    const auto bind = [this](std::string_view name, void (TmainF::*handler)()) {
        connect(action(std::string(name)), &QAction::triggered, this,
            [this, handler] { run([this, handler] { (this->*handler)(); }); });
    };
    bind("FileNew", &TmainF::FileNewExecute);
    bind("FileOpen", &TmainF::FileOpenExecute);
    bind("FileImport", &TmainF::FileImportExecute);
    bind("FileSave", &TmainF::FileSaveExecute);
    bind("FileSaveAs", &TmainF::FileSaveAsExecute);
    bind("PageSetup", &TmainF::PageSetupExecute);
    bind("FileExit", &TmainF::FileExitExecute);
    bind("EditFind", &TmainF::EditFindExecute);
    bind("Analyze", &TmainF::AnalyzeExecute);
    bind("AnalyzeBird", &TmainF::AnalyzeBirdExecute);
    bind("Pairings", &TmainF::PairingsExecute);
    bind("Population", &TmainF::PopulationExecute);
    bind("CheckPedigree", &TmainF::CheckPedigreeExecute);
    bind("HelpContents", &TmainF::HelpContentsExecute);
    bind("HelpAbout", &TmainF::HelpAboutExecute);

    // The standard edit actions work on the grid's cell editor.
    connect(action("EditUndo1"), &QAction::triggered, this,
        [this] { run([this] { m_inputGrid->undoEditorText(); }); });
    connect(action("EditCut1"), &QAction::triggered, this,
        [this] { run([this] { m_inputGrid->cutEditorText(); }); });
    connect(action("EditCopy1"), &QAction::triggered, this,
        [this] { run([this] { m_inputGrid->copyEditorText(); }); });
    connect(action("EditPaste1"), &QAction::triggered, this,
        [this] { run([this] { m_inputGrid->pasteEditorText(); }); });

    // The tool bar's Undo button has a hint of its own.
    auto *undoButton = new QAction(action("EditUndo1")->icon(), action("EditUndo1")->text(), this);
    undoButton->setObjectName("UndoToolButton");
    undoButton->setToolTip(text(WindowTexts::undoToolButtonHint));
    connect(undoButton, &QAction::triggered, action("EditUndo1"), &QAction::trigger);
    connect(action("EditUndo1"), &QAction::enabledChanged, undoButton, &QAction::setEnabled);
    m_actions.emplace("UndoToolButton", undoButton);

    for (const MenuDesign &design : menuDesign()) {
        if (design.caption.empty()) {
            // A menu bar shows only the icon of an action that has one: the item is a copy of
            // the action with its caption alone.
            for (std::string_view item : design.items) {
                QAction *command = action(std::string(item));
                // The window holds the action itself, so that its shortcut works.
                addAction(command);
                QAction *barItem = menuBar()->addAction(command->text());
                barItem->setObjectName(command->objectName() + "MenuItem");
                connect(barItem, &QAction::triggered, command, &QAction::trigger);
            }
            continue;
        }
        QMenu *menu = menuBar()->addMenu(text(design.caption));
        for (std::string_view item : design.items) {
            if (item == "-")
                menu->addSeparator();
            else
                menu->addAction(action(std::string(item)));
        }
    }
}

void TmainF::createControls()
{
    m_area = new MainWindowArea(this);
    m_area->setObjectName("mainArea");
    m_area->setFont(widgetFont("Crystal", 16));
    setCentralWidget(m_area);
    connect(
        m_area, &MainWindowArea::clicked, this, [this] { run([this] { HelpAboutExecute(); }); });

    m_toolBar = new QToolBar(m_area);
    m_toolBar->setObjectName("ToolBar1");
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setContentsMargins(4, 0, 0, 0);
    m_toolBar->resize(width(), 29);
    m_area->setTopBar(m_toolBar);
    for (std::string_view item : toolBarDesign()) {
        if (item == "-")
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(action(std::string(item)));
    }

    m_inputGrid->setParent(m_area);
    m_inputGrid->setObjectName("InputGrid");
    m_inputGrid->setGeometry(230, 32, 475, 425);
    m_area->setGrowingChild(m_inputGrid);
    configurePedigreeGrid(m_inputGrid->model());
    m_inputGrid->controller().MaxEditLength = 18;

    m_notice = new THtmlPanel(m_area);
    setUpNoticePanel(*m_notice);
    m_notice->move(6, 32);
    m_description = new THtmlPanel(m_area);
    setUpDescriptionPanel(*m_description);
    m_description->move(6, 240);

    m_findInGrid = std::make_unique<TGridFindDialog>(this);
    m_findInGrid->Grid = &m_inputGrid->model();
    WindowTexts::applyFindTexts(*m_findInGrid);

    const QFont buttonFont = widgetFont("Times New Roman", 19, true);
    m_aboutButton = new QPushButton(text(WindowTexts::aboutButtonCaption), m_area);
    m_aboutButton->setObjectName("AboutBtn");
    m_aboutButton->setToolTip(text(WindowTexts::aboutButtonHint));
    m_aboutButton->setGeometry(46, 128, 145, 33);
    m_analyzeButton = new QPushButton(text(WindowTexts::analyzeButtonCaption), m_area);
    m_analyzeButton->setObjectName("AnalyzeBtn");
    m_analyzeButton->setGeometry(46, 184, 145, 33);
    for (QPushButton *button : { m_aboutButton, m_analyzeButton }) {
        button->setFont(buttonFont);
        // A click leaves the keyboard with the grid.
        button->setFocusPolicy(Qt::TabFocus);
    }
    connect(
        m_aboutButton, &QPushButton::clicked, this, [this] { run([this] { AboutBtnClick(); }); });
    connect(m_analyzeButton, &QPushButton::clicked, this,
        [this] { run([this] { AnalyzeExecute(); }); });

    m_statusText = new QLabel(statusBar());
    m_statusText->setObjectName("StatusBar1Panel0");
    statusBar()->setObjectName("StatusBar1");
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_statusText, 1);
    m_commands.ShowCurrentFile = [this](const std::string &file) {
        m_statusText->setText(QString::fromStdString(userDialogText(file)));
    };

    setFocusProxy(m_inputGrid);
    m_inputGrid->setFocus();
}

void TmainF::bindGridEvents()
{
    using namespace std::placeholders;
    GridEditController &editing = m_inputGrid->controller();
    editing.OnGetEditorType = std::bind(&TmainF::InputGridGetEditorType, this, _1, _2, _3, _4);
    editing.OnCellValidate = std::bind(&TmainF::InputGridCellValidate, this, _1, _2, _3, _4, _5);
    editing.OnAutoInsertRow = std::bind(&TmainF::InputGridAutoInsertRow, this, _1, _2);
    editing.OnAutoDeleteRow = std::bind(&TmainF::InputGridAutoDeleteRow, this, _1, _2);
    connect(m_inputGrid, &TEditGridWidget::editActionsChanged, this, &TmainF::updateEditActions);
    updateEditActions();
}

void TmainF::updateEditActions()
{
    const bool editing = m_inputGrid->editorHasFocus();
    for (const char *name : { "EditUndo1", "EditCut1", "EditCopy1", "EditPaste1" })
        action(name)->setEnabled(editing);
}

QAction *TmainF::action(const std::string &name) const
{
    const auto found = m_actions.find(name);
    return found != m_actions.end() ? found->second : nullptr;
}

void TmainF::openAtStart(const std::string &fileName)
{
    run([&] { m_commands.openFile(fileName); });
}

int TmainF::GetPedigreeRowCount() const
{
    return m_commands.document().GetPedigreeRowCount();
}

bool TmainF::ReadPedigreeRow(int row)
{
    PedigreeRow read;
    if (!m_commands.document().ReadPedigreeRow(row, read))
        return false;
    RowIdent = std::move(read.identification);
    RowSire = std::move(read.sire);
    RowDam = std::move(read.dam);
    return true;
}

void TmainF::FormCreate()
{
    m_commands.FormCreate();
}

void TmainF::FormCloseQuery(bool &CanClose)
{
    m_commands.FormCloseQuery(CanClose);
}

void TmainF::File_Changed()
{
    m_commands.File_Changed();
}

void TmainF::FileNewExecute()
{
    m_commands.FileNewExecute();
}

void TmainF::FileOpenExecute()
{
    m_commands.FileOpenExecute();
}

void TmainF::FileImportExecute()
{
    if (!m_commands.mayReplaceDocument())
        return;
    FileRequest request;
    request.caption = std::string(WindowTexts::importDialogCaption);
    request.filter = std::string(WindowTexts::importFilter);
    const std::optional<std::string> fileName = userDialogs().chooseOpenFile(this, request);
    if (!fileName)
        return;
    std::optional<ImportTable> table = readImportTableAway(this, *fileName);
    if (!table)
        return;
    if (table->rows.empty())
        throw TableImportError(text(WindowTexts::importNoRows).arg(text(*fileName)).toStdString());
    ImportDialog dialog(*fileName, std::move(*table), this);
    if (dialog.exec() == QDialog::Accepted)
        m_commands.takeImportedRows(dialog.result().rows);
}

void TmainF::FileSaveExecute()
{
    m_commands.FileSaveExecute();
}

void TmainF::FileSaveAsExecute()
{
    m_commands.FileSaveAsExecute();
}

void TmainF::FileExitExecute()
{
    close();
}

void TmainF::PageSetupExecute()
{
    Printer *current = m_reportWindow ? m_reportWindow->printer() : nullptr;
    std::unique_ptr<Printer> chosen = executePrinterSetupDialog(this, current);
    if (chosen && m_reportWindow)
        m_reportWindow->setPrinter(std::move(chosen));
}

void TmainF::EditFindExecute()
{
    m_findInGrid->Execute();
}

void TmainF::AnalyzeExecute()
{
    if (m_reportWindow == nullptr)
        return;
    // The text being typed into a cell is part of the pedigree the breeder analyses.
    File_Changed();
    const int rows = GetPedigreeRowCount() - 1;
    if (rows > inbreed::bird_limit) {
        const MessageRequest question { std::string(WindowTexts::analyzeCaption),
            std::string(WindowTexts::largeGridRows) + std::to_string(rows)
                + std::string(WindowTexts::largeGridLimit) + std::to_string(inbreed::bird_limit)
                + std::string(WindowTexts::largeGridQuestion),
            MessageIcon::Question, { DialogButton::Yes, DialogButton::No } };
        if (userDialogs().showMessage(this, question) != DialogButton::Yes)
            return;
    }
    const pedigree_findings checked = checkPedigree(pedigreeSource());
    m_reportWindow->setCheckProblems(checked.count(finding_severity::error),
        checked.count(finding_severity::warning),
        [this, checked] { run([&] { showCheckFindings(checked, m_reportWindow); }); });
    m_reportWindow->Analyze(pedigreeSource());
}

void TmainF::AnalyzeBirdExecute()
{
    if (m_reportWindow == nullptr)
        return;
    File_Changed();
    PedigreeRow current;
    m_commands.document().ReadPedigreeRow(m_inputGrid->model().Row(), current);
    const BirdAncestry ancestry = birdAncestry(pedigreeSource(), current.identification);
    const std::string problem = current.identification.empty()
        ? std::string(WindowTexts::noCurrentBird)
        : ancestry.problem(current.identification);
    if (!problem.empty()) {
        userDialogs().showMessage(this,
            { std::string(WindowTexts::analyzeCaption), problem, MessageIcon::Warning,
                { DialogButton::Ok } });
        return;
    }
    // The check's rows are the grid's: its notice belongs to the analysis of the whole grid.
    m_reportWindow->setCheckProblems(0, 0, nullptr);
    m_reportWindow->Analyze(ancestry);
}

void TmainF::CheckPedigreeExecute()
{
    File_Changed();
    showCheckFindings(checkPedigree(pedigreeSource()), this);
}

void TmainF::showCheckFindings(const pedigree_findings &checked, QWidget *parent)
{
    CheckPedigreeDialog list(checked, parent);
    if (list.exec() != QDialog::Accepted || list.chosenRow() <= 0)
        return;
    // From the report, going to a row goes back to the grid.
    if (parent == m_reportWindow)
        m_reportWindow->ReturnClick();
    const int row = list.chosenRow();
    if (row < m_inputGrid->model().GetRowCountEx())
        m_inputGrid->model().SelectRange(0, 0, row, row);
    m_inputGrid->setFocus();
}

void TmainF::PairingsExecute()
{
    File_Changed();
    PairingsWindow window(pedigreeSource(), this);
    window.setPrinter(m_reportWindow ? m_reportWindow->printer() : nullptr);
    window.exec();
}

void TmainF::PopulationExecute()
{
    File_Changed();
    PopulationWindow window(pedigreeSource(), this);
    window.setPrinter(m_reportWindow ? m_reportWindow->printer() : nullptr);
    window.exec();
}

void TmainF::HelpContentsExecute()
{
    HelpGuide::showContents(this);
}

void TmainF::HelpAboutExecute()
{
    showAbout();
}

void TmainF::AboutBtnClick()
{
    showAbout();
}

void TmainF::showAbout()
{
    if (m_about != nullptr)
        m_about->exec();
}

void TmainF::InputGridGetEditorType(TEditGrid *, int, int, TEditorType &AEditor)
{
    AEditor = edCapital;
}

void TmainF::InputGridCellValidate(TEditGrid *, int, int, std::string &, bool &)
{
    m_commands.markChanged();
}

void TmainF::InputGridAutoInsertRow(TEditGrid *, int)
{
    m_commands.markChanged();
}

void TmainF::InputGridAutoDeleteRow(TEditGrid *, int)
{
    m_commands.markChanged();
}

void TmainF::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    if (!guarded(this, [&] { FormCloseQuery(canClose); }))
        canClose = false;
    event->setAccepted(canClose);
}

bool TmainF::event(QEvent *event)
{
    // The status bar shows the current file only: hints are tool tips, and the status tips that
    // menus and tool buttons send would otherwise cover the file name.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}
