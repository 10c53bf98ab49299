#include "pairing_tables.h"

#include "platform/text_codec.h"

#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int generationsColumn = 3; // the young's equivalent complete generations
constexpr int ancestorColumns = 3; // after cock, hen, figure and generations in the list

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

QString ancestorText(const PairingPlan::Ancestor &ancestor)
{
    return shown(ancestor.band) + " (" + percentText(ancestor.contribution)
        + (ancestor.exactShare ? PairingPlan::ExactShareMark : "") + ")";
}

// What a cell showing the young's inbreeding gives for `role`.
QVariant figureData(double inbreeding, int role)
{
    switch (role) {
    case Qt::DisplayRole:
        return percentText(inbreeding);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return inbreedingColour(PairingsWindow::bandOf(inbreeding));
    default:
        return {};
    }
}

constexpr std::size_t NoCock = static_cast<std::size_t>(-1);

// The marks before a figure: the user's choice, then whether the allocation pairs them.
QString marks(PairingChoices::Choice choice, bool allocated)
{
    QString text;
    switch (choice) {
    case PairingChoices::Choice::Free:
        break;
    case PairingChoices::Choice::Fixed:
        text += QChar(0x2714); // heavy check mark
        break;
    case PairingChoices::Choice::Forbidden:
        text += QChar(0x2718); // heavy ballot x
        break;
    }
    if (allocated)
        text += QChar(0x25CF); // black circle
    return text.isEmpty() ? text : text + ' ';
}

QString choiceTip(PairingChoices::Choice choice)
{
    switch (choice) {
    case PairingChoices::Choice::Free:
        return "Click to fix this pair for the allocation.";
    case PairingChoices::Choice::Fixed:
        return "Fixed: the allocation makes this pair. Click to forbid it.";
    case PairingChoices::Choice::Forbidden:
        return "Forbidden: the allocation never makes this pair. Click to free it.";
    }
    return {};
}

} // namespace

QColor inbreedingColour(PairingsWindow::InbreedingBand band)
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

int PairingTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

void PairingTableModel::clear()
{
    showRows(nullptr, 0);
}

void PairingTableModel::showRows(const PairingPlan *plan, std::size_t count)
{
    beginResetModel();
    m_plan = plan;
    m_rows.resize(count);
    for (std::size_t row = 0; row < count; ++row)
        m_rows[row] = row;
    endResetModel();
}

void PairingTableModel::reorder(
    const std::function<bool(std::size_t, std::size_t)> &before, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<std::size_t> kept;
    for (const QModelIndex &index : persistent)
        kept.push_back(shownAt(index.row()));
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](std::size_t a, std::size_t b) {
        return order == Qt::AscendingOrder ? before(a, b) : before(b, a);
    });
    std::vector<int> rowOf(m_rows.size());
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        rowOf[m_rows[row]] = static_cast<int>(row);
    QModelIndexList moved;
    for (qsizetype i = 0; i < persistent.size(); ++i)
        moved << index(rowOf[kept[static_cast<std::size_t>(i)]], persistent[i].column());
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PairingMatrixModel::show(const PairingPlan *plan)
{
    m_cockOfHen.clear();
    showRows(plan, plan && !plan->empty() ? plan->cocks().size() : 0);
}

void PairingMatrixModel::showAllocation(const std::vector<PairingPlan::Pair> &pairs)
{
    m_cockOfHen.clear();
    if (!pairs.empty())
        m_cockOfHen.assign(m_plan->hens().size(), NoCock);
    for (const PairingPlan::Pair &pair : pairs)
        m_cockOfHen[pair.hen] = pair.cock;
    if (rowCount() > 0)
        emit dataChanged(index(0, 1), index(rowCount() - 1, columnCount() - 1));
}

bool PairingMatrixModel::pairAt(const QModelIndex &index, PairingPlan::Pair &pair) const
{
    if (!index.isValid() || index.column() == 0)
        return false;
    pair = { shownAt(index.row()), static_cast<std::size_t>(index.column() - 1) };
    return true;
}

int PairingMatrixModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid() || rowCount() == 0)
        return 0;
    return static_cast<int>(m_plan->hens().size()) + 1;
}

QVariant PairingMatrixModel::data(const QModelIndex &index, int role) const
{
    PairingPlan::Pair pair;
    if (pairAt(index, pair))
        return markedData(pair, role);
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return shown(m_plan->cocks()[shownAt(index.row())]);
}

PairingChoices::Choice PairingMatrixModel::choiceAt(const PairingPlan::Pair &pair) const
{
    if (m_choices == nullptr)
        return PairingChoices::Choice::Free;
    return m_choices->choiceOf(m_plan->cocks()[pair.cock], m_plan->hens()[pair.hen]);
}

bool PairingMatrixModel::isAllocated(const PairingPlan::Pair &pair) const
{
    return !m_cockOfHen.empty() && m_cockOfHen[pair.hen] == pair.cock;
}

