#include "population_window.h"

#include "app/pairs_command.h"
#include "app/population_views.h"
#include "platform/locale_text.h"
#include "platform/pdf_printer.h"
#include "platform/text_codec.h"
#include "platform/user_dialogs.h"
#include "platform/widget_font.h"
#include "platform/zan_error.h"
#include "report/population_composer.h"
#include "report/population_study.h"
#include "report/population_text.h"
#include "report/report_window.h"

#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPromise>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <filesystem>
#include <new>

namespace {

constexpr int ProgressSteps = 1000;

// Computes `study` for `group` on a worker thread, telling `promise` how far it has come and
// stopping when it is cancelled; hands back whether every figure is in.
void computeAway(
    QPromise<bool> &promise, std::shared_ptr<PopulationStudy> study, std::vector<std::string> group)
{
    promise.setProgressRange(0, ProgressSteps);
    bool complete = false;
    try {
        complete = study->compute(group, [&](std::size_t done, std::size_t total) {
            promise.setProgressValue(
                total == 0 ? ProgressSteps : static_cast<int>(done * ProgressSteps / total));
            return !promise.isCanceled();
        });
    } catch (const std::bad_alloc &) {
        complete = false;
    }
    promise.addResult(complete && !promise.isCanceled());
}

} // namespace

PopulationWindow::PopulationWindow(const PedigreeSource &pedigree, QWidget *parent)
    : QDialog(parent), m_study(std::make_shared<PopulationStudy>())
{
    setObjectName("populationWindow");
    setWindowTitle("Population");
    m_computation = new QFutureWatcher<bool>(this);
    connect(
        m_computation, &QFutureWatcherBase::finished, this, &PopulationWindow::computationFinished);
    buildLayout();
    m_study->load(pedigree);
    compute();
}

PopulationWindow::~PopulationWindow()
{
    stopComputing();
    m_birdModel->setStudy(nullptr);
}

