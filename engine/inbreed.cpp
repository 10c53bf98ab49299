#include "inbreed.h"

#include "pedigree_row_check.h"

#include <array>
#include <cassert>
#include <cmath>
#include <cstring>

// Every table of one engine, allocated once with it. Index 0 of positions, by_load and
// sorted_birds is not used; by_load and sorted_birds never hold more than the bird limit.
struct inbreed::tables
{
    std::array<std::array<double, matrix_order>, matrix_order> matrix;
    std::array<bird, slot_count> slots;
    std::array<bird *, position_limit + 1> positions;
    std::array<load_entry, bird_limit + 1> by_load;
    std::array<std::uint16_t, bird_limit + 1> sorted_birds;
    std::array<std::uint16_t, bird_limit + 1> order_of_load; // place in sorted_birds by load number
    std::array<path_entry, bird_limit + 1> path; // by place in sorted_birds; entry 0 is a sink
    // Walk epoch of the last visit of each bird (by load number) at each generation beyond 20.
    std::array<std::uint32_t, (bird_limit + 1) * deep_generations> deep_visits;
};

static_assert(inbreed::band_length == pedigree_row::band_length);

namespace {

// Weight of one occurrence by generation, as the breeders' tables print them: exact halves down
// to generation 8, then four-digit decimals slightly below the exact power of one half.
constexpr std::array<double, 21> generation_weights = { 0.0, 0.0, 0.5, 0.25, 0.125, 0.0625, 0.03125,
    0.015625, 0.0078125, 0.0039062, 0.0019531, 0.0009765, 0.0004882, 0.0002441, 0.000122, 0.000061,
    0.0000305, 0.0000152, 0.0000076, 0.0000038, 0.0000019 };

// Levels are raised one pass at a time; a bird reaching this level means a line of descent of 50
// birds, which only a bird that is its own ancestor produces in practice.
constexpr int level_limit = 50;

// Birds met no closer than this generation are recorded but their ancestors are not walked.
constexpr int walk_stop_generation = 11;

// Occurrences beyond this generation count neither as occurrences nor as blood.
constexpr int last_counted_generation = 20;

// Larger pedigrees take their inbreeding from path weights; only this many birds at the end of
// the order get matrix rows.
constexpr int matrix_birds = inbreed::matrix_order - 1;

constexpr const char *cycle_message = "Class INBREED a cycling pedigree has been found.";
constexpr const char *order_message = "Class INBREED Error building the sorted_birds.";

// A text ends at its first zero byte, as the stored bands do.
std::string_view untilZero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

} // namespace

inbreed::inbreed() : m_tables(std::make_unique<tables>())
{
    reset();
}

inbreed::~inbreed() = default;

void inbreed::reset()
{
    tables &t = *m_tables;
    for (bird &b : t.slots) {
        b.load_no = 0;
        b.sire = nullptr;
        b.dam = nullptr;
    }
    t.positions.fill(nullptr);
    t.by_load.fill(load_entry { 0, 1, 0.0 });
    t.sorted_birds.fill(0);
    m_empty_text[0] = '\0';
    std::memset(&m_empty_bird, 0, sizeof m_empty_bird);
    m_empty_bird.sire = nullptr;
    m_empty_bird.dam = nullptr;
    m_current = &m_empty_bird;
    m_sire_band = m_empty_text;
    m_dam_band = m_empty_text;
    m_message[0] = '\0';
    m_bird_count = 0;
    m_matrix_size = 0;
    t.matrix[0][0] = 0.0;
    m_full_matrix = false;
    m_computed = false;
}