// A figure's cell with the marks of the user's choice and of the allocation.
QVariant PairingMatrixModel::markedData(const PairingPlan::Pair &pair, int role) const
{
    const PairingChoices::Choice choice = choiceAt(pair);
    const bool allocated = isAllocated(pair);
    switch (role) {
    case Qt::DisplayRole:
        return marks(choice, allocated) + percentText(m_plan->inbreeding(pair.cock, pair.hen));
    case Qt::ToolTipRole:
        return tipText(pair);
    case Qt::ForegroundRole:
        if (choice == PairingChoices::Choice::Forbidden)
            return QColor(0x70, 0x70, 0x70);
        return allocated ? QColor(0x00, 0x38, 0xA8) : QVariant();
    case Qt::BackgroundRole:
        if (choice == PairingChoices::Choice::Forbidden)
            return QColor(0xDC, 0xDC, 0xDC);
        break;
    default:
        break;
    }
    return figureData(m_plan->inbreeding(pair.cock, pair.hen), role);
}

QString PairingMatrixModel::tipText(const PairingPlan::Pair &pair) const
{
    const std::size_t cock = pair.cock;
    const std::size_t hen = pair.hen;
    QStringList tip { shown(m_plan->cocks()[cock]) + " x " + shown(m_plan->hens()[hen]),
        QString("Equivalent complete generations of the young: %1")
            .arg(m_plan->equivalentCompleteGenerations(cock, hen), 0, 'f', 2) };
    for (const PairingPlan::Ancestor &ancestor : m_plan->ancestors(cock, hen))
        tip << ancestorText(ancestor);
    if (isAllocated(pair))
        tip << "In the allocation.";
    tip << choiceTip(choiceAt(pair));
    return tip.join('\n');
}

QVariant PairingMatrixModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return "Cock \\ Hen";
    return shown(m_plan->hens()[static_cast<std::size_t>(section - 1)]);
}

void PairingMatrixModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    const PairingPlan &plan = *m_plan;
    if (column == 0) {
        reorder(
            [&](std::size_t a, std::size_t b) { return plan.cocks()[a] < plan.cocks()[b]; }, order);
        return;
    }
    const auto hen = static_cast<std::size_t>(column - 1);
    reorder([&](std::size_t a,
                std::size_t b) { return plan.inbreeding(a, hen) < plan.inbreeding(b, hen); },
        order);
}

void PairingListModel::show(const PairingPlan *plan, std::vector<PairingPlan::Pair> pairs)
{
    m_pairs = std::move(pairs);
    showRows(plan, m_pairs.size());
}

int PairingListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : generationsColumn + 1 + ancestorColumns;
}

QVariant PairingListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const PairingPlan::Pair &pair = m_pairs[shownAt(index.row())];
    switch (index.column()) {
    case 0:
        return role == Qt::DisplayRole ? shown(m_plan->cocks()[pair.cock]) : QVariant();
    case 1:
        return role == Qt::DisplayRole ? shown(m_plan->hens()[pair.hen]) : QVariant();
    case 2:
        return figureData(m_plan->inbreeding(pair.cock, pair.hen), role);
    case generationsColumn:
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        return QString::number(m_plan->equivalentCompleteGenerations(pair.cock, pair.hen), 'f', 2);
    default:
        break;
    }
    if (role != Qt::DisplayRole)
        return {};
    const std::vector<PairingPlan::Ancestor> ancestors = m_plan->ancestors(pair.cock, pair.hen);
    const auto which = static_cast<std::size_t>(index.column() - generationsColumn - 1);
    return which < ancestors.size() ? ancestorText(ancestors[which]) : QString();
}

QVariant PairingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const titles[] = { "Cock", "Hen", "ZAN %", "Complete generations",
        "Common ancestor 1", "Common ancestor 2", "Common ancestor 3" };
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return titles[section];
}

void PairingListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount() || m_plan == nullptr)
        return;
    const PairingPlan &plan = *m_plan;
    const auto pairAt = [&](std::size_t row) -> const PairingPlan::Pair & { return m_pairs[row]; };
    switch (column) {
    case 0:
        reorder(
            [&](std::size_t a, std::size_t b) {
                return plan.cocks()[pairAt(a).cock] < plan.cocks()[pairAt(b).cock];
            },
            order);
        return;
    case 1:
        reorder(
            [&](std::size_t a, std::size_t b) {
                return plan.hens()[pairAt(a).hen] < plan.hens()[pairAt(b).hen];
            },
            order);
        return;
    case 2:
        reorder(
            [&](std::size_t a, std::size_t b) {
                return plan.inbreeding(pairAt(a).cock, pairAt(a).hen)
                    < plan.inbreeding(pairAt(b).cock, pairAt(b).hen);
            },
            order);
        return;
    case generationsColumn:
        reorder(
            [&](std::size_t a, std::size_t b) {
                return plan.equivalentCompleteGenerations(pairAt(a).cock, pairAt(a).hen)
                    < plan.equivalentCompleteGenerations(pairAt(b).cock, pairAt(b).hen);
            },
            order);
        return;
    default:
        break;
    }
    // A pair without so many common ancestors sorts before every contribution.
    const auto which = static_cast<std::size_t>(column - generationsColumn - 1);
    std::vector<double> contribution(m_pairs.size(), -1.0);
    for (std::size_t i = 0; i < m_pairs.size(); ++i) {
        const auto ancestors = plan.ancestors(m_pairs[i].cock, m_pairs[i].hen);
        if (which < ancestors.size())
            contribution[i] = ancestors[which].contribution;
    }
    reorder([&](std::size_t a, std::size_t b) { return contribution[a] < contribution[b]; }, order);
}
