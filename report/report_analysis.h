#pragma once

#include "report/report_geometry.h"

#include "docview/dv_types.h"
#include "engine/pedigree_depth.h"

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class inbreed;
class PedigreeSource;
class Printer;
class TCustomDocView;
class TDocView;
class TDVPrint;
class TDVStyle;

// One complete analysis for the report: empties the engine, fits the page margins to the printer
// it is handed, writes the listing (which loads the engine), computes, writes the chart, the table
// and the pedigree depth, and cuts the document into that printer's pages. Every page drawn through
// DVPrint1() gets the depth chart over the block the depth page reserves for it.
//
//   ReportAnalysis analysis;                 // engine tables allocated once, here
//   analysis.setPrinter(&printer);           // measured, and printed on by DVPrint1()
//   analysis.setFormattingProgress(show);    // "Repaginating (%d)" ...
//   int pages = analysis.run(document);      // compose() then paginate()
//   analysis.DVPrint1().Print(title, 1, false);
//
// The report window calls run() each time it is shown; the batch command calls compose() alone
// when it only wants the text. Problems of the pedigree never throw: they are lines of the report.
class ReportAnalysis
{
public:
    using FormattingProgress = std::function<void(int pagesCompleted, TDVPrintingStep step)>;

    ReportAnalysis();
    ~ReportAnalysis();
    ReportAnalysis(const ReportAnalysis &) = delete;
    ReportAnalysis &operator=(const ReportAnalysis &) = delete;

    // The printer the pages are laid out for, also DVPrint1()'s; not owned. Composing and
    // paginating throw ZanError while there is none.
    void setPrinter(Printer *printer);
    Printer *printer() const { return m_printer; }

    // Writes the report of `pedigree` into OutPut() for the printer's page geometry (margins set
    // on DVPrint1()). The pedigree is read, not kept.
    void compose(const PedigreeSource &pedigree);
    // Empties OutPut() and fits the page margins to the printer as compose() does, then
    // lets `write` fill the document, passing the date text of the page headers. For other
    // documents laid out like the report, such as the pairings.
    void composeWith(
        const std::function<void(TCustomDocView &output, const std::string &dateText)> &write);
    // Formats OutPut() and cuts its print copy into pages for the printer, raising the
    // formatting progress; returns the number of pages. Call after compose().
    int paginate();
    // compose() and paginate().
    int run(const PedigreeSource &pedigree);

    // Called synchronously while paginate() runs; also passed on to DVPrint1().OnFormatting.
    void setFormattingProgress(FormattingProgress progress);
    // The date and time the page headers show; by default the local time of each compose().
    void setReportTime(std::optional<std::tm> time) { m_reportTime = time; }

    // What the last compose() measured and decided.
    const PageMeasure &pageMeasure() const { return m_page; }
    const PageMargins &margins() const { return m_margins; }
    bool rowsAccepted() const { return m_rowsAccepted; }
    bool computed() const { return m_computed; }
    // The pedigree depth figures of the last compose(); empty after a failed compute.
    const pedigree_depth &depth() const { return m_depth; }

    inbreed &engine() { return *m_engine; }
    TDocView &OutPut() { return *m_output; }
    TDVStyle &DVStyle1() { return *m_style; }
    TDVPrint &DVPrint1() { return *m_print; }

private:
    void startDocument();
    void fitPage(const Printer &printer);
    std::string dateText() const;
    void addComputationLines();

    std::unique_ptr<inbreed> m_engine;
    std::unique_ptr<TDVStyle> m_style;
    std::unique_ptr<TDocView> m_output;
    std::unique_ptr<TDVPrint> m_print;
    Printer *m_printer = nullptr;
    FormattingProgress m_progress;
    std::optional<std::tm> m_reportTime;
    PageMeasure m_page;
    PageMargins m_margins;
    bool m_rowsAccepted = false;
    bool m_computed = false;
    pedigree_depth m_depth;
};

// "mmm. dd, yyyy hh:nn" of a broken-down local time, with the locale's short month name.
std::string reportDateText(const std::tm &time);
