#pragma once

#include "report/pedigree_source.h"

#include "engine/kinship.h"
#include "engine/population.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Population statistics of one pedigree file: every bird's inbreeding, pedigree completeness and
// mean kinship with a reference group, the group's founder and ancestor equivalents and effective
// size, and the mean inbreeding by year of birth.
//
//   PopulationStudy study;
//   for (each grid row)                                  // or study.load(document)
//       study.addRow(row, bands);
//   study.compute({ "NL-2021-1", "NL-2021-2" });         // empty: birds with no offspring
//   for (const std::string &note : study.notes())        // refused rows, loops, unknown bands
//       show(note);
//
// Rows are checked like the analysis checks them; refused rows are kept with their messages and
// the rest goes on. Birds on a loop and their descendants are left out with a note per loop.
class PopulationStudy
{
public:
    struct RefusedRow
    {
        int row = 0; // grid row, from 1
        PedigreeRow bands;
        std::string message;
    };

    // Called now and then with the birds done and the birds to do; false stops the work.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;

    void setFileName(std::string fileName) { m_fileName = std::move(fileName); }
    // Checks and stores one row; an empty row is skipped.
    void addRow(int row, const PedigreeRow &bands);
    // Reads every row of `pedigree` with addRow() and takes its file name.
    void load(const PedigreeSource &pedigree);

    // Computes every figure, the group given by bands (matched exactly, as trimmed grid cells
    // are; empty ones are skipped). `thisYear` places two-digit years of the bands (0: the
    // current year). False when stopped through `progress`.
    bool compute(
        const std::vector<std::string> &group, const Progress &progress = {}, int thisYear = 0);

    const std::string &fileName() const { return m_fileName; }
    const std::vector<RefusedRow> &refusedRows() const { return m_refusedRows; }
    // One sentence per loop, per group band left out and per refused row worth a remark.
    const std::vector<std::string> &notes() const { return m_notes; }
    bool defaultGroup() const { return m_defaultGroup; }

    int birdCount() const { return m_pedigree.bird_count(); }
    const std::string &band(int bird) const { return m_pedigree.bird_at(bird).band; }
    // The sire's and dam's bands, empty when unknown.
    std::string sireBand(int bird) const;
    std::string damBand(int bird) const;
    const population &figures() const { return m_figures; }

private:
    std::vector<int> resolveGroup(const std::vector<std::string> &bands);

    kinship m_pedigree;
    population m_figures;
    std::string m_fileName;
    std::vector<RefusedRow> m_refusedRows;
    std::vector<std::string> m_notes;
    bool m_defaultGroup = true;
};
