#include "population_views.h"

#include "platform/painter_canvas.h"
#include "platform/text_codec.h"
#include "report/population_chart.h"
#include "report/population_study.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace {

QString shown(const std::string &bytes)
{
    return QString::fromStdString(bytesToUtf8(bytes));
}

} // namespace

void PopulationBirdModel::setStudy(const PopulationStudy *study)
{
    beginResetModel();
    m_study = study;
    m_order.clear();
    if (study != nullptr && study->figures().birds().size() == std::size_t(study->birdCount())) {
        m_order.resize(static_cast<std::size_t>(study->birdCount()));
        std::iota(m_order.begin(), m_order.end(), 0);
    }
    endResetModel();
}

int PopulationBirdModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int PopulationBirdModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PopulationBirdModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int bird = birdAt(index.row());
    const population::bird_figures &figures
        = m_study->figures().birds()[static_cast<std::size_t>(bird)];
    if (role == Qt::TextAlignmentRole)
        return index.column() >= Inbreeding ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                            : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Band:
        return shown(m_study->band(bird));
    case Sire:
        return shown(m_study->sireBand(bird));
    case Dam:
        return shown(m_study->damBand(bird));
    case Year:
        return figures.year == 0 ? QString() : QString::number(figures.year);
    default:
        break;
    }
    if (!figures.computed)
        return {};
    switch (index.column()) {
    case Inbreeding:
        return QString::number(figures.inbreeding * 100.0, 'f', 4);
    case MeanKinship:
        return QString::number(figures.mean_kinship * 100.0, 'f', 4);
    case Ecg:
        return QString::number(figures.ecg, 'f', 2);
    case KnownAncestors:
        return figures.known_ancestors;
    default:
        return {};
    }
}

QVariant PopulationBirdModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const titles[ColumnCount] = { "Band", "Sire", "Dam", "Inbreeding %",
        "Mean kinship %", "ECG", "Known ancestors", "Year" };
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= ColumnCount)
        return {};
    return titles[section];
}

void PopulationBirdModel::sort(int column, Qt::SortOrder order)
{
    if (m_study == nullptr || column < 0 || column >= ColumnCount)
        return;
    const std::vector<population::bird_figures> &birds = m_study->figures().birds();
    // Birds left out by a loop sort before every figure; equal figures keep store order.
    const auto figure = [&](int bird) -> double {
        const population::bird_figures &f = birds[static_cast<std::size_t>(bird)];
        if (column == Year)
            return f.year;
        if (!f.computed)
            return -1.0;
        switch (column) {
        case Inbreeding:
            return f.inbreeding;
        case MeanKinship:
            return f.mean_kinship;
        case Ecg:
            return f.ecg;
        default:
            return f.known_ancestors;
        }
    };
    const auto text = [&](int bird) {
        return column == Band ? m_study->band(bird)
            : column == Sire  ? m_study->sireBand(bird)
                              : m_study->damBand(bird);
    };
    const auto less = [&](int a, int b) {
        if (column <= Dam)
            return text(a) < text(b);
        return figure(a) < figure(b);
    };
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::iota(m_order.begin(), m_order.end(), 0);
    if (order == Qt::AscendingOrder)
        std::stable_sort(m_order.begin(), m_order.end(), less);
    else
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return less(b, a); });
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

PopulationChartView::PopulationChartView(QWidget *parent) : QWidget(parent)
{
    setObjectName("populationChart");
    setMinimumHeight(220);
}

void PopulationChartView::setStudy(const PopulationStudy *study)
{
    m_study = study;
    update();
}

void PopulationChartView::paintEvent(QPaintEvent *)
{
    PainterCanvas canvas(this);
    const Rect area { 0, 0, width(), height() };
    canvas.fillRect(area, clWhite);
    if (m_study != nullptr)
        PopulationChart::draw(canvas, area, m_study->figures());
}
