#include "pair_allocation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

using Cost = std::int64_t;
constexpr Cost noEdge = std::numeric_limits<Cost>::max();
// Inbreeding lies between 0 and 1; the slack lets a rounded figure just above 1 through.
constexpr double largestFigure = 2.0;

bool usable(double figure)
{
    return std::isfinite(figure) && figure >= 0.0 && figure <= largestFigure;
}

int bitsFor(std::size_t count)
{
    int bits = 0;
    while (bits < 62 && (std::uint64_t { 1 } << bits) < count)
        ++bits;
    return bits;
}

// Cocks are columns with a capacity, the hens to place are rows, and one more column with room
// for every hen stands for "unpaired" at a cost above any sum of real pairs. Rows are placed one
// after another along the cheapest path of re-pairings (Dijkstra on reduced costs); the
// potentials keep every reduced cost non-negative and every pair made at zero reduced cost, so
// after each row the rows placed so far are optimally assigned.
class Assignment
{
public:
    Assignment(std::size_t rows, std::size_t columns, std::vector<Cost> costs,
        std::vector<int> capacity, Cost unpairedCost)
        : m_rows(rows), m_columns(columns), m_costs(std::move(costs)), m_unpairedCost(unpairedCost),
          m_capacity(std::move(capacity)), m_rowsOf(columns + 1),
          m_columnOf(rows, static_cast<int>(columns)), m_u(rows, 0), m_v(columns + 1, 0)
    {
        m_capacity.push_back(static_cast<int>(rows));
    }

    // Every row's column; the column count for "unpaired".
    const std::vector<int> &solve()
    {
        for (std::size_t row = 0; row < m_rows; ++row)
            place(static_cast<int>(row));
        return m_columnOf;
    }

private:
    Cost cost(int row, std::size_t column) const
    {
        return column == m_columns ? m_unpairedCost
                                   : m_costs[static_cast<std::size_t>(row) * m_columns + column];
    }

    bool hasRoom(int column) const
    {
        const auto c = static_cast<std::size_t>(column);
        return static_cast<int>(m_rowsOf[c].size()) < m_capacity[c];
    }

    void relax(int row, Cost distance)
    {
        for (std::size_t column = 0; column <= m_columns; ++column) {
            const Cost c = cost(row, column);
            if (m_done[column] || c == noEdge)
                continue;
            const Cost reduced = distance + c - m_u[static_cast<std::size_t>(row)] - m_v[column];
            if (reduced < m_distance[column]) {
                m_distance[column] = reduced;
                m_via[column] = row;
            }
        }
    }

    // The nearest column not yet done; at equal distance one with room, then the lowest.
    int nearest() const
    {
        int best = -1;
        for (std::size_t column = 0; column <= m_columns; ++column) {
            if (m_done[column] || m_distance[column] == noEdge)
                continue;
            const int c = static_cast<int>(column);
            const auto b = static_cast<std::size_t>(best);
            if (best < 0 || m_distance[column] < m_distance[b]
                || (m_distance[column] == m_distance[b] && hasRoom(c) && !hasRoom(best)))
                best = c;
        }
        return best;
    }

    void place(int start)
    {
        m_distance.assign(m_columns + 1, noEdge);
        m_via.assign(m_columns + 1, -1);
        m_done.assign(m_columns + 1, false);
        std::vector<std::pair<int, Cost>> tree { { start, 0 } }; // rows reached, their distance
        std::vector<int> doneColumns;
        relax(start, 0);
        int target = nearest(); // the unpaired column is always reachable
        while (!hasRoom(target)) {
            const auto t = static_cast<std::size_t>(target);
            m_done[t] = true;
            doneColumns.push_back(target);
            for (const int row : m_rowsOf[t]) {
                tree.emplace_back(row, m_distance[t]);
                relax(row, m_distance[t]);
            }
            target = nearest();
        }
        const Cost reach = m_distance[static_cast<std::size_t>(target)];
        for (const auto &[row, distance] : tree)
            m_u[static_cast<std::size_t>(row)] += reach - distance;
        for (const int column : doneColumns)
            m_v[static_cast<std::size_t>(column)]
                -= reach - m_distance[static_cast<std::size_t>(column)];
        for (int column = target;;) {
            const int row = m_via[static_cast<std::size_t>(column)];
            const int previous = m_columnOf[static_cast<std::size_t>(row)];
            m_rowsOf[static_cast<std::size_t>(column)].push_back(row);
            m_columnOf[static_cast<std::size_t>(row)] = column;
            if (row == start)
                break;
            std::vector<int> &left = m_rowsOf[static_cast<std::size_t>(previous)];
            left.erase(std::find(left.begin(), left.end(), row));
            column = previous;
        }
    }

