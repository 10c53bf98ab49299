#include "kinship.h"

#include "inbreed.h"
#include "inbreeding_shares.h"
#include "pedigree_row_check.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cassert>
#include <exception>
#include <iterator>
#include <limits>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

static_assert(kinship::band_length == pedigree_row::band_length);

namespace {

// The ancestors of a youngster met no closer than this generation are not walked; generation 1 is
// the youngster, 2 its parents.
constexpr int walk_stop_generation = 11;

// Occurrences beyond this generation carry no blood.
constexpr int last_counted_generation = 20;

// The pairs of birds the exact shares of a plan's young may visit, about a second's work,
// spread evenly over the pairs that need them, and the least and the most one pair may visit
// (a brother x sister line takes about eight a generation).
constexpr std::size_t shareVisits = 50'000'000;
constexpr std::size_t leastShareVisits = 1'000;
constexpr std::size_t mostShareVisits = 5'000'000;

// The ranking of a pairing's common ancestors reads each side's birds by weight; so many of them
// are put in order beforehand, the rest only kept behind.
constexpr std::size_t ordered_by_weight = 192;

// A text ends at its first zero byte, as the stored bands do.
std::string_view untilZero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

// The threads that share out `count` pieces of work: as many as the machine runs at once, at
// most eight (each keeps scratch as large as the ancestry), never more than the pieces.
std::size_t workersFor(std::size_t count)
{
    constexpr std::size_t most = 8;
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<std::size_t>(1, std::min({ cores, most, count }));
}

// Counts the units of work a plan has done for the caller's progress callback, which may stop
// the plan. Without a callback nothing is counted and the plan never stops.
class Progress
{
public:
    Progress(const kinship::plan_progress &report, std::size_t total)
        : m_report(report), m_total(total)
    { }

    // Adds `units` done, called from any thread; the callback is called one call at a time.
    void advance(std::size_t units)
    {
        if (!m_report)
            return;
        const std::lock_guard lock(m_lock);
        if (m_stopped)
            return;
        m_done += units;
        if (!m_report(m_done, m_total))
            m_stopped = true;
    }

