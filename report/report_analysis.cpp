#include "report_analysis.h"

#include "report/depth_chart.h"
#include "report/pedigree_source.h"
#include "report/report_composer.h"
#include "report/report_text.h"

#include "docview/doc_view.h"
#include "engine/inbreed.h"
#include "platform/locale_text.h"
#include "platform/printer.h"
#include "platform/zan_error.h"
#include "print/dv_print.h"

#include <algorithm>

std::string reportDateText(const std::tm &time)
{
    return reportDate(shortMonthName(time.tm_mon + 1), time.tm_mday, time.tm_year + 1900,
        time.tm_hour, time.tm_min);
}

ReportAnalysis::ReportAnalysis()
    : m_engine(std::make_unique<inbreed>()), m_style(CreateReportStyleSheet()),
      m_output(std::make_unique<TDocView>()), m_print(std::make_unique<TDVPrint>())
{
    // The document is only ever printed and previewed, never shown itself.
    m_output->setVisible(false);
    m_output->Color = clWhite;
    m_output->LeftMargin = 0;
    m_output->RightMargin = 0;
    m_output->TopMargin = 0;
    m_output->BottomMargin = 0;
    m_output->SetStyle(m_style.get());

    m_print->PreviewCorrection = true;
    m_print->SetTransparentBackground(true);
    m_print->OnFormatting = [this](TCustomDocView &, int pagesCompleted, TDVPrintingStep step) {
        if (m_progress)
            m_progress(pagesCompleted, step);
    };
    m_print->OnPagePostpaint
        = [this](TCustomDVPrint &sender, int page, Canvas &canvas, bool, const Rect &,
              const Rect &) { DepthChart::drawOnPage(sender, page, canvas, m_depth); };
}

ReportAnalysis::~ReportAnalysis() = default;

void ReportAnalysis::setFormattingProgress(FormattingProgress progress)
{
    m_progress = std::move(progress);
}

void ReportAnalysis::setPrinter(Printer *printer)
{
    m_printer = printer;
    m_print->setPrinter(printer);
}

void ReportAnalysis::fitPage(const Printer &printer)
{
    PrinterCaps caps;
    caps.logPixelsX = printer.deviceCaps(DeviceCap::LogPixelsX);
    caps.logPixelsY = printer.deviceCaps(DeviceCap::LogPixelsY);
    caps.physicalWidth = printer.deviceCaps(DeviceCap::PhysicalWidth);
    caps.physicalHeight = printer.deviceCaps(DeviceCap::PhysicalHeight);
    caps.physicalOffsetX = printer.deviceCaps(DeviceCap::PhysicalOffsetX);
    caps.physicalOffsetY = printer.deviceCaps(DeviceCap::PhysicalOffsetY);
    m_page = measurePage(caps);
    m_margins = fitMargins(m_page);
    m_print->SetLM(m_margins.left);
    m_print->SetRM(m_margins.right);
    m_print->SetTM(m_margins.top);
    m_print->SetBM(m_margins.bottom);
}

std::string ReportAnalysis::dateText() const
{
    if (m_reportTime)
        return reportDateText(*m_reportTime);
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return reportDateText(local);
}

void ReportAnalysis::addComputationLines()
{
    using namespace ReportStyle;
    if (!m_computed) {
        m_output->AddNL(ReportText::BlankLine, NormalText, LeftParagraph);
        m_output->AddNL(computationErrorLine(m_engine->message()), NormalText, LeftParagraph);
    }
    if (!m_rowsAccepted || !m_computed) {
        m_output->AddNL(ReportText::BlankLine, Subheading, CenteredParagraph);
        m_output->AddNL(ReportText::InvalidResults, Subheading, CenteredParagraph);
    }
}

void ReportAnalysis::startDocument()
{
    if (m_printer == nullptr)
        throw ZanError("no printer is available");
    m_output->SetBackgroundStyle(bsCentered);
    m_output->Clear();
    fitPage(*m_printer);
}

void ReportAnalysis::composeWith(
    const std::function<void(TCustomDocView &output, const std::string &dateText)> &write)
{
    startDocument();
    m_depth = {};
    write(*m_output, dateText());
}

void ReportAnalysis::compose(const PedigreeSource &pedigree)
{
    m_engine->reset();
    startDocument();

    ReportComposer composer(*m_output, *m_engine, pedigree);
    composer.start(dateText());
    if (!isReportPaper(m_page))
        m_output->AddNL(
            ReportText::PaperWarning, ReportStyle::Subheading, ReportStyle::CenteredParagraph);

    m_rowsAccepted = composer.write_listing();
    m_computed = m_engine->compute();
    addComputationLines();

    // A store that refused birds past its limit counts them all the same; the pedigreed bird is
    // the last one it holds.
    const int storedBirds = std::min(m_engine->bird_count(), inbreed::bird_limit);
    m_engine->select_sorted(storedBirds);
    composer.setPedigreedBird(m_engine->current().band, m_engine->current().inbreeding * 100.0);
    composer.write_chart();
    composer.write_table();
    m_depth = measure_pedigree_depth(*m_engine);
    composer.write_depth(m_depth);
}

int ReportAnalysis::paginate()
{
    // Line heights on paper leave out the fonts' external leading.
    m_print->DocView().Flags.erase(dvflUseExternalLeading);

    m_output->Format();
    m_print->AssignSource(*m_output);
    m_print->FormatPages({});
    return m_print->GetPagesCount();
}

int ReportAnalysis::run(const PedigreeSource &pedigree)
{
    compose(pedigree);
    return paginate();
}
