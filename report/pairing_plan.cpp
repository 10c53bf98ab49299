#include "pairing_plan.h"

#include <algorithm>
#include <iterator>
#include <tuple>
#include <unordered_set>

std::string PairingPlan::trimmed(const std::string &text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string PairingPlan::RefusedRow::note() const
{
    return "Row " + std::to_string(row) + " (" + bands.identification + "): " + message;
}

void PairingPlan::load(const PedigreeSource &pedigree)
{
    m_fileName = pedigree.CurrentFile();
    m_pedigree.reset();
    m_refusedRows.clear();
    const int rowCount = pedigree.GetPedigreeRowCount();
    for (int row = 1; row < rowCount; ++row) {
        PedigreeRow bands;
        if (!pedigree.ReadPedigreeRow(row, bands))
            continue;
        // An empty grid row is no pedigree row; the analysis lists it, the planner skips it.
        if (bands.identification.empty() && bands.sire.empty() && bands.dam.empty())
            continue;
        if (!m_pedigree.load_record(bands.identification, bands.sire, bands.dam))
            m_refusedRows.push_back({ row, bands, m_pedigree.message() });
    }
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
        const int bird = m_pedigree.find(band);
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
    for (int b = 0; b < m_pedigree.bird_count(); ++b)
        if (m_pedigree.bird_at(b).sex != sex)
            bands.push_back(m_pedigree.bird_at(b).band);
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

void PairingPlan::compute(
    const std::vector<std::string> &cocks, const std::vector<std::string> &hens)
{
    m_notes.clear();

    std::unordered_set<std::string> trimmedCocks;
    std::unordered_set<std::string> trimmedHens;
    std::transform(
        cocks.begin(), cocks.end(), std::inserter(trimmedCocks, trimmedCocks.end()), trimmed);
    std::transform(
        hens.begin(), hens.end(), std::inserter(trimmedHens, trimmedHens.end()), trimmed);
    const std::vector<int> cockBirds = resolve(cocks, "Cock", trimmedHens);
    const std::vector<int> henBirds = resolve(hens, "Hen", trimmedCocks);
    m_plan = m_pedigree.plan_pairs(cockBirds, henBirds);

    for (const int bird : m_plan.looped)
        m_notes.push_back(
            m_pedigree.bird_at(bird).band + ": the ancestry loops back on itself: left out.");
    m_cocks.clear();
    m_hens.clear();
    for (const int bird : m_plan.cocks) {
        const kinship::bird &b = m_pedigree.bird_at(bird);
        m_cocks.push_back(b.band);
        if (b.sex == 'f' || b.sex == 'b')
            m_notes.push_back("Cock " + b.band + " is named as a dam in the pedigree.");
    }
    for (const int bird : m_plan.hens) {
        const kinship::bird &b = m_pedigree.bird_at(bird);
        m_hens.push_back(b.band);
        if (b.sex == 'm' || b.sex == 'b')
            m_notes.push_back("Hen " + b.band + " is named as a sire in the pedigree.");
    }
}

double PairingPlan::inbreeding(std::size_t cock, std::size_t hen) const
{
    return m_plan.at(cock, hen).inbreeding;
}

std::vector<PairingPlan::Ancestor> PairingPlan::ancestors(std::size_t cock, std::size_t hen) const
{
    std::vector<Ancestor> result;
    for (const kinship::common_ancestor &ancestor : m_plan.at(cock, hen).ranked)
        if (ancestor.bird != kinship::no_bird)
            result.push_back({ m_pedigree.bird_at(ancestor.bird).band, ancestor.contribution });
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
