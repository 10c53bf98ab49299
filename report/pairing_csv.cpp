#include "pairing_csv.h"

#include "report/pairing_allocation.h"
#include "report/pairing_composer.h"
#include "report/pairing_plan.h"
#include "report/report_text.h"

#include "platform/text_file.h"

namespace {

constexpr const char *LineEnd = "\r\n";

std::string quoted(const std::string &text)
{
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

std::string percent(double fraction)
{
    return formatLine("%.4f", fraction * 100.0);
}

constexpr const char *PairsHeading
    = "\"COCK\",\"HEN\",\"ZAN\",\"ECG\",\"ANCESTOR 1\",\"CONTRIBUTION 1\",\"ANCESTOR 2\","
      "\"CONTRIBUTION 2\",\"ANCESTOR 3\",\"CONTRIBUTION 3\"";

std::string pairRow(const PairingPlan &plan, const PairingPlan::Pair &pair)
{
    std::string row = quoted(plan.cocks()[pair.cock]) + ',' + quoted(plan.hens()[pair.hen]) + ','
        + percent(plan.inbreeding(pair.cock, pair.hen)) + ','
        + formatLine("%.4f", plan.equivalentCompleteGenerations(pair.cock, pair.hen));
    const std::vector<PairingPlan::Ancestor> ancestors = plan.ancestors(pair.cock, pair.hen);
    for (const PairingPlan::Ancestor &ancestor : ancestors)
        row += ',' + quoted(ancestor.band) + ',' + percent(ancestor.contribution);
    // Exact shares are marked in a column of their own after the three ancestors.
    if (!ancestors.empty() && ancestors.front().exactShare)
        row += std::string(2 * (kinship::ranked_ancestors - ancestors.size()), ',') + ','
            + quoted(PairingPlan::ExactShareMark);
    return row + LineEnd;
}

std::string allocationBlock(const PairingPlan &plan, const PairingAllocation &allocation)
{
    std::string text = LineEnd + quoted("ALLOCATION") + ','
        + quoted(PairingText::allocationLimits(allocation)) + LineEnd + PairsHeading + LineEnd;
    for (const PairingPlan::Pair &pair : allocation.pairs())
        text += pairRow(plan, pair);
    text += quoted("MEAN") + ',' + percent(allocation.meanInbreeding()) + LineEnd;
    text += quoted("LARGEST") + ',' + percent(allocation.largestInbreeding()) + LineEnd;
    text += quoted("UNPAIRED HENS");
    for (const std::string &hen : allocation.unpairedHens())
        text += ',' + quoted(hen);
    text += LineEnd;
    text += std::string("\"CANDIDATE\",\"SEX\",\"MEAN KINSHIP\"") + LineEnd;
    for (const PairingAllocation::Candidate &candidate : allocation.candidates())
        text += quoted(candidate.band) + ',' + quoted(candidate.cock ? "cock" : "hen") + ','
            + percent(candidate.meanKinship) + LineEnd;
    return text;
}

// Every refused row, every note of the plan and every remark of the allocation, one a line.
std::string notesBlock(const PairingPlan &plan, const PairingAllocation *allocation)
{
    const std::vector<std::string> none;
    const std::vector<std::string> &remarks = allocation ? allocation->remarks() : none;
    if (plan.refusedRows().empty() && plan.notes().empty() && remarks.empty())
        return {};
    std::string text = LineEnd + quoted("NOTE") + LineEnd;
    for (const PairingPlan::RefusedRow &row : plan.refusedRows())
        text += quoted(row.note()) + LineEnd;
    for (const std::string &note : plan.notes())
        text += quoted(note) + LineEnd;
    for (const std::string &remark : remarks)
        text += quoted(remark) + LineEnd;
    return text;
}

} // namespace

std::string pairingCsv(const PairingPlan &plan, const PairingAllocation *allocation)
{
    std::string text = quoted("COCK");
    for (const std::string &hen : plan.hens())
        text += ',' + quoted(hen);
    text += LineEnd;
    for (std::size_t c = 0; c < plan.cocks().size(); ++c) {
        text += quoted(plan.cocks()[c]);
        for (std::size_t h = 0; h < plan.hens().size(); ++h)
            text += ',' + percent(plan.inbreeding(c, h));
        text += LineEnd;
    }
    text += LineEnd;
    text += PairsHeading;
    text += LineEnd;
    for (const PairingPlan::Pair &pair : plan.pairsByInbreeding())
        text += pairRow(plan, pair);
    if (allocation)
        text += allocationBlock(plan, *allocation);
    return text + notesBlock(plan, allocation);
}

void writePairingCsv(
    const PairingPlan &plan, const std::string &fileName, const PairingAllocation *allocation)
{
    writeTextFile(fileName, pairingCsv(plan, allocation));
}
