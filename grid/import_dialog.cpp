#include "grid/import_dialog.h"

#include "grid/import_reading.h"
#include "platform/text_codec.h"
#include "platform/user_dialogs.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

constexpr std::array<const char *, 3> columnNames { "band", "sire", "dam" };
constexpr std::array<const char *, 3> columnLabels { "&Band:", "&Sire:", "&Dam:" };
// The marks of the chosen columns in the preview's header, as the grid heads them.
constexpr std::array<const char *, 3> columnMarks { "IDENTIFICATION", "SIRE", "DAM" };

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString rowsText(size_t count)
{
    return count == 1 ? QString("1 row") : QString("%1 rows").arg(count);
}

} // namespace

// The table's first data rows as the dialog's choice takes them: the chosen columns hold the bands
// as they will be imported, a row left out is tinted and tells why in its tool tip, and each row
// is headed by its line number in the file.
class ImportPreviewModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    // `columns` from 0 by PedigreeColumn, -1 where none is chosen.
    void show(const ImportTable &table, int width, bool hasHeader,
        const std::array<int, 3> &columns, bool unify)
    {
        beginResetModel();
        m_width = width;
        m_columns = columns;
        m_header = hasHeader && !table.rows.empty() ? &table.rows.front() : nullptr;
        m_rows.clear();
        const bool chosen
            = std::none_of(columns.begin(), columns.end(), [](int column) { return column < 0; });
        const size_t first = m_header ? 1 : 0;
        const size_t end = std::min(table.rows.size(), first + ImportDialog::previewRows);
        for (size_t i = first; i < end; ++i) {
            PreviewRow row { &table.rows[i], std::nullopt, {} };
            if (chosen)
                row.bands = importedRow(row.source->cells, columns, unify, row.problem);
            m_rows.push_back(std::move(row));
        }
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_width;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const PreviewRow &row = m_rows[static_cast<size_t>(index.row())];
        const int pedigreeColumn = chosenAs(index.column());
        switch (role) {
        case Qt::DisplayRole:
            if (row.bands && pedigreeColumn >= 0)
                return fromUtf8(bytesToUtf8((*row.bands)[static_cast<size_t>(pedigreeColumn)]));
            return fromUtf8(cell(row.source->cells, index.column()));
        case Qt::ToolTipRole:
            return row.problem.empty() ? QVariant() : fromUtf8(row.problem + "; row left out");
        case Qt::BackgroundRole:
            if (!row.problem.empty())
                return QColor(0xFA, 0xDB, 0xD8);
            return pedigreeColumn >= 0 ? QVariant(QColor(0xDD, 0xEB, 0xF7)) : QVariant();
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Vertical) {
            if (role != Qt::DisplayRole || section >= rowCount())
                return {};
            return m_rows[static_cast<size_t>(section)].source->line;
        }
        if (role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        const int pedigreeColumn = chosenAs(section);
        return columnName(section) + "\n"
            + (pedigreeColumn >= 0 ? columnMarks[static_cast<size_t>(pedigreeColumn)] : "");
    }

    // A column's name: its header cell, or "Column N" counted from 1.
    QString columnName(int column) const
    {
        const std::string name = m_header ? cell(m_header->cells, column) : std::string();
        return name.empty() ? QString("Column %1").arg(column + 1) : fromUtf8(name);
    }

private:
    struct PreviewRow
    {
        const ImportTable::Row *source;
        std::optional<std::array<std::string, 3>> bands;
        std::string problem;
    };

    static std::string cell(const std::vector<std::string> &cells, int column)
    {
        return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)]
                                                          : std::string();
    }

    // The pedigree column the table column is chosen as (the first when several), or -1.
    int chosenAs(int column) const
    {
        const auto found = std::find(m_columns.begin(), m_columns.end(), column);
        return found == m_columns.end() ? -1 : static_cast<int>(found - m_columns.begin());
    }

    int m_width = 0;
    std::array<int, 3> m_columns { -1, -1, -1 };
    const ImportTable::Row *m_header = nullptr;
    std::vector<PreviewRow> m_rows;
};

