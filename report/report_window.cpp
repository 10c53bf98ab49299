#include "report_window.h"

#include "report/check_notice_bar.h"
#include "report/pedigree_source.h"
#include "report/report_analysis.h"

#include "platform/pdf_printer.h"
#include "platform/user_dialogs.h"
#include "platform/widget_font.h"
#include "platform/zan_error.h"
#include "print/dv_print.h"
#include "print/dv_print_preview.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QWheelEvent>
#include <QWindow>

#include <cstdio>

namespace {

constexpr int windowWidth = 728;
constexpr int windowHeight = 530;
constexpr int controlsHeight = 49;
constexpr int scrollPanelWidth = 24;
constexpr int statusBarHeight = 19;
constexpr int previewWheelStep = 50;

const char *const caption = "ZAN ( Print Preview  )";
const char *const computingText = "Computing the ZAN statistiics.";
const char *const printFailedText = "The report could not be printed.";

std::string formatted(const char *format, int first, int second = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, format, first, second);
    return text;
}

// The message of the exception being handled.
std::string currentReason()
{
    try {
        throw;
    } catch (const std::exception &error) {
        return error.what();
    } catch (...) {
        return "unknown error";
    }
}

// The hourglass for the lifetime of the object, unless restored earlier.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

class BusyScope
{
public:
    explicit BusyScope(bool &busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    bool &m_busy;
};

} // namespace

TZAN_printF::TZAN_printF(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
            | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_analysis(std::make_unique<ReportAnalysis>())
{
    setObjectName(QStringLiteral("ZAN_printF"));
    setWindowTitle(QString::fromLatin1(caption));
    setFont(widgetFont("Crystal", 12, false));
    buildControls();
    addShortcuts();
    resize(windowWidth, windowHeight);

    TDVPrint &print = DVPrint1();
    print.SetLM(20);
    print.SetRM(20);
    print.SetTM(20);
    print.SetBM(20);
    m_analysis->setFormattingProgress([this](int pagesCompleted, TDVPrintingStep step) {
        DVPrint1Formatting(DVPrint1().DocView(), pagesCompleted, step);
    });
    print.OnSendingToPrinter
        = [this](TCustomDocView &sender, int pagesCompleted, TDVPrintingStep step) {
              DVPrint1SendingToPrinter(sender, pagesCompleted, step);
          };
    m_preview->SetDVPrint(&print);
}

TZAN_printF::~TZAN_printF()
{
    // The preview must not draw pages of a print component that is going away.
    m_preview->SetDVPrint(nullptr);
}

void TZAN_printF::buildControls()
{
    m_controls = new QWidget(this);
    m_controls->setObjectName(QStringLiteral("Controls"));
    m_controls->setFixedHeight(controlsHeight);

    const auto makeButton = [this](const char *name, const char *hint, int left) {
        auto *button = new QPushButton(QString::fromLatin1(name), m_controls);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromLatin1(hint));
        button->setFont(widgetFont("Crystal", 16, true));
        button->setGeometry(left, 8, 89, 33);
        button->setAutoDefault(false);
        return button;
    };
    m_print = makeButton("Print", "Print This Data", 176);
    m_return = makeButton("Return", "Return to Input From", 448);
    m_print->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    m_return->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    connect(m_print, &QPushButton::clicked, this, [this] { PrintClick(); });
    connect(m_return, &QPushButton::clicked, this, [this] { ReturnClick(); });

    m_preview = new TDVPrintPreview(this);
    m_preview->setObjectName(QStringLiteral("DVPrintPreview1"));
    m_preview->MarginsPen.style = PenStyle::InsideFrame;
    m_preview->WheelStep = previewWheelStep;
    m_preview->installEventFilter(this);
    m_preview->viewport()->installEventFilter(this);

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFixedWidth(scrollPanelWidth);
    m_scrollBar = new QScrollBar(Qt::Vertical, m_panel);
    m_scrollBar->setObjectName(QStringLiteral("ScrollBar1"));
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(1);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
    auto *panelLayout = new QVBoxLayout(m_panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(m_scrollBar);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setFixedHeight(statusBarHeight);
    m_statusBar->setSizeGripEnabled(false);

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(m_preview, 1);
    middle->addWidget(m_panel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_controls);
    m_checkNotice = new CheckNoticeBar(this);
    layout->addWidget(m_checkNotice);
    layout->addLayout(middle, 1);
    layout->addWidget(m_statusBar);
}

void TZAN_printF::addShortcuts()
{
    const auto add = [this](QKeyCombination key, const auto &handler) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, handler);
    };
    add(Qt::CTRL | Qt::Key_P, [this] { PrintClick(); });
    const auto showPageAt = [this](bool last) {
        if (m_busy)
            return;
        m_scrollBar->setValue(last ? m_scrollBar->maximum() : m_scrollBar->minimum());
        m_preview->SetVScrollPos(0);
    };
    for (const Qt::KeyboardModifiers modifiers : { Qt::NoModifier, Qt::ControlModifier }) {
        add(modifiers | Qt::Key_Home, [showPageAt] { showPageAt(false); });
        add(modifiers | Qt::Key_End, [showPageAt] { showPageAt(true); });
    }
}

