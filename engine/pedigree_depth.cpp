#include "pedigree_depth.h"

#include "inbreed.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>

namespace {

constexpr int no_parent = -1;

// The pedigreed bird and its ancestors in the analysis's order, ancestors first: the pedigreed
// bird has the last place.
struct Ancestry
{
    std::vector<int> sire; // places; no_parent when unknown
    std::vector<int> dam;
    std::vector<int>
        nearest; // the generation of the bird's nearest place, 0 for the pedigreed bird
    // The deepest nearest generation of a bird with a known parent among the bird and its
    // ancestors; -1 for none. Cutting the pedigree below it leaves the bird's inbreeding as it is.
    std::vector<int> deepestParented;
    std::vector<double> inbreeding; // the analysis's figure

    int size() const { return static_cast<int>(sire.size()); }
};

std::size_t at(int index)
{
    return static_cast<std::size_t>(index);
}

// The birds of the engine's order by load number, and the places of the pedigreed bird's
// ancestors found going up from it, nearest generation first.
Ancestry readAncestry(inbreed &engine)
{
    std::vector<const inbreed::bird *> order;
    std::vector<int> orderOfLoad(inbreed::bird_limit + 1, -1);
    const int stored = std::min(engine.bird_count(), inbreed::bird_limit);
    for (int i = 1; i <= stored && engine.select_sorted(i); ++i) {
        const inbreed::bird &b = engine.current();
        if (b.load_no == 0)
            continue;
        orderOfLoad[b.load_no] = static_cast<int>(order.size());
        order.push_back(&b);
    }
    Ancestry a;
    if (order.empty())
        return a;
    const auto orderOf = [&](const inbreed::bird *b) { return b ? orderOfLoad[b->load_no] : -1; };
    std::vector<int> nearest(order.size(), -1);
    std::vector<int> queue { static_cast<int>(order.size()) - 1 };
    nearest[order.size() - 1] = 0;
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const inbreed::bird &b = *order[at(queue[next])];
        for (const inbreed::bird *parent : { b.sire, b.dam }) {
            const int o = orderOf(parent);
            if (o < 0 || nearest[at(o)] >= 0)
                continue;
            nearest[at(o)] = nearest[at(queue[next])] + 1;
            queue.push_back(o);
        }
    }
    std::vector<int> placeOf(order.size(), no_parent);
    for (std::size_t o = 0; o < order.size(); ++o) {
        if (nearest[o] < 0)
            continue;
        placeOf[o] = a.size();
        const inbreed::bird &b = *order[o];
        const int sire = orderOf(b.sire);
        const int dam = orderOf(b.dam);
        a.sire.push_back(sire < 0 ? no_parent : placeOf[at(sire)]);
        a.dam.push_back(dam < 0 ? no_parent : placeOf[at(dam)]);
        a.nearest.push_back(nearest[o]);
        a.inbreeding.push_back(b.inbreeding);
        int deepest = b.sire || b.dam ? nearest[o] : -1;
        for (const int parent : { a.sire.back(), a.dam.back() })
            if (parent != no_parent)
                deepest = std::max(deepest, a.deepestParented[at(parent)]);
        a.deepestParented.push_back(deepest);
    }
    return a;
}

struct GenerationCount
{
    std::uint64_t known = 0;
    int distinct = 0;
};

// Places filled in each generation above `start` (index 0 holds generation 1), up to `most`
// generations: the paths up from `start` counted generation by generation, never one by one.
std::vector<GenerationCount> countPlaces(const Ancestry &a, int start, int most)
{
    std::vector<GenerationCount> result;
    std::vector<std::uint64_t> paths(at(a.size()), 0);
    std::vector<std::uint64_t> next(at(a.size()), 0);
    std::vector<int> front { start };
    std::vector<int> nextFront;
    paths[at(start)] = 1;
    while (static_cast<int>(result.size()) < most) {
        GenerationCount count;
        nextFront.clear();
        for (const int p : front) {
            for (const int parent : { a.sire[at(p)], a.dam[at(p)] }) {
                if (parent == no_parent)
                    continue;
                if (next[at(parent)] == 0)
                    nextFront.push_back(parent);
                next[at(parent)] += paths[at(p)];
                count.known += paths[at(p)];
            }
            paths[at(p)] = 0;
        }
        if (nextFront.empty())
            break;
        count.distinct = static_cast<int>(nextFront.size());
        result.push_back(count);
        std::swap(paths, next);
        std::swap(front, nextFront);
    }
    return result;
}