int inbreed::hash_band(std::string_view band)
{
    band = untilZero(band);
    if (band.size() > static_cast<std::size_t>(band_length))
        return -1;
    std::uint32_t h = 0;
    for (char c : band)
        h = h * 32u
            + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    h %= static_cast<std::uint32_t>(hash_modulus);
    tables &t = *m_tables;
    while (t.slots[h + 1].load_no != 0) {
        const char *stored = t.slots[h + 1].band;
        if (stored[band.size()] == '\0' && std::memcmp(stored, band.data(), band.size()) == 0)
            return static_cast<int>(h + 1);
        h = (h + hash_modulus - probe_step) % hash_modulus;
    }
    ++m_bird_count;
    if (m_bird_count > bird_limit)
        return -1;
    t.by_load[m_bird_count].slot = static_cast<std::uint16_t>(h + 1);
    bird &b = t.slots[h + 1];
    std::memcpy(b.band, band.data(), band.size());
    b.band[band.size()] = '\0';
    b.sire = nullptr;
    b.dam = nullptr;
    b.sex = '?';
    b.offspring = 0;
    b.min_gen = not_met;
    b.max_gen = 0;
    b.occurrences = b.sire_occurrences = b.dam_occurrences = 0;
    b.blood = b.sire_blood = b.dam_blood = 0.0;
    b.matrix_index = b.relationship = b.contribution = b.inbreeding = b.pair_back = 0.0;
    b.load_no = static_cast<std::uint16_t>(m_bird_count);
    b.row_loaded = 0;
    return static_cast<int>(h + 1);
}

void inbreed::set_message(const char *text)
{
    std::strncpy(m_message, text, message_length);
    m_message[message_length] = '\0';
}

bool inbreed::fail(const char *text)
{
    set_message(text);
    return false;
}

// The bird store the row checks fill: a bird is named by its slot.
struct inbreed::row_store final : pedigree_row::bird_store
{
    explicit row_store(inbreed &engine) : engine(engine) { }

    bool full() const override { return engine.m_bird_count > bird_limit; }
    int find_or_add(std::string_view band) override
    {
        const int slot = engine.hash_band(band);
        return slot < 0 ? no_bird : slot;
    }
    bool row_loaded(int slot) const override { return at(slot).row_loaded == 1; }
    bool has_parents(int slot, int sire, int dam) const override
    {
        return at(slot).sire == pointer(sire) && at(slot).dam == pointer(dam);
    }
    void link(int slot, int sire, int dam) override
    {
        bird &child = at(slot);
        child.row_loaded = 1;
        child.sire = pointer(sire);
        child.dam = pointer(dam);
        for (bird *parent : { child.sire, child.dam })
            if (parent)
                ++parent->offspring;
    }
    char &sex(int slot) override { return at(slot).sex; }

    bird &at(int slot) const { return engine.m_tables->slots[static_cast<std::size_t>(slot)]; }
    bird *pointer(int slot) const { return slot == no_bird ? nullptr : &at(slot); }

    inbreed &engine;
};

bool inbreed::load_record(
    std::string_view identification, std::string_view sire, std::string_view dam)
{
    row_store store(*this);
    const pedigree_row::problem found = pedigree_row::check(store, identification, sire, dam);
    set_message(pedigree_row::message(found));
    return found == pedigree_row::problem::none;
}

int inbreed::stored_count() const
{
    return m_bird_count < bird_limit ? m_bird_count : bird_limit;
}

inbreed::bird &inbreed::sorted_bird(int index)
{
    assert(index >= 1 && index <= stored_count() && "pedigree order index out of range");
    return m_tables->slots[m_tables->sorted_birds[index]];
}

inbreed::load_entry &inbreed::entry_of(const bird &b)
{
    assert(b.load_no >= 1 && b.load_no <= bird_limit && "bird without a load number");
    return m_tables->by_load[b.load_no];
}

// Raises every parent one level above its highest offspring, pass by pass. Returns the number of
// the last pass (the highest level), or 0 when a line of descent reaches the level limit.
int inbreed::assign_levels()
{
    tables &t = *m_tables;
    const int count = stored_count();
    for (int k = 1; k <= count; ++k)
        t.by_load[k].level = 1;
    for (int level = 1;; ++level) {
        bool raised = false;
        for (int k = 1; k <= count; ++k) {
            if (t.by_load[k].level != level)
                continue;
            const bird &b = t.slots[t.by_load[k].slot];
            for (const bird *parent : { b.sire, b.dam }) {
                if (!parent)
                    continue;
                entry_of(*parent).level = static_cast<std::int16_t>(level + 1);
                raised = true;
            }
        }
        if (!raised)
            return level;
        if (level + 1 >= level_limit)
            return 0;
    }
}

