#include "kinship.h"

#include "inbreed.h"

#include <algorithm>
#include <cassert>
#include <iterator>

namespace {

// The ancestors of a youngster met no closer than this generation are not walked; generation 1 is
// the youngster, 2 its parents.
constexpr int walk_stop_generation = 11;

// Occurrences beyond this generation carry no blood.
constexpr int last_counted_generation = 20;

// A text ends at its first zero byte, as the stored bands do.
std::string_view untilZero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

bool isMissing(std::string_view band)
{
    return band.empty() || (band.size() == 1 && (band[0] == ' ' || band[0] == '.'));
}

// The candidates and all their ancestors, ordered so that every bird comes after its parents.
// Places run from 0 to size - 1; the place `size` stands for an unknown parent.
struct Ancestry
{
    int size = 0;
    std::vector<int> bird; // store index by place
    std::vector<int> sire; // places; `size` when unknown
    std::vector<int> dam;
    std::vector<int> depth; // 0 for a bird without known parents, else one more than its parents'
    std::vector<int> placeOf; // place by store index; -1 when not ordered
};

// Orders the ancestry of the candidates with Kahn's method: a bird is placed once both its parents
// are. A bird on a loop, or descending from one, is never placed and keeps place -1.
Ancestry orderAncestry(const std::vector<kinship::bird> &birds, const std::vector<int> &candidates)
{
    std::vector<int> member(birds.size(), -1);
    std::vector<int> members;
    std::vector<int> stack(candidates.begin(), candidates.end());
    while (!stack.empty()) {
        const int b = stack.back();
        stack.pop_back();
        if (b == kinship::no_bird || member[static_cast<std::size_t>(b)] >= 0)
            continue;
        member[static_cast<std::size_t>(b)] = static_cast<int>(members.size());
        members.push_back(b);
        stack.push_back(birds[static_cast<std::size_t>(b)].sire);
        stack.push_back(birds[static_cast<std::size_t>(b)].dam);
    }

    const std::size_t count = members.size();
    std::vector<int> pending(count, 0);
    std::vector<int> firstChild(count + 1, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const kinship::bird &b = birds[static_cast<std::size_t>(members[i])];
        for (const int parent : { b.sire, b.dam }) {
            if (parent == kinship::no_bird)
                continue;
            ++pending[i];
            ++firstChild[static_cast<std::size_t>(member[static_cast<std::size_t>(parent)]) + 1];
        }
    }
    for (std::size_t i = 0; i < count; ++i)
        firstChild[i + 1] += firstChild[i];
    std::vector<int> children(static_cast<std::size_t>(firstChild[count]));
    std::vector<int> filled(firstChild.begin(), firstChild.end() - 1);
    for (std::size_t i = 0; i < count; ++i) {
        const kinship::bird &b = birds[static_cast<std::size_t>(members[i])];
        for (const int parent : { b.sire, b.dam }) {
            if (parent != kinship::no_bird)
                children[static_cast<std::size_t>(
                    filled[static_cast<std::size_t>(member[static_cast<std::size_t>(parent)])]++)]
                    = static_cast<int>(i);
        }
    }

    Ancestry a;
    a.placeOf.assign(birds.size(), -1);
    std::vector<int> ready;
    for (std::size_t i = 0; i < count; ++i)
        if (pending[i] == 0)
            ready.push_back(static_cast<int>(i));
    for (std::size_t next = 0; next < ready.size(); ++next) {
        const int i = ready[next];
        a.placeOf[static_cast<std::size_t>(members[static_cast<std::size_t>(i)])]
            = static_cast<int>(a.bird.size());
        a.bird.push_back(members[static_cast<std::size_t>(i)]);
        for (int c = firstChild[static_cast<std::size_t>(i)];
             c < firstChild[static_cast<std::size_t>(i) + 1]; ++c)
            if (--pending[static_cast<std::size_t>(children[static_cast<std::size_t>(c)])] == 0)
                ready.push_back(children[static_cast<std::size_t>(c)]);
    }

    a.size = static_cast<int>(a.bird.size());
    a.sire.resize(a.bird.size());
    a.dam.resize(a.bird.size());
    a.depth.resize(a.bird.size());
    for (int p = 0; p < a.size; ++p) {
        const kinship::bird &b
            = birds[static_cast<std::size_t>(a.bird[static_cast<std::size_t>(p)])];
        const auto placeOrUnknown = [&](int parent) {
            return parent == kinship::no_bird ? a.size
                                              : a.placeOf[static_cast<std::size_t>(parent)];
        };
        const auto pu = static_cast<std::size_t>(p);
        a.sire[pu] = placeOrUnknown(b.sire);
        a.dam[pu] = placeOrUnknown(b.dam);
        int depth = 0;
        for (const int parent : { a.sire[pu], a.dam[pu] })
            if (parent != a.size)
                depth = std::max(depth, a.depth[static_cast<std::size_t>(parent)] + 1);
        a.depth[pu] = depth;
    }
    return a;
}

// Columns of the additive relationship matrix A for up to `lanes` birds at once. A = T D T',
// T holding the summed path weights (1/2 per generation, added over every path) and D the
// sampling variances d = 1/2 - (F of sire + F of dam)/4, an unknown parent counting as F = -1.
// One pass up the order from the birds (T'), a scaling by d (D) and one pass down (T) give the
// columns; each pass is a sweep over the ordered birds with the lanes side by side, so the cost
// is linear in the ordered birds and needs the variances of the birds' ancestors only.
class RelationshipColumns
{
public:
    static constexpr std::size_t lanes = 16;

