#include "pairing_allocation.h"

#include "report/report_text.h"

#include "engine/mean_kinship.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

std::ptrdiff_t positionOf(const std::vector<std::string> &bands, const std::string &band)
{
    const auto found = std::find(bands.begin(), bands.end(), band);
    return found == bands.end() ? -1 : found - bands.begin();
}

std::string pairText(const std::string &cock, const std::string &hen)
{
    return cock + ":" + hen;
}

} // namespace

double PairingAllocation::fractionAtMost(double percent)
{
    // The product rounds like the quotient; where it lands on `percent` the sign of its
    // rounding error (exact through fma) tells whether the exact product lies above.
    const auto above = [percent](double fraction) {
        const double product = fraction * 100.0;
        return product > percent
            || (product == percent && std::fma(fraction, 100.0, -product) > 0.0);
    };
    constexpr double infinity = std::numeric_limits<double>::infinity();
    double fraction = percent / 100.0;
    while (above(fraction))
        fraction = std::nextafter(fraction, -infinity);
    for (double next = std::nextafter(fraction, infinity); !above(next);
         next = std::nextafter(next, infinity))
        fraction = next;
    return fraction;
}

std::vector<pair_allocation::pair> PairingAllocation::resolve(
    const PairingPlan &plan, const std::vector<BandPair> &given, const char *what)
{
    std::vector<pair_allocation::pair> pairs;
    for (const auto &[givenCock, givenHen] : given) {
        const std::string cock = PairingPlan::trimmed(givenCock);
        const std::string hen = PairingPlan::trimmed(givenHen);
        const std::ptrdiff_t c = positionOf(plan.cocks(), cock);
        const std::ptrdiff_t h = positionOf(plan.hens(), hen);
        if (c < 0)
            m_remarks.push_back("Cock " + cock + " of the " + what + " pair " + pairText(cock, hen)
                + " is not among the cocks: left out.");
        else if (h < 0)
            m_remarks.push_back("Hen " + hen + " of the " + what + " pair " + pairText(cock, hen)
                + " is not among the hens: left out.");
        else
            pairs.push_back({ static_cast<int>(c), static_cast<int>(h) });
    }
    return pairs;
}

void PairingAllocation::describe(const PairingPlan &plan, const pair_allocation::remark &remark)
{
    using problem = pair_allocation::problem;
    const auto cockAt = [&](int c) { return plan.cocks()[static_cast<std::size_t>(c)]; };
    const auto henAt = [&](int h) { return plan.hens()[static_cast<std::size_t>(h)]; };
    switch (remark.kind) {
    case problem::figure_not_usable:
        m_remarks.push_back("The young of " + cockAt(remark.where.cock) + " and "
            + henAt(remark.where.hen) + " have no usable inbreeding figure: pair not made.");
        return;
    case problem::fixed_and_forbidden:
        m_remarks.push_back("Pair " + pairText(cockAt(remark.where.cock), henAt(remark.where.hen))
            + " is fixed and forbidden: not made.");
        return;
    case problem::hen_fixed_twice:
        m_remarks.push_back("Hen " + henAt(remark.where.hen)
            + " is already fixed to another cock: the fixed pair "
            + pairText(cockAt(remark.where.cock), henAt(remark.where.hen)) + " is dropped.");
        return;
    case problem::cock_fixed_too_often:
        m_remarks.push_back("Cock " + cockAt(remark.where.cock) + " is fixed to more than "
            + std::to_string(m_limits.maxPerCock) + (m_limits.maxPerCock == 1 ? " hen" : " hens")
            + ": the fixed pair " + pairText(cockAt(remark.where.cock), henAt(remark.where.hen))
            + " is dropped.");
        return;
    case problem::fixed_above_bound:
        m_remarks.push_back("Fixed pair "
            + pairText(cockAt(remark.where.cock), henAt(remark.where.hen))
            + formatLine(" gives young of %.2f %%, above the %g %% allowed: made all the same.",
                plan.inbreeding(static_cast<std::size_t>(remark.where.cock),
                    static_cast<std::size_t>(remark.where.hen))
                    * 100.0,
                m_limits.maxInbreedingPercent.value_or(0.0)));
        return;
    default:
        break;
    }
    std::string text = remark.text + ".";
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    m_remarks.push_back(text);
}

void PairingAllocation::compute(const PairingPlan &plan, const Limits &limits)
{
    allocate(plan, limits);
    computeMeanKinship(plan);
}

void PairingAllocation::allocate(const PairingPlan &plan, const Limits &limits)
{
    m_limits = limits;
    m_pairs.clear();
    m_unpairedHens.clear();
    m_remarks.clear();

    pair_allocation::settings settings;
    settings.max_per_cock = limits.maxPerCock;
    settings.fixed = resolve(plan, limits.fixed, "fixed");
    settings.forbidden = resolve(plan, limits.forbidden, "forbidden");
    if (limits.maxInbreedingPercent)
        settings.max_inbreeding = fractionAtMost(*limits.maxInbreedingPercent);
    const pair_allocation::result season = pair_allocation::allocate(plan.figures(), settings);

    for (const pair_allocation::pair &pair : season.pairs)
        m_pairs.push_back(
            { static_cast<std::size_t>(pair.cock), static_cast<std::size_t>(pair.hen) });
    for (const int hen : season.unpaired_hens)
        m_unpairedHens.push_back(plan.hens()[static_cast<std::size_t>(hen)]);
    m_meanInbreeding = season.mean_inbreeding;
    m_largestInbreeding = season.largest_inbreeding;
    for (const pair_allocation::remark &remark : season.remarks)
        describe(plan, remark);
}

void PairingAllocation::computeMeanKinship(const PairingPlan &plan)
{
    m_candidates.clear();
    const std::vector<int> &cocks = plan.figures().cocks;
    std::vector<int> candidates = cocks;
    candidates.insert(candidates.end(), plan.figures().hens.begin(), plan.figures().hens.end());
    const mean_kinship::result means = mean_kinship::compute(plan.pedigree(), candidates);
    for (std::size_t i = 0; i < means.birds.size(); ++i)
        m_candidates.push_back({ plan.pedigree().bird_at(means.birds[i]).band,
            std::find(cocks.begin(), cocks.end(), means.birds[i]) != cocks.end(), means.mean[i] });
}
