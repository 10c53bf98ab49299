#include "pairings_window.h"

#include "app/pairing_tables.h"
#include "platform/pdf_printer.h"
#include "platform/text_codec.h"
#include "platform/user_dialogs.h"
#include "platform/zan_error.h"
#include "report/pairing_composer.h"
#include "report/pairing_csv.h"
#include "report/pairing_document.h"
#include "report/pairing_workbook.h"
#include "report/report_window.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFutureWatcher>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPromise>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <filesystem>
#include <memory>
#include <new>

// What a computation off the window's thread hands back: the plan with its pairs from the least
// to the most inbred young and the candidates' mean kinship, or why there is none.
struct PairingComputation
{
    std::shared_ptr<PairingPlan> plan;
    std::vector<PairingPlan::Pair> pairs;
    PairingAllocation kinship;
    std::string error;
};

namespace {

constexpr int BandRole = Qt::UserRole; // the band's own 8-bit bytes
constexpr int SortRole = Qt::UserRole + 1; // of the mean kinship table
constexpr int ProgressSteps = 1000;

QString shown(const std::string &bytes)
{
    return QString::fromStdString(bytesToUtf8(bytes));
}

// A table to read and sort, without row numbers.
void setUpTable(QTableView *table)
{
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setSortingEnabled(true);
}

// Sorts the rows shown anew as the heading says (sortByColumn() does nothing when the heading
// says so already).
void resort(QTableView *table)
{
    const QHeaderView *header = table->horizontalHeader();
    table->model()->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
}

// Computes the lists into `plan` on a worker thread, telling `promise` how far it has come and
// stopping when it is cancelled; a cancelled computation hands back nothing.
void computeAway(QPromise<PairingComputation> &promise, std::shared_ptr<PairingPlan> plan,
    const std::vector<std::string> &cocks, const std::vector<std::string> &hens)
{
    promise.setProgressRange(0, ProgressSteps);
    PairingComputation computed { plan, {}, {}, {} };
    try {
        const bool complete = plan->compute(cocks, hens, [&](std::size_t done, std::size_t total) {
            promise.setProgressValue(static_cast<int>(done * ProgressSteps / total));
            return !promise.isCanceled();
        });
        if (!complete || promise.isCanceled())
            return;
        computed.pairs = plan->pairsByInbreeding();
        computed.kinship.computeMeanKinship(*plan);
    } catch (const ZanError &error) {
        computed.error = error.what();
    } catch (const std::bad_alloc &) {
        computed.error = "not enough memory for the pairs of " + std::to_string(cocks.size())
            + " cocks x " + std::to_string(hens.size()) + " hens: choose fewer cocks or hens";
    }
    promise.addResult(std::move(computed));
}

} // namespace

PairingsWindow::PairingsWindow(const PedigreeSource &pedigree, QWidget *parent) : QDialog(parent)
{
    setObjectName("pairingsWindow");
    setWindowTitle("Pairings");
    m_computation = new QFutureWatcher<PairingComputation>(this);
    connect(
        m_computation, &QFutureWatcherBase::finished, this, &PairingsWindow::computationFinished);
    buildLayout();
    reload(pedigree);
}

PairingsWindow::~PairingsWindow()
{
    stopComputing();
    // The tables outlive the plan they show, which goes before the window's children.
    m_matrixModel->clear();
    m_listModel->clear();
    m_allocationModel->clear();
}

PairingsWindow::InbreedingBand PairingsWindow::bandOf(double inbreeding)
{
    if (inbreeding < 0.03125)
        return InbreedingBand::Low;
    if (inbreeding < 0.0625)
        return InbreedingBand::Moderate;
    return InbreedingBand::High;
}

QWidget *PairingsWindow::candidateBox(const QString &title, const QString &name, QLineEdit *&filter,
    QListWidget *&list, QLabel *&count)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout(box);
    filter = new QLineEdit;
    filter->setObjectName(name + "Filter");
    filter->setPlaceholderText("Filter");
    filter->setClearButtonEnabled(true);
    list = new QListWidget;
    list->setObjectName(name + "List");
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    count = new QLabel;
    count->setObjectName(name + "Count");
    layout->addWidget(filter);
    layout->addWidget(list);
    layout->addWidget(count);
    QListWidget *filtered = list;
    connect(filter, &QLineEdit::textChanged, this,
        [this, filtered](const QString &text) { filterList(filtered, text); });
    connect(list, &QListWidget::itemSelectionChanged, this, &PairingsWindow::updateCounts);
    return box;
}