TDVPrint &TZAN_printF::DVPrint1()
{
    return m_analysis->DVPrint1();
}

Printer *TZAN_printF::printer()
{
    if (!m_printerKnown) {
        m_printer = createDefaultPrinter();
        m_printerKnown = true;
    }
    return m_printer.get();
}

void TZAN_printF::setPrinter(std::unique_ptr<Printer> printer)
{
    DVPrint1().Clear();
    m_printer = std::move(printer);
    m_printerKnown = true;
    m_analysis->setPrinter(&pagePrinter());
}

Printer &TZAN_printF::pagePrinter()
{
    if (Printer *chosen = printer())
        return *chosen;
    if (!m_layoutPrinter)
        m_layoutPrinter = std::make_unique<PdfPrinter>();
    return *m_layoutPrinter;
}

std::string TZAN_printF::statusText() const
{
    return m_statusBar->currentMessage().toStdString();
}

void TZAN_printF::setCheckProblems(int errors, int warnings, std::function<void()> showList)
{
    m_checkNotice->setProblems(errors, warnings, std::move(showList));
}

void TZAN_printF::Analyze(const PedigreeSource &pedigree)
{
    m_pedigree = &pedigree;
    m_analysisDue = true;
    exec();
    m_pedigree = nullptr;
    m_analysisDue = false;
}

void TZAN_printF::showAnalysis(const PedigreeSource &pedigree)
{
    m_pedigree = &pedigree;
    m_analysisDue = true;
    setWindowModality(Qt::ApplicationModal);
    show();
    startPendingAnalysis();
}

void TZAN_printF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        m_placed = true;
    }
    if (QWindow *window = windowHandle())
        window->installEventFilter(this);
    // The run starts from the event loop, so that the window is drawn before it.
    QMetaObject::invokeMethod(
        this, [this] { startPendingAnalysis(); }, Qt::QueuedConnection);
}

void TZAN_printF::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        startPendingAnalysis();
}

void TZAN_printF::startPendingAnalysis()
{
    if (m_analysisDue && isVisible() && windowHandle() && windowHandle()->isExposed())
        FormActivate();
}

void TZAN_printF::FormActivate()
{
    if (!m_analysisDue || m_busy || !m_pedigree)
        return;
    m_analysisDue = false;
    BusyScope busy(m_busy);
    WaitCursor wait;
    m_title = m_pedigree->CurrentFile();
    setStatusText(computingText);
    repaint();
    try {
        m_analysis->setPrinter(&pagePrinter());
        m_analysis->run(*m_pedigree);
    } catch (...) {
        forgetPages();
        wait.restore();
        setStatusText("");
        showFailure("The analysis could not be completed.", currentReason());
        return;
    }
    {
        const QSignalBlocker blocker(m_scrollBar);
        m_scrollBar->setMinimum(1);
        m_scrollBar->setValue(1);
        m_scrollBar->setMaximum(DVPrint1().GetPagesCount());
    }
    m_preview->SetZoomMode(dvzmFullPage);
    m_preview->First();
    wait.restore();
    m_preview->SetZoomMode(dvzmFullPage);
    m_preview->setFocus();
    showPreviewText();
}