    std::size_t m_rows;
    std::size_t m_columns; // real ones; the unpaired column comes after them
    std::vector<Cost> m_costs; // rows × columns, noEdge where the pair may not be made
    Cost m_unpairedCost;
    std::vector<int> m_capacity;
    std::vector<std::vector<int>> m_rowsOf;
    std::vector<int> m_columnOf;
    std::vector<Cost> m_u; // potentials of the rows
    std::vector<Cost> m_v; // and of the columns
    std::vector<Cost> m_distance; // of the columns from the row being placed
    std::vector<int> m_via; // the row each column is reached from
    std::vector<char> m_done;
};

const char *textOf(pair_allocation::problem kind)
{
    using problem = pair_allocation::problem;
    switch (kind) {
    case problem::max_per_cock_below_one:
        return "hens per cock below 1: 1 used";
    case problem::matrix_size:
        return "the figures do not fill the matrix: nothing paired";
    case problem::outside_matrix:
        return "pair outside the matrix: ignored";
    case problem::figure_not_usable:
        return "the young's inbreeding is not a usable figure: pair not made";
    case problem::fixed_and_forbidden:
        return "pair both fixed and forbidden: not made";
    case problem::hen_fixed_twice:
        return "hen already fixed to another cock: later fix dropped";
    case problem::cock_fixed_too_often:
        return "cock fixed to more hens than allowed: later fix dropped";
    case problem::fixed_above_bound:
        return "fixed pair above the largest inbreeding allowed: made all the same";
    }
    return "";
}

// The input as read: the cells that may be paired and the fixes kept.
class Allocator
{
public:
    Allocator(std::size_t cocks, std::size_t hens, const std::vector<double> &figures,
        const pair_allocation::settings &limits)
        : m_cocks(cocks), m_hens(hens), m_figures(figures), m_limits(limits)
    {
        m_result.cock_of_hen.assign(hens, pair_allocation::no_cock);
    }

    pair_allocation::result run()
    {
        m_perCock = m_limits.max_per_cock;
        if (m_perCock < 1) {
            note(pair_allocation::problem::max_per_cock_below_one, {});
            m_perCock = 1;
        }
        const bool fits = m_cocks == 0 || m_hens <= m_figures.size() / m_cocks;
        if (!fits || m_figures.size() != m_cocks * m_hens) {
            note(pair_allocation::problem::matrix_size, {});
            return finish();
        }
        readCells();
        readFixes();
        placeFreeHens();
        return finish();
    }

private:
    std::size_t cell(const pair_allocation::pair &p) const
    {
        return static_cast<std::size_t>(p.cock) * m_hens + static_cast<std::size_t>(p.hen);
    }

    bool inside(const pair_allocation::pair &p)
    {
        if (p.cock >= 0 && p.hen >= 0 && static_cast<std::size_t>(p.cock) < m_cocks
            && static_cast<std::size_t>(p.hen) < m_hens)
            return true;
        note(pair_allocation::problem::outside_matrix, p);
        return false;
    }

    void note(pair_allocation::problem kind, pair_allocation::pair where)
    {
        m_result.remarks.push_back({ kind, where, textOf(kind) });
    }

    void readCells()
    {
        m_allowed.assign(m_figures.size(), 0);
        m_forbidden.assign(m_figures.size(), 0);
        for (std::size_t i = 0; i < m_figures.size(); ++i) {
            const double figure = m_figures[i];
            if (!usable(figure))
                note(pair_allocation::problem::figure_not_usable,
                    { static_cast<int>(i / m_hens), static_cast<int>(i % m_hens) });
            m_allowed[i] = usable(figure) && figure <= m_limits.max_inbreeding;
        }
        for (const pair_allocation::pair &p : m_limits.forbidden) {
            if (!inside(p))
                continue;
            m_forbidden[cell(p)] = 1;
            m_allowed[cell(p)] = 0;
        }
    }