// Lists the stored birds by level from the highest down, and within a level by load number, so
// that every bird comes after all of its ancestors.
bool inbreed::build_order(int highest_level)
{
    tables &t = *m_tables;
    const int count = stored_count();
    int appended = 0;
    for (int level = highest_level; level >= 1; --level) {
        for (int k = 1; k <= count; ++k) {
            if (t.by_load[k].level != level || appended == count)
                continue;
            ++appended;
            t.sorted_birds[appended] = t.by_load[k].slot;
            t.order_of_load[k] = static_cast<std::uint16_t>(appended);
        }
    }
    return appended == count;
}

// Clears what an earlier compute() left, so that computing twice gives the same results.
void inbreed::clear_results()
{
    tables &t = *m_tables;
    const int count = stored_count();
    for (int k = 1; k <= count; ++k) {
        bird &b = t.slots[t.by_load[k].slot];
        b.min_gen = not_met;
        b.max_gen = 0;
        b.occurrences = b.sire_occurrences = b.dam_occurrences = 0;
        b.blood = b.sire_blood = b.dam_blood = 0.0;
        b.matrix_index = b.relationship = b.contribution = b.inbreeding = b.pair_back = 0.0;
        t.by_load[k].weight = 0.0;
    }
    t.positions.fill(nullptr);
    for (path_entry &entry : t.path)
        entry = path_entry { 0, 0, 0.0, 0.0 };
    m_matrix_size = 0;
    t.matrix[0][0] = 0.0;
    m_full_matrix = false;
}

bool inbreed::compute()
{
    m_computed = false;
    const int highest_level = assign_levels();
    if (highest_level == 0)
        return fail(cycle_message);
    if (!build_order(highest_level))
        return fail(order_message);
    clear_results();
    const int count = stored_count();
    if (count == 0) {
        m_computed = true;
        return true;
    }
    if (count < matrix_order) {
        walk_pedigreed(sorted_bird(count));
        m_full_matrix = true;
    } else {
        compute_path_inbreeding();
    }
    relate_birds();
    m_computed = true;
    return true;
}

// Large pedigrees: every bird's inbreeding from the summed weights of all paths to each of its
// ancestors, in the pedigree order so that the parents' coefficients are final. The pedigreed
// bird's recursive walk gathers only the statistics and positions; its inbreeding comes from the
// full path weights like every other bird's, since that walk stops at generation 11.
void inbreed::compute_path_inbreeding()
{
    tables &t = *m_tables;
    const int count = stored_count();
    for (int k = 1; k <= count; ++k) {
        bird &b = sorted_bird(k);
        const double sire_f = b.sire ? b.sire->inbreeding : -1.0;
        const double dam_f = b.dam ? b.dam->inbreeding : -1.0;
        b.matrix_index = 0.5 - 0.25 * (sire_f + dam_f);
        path_entry &entry = t.path[k];
        entry.sire = b.sire ? t.order_of_load[b.sire->load_no] : 0;
        entry.dam = b.dam ? t.order_of_load[b.dam->load_no] : 0;
        entry.sampling_variance = b.matrix_index;
        if (k == count)
            walk_pedigreed(b);
        b.inbreeding = path_inbreeding(k);
    }
}

// Sum over the k-th bird of the order and all its ancestors of (summed path weight)^2 times the
// sampling variance, minus 1. The summed path weight of an ancestor is the sum of 1/2^length over
// every path to it; pushing each bird's weight half to each parent, from the k-th bird back
// through the order, reaches every ancestor after all of its descendants and so accumulates
// exactly that sum without enumerating the paths, whose number grows exponentially in inbred
// lines. Every weight is a multiple of 1/2^48 no larger than 1, so the sums are exact and equal
// to those of a path-by-path walk to the last bit.
double inbreed::path_inbreeding(int k)
{
    tables &t = *m_tables;
    t.path[k].weight = 1.0;
    for (int i = k; i >= 1; --i) {
        const double half = t.path[i].weight * 0.5;
        t.path[t.path[i].sire].weight += half;
        t.path[t.path[i].dam].weight += half;
    }
    double f = -1.0;
    for (int i = 1; i <= k; ++i) {
        const double w = t.path[i].weight;
        f = f + w * w * t.path[i].sampling_variance;
        t.path[i].weight = 0.0;
    }
    t.path[0].weight = 0.0;
    return f;
}

