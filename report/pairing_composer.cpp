#include "pairing_composer.h"

#include "report/pairing_allocation.h"
#include "report/pairing_plan.h"
#include "report/report_composer.h"
#include "report/report_text.h"

#include "docview/doc_view.h"
#include "engine/kinship.h"

#include <algorithm>
#include <vector>

namespace PairingText {
const char *const Title = "PAIRINGS: INBREEDING OF THE YOUNG OF EVERY COCK WITH EVERY HEN";

std::string pairsHeading()
{
    return formatLine("%-18s %-18s %5s %s", "COCK", "HEN", "ZAN",
        "MAIN COMMON ANCESTORS AND THEIR CONTRIBUTION TO THE YOUNG'S ZAN");
}

std::string pairLine(const PairingPlan &plan, std::size_t cock, std::size_t hen)
{
    std::string line = formatLine("%-18s %-18s %5.2f", plan.cocks()[cock].c_str(),
        plan.hens()[hen].c_str(), plan.inbreeding(cock, hen) * 100.0);
    for (const PairingPlan::Ancestor &ancestor : plan.ancestors(cock, hen))
        line += formatLine(" %-18s %5.2f%s", ancestor.band.c_str(), ancestor.contribution * 100.0,
            ancestor.exactShare ? PairingPlan::ExactShareMark : "");
    return line;
}

std::string allocationLimits(const PairingAllocation &allocation)
{
    const int hens = allocation.limits().maxPerCock;
    std::string text = formatLine("AT MOST %d HEN%s PER COCK", hens, hens == 1 ? "" : "S");
    if (allocation.limits().maxInbreedingPercent)
        text += formatLine(", NO YOUNG ABOVE %g %%", *allocation.limits().maxInbreedingPercent);
    return text;
}

std::string allocationSummary(const PairingAllocation &allocation)
{
    return formatLine("%zu pair%s; inbreeding of the young: mean %.2f %%, largest %.2f %%.",
        allocation.pairs().size(), allocation.pairs().size() == 1 ? "" : "s",
        allocation.meanInbreeding() * 100.0, allocation.largestInbreeding() * 100.0);
}

std::vector<std::string> unpairedLines(const PairingAllocation &allocation, std::size_t width)
{
    const std::vector<std::string> &hens = allocation.unpairedHens();
    if (hens.empty())
        return { "Every hen is paired." };
    std::vector<std::string> lines = { "Hens left unpaired:" };
    for (std::size_t i = 0; i < hens.size(); ++i) {
        const std::string word = hens[i] + (i + 1 < hens.size() ? "," : ".");
        if (lines.back().size() + 1 + word.size() > width)
            lines.push_back({});
        lines.back() += (lines.back().empty() ? "" : " ") + word;
    }
    return lines;
}
} // namespace PairingText

namespace {

constexpr int BandWidth = kinship::band_length;
constexpr int CellWidth = 7; // "%7.2f"
constexpr int HeadingLines = 3;
constexpr const char *MatrixCorner = "COCK \\ HEN";
constexpr int LineWidth = 2 * (BandWidth + 1) + 5 + 3 * (BandWidth + 7); // of a pairs line

std::string runs(std::initializer_list<int> widths)
{
    std::string line;
    for (int width : widths) {
        if (!line.empty())
            line += ' ';
        line.append(static_cast<std::size_t>(width), ReportBox::Horizontal);
    }
    return line;
}

// The heading lines over the matrix columns of `hens`: each band whole, ending where its column
// ends so that it stands over the figures' last digits. Bands that all fit a column share the
// last line; longer ones step down the three lines column by column, so that bands on one line
// stand three columns (24 characters) apart and at least six blanks part them. The corner text
// begins the last line, under the first band.
//
//   columns:  |<------ 18 ------>| |<-7->| |<-7->| |<-7->| |<-7->|
//   line 0                  BE-2020-3112345                 GB-15-N04567
//   line 1                          NL-2018-1299876
//   line 2    COCK \ HEN                    BE-2017-3087654
std::vector<std::string> matrixHeadings(const std::vector<std::string> &hens)
{
    const bool fitColumns = std::all_of(
        hens.begin(), hens.end(), [](const std::string &band) { return band.size() <= CellWidth; });
    std::vector<std::string> lines(HeadingLines);
    lines.back() = MatrixCorner;
    for (std::size_t h = 0; h < hens.size(); ++h) {
        const std::string &band = hens[h];
        const std::size_t end = BandWidth + (h + 1) * (CellWidth + 1);
        std::string &line = lines[fitColumns ? HeadingLines - 1 : h % HeadingLines];
        line.resize(std::max(end - std::min(band.size(), end), line.size() + 1), ' ');
        line += band;
    }
    return lines;
}

} // namespace

PairingComposer::PairingComposer(
    TCustomDocView &output, const PairingPlan &plan, const PairingAllocation *allocation)
    : m_output(output), m_plan(plan), m_allocation(allocation)
{ }

void PairingComposer::add(const std::string &text, int styleNo, int paraNo)
{
    m_output.AddNL(text, styleNo, paraNo);
    ++m_lineCount;
}

void PairingComposer::addLine(const std::string &text)
{
    add(text, ReportStyle::NormalText, ReportStyle::LeftParagraph);
}

void PairingComposer::writePageHeader(Section section)
{
    m_pageNumber = startReportPage(m_output, m_plan.fileName(), m_dateText, m_pageNumber);
    m_lineCount = 2;
    addLine(ReportText::BlankLine);
    add(PairingText::Title, ReportStyle::Subheading, ReportStyle::CenteredParagraph);
    addLine(ReportText::BlankLine);
    writeSectionHeadings(section);
}