constexpr std::size_t group = 8; // birds whose parents' relationships are summed side by side
constexpr std::size_t lanes = 2 * group;

// One ancestor's step of DepthInbreeding::computeGroup: its weights from the group's sires and
// dams add weight from the sire x weight from the dam x d to each bird's sum and go half to each
// parent. On x86-64 a second copy uses the wider vector instructions where the processor has
// them; both add and multiply alike.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void passOn(double *row, double *sire, double *dam, double d, double *sums)
{
    for (std::size_t l = 0; l < group; ++l)
        sums[l] += row[l] * row[group + l] * d;
    double half[lanes];
    for (std::size_t j = 0; j < lanes; ++j) {
        half[j] = 0.5 * row[j];
        row[j] = 0.0;
    }
    for (std::size_t j = 0; j < lanes; ++j)
        sire[j] += half[j];
    for (std::size_t j = 0; j < lanes; ++j)
        dam[j] += half[j];
}

// The pedigreed bird's inbreeding in the pedigree cut at a depth: the birds whose nearest
// generation is at most the depth, the parents of those at the depth taken as unknown.
//
// Inbreeding is half the relationship of the parents, and a relationship is the sum over the
// common ancestors j of (summed path weight from one bird) x (from the other) x d_j, d_j = 1/2 -
// (F of j's sire + F of j's dam)/4 with an unknown parent counting as F = -1. So only the
// inbreeding of the parents of common ancestors is needed, and of their parents' common
// ancestors' parents in turn. Ancestor sets, a bit per bird, find the common ancestors and those
// birds; a bird whose ancestry the cut leaves whole keeps the analysis's figure. Near the cut the
// ancestries are small, so the work follows the birds related within the depth, not the square
// of the pedigree at every depth.
class DepthInbreeding
{

public:
    explicit DepthInbreeding(const Ancestry &a) : m_ancestry(a) { }

    double within(int depth)
    {
        const int pedigreed = m_ancestry.size() - 1;
        const double full = m_ancestry.inbreeding[at(pedigreed)];
        if (depth > m_ancestry.deepestParented[at(pedigreed)])
            return full;
        cut(depth);
        buildAncestorSets();
        markNeeded();
        computeNeeded();
        // Cutting only takes paths away; the bound keeps summation order out of the figures.
        return std::min(m_inbreeding.back(), full);
    }

private:
    const std::uint64_t *ancestorSet(int i) const { return &m_sets[at(i) * m_words]; }
    std::uint64_t *ancestorSet(int i) { return &m_sets[at(i) * m_words]; }

    // Members of the cut pedigree in order, with their parents as members (no_parent when
    // unknown or cut off).
    void cut(int depth)
    {
        const Ancestry &a = m_ancestry;
        m_depth = depth;
        m_memberOf.assign(at(a.size()), no_parent);
        m_place.clear();
        m_sire.clear();
        m_dam.clear();
        for (int p = 0; p < a.size(); ++p) {
            if (a.nearest[at(p)] > depth)
                continue;
            m_memberOf[at(p)] = static_cast<int>(m_place.size());
            m_place.push_back(p);
            const bool parentsKept = a.nearest[at(p)] < depth;
            const auto member = [&](int parent) {
                return parentsKept && parent != no_parent ? m_memberOf[at(parent)] : no_parent;
            };
            m_sire.push_back(member(a.sire[at(p)]));
            m_dam.push_back(member(a.dam[at(p)]));
        }
        m_words = (m_place.size() + 63) / 64;
    }

    // Each member's set holds itself and all its ancestors in the cut pedigree.
    void buildAncestorSets()
    {
        m_sets.assign(m_place.size() * m_words, 0);
        for (std::size_t i = 0; i < m_place.size(); ++i) {
            std::uint64_t *set = ancestorSet(static_cast<int>(i));
            for (const int parent : { m_sire[i], m_dam[i] }) {
                if (parent == no_parent)
                    continue;
                const std::uint64_t *parentSet = ancestorSet(parent);
                for (std::size_t w = 0; w < m_words; ++w)
                    set[w] |= parentSet[w];
            }
            set[i / 64] |= std::uint64_t { 1 } << (i % 64);
        }
    }