void PairingsWindow::buildLayout()
{
    auto *candidates = new QHBoxLayout;
    candidates->addWidget(candidateBox("Cocks", "cock", m_cockFilter, m_cockList, m_cockCount));
    candidates->addWidget(candidateBox("Hens", "hen", m_henFilter, m_henList, m_henCount));

    m_computeButton = new QPushButton("&Compute");
    m_computeButton->setObjectName("computeButton");
    m_computeButton->setDefault(true);
    connect(m_computeButton, &QPushButton::clicked, this, &PairingsWindow::computePairs);

    m_computeStatus = new QLabel;
    m_computeStatus->setObjectName("computeStatus");

    m_matrixModel = new PairingMatrixModel(this);
    m_matrixModel->setChoices(&m_choices);
    m_listModel = new PairingListModel(this);
    m_matrix = new QTableView;
    m_matrix->setObjectName("matrixTable");
    m_matrix->setModel(m_matrixModel);
    m_pairs = new QTableView;
    m_pairs->setObjectName("pairsTable");
    m_pairs->setModel(m_listModel);
    // Hundreds of hens' columns are fitted to their headings and a few rows, not a thousand rows
    // each: the figures all have the same width.
    m_matrix->horizontalHeader()->setResizeContentsPrecision(20);
    for (QTableView *table : { m_matrix, m_pairs })
        setUpTable(table);
    // A click on a figure, or Space on the current one, chooses for that pair; a selection
    // would hide the marks.
    m_matrix->setSelectionMode(QAbstractItemView::NoSelection);
    connect(m_matrix, &QTableView::clicked, this, &PairingsWindow::choosePair);
    auto *choose = new QAction(m_matrix);
    choose->setShortcut(Qt::Key_Space);
    choose->setShortcutContext(Qt::WidgetShortcut);
    m_matrix->addAction(choose);
    connect(choose, &QAction::triggered, this, [this] { choosePair(m_matrix->currentIndex()); });
    m_tabs = new QTabWidget;
    m_tabs->setObjectName("pairingTabs");
    m_tabs->addTab(m_matrix, "&Matrix");
    m_tabs->addTab(m_pairs, "&Pairs");
    m_tabs->addTab(allocationTab(), "&Allocate");

    m_notes = new QPlainTextEdit;
    m_notes->setObjectName("notesView");
    m_notes->setReadOnly(true);
    m_notes->setMaximumHeight(90);

    auto *buttons = new QHBoxLayout;
    m_printButton = new QPushButton("P&rint");
    m_printButton->setObjectName("printButton");
    m_pdfButton = new QPushButton("Save P&DF...");
    m_pdfButton->setObjectName("savePdfButton");
    m_csvButton = new QPushButton("Save C&SV...");
    m_csvButton->setObjectName("saveCsvButton");
    m_xlsxButton = new QPushButton("Save E&xcel...");
    m_xlsxButton->setObjectName("saveXlsxButton");
    auto *close = new QPushButton("C&lose");
    close->setObjectName("closeButton");
    connect(m_printButton, &QPushButton::clicked, this, &PairingsWindow::printPairs);
    connect(m_pdfButton, &QPushButton::clicked, this, &PairingsWindow::savePdf);
    connect(m_csvButton, &QPushButton::clicked, this, &PairingsWindow::saveCsv);
    connect(m_xlsxButton, &QPushButton::clicked, this, &PairingsWindow::saveWorkbook);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_computeButton);
    buttons->addWidget(m_computeStatus);
    buttons->addStretch();
    for (QPushButton *button : { m_printButton, m_pdfButton, m_csvButton, m_xlsxButton, close })
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(candidates, 2);
    layout->addWidget(m_tabs, 3);
    layout->addWidget(legend());
    layout->addWidget(m_notes);
    layout->addLayout(buttons);
    resize(960, 720);
}

