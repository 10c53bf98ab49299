#include "pairings_window.h"

#include "app/command_line.h"
#include "app/pairs_command.h"
#include "app/pdf_printer_scope.h"

#include "platform/text_codec.h"
#include "platform/user_dialogs.h"
#include "platform/zan_error.h"

#include <QApplication>
#include <QColor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <filesystem>

namespace {

constexpr int BandRole = Qt::UserRole; // the band's own 8-bit bytes
constexpr int ValueRole = Qt::UserRole + 1; // the number a cell sorts by

QString shown(const std::string &bytes)
{
    return QString::fromStdString(bytesToUtf8(bytes));
}

QString percentText(double fraction)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", fraction * 100.0);
    return QString::fromLatin1(text);
}

// A cell that sorts by its number rather than its text.
class NumberItem : public QTableWidgetItem
{
public:
    explicit NumberItem(double fraction) : QTableWidgetItem(percentText(fraction))
    {
        setData(ValueRole, fraction);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }

    bool operator<(const QTableWidgetItem &other) const override
    {
        return data(ValueRole).toDouble() < other.data(ValueRole).toDouble();
    }
};

QTableWidgetItem *bandItem(const std::string &band)
{
    auto *item = new QTableWidgetItem(shown(band));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QColor colourOf(PairingsWindow::InbreedingBand band)
{
    switch (band) {
    case PairingsWindow::InbreedingBand::Low:
        return QColor(0xC8, 0xF0, 0xC8);
    case PairingsWindow::InbreedingBand::Moderate:
        return QColor(0xFA, 0xEB, 0xA0);
    case PairingsWindow::InbreedingBand::High:
        return QColor(0xF5, 0xB4, 0xAA);
    }
    return QColor();
}

QString ancestorText(const PairingPlan::Ancestor &ancestor)
{
    return shown(ancestor.band) + " (" + percentText(ancestor.contribution) + ")";
}

} // namespace

PairingsWindow::PairingsWindow(const PedigreeSource &pedigree, QWidget *parent) : QDialog(parent)
{
    setObjectName("pairingsWindow");
    setWindowTitle("Pairings");
    buildLayout();
    reload(pedigree);
}

PairingsWindow::~PairingsWindow() = default;

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

    m_matrix = new QTableWidget;
    m_matrix->setObjectName("matrixTable");
    m_pairs = new QTableWidget;
    m_pairs->setObjectName("pairsTable");
    for (QTableWidget *table : { m_matrix, m_pairs }) {
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->verticalHeader()->setVisible(false);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    }
    m_tabs = new QTabWidget;
    m_tabs->addTab(m_matrix, "&Matrix");
    m_tabs->addTab(m_pairs, "&Pairs");

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
    auto *close = new QPushButton("C&lose");
    close->setObjectName("closeButton");
    connect(m_printButton, &QPushButton::clicked, this, &PairingsWindow::printPairs);
    connect(m_pdfButton, &QPushButton::clicked, this, &PairingsWindow::savePdf);
    connect(m_csvButton, &QPushButton::clicked, this, &PairingsWindow::saveCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_computeButton);
    buttons->addStretch();
    for (QPushButton *button : { m_printButton, m_pdfButton, m_csvButton, close })
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(candidates, 2);
    layout->addWidget(m_tabs, 3);
    layout->addWidget(m_notes);
    layout->addLayout(buttons);
    resize(900, 700);
}

void PairingsWindow::reload(const PedigreeSource &pedigree)
{
    m_plan.load(pedigree);
    m_title = pedigree.CurrentFile();
    m_plan.compute({}, {});
    fillList(m_cockList, m_plan.possibleCocks());
    fillList(m_henList, m_plan.possibleHens());
    showResults();
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_plan.compute(selectedBands(m_cockList), selectedBands(m_henList));
    showResults();
    QApplication::restoreOverrideCursor();
}

void PairingsWindow::showResults()
{
    fillMatrix();
    fillPairs();
    showNotes();
    updateCounts();
    const bool any = !m_plan.empty();
    for (QPushButton *button : { m_printButton, m_pdfButton, m_csvButton })
        button->setEnabled(any);
}

