#include "grid/grid_find_dialog.h"

#include "platform/locale_text.h"
#include "platform/text_codec.h"
#include "platform/user_dialogs.h"
#include "platform/widget_font.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace {

constexpr TGridCoord noCell { -1, -1 };
constexpr int clientWidth = 354;
constexpr int clientHeight = 225;

enum ScopeChoice { AllCells = 0, CurrentRow = 1, CurrentColumn = 2 };

// Program texts are UTF-8 when valid, otherwise Windows-1252 like the cells.
QString displayText(const std::string &text)
{
    return QString::fromStdString(userDialogText(text));
}

QString cellText(const std::string &bytes)
{
    return QString::fromStdString(bytesToUtf8(bytes));
}

std::string cellBytes(const QString &text)
{
    return utf8ToBytes(text.toStdString());
}

} // namespace

// --- TGridFindDialog -----------------------------------------------------------------------------

TGridFindDialog::TGridFindDialog(QWidget *parentWidget) : m_form(new TGridFindForm(parentWidget))
{
    m_form->applyTexts(*this);
}

TGridFindDialog::~TGridFindDialog()
{
    delete m_form.data(); // still there unless the parent window was destroyed first
}

void TGridFindDialog::setParentWidget(QWidget *parent)
{
    if (m_form)
        m_form->setParent(parent, m_form->windowFlags());
}

void TGridFindDialog::Execute()
{
    if (!m_form)
        return;
    m_form->setGrid(Grid);
    m_form->applyTexts(*this);
    m_form->setSearchText(SearchText);
    m_form->showForward();
}

// --- TGridFindForm -------------------------------------------------------------------------------

TGridFindForm::TGridFindForm(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("GridFindForm");
    setModal(false);
    // The design font, "MS Sans Serif" 8 pt: 11 pixels on the 96-ppi screen it was laid out on.
    setFont(widgetFont("MS Sans Serif", 11));
    setFixedSize(clientWidth, clientHeight);
    createControls();
}

QCheckBox *TGridFindForm::addCheckBox(
    QWidget *parent, const char *name, int left, int top, int width)
{
    auto *box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setGeometry(left, top, width, 17);
    m_designWidths.push_back({ box, width });
    return box;
}

// The design widths suit narrower letters than the installed faces have: a box whose text needs
// more room grows towards the right edge of its group, and if even that is too narrow its letters
// are condensed just enough to show the whole text.
void TGridFindForm::fitBoxesToTexts()
{
    for (const auto &[box, designWidth] : m_designWidths) {
        box->setFont(QFont());
        const int room = box->parentWidget()->width() - box->x() - 3;
        const int wanted = box->sizeHint().width();
        box->resize(std::clamp(wanted, designWidth, std::max(room, designWidth)), box->height());
        QFont condensed = box->font();
        for (int stretch = 99; box->sizeHint().width() > box->width() && stretch >= 75; --stretch) {
            condensed.setStretch(stretch);
            box->setFont(condensed);
        }
    }
}

