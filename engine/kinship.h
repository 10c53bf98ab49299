#pragma once

// Kinship of candidate mates: for every cock of one list and every hen of another, the
// inbreeding coefficient their young would have, and the common ancestors that make it inbred,
// ranked by their contribution to that inbreeding. No youngster row is needed.
//
//   kinship pedigree;
//   for (const auto &row : rows)
//       if (!pedigree.load_record(row.identification, row.sire, row.dam))
//           print(row, pedigree.message());       // the same checks and texts as the analysis
//   kinship::plan table = pedigree.plan_pairs(cocks, hens);
//   print(table.at(0, 0).inbreeding);              // first cock with the first hen
//
// The rows are checked like the analysis engine (`inbreed`) checks them, without its limit on the
// number of birds. Every figure equals what the analysis gives for a youngster row with that sire
// and dam: its inbreeding, and each ancestor's contribution (twice the ancestor's blood on the
// sire's side times its blood on the dam's side times one plus its own inbreeding, the blood
// counted as the analysis walks the youngster's ancestors).
//
// The work grows with the ancestors of the candidates, not with the rest of the pedigree: the
// inbreeding of the ancestors and each group of hens' kinship with all cocks come from passes up
// and down the ordered ancestors, and each pair's common ancestors are ranked from the two sides'
// walks, prepared once per candidate. A pair whose young is inbred through ancestors beyond the
// walked generations alone has its common ancestors ranked by their exact shares of the
// inbreeding, at a cost bounded for the whole plan. The work is shared out over the processor's threads; the
// figures do not depend on how many there are. A caller may watch a long plan and stop it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class kinship
{
public:
    static constexpr int band_length = 18;
    static constexpr int ranked_ancestors = 3;
    static constexpr int no_bird = -1;

    struct bird
    {
        std::string band;
        int sire = no_bird; // index of the sire's bird, or no_bird
        int dam = no_bird;
        bool row_loaded = false; // the bird's own row has been accepted
        char sex = '?'; // '?' unknown, 'm' named as a sire, 'f' as a dam, 'b' both
    };

    struct common_ancestor
    {
        int bird = no_bird;
        double contribution = 0.0; // a fraction of the young's inbreeding, not of the ancestor
    };

    // The young of one cock and one hen.
    struct pair_figures
    {
        double inbreeding = 0.0;
        int common_ancestors = 0; // ancestors met on both sides within the walked generations
        // The young is inbred but no common ancestor is met within the walked generations: the
        // ranking holds the common ancestors' exact shares of the inbreeding instead (see
        // inbreeding_shares), or nobody when the pedigree is too large to find them.
        bool exact_shares = false;
        // The largest contributions, or shares, first (equal ones by band); then no_bird.
        std::array<common_ancestor, ranked_ancestors> ranked {};
    };

    struct plan
    {
        std::vector<int> cocks; // the candidates computed, in the order given
        std::vector<int> hens;
        // Candidates left out because their ancestry loops back on itself, in the order given.
        std::vector<int> looped;
        std::vector<pair_figures> pairs; // cocks.size() x hens.size(), one cock after another
        bool stopped = false; // the progress callback stopped the plan: the figures are incomplete

        const pair_figures &at(std::size_t cock, std::size_t hen) const
        {
            return pairs[cock * hens.size() + hen];
        }
    };

    // Told how far a plan has come: `done` of `total` units of work, rising to `total` once all
    // figures are in (nothing is told when there are no pairs). Answers false to stop the plan.
    // Called from the planning threads, one call at a time; the work stops at the end of the
    // pieces under way.
    using plan_progress = std::function<bool(std::size_t done, std::size_t total)>;

    // Forgets every bird.
    void reset();

    // Checks one pedigree row and stores and links the birds it names, as the analysis engine
    // does: true when accepted without remark, false with the engine's message otherwise (a bird
    // stored before the failing check stays stored; a parent named in both roles still links).
    // Texts end at their first zero byte; an empty, lone space or lone full stop parent is
    // unknown.
    bool load_record(std::string_view identification, std::string_view sire, std::string_view dam);

    const std::string &message() const { return m_message; }
    int bird_count() const { return static_cast<int>(m_birds.size()); }
    const bird &bird_at(int index) const { return m_birds[static_cast<std::size_t>(index)]; }
    // The bird with exactly this band, or no_bird.
    int find(std::string_view band) const;

    // Figures for every cock with every hen (bird indices; a bird may stand in both lists, its
    // pairing with itself is then computed like any other). Candidates whose ancestry loops back
    // on itself are left out and listed; everybody else is computed. Without `rank_ancestors`
    // only the inbreeding is computed, which is much quicker, and no ancestor is ranked.
    // `progress`, when given, is told of the work done and may stop it.
    plan plan_pairs(const std::vector<int> &cocks, const std::vector<int> &hens,
        bool rank_ancestors = true, const plan_progress &progress = {}) const;

private:
    struct row_store;

    std::vector<bird> m_birds;
    std::unordered_map<std::string, int> m_index;
    std::string m_message;
};