// Visits the bird once for every path by which it is reached, sire branch before dam branch,
// recording each visit for the pedigreed bird's statistics when the generation is not 0. The
// ancestors of a bird met no closer than generation 11 are not walked.
//
// Beyond generation 20 a visit only lowers min_gen or raises max_gen. What it goes on to visit
// depends only on the bird, its generation and which birds have been met within ten generations
// (the birds the walk passes through). So a second visit of the same bird at the same deep
// generation, with that set unchanged since the first, can change nothing and is skipped: the
// statistics stay those of the walk of every path, without its exponential cost in deep inbred
// lines. The path weights of this walk are not read.
void inbreed::walk_ancestors(bird &b, double x, int generation, int position, side s)
{
    if (generation > last_counted_generation && seen_deep_before(b, generation))
        return;
    x = x * 0.5;
    entry_of(b).weight += x;
    if (generation != 0) {
        record_occurrence(b, generation, s);
        ++generation;
    }
    const bool has_position = position >= 1 && position <= position_limit;
    if (has_position)
        m_tables->positions[position] = &b;
    if (b.min_gen >= walk_stop_generation && b.min_gen != not_met)
        return;
    if (b.sire)
        walk_ancestors(*b.sire, x, generation, has_position ? 2 * position : 0,
            generation == 2 ? side::sire : s);
    if (b.dam)
        walk_ancestors(*b.dam, x, generation, has_position ? 2 * position + 1 : 0,
            generation == 2 ? side::dam : s);
}

void inbreed::walk_pedigreed(bird &b)
{
    new_walk_epoch();
    walk_ancestors(b, 2.0, 1, 1, side::none);
}

// True when the bird was visited at this generation (beyond 20) since the set of birds met within
// ten generations last grew; marks the visit otherwise.
bool inbreed::seen_deep_before(const bird &b, int generation)
{
    const int column = generation - last_counted_generation - 1;
    if (column >= deep_generations)
        return false;
    std::uint32_t &mark = m_tables->deep_visits[b.load_no * deep_generations + column];
    if (mark == m_walk_epoch)
        return true;
    mark = m_walk_epoch;
    return false;
}

void inbreed::new_walk_epoch()
{
    if (++m_walk_epoch != 0)
        return;
    m_tables->deep_visits.fill(0);
    m_walk_epoch = 1;
}

void inbreed::record_occurrence(bird &b, int generation, side s)
{
    if (generation < walk_stop_generation && b.min_gen >= walk_stop_generation)
        new_walk_epoch(); // one more bird the walk passes through
    if (generation < b.min_gen)
        b.min_gen = static_cast<std::int16_t>(generation);
    if (generation > b.max_gen)
        b.max_gen = static_cast<std::int16_t>(generation);
    if (generation < 2 || generation > last_counted_generation)
        return;
    const double weight = generation_weights[generation];
    ++b.occurrences;
    b.blood += weight;
    switch (s) {
    case side::sire:
        ++b.sire_occurrences;
        b.sire_blood += weight;
        break;
    case side::dam:
        ++b.dam_occurrences;
        b.dam_blood += weight;
        break;
    case side::none:
        break;
    }
}

// Appends row k from the rows of its parents (0 for an unknown parent or one without a row), in
// one pass over the rows already present.
void inbreed::add_to_matrix(int k, int sire_row, int dam_row, double f)
{
    auto &m = m_tables->matrix;
    assert(k == m_matrix_size + 1 && k < matrix_order && "matrix rows are appended in order");
    m[k][0] = 0.0;
    m[0][k] = 0.0;
    for (int i = 1; i <= m_matrix_size; ++i) {
        m[k][i] = (m[sire_row][i] + m[dam_row][i]) * 0.5;
        m[i][k] = m[k][i];
    }
    if (m_full_matrix)
        m[k][k] = 0.5 * m[sire_row][dam_row] + 1.0;
    else
        m[k][k] = f + 1.0;
    ++m_matrix_size;
}

