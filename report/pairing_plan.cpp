#include "pairing_plan.h"

#include "platform/system_memory.h"
#include "platform/zan_error.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <limits>
#include <tuple>
#include <unordered_set>

std::string PairingPlan::trimmed(const std::string &text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

namespace {

std::uint64_t halfOfTheMemory()
{
    const std::uint64_t memory = physicalMemoryBytes();
    return memory == 0 ? std::numeric_limits<std::uint64_t>::max() : memory / 2;
}

// 2500000 as "2,500,000".
std::string grouped(std::uint64_t count)
{
    std::string digits = std::to_string(count);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

// 8589934592 as "8.0 GB", in steps of 1024.
std::string memoryText(std::uint64_t bytes)
{
    static const char *const units[] = { "bytes", "KB", "MB", "GB", "TB", "PB" };
    double amount = static_cast<double>(bytes);
    std::size_t unit = 0;
    for (; amount >= 1024.0 && unit + 1 < std::size(units); ++unit)
        amount /= 1024.0;
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", amount, units[unit]);
    return text;
}

} // namespace

std::string PairingPlan::RefusedRow::note() const
{
    return "Row " + std::to_string(row) + " (" + bands.identification + "): " + message;
}

PairingPlan::PairingPlan() : m_memoryLimit(halfOfTheMemory()) { }

std::uint64_t PairingPlan::bytesFor(std::size_t cocks, std::size_t hens)
{
    const std::uint64_t perPair = sizeof(kinship::pair_figures) + sizeof(Pair);
    // A band longer than the string's own room takes a block of its own.
    const std::uint64_t perCandidate
        = sizeof(int) + sizeof(std::string) + static_cast<std::uint64_t>(kinship::band_length) + 1;
    return static_cast<std::uint64_t>(cocks) * hens * perPair + (cocks + hens) * perCandidate;
}

PairingPlan PairingPlan::sameRows() const
{
    PairingPlan plan;
    plan.m_pedigree = m_pedigree;
    plan.m_memoryLimit = m_memoryLimit;
    plan.m_fileName = m_fileName;
    plan.m_refusedRows = m_refusedRows;
    return plan;
}

void PairingPlan::load(const PedigreeSource &pedigree)
{
    m_fileName = pedigree.CurrentFile();
    auto birds = std::make_shared<kinship>();
    m_refusedRows.clear();
    const int rowCount = pedigree.GetPedigreeRowCount();
    for (int row = 1; row < rowCount; ++row) {
        PedigreeRow bands;
        if (!pedigree.ReadPedigreeRow(row, bands))
            continue;
        // An empty grid row is no pedigree row; the analysis lists it, the planner skips it.
        if (bands.identification.empty() && bands.sire.empty() && bands.dam.empty())
            continue;
        if (!birds->load_record(bands.identification, bands.sire, bands.dam))
            m_refusedRows.push_back({ row, bands, birds->message() });
    }
    m_pedigree = std::move(birds);
}

std::vector<int> PairingPlan::resolve(const std::vector<std::string> &bands, const char *role,
    const std::unordered_set<std::string> &otherList)
{
    std::vector<int> birds;
    std::unordered_set<std::string> seen;
    for (const std::string &given : bands) {
        const std::string band = trimmed(given);
        if (band.empty())
            continue;
        if (!seen.insert(band).second) {
            m_notes.push_back(std::string(role) + " " + band + " is named twice: counted once.");
            continue;
        }
        if (otherList.count(band) > 0) {
            if (std::string(role) == "Cock")
                m_notes.push_back(band + " is named as a cock and as a hen: left out.");
            continue;
        }
        const int bird = m_pedigree->find(band);
        if (bird == kinship::no_bird) {
            m_notes.push_back(
                std::string(role) + " " + band + " is not in the pedigree: left out.");
            continue;
        }
        birds.push_back(bird);
    }
    return birds;
}

void PairingPlan::compute(const PedigreeSource &pedigree, const std::vector<std::string> &cocks,
    const std::vector<std::string> &hens)
{
    load(pedigree);
    compute(cocks, hens);
}

std::vector<std::string> PairingPlan::birdsNotOfSex(char sex) const
{
    std::vector<std::string> bands;
    for (int b = 0; b < m_pedigree->bird_count(); ++b)
        if (m_pedigree->bird_at(b).sex != sex)
            bands.push_back(m_pedigree->bird_at(b).band);
    std::sort(bands.begin(), bands.end());
    return bands;
}

std::vector<std::string> PairingPlan::possibleCocks() const
{
    return birdsNotOfSex('f');
}

std::vector<std::string> PairingPlan::possibleHens() const
{
    return birdsNotOfSex('m');
}

namespace {

// A bird's equivalent complete generations: half of one plus its own for each known parent.
// `known` holds the birds done so far (negative for not yet); the ancestry must not loop. The walk
// keeps its own stack, so a line thousands of generations deep needs no deep recursion.
double completeGenerations(const kinship &pedigree, int bird, std::vector<double> &known)
{
    std::vector<int> pending { bird };
    while (!pending.empty()) {
        const int current = pending.back();
        const kinship::bird &b = pedigree.bird_at(current);
        double sum = 0.0;
        bool ready = true;
        for (const int parent : { b.sire, b.dam }) {
            if (parent == kinship::no_bird)
                continue;
            const double figure = known[static_cast<std::size_t>(parent)];
            if (figure < 0.0) {
                pending.push_back(parent);
                ready = false;
            } else {
                sum += 0.5 * (1.0 + figure);
            }
        }
        if (!ready)
            continue;
        known[static_cast<std::size_t>(current)] = sum;
        pending.pop_back();
    }
    return known[static_cast<std::size_t>(bird)];
}

} // namespace

bool PairingPlan::compute(const std::vector<std::string> &cocks,
    const std::vector<std::string> &hens, const kinship::plan_progress &progress)
{
    m_notes.clear();
    m_plan = {};
    m_cocks.clear();
    m_hens.clear();

    std::unordered_set<std::string> trimmedCocks;
    std::unordered_set<std::string> trimmedHens;
    std::transform(
        cocks.begin(), cocks.end(), std::inserter(trimmedCocks, trimmedCocks.end()), trimmed);
    std::transform(
        hens.begin(), hens.end(), std::inserter(trimmedHens, trimmedHens.end()), trimmed);
    const std::vector<int> cockBirds = resolve(cocks, "Cock", trimmedHens);
    const std::vector<int> henBirds = resolve(hens, "Hen", trimmedCocks);
    const std::uint64_t bytes = bytesFor(cockBirds.size(), henBirds.size());
    if (bytes > m_memoryLimit) {
        m_notes.clear();
        throw ZanError(grouped(cockBirds.size() * henBirds.size()) + " pairs ("
            + grouped(cockBirds.size()) + " cocks x " + grouped(henBirds.size())
            + " hens) need about " + memoryText(bytes) + " of memory, more than the "
            + memoryText(m_memoryLimit) + " available for them: choose fewer cocks or hens");
    }
    kinship::plan plan = m_pedigree->plan_pairs(cockBirds, henBirds, true, progress);
    if (plan.stopped) {
        m_notes.clear();
        return false;
    }
    m_plan = std::move(plan);

    for (const int bird : m_plan.looped)
        m_notes.push_back(
            m_pedigree->bird_at(bird).band + ": the ancestry loops back on itself: left out.");
    m_cocks.clear();
    m_hens.clear();
    for (const int bird : m_plan.cocks) {
        const kinship::bird &b = m_pedigree->bird_at(bird);
        m_cocks.push_back(b.band);
        if (b.sex == 'f' || b.sex == 'b')
            m_notes.push_back("Cock " + b.band + " is named as a dam in the pedigree.");
    }
    for (const int bird : m_plan.hens) {
        const kinship::bird &b = m_pedigree->bird_at(bird);
        m_hens.push_back(b.band);
        if (b.sex == 'm' || b.sex == 'b')
            m_notes.push_back("Hen " + b.band + " is named as a sire in the pedigree.");
    }
    if (std::any_of(m_plan.pairs.begin(), m_plan.pairs.end(),
            [](const kinship::pair_figures &pair) { return pair.exact_shares; }))
        m_notes.push_back(ExactSharesNote);
    std::vector<double> known(static_cast<std::size_t>(m_pedigree->bird_count()), -1.0);
    m_cockGenerations.clear();
    for (const int bird : m_plan.cocks)
        m_cockGenerations.push_back(completeGenerations(*m_pedigree, bird, known));
    m_henGenerations.clear();
    for (const int bird : m_plan.hens)
        m_henGenerations.push_back(completeGenerations(*m_pedigree, bird, known));
    return true;
}

double PairingPlan::inbreeding(std::size_t cock, std::size_t hen) const
{
    return m_plan.at(cock, hen).inbreeding;
}

double PairingPlan::equivalentCompleteGenerations(std::size_t cock, std::size_t hen) const
{
    return 1.0 + 0.5 * (m_cockGenerations[cock] + m_henGenerations[hen]);
}

std::vector<PairingPlan::Ancestor> PairingPlan::ancestors(std::size_t cock, std::size_t hen) const
{
    std::vector<Ancestor> result;
    const kinship::pair_figures &pair = m_plan.at(cock, hen);
    for (const kinship::common_ancestor &ancestor : pair.ranked)
        if (ancestor.bird != kinship::no_bird)
            result.push_back({ m_pedigree->bird_at(ancestor.bird).band, ancestor.contribution,
                pair.exact_shares });
    return result;
}

int PairingPlan::commonAncestorCount(std::size_t cock, std::size_t hen) const
{
    return m_plan.at(cock, hen).common_ancestors;
}

std::vector<PairingPlan::Pair> PairingPlan::pairsByInbreeding() const
{
    std::vector<Pair> pairs;
    for (std::size_t c = 0; c < m_cocks.size(); ++c)
        for (std::size_t h = 0; h < m_hens.size(); ++h)
            pairs.push_back({ c, h });
    std::sort(pairs.begin(), pairs.end(), [&](const Pair &a, const Pair &b) {
        return std::tie(m_plan.at(a.cock, a.hen).inbreeding, m_cocks[a.cock], m_hens[a.hen])
            < std::tie(m_plan.at(b.cock, b.hen).inbreeding, m_cocks[b.cock], m_hens[b.hen]);
    });
    return pairs;
}
