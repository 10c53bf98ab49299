#include "population.h"

#include "band_year.h"
#include "kinship.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <map>
#include <queue>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// The most ancestors f_a is taken from, and the change of f_a the rest may still make when the
// picking stops.
constexpr int most_ancestors_taken = 2000;
constexpr double ancestors_precision = 0.001;

// Birds walked by one thread between two looks at the others and the progress.
constexpr std::size_t birds_per_piece = 2048;

using Index = std::size_t;

Index at(int value)
{
    return static_cast<Index>(value);
}

// The computed birds, every bird after its parents, related birds close together. Places run
// from 0 to size - 1; the place `size` stands for an unknown parent. The birds are also listed by
// depth (0 without known parents, else one more than the deeper parent), within a depth full
// sibs side by side: the birds of one depth depend only on shallower ones.
struct Order
{
    int size = 0;
    std::vector<int> bird; // store index by place
    std::vector<int> sire; // places
    std::vector<int> dam;
    std::vector<int> depth;
    std::vector<int> byDepth; // places, depth by depth
    std::vector<int> depthStart; // where each depth starts in byDepth, and `size` at the end
    std::vector<int> placeOf; // by store index; -1 for a bird on or below a loop

    // The parents' places and depths and the bird's sampling variance side by side, so that a
    // walk up the pedigree meets one cache line per bird. The variance is filled in with the
    // inbreeding.
    struct Parents
    {
        int sire;
        int dam;
        int sireDepth;
        int damDepth;
        double variance = 0.0;
    };
    std::vector<Parents> parents; // by place
};

// Every bird's sire and dam by store index (kinship::no_bird when unknown), side by side: the
// ordering walks the pedigree in every direction, and the store's birds, with their bands, are
// several times larger.
struct ParentIndex
{
    int sire;
    int dam;
};

std::vector<ParentIndex> parentsOf(const kinship &pedigree)
{
    std::vector<ParentIndex> parents(at(pedigree.bird_count()));
    for (Index b = 0; b < parents.size(); ++b) {
        const kinship::bird &bird = pedigree.bird_at(static_cast<int>(b));
        parents[b] = { bird.sire, bird.dam };
    }
    return parents;
}

// The children of every bird, as one list cut at firstChild.
struct Children
{
    std::vector<int> firstChild; // by store index, one more at the end
    std::vector<int> child;
};

Children childrenOf(const std::vector<ParentIndex> &parents)
{
    const Index n = parents.size();
    Children c;
    c.firstChild.assign(n + 1, 0);
    for (Index b = 0; b < n; ++b)
        for (const int parent : { parents[b].sire, parents[b].dam })
            if (parent != kinship::no_bird)
                ++c.firstChild[at(parent) + 1];
    for (Index b = 0; b < n; ++b)
        c.firstChild[b + 1] += c.firstChild[b];
    c.child.resize(at(c.firstChild[n]));
    std::vector<int> filled(c.firstChild.begin(), c.firstChild.end() - 1);
    for (Index b = 0; b < n; ++b)
        for (const int parent : { parents[b].sire, parents[b].dam })
            if (parent != kinship::no_bird)
                c.child[at(filled[at(parent)]++)] = static_cast<int>(b);
    return c;
}

