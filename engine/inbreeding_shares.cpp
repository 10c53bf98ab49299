#include "inbreeding_shares.h"

#include <algorithm>

inbreeding_shares::inbreeding_shares(const std::vector<int> &sires, const std::vector<int> &dams,
    const std::vector<double> &inbreeding, int unknown)
    : m_sires(sires), m_dams(dams), m_inbreeding(inbreeding), m_unknown(unknown),
      m_pairs(sires.size())
{ }

// Puts the pair of a and b with its weight under its later bird; false past the limit. A pair
// with an unknown parent, or a place that is no bird, carries nothing.
bool inbreeding_shares::add(int a, int b, double weight)
{
    const auto later = static_cast<std::size_t>(std::max(a, b));
    if (a == m_unknown || b == m_unknown || a < 0 || b < 0 || later >= m_pairs.size())
        return true;
    if (++m_visited > m_most)
        return false;
    if (m_pairs[later].empty()) {
        m_waiting.push_back(static_cast<int>(later));
        std::push_heap(m_waiting.begin(), m_waiting.end());
    }
    m_pairs[later].push_back({ std::min(a, b), weight });
    return true;
}

bool inbreeding_shares::compute(int sire, int dam, std::size_t most_pairs)
{
    m_result.clear();
    m_visited = 0;
    m_most = most_pairs;
    const auto size = static_cast<int>(m_pairs.size());
    const auto isBird
        = [&](int place) { return place == m_unknown || (place >= 0 && place < size); };
    if (!isBird(sire) || !isBird(dam) || m_dams.size() != m_pairs.size()
        || m_inbreeding.size() < m_pairs.size())
        return false;

    bool within = add(sire, dam, 1.0);
    std::vector<weighted> pairs;
    while (within && !m_waiting.empty()) {
        // The later bird's place falls at every step, so no pair of it is still to come.
        std::pop_heap(m_waiting.begin(), m_waiting.end());
        const int later = m_waiting.back();
        m_waiting.pop_back();
        pairs.swap(m_pairs[static_cast<std::size_t>(later)]);
        std::sort(pairs.begin(), pairs.end(),
            [](const weighted &a, const weighted &b) { return a.earlier < b.earlier; });
        const auto l = static_cast<std::size_t>(later);
        for (std::size_t i = 0; i < pairs.size() && within;) {
            const int earlier = pairs[i].earlier;
            double weight = 0.0;
            for (; i < pairs.size() && pairs[i].earlier == earlier; ++i)
                weight += pairs[i].weight;
            if (earlier == later)
                m_result.push_back({ later, weight * 0.5 * (1.0 + m_inbreeding[l]) });
            else
                within = add(earlier, m_sires[l], 0.5 * weight)
                    && add(earlier, m_dams[l], 0.5 * weight);
        }
        pairs.clear();
    }
    for (const int place : m_waiting)
        m_pairs[static_cast<std::size_t>(place)].clear();
    m_waiting.clear();
    if (!within) {
        m_result.clear();
        return false;
    }
    std::sort(m_result.begin(), m_result.end(), [](const share &a, const share &b) {
        return a.fraction != b.fraction ? a.fraction > b.fraction : a.place < b.place;
    });
    return true;
}