ImportDialog::ImportDialog(std::string fileName, ImportTable table, QWidget *parent)
    : QDialog(parent), m_fileName(std::move(fileName))
{
    setObjectName("importDialog");
    setWindowTitle(QString("Import - %1").arg(QFileInfo(fromUtf8(m_fileName)).fileName()));
    m_model = new ImportPreviewModel(this);
    buildLayout();
    for (const std::string &sheet : table.sheets)
        m_sheetBox->addItem(fromUtf8(sheet));
    m_sheetBox->setVisible(table.sheets.size() > 1);
    m_sheetLabel->setVisible(table.sheets.size() > 1);
    connect(m_sheetBox, &QComboBox::currentIndexChanged, this, &ImportDialog::chooseSheet);
    showTable(std::move(table));
}

ImportDialog::~ImportDialog() = default;

void ImportDialog::buildLayout()
{
    auto *file = new QLabel(QFileInfo(fromUtf8(m_fileName)).fileName());
    file->setObjectName("importFile");
    file->setToolTip(fromUtf8(m_fileName));
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_sheetBox = new QComboBox;
    m_sheetBox->setObjectName("sheetBox");
    m_sheetBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_sheetLabel = new QLabel("S&heet:");
    m_sheetLabel->setBuddy(m_sheetBox);

    auto *columns = new QHBoxLayout;
    for (size_t i = 0; i < m_columnBoxes.size(); ++i) {
        QComboBox *box = new QComboBox;
        box->setObjectName(QString("%1Column").arg(columnNames[i]));
        box->setPlaceholderText("Choose a column");
        box->setMinimumContentsLength(14);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        auto *label = new QLabel(columnLabels[i]);
        label->setBuddy(box);
        if (i > 0)
            columns->addSpacing(12);
        columns->addWidget(label);
        columns->addWidget(box, 1);
        connect(box, &QComboBox::currentIndexChanged, this, &ImportDialog::update);
        m_columnBoxes[i] = box;
    }

    m_headerBox = new QCheckBox("&First row is a header");
    m_headerBox->setObjectName("headerBox");
    connect(m_headerBox, &QCheckBox::toggled, this, [this] {
        fillColumnBoxes();
        guessColumns();
        update();
    });
    m_unifyBox = new QCheckBox("&Unify separators in bands (NL 2020 123 becomes NL-2020-123)");
    m_unifyBox->setObjectName("unifyBox");
    connect(m_unifyBox, &QCheckBox::toggled, this, &ImportDialog::update);
    auto *options = new QVBoxLayout;
    options->addWidget(m_headerBox);
    options->addWidget(m_unifyBox);

    auto *form = new QFormLayout;
    form->addRow("File:", file);
    form->addRow(m_sheetLabel, m_sheetBox);
    form->addRow("Columns:", columns);
    form->addRow(QString(), options);

    m_preview = new QTableView;
    m_preview->setObjectName("importPreview");
    m_preview->setModel(m_model);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionMode(QAbstractItemView::NoSelection);
    m_preview->setWordWrap(false);
    m_preview->verticalHeader()->setDefaultSectionSize(m_preview->fontMetrics().height() + 6);
    m_preview->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *previewLabel = new QLabel(QString(
        "The first rows of the table (up to %1), the chosen columns as they will be imported:")
                                        .arg(previewRows));

    m_summary = new QLabel;
    m_summary->setObjectName("importSummary");
    m_summary->setWordWrap(true);
    m_problems = new QPlainTextEdit;
    m_problems->setObjectName("importProblems");
    m_problems->setReadOnly(true);
    m_problems->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_problems->setMaximumHeight(m_problems->fontMetrics().lineSpacing() * 6 + 12);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_importButton = buttons->button(QDialogButtonBox::Ok);
    m_importButton->setText("&Import");
    m_importButton->setObjectName("importButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_summary);
    layout->addWidget(m_problems);
    layout->addWidget(buttons);
    resize(820, 600);
}

ImportChoice ImportDialog::choice() const
{
    ImportChoice chosen;
    for (size_t i = 0; i < m_columnBoxes.size(); ++i) {
        const int index = m_columnBoxes[i]->currentIndex();
        if (index >= 0)
            chosen.columns[i] = std::to_string(index + 1);
    }
    chosen.unifySeparators = m_unifyBox->isChecked();
    chosen.firstRowIsHeader = m_headerBox->isChecked();
    return chosen;
}

void ImportDialog::showTable(ImportTable table)
{
    m_table = std::move(table);
    m_tableWidth = 0;
    for (const ImportTable::Row &row : m_table.rows)
        m_tableWidth = std::max(m_tableWidth, static_cast<int>(row.cells.size()));
    const bool hasHeader = !m_table.rows.empty() && looksLikeHeader(m_table.rows.front().cells);
    {
        const QSignalBlocker blocker(m_headerBox);
        m_headerBox->setChecked(hasHeader);
    }
    fillColumnBoxes();
    for (QComboBox *box : m_columnBoxes) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(-1);
    }
    guessColumns();
    update();
}