    explicit RelationshipColumns(const Ancestry &a)
        : m_ancestry(a), m_values((static_cast<std::size_t>(a.size) + 1) * lanes, 0.0)
    { }

    // The columns of the birds at `places` (at most `lanes` of them), down to place `last`.
    void compute(const std::vector<int> &places, const std::vector<double> &variance, int last)
    {
        assert(places.size() <= lanes && "more birds than lanes");
        const auto n = static_cast<std::size_t>(m_ancestry.size);
        const auto top = static_cast<std::size_t>(*std::max_element(places.begin(), places.end()));
        const std::size_t end = std::max(top, static_cast<std::size_t>(last)) + 1;
        std::fill(
            m_values.begin(), m_values.begin() + static_cast<std::ptrdiff_t>(end * lanes), 0.0);
        for (std::size_t j = 0; j < places.size(); ++j)
            m_values[static_cast<std::size_t>(places[j]) * lanes + j] = 1.0;
        for (std::size_t k = top + 1; k-- > 0;) {
            double *row = &m_values[k * lanes];
            double *sire = &m_values[static_cast<std::size_t>(m_ancestry.sire[k]) * lanes];
            double *dam = &m_values[static_cast<std::size_t>(m_ancestry.dam[k]) * lanes];
            const double d = variance[k];
            for (std::size_t j = 0; j < lanes; ++j) {
                const double half = 0.5 * row[j];
                sire[j] += half;
                dam[j] += half;
                row[j] *= d;
            }
        }
        std::fill(m_values.begin() + static_cast<std::ptrdiff_t>(n * lanes), m_values.end(), 0.0);
        for (std::size_t k = 0; k < end; ++k) {
            double *row = &m_values[k * lanes];
            const double *sire = &m_values[static_cast<std::size_t>(m_ancestry.sire[k]) * lanes];
            const double *dam = &m_values[static_cast<std::size_t>(m_ancestry.dam[k]) * lanes];
            for (std::size_t j = 0; j < lanes; ++j)
                row[j] += 0.5 * (sire[j] + dam[j]);
        }
    }

    // A of the bird at `place` with the bird of lane `lane`.
    double value(int place, std::size_t lane) const
    {
        return m_values[static_cast<std::size_t>(place) * lanes + lane];
    }

private:
    const Ancestry &m_ancestry;
    std::vector<double> m_values; // by place, then lane; place `size` is the unknown parent
};

// Every ordered bird's inbreeding F, half the relationship of its parents, and its sampling
// variance. Depth by depth: the birds of one depth take their F from the relationship columns
// of their sires, which need the variances of the sires' ancestors only, all of smaller depth.
struct Inbreeding
{
    std::vector<double> f; // by place; index `size` holds 0 for an unknown parent
    std::vector<double> variance;
};

Inbreeding computeInbreeding(const Ancestry &a)
{
    const auto n = static_cast<std::size_t>(a.size);
    Inbreeding result;
    result.f.assign(n + 1, 0.0);
    result.variance.assign(n + 1, 0.0);
    const int deepest = a.size == 0 ? 0 : *std::max_element(a.depth.begin(), a.depth.end());
    std::vector<std::vector<int>> byDepth(static_cast<std::size_t>(deepest) + 1);
    for (std::size_t p = 0; p < n; ++p)
        byDepth[static_cast<std::size_t>(a.depth[p])].push_back(static_cast<int>(p));

    RelationshipColumns columns(a);
    std::vector<int> young; // birds of one depth with both parents known, by sire
    std::vector<int> sires;
    for (const std::vector<int> &birds : byDepth) {
        young.clear();
        for (const int p : birds)
            if (a.sire[static_cast<std::size_t>(p)] != a.size
                && a.dam[static_cast<std::size_t>(p)] != a.size)
                young.push_back(p);
        std::sort(young.begin(), young.end(), [&](int x, int y) {
            return a.sire[static_cast<std::size_t>(x)] < a.sire[static_cast<std::size_t>(y)];
        });
        for (std::size_t first = 0; first < young.size();) {
            sires.clear();
            int lastDam = 0;
            std::size_t next = first;
            for (; next < young.size(); ++next) {
                const auto y = static_cast<std::size_t>(young[next]);
                if (sires.empty() || sires.back() != a.sire[y]) {
                    if (sires.size() == RelationshipColumns::lanes)
                        break;
                    sires.push_back(a.sire[y]);
                }
                lastDam = std::max(lastDam, a.dam[y]);
            }
            columns.compute(sires, result.variance, lastDam);
            for (std::size_t lane = 0; first < next; ++first) {
                const auto y = static_cast<std::size_t>(young[first]);
                if (sires[lane] != a.sire[y])
                    ++lane;
                result.f[y] = 0.5 * columns.value(a.dam[y], lane);
            }
        }
        for (const int p : birds) {
            const auto pu = static_cast<std::size_t>(p);
            const double fs
                = a.sire[pu] == a.size ? -1.0 : result.f[static_cast<std::size_t>(a.sire[pu])];
            const double fd
                = a.dam[pu] == a.size ? -1.0 : result.f[static_cast<std::size_t>(a.dam[pu])];
            result.variance[pu] = 0.5 - 0.25 * (fs + fd);
        }
    }
    return result;
}

// A bird whose ancestors a side's walk did not go on to, `paths` times: met at a generation from
// 11 to 19 while not yet met closer, after `closeCount` birds had been met closer than 11.
struct Stop
{
    int place;
    int generation;
    long long paths;
    int closeCount;
};

// One side of a youngster's ancestor walk, the sire's or the dam's, walked alone: the blood and
// occurrences of every bird met, the birds met close in the order they were met, and the stops.
struct SideWalk
{
    std::vector<int> place;
    std::vector<double> blood;
    std::vector<double> occurrences;
    std::vector<int> metClose;
    std::vector<Stop> stops;
};

// Blood and occurrences gathered per bird over the ordered birds, with the list of birds met.
class Tally
{
public:
    explicit Tally(int size)
        : m_blood(static_cast<std::size_t>(size), 0.0),
          m_occurrences(static_cast<std::size_t>(size), 0.0)
    { }

