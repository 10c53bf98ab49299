#include "pairing_document.h"

#include "report/pairing_composer.h"
#include "report/report_analysis.h"
#include "report/report_plain_text.h"

#include "print/dv_print.h"

namespace {

// The pairings document composed for the printer's pages.
void composePairings(ReportAnalysis &analysis, const PairingPlan &plan, Printer &printer,
    const PairingAllocation *allocation)
{
    analysis.setPrinter(&printer);
    analysis.composeWith([&](TCustomDocView &output, const std::string &dateText) {
        PairingComposer(output, plan, allocation).write(dateText);
    });
}

} // namespace

void printPairings(const PairingPlan &plan, const std::string &title, Printer &printer,
    const PairingAllocation *allocation)
{
    ReportAnalysis analysis;
    composePairings(analysis, plan, printer, allocation);
    analysis.paginate();
    analysis.DVPrint1().Print(title, 1, false);
}

std::string pairingText(
    const PairingPlan &plan, Printer &printer, const PairingAllocation *allocation)
{
    ReportAnalysis analysis;
    composePairings(analysis, plan, printer, allocation);
    return reportPlainText(analysis.OutPut());
}
