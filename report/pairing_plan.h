#pragma once

#include "report/pedigree_source.h"

#include "engine/kinship.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

// The pairing planner's results for one pedigree and two candidate lists: the inbreeding the young
// of every cock and every hen would have, and each pair's main common ancestors.
//
//   PairingPlan plan;
//   plan.compute(document, { "NL-2019-1", "NL-2019-7" }, { "BE-2020-3" });
//   for (const std::string &note : plan.notes())        // unknown bands, refused rows, ...
//       show(note);
//   double f = plan.inbreeding(0, 0);                   // first cock with the first hen
//
// Every row is checked like the analysis checks it; refused rows are kept with their messages
// and the rest goes on. Candidates the pedigree does not hold, bands named in both lists and
// candidates whose ancestry loops back on itself are left out with a note; a band named twice in
// one list counts once. Lists whose results would take more memory than the computer can spare
// are refused before anything is computed.
class PairingPlan
{
public:
    struct RefusedRow
    {
        int row = 0; // grid row, from 1
        PedigreeRow bands;
        std::string message;

        // "Row 4 (<band>): <message>"
        std::string note() const;
    };

    struct Ancestor
    {
        std::string band;
        // A fraction of the young's inbreeding: the ancestor's contribution, or with exactShare
        // its exact share (the pair's common ancestors all lie beyond the walked generations).
        double contribution = 0.0;
        bool exactShare = false;
    };

    // What marks an exact share's figure, and the note that says what it means.
    static constexpr const char *ExactShareMark = "*";
    static constexpr const char *ExactSharesNote
        = "Figures marked * are exact shares of the young's inbreeding: its common ancestors lie "
          "beyond generation 10.";

    struct Pair
    {
        std::size_t cock = 0; // index into cocks()
        std::size_t hen = 0;
    };

    PairingPlan();

    // Reads every row of `pedigree` and computes the figures for the two lists of bands (trimmed
    // like grid cells; empty ones are skipped).
    void compute(const PedigreeSource &pedigree, const std::vector<std::string> &cocks,
        const std::vector<std::string> &hens);
    // The two steps of compute(): reading the rows, then the figures for the lists (again and
    // again for other lists of the same pedigree). The second throws ZanError, leaving no
    // results, when the results would take more memory than the limit, saying how many pairs
    // and how much memory; `progress` is told of the work and may stop it (see
    // kinship::plan_pairs), and then the plan is left with no results and false is returned.
    void load(const PedigreeSource &pedigree);
    bool compute(const std::vector<std::string> &cocks, const std::vector<std::string> &hens,
        const kinship::plan_progress &progress = {});

    // A plan of the same rows without results, sharing the rows read with this one: it computes
    // other lists while this plan's results are still read, from another thread if need be.
    PairingPlan sameRows() const;

    // The memory in bytes the results for so many cocks and hens take: every pair's figures and
    // its place in the list by inbreeding, and the candidates.
    static std::uint64_t bytesFor(std::size_t cocks, std::size_t hens);
    // The most memory the results may take; by default half of the computer's memory.
    void setMemoryLimit(std::uint64_t bytes) { m_memoryLimit = bytes; }

    // Bands of the birds that may stand in a list, in band order: for cocks every bird not named
    // only as a dam, for hens every bird not named only as a sire.
    std::vector<std::string> possibleCocks() const;
    std::vector<std::string> possibleHens() const;

    const std::string &fileName() const { return m_fileName; }
    int birdCount() const { return m_pedigree->bird_count(); }
    const std::vector<RefusedRow> &refusedRows() const { return m_refusedRows; }
    // One sentence per candidate left out or worth a remark, in list order; then ExactSharesNote
    // when a pair's ancestors are ranked by exact share.
    const std::vector<std::string> &notes() const { return m_notes; }

    // The candidates computed.
    const std::vector<std::string> &cocks() const { return m_cocks; }
    const std::vector<std::string> &hens() const { return m_hens; }
    bool empty() const { return m_cocks.empty() || m_hens.empty(); }

    // The young's inbreeding as a fraction.
    double inbreeding(std::size_t cock, std::size_t hen) const;
    // How complete the young's pedigree is, as equivalent complete generations (the sum over every
    // known place of 1/2 to the power of its generation, the parents being generation 1): 1 for
    // its two parents plus half of each parent's own figure.
    double equivalentCompleteGenerations(std::size_t cock, std::size_t hen) const;
    // Up to three common ancestors, the largest contribution first; where none is met within the
    // walked generations but the young is inbred, the largest exact shares.
    std::vector<Ancestor> ancestors(std::size_t cock, std::size_t hen) const;
    // Common ancestors met within the walked generations.
    int commonAncestorCount(std::size_t cock, std::size_t hen) const;
    // Every pair, from the least to the most inbred young; equal ones by cock, then hen band.
    std::vector<Pair> pairsByInbreeding() const;

    // A band as the lists take it: without leading and trailing blanks and control characters.
    static std::string trimmed(const std::string &text);

    // The engine's pedigree and figures, for the allocation and the mean kinship.
    const kinship &pedigree() const { return *m_pedigree; }
    const kinship::plan &figures() const { return m_plan; }

private:
    std::vector<std::string> birdsNotOfSex(char sex) const;
    std::vector<int> resolve(const std::vector<std::string> &bands, const char *role,
        const std::unordered_set<std::string> &otherList);

    std::shared_ptr<const kinship> m_pedigree = std::make_shared<const kinship>();
    std::uint64_t m_memoryLimit;
    kinship::plan m_plan;
    std::string m_fileName;
    std::vector<RefusedRow> m_refusedRows;
    std::vector<std::string> m_notes;
    std::vector<std::string> m_cocks;
    std::vector<std::string> m_hens;
    std::vector<double> m_cockGenerations; // equivalent complete generations of each candidate
    std::vector<double> m_henGenerations;
};