void PopulationWindow::buildLayout()
{
    m_summary = new QPlainTextEdit;
    m_summary->setObjectName("summaryView");
    m_summary->setReadOnly(true);
    m_summary->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_summary->setFont(widgetFont("Courier New", m_summary->fontMetrics().height() - 2));

    m_chart = new PopulationChartView;

    m_birdModel = new PopulationBirdModel(this);
    m_birds = new QTableView;
    m_birds->setObjectName("birdsTable");
    m_birds->setModel(m_birdModel);
    m_birds->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_birds->verticalHeader()->setVisible(false);
    m_birds->verticalHeader()->setDefaultSectionSize(m_birds->fontMetrics().height() + 8);
    m_birds->horizontalHeader()->setResizeContentsPrecision(50);
    m_birds->setSortingEnabled(true);

    // The summary's lines are up to 100 characters; its pane shows them whole.
    const int summaryWidth = m_summary->fontMetrics().horizontalAdvance(QString(100, 'M'))
        + 2 * m_summary->frameWidth() + 8 + m_summary->verticalScrollBar()->sizeHint().width();
    auto *top = new QSplitter(Qt::Horizontal);
    top->addWidget(m_summary);
    top->addWidget(m_chart);
    top->setSizes({ summaryWidth, 440 });
    auto *split = new QSplitter(Qt::Vertical);
    split->addWidget(top);
    split->addWidget(m_birds);

    m_group = new QLineEdit;
    m_group->setObjectName("groupEdit");
    m_group->setPlaceholderText("the birds with no offspring");
    m_group->setToolTip("The reference group: bands separated by commas, or @ and the name of a "
                        "file with one band per line; empty: the birds with no offspring");
    auto *groupLabel = new QLabel("Reference &group:");
    groupLabel->setBuddy(m_group);
    connect(m_group, &QLineEdit::returnPressed, this, &PopulationWindow::compute);

    m_status = new QLabel;
    m_status->setObjectName("computeStatus");
    m_computeButton = new QPushButton("&Compute");
    m_computeButton->setObjectName("computeButton");
    m_printButton = new QPushButton("P&rint");
    m_printButton->setObjectName("printButton");
    m_pdfButton = new QPushButton("Save P&DF...");
    m_pdfButton->setObjectName("savePdfButton");
    m_csvButton = new QPushButton("Save C&SV...");
    m_csvButton->setObjectName("saveCsvButton");
    auto *close = new QPushButton("C&lose");
    close->setObjectName("closeButton");
    connect(m_computeButton, &QPushButton::clicked, this, &PopulationWindow::compute);
    connect(m_printButton, &QPushButton::clicked, this, &PopulationWindow::printStudy);
    connect(m_pdfButton, &QPushButton::clicked, this, &PopulationWindow::savePdf);
    connect(m_csvButton, &QPushButton::clicked, this, &PopulationWindow::saveCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *group = new QHBoxLayout;
    group->addWidget(groupLabel);
    group->addWidget(m_group, 1);
    group->addWidget(m_computeButton);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    for (QPushButton *button : { m_printButton, m_pdfButton, m_csvButton, close })
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(group);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    resize(summaryWidth + 480, 720);
}

bool PopulationWindow::isComputing() const
{
    return m_progress != nullptr;
}

void PopulationWindow::compute()
{
    if (isComputing())
        return;
    std::vector<std::string> group;
    try {
        // Bands as the grid takes them typed, in capitals; a group file's name as it stands.
        const std::string typed = utf8ToBytes(m_group->text().toStdString());
        group = readBandList(typed.starts_with('@') ? typed : upperCase(typed));
    } catch (const ZanError &error) {
        showError(error.what());
        return;
    }
    m_computed = false;
    showFigures();
    m_status->setText(QString("Computing the figures of %1 birds...").arg(m_study->birdCount()));
    m_computeButton->setEnabled(false);
    setCursor(Qt::BusyCursor);
    m_progress = new QProgressDialog(m_status->text(), "Cancel", 0, ProgressSteps, this);
    m_progress->setObjectName("computeProgress");
    m_progress->setWindowTitle("Population");
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(300);
    m_cancelled = false;
    connect(m_progress, &QProgressDialog::canceled, this, [this] {
        m_cancelled = true;
        m_computation->cancel();
    });
    connect(m_computation, &QFutureWatcherBase::progressValueChanged, m_progress,
        &QProgressDialog::setValue);
    m_computation->setFuture(QtConcurrent::run(computeAway, m_study, std::move(group)));
}

// Cancels a computation under way and waits for its thread to let go of the study.
void PopulationWindow::stopComputing()
{
    if (!isComputing())
        return;
    m_computation->cancel();
    m_computation->waitForFinished();
    computationFinished();
}

void PopulationWindow::computationFinished()
{
    if (!isComputing())
        return;
    m_progress->hide();
    m_progress->deleteLater();
    m_progress = nullptr;
    unsetCursor();
    m_computeButton->setEnabled(true);
    const QFuture<bool> future = m_computation->future();
    m_computed
        = !m_cancelled && !future.isCanceled() && future.resultCount() > 0 && future.result();
    m_status->setText(m_computed ? QString("%1 birds.").arg(m_study->birdCount())
                                 : QString("Cancelled: Compute starts again."));
    showFigures();
}

void PopulationWindow::showFigures()
{
    const PopulationStudy *shown = m_computed ? m_study.get() : nullptr;
    m_birdModel->setStudy(shown);
    m_chart->setStudy(shown);
    QStringList lines;
    if (shown != nullptr) {
        for (const auto &part :
            { PopulationText::summaryLines(*shown), PopulationText::yearLines(*shown) }) {
            for (const std::string &line : part)
                lines << QString::fromStdString(bytesToUtf8(line));
            lines << QString();
        }
        for (const std::string &note : shown->notes())
            lines << QString::fromStdString(bytesToUtf8(note));
        m_birds->sortByColumn(PopulationBirdModel::Band, Qt::AscendingOrder);
        m_birds->resizeColumnsToContents();
    }
    m_summary->setPlainText(lines.join('\n'));
    m_printButton->setEnabled(shown != nullptr);
    m_pdfButton->setEnabled(shown != nullptr);
    m_csvButton->setEnabled(shown != nullptr);
}

void PopulationWindow::showError(const std::string &what)
{
    userDialogs().showMessage(
        this, { "Population", what, MessageIcon::Error, { DialogButton::Ok } });
}

void PopulationWindow::printStudy()
{
    if (m_printer == nullptr) {
        showError(NoPrinterReason);
        return;
    }
    try {
        printPopulation(*m_study, *m_printer);
    } catch (const ZanError &error) {
        showError(error.what());
    }
}

// The pedigree file's name without its extension, with `ending`.
std::string PopulationWindow::proposedFile(const char *ending) const
{
    std::filesystem::path proposed(m_study->fileName());
    proposed.replace_extension();
    return proposed.string() + ending;
}

void PopulationWindow::savePdf()
{
    const auto file = userDialogs().chooseSaveFile(this,
        { "Save population as PDF", proposedFile("-population.pdf"), "PDF files (*.pdf)|*.pdf",
            ".pdf" });
    if (!file)
        return;
    try {
        PdfPrinter pdf;
        pdf.setOutputFile(*file);
        printPopulation(*m_study, pdf);
    } catch (const ZanError &error) {
        showError(error.what());
    }
}

void PopulationWindow::saveCsv()
{
    const auto file = userDialogs().chooseSaveFile(this,
        { "Save the birds' figures as CSV", proposedFile("-population.csv"),
            "CSV files (*.csv)|*.csv", ".csv" });
    if (!file)
        return;
    try {
        PopulationText::saveCsv(*m_study, *file);
    } catch (const ZanError &error) {
        showError(error.what());
    }
}