    bool keepsAnalysisFigure(int i) const
    {
        return m_ancestry.deepestParented[at(m_place[at(i)])] < m_depth;
    }

    bool needsKinship(int i) const
    {
        return m_sire[at(i)] != no_parent && m_dam[at(i)] != no_parent && !keepsAnalysisFigure(i);
    }

    // From the pedigreed bird down the order: the parents of the common ancestors of a needed
    // bird's parents are needed. Each common ancestor is gone through once.
    void markNeeded()
    {
        const int members = static_cast<int>(m_place.size());
        m_needed.assign(at(members), false);
        m_needed.back() = true;
        m_expanded.assign(m_words, 0);
        for (int i = members - 1; i >= 0; --i) {
            if (!m_needed[at(i)] || !needsKinship(i))
                continue;
            const std::uint64_t *sireSet = ancestorSet(m_sire[at(i)]);
            const std::uint64_t *damSet = ancestorSet(m_dam[at(i)]);
            for (std::size_t w = 0; w < m_words; ++w) {
                std::uint64_t fresh = sireSet[w] & damSet[w] & ~m_expanded[w];
                m_expanded[w] |= fresh;
                for (; fresh != 0; fresh &= fresh - 1) {
                    const std::size_t j = w * 64 + at(std::countr_zero(fresh));
                    for (const int parent : { m_sire[j], m_dam[j] })
                        if (parent != no_parent)
                            m_needed[at(parent)] = true;
                }
            }
        }
    }

    // The needed members' inbreeding, height by height (a member's height is 0 without parents
    // in the cut pedigree, else one more than its parents'), so that every member's common
    // ancestors, all lower, are done before it. Members of one height are no ancestors of each
    // other, so their parents' relationships are summed side by side, `group` at a time.
    void computeNeeded()
    {
        const std::size_t members = m_place.size();
        m_inbreeding.assign(members, 0.0);
        m_weights.assign((members + 1) * lanes, 0.0);
        std::vector<int> height(members, 0);
        std::vector<std::vector<int>> byHeight;
        for (std::size_t i = 0; i < members; ++i) {
            for (const int parent : { m_sire[i], m_dam[i] })
                if (parent != no_parent)
                    height[i] = std::max(height[i], height[at(parent)] + 1);
            if (!m_needed[i] || m_sire[i] == no_parent || m_dam[i] == no_parent)
                continue;
            if (keepsAnalysisFigure(static_cast<int>(i))) {
                m_inbreeding[i] = m_ancestry.inbreeding[at(m_place[i])];
                continue;
            }
            if (byHeight.size() <= at(height[i]))
                byHeight.resize(at(height[i]) + 1);
            byHeight[at(height[i])].push_back(static_cast<int>(i));
        }
        for (const std::vector<int> &birds : byHeight)
            for (std::size_t first = 0; first < birds.size(); first += group)
                computeGroup(&birds[first], std::min(group, birds.size() - first));
    }

    double samplingVariance(std::size_t j) const
    {
        const auto f
            = [&](int parent) { return parent == no_parent ? -1.0 : m_inbreeding[at(parent)]; };
        return 0.5 - 0.25 * (f(m_sire[j]) + f(m_dam[j]));
    }

    // Half the relationship of the parents of each bird of the group: the summed path weights
    // from every sire and every dam (a lane each per bird) pushed down the order at once over all
    // their ancestors, each ancestor's weights going half to each parent once all its descendants
    // are done. An ancestor adds weight from the sire x weight from the dam x d to the bird's
    // relationship, which is nothing unless it is a common ancestor.
    void computeGroup(const int *birds, std::size_t count)
    {
        m_union.assign(m_words, 0);
        for (std::size_t l = 0; l < count; ++l) {
            const int sire = m_sire[at(birds[l])];
            const int dam = m_dam[at(birds[l])];
            const std::uint64_t *sireSet = ancestorSet(sire);
            const std::uint64_t *damSet = ancestorSet(dam);
            for (std::size_t w = 0; w < m_words; ++w)
                m_union[w] |= sireSet[w] | damSet[w];
            m_weights[at(sire) * lanes + l] += 1.0;
            m_weights[at(dam) * lanes + group + l] += 1.0;
        }
        const std::size_t sink = m_place.size();
        double sums[group] = {};
        for (std::size_t w = m_words; w-- > 0;) {
            for (std::uint64_t bits = m_union[w]; bits != 0;) {
                const int bit = 63 - std::countl_zero(bits);
                bits &= ~(std::uint64_t { 1 } << bit);
                const std::size_t k = w * 64 + at(bit);
                passOn(&m_weights[k * lanes],
                    &m_weights[(m_sire[k] == no_parent ? sink : at(m_sire[k])) * lanes],
                    &m_weights[(m_dam[k] == no_parent ? sink : at(m_dam[k])) * lanes],
                    samplingVariance(k), sums);
            }
        }
        std::fill_n(&m_weights[sink * lanes], lanes, 0.0);
        for (std::size_t l = 0; l < count; ++l)
            m_inbreeding[at(birds[l])] = 0.5 * sums[l];
    }