// Places the ordered birds in the order in which a walk up from the birds that are nobody's
// parent, the last of the store first, finishes them: a bird after its parents, and most of a
// bird's ancestors just before it, so that the walks up the pedigree stay in a small part of
// memory.
void placeBirds(const std::vector<ParentIndex> &parents, const std::vector<int> &ordered, Order &o)
{
    enum : unsigned char { outside, waiting, opened, placed };
    const Index n = parents.size();
    std::vector<unsigned char> state(n, outside);
    std::vector<unsigned char> parent(n, 0);
    for (const int b : ordered) {
        state[at(b)] = waiting;
        for (const int p : { parents[at(b)].sire, parents[at(b)].dam })
            if (p != kinship::no_bird)
                parent[at(p)] = 1;
    }
    o.placeOf.assign(n, -1);
    o.bird.reserve(ordered.size());
    std::vector<int> stack;
    const auto walkUpFrom = [&](int root) {
        stack.push_back(root);
        while (!stack.empty()) {
            const int b = stack.back();
            if (state[at(b)] == placed) {
                stack.pop_back();
            } else if (state[at(b)] == waiting) {
                state[at(b)] = opened;
                for (const int p : { parents[at(b)].dam, parents[at(b)].sire })
                    if (p != kinship::no_bird && state[at(p)] == waiting)
                        stack.push_back(p);
            } else {
                stack.pop_back();
                state[at(b)] = placed;
                o.placeOf[at(b)] = static_cast<int>(o.bird.size());
                o.bird.push_back(b);
            }
        }
    };
    for (int b = static_cast<int>(n) - 1; b >= 0; --b)
        if (state[at(b)] == waiting && !parent[at(b)])
            walkUpFrom(b);
    for (const int b : ordered)
        if (state[at(b)] == waiting)
            walkUpFrom(b);
}

// Kahn's method: a bird is ordered once both its parents are. A bird on a loop, or descending
// from one, is never ordered and keeps place -1.
Order orderBirds(const kinship &pedigree)
{
    const std::vector<ParentIndex> parents = parentsOf(pedigree);
    const Index n = parents.size();
    std::vector<int> depthOf(n, 0);
    std::vector<int> ordered;
    {
        const Children children = childrenOf(parents);
        std::vector<unsigned char> pending(n, 0);
        for (Index b = 0; b < n; ++b) {
            const ParentIndex &bird = parents[b];
            pending[b] = static_cast<unsigned char>(
                (bird.sire != kinship::no_bird ? 1 : 0) + (bird.dam != kinship::no_bird ? 1 : 0));
            if (pending[b] == 0)
                ordered.push_back(static_cast<int>(b));
        }
        for (Index next = 0; next < ordered.size(); ++next) {
            const Index b = at(ordered[next]);
            for (int c = children.firstChild[b]; c < children.firstChild[b + 1]; ++c) {
                const Index child = at(children.child[at(c)]);
                depthOf[child] = std::max(depthOf[child], depthOf[b] + 1);
                if (--pending[child] == 0)
                    ordered.push_back(static_cast<int>(child));
            }
        }
    }

    Order o;
    o.size = static_cast<int>(ordered.size());
    placeBirds(parents, ordered, o);
    o.sire.resize(ordered.size());
    o.dam.resize(ordered.size());
    o.depth.resize(ordered.size());
    const auto placeOrUnknown
        = [&](int parent) { return parent == kinship::no_bird ? o.size : o.placeOf[at(parent)]; };
    int deepest = 0;
    for (int p = 0; p < o.size; ++p) {
        const ParentIndex &b = parents[at(o.bird[at(p)])];
        o.sire[at(p)] = placeOrUnknown(b.sire);
        o.dam[at(p)] = placeOrUnknown(b.dam);
        o.depth[at(p)] = depthOf[at(o.bird[at(p)])];
        deepest = std::max(deepest, o.depth[at(p)]);
    }
    o.depthStart.assign(at(deepest) + 2, 0);
    for (int p = 0; p < o.size; ++p)
        ++o.depthStart[at(o.depth[at(p)]) + 1];
    for (Index d = 0; d + 1 < o.depthStart.size(); ++d)
        o.depthStart[d + 1] += o.depthStart[d];
    o.byDepth.resize(ordered.size());
    std::vector<int> filled(o.depthStart.begin(), o.depthStart.end() - 1);
    for (int p = 0; p < o.size; ++p)
        o.byDepth[at(filled[at(o.depth[at(p)])]++)] = p;
    // Within a depth by parents, then by place; the parents' places packed into one key so that
    // the sort compares plain numbers.
    std::vector<std::pair<std::uint64_t, int>> keyed(ordered.size());
    for (Index i = 0; i < keyed.size(); ++i) {
        const Index p = at(o.byDepth[i]);
        keyed[i] = { std::uint64_t(std::uint32_t(o.sire[p])) << 32 | std::uint32_t(o.dam[p]),
            o.byDepth[i] };
    }
    for (Index d = 0; d + 1 < o.depthStart.size(); ++d)
        std::sort(keyed.begin() + o.depthStart[d], keyed.begin() + o.depthStart[d + 1]);
    for (Index i = 0; i < keyed.size(); ++i)
        o.byDepth[i] = keyed[i].second;
    o.parents.resize(ordered.size());
    const auto depthOrNone
        = [&](int parent) { return parent == o.size ? -1 : o.depth[at(parent)]; };
    for (Index p = 0; p < ordered.size(); ++p)
        o.parents[p] = { o.sire[p], o.dam[p], depthOrNone(o.sire[p]), depthOrNone(o.dam[p]), 0.0 };
    return o;
}

