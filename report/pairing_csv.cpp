#include "pairing_csv.h"

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

// Every refused row and every note of the plan, one a line.
std::string notesBlock(const PairingPlan &plan)
{
    if (plan.refusedRows().empty() && plan.notes().empty())
        return {};
    std::string text = LineEnd + quoted("NOTE") + LineEnd;
    for (const PairingPlan::RefusedRow &row : plan.refusedRows())
        text += quoted("Row " + std::to_string(row.row) + " (" + row.bands.identification
                    + "): " + row.message)
            + LineEnd;
    for (const std::string &note : plan.notes())
        text += quoted(note) + LineEnd;
    return text;
}

} // namespace

std::string pairingCsv(const PairingPlan &plan)
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
    text += "\"COCK\",\"HEN\",\"ZAN\",\"ECG\",\"ANCESTOR 1\",\"CONTRIBUTION 1\",\"ANCESTOR 2\","
            "\"CONTRIBUTION 2\",\"ANCESTOR 3\",\"CONTRIBUTION 3\"";
    text += LineEnd;
    for (const PairingPlan::Pair &pair : plan.pairsByInbreeding()) {
        text += quoted(plan.cocks()[pair.cock]) + ',' + quoted(plan.hens()[pair.hen]) + ','
            + percent(plan.inbreeding(pair.cock, pair.hen)) + ','
            + formatLine("%.4f", plan.equivalentCompleteGenerations(pair.cock, pair.hen));
        for (const PairingPlan::Ancestor &ancestor : plan.ancestors(pair.cock, pair.hen))
            text += ',' + quoted(ancestor.band) + ',' + percent(ancestor.contribution);
        text += LineEnd;
    }
    return text + notesBlock(plan);
}

void writePairingCsv(const PairingPlan &plan, const std::string &fileName)
{
    TextFileWriter writer;
    if (!writer.create(fileName))
        throw ZanError("cannot create file " + fileName);
    writer.write(pairingCsv(plan));
    writer.commit();
}