    void readFixes()
    {
        m_fixedTo.assign(m_cocks, 0);
        for (const pair_allocation::pair &p : m_limits.fixed) {
            if (!inside(p))
                continue;
            int &cockOfHen = m_result.cock_of_hen[static_cast<std::size_t>(p.hen)];
            const double figure = m_figures[cell(p)];
            if (cockOfHen == p.cock || !usable(figure))
                continue;
            if (m_forbidden[cell(p)]) {
                note(pair_allocation::problem::fixed_and_forbidden, p);
                continue;
            }
            if (cockOfHen != pair_allocation::no_cock) {
                note(pair_allocation::problem::hen_fixed_twice, p);
                continue;
            }
            int &fixes = m_fixedTo[static_cast<std::size_t>(p.cock)];
            if (fixes >= m_perCock) {
                note(pair_allocation::problem::cock_fixed_too_often, p);
                continue;
            }
            if (figure > m_limits.max_inbreeding)
                note(pair_allocation::problem::fixed_above_bound, p);
            cockOfHen = p.cock;
            ++fixes;
        }
    }

    void placeFreeHens()
    {
        std::vector<int> free;
        for (std::size_t hen = 0; hen < m_hens; ++hen)
            if (m_result.cock_of_hen[hen] == pair_allocation::no_cock)
                free.push_back(static_cast<int>(hen));
        if (free.empty() || m_cocks == 0)
            return;
        // Distances along a path of re-pairings stay below 2^60 with this many fraction bits.
        const int bits
            = std::clamp(58 - bitsFor(free.size() + 2) - bitsFor(free.size() + m_cocks + 2), 0, 38);
        const double scale = std::ldexp(1.0, bits);
        std::vector<Cost> costs(free.size() * m_cocks, noEdge);
        for (std::size_t row = 0; row < free.size(); ++row)
            for (std::size_t cock = 0; cock < m_cocks; ++cock) {
                const std::size_t i = cock * m_hens + static_cast<std::size_t>(free[row]);
                if (m_allowed[i])
                    costs[row * m_cocks + cock] = std::llround(m_figures[i] * scale);
            }
        std::vector<int> room(m_cocks);
        for (std::size_t cock = 0; cock < m_cocks; ++cock)
            room[cock] = static_cast<int>(std::min<std::size_t>(
                static_cast<std::size_t>(m_perCock - m_fixedTo[cock]), free.size()));
        const Cost unpaired = static_cast<Cost>(free.size() + 1) * (Cost { 2 } << bits);
        Assignment assignment(free.size(), m_cocks, std::move(costs), std::move(room), unpaired);
        const std::vector<int> &columns = assignment.solve();
        for (std::size_t row = 0; row < free.size(); ++row)
            if (static_cast<std::size_t>(columns[row]) < m_cocks)
                m_result.cock_of_hen[static_cast<std::size_t>(free[row])] = columns[row];
    }

    pair_allocation::result finish()
    {
        double sum = 0.0;
        for (std::size_t hen = 0; hen < m_hens; ++hen) {
            const int cock = m_result.cock_of_hen[hen];
            if (cock == pair_allocation::no_cock) {
                m_result.unpaired_hens.push_back(static_cast<int>(hen));
                continue;
            }
            const pair_allocation::pair p { cock, static_cast<int>(hen) };
            m_result.pairs.push_back(p);
            sum += m_figures[cell(p)];
            m_result.largest_inbreeding = std::max(m_result.largest_inbreeding, m_figures[cell(p)]);
        }
        if (!m_result.pairs.empty())
            m_result.mean_inbreeding = sum / static_cast<double>(m_result.pairs.size());
        return std::move(m_result);
    }

    std::size_t m_cocks;
    std::size_t m_hens;
    const std::vector<double> &m_figures;
    const pair_allocation::settings &m_limits;
    int m_perCock = 1;
    std::vector<char> m_allowed; // by cell: usable, within the bound and not forbidden
    std::vector<char> m_forbidden;
    std::vector<int> m_fixedTo; // fixes kept, by cock
    pair_allocation::result m_result;
};

} // namespace

pair_allocation::result pair_allocation::allocate(std::size_t cock_count, std::size_t hen_count,
    const std::vector<double> &inbreeding, const settings &limits)
{
    return Allocator(cock_count, hen_count, inbreeding, limits).run();
}

pair_allocation::result pair_allocation::allocate(const kinship::plan &plan, const settings &limits)
{
    std::vector<double> figures;
    figures.reserve(plan.pairs.size());
    for (const kinship::pair_figures &pair : plan.pairs)
        figures.push_back(pair.inbreeding);
    return allocate(plan.cocks.size(), plan.hens.size(), figures, limits);
}