// The loops among the birds left unordered. Each of them has a parent left unordered too, so
// following such parents from any of them always ends on a loop.
std::vector<std::vector<int>> findLoops(const kinship &pedigree, const Order &order)
{
    enum : unsigned char { unseen, onPath, done };
    const Index n = at(pedigree.bird_count());
    std::vector<unsigned char> state(n, unseen);
    std::vector<std::vector<int>> loops;
    std::vector<int> path;
    const auto unordered = [&](int b) { return b != kinship::no_bird && order.placeOf[at(b)] < 0; };
    for (Index start = 0; start < n; ++start) {
        if (order.placeOf[start] >= 0 || state[start] != unseen)
            continue;
        path.clear();
        int b = static_cast<int>(start);
        while (state[at(b)] == unseen) {
            state[at(b)] = onPath;
            path.push_back(b);
            const kinship::bird &bird = pedigree.bird_at(b);
            b = unordered(bird.sire) ? bird.sire : bird.dam;
        }
        if (state[at(b)] == onPath) {
            std::vector<int> loop(std::find(path.begin(), path.end(), b), path.end());
            loop.push_back(b);
            loops.push_back(std::move(loop));
        }
        for (const int p : path)
            state[at(p)] = done;
    }
    return loops;
}

// Walks the ancestors of one bird, each once, the deepest first, with the summed weight of all
// its paths from the bird (1/2 per generation). Linear in the ancestors walked.
class AncestorWalk
{
public:
    explicit AncestorWalk(const Order &order)
        : m_order(order), m_weight(at(order.size) + 1, 0.0), m_byDepth(order.depthStart.size())
    { }

    // visit(place, weight) for every ancestor of the bird at `place`; the walk goes on to an
    // ancestor's parents when it returns true.
    template <typename Visit> void walk(int place, Visit visit)
    {
        spread(place, 1.0);
        for (int depth = m_order.depth[at(place)] - 1; depth >= 0; --depth) {
            std::vector<int> &birds = m_byDepth[at(depth)];
            for (const int p : birds) {
                const double weight = m_weight[at(p)];
                m_weight[at(p)] = 0.0;
                if (visit(p, weight))
                    spread(p, weight);
            }
            birds.clear();
        }
    }

private:
    void spread(int place, double weight)
    {
        const Order::Parents &parents = m_order.parents[at(place)];
        if (parents.sireDepth >= 0)
            add(parents.sire, parents.sireDepth, 0.5 * weight);
        if (parents.damDepth >= 0)
            add(parents.dam, parents.damDepth, 0.5 * weight);
    }

    void add(int parent, int depth, double weight)
    {
        double &known = m_weight[at(parent)];
        if (known == 0.0)
            m_byDepth[at(depth)].push_back(parent);
        known += weight;
    }

