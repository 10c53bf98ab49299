#pragma once

// The pairings window's two tables as models over a computed plan, so that hundreds of thousands
// of pairs show at once: the figures are read from the plan as cells are shown, not copied into
// items. The matrix has a row per cock (its band, then its young's inbreeding with every hen),
// the list a row per pair (cock, hen, the young's inbreeding, three main common ancestors). A
// figure's background gives its inbreeding band. Both sort by any column. The matrix marks the
// pairs the user fixed (✔) or forbade (✘, greyed) and those of the allocation shown (●, blue).
//
//   PairingMatrixModel matrix;
//   view->setModel(&matrix);
//   matrix.show(&plan);                       // the plan lives until clear() or the next show()

#include "app/pairing_choices.h"
#include "app/pairings_window.h"
#include "report/pairing_plan.h"

#include <QAbstractTableModel>
#include <QColor>

#include <cstddef>
#include <functional>
#include <vector>

// The background of a figure in that inbreeding band.
QColor inbreedingColour(PairingsWindow::InbreedingBand band);

// Rows that are an order over the plan's cocks or pairs; sorting reorders them and keeps the
// views' selection on the same cocks or pairs.
class PairingTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    // Shows no plan.
    void clear();

protected:
    // Shows `plan` with `count` rows in their first order.
    void showRows(const PairingPlan *plan, std::size_t count);
    // Puts the rows in order by `before`, which compares two of them by what they show; rows
    // showing the same stay in their order.
    void reorder(const std::function<bool(std::size_t, std::size_t)> &before, Qt::SortOrder order);
    // The cock or pair a row shows.
    std::size_t shownAt(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    const PairingPlan *m_plan = nullptr;

private:
    std::vector<std::size_t> m_rows;
};

class PairingMatrixModel : public PairingTableModel
{
public:
    using PairingTableModel::PairingTableModel;

    // Shows `plan` without an allocation.
    void show(const PairingPlan *plan);
    // The user's fixed and forbidden pairs (not owned; null: none), read as cells are shown.
    void setChoices(const PairingChoices *choices) { m_choices = choices; }
    // Marks the pairs of an allocation of the plan shown (none when empty), and shows the
    // choices anew.
    void showAllocation(const std::vector<PairingPlan::Pair> &pairs);
    // The cock and hen of a cell showing a figure; false for a cock's band.
    bool pairAt(const QModelIndex &index, PairingPlan::Pair &pair) const;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Column 0 sorts by the cocks' bands, a hen's column by the young's inbreeding.
    void sort(int column, Qt::SortOrder order) override;

private:
    PairingChoices::Choice choiceAt(const PairingPlan::Pair &pair) const;
    bool isAllocated(const PairingPlan::Pair &pair) const;
    QVariant markedData(const PairingPlan::Pair &pair, int role) const;
    QString tipText(const PairingPlan::Pair &pair) const;

    const PairingChoices *m_choices = nullptr;
    std::vector<std::size_t> m_cockOfHen; // in the allocation shown; empty without one
};

class PairingListModel : public PairingTableModel
{
public:
    using PairingTableModel::PairingTableModel;

    // `pairs` is the first order of the rows (PairingPlan::pairsByInbreeding()).
    void show(const PairingPlan *plan, std::vector<PairingPlan::Pair> pairs);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The bands sort as text, the figure and the ancestors by their percentages.
    void sort(int column, Qt::SortOrder order) override;

private:
    std::vector<PairingPlan::Pair> m_pairs;
};