    void record(int p, int generation, long long paths)
    {
        const auto pu = static_cast<std::size_t>(p);
        if (m_occurrences[pu] == 0.0)
            m_met.push_back(p);
        m_occurrences[pu] += static_cast<double>(paths);
        const double weight = inbreed::generation_weight(generation);
        m_blood[pu] += paths == 1 ? weight : static_cast<double>(paths) * weight;
    }

    double blood(int p) const { return m_blood[static_cast<std::size_t>(p)]; }
    double occurrences(int p) const { return m_occurrences[static_cast<std::size_t>(p)]; }
    const std::vector<int> &met() const { return m_met; }

    void clear()
    {
        for (const int p : m_met) {
            m_blood[static_cast<std::size_t>(p)] = 0.0;
            m_occurrences[static_cast<std::size_t>(p)] = 0.0;
        }
        m_met.clear();
    }

private:
    std::vector<double> m_blood;
    std::vector<double> m_occurrences;
    std::vector<int> m_met;
};

// The deep part of a walk, generation by generation: from starting birds, every path up through
// birds the caller lets it go on from, the visits of one bird at one generation counted together
// as paths instead of being repeated, so that a line bred back to the same birds costs the number
// of birds per generation rather than the number of paths.
class GenerationWalk
{
public:
    GenerationWalk(const Ancestry &a) : m_ancestry(a), m_paths(static_cast<std::size_t>(a.size), 0)
    { }

    void start(int place, int generation, long long paths)
    {
        m_starts[static_cast<std::size_t>(generation)].push_back({ place, paths });
        m_first = std::min(m_first, generation);
        ++m_waiting;
    }

    // Starts walks from the known parents of the bird, one generation further.
    void startParents(int place, int generation, long long paths)
    {
        const auto pu = static_cast<std::size_t>(place);
        if (m_ancestry.sire[pu] != m_ancestry.size)
            start(m_ancestry.sire[pu], generation, paths);
        if (m_ancestry.dam[pu] != m_ancestry.size)
            start(m_ancestry.dam[pu], generation, paths);
    }

    // Walks every start; visit(place, generation, paths) records the visits and tells whether the
    // walk goes on to the bird's parents.
    template <typename Visit> void run(Visit visit)
    {
        for (int generation = m_first; m_waiting > 0; ++generation) {
            auto &starts = m_starts[static_cast<std::size_t>(generation)];
            m_waiting -= starts.size();
            for (const auto &[p, paths] : starts) {
                if (m_paths[static_cast<std::size_t>(p)] == 0)
                    m_met.push_back(p);
                m_paths[static_cast<std::size_t>(p)] += paths;
            }
            starts.clear();
            for (const int p : m_met) {
                const long long paths = m_paths[static_cast<std::size_t>(p)];
                m_paths[static_cast<std::size_t>(p)] = 0;
                if (visit(p, generation, paths) && generation < last_counted_generation)
                    startParents(p, generation + 1, paths);
            }
            m_met.clear();
        }
        m_first = last_counted_generation;
    }

private:
    const Ancestry &m_ancestry;
    std::vector<long long> m_paths;
    std::vector<int> m_met;
    std::array<std::vector<std::pair<int, long long>>, last_counted_generation + 1> m_starts;
    int m_first = last_counted_generation; // the first generation holding starts
    std::size_t m_waiting = 0; // starts not yet walked
};

// Walks a parent's ancestry as the analysis walks the youngster's: once per path, sire branch
// before dam branch, generation 2 for the parent; a bird met no closer than generation 11 so far
// is recorded but its ancestors are not walked. Visits beyond generation 20 carry no blood and
// cannot make a bird close, so the walk ends there.
//
// Up to generation 11 the walk goes path by path in that order, since the birds met close so far
// decide where it goes on; the deeper walks from generation 11 are gathered and walked generation
// by generation each time before one more bird becomes close.
class SideWalker
{
public:
    explicit SideWalker(const Ancestry &a)
        : m_ancestry(a), m_tally(a.size), m_deep(a), m_close(static_cast<std::size_t>(a.size), 0)
    { }