    const Order &m_order;
    std::vector<double> m_weight; // by place, 0 when not met
    std::vector<std::vector<int>> m_byDepth; // birds met, waiting for their walk
};

// The threads one piece of work is shared out over: as many as the machine runs at once, at most
// eight.
std::size_t threadCount()
{
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
}

// Each bird's inbreeding F, sampling variance d = 1/2 - (F of sire + F of dam)/4 (an unknown
// parent counting as F = -1) and number of known ancestors, by place. The birds of one depth
// depend only on shallower ones, so each depth is shared out over the threads.
class InbreedingPass
{
public:
    explicit InbreedingPass(Order &order)
        : m_order(order), f(at(order.size) + 1, 0.0), knownAncestors(at(order.size), 0)
    { }

    bool run(const std::function<bool(std::size_t, std::size_t)> &progress)
    {
        std::vector<AncestorWalk> walks;
        walks.reserve(threadCount());
        std::atomic<std::size_t> done { 0 };
        std::atomic<bool> stopped { false };
        for (Index d = 0; d + 1 < m_order.depthStart.size() && !stopped; ++d) {
            const int first = m_order.depthStart[d]; // in byDepth
            const int end = m_order.depthStart[d + 1];
            const std::size_t pieces = (at(end - first) + birds_per_piece - 1) / birds_per_piece;
            std::atomic<std::size_t> next { 0 };
            const auto work = [&](std::size_t worker) {
                for (std::size_t piece = next++; piece < pieces && !stopped; piece = next++) {
                    const int from = first + static_cast<int>(piece * birds_per_piece);
                    const int to = std::min(end, from + static_cast<int>(birds_per_piece));
                    walkBirds(walks[worker], from, to);
                    done += at(to - from);
                    if (worker == 0 && progress && !progress(done, at(m_order.size)))
                        stopped = true;
                }
            };
            const std::size_t threads = std::min(threadCount(), std::max<std::size_t>(pieces, 1));
            while (walks.size() < threads)
                walks.emplace_back(m_order);
            std::vector<std::thread> helpers;
            for (std::size_t worker = 1; worker < threads; ++worker) {
                try {
                    helpers.emplace_back(work, worker);
                } catch (const std::system_error &) {
                    break;
                }
            }
            work(0);
            for (std::thread &helper : helpers)
                helper.join();
        }
        if (!stopped && progress && !progress(done, at(m_order.size)))
            stopped = true;
        return !stopped;
    }

private:
    // The birds from `first` to `end` of byDepth.
    void walkBirds(AncestorWalk &walk, int first, int end)
    {
        for (int i = first; i < end; ++i) {
            const int p = m_order.byDepth[at(i)];
            const Index pu = at(p);
            const int s = m_order.sire[pu];
            const int d = m_order.dam[pu];
            const double fs = s == m_order.size ? -1.0 : f[at(s)];
            const double fd = d == m_order.size ? -1.0 : f[at(d)];
            double &variance = m_order.parents[pu].variance;
            variance = 0.5 - 0.25 * (fs + fd);
            const Index before = i > first ? at(m_order.byDepth[at(i - 1)]) : pu;
            if (before != pu && s == m_order.sire[before] && d == m_order.dam[before]) {
                f[pu] = f[before]; // a full sib of the bird before
                knownAncestors[pu] = knownAncestors[before];
                continue;
            }
            double sum = variance;
            int count = 0;
            walk.walk(p, [&](int ancestor, double weight) {
                sum += weight * weight * m_order.parents[at(ancestor)].variance;
                ++count;
                return true;
            });
            f[pu] = s == m_order.size || d == m_order.size ? 0.0 : sum - 1.0;
            knownAncestors[pu] = count;
        }
    }

    Order &m_order;

public:
    std::vector<double> f;
    std::vector<int> knownAncestors;
};

