#include "population_study.h"

#include <unordered_set>

void PopulationStudy::addRow(int row, const PedigreeRow &bands)
{
    // An empty grid row is no pedigree row.
    if (bands.identification.empty() && bands.sire.empty() && bands.dam.empty())
        return;
    if (!m_pedigree.load_record(bands.identification, bands.sire, bands.dam))
        m_refusedRows.push_back({ row, bands, m_pedigree.message() });
}

void PopulationStudy::load(const PedigreeSource &pedigree)
{
    m_fileName = pedigree.CurrentFile();
    const int rowCount = pedigree.GetPedigreeRowCount();
    for (int row = 1; row < rowCount; ++row) {
        PedigreeRow bands;
        if (pedigree.ReadPedigreeRow(row, bands))
            addRow(row, bands);
    }
}

std::vector<int> PopulationStudy::resolveGroup(const std::vector<std::string> &bands)
{
    std::vector<int> birds;
    std::unordered_set<std::string> seen;
    for (const std::string &band : bands) {
        if (band.empty() || !seen.insert(band).second)
            continue;
        const int bird = m_pedigree.find(band);
        if (bird == kinship::no_bird)
            m_notes.push_back(band + " of the group is not in the pedigree: left out.");
        else
            birds.push_back(bird);
    }
    return birds;
}

bool PopulationStudy::compute(
    const std::vector<std::string> &group, const Progress &progress, int thisYear)
{
    m_notes.clear();
    population::options settings;
    settings.group = resolveGroup(group);
    m_defaultGroup = settings.group.empty();
    if (m_defaultGroup && !group.empty())
        m_notes.push_back("No bird of the group is in the pedigree: the birds with no offspring "
                          "are the group.");
    settings.this_year = thisYear;
    settings.progress = progress;
    if (!m_figures.compute(m_pedigree, settings))
        return false;
    for (const std::vector<int> &loop : m_figures.loops()) {
        std::string chain;
        for (const int bird : loop)
            chain += (chain.empty() ? "" : " < ") + band(bird);
        m_notes.push_back("The ancestry loops back on itself: " + chain
            + " (each bird a parent of the one before): left out with its descendants.");
    }
    if (!m_defaultGroup)
        for (const int bird : settings.group)
            if (!m_figures.birds()[static_cast<std::size_t>(bird)].computed)
                m_notes.push_back(band(bird) + " of the group descends from a loop: left out.");
    return true;
}

std::string PopulationStudy::sireBand(int bird) const
{
    const int sire = m_pedigree.bird_at(bird).sire;
    return sire == kinship::no_bird ? std::string() : band(sire);
}

std::string PopulationStudy::damBand(int bird) const
{
    const int dam = m_pedigree.bird_at(bird).dam;
    return dam == kinship::no_bird ? std::string() : band(dam);
}
