#pragma once

#include "report/pedigree_chart.h"

#include <string>

class TCustomDocView;
class inbreed;
class PedigreeSource;
struct pedigree_depth;

// The kinds of page header: the listing's, the chart's, the table's and the depth page's.
enum class HeaderMode {
    Listing,
    Chart,
    Table,
    Depth,
};

// Writes the analysis report into a document view, one line per item, counting 80 lines per
// page and marking a page break before every page header after the first:
//
//   1. the input listing: every pedigree row with the engine's message (this also loads the
//      rows into the engine);
//   2. the pedigree chart: one page, eight generations drawn with box characters;
//   3. the ancestor table: one line per bird, then a closing line;
//   4. the pedigree depth: one line per generation, the summary figures and a block of blank
//      lines, tagged DepthChart::ReservedTag, that the page drawing fills with the depth chart.
//
// The line counts a header sets (6, 8 and 12) are larger than the lines it writes; together with
// the limit of 80 they decide where pages break. Chart lines are not counted.
class ReportComposer
{
public:
    static constexpr int LinesPerPage = 80;

    // All three must outlive the composer.
    ReportComposer(TCustomDocView &output, inbreed &engine, const PedigreeSource &pedigree);

    // Starts a new report: page number and line count 0, the date text of every page header.
    void start(const std::string &dateText);
    // The pedigreed bird's band and its inbreeding as a percentage, for the chart and table
    // headers.
    void setPedigreedBird(const std::string &band, double inbreedingPercent);

    // Section 1. Feeds every data row, trimmed, to the engine's load_record and lists it with the
    // engine's message. False when the engine refused any row.
    bool write_listing();
    // Section 2: the pedigree chart of ancestor-table positions 1 to 255.
    void write_chart();
    // Section 3: one line per bird of the pedigree order, the blank and the closing line.
    void write_table();
    // Section 4: the depth figures of the analysis (empty after a failed compute: the headings
    // alone) and the block reserved for the chart, on a page of its own when it does not fit.
    void write_depth(const pedigree_depth &depth);
    // A page header of the given mode; the first header of a report starts no new page.
    void write_page_header(HeaderMode mode);

    int pageNumber() const { return m_pageNumber; }
    int lineCount() const { return m_lineCount; }

private:
    void add(const std::string &text, int styleNo, int paraNo);
    void addLine(const std::string &text);
    void placeChartLabels();
    void writeTableLine();
    void writeDepthSummary(const pedigree_depth &depth);
    void reserveDepthChart();

    TCustomDocView &m_output;
    inbreed &m_engine;
    const PedigreeSource &m_pedigree;

    int m_pageNumber = 0;
    int m_lineCount = 0;
    std::string m_dateText;
    std::string m_pageText;
    std::string m_pedigreedBand;
    double m_pedigreedInbreeding = 0.0;
    PedigreeChart m_chart;
};

// Starts the page after page `pageNumber` of a document laid out like the report (the pairings
// and the population statistics too): the file line, with a page break before it from the second
// page on, and the line with the date and the page number. Returns the new page's number.
int startReportPage(TCustomDocView &output, const std::string &fileName,
    const std::string &dateText, int pageNumber);
