#pragma once

// The find dialog of the pedigree grid: a small modeless window that stays above the main window
// and searches the grid one step per OK.
//
//   TGridFindDialog FindInGrid(mainWindow);      // the form lives as long as the component
//   FindInGrid.Grid = &InputGrid.model();        // the cells of the grid on screen
//   FindInGrid.TxtCaption = "ZAN ( Find ? in Table)";
//   FindInGrid.Execute();                        // Ctrl+F: shows it, or brings it forward
//
// The form remembers its options, its history of searched texts and its search position between
// uses. An OK step that finds nothing tells the user through userDialogs() ("Information").

#include "grid/edit_grid.h"

#include <QDialog>
#include <QPointer>

#include <string>
#include <utility>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TGridFindForm;

// The non-visual find component: the grid to search, the texts of the dialog and Execute.
class TGridFindDialog
{
public:
    // Creates the form, hidden, as a dialog of parentWidget (the main window), or of no window
    // until setParentWidget is called.
    explicit TGridFindDialog(QWidget *parentWidget = nullptr);
    ~TGridFindDialog();

    TGridFindDialog(const TGridFindDialog &) = delete;
    TGridFindDialog &operator=(const TGridFindDialog &) = delete;

    // Makes the form a dialog of parent: it stays above it and closes with it.
    void setParentWidget(QWidget *parent);

    // Binds the form to Grid, copies the texts below into its controls, puts SearchText into the
    // search box and shows the form without waiting for it. Called while the form is open, it
    // refreshes the texts, replaces the search box's text and brings the form forward.
    void Execute();

    // The form, for the main window and tests; nullptr once its parent window destroyed it.
    TGridFindForm *form() const { return m_form; }

    TEditGrid *Grid = nullptr;
    bool AutoPosition = false; // the form never moves next to the found cell
    std::string SearchText;
    // Texts are 8-bit (Windows-1252) or UTF-8; an ampersand marks the next letter as accelerator.
    std::string MsgNotFound = "Could not find text";
    std::string MsgNoMoreFound = "No more occurences of text ";
    std::string TxtCaption = "Find text";
    std::string TxtTextToFind = "Text to find";
    std::string TxtDirection = "Direction";
    std::string TTxtDirForward1 = "Forward (top to bottom)";
    std::string TTxtDirForward2 = "Forward (left to right)";
    std::string TTxtDirBackward1 = "Backward (bottom to top)";
    std::string TTxtDirBackward2 = "Backward (right to left)";
    std::string TxtScope = "Scope";
    std::string TxtScopeAllCells = "All cells";
    std::string TxtScopeCurrRow = "Current row only";
    std::string TxtScopeCurrCol = "Current column only";
    std::string TxtOptions;
    std::string TxtOptionsCase = "&Case sensitive";
    std::string TxtOptionsWholeWords = "&Whole words only";
    std::string TxtOptionsMatchFirst = "&Match from first char";
    std::string TxtOptionsIgnoreHTML = "&Ignore HTML tags";
    std::string TxtOptionsFixedCells = "&Find in fixed cells";
    std::string TxtBtnOk = "Ok";
    std::string TxtBtnCancel = "Cancel";

private:
    QPointer<TGridFindForm> m_form;
};

// The dialog window. Children carry the object names of their roles (TextToFind, cbForwardTB,
// Scope, Docase, OkBtn, ...). Client area 354 x 225 pixels:
//
//   +-------------------------------------------------------+
//   | Find what ?  [TextToFind                          v]  |  label (8, 8), box (88, 4)
//   | +-gbDirection--------+  +-Options-----------------+   |  (8, 32)        (184, 32)
//   | | [x] Forward (t..b) |  | [ ] Case sensitive      |   |
//   | | ...four boxes      |  | ...five boxes           |   |
//   | +--------------------+  |                         |   |
//   | +-Scope--------------+  +-------------------------+   |  (8, 135)
//   | | (o) All cells      |  [  Ok  ]  [ Cancel ]        |  (184, 192), (272, 192)
//   | +--------------------+                               |
//   +-------------------------------------------------------+
class TGridFindForm : public QDialog
{
public:
    explicit TGridFindForm(QWidget *parent = nullptr);

    void applyTexts(const TGridFindDialog &texts);
    void setGrid(TEditGrid *grid) { m_grid = grid; }
    // Replaces the search box's text; a search afterwards starts from the first cell.
    void setSearchText(const std::string &text);
    // The search box's text as 8-bit text.
    std::string searchText() const;
    // The searched texts, oldest first.
    std::vector<std::string> history() const;
    // The cell the last step found, or (-1, -1) when the next step starts from the beginning.
    TGridCoord searchPosition() const { return m_position; }
    // The options, direction and scope as the grid's search parameters (always fnAutoGoto).
    TFindParameters findParameters() const;

    // One search step: remembers the text, searches on from the last position and, when nothing
    // more is found, says so and starts from the beginning next time. Nothing without a grid.
    void OkBtnClick();
    // Shows the form (centred on the screen the first time), raises and activates it, and puts
    // the focus into the search box.
    void showForward();

private:
    void createControls();
    QCheckBox *addCheckBox(QWidget *parent, const char *name, int left, int top, int width);
    void fitBoxesToTexts();
    void ScopeClick();
    void resetPosition() { m_position = { -1, -1 }; }
    void addToHistory(const std::string &text);
    void showNotFound(bool fromStart, const std::string &text);

    TEditGrid *m_grid = nullptr;
    TGridCoord m_position { -1, -1 };
    std::string m_msgNotFound;
    std::string m_msgNoMoreFound;
    bool m_placed = false;
    std::vector<std::pair<QAbstractButton *, int>> m_designWidths; // check and radio boxes

    QLabel *m_label = nullptr;
    QComboBox *m_textToFind = nullptr;
    QGroupBox *m_direction = nullptr;
    QCheckBox *m_forwardTB = nullptr;
    QCheckBox *m_forwardLR = nullptr;
    QCheckBox *m_backwardBT = nullptr;
    QCheckBox *m_backwardRL = nullptr;
    QGroupBox *m_scope = nullptr;
    QButtonGroup *m_scopeChoices = nullptr;
    QGroupBox *m_options = nullptr;
    QCheckBox *m_docase = nullptr;
    QCheckBox *m_whole = nullptr;
    QCheckBox *m_matchFirst = nullptr;
    QCheckBox *m_ignoreHtml = nullptr;
    QCheckBox *m_fixed = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
