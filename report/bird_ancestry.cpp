#include "bird_ancestry.h"

#include "engine/inbreed.h"

#include <unordered_map>
#include <unordered_set>

namespace {

// The analysis reads an empty parent or a lone full stop as unknown.
bool namesParent(const std::string &band)
{
    return !band.empty() && band != ".";
}

} // namespace

BirdAncestry::BirdAncestry(std::vector<PedigreeRow> rows, int birdCount, std::string file)
    : m_rows(std::move(rows)), m_birdCount(birdCount), m_file(std::move(file))
{ }

std::string BirdAncestry::problem(const std::string &band) const
{
    if (!found())
        return "no bird with band '" + band + "' in " + m_file;
    if (m_birdCount > inbreed::bird_limit)
        return "the ancestry of " + band + " has " + std::to_string(m_birdCount)
            + " birds; the analysis takes at most " + std::to_string(inbreed::bird_limit);
    return {};
}

int BirdAncestry::GetPedigreeRowCount() const
{
    return static_cast<int>(m_rows.size()) + 1;
}

bool BirdAncestry::ReadPedigreeRow(int row, PedigreeRow &out) const
{
    if (row < 1 || row > static_cast<int>(m_rows.size()))
        return false;
    out = m_rows[static_cast<size_t>(row - 1)];
    return true;
}

BirdAncestry birdAncestry(const PedigreeSource &pedigree, const std::string &band)
{
    std::vector<PedigreeRow> all;
    std::unordered_map<std::string, size_t> firstRow;
    const int rowCount = pedigree.GetPedigreeRowCount();
    for (int row = 1; row < rowCount; ++row) {
        PedigreeRow read;
        if (!pedigree.ReadPedigreeRow(row, read))
            continue;
        firstRow.emplace(read.identification, all.size());
        all.push_back(std::move(read));
    }
    const auto bird = firstRow.find(band);
    if (band.empty() || bird == firstRow.end())
        return BirdAncestry({}, 0, pedigree.CurrentFile());

    // Every band reached from the bird through sires and dams, each walked once.
    std::unordered_set<std::string> ancestors;
    std::vector<size_t> pending { bird->second };
    while (!pending.empty()) {
        const PedigreeRow &row = all[pending.back()];
        pending.pop_back();
        for (const std::string *parent : { &row.sire, &row.dam }) {
            if (!namesParent(*parent) || !ancestors.insert(*parent).second)
                continue;
            if (const auto found = firstRow.find(*parent); found != firstRow.end())
                pending.push_back(found->second);
        }
    }

    std::vector<PedigreeRow> rows { all[bird->second] };
    for (size_t index = 0; index < all.size(); ++index) {
        if (index != bird->second && ancestors.count(all[index].identification) > 0)
            rows.push_back(std::move(all[index]));
    }
    const int birdCount = static_cast<int>(ancestors.size() + (ancestors.count(band) > 0 ? 0 : 1));
    return BirdAncestry(std::move(rows), birdCount, pedigree.CurrentFile());
}