// The limits and the Allocate button above the allocation's pairs, its summary and remarks, and
// beside them the candidates' mean kinship.
QWidget *PairingsWindow::allocationTab()
{
    m_allocationModel = new PairingListModel(this);
    m_allocationTable = new QTableView;
    m_allocationTable->setObjectName("allocationTable");
    m_allocationTable->setModel(m_allocationModel);
    m_kinshipModel = new QStandardItemModel(0, 3, this);
    m_kinshipModel->setHorizontalHeaderLabels({ "Candidate", "Sex", "Mean kinship %" });
    m_kinshipModel->setSortRole(SortRole);
    m_kinship = new QTableView;
    m_kinship->setObjectName("kinshipTable");
    m_kinship->setModel(m_kinshipModel);
    for (QTableView *table : { m_allocationTable, m_kinship })
        setUpTable(table);
    m_allocationNotes = new QPlainTextEdit;
    m_allocationNotes->setObjectName("allocationNotes");
    m_allocationNotes->setReadOnly(true);
    m_allocationNotes->setMaximumHeight(70);

    auto *pairs = new QWidget;
    auto *pairsLayout = new QVBoxLayout(pairs);
    pairsLayout->setContentsMargins(0, 0, 0, 0);
    pairsLayout->addWidget(m_allocationTable);
    pairsLayout->addWidget(m_allocationNotes);
    auto *split = new QSplitter;
    split->addWidget(pairs);
    split->addWidget(m_kinship);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({ 600, 340 });
    m_allocationTable->sortByColumn(1, Qt::AscendingOrder); // by hen, as printed
    m_kinship->sortByColumn(2, Qt::DescendingOrder);

    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(allocationLimits());
    layout->addWidget(split);
    return tab;
}

QLayout *PairingsWindow::allocationLimits()
{
    m_maxPerCock = new QSpinBox;
    m_maxPerCock->setObjectName("maxPerCockBox");
    m_maxPerCock->setRange(1, 9999);
    auto *perCock = new QLabel("Most h&ens per cock:");
    perCock->setBuddy(m_maxPerCock);
    m_boundCheck = new QCheckBox("&No young above");
    m_boundCheck->setObjectName("boundCheck");
    m_bound = new QDoubleSpinBox;
    m_bound->setObjectName("boundBox");
    m_bound->setRange(0.0, 100.0);
    m_bound->setDecimals(3);
    m_bound->setSingleStep(0.5);
    m_bound->setValue(6.25);
    m_bound->setSuffix(" %");
    m_bound->setEnabled(false);
    m_allocateButton = new QPushButton("Alloca&te");
    m_allocateButton->setObjectName("allocateButton");
    m_clearChoicesButton = new QPushButton("Clear c&hoices");
    m_clearChoicesButton->setObjectName("clearChoicesButton");
    connect(m_maxPerCock, &QSpinBox::valueChanged, this, &PairingsWindow::followLimits);
    connect(m_boundCheck, &QCheckBox::toggled, m_bound, &QWidget::setEnabled);
    connect(m_boundCheck, &QCheckBox::toggled, this, &PairingsWindow::followLimits);
    connect(m_bound, &QDoubleSpinBox::valueChanged, this, &PairingsWindow::followLimits);
    connect(m_allocateButton, &QPushButton::clicked, this, &PairingsWindow::allocatePairs);
    connect(m_clearChoicesButton, &QPushButton::clicked, this, &PairingsWindow::clearChoices);

    auto *layout = new QHBoxLayout;
    layout->addWidget(perCock);
    layout->addWidget(m_maxPerCock);
    layout->addSpacing(16);
    layout->addWidget(m_boundCheck);
    layout->addWidget(m_bound);
    layout->addSpacing(16);
    layout->addWidget(m_allocateButton);
    layout->addWidget(m_clearChoicesButton);
    layout->addStretch();
    return layout;
}

