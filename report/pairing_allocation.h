#pragma once

#include "report/pairing_plan.h"

#include "engine/pair_allocation.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The season's pairs for a pairing plan, with the user's limits given by bands: each hen with at
// most one cock, each cock with at most `maxPerCock` hens, fixed pairs kept, forbidden ones never
// made, and the young as little inbred as the limits allow (see pair_allocation). Besides, every
// candidate's mean kinship to all the candidates, so the birds with the most common blood show.
//
//   PairingAllocation::Limits limits;
//   limits.maxPerCock = 2;
//   limits.fixed = { { "NL-2019-1", "BE-2020-3" } };
//   limits.maxInbreedingPercent = 6.25;              // pairs at 6.25 % are made
//   PairingAllocation season;
//   season.compute(plan, limits);
//   for (const PairingPlan::Pair &pair : season.pairs())
//       show(plan.cocks()[pair.cock], plan.hens()[pair.hen]);
//
// A fixed or forbidden pair naming a band that is not among the plan's cocks (or hens) is left
// out with a remark; so is every choice the engine could not honour as given, each remark one
// sentence naming the bands.
class PairingAllocation
{
public:
    using BandPair = std::pair<std::string, std::string>; // cock, hen

    struct Limits
    {
        int maxPerCock = 1;
        std::vector<BandPair> fixed;
        std::vector<BandPair> forbidden;
        std::optional<double> maxInbreedingPercent; // none: no bound
    };

    struct Candidate
    {
        std::string band;
        bool cock = false;
        double meanKinship = 0.0; // fraction
    };

    // Both steps below.
    void compute(const PairingPlan &plan, const Limits &limits);
    // The pairs for `limits`, keeping the mean kinship computed before: fast enough (200 cocks x
    // 200 hens in milliseconds) to follow every change of the limits.
    void allocate(const PairingPlan &plan, const Limits &limits);
    // Every candidate's mean kinship, which the limits do not change: the work of a pairing
    // plan of all the candidates with each other.
    void computeMeanKinship(const PairingPlan &plan);

    const Limits &limits() const { return m_limits; }
    // The pairs made, by hen, as positions in the plan.
    const std::vector<PairingPlan::Pair> &pairs() const { return m_pairs; }
    // Bands of the hens left without a cock, in list order.
    const std::vector<std::string> &unpairedHens() const { return m_unpairedHens; }
    // Of the young of the pairs made, as fractions; 0 without pairs.
    double meanInbreeding() const { return m_meanInbreeding; }
    double largestInbreeding() const { return m_largestInbreeding; }
    const std::vector<std::string> &remarks() const { return m_remarks; }
    // The cocks, then the hens, in list order.
    const std::vector<Candidate> &candidates() const { return m_candidates; }

    // The largest fraction whose value in % is not above `percent`, in exact arithmetic: the
    // bound the engine compares figures with, so that a pair at exactly `percent` is made.
    static double fractionAtMost(double percent);

private:
    std::vector<pair_allocation::pair> resolve(
        const PairingPlan &plan, const std::vector<BandPair> &given, const char *what);
    void describe(const PairingPlan &plan, const pair_allocation::remark &remark);

    Limits m_limits;
    std::vector<PairingPlan::Pair> m_pairs;
    std::vector<std::string> m_unpairedHens;
    double m_meanInbreeding = 0.0;
    double m_largestInbreeding = 0.0;
    std::vector<std::string> m_remarks;
    std::vector<Candidate> m_candidates;
};