    SideWalk walk(int parent)
    {
        ++m_epoch;
        m_result = SideWalk {};
        visit(parent, 2);
        walkDeep();
        for (const int p : m_tally.met()) {
            m_result.place.push_back(p);
            m_result.blood.push_back(m_tally.blood(p));
            m_result.occurrences.push_back(m_tally.occurrences(p));
        }
        m_tally.clear();
        return std::move(m_result);
    }

private:
    bool isClose(int p) const { return m_close[static_cast<std::size_t>(p)] == m_epoch; }

    bool hasParent(int p) const
    {
        const auto pu = static_cast<std::size_t>(p);
        return m_ancestry.sire[pu] != m_ancestry.size || m_ancestry.dam[pu] != m_ancestry.size;
    }

    void stop(int p, int generation, long long paths)
    {
        if (hasParent(p))
            m_result.stops.push_back(
                { p, generation, paths, static_cast<int>(m_result.metClose.size()) });
    }

    void visit(int p, int generation)
    {
        if (generation < walk_stop_generation && !isClose(p)) {
            walkDeep();
            m_close[static_cast<std::size_t>(p)] = m_epoch;
            m_result.metClose.push_back(p);
        }
        m_tally.record(p, generation, 1);
        if (generation == walk_stop_generation) {
            if (isClose(p))
                m_deep.startParents(p, generation + 1, 1);
            else
                stop(p, generation, 1);
            return;
        }
        const auto pu = static_cast<std::size_t>(p);
        if (m_ancestry.sire[pu] != m_ancestry.size)
            visit(m_ancestry.sire[pu], generation + 1);
        if (m_ancestry.dam[pu] != m_ancestry.size)
            visit(m_ancestry.dam[pu], generation + 1);
    }

    void walkDeep()
    {
        m_deep.run([&](int p, int generation, long long paths) {
            m_tally.record(p, generation, paths);
            if (generation >= last_counted_generation)
                return false;
            if (isClose(p))
                return true;
            stop(p, generation, paths);
            return false;
        });
    }

    const Ancestry &m_ancestry;
    Tally m_tally;
    GenerationWalk m_deep;
    std::vector<std::uint32_t> m_close;
    std::uint32_t m_epoch = 0;
    SideWalk m_result;
};

// What a pairing's further walk needs of the sire's side, by place: the birds it met close, and
// the birds from which some bird it met can be reached going up (the bird itself or an ancestor
// met on the sire's side). Both are marked with the cock's mark.
struct SireMarks
{
    const std::vector<std::uint32_t> &close;
    const std::vector<std::uint32_t> &leadsTo; // index `size` is the unknown parent
    std::uint32_t mark;

    bool isClose(int p) const { return close[static_cast<std::size_t>(p)] == mark; }
    bool leadsToSireSide(int p) const { return leadsTo[static_cast<std::size_t>(p)] == mark; }
};

// How often a hen's further walks were tried with all stops together, and how often that sufficed.
// Trying costs a second walk when it fails and saves the walk by time when it suffices, so it is
// worth it while it suffices about one time in ten or more; otherwise it is tried one time in eight.
class TogetherRecord
{
public:
    bool worthTrying()
    {
        if (10 * (m_sufficed + 1) >= m_tried + 2)
            return true;
        return ++m_skipped % 8 == 0;
    }

    void tried(bool sufficed)
    {
        ++m_tried;
        m_sufficed += sufficed ? 1 : 0;
    }

private:
    unsigned m_tried = 0;
    unsigned m_sufficed = 0;
    unsigned m_skipped = 0;
};

// The dam's side of one pairing beyond its walk alone. The sire's side is walked first, so every
// bird it met close counts as close on the dam's side too: at each stop of the dam's walk at such
// a bird the youngster's walk goes on. Those further visits are walked here, with the birds the
// dam's side had met close by the time of the stop, and their blood and occurrences kept apart.
// Only the blood of birds met on both sides counts, so the walk leaves out every bird from which
// no bird of the sire's side can be reached.
class FurtherWalk
{
public:
    explicit FurtherWalk(const Ancestry &a)
        : m_ancestry(a), m_tally(a.size), m_deep(a),
          m_closeRank(static_cast<std::size_t>(a.size), -1)
    { }