    const Ancestry &m_ancestry;
    int m_depth = 0;
    std::vector<int> m_memberOf; // by place
    // By member:
    std::vector<int> m_place;
    std::vector<int> m_sire;
    std::vector<int> m_dam;
    std::vector<bool> m_needed;
    std::vector<double> m_inbreeding; // of the needed members with both parents
    // Per member and the sink: the weights from the group's sires, then from its dams; zero
    // between groups.
    std::vector<double> m_weights;
    std::vector<std::uint64_t> m_union;
    std::size_t m_words = 0;
    std::vector<std::uint64_t> m_sets; // m_words per member
    std::vector<std::uint64_t> m_expanded;
};

double ratio(double part, double whole)
{
    return whole > 0.0 ? part / whole : 0.0;
}

// Mean completeness of the pedigree above a parent over its first four generations.
double parentCompleteness(const Ancestry &a, int parent)
{
    constexpr int generations = 4;
    if (parent == no_parent)
        return 0.0;
    double sum = 0.0;
    const std::vector<GenerationCount> counts = countPlaces(a, parent, generations);
    for (std::size_t g = 0; g < counts.size(); ++g)
        sum += std::ldexp(static_cast<double>(counts[g].known), -static_cast<int>(g + 1));
    return sum / generations;
}

double completenessIndex(const Ancestry &a, int pedigreed)
{
    if (a.sire[at(pedigreed)] == no_parent || a.dam[at(pedigreed)] == no_parent)
        return 0.0;
    const double sire = parentCompleteness(a, a.sire[at(pedigreed)]);
    const double dam = parentCompleteness(a, a.dam[at(pedigreed)]);
    return ratio(2.0 * sire * dam, sire + dam);
}

// Distinct ancestors over the places they fill, within `generations` generations.
double ancestralLoss(const Ancestry &a, const std::vector<depth_generation> &rows, int generations)
{
    double places = 0.0;
    for (const depth_generation &row : rows)
        if (row.generation <= generations)
            places += static_cast<double>(row.known);
    const auto birds = std::count_if(a.nearest.begin(), a.nearest.end(),
        [&](int nearest) { return nearest >= 1 && nearest <= generations; });
    return ratio(static_cast<double>(birds), places);
}

} // namespace

pedigree_depth measure_pedigree_depth(inbreed &engine)
{
    pedigree_depth result;
    if (!engine.computed())
        return result;
    const Ancestry a = readAncestry(engine);
    if (a.size() == 0)
        return result;
    const int pedigreed = a.size() - 1;
    const std::vector<GenerationCount> counts = countPlaces(a, pedigreed, inbreed::bird_limit);
    DepthInbreeding inbreeding(a);
    for (std::size_t index = 0; index < counts.size(); ++index) {
        depth_generation row;
        row.generation = static_cast<int>(index + 1);
        row.known = counts[index].known;
        row.possible = std::uint64_t { 1 } << row.generation;
        row.completeness = std::ldexp(static_cast<double>(row.known), -row.generation);
        row.distinct = counts[index].distinct;
        row.inbreeding = inbreeding.within(row.generation);
        result.equivalent_complete_generations += row.completeness;
        result.generations.push_back(row);
    }
    result.pci4 = completenessIndex(a, pedigreed);
    result.ancestral_loss_5 = ancestralLoss(a, result.generations, 5);
    result.ancestral_loss_all = ancestralLoss(a, result.generations, inbreed::bird_limit);
    return result;
}