// The group's genes by origin: for every bird, the share of the group's genes that comes from it
// by all paths (T' times the group's indicator over its size), in one pass up the order.
std::vector<double> contributions(const Order &order, const std::vector<int> &groupPlaces)
{
    std::vector<double> share(at(order.size) + 1, 0.0);
    for (const int p : groupPlaces)
        share[at(p)] += 1.0 / static_cast<double>(groupPlaces.size());
    for (int p = order.size - 1; p >= 0; --p) {
        share[at(order.sire[at(p)])] += 0.5 * share[at(p)];
        share[at(order.dam[at(p)])] += 0.5 * share[at(p)];
    }
    share[at(order.size)] = 0.0;
    return share;
}

// Every bird's relationship with the group, averaged: A times the group's indicator over its
// size, A = T D T', from the contributions (T' times the indicator), scaled by d and passed down
// the order.
std::vector<double> meanRelationship(const Order &order, const std::vector<double> &share)
{
    std::vector<double> result(at(order.size) + 1, 0.0);
    for (int p = 0; p < order.size; ++p) {
        const Index pu = at(p);
        result[pu] = order.parents[pu].variance * share[pu]
            + 0.5 * (result[at(order.sire[pu])] + result[at(order.dam[pu])]);
    }
    return result;
}

// f_e: the founders' contributions to the group. A bird with no known parent is a founder; an
// unknown parent of a bird with one known parent is a founder of its own with half the bird's.
void founderFigures(
    const Order &order, const std::vector<double> &share, population::group_figures &group)
{
    double squares = 0.0;
    for (int p = 0; p < order.size; ++p) {
        const Index pu = at(p);
        const int unknown
            = (order.sire[pu] == order.size ? 1 : 0) + (order.dam[pu] == order.size ? 1 : 0);
        if (unknown == 0 || share[pu] <= 0.0)
            continue;
        const double founder = unknown == 2 ? share[pu] : 0.5 * share[pu];
        squares += founder * founder;
        ++group.founders;
    }
    group.founder_equivalents = squares > 0.0 ? 1.0 / squares : 0.0;
}

// f_a by Boichard's method: the ancestor with the largest marginal contribution is taken, its
// parents are cut off, and so on. The marginal contribution of a bird is its contribution with
// the taken birds cut off, times the share of its genes that does not come from taken birds.
// Neither part can grow as birds are taken, so a bird's last figure bounds its next one: the
// birds wait in a heap by that bound and only the one on top is looked at again. The ancestors
// are the group's ancestors and founders, and, as for f_e, the unknown parent of a bird with one
// known parent, which stands in the heap as -1 - the bird's place.
class AncestorPicking
{
public:
    AncestorPicking(const Order &order, std::vector<double> share)
        : m_order(order), m_share(std::move(share)), m_walk(order), m_taken(at(order.size), 0),
          m_parentTaken(at(order.size), 0)
    {
        std::vector<unsigned char> ancestor(at(order.size) + 1, 0);
        for (int p = 0; p < order.size; ++p)
            if (m_share[at(p)] > 0.0)
                ancestor[at(order.sire[at(p)])] = ancestor[at(order.dam[at(p)])] = 1;
        for (int p = 0; p < order.size; ++p) {
            if (m_share[at(p)] <= 0.0)
                continue;
            const int unknown = unknownParents(p);
            if (ancestor[at(p)] || unknown == 2)
                m_unseen.push_back({ m_share[at(p)], p, -1 });
            if (unknown == 1)
                m_unseen.push_back({ 0.5 * m_share[at(p)], -1 - p, -1 });
        }
    }