    // Walks on from every stop of `dam` at a bird marked close on the sire's side.
    //
    // Which birds the walk goes on from depends on the time of each stop, through the birds the
    // dam's side had met close by then. Most often that makes no difference: the walk from all
    // stops together, with every bird the dam's side ever met close, meets no bird that became
    // close after the first stop. Only otherwise are the stops walked again, group by group.
    // `record` keeps, for the hen, how often the walk of all stops together was tried and how
    // often it sufficed: it is tried while it suffices often enough, and now and then otherwise.
    void walk(const SideWalk &dam, const SireMarks &sire, TogetherRecord &record)
    {
        m_relevant.clear();
        for (const Stop &stop : dam.stops) {
            const auto pu = static_cast<std::size_t>(stop.place);
            if (sire.isClose(stop.place)
                && (sire.leadsToSireSide(m_ancestry.sire[pu])
                    || sire.leadsToSireSide(m_ancestry.dam[pu])))
                m_relevant.push_back(&stop);
        }
        if (m_relevant.empty())
            return;
        rankClose(dam, sire);
        walkRelevant(sire, record);
        for (const int p : dam.metClose)
            m_closeRank[static_cast<std::size_t>(p)] = -1;
    }

    const Tally &tally() const { return m_tally; }
    void clear() { m_tally.clear(); }

private:
    // Ranks the birds the dam's side met close in the order they were met, and counts, among the
    // first so many of them, those that can decide whether the walk goes on: not close on the
    // sire's side (the walk goes on from those anyway) and with a parent leading to it (from the
    // others the walk goes nowhere). Stops whose counts hold the same deciding birds are walked
    // alike. The counts are kept for the counts of the relevant stops only, which rise from the
    // first to the last.
    void rankClose(const SideWalk &dam, const SireMarks &sire)
    {
        for (std::size_t i = 0; i < dam.metClose.size(); ++i)
            m_closeRank[static_cast<std::size_t>(dam.metClose[i])] = static_cast<int>(i);
        m_firstCount = m_relevant.front()->closeCount;
        const auto first = static_cast<std::size_t>(m_firstCount);
        const auto last = static_cast<std::size_t>(m_relevant.back()->closeCount);
        m_deciding.resize(last - first + 1);
        m_deciding[0] = 0;
        for (std::size_t i = first; i < last; ++i) {
            const int p = dam.metClose[i];
            m_deciding[i - first + 1] = m_deciding[i - first] + decides(p, sire);
        }
    }

    // True when going on from the bird or not can make a difference: it is not close on the
    // sire's side and a parent of it leads to that side.
    bool decides(int p, const SireMarks &sire) const
    {
        const auto pu = static_cast<std::size_t>(p);
        return !sire.isClose(p)
            && (sire.leadsToSireSide(m_ancestry.sire[pu])
                || sire.leadsToSireSide(m_ancestry.dam[pu]));
    }

    int deciding(int closeCount) const
    {
        return m_deciding[static_cast<std::size_t>(closeCount - m_firstCount)];
    }

    // True when the bird was among the first `count` birds the dam's side met close.
    bool closeAmongFirst(int p, int count) const
    {
        const int rank = m_closeRank[static_cast<std::size_t>(p)];
        return rank >= 0 && rank < count;
    }

    void walkRelevant(const SireMarks &sire, TogetherRecord &record)
    {
        // When all stops hold the same deciding birds, one walk with the first count is exact.
        const int firstCount = m_relevant.front()->closeCount;
        if (deciding(firstCount) == deciding(m_relevant.back()->closeCount)) {
            walkByTime(sire);
            return;
        }
        if (!record.worthTrying()) {
            walkByTime(sire);
            return;
        }
        bool dependsOnTime = false;
        for (const Stop *stop : m_relevant)
            m_deep.startParents(stop->place, stop->generation + 1, stop->paths);
        m_deep.run([&](int p, int generation, long long paths) {
            if (!sire.leadsToSireSide(p))
                return false;
            m_tally.record(p, generation, paths);
            if (generation >= last_counted_generation)
                return false;
            if (sire.isClose(p))
                return true;
            const int rank = m_closeRank[static_cast<std::size_t>(p)];
            dependsOnTime = dependsOnTime || (rank >= firstCount && decides(p, sire));
            return rank >= 0;
        });
        record.tried(!dependsOnTime);
        if (!dependsOnTime)
            return;
        m_tally.clear();
        walkByTime(sire);
    }

    void walkByTime(const SireMarks &sire)
    {
        int closeCount = -1;
        const auto walkDeep = [&] {
            m_deep.run([&](int p, int generation, long long paths) {
                if (!sire.leadsToSireSide(p))
                    return false;
                m_tally.record(p, generation, paths);
                return generation < last_counted_generation
                    && (sire.isClose(p) || closeAmongFirst(p, closeCount));
            });
        };
        for (const Stop *stop : m_relevant) {
            if (closeCount < 0 || deciding(stop->closeCount) != deciding(closeCount)) {
                walkDeep();
                closeCount = stop->closeCount;
            }
            m_deep.startParents(stop->place, stop->generation + 1, stop->paths);
        }
        walkDeep();
    }

