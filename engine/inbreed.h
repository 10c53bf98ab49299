#pragma once

// The pedigree analysis engine: stores the birds of one pedigree by band number, checks and links
// the pedigree rows, orders the birds so that ancestors come before descendants, and computes the
// inbreeding coefficient of every bird, the relationship of every bird to the pedigreed bird and
// the per-ancestor statistics of the pedigreed bird's ancestor walk.
//
//   inbreed engine;                           // all tables allocated here, once
//   engine.reset();                           // start of every analysis
//   if (!engine.load_record("NL-2019-1234567", "NL-2017-0000001", "BE-2016-3112345"))
//       print(engine.message());              // the row is refused or remarked on
//   if (engine.compute() && engine.select_sorted(engine.bird_count()))
//       print(engine.current().band, engine.current().inbreeding);   // the pedigreed bird
//
// The engine never throws and never allocates after construction: every problem is a false
// result plus a text in message(). Texts handed out (band numbers, the message) point into the
// engine's own storage and stay valid until the next accessor call, reset() or destruction.

#include <cstdint>
#include <memory>
#include <string_view>

class inbreed
{
public:
    static constexpr int slot_count = 2384; // slot 0 is never used
    static constexpr int hash_modulus = 2383; // home slots 1 to 2383
    static constexpr int probe_step = 2; // each probe goes two slots lower, wrapping
    static constexpr int bird_limit = 2048; // load numbers 1 to 2048
    static constexpr int position_limit = 2047; // ancestor-table positions 1 to 2047
    static constexpr int matrix_order = 128; // row and column 0 stand for an unknown parent
    static constexpr int band_length = 18;
    static constexpr int message_length = 59;
    static constexpr int not_met = 100; // min_gen of a bird the pedigreed bird's walk has not met

    // One bird of the store. Fractions (blood, relationship, inbreeding, ...) are plain fractions;
    // the report prints them times 100.
    struct bird
    {
        std::uint16_t load_no; // 1 for the first bird added, ...; 0 marks an empty slot
        std::int16_t row_loaded; // 1 once the bird's own row has been accepted
        std::int16_t offspring; // accepted rows naming this bird as sire or dam
        std::int16_t min_gen; // lowest generation met in the pedigreed bird's walk; not_met before
        std::int16_t max_gen; // highest generation met; 0 before
        // Counted once per path, so they pass 32767 in deep inbred lines: 32 bits wide.
        std::int32_t occurrences; // occurrences in generations 2 to 20
        std::int32_t sire_occurrences; // of these, on the sire's side
        std::int32_t dam_occurrences; // of these, on the dam's side
        double blood; // summed generation weights of those occurrences
        double sire_blood;
        double dam_blood;
        double matrix_index; // row in the relationship matrix as a whole number; 0 for none
        double relationship; // with the pedigreed bird, corrected for the inbreeding of both
        double contribution; // to the inbreeding of the pedigreed bird
        double inbreeding; // inbreeding coefficient F
        double pair_back; // half the uncorrected relationship with the pedigreed bird
        bird *sire;
        bird *dam;
        char band[band_length + 1]; // zero-terminated
        char sex; // '?' unknown, 'm' male, 'f' female, 'b' named in both roles
    };

    // Allocates every table and resets the store.
    inbreed();
    ~inbreed();
    inbreed(const inbreed &) = delete;
    inbreed &operator=(const inbreed &) = delete;

    // Empties the store: every band becomes unknown again and load numbers restart at 1.
    void reset();

    // Finds the bird with exactly this band (byte for byte) or adds it; returns its slot number
    // (1 to 2383), or -1 when a new bird would pass the bird limit (bird_count() is then raised
    // past 2048 all the same). A band longer than 18 characters is refused with -1 and changes
    // nothing; the text ends at its first zero byte.
    int hash_band(std::string_view band);

    // Checks one pedigree row (identification, sire, dam; texts of any length) and stores and
    // links the birds it names. True when the row was accepted without remark (message() is then
    // empty); false with one message otherwise. A parent that is empty, a lone space or a lone
    // full stop is unknown. Every text ends at its first zero byte.
    bool load_record(std::string_view identification, std::string_view sire, std::string_view dam);