void ImportDialog::guessColumns()
{
    const bool hasHeader = m_headerBox->isChecked() && !m_table.rows.empty();
    for (size_t i = 0; i < m_columnBoxes.size(); ++i) {
        if (m_columnBoxes[i]->currentIndex() >= 0)
            continue;
        const auto column = static_cast<PedigreeColumn>(i);
        const int guess
            = hasHeader ? namedColumn(m_table.rows.front().cells, column) : static_cast<int>(i);
        const QSignalBlocker blocker(m_columnBoxes[i]);
        m_columnBoxes[i]->setCurrentIndex(guess < m_tableWidth ? guess : -1);
    }
}

void ImportDialog::fillColumnBoxes()
{
    // The names come from the header row when there is one.
    m_model->show(m_table, m_tableWidth, m_headerBox->isChecked(), { -1, -1, -1 }, false);
    for (QComboBox *box : m_columnBoxes) {
        const QSignalBlocker blocker(box);
        const int current = box->currentIndex();
        box->clear();
        for (int column = 0; column < m_tableWidth; ++column)
            box->addItem(m_model->columnName(column));
        box->setCurrentIndex(current < m_tableWidth ? current : -1);
    }
}

void ImportDialog::chooseSheet(int index)
{
    const std::string sheet = m_table.sheets.at(static_cast<size_t>(index));
    std::optional<ImportTable> table;
    try {
        table = readImportTableAway(this, m_fileName, sheet);
    } catch (const TableImportError &error) {
        userDialogs().showMessage(
            this, { "Import", error.what(), MessageIcon::Error, { DialogButton::Ok } });
    }
    if (!table) {
        // The sheet shown stays chosen.
        const auto shown = std::find(m_table.sheets.begin(), m_table.sheets.end(), sheet);
        const QSignalBlocker blocker(m_sheetBox);
        m_sheetBox->setCurrentIndex(static_cast<int>(shown - m_table.sheets.begin()));
        return;
    }
    showTable(std::move(*table));
}

void ImportDialog::update()
{
    const ImportChoice chosen = choice();
    std::array<int, 3> columns {};
    for (size_t i = 0; i < columns.size(); ++i)
        columns[i] = m_columnBoxes[i]->currentIndex();
    m_model->show(
        m_table, m_tableWidth, m_headerBox->isChecked(), columns, m_unifyBox->isChecked());
    m_preview->resizeColumnsToContents();

    m_result = {};
    const auto missing = std::find(columns.begin(), columns.end(), -1);
    if (missing != columns.end()) {
        showOutcome(std::string("Choose the ")
            + columnNames[static_cast<size_t>(missing - columns.begin())] + " column.");
        return;
    }
    try {
        m_result = importPedigree(m_table, chosen);
    } catch (const TableImportError &error) {
        showOutcome(error.what());
        return;
    }
    showOutcome({});
}

void ImportDialog::showOutcome(const std::string &error)
{
    const size_t imported = m_result.rows.size();
    const size_t leftOut = m_result.problems.size();
    QString text = fromUtf8(error);
    if (error.empty()) {
        text = imported == 0 ? QString("No row can be imported.")
                             : rowsText(imported) + " will be imported.";
        if (leftOut > 0)
            text += QString(" %1 cannot be read and %2 left out:")
                        .arg(rowsText(leftOut), leftOut == 1 ? "is" : "are");
    }
    m_summary->setText(text);
    QStringList lines;
    for (const std::string &problem : m_result.problems)
        lines << fromUtf8(problem);
    m_problems->setPlainText(lines.join('\n'));
    m_problems->setVisible(leftOut > 0);
    m_importButton->setEnabled(error.empty() && imported > 0);
}