    const Ancestry &m_ancestry;
    Tally m_tally;
    GenerationWalk m_deep;
    std::vector<const Stop *> m_relevant;
    std::vector<int> m_closeRank; // of the dam's close birds by place, else -1
    std::vector<int> m_deciding; // by count of the dam's close birds from the first stop's
    int m_firstCount = 0;
};

// Keeps the largest contributions, equal ones by band.
class Ranking
{
public:
    explicit Ranking(kinship::pair_figures &figures, const std::vector<kinship::bird> &birds)
        : m_figures(figures), m_birds(birds)
    { }

    void add(int bird, double contribution)
    {
        ++m_figures.common_ancestors;
        auto &ranked = m_figures.ranked;
        int at = m_kept;
        while (at > 0 && ranksBefore(bird, contribution, ranked[static_cast<std::size_t>(at - 1)]))
            --at;
        if (at >= kinship::ranked_ancestors)
            return;
        const int last = std::min(m_kept, kinship::ranked_ancestors - 1);
        for (int i = last; i > at; --i)
            ranked[static_cast<std::size_t>(i)] = ranked[static_cast<std::size_t>(i - 1)];
        ranked[static_cast<std::size_t>(at)] = { bird, contribution };
        m_kept = std::min(m_kept + 1, kinship::ranked_ancestors);
    }

private:
    bool ranksBefore(int bird, double contribution, const kinship::common_ancestor &other) const
    {
        if (contribution != other.contribution)
            return contribution > other.contribution;
        return m_birds[static_cast<std::size_t>(bird)].band
            < m_birds[static_cast<std::size_t>(other.bird)].band;
    }

    kinship::pair_figures &m_figures;
    const std::vector<kinship::bird> &m_birds;
    int m_kept = 0;
};

// The bits set in a word, added up in halves without a table or a library call.
int bitsSet(std::uint64_t word)
{
    word = word - ((word >> 1) & 0x5555555555555555u);
    word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
    word = (word + (word >> 4)) & 0x0f0f0f0f0f0f0f0fu;
    return static_cast<int>((word * 0x0101010101010101u) >> 56);
}

// A side's blood and occurrences as the contribution reads them: blood per occurrence and
// occurrences as doubles, so that each contribution is computed in the analysis' own order:
// (sire blood / sire occurrences) (dam blood / dam occurrences) 2 (sire occurrences)
// (dam occurrences) (1 + F). The birds are kept in the order of their places, with a bit per
// place, so that the birds a side shares with another are found word by word and each one's
// figures by counting the bits before it.
struct SideFigures
{
    std::vector<std::uint64_t> met; // bit p % 64 of word p / 64 for the bird at place p
    std::vector<int> metBefore; // birds met in the words before, by word
    std::vector<double> blood; // by rank among the birds met
    std::vector<double> bloodPerOccurrence;
    std::vector<double> occurrences;

    int rankOf(int p) const
    {
        const auto word = static_cast<std::size_t>(p) / 64;
        const std::uint64_t below = (std::uint64_t { 1 } << (static_cast<unsigned>(p) % 64)) - 1;
        return metBefore[word] + bitsSet(met[word] & below);
    }
};

std::size_t bitWords(int size)
{
    return (static_cast<std::size_t>(size) + 63) / 64;
}

SideFigures sideFigures(const SideWalk &walk, int size)
{
    SideFigures figures;
    figures.met.assign(bitWords(size), 0);
    for (const int p : walk.place)
        figures.met[static_cast<std::size_t>(p) / 64] |= std::uint64_t { 1 }
            << (static_cast<unsigned>(p) % 64);
    figures.metBefore.resize(figures.met.size());
    int before = 0;
    for (std::size_t w = 0; w < figures.met.size(); ++w) {
        figures.metBefore[w] = before;
        before += bitsSet(figures.met[w]);
    }
    figures.blood.resize(walk.place.size());
    figures.bloodPerOccurrence.resize(walk.place.size());
    figures.occurrences.resize(walk.place.size());
    for (std::size_t i = 0; i < walk.place.size(); ++i) {
        const auto r = static_cast<std::size_t>(figures.rankOf(walk.place[i]));
        const double occurrences = walk.occurrences[i];
        figures.blood[r] = walk.blood[i];
        figures.bloodPerOccurrence[r] = walk.blood[i] / occurrences;
        figures.occurrences[r] = occurrences;
    }
    return figures;
}

// Ranks the common ancestors of every cock with every hen, one cock at a time: the cock's side
// spread over the ordered birds, each hen's side read along its list.
class PairRanker
{
public:
    PairRanker(
        const Ancestry &a, const Inbreeding &inbreeding, const std::vector<kinship::bird> &birds)
        : m_ancestry(a), m_inbreeding(inbreeding), m_birds(birds), m_walker(a), m_further(a),
          m_sire(static_cast<std::size_t>(a.size)),
          m_closeOnSire(static_cast<std::size_t>(a.size), 0),
          m_leadsToSireSide(static_cast<std::size_t>(a.size) + 1, 0),
          m_ranked(static_cast<std::size_t>(a.size), 0), m_sireMet(bitWords(a.size), 0)
    { }