void PairingComposer::writeSectionHeadings(Section section)
{
    switch (section) {
    case Section::Summary:
        return;
    case Section::Matrix: {
        const std::size_t end = std::min(m_plan.hens().size(), m_firstHen + HensPerBlock);
        const auto &hens = m_plan.hens();
        for (const std::string &line : matrixHeadings(
                 std::vector<std::string>(hens.begin() + static_cast<std::ptrdiff_t>(m_firstHen),
                     hens.begin() + static_cast<std::ptrdiff_t>(end))))
            addLine(line);
        std::string underline(static_cast<std::size_t>(BandWidth), ReportBox::Horizontal);
        for (std::size_t h = m_firstHen; h < end; ++h)
            underline += ' ' + std::string(CellWidth, ReportBox::Horizontal);
        addLine(underline);
        return;
    }
    case Section::Allocation:
        addLine("THE SEASON'S PAIRS, " + PairingText::allocationLimits(*m_allocation));
        addLine(ReportText::BlankLine);
        [[fallthrough]];
    case Section::Pairs:
        addLine(PairingText::pairsHeading());
        addLine(runs({ BandWidth, BandWidth, 5, BandWidth, 5, BandWidth, 5, BandWidth, 5 }));
        return;
    case Section::Kinship:
        addLine("MEAN KINSHIP OF EVERY CANDIDATE TO ALL THE CANDIDATES");
        addLine(ReportText::BlankLine);
        addLine(formatLine("%-18s %-4s %7s", "BAND", "SEX", "KINSHIP"));
        addLine(runs({ BandWidth, 4, 7 }));
        return;
    }
}

void PairingComposer::startLine(Section section)
{
    if (m_lineCount >= LinesPerPage)
        writePageHeader(section);
}

void PairingComposer::writeSummary()
{
    writePageHeader(Section::Summary);
    addLine(formatLine("%d birds in the pedigree; %zu cocks x %zu hens = %zu pairs.",
        m_plan.birdCount(), m_plan.cocks().size(), m_plan.hens().size(),
        m_plan.cocks().size() * m_plan.hens().size()));
    if (!m_plan.refusedRows().empty()) {
        addLine(ReportText::BlankLine);
        addLine(ReportText::ListingHeading);
        addLine(listingUnderline());
        for (const PairingPlan::RefusedRow &row : m_plan.refusedRows()) {
            startLine(Section::Summary);
            addLine(listingLine(
                row.row, row.bands.identification, row.bands.sire, row.bands.dam, row.message));
        }
    }
    if (!m_plan.notes().empty()) {
        addLine(ReportText::BlankLine);
        for (const std::string &note : m_plan.notes()) {
            startLine(Section::Summary);
            addLine(note);
        }
    }
}

void PairingComposer::writeMatrix()
{
    for (m_firstHen = 0; m_firstHen < m_plan.hens().size(); m_firstHen += HensPerBlock) {
        // A block starts on a fresh page unless its headings and a few cocks fit.
        if (m_lineCount + 8 >= LinesPerPage)
            writePageHeader(Section::Matrix);
        else {
            addLine(ReportText::BlankLine);
            writeSectionHeadings(Section::Matrix);
        }
        const std::size_t end = std::min(m_plan.hens().size(), m_firstHen + HensPerBlock);
        for (std::size_t c = 0; c < m_plan.cocks().size(); ++c) {
            startLine(Section::Matrix);
            std::string line = formatLine("%-18s", m_plan.cocks()[c].c_str());
            for (std::size_t h = m_firstHen; h < end; ++h)
                line += formatLine(" %7.2f", m_plan.inbreeding(c, h) * 100.0);
            addLine(line);
        }
    }
}

void PairingComposer::writeAllocation()
{
    writePageHeader(Section::Allocation);
    for (const PairingPlan::Pair &pair : m_allocation->pairs()) {
        startLine(Section::Allocation);
        addLine(PairingText::pairLine(m_plan, pair.cock, pair.hen));
    }
    std::vector<std::string> lines
        = { ReportText::BlankLine, PairingText::allocationSummary(*m_allocation) };
    const std::vector<std::string> unpaired
        = PairingText::unpairedLines(*m_allocation, static_cast<std::size_t>(LineWidth));
    lines.insert(lines.end(), unpaired.begin(), unpaired.end());
    lines.insert(lines.end(), m_allocation->remarks().begin(), m_allocation->remarks().end());
    for (const std::string &line : lines) {
        startLine(Section::Allocation);
        addLine(line);
    }
    if (m_lineCount + 8 >= LinesPerPage)
        writePageHeader(Section::Kinship);
    else {
        addLine(ReportText::BlankLine);
        writeSectionHeadings(Section::Kinship);
    }
    for (const PairingAllocation::Candidate &candidate : m_allocation->candidates()) {
        startLine(Section::Kinship);
        addLine(formatLine("%-18s %-4s %7.2f", candidate.band.c_str(),
            candidate.cock ? "cock" : "hen", candidate.meanKinship * 100.0));
    }
}

void PairingComposer::writePairs()
{
    writePageHeader(Section::Pairs);
    for (const PairingPlan::Pair &pair : m_plan.pairsByInbreeding()) {
        startLine(Section::Pairs);
        addLine(PairingText::pairLine(m_plan, pair.cock, pair.hen));
    }
}

void PairingComposer::write(const std::string &dateText)
{
    m_dateText = dateText;
    m_pageNumber = 0;
    writeSummary();
    if (m_plan.empty()) {
        addLine(ReportText::BlankLine);
        add("NO PAIRS TO COMPUTE", ReportStyle::Subheading, ReportStyle::CenteredParagraph);
        return;
    }
    if (m_allocation)
        writeAllocation();
    writeMatrix();
    writePairs();
}
