#include "pairing_json.h"

#include "report/pairing_allocation.h"
#include "report/pairing_plan.h"

#include "platform/text_codec.h"
#include "platform/text_file.h"

#include <nlohmann/json.hpp>

namespace {

using json = nlohmann::ordered_json;

json texts(const std::vector<std::string> &bytes)
{
    json list = json::array();
    for (const std::string &text : bytes)
        list.push_back(bytesToUtf8(text));
    return list;
}

void addAllocation(json &document, const PairingPlan &plan, const PairingAllocation &allocation)
{
    json pairs = json::array();
    for (const PairingPlan::Pair &pair : allocation.pairs())
        pairs.push_back({ { "cock", bytesToUtf8(plan.cocks()[pair.cock]) },
            { "hen", bytesToUtf8(plan.hens()[pair.hen]) },
            { "inbreeding", plan.inbreeding(pair.cock, pair.hen) * 100.0 } });
    document["allocation"] = pairs;
    document["unpaired_hens"] = texts(allocation.unpairedHens());
    document["mean_inbreeding"] = allocation.meanInbreeding() * 100.0;
    document["largest_inbreeding"] = allocation.largestInbreeding() * 100.0;
    document["max_per_cock"] = allocation.limits().maxPerCock;
    const std::optional<double> &bound = allocation.limits().maxInbreedingPercent;
    document["max_inbreeding"] = bound ? json(*bound) : json(nullptr);
    json means = json::array();
    for (const PairingAllocation::Candidate &candidate : allocation.candidates())
        means.push_back(
            { { "band", bytesToUtf8(candidate.band) }, { "sex", candidate.cock ? "cock" : "hen" },
                { "mean_kinship", candidate.meanKinship * 100.0 } });
    document["mean_kinship"] = means;
    document["remarks"] = texts(allocation.remarks());
}

} // namespace

std::string pairingJson(const PairingPlan &plan, const PairingAllocation *allocation)
{
    json document;
    document["file"] = bytesToUtf8(plan.fileName());
    document["cocks"] = texts(plan.cocks());
    document["hens"] = texts(plan.hens());
    json matrix = json::array();
    for (std::size_t c = 0; c < plan.cocks().size(); ++c) {
        json row = json::array();
        for (std::size_t h = 0; h < plan.hens().size(); ++h)
            row.push_back(plan.inbreeding(c, h) * 100.0);
        matrix.push_back(row);
    }
    document["matrix"] = matrix;
    std::vector<std::string> notes;
    for (const PairingPlan::RefusedRow &row : plan.refusedRows())
        notes.push_back(row.note());
    notes.insert(notes.end(), plan.notes().begin(), plan.notes().end());
    document["notes"] = texts(notes);
    if (allocation)
        addAllocation(document, plan, *allocation);
    return document.dump(2) + "\n";
}

void writePairingJson(
    const PairingPlan &plan, const std::string &fileName, const PairingAllocation *allocation)
{
    writeTextFile(fileName, pairingJson(plan, allocation));
}