// The colours of the matrix and the pairs list, each with the figures it stands for.
QWidget *PairingsWindow::legend()
{
    struct Entry
    {
        const char *name;
        InbreedingBand band;
        const char *text;
    };
    static const Entry entries[] = {
        { "legendLow", InbreedingBand::Low, "below 3.125 %" },
        { "legendModerate", InbreedingBand::Moderate, "3.125 % to below 6.25 %" },
        { "legendHigh", InbreedingBand::High, "6.25 % and more" },
    };
    auto *legend = new QWidget;
    legend->setObjectName("matrixLegend");
    auto *layout = new QHBoxLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Young's inbreeding:"));
    for (const Entry &entry : entries) {
        auto *label = new QLabel(entry.text);
        label->setObjectName(entry.name);
        label->setAutoFillBackground(true);
        label->setContentsMargins(6, 2, 6, 2);
        QPalette colours = label->palette();
        colours.setColor(QPalette::Window, inbreedingColour(entry.band));
        colours.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(colours);
        layout->addWidget(label);
    }
    layout->addSpacing(16);
    auto *marks = new QLabel(QString("%1 fixed   %2 forbidden   %3 allocated")
                                 .arg(QChar(0x2714))
                                 .arg(QChar(0x2718))
                                 .arg(QChar(0x25CF)));
    marks->setObjectName("legendMarks");
    marks->setToolTip("Click a figure of the matrix to fix that pair for the allocation, again to "
                      "forbid it, a third time to free it.");
    layout->addWidget(marks);
    layout->addStretch();
    return legend;
}

void PairingsWindow::reload(const PedigreeSource &pedigree)
{
    stopComputing();
    m_matrixModel->clear();
    m_listModel->clear();
    m_allocationModel->clear();
    m_allocation = {};
    m_allocated = false;
    m_choices.clear();
    m_plan.load(pedigree);
    m_title = pedigree.CurrentFile();
    m_plan.compute({}, {});
    fillList(m_cockList, m_plan.possibleCocks());
    fillList(m_henList, m_plan.possibleHens());
    m_computeStatus->clear();
    showResults({});
}

bool PairingsWindow::isComputing() const
{
    return m_progress != nullptr;
}

void PairingsWindow::setMemoryLimit(std::uint64_t bytes)
{
    m_plan.setMemoryLimit(bytes);
}

// Cancels a computation under way and waits for its thread to let go of the plan.
void PairingsWindow::stopComputing()
{
    if (!isComputing())
        return;
    m_computation->cancel();
    m_computation->waitForFinished();
    endProgress();
    m_computeStatus->clear();
}

void PairingsWindow::endProgress()
{
    m_progress->hide();
    m_progress->deleteLater();
    m_progress = nullptr;
    unsetCursor();
    m_computeButton->setEnabled(true);
}

void PairingsWindow::fillList(QListWidget *list, const std::vector<std::string> &bands)
{
    list->clear();
    for (const std::string &band : bands) {
        auto *item = new QListWidgetItem(shown(band), list);
        item->setData(BandRole, QByteArray::fromStdString(band));
    }
}

void PairingsWindow::filterList(QListWidget *list, const QString &text)
{
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
    }
}

std::vector<std::string> PairingsWindow::selectedBands(const QListWidget *list) const
{
    std::vector<std::string> bands;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            bands.push_back(list->item(row)->data(BandRole).toByteArray().toStdString());
    return bands;
}

void PairingsWindow::updateCounts()
{
    m_cockCount->setText(QString("%1 of %2 selected")
                             .arg(m_cockList->selectedItems().size())
                             .arg(m_cockList->count()));
    m_henCount->setText(QString("%1 of %2 selected")
                            .arg(m_henList->selectedItems().size())
                            .arg(m_henList->count()));
}

void PairingsWindow::computePairs()
{
    if (isComputing())
        return;
    const std::vector<std::string> cocks = selectedBands(m_cockList);
    const std::vector<std::string> hens = selectedBands(m_henList);
    auto plan = std::make_shared<PairingPlan>(m_plan.sameRows());
    m_computation->setFuture(QtConcurrent::run(computeAway, plan, cocks, hens));
    startProgress(cocks.size(), hens.size());
}