    void pick(population::group_figures &group)
    {
        double explained = 0.0;
        double squares = 0.0;
        double last = 0.0;
        std::sort(m_unseen.begin(), m_unseen.end());
        while (hasNext() && group.ancestors_taken < most_ancestors_taken) {
            const Bound top = takeNext();
            // A figure worked out since the last bird was taken is exact: on top, it is the
            // largest.
            const double contribution
                = top.taken == group.ancestors_taken ? top.contribution : marginal(top.candidate);
            if (hasNext() && contribution < next().contribution) {
                if (contribution > 0.0)
                    m_bounds.push({ contribution, top.candidate, group.ancestors_taken });
                continue;
            }
            if (contribution <= 0.0)
                break;
            const int candidate = top.candidate;
            take(candidate);
            ++group.ancestors_taken;
            explained += contribution;
            squares += contribution * contribution;
            last = contribution;
            // What is left adds at most the contribution just taken times the share left.
            if (contribution * std::max(0.0, 1.0 - explained) < ancestors_precision * squares)
                break;
        }
        group.ancestor_equivalents = squares > 0.0 ? 1.0 / squares : 0.0;
        group.ancestors_share = explained;
        const double most = squares + last * std::max(0.0, 1.0 - explained);
        group.ancestor_equivalents_least = most > 0.0 ? 1.0 / most : 0.0;
    }

private:
    // A candidate's marginal contribution, exact when worked out after `taken` birds were taken
    // (-1: not worked out) and no more have been taken since, else a bound.
    struct Bound
    {
        double contribution;
        int candidate;
        int taken;

        bool operator<(const Bound &other) const
        {
            return std::pair(contribution, candidate)
                < std::pair(other.contribution, other.candidate);
        }
    };

    bool hasNext() const { return !m_unseen.empty() || !m_bounds.empty(); }

    // The candidate with the largest bound, not yet looked at or looked at before.
    const Bound &next() const
    {
        if (m_bounds.empty() || (!m_unseen.empty() && m_bounds.top() < m_unseen.back()))
            return m_unseen.back();
        return m_bounds.top();
    }

    Bound takeNext()
    {
        const Bound top = next();
        if (!m_unseen.empty() && &next() == &m_unseen.back())
            m_unseen.pop_back();
        else
            m_bounds.pop();
        return top;
    }

    int unknownParents(int p) const
    {
        return (m_order.sire[at(p)] == m_order.size ? 1 : 0)
            + (m_order.dam[at(p)] == m_order.size ? 1 : 0);
    }

    double marginal(int candidate)
    {
        if (candidate < 0) {
            const int child = -1 - candidate;
            return m_taken[at(child)] ? 0.0 : 0.5 * m_share[at(child)];
        }
        double fromTaken = m_parentTaken[at(candidate)] ? 0.5 : 0.0;
        m_walk.walk(candidate, [&](int ancestor, double weight) {
            if (m_taken[at(ancestor)]) {
                fromTaken += weight;
                return false;
            }
            if (m_parentTaken[at(ancestor)])
                fromTaken += 0.5 * weight;
            return true;
        });
        return std::max(0.0, m_share[at(candidate)] * (1.0 - fromTaken));
    }

    // Cuts the bird off its parents: what reached its ancestors through it reaches them no more.
    void take(int candidate)
    {
        if (candidate < 0) {
            m_parentTaken[at(-1 - candidate)] = 1;
            return;
        }
        m_taken[at(candidate)] = 1;
        const double through = m_share[at(candidate)];
        m_walk.walk(candidate, [&](int ancestor, double weight) {
            m_share[at(ancestor)] = std::max(0.0, m_share[at(ancestor)] - through * weight);
            return !m_taken[at(ancestor)];
        });
    }

    const Order &m_order;
    std::vector<double> m_share; // by place: the group's genes that come from the bird, cut
    AncestorWalk m_walk;
    std::vector<unsigned char> m_taken; // by place
    std::vector<unsigned char> m_parentTaken; // by place: the unknown parent was taken
    // The candidates never looked at, by their contribution, the largest last: most are never
    // looked at, and a sorted list is read in order where a heap of them all would be searched.
    std::vector<Bound> m_unseen;
    std::priority_queue<Bound> m_bounds; // the candidates looked at
};

int currentYear()
{
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day(today).year());
}

} // namespace