void TZAN_printF::ScrollBar1Change()
{
    const int position = m_scrollBar->value();
    if (position <= 0)
        return;
    m_preview->SetPageNo(position);
    showPreviewText();
}

void TZAN_printF::PrintClick()
{
    if (m_busy || !DVPrint1().Formatted())
        return;
    if (printer() == nullptr) {
        setStatusText("");
        showFailure(printFailedText, NoPrinterReason);
        return;
    }
    BusyScope busy(m_busy);
    WaitCursor wait;
    try {
        DVPrint1().Print(m_title, 1, false);
    } catch (...) {
        wait.restore();
        setStatusText("");
        showFailure(printFailedText, currentReason());
    }
}

void TZAN_printF::ReturnClick()
{
    if (m_busy)
        return;
    DVPrint1().Clear();
    close();
}

void TZAN_printF::reject()
{
    if (m_busy)
        return;
    forgetPages();
    QDialog::reject();
}

void TZAN_printF::DVPrint1Formatting(TCustomDocView &, int pagesCompleted, TDVPrintingStep step)
{
    switch (step) {
    case dvpsStarting:
        setStatusText("Repaginating...");
        return;
    case dvpsProceeding:
        setStatusText(formatted("Repaginating (%d)", pagesCompleted));
        return;
    case dvpsFinished:
        setStatusText("");
        return;
    }
}

void TZAN_printF::DVPrint1SendingToPrinter(
    TCustomDocView &, int pagesCompleted, TDVPrintingStep step)
{
    switch (step) {
    case dvpsStarting:
        setStatusText("Starting...");
        return;
    case dvpsProceeding:
        setStatusText(formatted("Printing (%d)", pagesCompleted));
        return;
    case dvpsFinished:
        setStatusText("");
        return;
    }
}

// The text is painted at once: the work that follows keeps the event loop waiting.
void TZAN_printF::setStatusText(const std::string &text)
{
    m_statusBar->showMessage(QString::fromStdString(text));
    if (m_statusBar->isVisible())
        m_statusBar->repaint();
}

void TZAN_printF::showPreviewText()
{
    setStatusText(
        formatted("Previewing Page %d of %d", m_preview->PageNo(), DVPrint1().GetPagesCount()));
}

void TZAN_printF::forgetPages()
{
    DVPrint1().Clear();
    const QSignalBlocker blocker(m_scrollBar);
    m_scrollBar->setRange(0, 0);
    m_preview->viewport()->update();
}

void TZAN_printF::showFailure(const std::string &what, const std::string &reason)
{
    MessageRequest message;
    message.caption = "ZAN";
    message.text = what + "\n\n" + reason;
    message.icon = MessageIcon::Error;
    userDialogs().showMessage(this, message);
}

// Page Up, Page Down and the wheel scroll the page while it is taller than the preview; at its
// top or bottom (and at full-page zoom) they go to the previous or next page.
bool TZAN_printF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle()) {
        if (event->type() == QEvent::Expose && m_analysisDue)
            QMetaObject::invokeMethod(
                this, [this] { startPendingAnalysis(); }, Qt::QueuedConnection);
        return QDialog::eventFilter(watched, event);
    }
    if (watched == m_preview && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_PageDown || key == Qt::Key_PageUp)
            return turnPage(key == Qt::Key_PageDown ? 1 : -1);
    }
    if (watched == m_preview->viewport() && event->type() == QEvent::Wheel) {
        const int notches = static_cast<QWheelEvent *>(event)->angleDelta().y() / 120;
        if (notches != 0)
            return turnPage(notches < 0 ? 1 : -1);
    }
    return QDialog::eventFilter(watched, event);
}

// Returns true when the event was used to change the page.
bool TZAN_printF::turnPage(int direction)
{
    const bool atEdge = direction > 0 ? m_preview->VScrollPos() >= m_preview->VScrollMax()
                                      : m_preview->VScrollPos() <= 0;
    if (!atEdge || m_busy || !DVPrint1().Formatted())
        return false;
    const int target = m_scrollBar->value() + direction;
    if (target < m_scrollBar->minimum() || target > m_scrollBar->maximum())
        return true;
    m_scrollBar->setValue(target);
    m_preview->SetVScrollPos(direction > 0 ? 0 : m_preview->VScrollMax());
    return true;
}