void TGridFindForm::createControls()
{
    m_label = new QLabel(this);
    m_label->setObjectName("Label1");
    m_label->move(8, 8);

    m_textToFind = new QComboBox(this);
    m_textToFind->setObjectName("TextToFind");
    m_textToFind->setGeometry(88, 4, 257, 21);
    m_textToFind->setEditable(true);
    m_textToFind->setInsertPolicy(QComboBox::NoInsert); // OK keeps the history
    m_textToFind->setCompleter(nullptr); // search for what was typed, not a completion of it
    m_label->setBuddy(m_textToFind);

    m_direction = new QGroupBox(this);
    m_direction->setObjectName("gbDirection");
    m_direction->setGeometry(8, 32, 169, 97);
    m_forwardTB = addCheckBox(m_direction, "cbForwardTB", 10, 17, 135);
    m_forwardLR = addCheckBox(m_direction, "cbForwardLR", 10, 35, 135);
    m_backwardBT = addCheckBox(m_direction, "cbBackwardBT", 10, 53, 140);
    m_backwardRL = addCheckBox(m_direction, "cbBackwardRL", 10, 71, 135);
    // The four boxes are one choice: checking one unchecks the others, the checked one stays.
    auto *directions = new QButtonGroup(this);
    directions->setExclusive(true);
    for (QCheckBox *box : { m_forwardTB, m_forwardLR, m_backwardBT, m_backwardRL })
        directions->addButton(box);
    m_forwardTB->setChecked(true);

    m_scope = new QGroupBox(this);
    m_scope->setObjectName("Scope");
    m_scope->setGeometry(8, 135, 169, 81);
    m_scopeChoices = new QButtonGroup(this);
    const char *const scopeNames[] = { "ScopeAllCells", "ScopeCurrRow", "ScopeCurrCol" };
    for (int choice = AllCells; choice <= CurrentColumn; ++choice) {
        auto *button = new QRadioButton(m_scope);
        button->setObjectName(scopeNames[choice]);
        button->setGeometry(8, 16 + 20 * choice, 153, 17);
        m_designWidths.push_back({ button, 153 });
        m_scopeChoices->addButton(button, choice);
    }
    m_scopeChoices->button(AllCells)->setChecked(true);
    connect(m_scopeChoices, &QButtonGroup::idClicked, this, [this] { ScopeClick(); });

    m_options = new QGroupBox(this);
    m_options->setObjectName("Options");
    m_options->setGeometry(184, 32, 161, 145);
    m_docase = addCheckBox(m_options, "Docase", 8, 24, 97);
    m_whole = addCheckBox(m_options, "Whole", 8, 48, 113);
    m_matchFirst = addCheckBox(m_options, "MatchFirst", 8, 72, 129);
    m_ignoreHtml = addCheckBox(m_options, "IgnoreHTML", 8, 96, 121);
    m_fixed = addCheckBox(m_options, "Fixed", 8, 120, 129);

    m_ok = new QPushButton(this);
    m_ok->setObjectName("OkBtn");
    m_ok->setGeometry(184, 192, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { OkBtnClick(); });

    m_cancel = new QPushButton(this);
    m_cancel->setObjectName("CancelBtn");
    m_cancel->setGeometry(272, 192, 75, 25);
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject); // hides; Escape too

    // A new text, typed or taken from the history, is searched from the first cell again.
    connect(m_textToFind->lineEdit(), &QLineEdit::textEdited, this, [this] { resetPosition(); });
    connect(m_textToFind, &QComboBox::activated, this, [this] { resetPosition(); });

    setTabOrder(m_textToFind, m_forwardTB);
}

void TGridFindForm::applyTexts(const TGridFindDialog &texts)
{
    setWindowTitle(displayText(texts.TxtCaption));
    m_label->setText(displayText(texts.TxtTextToFind));
    m_label->adjustSize();
    m_direction->setTitle(displayText(texts.TxtDirection));
    m_forwardTB->setText(displayText(texts.TTxtDirForward1));
    m_forwardLR->setText(displayText(texts.TTxtDirForward2));
    m_backwardBT->setText(displayText(texts.TTxtDirBackward1));
    m_backwardRL->setText(displayText(texts.TTxtDirBackward2));
    m_scope->setTitle(displayText(texts.TxtScope));
    m_scopeChoices->button(AllCells)->setText(displayText(texts.TxtScopeAllCells));
    m_scopeChoices->button(CurrentRow)->setText(displayText(texts.TxtScopeCurrRow));
    m_scopeChoices->button(CurrentColumn)->setText(displayText(texts.TxtScopeCurrCol));
    m_options->setTitle(displayText(texts.TxtOptions));
    m_docase->setText(displayText(texts.TxtOptionsCase));
    m_whole->setText(displayText(texts.TxtOptionsWholeWords));
    m_matchFirst->setText(displayText(texts.TxtOptionsMatchFirst));
    m_ignoreHtml->setText(displayText(texts.TxtOptionsIgnoreHTML));
    m_fixed->setText(displayText(texts.TxtOptionsFixedCells));
    m_ok->setText(displayText(texts.TxtBtnOk));
    m_cancel->setText(displayText(texts.TxtBtnCancel));
    fitBoxesToTexts();
    m_msgNotFound = texts.MsgNotFound;
    m_msgNoMoreFound = texts.MsgNoMoreFound;
}