    // Orders the pedigree and computes inbreeding, relationships and the ancestor statistics of
    // the pedigreed bird (the last bird of the order). False with a message for a pedigree that
    // loops back on itself or is 50 or more generations deep; the bird results are then unchanged.
    bool compute();

    // Makes the index-th bird of the pedigree order current (1 to the number of stored birds; the
    // last one is the pedigreed bird). False before a successful compute() (the current band then
    // reads "compute not done.") or for an index out of range ("subscript out of range").
    bool select_sorted(int index);

    // Makes the bird at ancestor-table position p current: 1 is the pedigreed bird, 2p and 2p + 1
    // the sire and dam of the bird at p, up to 2047. An empty position gives an empty bird
    // (load_no 0) and true. False before a successful compute() or for a position out of range
    // ("sub out of range").
    bool select_position(int position);

    // The bird chosen by the last accessor call; an empty bird (load_no 0) when there is none.
    const bird &current() const { return *m_current; }
    // Band numbers of the current bird's parents; empty when a parent is unknown.
    const char *sire_band() const { return m_sire_band; }
    const char *dam_band() const { return m_dam_band; }
    // The last message; empty when there is none.
    const char *message() const { return m_message; }
    // True once compute() has succeeded since the last reset().
    bool computed() const { return m_computed; }
    // Birds added since the last reset(); reads 2049 or more after the store refused a bird.
    int bird_count() const { return m_bird_count; }
    // True when the last compute() gave every bird a row of the relationship matrix.
    bool full_matrix() const { return m_full_matrix; }
    // Rows of the relationship matrix in use (0 to 127).
    int matrix_size() const { return m_matrix_size; }
    // Cell [row][column] of the relationship matrix, both from 0 to matrix_size(): the additive
    // relationship of two birds, 1 + F on the diagonal; row and column 0 are an unknown parent.
    double matrix_cell(int row, int column) const;

    // Share of the pedigreed bird's blood that one occurrence of an ancestor at this generation
    // carries (generation 2 = the parents = 0.5); 0 outside generations 2 to 20.
    static double generation_weight(int generation);

private:
    enum class side { none, sire, dam };

    struct load_entry
    {
        std::uint16_t slot;
        std::int16_t level;
        double weight;
    };

    // One bird of the pedigree order for the path method: its parents' places in the order (0 for
    // an unknown parent), its sampling variance and its summed path weight.
    struct path_entry
    {
        std::uint16_t sire;
        std::uint16_t dam;
        double sampling_variance;
        double weight;
    };

    // Generations beyond 20 whose visits the pedigreed bird's walk remembers (lines of descent
    // are shorter than 50 birds).
    static constexpr int deep_generations = 32;

    struct tables;

    struct row_store;

    bool fail(const char *text);
    void set_message(const char *text);
    int stored_count() const;
    int assign_levels();
    bool build_order(int highest_level);
    void clear_results();
    void compute_path_inbreeding();
    void walk_ancestors(bird &b, double x, int generation, int position, side s);
    void walk_pedigreed(bird &b);
    bool seen_deep_before(const bird &b, int generation);
    void new_walk_epoch();
    void record_occurrence(bird &b, int generation, side s);
    double path_inbreeding(int k);
    void add_to_matrix(int k, int sire_row, int dam_row, double f);
    void relate_birds();
    void relate_bird(bird &b, bool has_row, int pedigreed_row, double fp);
    static int row_of(const bird *b);
    bird &sorted_bird(int index);
    load_entry &entry_of(const bird &b);
    bool refuse_before_compute();
    bool select(bird *b);

    bird *m_current;
    const char *m_sire_band;
    const char *m_dam_band;
    char m_message[message_length + 1];
    std::unique_ptr<tables> m_tables;
    bool m_computed;
    char m_empty_text[1];
    bird m_empty_bird;
    std::int32_t m_bird_count;
    bool m_full_matrix;
    std::int32_t m_matrix_size;
    std::uint32_t m_walk_epoch = 0;
};