// Shows the computation's progress and offers Cancel, the window blocked meanwhile.
void PairingsWindow::startProgress(std::size_t cocks, std::size_t hens)
{
    const QString what = QString("the pairs of %1 cocks x %2 hens").arg(cocks).arg(hens);
    m_computeStatus->setText("Computing " + what + "...");
    m_computeButton->setEnabled(false);
    setCursor(Qt::BusyCursor);
    m_progress = new QProgressDialog("Computing " + what + "...", "Cancel", 0, ProgressSteps, this);
    m_progress->setObjectName("computeProgress");
    m_progress->setWindowTitle("Pairings");
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(300);
    connect(m_progress, &QProgressDialog::canceled, m_computation, &QFutureWatcherBase::cancel);
    connect(m_computation, &QFutureWatcherBase::progressValueChanged, m_progress,
        &QProgressDialog::setValue);
}

void PairingsWindow::computationFinished()
{
    if (!isComputing())
        return; // stopped and ended already
    endProgress();
    const QFuture<PairingComputation> future = m_computation->future();
    if (future.isCanceled() || future.resultCount() == 0) {
        m_computeStatus->setText("Cancelled: the figures shown are from before.");
        return;
    }
    PairingComputation computed = m_computation->future().takeResult();
    if (!computed.error.empty()) {
        m_computeStatus->clear();
        showError(computed.error);
        return;
    }
    m_computeStatus->setText(QString("%1 pairs computed.").arg(computed.pairs.size()));
    m_matrixModel->clear();
    m_listModel->clear();
    m_allocationModel->clear();
    m_plan = std::move(*computed.plan);
    m_allocation = std::move(computed.kinship);
    showResults(std::move(computed.pairs));
}

void PairingsWindow::showResults(std::vector<PairingPlan::Pair> pairs)
{
    m_matrixModel->show(&m_plan);
    m_matrix->sortByColumn(0, Qt::AscendingOrder);
    m_matrix->resizeColumnsToContents();
    m_listModel->show(&m_plan, std::move(pairs));
    m_pairs->sortByColumn(2, Qt::AscendingOrder);
    m_pairs->resizeColumnsToContents();
    showNotes();
    updateCounts();
    m_choices.keepAmong(m_plan.cocks(), m_plan.hens());
    m_allocated = m_allocated && !m_plan.empty();
    followLimits();
    showKinship();
    const bool any = !m_plan.empty();
    for (QPushButton *button :
        { m_printButton, m_pdfButton, m_csvButton, m_xlsxButton, m_allocateButton })
        button->setEnabled(any);
}

void PairingsWindow::allocatePairs()
{
    if (m_plan.empty())
        return;
    m_allocated = true;
    followLimits();
}

void PairingsWindow::clearChoices()
{
    m_choices.clear();
    followLimits();
}

void PairingsWindow::choosePair(const QModelIndex &index)
{
    PairingPlan::Pair pair;
    if (!m_matrixModel->pairAt(index, pair))
        return;
    m_choices.cycle(m_plan.cocks()[pair.cock], m_plan.hens()[pair.hen]);
    followLimits();
}

PairingAllocation::Limits PairingsWindow::limits() const
{
    PairingAllocation::Limits limits;
    limits.maxPerCock = m_maxPerCock->value();
    limits.fixed = m_choices.fixed();
    limits.forbidden = m_choices.forbidden();
    if (m_boundCheck->isChecked())
        limits.maxInbreedingPercent = m_bound->value();
    return limits;
}

// Makes the allocation anew for the limits and choices once there is one, and shows it with the
// choices.
void PairingsWindow::followLimits()
{
    if (m_allocated)
        m_allocation.allocate(m_plan, limits());
    showAllocation();
}

void PairingsWindow::showAllocation()
{
    const std::vector<PairingPlan::Pair> none;
    const std::vector<PairingPlan::Pair> &pairs = m_allocated ? m_allocation.pairs() : none;
    m_matrixModel->showAllocation(pairs);
    m_allocationModel->show(&m_plan, pairs);
    resort(m_allocationTable);
    m_allocationTable->resizeColumnsToContents();
    if (!m_allocated) {
        m_allocationNotes->setPlainText(
            "Allocate makes the season's pairs: each hen with at most one cock, the young as "
            "little inbred as the limits allow. Click a figure of the matrix to fix that pair, "
            "again to forbid it, a third time to free it.");
        return;
    }
    QStringList lines { shown(PairingText::allocationSummary(m_allocation)) };
    for (const std::string &line : PairingText::unpairedLines(m_allocation, std::string::npos))
        lines << shown(line);
    for (const std::string &remark : m_allocation.remarks())
        lines << shown(remark);
    m_allocationNotes->setPlainText(lines.join('\n'));
}

