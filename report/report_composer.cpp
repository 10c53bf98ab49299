#include "report_composer.h"

#include "report/depth_chart.h"
#include "report/depth_text.h"
#include "report/pedigree_source.h"
#include "report/report_text.h"

#include "docview/doc_view.h"
#include "engine/inbreed.h"
#include "engine/pedigree_depth.h"

#include <algorithm>

ReportComposer::ReportComposer(
    TCustomDocView &output, inbreed &engine, const PedigreeSource &pedigree)
    : m_output(output), m_engine(engine), m_pedigree(pedigree)
{ }

void ReportComposer::start(const std::string &dateText)
{
    m_dateText = dateText;
    m_pageNumber = 0;
    m_lineCount = 0;
    m_pageText.clear();
}

void ReportComposer::setPedigreedBird(const std::string &band, double inbreedingPercent)
{
    m_pedigreedBand = band;
    m_pedigreedInbreeding = inbreedingPercent;
}

void ReportComposer::add(const std::string &text, int styleNo, int paraNo)
{
    m_output.AddNL(text, styleNo, paraNo);
}

void ReportComposer::addLine(const std::string &text)
{
    add(text, ReportStyle::NormalText, ReportStyle::LeftParagraph);
}

int startReportPage(TCustomDocView &output, const std::string &fileName,
    const std::string &dateText, int pageNumber)
{
    output.AddNL(fileLine(fileName), ReportStyle::Heading, ReportStyle::CenteredParagraph);
    if (pageNumber > 0)
        output.SetPageBreaksBeforeItems(output.GetLineCount() - 1, true);
    output.AddNL(dateLine(dateText, pageText(pageNumber + 1)), ReportStyle::NormalText,
        ReportStyle::LeftParagraph);
    return pageNumber + 1;
}

void ReportComposer::write_page_header(HeaderMode mode)
{
    m_pageNumber = startReportPage(m_output, m_pedigree.CurrentFile(), m_dateText, m_pageNumber);
    m_pageText = pageText(m_pageNumber);

    switch (mode) {
    case HeaderMode::Listing:
        addLine(ReportText::BlankLine);
        addLine(ReportText::ListingHeading);
        addLine(listingUnderline());
        m_lineCount = 6;
        return;
    case HeaderMode::Chart:
    case HeaderMode::Table:
    case HeaderMode::Depth:
        addLine(ReportText::BlankLine);
        add(m_pedigreedBand, ReportStyle::Subheading, ReportStyle::CenteredParagraph);
        add(inbreedingLine(m_pedigreedInbreeding), ReportStyle::Subheading,
            ReportStyle::CenteredParagraph);
        addLine(ReportText::BlankLine);
        m_lineCount = 8;
        if (mode == HeaderMode::Chart)
            return;
        if (mode == HeaderMode::Depth) {
            add(DepthText::Title, ReportStyle::Subheading, ReportStyle::CenteredParagraph);
            addLine(ReportText::BlankLine);
            m_lineCount = 10;
            return;
        }
        for (const char *heading : ReportText::TableHeadings)
            addLine(heading);
        addLine(tableUnderline());
        m_lineCount = 12;
        return;
    }
}

bool ReportComposer::write_listing()
{
    bool result = true;
    write_page_header(HeaderMode::Listing);
    const int rowCount = m_pedigree.GetPedigreeRowCount();
    for (int row = 1; row < rowCount; ++row) {
        if (m_lineCount >= LinesPerPage)
            write_page_header(HeaderMode::Listing);
        PedigreeRow bands;
        m_pedigree.ReadPedigreeRow(row, bands);
        if (!m_engine.load_record(bands.identification, bands.sire, bands.dam))
            result = false;
        addLine(listingLine(row, bands.identification, bands.sire, bands.dam, m_engine.message()));
        ++m_lineCount;
    }
    return result;
}

void ReportComposer::placeChartLabels()
{
    for (int position = 1; position <= PedigreeChart::LastPosition; ++position) {
        if (!m_engine.select_position(position) || m_engine.current().load_no == 0)
            continue;
        m_chart.placeLabel(position, m_engine.current().band);
    }
}

