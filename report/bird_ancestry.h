#pragma once

#include "report/pedigree_source.h"

#include <string>
#include <vector>

// The rows of one bird's ancestry, read from a pedigree of any size: the bird's row first (the
// first row that names it), then, in the pedigree's order, every row that identifies one of its
// ancestors. Analysed as a pedigree of its own they give the bird's report, with this bird as
// the pedigreed bird.
//
//   BirdAncestry ancestry = birdAncestry(document, "NL-2020-123");
//   if (std::string problem = ancestry.problem("NL-2020-123"); !problem.empty()) ...
//   report.Analyze(ancestry);
//
// The walk is iterative and visits each band once, so deep or looping pedigrees end.
class BirdAncestry : public PedigreeSource
{
public:
    BirdAncestry() = default;
    BirdAncestry(std::vector<PedigreeRow> rows, int birdCount, std::string file);

    // No rows when the pedigree names no row with the band.
    const std::vector<PedigreeRow> &rows() const { return m_rows; }
    bool found() const { return !m_rows.empty(); }
    // The distinct bands of the bird and its ancestors, parents without a row of their own
    // included: the birds the analysis stores.
    int birdCount() const { return m_birdCount; }
    // Empty when the ancestry can be analysed; else one line: the band is not in the pedigree,
    // or its ancestry has more birds than the analysis takes.
    std::string problem(const std::string &band) const;

    int GetPedigreeRowCount() const override;
    bool ReadPedigreeRow(int row, PedigreeRow &out) const override;
    // The pedigree's file name.
    std::string CurrentFile() const override { return m_file; }

private:
    std::vector<PedigreeRow> m_rows;
    int m_birdCount = 0;
    std::string m_file;
};

// The ancestry of the bird with exactly this band (trimmed, byte for byte) in `pedigree`.
BirdAncestry birdAncestry(const PedigreeSource &pedigree, const std::string &band);