    void addHen(int place)
    {
        m_hens.push_back(m_walker.walk(place));
        m_together.emplace_back();
        m_henFigures.push_back(sideFigures(m_hens.back(), m_ancestry.size));
    }

    // Ranks the cock at `place` with every hen added; figures[h] receives the hen h's pairing.
    template <typename Figures> void rankCock(int place, Figures figures)
    {
        const SideWalk sire = m_walker.walk(place);
        const auto mark = ++m_cockMark;
        for (std::size_t i = 0; i < sire.place.size(); ++i) {
            const auto p = static_cast<std::size_t>(sire.place[i]);
            m_sireMet[p / 64] |= std::uint64_t { 1 } << (p % 64);
            m_sire[p] = { sire.blood[i] / sire.occurrences[i], sire.occurrences[i],
                1.0 + m_inbreeding.f[p] };
        }
        for (const int p : sire.metClose)
            m_closeOnSire[static_cast<std::size_t>(p)] = mark;
        markLeadsToSireSide(mark);
        const SireMarks marks { m_closeOnSire, m_leadsToSireSide, mark };
        for (std::size_t h = 0; h < m_hens.size(); ++h) {
            m_further.walk(m_hens[h], marks, m_together[h]);
            rankPair(m_henFigures[h], figures(h));
            m_further.clear();
        }
        std::fill(m_sireMet.begin(), m_sireMet.end(), 0);
        for (const int p : sire.place) {
            m_sire[static_cast<std::size_t>(p)] = {};
        }
    }

private:
    // Marks every bird that is met on the sire's side or has an ancestor that is, in one pass
    // down the order.
    void markLeadsToSireSide(std::uint32_t mark)
    {
        for (std::size_t p = 0; p < static_cast<std::size_t>(m_ancestry.size); ++p) {
            if (m_sire[p].occurrences != 0.0
                || m_leadsToSireSide[static_cast<std::size_t>(m_ancestry.sire[p])] == mark
                || m_leadsToSireSide[static_cast<std::size_t>(m_ancestry.dam[p])] == mark)
                m_leadsToSireSide[p] = mark;
        }
    }

    void rankPair(const SideFigures &damFigures, kinship::pair_figures &figures)
    {
        Ranking ranking(figures, m_birds);
        const auto pairMark = ++m_pairMark;
        for (std::size_t w = 0; w < m_sireMet.size(); ++w) {
            for (std::uint64_t both = m_sireMet[w] & damFigures.met[w]; both != 0;
                 both &= both - 1) {
                const int p = static_cast<int>(w * 64) + std::countr_zero(both);
                const auto i = static_cast<std::size_t>(damFigures.rankOf(p));
                if (m_further.tally().occurrences(p) == 0) {
                    addContribution(
                        ranking, p, damFigures.bloodPerOccurrence[i], damFigures.occurrences[i]);
                    continue;
                }
                m_ranked[static_cast<std::size_t>(p)] = pairMark;
                const double dn = damFigures.occurrences[i] + m_further.tally().occurrences(p);
                addContribution(
                    ranking, p, (damFigures.blood[i] + m_further.tally().blood(p)) / dn, dn);
            }
        }
        for (const int p : m_further.tally().met()) {
            const bool common = m_sire[static_cast<std::size_t>(p)].occurrences != 0.0;
            if (!common || m_ranked[static_cast<std::size_t>(p)] == pairMark)
                continue;
            // Met only by the further walk.
            const double dn = m_further.tally().occurrences(p);
            addContribution(ranking, p, m_further.tally().blood(p) / dn, dn);
        }
    }

    void addContribution(
        Ranking &ranking, int p, double damBloodPerOccurrence, double damOccurrences)
    {
        const auto pu = static_cast<std::size_t>(p);
        const SireFigures &sire = m_sire[pu];
        const double contribution = sire.bloodPerOccurrence * damBloodPerOccurrence * 2.0
            * sire.occurrences * damOccurrences * sire.onePlusInbreeding;
        ranking.add(m_ancestry.bird[pu], contribution);
    }

    const Ancestry &m_ancestry;
    const Inbreeding &m_inbreeding;
    const std::vector<kinship::bird> &m_birds;
    SideWalker m_walker;
    FurtherWalk m_further;
    std::vector<SideWalk> m_hens;
    std::vector<SideFigures> m_henFigures;
    std::vector<TogetherRecord> m_together; // by hen
    // The sire's side of the cock being ranked by place, side by side for one read per bird.
    struct SireFigures
    {
        double bloodPerOccurrence = 0.0;
        double occurrences = 0.0; // 0 for a bird not met on the sire's side
        double onePlusInbreeding = 0.0;
    };
    std::vector<SireFigures> m_sire;
    std::vector<std::uint32_t> m_closeOnSire;
    std::vector<std::uint32_t> m_leadsToSireSide;
    std::vector<std::uint32_t> m_ranked;
    std::vector<std::uint64_t> m_sireMet; // the bits of the birds met on the sire's side
    std::uint32_t m_cockMark = 0;
    std::uint32_t m_pairMark = 0;
};

} // namespace