void ReportComposer::write_chart()
{
    m_chart.clear();
    write_page_header(HeaderMode::Chart);
    placeChartLabels();
    m_chart.drawLines();
    for (int row = 0; row < PedigreeChart::RowCount; ++row)
        addLine(m_chart.row(row));
}

void ReportComposer::writeTableLine()
{
    const inbreed::bird &b = m_engine.current();
    AncestorRow row;
    row.band = b.band;
    row.sex = b.sex;
    row.inbreeding = b.inbreeding;
    row.firstGeneration = b.min_gen;
    row.lastGeneration = b.max_gen;
    row.offspring = b.offspring;
    row.occurrences = b.occurrences;
    row.blood = b.blood;
    row.sireOccurrences = b.sire_occurrences;
    row.sireBlood = b.sire_blood;
    row.damOccurrences = b.dam_occurrences;
    row.damBlood = b.dam_blood;
    row.contribution = b.contribution;
    row.relationship = b.relationship;
    row.pairBack = b.pair_back;
    row.sireBand = m_engine.sire_band();
    row.damBand = m_engine.dam_band();
    addLine(tableLine(row));
}

void ReportComposer::write_table()
{
    write_page_header(HeaderMode::Table);
    // A store that refused birds past its limit still counts them; the table and its closing
    // line cover the birds it holds.
    const int birdCount = std::min(m_engine.bird_count(), inbreed::bird_limit);
    for (int index = 1; index <= birdCount; ++index) {
        if (!m_engine.select_sorted(index))
            continue;
        if (m_lineCount >= LinesPerPage)
            write_page_header(HeaderMode::Table);
        writeTableLine();
        ++m_lineCount;
    }
    if (m_lineCount < LinesPerPage - 2) {
        addLine(ReportText::BlankLine);
        ++m_lineCount;
    }
    if (m_lineCount < LinesPerPage) {
        add(closingLine(birdCount), ReportStyle::NormalText, ReportStyle::CenteredParagraph);
        ++m_lineCount;
    }
}

void ReportComposer::write_depth(const pedigree_depth &depth)
{
    write_page_header(HeaderMode::Depth);
    addLine(depthHeading());
    addLine(depthUnderline());
    m_lineCount += 2;
    for (const depth_generation &generation : depth.generations) {
        if (m_lineCount >= LinesPerPage) {
            write_page_header(HeaderMode::Depth);
            addLine(depthHeading());
            addLine(depthUnderline());
            m_lineCount += 2;
        }
        addLine(depthLine(generation));
        ++m_lineCount;
    }
    if (depth.generations.empty())
        return;
    writeDepthSummary(depth);
    reserveDepthChart();
}

void ReportComposer::writeDepthSummary(const pedigree_depth &depth)
{
    const std::string lines[] = {
        ReportText::BlankLine,
        depthSummaryLine(
            "EQUIVALENT COMPLETE GENERATIONS", depth.equivalent_complete_generations, false),
        depthSummaryLine("PEDIGREE COMPLETENESS INDEX, 4 GENERATIONS", depth.pci4 * 100.0, true),
        depthSummaryLine("ANCESTRAL LOSS, 5 GENERATIONS", depth.ancestral_loss_5 * 100.0, true),
        depthSummaryLine("ANCESTRAL LOSS, ALL GENERATIONS", depth.ancestral_loss_all * 100.0, true),
        DepthText::GenerationNote,
    };
    const int count = static_cast<int>(std::size(lines));
    if (m_lineCount + count > LinesPerPage)
        write_page_header(HeaderMode::Depth);
    for (const std::string &line : lines)
        addLine(line);
    m_lineCount += count;
}

void ReportComposer::reserveDepthChart()
{
    if (m_lineCount + 1 + DepthChart::ReservedLines > LinesPerPage)
        write_page_header(HeaderMode::Depth);
    else {
        addLine(ReportText::BlankLine);
        ++m_lineCount;
    }
    for (int line = 0; line < DepthChart::ReservedLines; ++line)
        m_output.AddNLTag(ReportText::BlankLine, ReportStyle::NormalText,
            ReportStyle::LeftParagraph, DepthChart::ReservedTag);
    m_lineCount += DepthChart::ReservedLines;
}
