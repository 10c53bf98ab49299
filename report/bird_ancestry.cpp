#include "bird_ancestry.h"

#include "engine/inbreed.h"

#include <algorithm>
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
    // Each row's band by the number of the first row that names it; the rows themselves are read
    // again when needed rather than copied, as the pedigree may hold millions of them.
    const int rowCount = pedigree.GetPedigreeRowCount();
    std::unordered_map<std::string, int> firstRow;
    firstRow.reserve(static_cast<size_t>(std::max(rowCount, 1)));
    std::vector<int> sameBandAs(static_cast<size_t>(std::max(rowCount, 1)), 0); // 0: unread
    PedigreeRow read;
    for (int row = 1; row < rowCount; ++row) {
        if (pedigree.ReadPedigreeRow(row, read))
            sameBandAs[static_cast<size_t>(row)]
                = firstRow.emplace(std::move(read.identification), row).first->second;
    }
    const auto bird = firstRow.find(band);
    if (band.empty() || bird == firstRow.end())
        return BirdAncestry({}, 0, pedigree.CurrentFile());

    // Every band reached from the bird through sires and dams, each walked once; `isAncestor`
    // marks the first rows of the ancestors that have rows.
    std::unordered_set<std::string> ancestors;
    std::vector<bool> isAncestor(sameBandAs.size(), false);
    std::vector<int> pending { bird->second };
    while (!pending.empty()) {
        pedigree.ReadPedigreeRow(pending.back(), read);
        pending.pop_back();
        for (const std::string *parent : { &read.sire, &read.dam }) {
            if (!namesParent(*parent) || !ancestors.insert(*parent).second)
                continue;
            if (const auto found = firstRow.find(*parent); found != firstRow.end()) {
                isAncestor[static_cast<size_t>(found->second)] = true;
                pending.push_back(found->second);
            }
        }
    }

    std::vector<PedigreeRow> rows(1);
    pedigree.ReadPedigreeRow(bird->second, rows.front());
    for (int row = 1; row < rowCount; ++row) {
        const int first = sameBandAs[static_cast<size_t>(row)];
        if (row != bird->second && first > 0 && isAncestor[static_cast<size_t>(first)]) {
            pedigree.ReadPedigreeRow(row, read);
            rows.push_back(read);
        }
    }
    const int birdCount = static_cast<int>(ancestors.size() + (ancestors.count(band) > 0 ? 0 : 1));
    return BirdAncestry(std::move(rows), birdCount, pedigree.CurrentFile());
}