int inbreed::row_of(const bird *b)
{
    return b ? static_cast<int>(b->matrix_index) : 0;
}

// Gives the last birds of the order their matrix rows, then relates every bird to the pedigreed
// bird: its relationship corrected for inbreeding, the pair-back figure and its contribution to
// the pedigreed bird's inbreeding.
void inbreed::relate_birds()
{
    const int count = stored_count();
    for (int i = 1; i <= count; ++i) {
        bird &b = sorted_bird(i);
        if (count - i >= matrix_birds) {
            b.matrix_index = 0.0;
            continue;
        }
        const int sire_row = row_of(b.sire);
        const int dam_row = row_of(b.dam);
        b.matrix_index = m_matrix_size + 1;
        add_to_matrix(m_matrix_size + 1, sire_row, dam_row, m_full_matrix ? 0.0 : b.inbreeding);
    }
    const auto &m = m_tables->matrix;
    const int n = m_matrix_size;
    bird &pedigreed = sorted_bird(count);
    if (m_full_matrix)
        pedigreed.inbreeding = m[n][n] - 1.0;
    const double fp = pedigreed.inbreeding;
    for (int i = 1; i < count; ++i)
        relate_bird(sorted_bird(i), count - i < matrix_birds, n, fp);
}

void inbreed::relate_bird(bird &b, bool has_row, int pedigreed_row, double fp)
{
    const auto &m = m_tables->matrix;
    double raw;
    double fi;
    if (has_row) {
        const int r = static_cast<int>(b.matrix_index);
        raw = m[r][pedigreed_row] > b.blood ? m[r][pedigreed_row] : b.blood;
        if (m_full_matrix)
            b.inbreeding = m[r][r] - 1.0;
        fi = b.inbreeding;
    } else {
        fi = b.inbreeding;
        raw = (1.0 + fi) * b.blood;
    }
    if (b.sire_occurrences > 0 && b.dam_occurrences > 0) {
        const double so = b.sire_occurrences;
        const double dn = b.dam_occurrences;
        b.contribution = (b.sire_blood / so) * (b.dam_blood / dn) * 2.0 * so * dn * (1.0 + fi);
    }
    b.pair_back = raw * 0.5;
    b.relationship = raw / std::sqrt((1.0 + fp) * (1.0 + fi));
}

bool inbreed::select(bird *b)
{
    m_message[0] = '\0';
    if (!b || b->load_no == 0) {
        m_current = &m_empty_bird;
        return true;
    }
    m_current = b;
    if (b->sire)
        m_sire_band = b->sire->band;
    if (b->dam)
        m_dam_band = b->dam->band;
    return true;
}

bool inbreed::refuse_before_compute()
{
    m_empty_bird.band[0] = '\0';
    m_sire_band = m_empty_text;
    m_dam_band = m_empty_text;
    m_current = &m_empty_bird;
    if (m_computed)
        return false;
    std::strcpy(m_empty_bird.band, "compute not done.");
    return true;
}

bool inbreed::select_sorted(int index)
{
    if (refuse_before_compute())
        return false;
    if (index < 1 || index > stored_count())
        return fail("subscript out of range");
    const std::uint16_t slot = m_tables->sorted_birds[index];
    return select(slot == 0 ? nullptr : &m_tables->slots[slot]);
}

bool inbreed::select_position(int position)
{
    if (refuse_before_compute())
        return false;
    if (position < 1 || position > position_limit)
        return fail("sub out of range");
    return select(m_tables->positions[position]);
}

double inbreed::matrix_cell(int row, int column) const
{
    if (row < 0 || row > m_matrix_size || column < 0 || column > m_matrix_size)
        return 0.0;
    return m_tables->matrix[row][column];
}

double inbreed::generation_weight(int generation)
{
    if (generation < 2 || generation > 20)
        return 0.0;
    return generation_weights[generation];
}
