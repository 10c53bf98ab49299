#include "check_pedigree_dialog.h"

#include "app/pedigree_check_texts.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

namespace {

const char *const caption = "ZAN - Check Pedigree";
const char *const cleanText = "No problems found: the pedigree is clean.";
const char *const goToHint = "Double-click a problem to go to its first row in the grid.";

enum Column { SeverityColumn, RowsColumn, ProblemColumn };

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

QIcon severityIcon(const QStyle &style, finding_severity severity)
{
    switch (severity) {
    case finding_severity::error:
        return style.standardIcon(QStyle::SP_MessageBoxCritical);
    case finding_severity::warning:
        return style.standardIcon(QStyle::SP_MessageBoxWarning);
    case finding_severity::note:
        return style.standardIcon(QStyle::SP_MessageBoxInformation);
    }
    return {};
}

} // namespace

CheckPedigreeDialog::CheckPedigreeDialog(const pedigree_findings &checked, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("CheckPedigree");
    setWindowTitle(QString::fromLatin1(caption));
    resize(760, 420);

    m_heading = new QLabel(this);
    m_heading->setObjectName("CheckHeading");
    m_heading->setWordWrap(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName("Findings");
    m_list->setHeaderLabels({ "Severity", "Rows", "Problem" });
    m_list->setRootIsDecorated(false);
    m_list->header()->setStretchLastSection(true);
    m_detail = new QLabel(this);
    m_detail->setObjectName("CheckDetail");
    m_detail->setWordWrap(true);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_detail->setMinimumHeight(3 * m_detail->fontMetrics().lineSpacing());
    m_detail->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_summary = new QLabel(this);
    m_summary->setObjectName("CheckSummary");
    m_summary->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName("Close");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(
        m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { goTo(item); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        m_detail->setText(item ? item->text(RowsColumn) + ": " + item->text(ProblemColumn) : "");
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_detail);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    fill(checked);
}

void CheckPedigreeDialog::fill(const pedigree_findings &checked)
{
    m_summary->setText(text("The pedigree: " + summaryText(checked.summary) + "."));
    if (checked.findings.empty()) {
        m_heading->setText(QString::fromLatin1(cleanText));
        m_list->hide();
        m_detail->hide();
        return;
    }
    const std::string counts = counts_text(checked.count(finding_severity::error),
        checked.count(finding_severity::warning), checked.count(finding_severity::note));
    m_heading->setText(text("The check found " + counts + ". ") + QString::fromLatin1(goToHint));
    for (const finding &f : checked.findings) {
        auto *item = new QTreeWidgetItem(m_list);
        std::string severity(severity_name(f.severity));
        severity[0] = static_cast<char>(severity[0] - 'a' + 'A');
        item->setText(SeverityColumn, text(severity));
        item->setIcon(SeverityColumn, severityIcon(*style(), f.severity));
        item->setText(RowsColumn, text(rows_text(f.rows)));
        item->setText(ProblemColumn, text(findingText(f.message)));
        item->setToolTip(ProblemColumn, item->text(ProblemColumn));
        item->setData(RowsColumn, Qt::UserRole, f.rows.front());
    }
    m_list->resizeColumnToContents(SeverityColumn);
    m_list->setColumnWidth(RowsColumn, 150);
    m_list->setCurrentItem(m_list->topLevelItem(0));
}

void CheckPedigreeDialog::goTo(QTreeWidgetItem *item)
{
    if (item == nullptr)
        return;
    m_chosenRow = item->data(RowsColumn, Qt::UserRole).toInt();
    accept();
}