void kinship::reset()
{
    m_birds.clear();
    m_index.clear();
    m_message.clear();
}

int kinship::find(std::string_view band) const
{
    const auto found = m_index.find(std::string(untilZero(band)));
    return found == m_index.end() ? no_bird : found->second;
}

int kinship::add_bird(std::string_view band)
{
    const auto [at, added] = m_index.try_emplace(std::string(band), bird_count());
    if (added)
        m_birds.push_back(bird { std::string(band) });
    return at->second;
}

bool kinship::fail(const char *text)
{
    m_message = text;
    return false;
}

bool kinship::load_parent(std::string_view band, const char *too_long, int &parent)
{
    parent = no_bird;
    if (band.size() > static_cast<std::size_t>(band_length))
        return fail(too_long);
    if (!isMissing(band))
        parent = add_bird(band);
    return true;
}

bool kinship::load_record(
    std::string_view identification, std::string_view sire, std::string_view dam)
{
    identification = untilZero(identification);
    m_message.clear();
    if (identification.size() > static_cast<std::size_t>(band_length))
        return fail("Band length to long RECORD SKIPPED");
    if (isMissing(identification))
        return fail("Missing Band No or band = \".\" or \"0\" Record Skipped.");
    const int child = add_bird(identification);
    int sireBird = no_bird;
    if (!load_parent(untilZero(sire), "Sire's Band length to long SIRE SKIPPED.", sireBird))
        return false;
    int damBird = no_bird;
    if (!load_parent(untilZero(dam), "Dam's Band length to long DAM SKIPPED.", damBird))
        return false;

    bird &b = m_birds[static_cast<std::size_t>(child)];
    if (b.row_loaded)
        return b.sire == sireBird && b.dam == damBird ? true
                                                      : fail("Conflicting parents on this bird");
    b.row_loaded = true;
    b.sire = sireBird;
    b.dam = damBird;
    int bothSexes = 0;
    const auto infer = [&](int parent, char sex) {
        if (parent == no_bird)
            return;
        char &known = m_birds[static_cast<std::size_t>(parent)].sex;
        if (known == '?')
            known = sex;
        if (known != sex) {
            known = 'b';
            ++bothSexes;
        }
    };
    infer(sireBird, 'm');
    infer(damBird, 'f');
    if (bothSexes > 0)
        return fail("Sire or Dam appears as both sexes in the pedigree input.");
    return true;
}

kinship::plan kinship::plan_pairs(
    const std::vector<int> &cocks, const std::vector<int> &hens, bool rank_ancestors) const
{
    std::vector<int> candidates(cocks);
    candidates.insert(candidates.end(), hens.begin(), hens.end());
    const Ancestry ancestry = orderAncestry(m_birds, candidates);
    const auto placeOf = [&](int b) { return ancestry.placeOf[static_cast<std::size_t>(b)]; };

    plan result;
    for (const int c : candidates) {
        const bool listed
            = std::find(result.looped.begin(), result.looped.end(), c) != result.looped.end();
        if (placeOf(c) < 0 && !listed)
            result.looped.push_back(c);
    }
    std::copy_if(cocks.begin(), cocks.end(), std::back_inserter(result.cocks),
        [&](int c) { return placeOf(c) >= 0; });
    std::copy_if(hens.begin(), hens.end(), std::back_inserter(result.hens),
        [&](int h) { return placeOf(h) >= 0; });
    const std::size_t henCount = result.hens.size();
    result.pairs.resize(result.cocks.size() * henCount);
    if (result.pairs.empty())
        return result;

    const Inbreeding inbreeding = computeInbreeding(ancestry);
    RelationshipColumns columns(ancestry);
    int lastCock = 0;
    for (const int c : result.cocks)
        lastCock = std::max(lastCock, placeOf(c));
    std::vector<int> batch;
    for (std::size_t first = 0; first < henCount; first += RelationshipColumns::lanes) {
        const std::size_t end = std::min(henCount, first + RelationshipColumns::lanes);
        batch.clear();
        for (std::size_t h = first; h < end; ++h)
            batch.push_back(placeOf(result.hens[h]));
        columns.compute(batch, inbreeding.variance, lastCock);
        for (std::size_t c = 0; c < result.cocks.size(); ++c)
            for (std::size_t h = first; h < end; ++h)
                result.pairs[c * henCount + h].inbreeding
                    = 0.5 * columns.value(placeOf(result.cocks[c]), h - first);
    }

    if (!rank_ancestors)
        return result;
    PairRanker ranker(ancestry, inbreeding, m_birds);
    for (const int h : result.hens)
        ranker.addHen(placeOf(h));
    for (std::size_t c = 0; c < result.cocks.size(); ++c)
        ranker.rankCock(placeOf(result.cocks[c]),
            [&](std::size_t h) -> pair_figures & { return result.pairs[c * henCount + h]; });
    return result;
}
