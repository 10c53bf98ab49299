#include "population_composer.h"

#include "report/population_study.h"
#include "report/population_text.h"
#include "report/report_analysis.h"
#include "report/report_composer.h"
#include "report/report_text.h"

#include "docview/doc_view.h"
#include "print/dv_print.h"

PopulationComposer::PopulationComposer(TCustomDocView &output, const PopulationStudy &study)
    : m_output(output), m_study(study)
{ }

void PopulationComposer::add(const std::string &text, int styleNo, int paraNo)
{
    if (m_lineCount >= LinesPerPage)
        writePageHeader();
    m_output.AddNL(text, styleNo, paraNo);
    ++m_lineCount;
}

void PopulationComposer::addLine(const std::string &text)
{
    add(text, ReportStyle::NormalText, ReportStyle::LeftParagraph);
}

void PopulationComposer::addLines(const std::vector<std::string> &lines)
{
    if (lines.empty())
        return;
    addLine(ReportText::BlankLine);
    for (const std::string &line : lines)
        addLine(line);
}

void PopulationComposer::writePageHeader()
{
    m_pageNumber = startReportPage(m_output, m_study.fileName(), m_dateText, m_pageNumber);
    m_lineCount = 2;
    addLine(ReportText::BlankLine);
    add(PopulationText::Title, ReportStyle::Subheading, ReportStyle::CenteredParagraph);
}

void PopulationComposer::write(const std::string &dateText)
{
    m_dateText = dateText;
    m_pageNumber = 0;
    writePageHeader();
    addLines(PopulationText::summaryLines(m_study));
    addLines(PopulationText::yearLines(m_study));
    if (!m_study.refusedRows().empty()) {
        addLine(ReportText::BlankLine);
        addLine(ReportText::ListingHeading);
        addLine(listingUnderline());
        for (const PopulationStudy::RefusedRow &row : m_study.refusedRows())
            addLine(listingLine(
                row.row, row.bands.identification, row.bands.sire, row.bands.dam, row.message));
    }
    addLines(m_study.notes());
}

void printPopulation(const PopulationStudy &study, Printer &printer)
{
    ReportAnalysis analysis;
    analysis.setPrinter(&printer);
    analysis.composeWith([&](TCustomDocView &output, const std::string &dateText) {
        PopulationComposer(output, study).write(dateText);
    });
    analysis.paginate();
    analysis.DVPrint1().Print(study.fileName(), 1, false);
}