    bool stopped() const { return m_stopped; }

private:
    const kinship::plan_progress &m_report;
    const std::size_t m_total;
    std::size_t m_done = 0;
    std::mutex m_lock;
    std::atomic<bool> m_stopped { false };
};

// Runs work(worker, piece) for every piece below `count` on workersFor(count) threads, the
// calling thread among them, each taking the next piece left, until `progress` is stopped.
// `worker` numbers the thread from 0, so that each can keep its own scratch. Fewer threads run if
// the system will not start more. The first exception a piece throws is thrown again here once
// every thread has stopped.
template <typename Work> void shareOut(std::size_t count, const Progress &progress, Work work)
{
    std::atomic<std::size_t> next { 0 };
    std::atomic<bool> failed { false };
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto run = [&](std::size_t worker) {
        try {
            for (std::size_t piece = next++; piece < count && !failed && !progress.stopped();
                 piece = next++)
                work(worker, piece);
        } catch (...) {
            const std::lock_guard lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            failed = true;
        }
    };
    std::vector<std::thread> threads;
    for (std::size_t worker = 1; worker < workersFor(count); ++worker) {
        try {
            threads.emplace_back(run, worker);
        } catch (const std::system_error &) {
            break;
        }
    }
    run(0);
    for (std::thread &thread : threads)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
}

// Scratch kept by each worker of shareOut, made by the worker itself when it first needs it. It
// has room for the most workers any sharing may start, since one scratch may serve sharings of
// different counts.
template <typename Scratch> class WorkerScratch
{
public:
    WorkerScratch() : m_scratch(workersFor(std::numeric_limits<std::size_t>::max())) { }

    template <typename... Arguments> Scratch &of(std::size_t worker, Arguments &&...arguments)
    {
        auto &scratch = m_scratch[worker];
        if (!scratch)
            scratch = std::make_unique<Scratch>(std::forward<Arguments>(arguments)...);
        return *scratch;
    }

private:
    std::vector<std::unique_ptr<Scratch>> m_scratch;
};

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

// The two sweeps of the relationship columns, `lanes` values per bird side by side. On x86-64 a
// second copy of each uses the wider vector instructions where the processor has them; both
// copies add and multiply alike, so the figures do not depend on the copy.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ZAN_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define ZAN_WIDE_VECTORS
#endif

constexpr std::size_t columnLanes = 32;

// Up the order from `top`: each bird's values go half to each parent, then are scaled by d.
ZAN_WIDE_VECTORS void sweepUp(
    double *values, const int *sires, const int *dams, const double *variance, std::size_t top)
{
    for (std::size_t k = top + 1; k-- > 0;) {
        double *row = values + k * columnLanes;
        double *sire = values + static_cast<std::size_t>(sires[k]) * columnLanes;
        double *dam = values + static_cast<std::size_t>(dams[k]) * columnLanes;
        const double d = variance[k];
        for (std::size_t j = 0; j < columnLanes; ++j) {
            const double half = 0.5 * row[j];
            sire[j] += half;
            dam[j] += half;
            row[j] *= d;
        }
    }
}

// Down the order to `end`: each bird gains half of each parent's values.
ZAN_WIDE_VECTORS void sweepDown(double *values, const int *sires, const int *dams, std::size_t end)
{
    for (std::size_t k = 0; k < end; ++k) {
        double *row = values + k * columnLanes;
        const double *sire = values + static_cast<std::size_t>(sires[k]) * columnLanes;
        const double *dam = values + static_cast<std::size_t>(dams[k]) * columnLanes;
        for (std::size_t j = 0; j < columnLanes; ++j)
            row[j] += 0.5 * (sire[j] + dam[j]);
    }
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
    static constexpr std::size_t lanes = columnLanes;

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
        sweepUp(
            m_values.data(), m_ancestry.sire.data(), m_ancestry.dam.data(), variance.data(), top);
        std::fill(m_values.begin() + static_cast<std::ptrdiff_t>(n * lanes), m_values.end(), 0.0);
        sweepDown(m_values.data(), m_ancestry.sire.data(), m_ancestry.dam.data(), end);
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

bool hasBothParents(const Ancestry &a, std::size_t place)
{
    return a.sire[place] != a.size && a.dam[place] != a.size;
}

// The birds whose inbreeding takes work: those with both parents known, a unit each.
std::size_t inbreedingUnits(const Ancestry &a)
{
    std::size_t units = 0;
    for (std::size_t p = 0; p < static_cast<std::size_t>(a.size); ++p)
        units += hasBothParents(a, p) ? 1 : 0;
    return units;
}

Inbreeding computeInbreeding(
    const Ancestry &a, WorkerScratch<RelationshipColumns> &columns, Progress &progress)
{
    const auto n = static_cast<std::size_t>(a.size);
    Inbreeding result;
    result.f.assign(n + 1, 0.0);
    result.variance.assign(n + 1, 0.0);
    const int deepest = a.size == 0 ? 0 : *std::max_element(a.depth.begin(), a.depth.end());
    std::vector<std::vector<int>> byDepth(static_cast<std::size_t>(deepest) + 1);
    for (std::size_t p = 0; p < n; ++p)
        byDepth[static_cast<std::size_t>(a.depth[p])].push_back(static_cast<int>(p));

    // A batch: the young from `first` to `end` in `young`, by at most `lanes` sires.
    struct Batch
    {
        std::size_t first;
        std::size_t end;
        std::vector<int> sires;
        int lastDam;
    };
    std::vector<int> young; // birds of one depth with both parents known, by sire
    std::vector<Batch> batches;
    for (const std::vector<int> &birds : byDepth) {
        young.clear();
        for (const int p : birds)
            if (hasBothParents(a, static_cast<std::size_t>(p)))
                young.push_back(p);
        std::sort(young.begin(), young.end(), [&](int x, int y) {
            return a.sire[static_cast<std::size_t>(x)] < a.sire[static_cast<std::size_t>(y)];
        });
        batches.clear();
        for (std::size_t first = 0; first < young.size();) {
            Batch batch { first, first, {}, 0 };
            for (; batch.end < young.size(); ++batch.end) {
                const auto y = static_cast<std::size_t>(young[batch.end]);
                if (batch.sires.empty() || batch.sires.back() != a.sire[y]) {
                    if (batch.sires.size() == RelationshipColumns::lanes)
                        break;
                    batch.sires.push_back(a.sire[y]);
                }
                batch.lastDam = std::max(batch.lastDam, a.dam[y]);
            }
            first = batch.end;
            batches.push_back(std::move(batch));
        }
        shareOut(batches.size(), progress, [&](std::size_t worker, std::size_t b) {
            const Batch &batch = batches[b];
            RelationshipColumns &lanes = columns.of(worker, a);
            lanes.compute(batch.sires, result.variance, batch.lastDam);
            std::size_t lane = 0;
            for (std::size_t i = batch.first; i < batch.end; ++i) {
                const auto y = static_cast<std::size_t>(young[i]);
                if (batch.sires[lane] != a.sire[y])
                    ++lane;
                result.f[y] = 0.5 * lanes.value(a.dam[y], lane);
            }
            progress.advance(batch.end - batch.first);
        });
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

// The blood one occurrence carries at each generation, as the analysis counts it.
const std::array<double, last_counted_generation + 1> generationWeights = [] {
    std::array<double, last_counted_generation + 1> weights {};
    for (std::size_t g = 0; g < weights.size(); ++g)
        weights[g] = inbreed::generation_weight(static_cast<int>(g));
    return weights;
}();

// Blood and occurrences gathered per bird over the ordered birds, with the list of birds met.
class Tally
{
public:
    explicit Tally(int size) : m_counts(static_cast<std::size_t>(size)) { }

    void record(int p, int generation, long long paths)
    {
        const double weight = generationWeights[static_cast<std::size_t>(generation)];
        add(p, paths == 1 ? weight : static_cast<double>(paths) * weight,
            static_cast<double>(paths));
    }

    void add(int p, double blood, double occurrences)
    {
        Counts &counts = m_counts[static_cast<std::size_t>(p)];
        if (counts.occurrences == 0.0)
            m_met.push_back(p);
        counts.occurrences += occurrences;
        counts.blood += blood;
    }

    double blood(int p) const { return m_counts[static_cast<std::size_t>(p)].blood; }
    double occurrences(int p) const { return m_counts[static_cast<std::size_t>(p)].occurrences; }
    const std::vector<int> &met() const { return m_met; }

    void clear()
    {
        for (const int p : m_met)
            m_counts[static_cast<std::size_t>(p)] = {};
        m_met.clear();
    }

private:
    struct Counts
    {
        double blood = 0.0;
        double occurrences = 0.0;
    };
    std::vector<Counts> m_counts; // by place
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

// The bits set in a word, added up in halves without a table or a library call.
int bitsSet(std::uint64_t word)
{
    word = word - ((word >> 1) & 0x5555555555555555u);
    word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
    word = (word + (word >> 4)) & 0x0f0f0f0f0f0f0f0fu;
    return static_cast<int>((word * 0x0101010101010101u) >> 56);
}

std::size_t bitWords(int size)
{
    return (static_cast<std::size_t>(size) + 63) / 64;
}

// A set of ordered birds, a bit per place: quick to test, and met with another set word by word.
class PlaceSet
{
public:
    explicit PlaceSet(int size = 0) : m_words(bitWords(size), 0) { }

    void add(int p) { m_words[word(p)] |= bit(p); }
    void remove(int p) { m_words[word(p)] &= ~bit(p); }
    bool has(int p) const { return (m_words[word(p)] & bit(p)) != 0; }
    const std::vector<std::uint64_t> &words() const { return m_words; }

    static std::size_t word(int p) { return static_cast<std::size_t>(p) / 64; }
    static std::uint64_t bit(int p)
    {
        return std::uint64_t { 1 } << (static_cast<unsigned>(p) % 64);
    }

private:
    std::vector<std::uint64_t> m_words;
};

// The places two sets share, counted word by word. On x86-64 a second copy of the loop uses the
// processor's bit count where it has one; elsewhere, or without it, the count is the library's.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("popcnt", "default")))
#endif
int sharedCount(const std::vector<std::uint64_t> &a, const std::vector<std::uint64_t> &b,
    std::size_t first, std::size_t end)
{
    int count = 0;
    for (std::size_t w = first; w < end; ++w)
        count += std::popcount(a[w] & b[w]);
    return count;
}

// The words of a set that hold its members: from the first such word to past the last.
struct WordRange
{
    std::size_t first = 0;
    std::size_t end = 0;

    static WordRange of(const std::vector<int> &places)
    {
        if (places.empty())
            return {};
        const auto [low, high] = std::minmax_element(places.begin(), places.end());
        return { PlaceSet::word(*low), PlaceSet::word(*high) + 1 };
    }

    WordRange overlap(WordRange other) const
    {
        const std::size_t from = std::max(first, other.first);
        return { from, std::max(from, std::min(end, other.end)) };
    }
};

// Orders a list by `before` in its first places only, up to `most`: those hold the list's first
// elements in order, and no element after them comes before the last of them. Returns the place
// of that last one. The ranking seldom reads further.
template <typename T, typename Before>
std::size_t orderFirst(std::vector<T> &list, std::size_t most, Before before)
{
    if (list.empty())
        return 0;
    const std::size_t last = std::min(most, list.size()) - 1;
    std::nth_element(
        list.begin(), list.begin() + static_cast<std::ptrdiff_t>(last), list.end(), before);
    std::sort(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(last), before);
    return last;
}

// The sire's side of every pairing of one cock: the birds met, with the figures the contribution
// reads (blood per occurrence and occurrences, so that each contribution is computed in the
// analysis' own order: (sire blood / sire occurrences) (dam blood / dam occurrences) 2
// (sire occurrences) (dam occurrences) (1 + F)), the birds met close, and the birds from which
// some bird met can be reached going up.
struct SireSide
{
    struct Weighted
    {
        double weight; // 2 blood (1 + F): the contribution per blood on the dam's side
        int place;
        int rank; // among the birds met, in the order of their places
    };

    // Each set holds place `size`, the unknown parent, never.
    PlaceSet met;
    WordRange metWords;
    std::vector<int> metBefore; // members in the words before, by word
    PlaceSet close;
    WordRange closeWords;
    PlaceSet leadsTo; // met, or with an ancestor met
    struct Figures
    {
        double bloodPerOccurrence;
        double occurrences;
        double onePlusInbreeding;
    };
    std::vector<Figures> figures; // by rank
    // The largest weight first, up to place `lastOrdered`; none after it weighs more than it.
    std::vector<Weighted> byWeight;
    std::size_t lastOrdered = 0;

    // No bird from place `i` of byWeight on weighs more than this.
    double weightFrom(std::size_t i) const { return byWeight[std::min(i, lastOrdered)].weight; }

    int rankOf(int p) const
    {
        const auto w = PlaceSet::word(p);
        return metBefore[w] + bitsSet(met.words()[w] & (PlaceSet::bit(p) - 1));
    }
};

SireSide sireSide(const SideWalk &walk, const Ancestry &a, const Inbreeding &inbreeding)
{
    SireSide side;
    side.met = PlaceSet(a.size + 1);
    side.metWords = WordRange::of(walk.place);
    side.close = PlaceSet(a.size + 1);
    side.leadsTo = PlaceSet(a.size + 1);
    for (const int p : walk.place)
        side.met.add(p);
    side.metBefore.resize(side.met.words().size());
    int before = 0;
    for (std::size_t w = 0; w < side.met.words().size(); ++w) {
        side.metBefore[w] = before;
        before += std::popcount(side.met.words()[w]);
    }
    const std::size_t count = walk.place.size();
    side.figures.resize(count);
    side.byWeight.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int p = walk.place[i];
        const int rank = side.rankOf(p);
        const auto r = static_cast<std::size_t>(rank);
        const double onePlusF = 1.0 + inbreeding.f[static_cast<std::size_t>(p)];
        side.figures[r] = { walk.blood[i] / walk.occurrences[i], walk.occurrences[i], onePlusF };
        side.byWeight[i] = { 2.0 * walk.blood[i] * onePlusF, p, rank };
    }
    side.lastOrdered = orderFirst(side.byWeight, ordered_by_weight,
        [](const SireSide::Weighted &x, const SireSide::Weighted &y) {
            return x.weight > y.weight;
        });
    for (const int p : walk.metClose)
        side.close.add(p);
    side.closeWords = WordRange::of(walk.metClose);
    // Parents come before their young, so one pass down the order marks every bird that leads up
    // to a bird met, a byte per bird while it goes.
    std::vector<unsigned char> leads(static_cast<std::size_t>(a.size) + 1, 0);
    for (auto p = side.metWords.first * 64; p < static_cast<std::size_t>(a.size); ++p) {
        const int place = static_cast<int>(p);
        leads[p] = static_cast<unsigned char>(side.met.has(place)
            | leads[static_cast<std::size_t>(a.sire[p])]
            | leads[static_cast<std::size_t>(a.dam[p])]);
        if (leads[p] != 0)
            side.leadsTo.add(place);
    }
    return side;
}

// The dam's side of the pairings of one hen, spread over the ordered birds: blood and
// occurrences by place, the rank of each bird met close in the order it was met, and the stops
// of the walk grouped by bird.
class DamSide
{
public:
    static constexpr int not_close = std::numeric_limits<int>::max();

    // The stops of the walk at one bird. The first step up from them gives each known parent the
    // same blood and occurrences; `damGoesOn` tells whether the walk from some of them goes on
    // from a parent for the birds the dam's side had met close by their time.
    struct StopsAt
    {
        int place;
        std::size_t first; // the stops, grouped by bird
        std::size_t end;
        double parentBlood;
        double parentOccurrences;
        bool damGoesOn;
    };

    explicit DamSide(const Ancestry &a)
        : m_ancestry(a), m_figures(static_cast<std::size_t>(a.size)),
          m_stopsIndex(static_cast<std::size_t>(a.size), 0), m_met(a.size), m_stopPlaces(a.size)
    { }

    void load(SideWalk walk)
    {
        m_walk = std::move(walk);
        for (std::size_t i = 0; i < m_walk.place.size(); ++i) {
            Figures &figures = m_figures[static_cast<std::size_t>(m_walk.place[i])];
            figures.blood = m_walk.blood[i];
            figures.occurrences = m_walk.occurrences[i];
            figures.bloodPerOccurrence = m_walk.blood[i] / m_walk.occurrences[i];
            m_met.add(m_walk.place[i]);
        }
        m_byBlood = m_walk.place;
        m_lastByBlood = orderFirst(
            m_byBlood, ordered_by_weight, [&](int x, int y) { return blood(x) > blood(y); });
        m_metWords = WordRange::of(m_walk.place);
        for (std::size_t i = 0; i < m_walk.metClose.size(); ++i)
            m_figures[static_cast<std::size_t>(m_walk.metClose[i])].closeRank = static_cast<int>(i);
        gatherStops();
    }

    void clear()
    {
        for (const int p : m_walk.place) {
            m_figures[static_cast<std::size_t>(p)] = {};
            m_met.remove(p);
        }
        for (const StopsAt &at : m_stopsAt)
            m_stopPlaces.remove(at.place);
    }

    double blood(int p) const { return m_figures[static_cast<std::size_t>(p)].blood; }
    double bloodPerOccurrence(int p) const
    {
        return m_figures[static_cast<std::size_t>(p)].bloodPerOccurrence;
    }
    double occurrences(int p) const { return m_figures[static_cast<std::size_t>(p)].occurrences; }
    // The birds met, the most blood first up to a place; none after it has more blood than it.
    const std::vector<int> &byBlood() const { return m_byBlood; }
    // No bird from place `j` of byBlood on has more blood than this.
    double bloodFrom(std::size_t j) const { return blood(m_byBlood[std::min(j, m_lastByBlood)]); }
    int closeRank(int p) const { return m_figures[static_cast<std::size_t>(p)].closeRank; }
    const PlaceSet &met() const { return m_met; }
    WordRange metWords() const { return m_metWords; }
    const Stop &stop(std::size_t i) const { return m_walk.stops[i]; }

    // Calls stopped(stopsAt) for the stops at every bird of `close`, whose members lie in the
    // words `closeWords`.
    template <typename Stopped>
    void stopsAt(const PlaceSet &close, WordRange closeWords, Stopped stopped) const
    {
        const auto &stops = m_stopPlaces.words();
        const WordRange both = m_stopWords.overlap(closeWords);
        for (std::size_t w = both.first; w < both.end; ++w) {
            for (std::uint64_t both = stops[w] & close.words()[w]; both != 0; both &= both - 1) {
                const auto p = w * 64 + static_cast<std::size_t>(std::countr_zero(both));
                stopped(m_stopsAt[static_cast<std::size_t>(m_stopsIndex[p])]);
            }
        }
    }

private:
    // Groups the stops by bird, the birds in the order their first stop was made.
    void gatherStops()
    {
        m_stopsAt.clear();
        std::vector<int> places;
        for (const Stop &stop : m_walk.stops) {
            const auto pu = static_cast<std::size_t>(stop.place);
            if (!m_stopPlaces.has(stop.place)) {
                m_stopPlaces.add(stop.place);
                m_stopsIndex[pu] = static_cast<int>(m_stopsAt.size());
                m_stopsAt.push_back({ stop.place, 0, 0, 0.0, 0.0, false });
                places.push_back(stop.place);
            }
            StopsAt &at = m_stopsAt[static_cast<std::size_t>(m_stopsIndex[pu])];
            ++at.end;
            const auto paths = static_cast<double>(stop.paths);
            at.parentBlood
                += paths * generationWeights[static_cast<std::size_t>(stop.generation) + 1];
            at.parentOccurrences += paths;
        }
        std::size_t first = 0;
        for (StopsAt &at : m_stopsAt) {
            at.first = first;
            first += at.end;
            at.end = at.first;
        }
        std::vector<Stop> grouped(m_walk.stops.size());
        for (const Stop &stop : m_walk.stops) {
            StopsAt &at = m_stopsAt[static_cast<std::size_t>(
                m_stopsIndex[static_cast<std::size_t>(stop.place)])];
            grouped[at.end++] = stop;
        }
        m_walk.stops = std::move(grouped);
        for (StopsAt &at : m_stopsAt) {
            int mostClose = 0;
            for (std::size_t i = at.first; i < at.end; ++i)
                mostClose = std::max(mostClose, m_walk.stops[i].closeCount);
            const auto pu = static_cast<std::size_t>(at.place);
            for (const int parent : { m_ancestry.sire[pu], m_ancestry.dam[pu] })
                at.damGoesOn
                    = at.damGoesOn || (parent != m_ancestry.size && closeRank(parent) < mostClose);
        }
        m_stopWords = WordRange::of(places);
    }

    // A bird's figures on the dam's side, 0 for a bird not met.
    struct Figures
    {
        double blood = 0.0;
        double bloodPerOccurrence = 0.0;
        double occurrences = 0.0;
        int closeRank = not_close; // among the birds met close, in the order they were met
    };

    const Ancestry &m_ancestry;
    std::vector<Figures> m_figures; // by place
    std::vector<int> m_stopsIndex; // by place, for places with stops
    PlaceSet m_met;
    PlaceSet m_stopPlaces;
    WordRange m_metWords;
    WordRange m_stopWords;
    SideWalk m_walk;
    std::vector<StopsAt> m_stopsAt;
    std::vector<int> m_byBlood;
    std::size_t m_lastByBlood = 0;
};

// The dam's side of one pairing beyond the hen's walk alone. The sire's side is walked first, so
// every bird it met close counts as close on the dam's side too: at each stop of the dam's walk
// at such a bird the youngster's walk goes on. Those further visits are walked here, each going on
// from the birds close on the sire's side and the birds the dam's side had met close by the time
// of its stop, and their blood and occurrences kept apart. Only the blood of birds met on both
// sides counts, so the walk leaves out every bird from which no bird of the sire's side can be
// reached.
//
// Most stops at such a bird end at its parents, which are close on neither side: those are given
// their blood at once. The others are walked generation by generation; the visits of one bird at
// one generation from stops with the same birds close by their time are counted together as
// paths instead of being repeated, so a line bred back to the same birds costs birds per
// generation, not paths.
class FurtherWalk
{
public:
    explicit FurtherWalk(const Ancestry &a)
        : m_ancestry(a), m_tally(a.size), m_round(static_cast<std::size_t>(a.size), 0),
          m_latest(static_cast<std::size_t>(a.size), 0)
    { }

    void walk(const SireSide &sire, const DamSide &dam)
    {
        for (int g = m_firstStop; g <= m_lastStop; ++g)
            m_stops[static_cast<std::size_t>(g)].clear();
        m_firstStop = last_counted_generation;
        m_lastStop = 0;
        m_endsAtParents.clear();
        dam.stopsAt(sire.close, sire.closeWords, [&](const DamSide::StopsAt &at) {
            const auto pu = static_cast<std::size_t>(at.place);
            if (!at.damGoesOn && !sire.close.has(m_ancestry.sire[pu])
                && !sire.close.has(m_ancestry.dam[pu])) {
                m_endsAtParents.push_back(&at);
                return;
            }
            for (std::size_t i = at.first; i < at.end; ++i) {
                const Stop &stop = dam.stop(i);
                m_stops[static_cast<std::size_t>(stop.generation)].push_back(&stop);
                m_firstStop = std::min(m_firstStop, stop.generation);
                m_lastStop = std::max(m_lastStop, stop.generation);
            }
        });
        if (m_lastStop > 0) {
            m_dividing.clear();
            while (!walkStops(sire, dam))
                m_tally.clear();
        }
        for (const DamSide::StopsAt *at : m_endsAtParents) {
            const auto pu = static_cast<std::size_t>(at->place);
            for (const int parent : { m_ancestry.sire[pu], m_ancestry.dam[pu] })
                if (sire.met.has(parent))
                    m_tally.add(parent, at->parentBlood, at->parentOccurrences);
        }
    }

    const Tally &tally() const { return m_tally; }
    void clear() { m_tally.clear(); }

private:
    // The paths reaching a bird at one generation from stops of one class, and the fewest and
    // most birds met close by the time of those stops.
    struct Visit
    {
        int place;
        int stopClass;
        int fewestClose;
        int mostClose;
        long long paths;
        int sameBird = -1; // another visit of the bird at this generation, or -1
    };

    // Which birds the walk goes on from depends on the time of each stop, through the birds the
    // dam's side had met close by then. The stops are divided into classes by the dividing
    // birds: the birds met close at which that made a difference, found as the walk goes. The
    // stops of one class had met the same dividing birds close; the class is their count.
    int stopClass(int closeCount) const
    {
        return static_cast<int>(std::lower_bound(m_dividing.begin(), m_dividing.end(), closeCount)
            - m_dividing.begin());
    }

    // Walks on from the stops generation by generation, the visits of one bird from one class
    // together. At a bird where the stops of a class differ, the bird becomes dividing and the
    // walk gives up, returning false, to be walked again.
    bool walkStops(const SireSide &sire, const DamSide &dam)
    {
        m_current.clear();
        for (int generation = m_firstStop + 1; generation <= last_counted_generation;
             ++generation) {
            if (m_current.empty() && generation > m_lastStop + 1)
                break;
            m_next.clear();
            ++m_currentRound;
            for (const Visit &visit : m_current) {
                const int rank = dam.closeRank(visit.place);
                if (rank < visit.fewestClose || sire.close.has(visit.place)) {
                    addParents(visit, generation, sire, dam);
                    continue;
                }
                if (rank >= visit.mostClose || !leadsOn(visit.place, sire))
                    continue;
                m_dividing.insert(
                    std::upper_bound(m_dividing.begin(), m_dividing.end(), rank), rank);
                return false;
            }
            for (const Stop *stop : m_stops[static_cast<std::size_t>(generation - 1)]) {
                addParents({ stop->place, stopClass(stop->closeCount), stop->closeCount,
                               stop->closeCount, stop->paths },
                    generation, sire, dam);
            }
            std::swap(m_current, m_next);
        }
        return true;
    }

    // True when a parent of the bird leads to the sire's side.
    bool leadsOn(int p, const SireSide &sire) const
    {
        const auto pu = static_cast<std::size_t>(p);
        return sire.leadsTo.has(m_ancestry.sire[pu]) || sire.leadsTo.has(m_ancestry.dam[pu]);
    }

    // Records the visits of the bird's parents at `generation` and keeps those the walk may go on
    // from for the next generation.
    void addParents(const Visit &visit, int generation, const SireSide &sire, const DamSide &dam)
    {
        const auto pu = static_cast<std::size_t>(visit.place);
        for (const int parent : { m_ancestry.sire[pu], m_ancestry.dam[pu] }) {
            if (!sire.leadsTo.has(parent))
                continue;
            if (sire.met.has(parent))
                m_tally.record(parent, generation, visit.paths);
            const bool endsHere = generation == last_counted_generation
                || (!sire.close.has(parent)
                    && (dam.closeRank(parent) >= visit.mostClose || !leadsOn(parent, sire)));
            if (!endsHere)
                add(parent, visit);
        }
    }

    void add(int p, const Visit &visit)
    {
        const auto pu = static_cast<std::size_t>(p);
        int same = -1;
        if (m_round[pu] == m_currentRound) {
            same = m_latest[pu];
            for (int v = same; v >= 0; v = m_next[static_cast<std::size_t>(v)].sameBird) {
                Visit &known = m_next[static_cast<std::size_t>(v)];
                if (known.stopClass == visit.stopClass) {
                    known.paths += visit.paths;
                    known.fewestClose = std::min(known.fewestClose, visit.fewestClose);
                    known.mostClose = std::max(known.mostClose, visit.mostClose);
                    return;
                }
            }
        }
        m_round[pu] = m_currentRound;
        m_latest[pu] = static_cast<int>(m_next.size());
        m_next.push_back(visit);
        m_next.back().place = p;
        m_next.back().sameBird = same;
    }

    const Ancestry &m_ancestry;
    Tally m_tally;
    std::array<std::vector<const Stop *>, last_counted_generation + 1> m_stops; // by generation
    std::vector<Visit> m_current; // the visits of one generation
    std::vector<Visit> m_next; // of the generation after it
    std::vector<std::uint32_t> m_round; // by place: the round of the bird's latest visit
    std::vector<int> m_latest; // by place: that visit
    std::uint32_t m_currentRound = 0;
    std::vector<int> m_dividing; // the dividing birds' ranks among the birds met close, rising
    int m_firstStop = 0; // the generations of the stops walked
    int m_lastStop = 0;
    // Stops whose walk ends at the parents, which are not close on either side.
    std::vector<const DamSide::StopsAt *> m_endsAtParents;
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
        if (contribution < smallestKept())
            return;
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

    // The smallest contribution still kept once all places are taken, else 0.
    double smallestKept() const
    {
        return m_kept < kinship::ranked_ancestors ? 0.0 : m_figures.ranked.back().contribution;
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

// Ranks the common ancestors of hens with every cock, one hen at a time: each cock's side is
// prepared once and shared, each hen's side spread over the ordered birds while her pairings are
// ranked.
class PairRanker
{
public:
    PairRanker(const Ancestry &a, const std::vector<kinship::bird> &birds,
        const std::vector<SireSide> &cocks)
        : m_ancestry(a), m_birds(birds), m_cocks(cocks), m_walker(a), m_dam(a), m_further(a),
          m_ranked(static_cast<std::size_t>(a.size), 0)
    { }

    // Ranks the hen at `place` with every cock; figures(c) receives the cock c's pairing. Kept out
    // of line: inlined into the worker's loop the whole ranking runs a tenth slower.
    template <typename Figures> [[gnu::noinline]] void rankHen(int place, Figures figures)
    {
        m_dam.load(m_walker.walk(place));
        for (std::size_t c = 0; c < m_cocks.size(); ++c) {
            m_further.walk(m_cocks[c], m_dam);
            rankPair(m_cocks[c], figures(c));
            m_further.clear();
        }
        m_dam.clear();
    }

private:
    // The birds met on both sides, taken in turn from the sire's side by weight and from the
    // dam's by blood in her walk alone, until no bird left can come up to the third contribution
    // kept: a bird's contribution is its weight times its blood on the dam's side, and a bird not
    // yet taken has no more weight than the next on the sire's side and, unless the further walk
    // met it, no more blood than the next on the dam's. The birds the further walk met are
    // looked at last. The common ancestors are counted word by word.
    void rankPair(const SireSide &sire, kinship::pair_figures &figures)
    {
        Ranking ranking(figures, m_birds);
        const WordRange both = sire.metWords.overlap(m_dam.metWords());
        int common = sharedCount(sire.met.words(), m_dam.met().words(), both.first, both.end);
        const auto mark = ++m_pairMark;
        const Tally &further = m_further.tally();
        const auto take = [&](int p, int rank) {
            m_ranked[static_cast<std::size_t>(p)] = mark;
            const double occurrences = further.occurrences(p);
            if (occurrences == 0.0) {
                add(ranking, sire, rank, p, m_dam.bloodPerOccurrence(p), m_dam.occurrences(p));
                return;
            }
            const double all = m_dam.occurrences(p) + occurrences;
            add(ranking, sire, rank, p, (m_dam.blood(p) + further.blood(p)) / all, all);
        };
        const auto &bySire = sire.byWeight;
        const auto &byDam = m_dam.byBlood();
        std::size_t i = 0;
        for (std::size_t j = 0; i < bySire.size() && j < byDam.size(); ++i, ++j) {
            // Allows for rounding between the weight times the blood and the contribution.
            const double most = sire.weightFrom(i) * m_dam.bloodFrom(j) * (1.0 + 1e-9);
            if (most < ranking.smallestKept())
                break;
            const int p = bySire[i].place;
            const bool met = m_dam.met().has(p) || further.occurrences(p) != 0.0;
            if (met && m_ranked[static_cast<std::size_t>(p)] != mark)
                take(p, bySire[i].rank);
            const int q = byDam[j];
            if (sire.met.has(q) && m_ranked[static_cast<std::size_t>(q)] != mark)
                take(q, sire.rankOf(q));
        }
        const double weightLeft = i < bySire.size() ? sire.weightFrom(i) * (1.0 + 1e-9) : 0.0;
        for (const int p : further.met()) {
            common += m_dam.occurrences(p) == 0.0 ? 1 : 0;
            if (m_ranked[static_cast<std::size_t>(p)] == mark)
                continue;
            if (weightLeft * (m_dam.blood(p) + further.blood(p)) >= ranking.smallestKept())
                take(p, sire.rankOf(p));
        }
        figures.common_ancestors = common;
    }

    void add(Ranking &ranking, const SireSide &sire, int rank, int p, double damBloodPerOccurrence,
        double damOccurrences)
    {
        const auto r = static_cast<std::size_t>(rank);
        const SireSide::Figures &figures = sire.figures[r];
        const double contribution = figures.bloodPerOccurrence * damBloodPerOccurrence * 2.0
            * figures.occurrences * damOccurrences * figures.onePlusInbreeding;
        ranking.add(m_ancestry.bird[static_cast<std::size_t>(p)], contribution);
    }

    const Ancestry &m_ancestry;
    const std::vector<kinship::bird> &m_birds;
    const std::vector<SireSide> &m_cocks;
    SideWalker m_walker;
    DamSide m_dam;
    FurtherWalk m_further;
    std::vector<std::uint32_t> m_ranked; // by place: the pairing that ranked the bird
    std::uint32_t m_pairMark = 0;
};

// Ranks by exact share the common ancestors of the pairs whose young is inbred while none was
// met within the walked generations.
void rankByExactShares(kinship::plan &result, const Ancestry &a, const Inbreeding &inbreeding,
    const std::vector<kinship::bird> &birds, const Progress &progress)
{
    std::vector<std::size_t> unranked;
    for (std::size_t i = 0; i < result.pairs.size(); ++i)
        if (result.pairs[i].inbreeding > 0.0 && result.pairs[i].ranked[0].bird == kinship::no_bird)
            unranked.push_back(i);
    if (unranked.empty())
        return;
    const std::size_t mostVisits
        = std::clamp(shareVisits / unranked.size(), leastShareVisits, mostShareVisits);
    const auto placeOf = [&](int b) { return a.placeOf[static_cast<std::size_t>(b)]; };
    WorkerScratch<inbreeding_shares> scratch;
    shareOut(unranked.size(), progress, [&](std::size_t worker, std::size_t u) {
        const std::size_t i = unranked[u];
        kinship::pair_figures &pair = result.pairs[i];
        inbreeding_shares &shares = scratch.of(worker, a.sire, a.dam, inbreeding.f, a.size);
        if (!shares.compute(placeOf(result.cocks[i / result.hens.size()]),
                placeOf(result.hens[i % result.hens.size()]), mostVisits))
            return;
        Ranking ranking(pair, birds);
        for (const inbreeding_shares::share &share : shares.result())
            ranking.add(a.bird[static_cast<std::size_t>(share.place)], share.fraction);
        pair.exact_shares = !shares.result().empty();
    });
}

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

// The bird store the row checks fill: a bird is named by its index.
struct kinship::row_store final : pedigree_row::bird_store
{
    explicit row_store(kinship &pedigree) : pedigree(pedigree) { }

    int find_or_add(std::string_view band) override
    {
        const auto [at, added]
            = pedigree.m_index.try_emplace(std::string(band), pedigree.bird_count());
        if (added)
            pedigree.m_birds.push_back(kinship::bird { std::string(band) });
        return at->second;
    }
    bool row_loaded(int b) const override { return at(b).row_loaded; }
    bool has_parents(int b, int sire, int dam) const override
    {
        return at(b).sire == sire && at(b).dam == dam;
    }
    void link(int b, int sire, int dam) override
    {
        at(b).row_loaded = true;
        at(b).sire = sire;
        at(b).dam = dam;
    }
    char &sex(int b) override { return at(b).sex; }

    kinship::bird &at(int b) const { return pedigree.m_birds[static_cast<std::size_t>(b)]; }

    kinship &pedigree;
};

bool kinship::load_record(
    std::string_view identification, std::string_view sire, std::string_view dam)
{
    row_store store(*this);
    const pedigree_row::problem found = pedigree_row::check(store, identification, sire, dam);
    m_message = pedigree_row::message(found);
    return found == pedigree_row::problem::none;
}

kinship::plan kinship::plan_pairs(const std::vector<int> &cocks, const std::vector<int> &hens,
    bool rank_ancestors, const plan_progress &progress) const
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

    // A unit of work is a bird's inbreeding, a hen's relationship column, a cock's side and the
    // ranking of one pair.
    const std::size_t cockCount = result.cocks.size();
    Progress watch(progress,
        inbreedingUnits(ancestry) + henCount
            + (rank_ancestors ? cockCount + cockCount * henCount : 0));
    // The relationship columns are large; they are let go before the ranking.
    Inbreeding inbreeding;
    {
        WorkerScratch<RelationshipColumns> columns;
        inbreeding = computeInbreeding(ancestry, columns, watch);
        int lastCock = 0;
        for (const int c : result.cocks)
            lastCock = std::max(lastCock, placeOf(c));
        const std::size_t henBatches
            = (henCount + RelationshipColumns::lanes - 1) / RelationshipColumns::lanes;
        shareOut(henBatches, watch, [&](std::size_t worker, std::size_t b) {
            const std::size_t first = b * RelationshipColumns::lanes;
            const std::size_t end = std::min(henCount, first + RelationshipColumns::lanes);
            std::vector<int> batch;
            for (std::size_t h = first; h < end; ++h)
                batch.push_back(placeOf(result.hens[h]));
            RelationshipColumns &lanes = columns.of(worker, ancestry);
            lanes.compute(batch, inbreeding.variance, lastCock);
            for (std::size_t c = 0; c < result.cocks.size(); ++c)
                for (std::size_t h = first; h < end; ++h)
                    result.pairs[c * henCount + h].inbreeding
                        = 0.5 * lanes.value(placeOf(result.cocks[c]), h - first);
            watch.advance(end - first);
        });
    }

    if (!rank_ancestors || watch.stopped()) {
        result.stopped = watch.stopped();
        return result;
    }
    std::vector<SireSide> sires(cockCount);
    WorkerScratch<SideWalker> walkers;
    shareOut(sires.size(), watch, [&](std::size_t worker, std::size_t c) {
        SideWalker &walker = walkers.of(worker, ancestry);
        sires[c] = sireSide(walker.walk(placeOf(result.cocks[c])), ancestry, inbreeding);
        watch.advance(1);
    });
    WorkerScratch<PairRanker> rankers;
    shareOut(henCount, watch, [&](std::size_t worker, std::size_t h) {
        rankers.of(worker, ancestry, m_birds, sires)
            .rankHen(placeOf(result.hens[h]),
                [&](std::size_t c) -> pair_figures & { return result.pairs[c * henCount + h]; });
        watch.advance(cockCount);
    });
    rankByExactShares(result, ancestry, inbreeding, m_birds, watch);
    result.stopped = watch.stopped();
    return result;
}
