#include "pedigree_check_texts.h"

#include "platform/text_codec.h"
#include "report/pedigree_source.h"

#include <array>
#include <vector>

pedigree_findings checkPedigree(const PedigreeSource &pedigree)
{
    std::vector<check_row> rows;
    const int rowCount = pedigree.GetPedigreeRowCount();
    rows.reserve(rowCount > 1 ? static_cast<size_t>(rowCount - 1) : 0);
    for (int row = 1; row < rowCount; ++row) {
        PedigreeRow read;
        pedigree.ReadPedigreeRow(row, read);
        rows.push_back(
            { std::move(read.identification), std::move(read.sire), std::move(read.dam) });
    }
    return check_pedigree(rows);
}

std::string findingText(const std::string &bytes)
{
    return bytesToUtf8(bytes);
}

std::string severityHeading(finding_severity severity)
{
    switch (severity) {
    case finding_severity::error:
        return "Errors";
    case finding_severity::warning:
        return "Warnings";
    case finding_severity::note:
        return "Notes";
    }
    return {};
}

std::string summaryText(const pedigree_summary &summary)
{
    return std::to_string(summary.birds) + " birds, " + std::to_string(summary.founders)
        + " founders (no known parent), " + std::to_string(summary.one_parent_unknown)
        + " with one parent unknown, " + std::to_string(summary.parents_without_row)
        + " parents without a row of their own, deepest generation "
        + std::to_string(summary.deepest_generation);
}

std::string findingsText(const pedigree_findings &checked, const std::string &fileName)
{
    const std::string counts = counts_text(checked.count(finding_severity::error),
        checked.count(finding_severity::warning), checked.count(finding_severity::note));
    std::string text = fileName + ": "
        + (checked.findings.empty() ? "no problems found, the pedigree is clean" : counts) + "\n";
    constexpr std::array severities { finding_severity::error, finding_severity::warning,
        finding_severity::note };
    for (const finding_severity severity : severities) {
        if (checked.count(severity) == 0)
            continue;
        text += "\n" + severityHeading(severity) + "\n";
        for (const finding &f : checked.findings)
            if (f.severity == severity)
                text += "  " + rows_text(f.rows) + ": " + findingText(f.message) + "\n";
    }
    return text + "\nSummary: " + summaryText(checked.summary) + "\n";
}