// Every candidate's mean kinship beside its band, the cocks first.
void PairingsWindow::showKinship()
{
    m_kinshipModel->setRowCount(0);
    for (const PairingAllocation::Candidate &candidate : m_allocation.candidates()) {
        auto *band = new QStandardItem(shown(candidate.band));
        band->setData(band->text(), SortRole);
        auto *sex = new QStandardItem(candidate.cock ? "cock" : "hen");
        sex->setData(sex->text(), SortRole);
        auto *kinship = new QStandardItem(QString::number(candidate.meanKinship * 100.0, 'f', 2));
        kinship->setData(candidate.meanKinship, SortRole);
        kinship->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_kinshipModel->appendRow({ band, sex, kinship });
    }
    resort(m_kinship);
    m_kinship->resizeColumnsToContents();
    // Wide enough for every column: the pairs beside it take what is left.
    int width = 2 * m_kinship->frameWidth() + m_kinship->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_kinshipModel->columnCount(); ++column)
        width += m_kinship->columnWidth(column);
    m_kinship->setMinimumWidth(width);
}

void PairingsWindow::showNotes()
{
    QStringList lines;
    lines << QString("%1 birds in the pedigree; %2 cocks x %3 hens.")
                 .arg(m_plan.birdCount())
                 .arg(m_plan.cocks().size())
                 .arg(m_plan.hens().size());
    for (const PairingPlan::RefusedRow &row : m_plan.refusedRows())
        lines << QString("Row %1 (%2): %3")
                     .arg(row.row)
                     .arg(shown(row.bands.identification), shown(row.message));
    for (const std::string &note : m_plan.notes())
        lines << shown(note);
    m_notes->setPlainText(lines.join('\n'));
}

std::string PairingsWindow::proposedFile(const char *extension) const
{
    std::filesystem::path path(m_title);
    path.replace_extension();
    return path.string() + "-pairings" + extension;
}

void PairingsWindow::showError(const std::string &what)
{
    userDialogs().showMessage(this, { "Pairings", what, MessageIcon::Error, { DialogButton::Ok } });
}

void PairingsWindow::printPairs()
{
    if (m_printer == nullptr) {
        showError(NoPrinterReason);
        return;
    }
    try {
        printPairings(m_plan, m_title, *m_printer, allocation());
    } catch (const ZanError &error) {
        showError(error.what());
    }
}

void PairingsWindow::savePdf()
{
    const auto file = userDialogs().chooseSaveFile(
        this, { "Save pairings as PDF", proposedFile(".pdf"), "PDF files (*.pdf)|*.pdf", ".pdf" });
    if (!file)
        return;
    try {
        PdfPrinter pdf;
        pdf.setOutputFile(*file);
        printPairings(m_plan, m_title, pdf, allocation());
    } catch (const ZanError &error) {
        showError(error.what());
    }
}

void PairingsWindow::saveCsv()
{
    const auto file = userDialogs().chooseSaveFile(
        this, { "Save pairings as CSV", proposedFile(".csv"), "CSV files (*.csv)|*.csv", ".csv" });
    if (!file)
        return;
    try {
        writePairingCsv(m_plan, *file, allocation());
    } catch (const ZanError &error) {
        showError(error.what());
    }
}

void PairingsWindow::saveWorkbook()
{
    const auto file = userDialogs().chooseSaveFile(this,
        { "Save pairings as Excel workbook", proposedFile(".xlsx"),
            "Excel workbooks (*.xlsx)|*.xlsx", ".xlsx" });
    if (!file)
        return;
    try {
        writePairingWorkbook(m_plan, *file, allocation());
    } catch (const ZanError &error) {
        showError(error.what());
    }
}