void PairingsWindow::fillMatrix()
{
    m_matrix->setSortingEnabled(false);
    m_matrix->clear();
    const int hens = static_cast<int>(m_plan.hens().size());
    m_matrix->setColumnCount(m_plan.empty() ? 0 : hens + 1);
    m_matrix->setRowCount(m_plan.empty() ? 0 : static_cast<int>(m_plan.cocks().size()));
    if (m_plan.empty())
        return;
    QStringList headings { "Cock \\ Hen" };
    for (const std::string &hen : m_plan.hens())
        headings << shown(hen);
    m_matrix->setHorizontalHeaderLabels(headings);
    for (std::size_t c = 0; c < m_plan.cocks().size(); ++c) {
        const int row = static_cast<int>(c);
        m_matrix->setItem(row, 0, bandItem(m_plan.cocks()[c]));
        for (std::size_t h = 0; h < m_plan.hens().size(); ++h) {
            auto *item = new NumberItem(m_plan.inbreeding(c, h));
            item->setBackground(colourOf(bandOf(m_plan.inbreeding(c, h))));
            QStringList tip { shown(m_plan.cocks()[c]) + " x " + shown(m_plan.hens()[h]),
                QString("Equivalent complete generations of the young: %1")
                    .arg(m_plan.equivalentCompleteGenerations(c, h), 0, 'f', 2) };
            for (const PairingPlan::Ancestor &ancestor : m_plan.ancestors(c, h))
                tip << ancestorText(ancestor);
            item->setToolTip(tip.join('\n'));
            m_matrix->setItem(row, static_cast<int>(h) + 1, item);
        }
    }
    m_matrix->setSortingEnabled(true);
    m_matrix->resizeColumnsToContents();
}

void PairingsWindow::fillPairs()
{
    m_pairs->setSortingEnabled(false);
    m_pairs->clear();
    const std::vector<PairingPlan::Pair> pairs = m_plan.pairsByInbreeding();
    m_pairs->setColumnCount(7);
    m_pairs->setRowCount(static_cast<int>(pairs.size()));
    m_pairs->setHorizontalHeaderLabels({ "Cock", "Hen", "ZAN %", "Complete generations",
        "Common ancestor 1", "Common ancestor 2", "Common ancestor 3" });
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const int row = static_cast<int>(i);
        const PairingPlan::Pair &pair = pairs[i];
        m_pairs->setItem(row, 0, bandItem(m_plan.cocks()[pair.cock]));
        m_pairs->setItem(row, 1, bandItem(m_plan.hens()[pair.hen]));
        auto *figure = new NumberItem(m_plan.inbreeding(pair.cock, pair.hen));
        figure->setBackground(colourOf(bandOf(m_plan.inbreeding(pair.cock, pair.hen))));
        m_pairs->setItem(row, 2, figure);
        const double generations = m_plan.equivalentCompleteGenerations(pair.cock, pair.hen);
        auto *completeness = new NumberItem(generations);
        completeness->setText(QString::number(generations, 'f', 2));
        m_pairs->setItem(row, 3, completeness);
        const std::vector<PairingPlan::Ancestor> ancestors = m_plan.ancestors(pair.cock, pair.hen);
        for (std::size_t a = 0; a < ancestors.size(); ++a) {
            auto *item = new NumberItem(ancestors[a].contribution);
            item->setText(ancestorText(ancestors[a]));
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_pairs->setItem(row, static_cast<int>(a) + 4, item);
        }
    }
    m_pairs->resizeColumnsToContents();
    m_pairs->setSortingEnabled(true);
    m_pairs->sortItems(2, Qt::AscendingOrder);
    m_pairs->resizeColumnsToContents(); // with room for the sort arrow
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
    try {
        printPairings(m_plan, m_title);
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
        ReportOptions options;
        options.pdfFile = *file;
        PdfPrinterScope pdf(options);
        printPairings(m_plan, m_title);
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
        writePairingCsv(m_plan, *file);
    } catch (const ZanError &error) {
        showError(error.what());
    }
}