void TGridFindForm::setSearchText(const std::string &text)
{
    m_textToFind->setEditText(cellText(text));
    resetPosition();
}

std::string TGridFindForm::searchText() const
{
    return cellBytes(m_textToFind->currentText());
}

std::vector<std::string> TGridFindForm::history() const
{
    std::vector<std::string> texts;
    for (int i = 0; i < m_textToFind->count(); ++i)
        texts.push_back(cellBytes(m_textToFind->itemText(i)));
    return texts;
}

TFindParameters TGridFindForm::findParameters() const
{
    TFindParameters parameters { fnAutoGoto };
    if (m_docase->isChecked())
        parameters += fnMatchCase;
    if (m_whole->isChecked())
        parameters += fnMatchFull;
    if (m_matchFirst->isChecked())
        parameters += fnMatchStart;
    if (m_ignoreHtml->isChecked())
        parameters += fnIgnoreHTMLTags;
    if (m_fixed->isChecked())
        parameters += fnIncludeFixed;
    if (m_backwardBT->isChecked() || m_backwardRL->isChecked())
        parameters += fnBackward;
    if (m_forwardLR->isChecked() || m_backwardRL->isChecked())
        parameters += fnDirectionLeftRight;
    if (m_scopeChoices->checkedId() == CurrentRow)
        parameters += fnFindInCurrentRow;
    if (m_scopeChoices->checkedId() == CurrentColumn)
        parameters += fnFindInCurrentCol;
    return parameters;
}

void TGridFindForm::OkBtnClick()
{
    if (!m_grid)
        return;
    const std::string text = searchText();
    addToHistory(text);
    const bool fromStart = m_position == noCell;
    m_position = m_grid->Find(m_position, text, findParameters());
    if (m_position == noCell)
        showNotFound(fromStart, text);
}

void TGridFindForm::showForward()
{
    if (!m_placed) {
        // Centred on the screen of the main window, or on the primary screen.
        const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
        if (screen) {
            QRect frame(QPoint(), size());
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
    m_textToFind->setFocus();
}

void TGridFindForm::ScopeClick()
{
    const int choice = m_scopeChoices->checkedId();
    const bool vertical = choice != CurrentRow; // top to bottom, bottom to top
    const bool horizontal = choice != CurrentColumn;
    m_forwardTB->setEnabled(vertical);
    m_backwardBT->setEnabled(vertical);
    m_forwardLR->setEnabled(horizontal);
    m_backwardRL->setEnabled(horizontal);
    if (!vertical && (m_forwardTB->isChecked() || m_backwardBT->isChecked()))
        m_forwardLR->setChecked(true);
    if (!horizontal && (m_forwardLR->isChecked() || m_backwardRL->isChecked()))
        m_forwardTB->setChecked(true);
}

void TGridFindForm::addToHistory(const std::string &text)
{
    if (text.empty())
        return;
    const std::string key = upperCase(text);
    for (const std::string &known : history()) {
        if (upperCase(known) == key)
            return;
    }
    m_textToFind->addItem(cellText(text));
}

void TGridFindForm::showNotFound(bool fromStart, const std::string &text)
{
    // The message, then on a line of its own the text in double quotes; all of it as UTF-8, so
    // that an 8-bit search text is shown as the cells show it.
    const std::string &message = fromStart ? m_msgNotFound : m_msgNoMoreFound;
    const MessageRequest request { "Information",
        userDialogText(message) + " \r\"" + bytesToUtf8(text) + "\"", MessageIcon::Information,
        { DialogButton::Ok } };
    userDialogs().showMessage(this, request);
}
