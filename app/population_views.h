#pragma once

// The population window's views of a computed study: every bird's figures as a table model that
// sorts by any column, and the chart of the means by year drawn through the canvas.
//
//   PopulationBirdModel model;
//   model.setStudy(&study);            // null or an uncomputed study: no rows
//   view->setModel(&model);
//   chart->setStudy(&study);

#include <QAbstractTableModel>
#include <QWidget>

#include <vector>

class PopulationStudy;

class PopulationBirdModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Band,
        Sire,
        Dam,
        Inbreeding,
        MeanKinship,
        Ecg,
        KnownAncestors,
        Year,
        ColumnCount,
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows the birds of `study` (not owned; it outlives the model or is replaced first), in
    // store order until sorted.
    void setStudy(const PopulationStudy *study);
    // The store index of the bird on `row`.
    int birdAt(int row) const { return m_order[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    const PopulationStudy *m_study = nullptr;
    std::vector<int> m_order;
};

class PopulationChartView : public QWidget
{
public:
    explicit PopulationChartView(QWidget *parent = nullptr);
    void setStudy(const PopulationStudy *study);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const PopulationStudy *m_study = nullptr;
};