bool population::compute(const kinship &pedigree, const options &settings)
{
    *this = population();
    Order order = orderBirds(pedigree);
    m_loops = findLoops(pedigree, order);
    m_left_out = pedigree.bird_count() - order.size;

    InbreedingPass inbreeding(order);
    if (!inbreeding.run(settings.progress))
        return false;

    std::vector<int> groupPlaces;
    if (settings.group.empty()) {
        std::vector<unsigned char> parent(at(order.size) + 1, 0);
        for (int p = 0; p < order.size; ++p)
            parent[at(order.sire[at(p)])] = parent[at(order.dam[at(p)])] = 1;
        for (int p = 0; p < order.size; ++p)
            if (!parent[at(p)])
                groupPlaces.push_back(p);
    } else {
        std::vector<unsigned char> member(at(order.size), 0);
        for (const int b : settings.group)
            if (b >= 0 && b < pedigree.bird_count() && order.placeOf[at(b)] >= 0)
                member[at(order.placeOf[at(b)])] = 1;
        for (int p = 0; p < order.size; ++p)
            if (member[at(p)])
                groupPlaces.push_back(p);
    }
    std::vector<double> share = contributions(order, groupPlaces);
    const std::vector<double> relationship = meanRelationship(order, share);

    const int thisYear = settings.this_year != 0 ? settings.this_year : currentYear();
    m_birds.resize(at(pedigree.bird_count()));
    std::vector<double> ecg(at(order.size) + 1, 0.0);
    std::map<int, year_figures> years;
    for (int p = 0; p < order.size; ++p) {
        const Index pu = at(p);
        for (const int parent : { order.sire[pu], order.dam[pu] })
            if (parent != order.size)
                ecg[pu] += 0.5 * (1.0 + ecg[at(parent)]);
        const int b = order.bird[pu];
        bird_figures &figures = m_birds[at(b)];
        figures.computed = true;
        figures.inbreeding = inbreeding.f[pu];
        figures.mean_kinship = 0.5 * relationship[pu];
        figures.ecg = ecg[pu];
        figures.known_ancestors = inbreeding.knownAncestors[pu];
        figures.generations = order.depth[pu];
        figures.year = band_year(pedigree.bird_at(b).band, thisYear);
        if (figures.year == 0)
            continue;
        year_figures &year = years[figures.year];
        year.year = figures.year;
        ++year.birds;
        year.mean_inbreeding += figures.inbreeding;
        year.mean_ecg += figures.ecg;
    }
    for (auto &[number, year] : years) {
        year.mean_inbreeding /= year.birds;
        year.mean_ecg /= year.birds;
        m_by_year.push_back(year);
    }

    for (const int p : groupPlaces) {
        const bird_figures &figures = m_birds[at(order.bird[at(p)])];
        m_group_birds.push_back(order.bird[at(p)]);
        ++m_group.birds;
        m_group.mean_inbreeding += figures.inbreeding;
        m_group.mean_ecg += figures.ecg;
        m_group.mean_kinship += figures.mean_kinship;
        if (figures.ecg > 1.0) {
            ++m_group.increase_birds;
            m_group.mean_increase
                += 1.0 - std::pow(1.0 - figures.inbreeding, 1.0 / (figures.ecg - 1.0));
        }
    }
    std::sort(m_group_birds.begin(), m_group_birds.end());
    if (m_group.birds > 0) {
        m_group.mean_inbreeding /= m_group.birds;
        m_group.mean_ecg /= m_group.birds;
        m_group.mean_kinship /= m_group.birds;
    }
    if (m_group.increase_birds > 0)
        m_group.mean_increase /= m_group.increase_birds;
    if (m_group.mean_increase > 0.0)
        m_group.effective_size = 1.0 / (2.0 * m_group.mean_increase);
    founderFigures(order, share, m_group);
    AncestorPicking(order, std::move(share)).pick(m_group);
    return true;
}
