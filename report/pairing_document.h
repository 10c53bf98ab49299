#pragma once

// The pairings document, composed like the report for a printer's pages, printed as one job or
// given as plain text. The pairings window and the pairs command both write it through these.
//
//   printPairings(plan, "loft.csv", printer);      // one job on the printer
//   std::string text = pairingText(plan, pdf);      // the same lines, page breaks as form feeds

#include <string>

class PairingAllocation;
class PairingPlan;
class Printer;

// Prints the pairings of `plan` on `printer` as one job titled `title`, laid out for that
// printer's pages, with the season's pairs when `allocation` is given. Throws the print job's
// errors.
void printPairings(const PairingPlan &plan, const std::string &title, Printer &printer,
    const PairingAllocation *allocation = nullptr);

// The pairings of `plan` as UTF-8 text (see reportPlainText), composed for `printer`'s pages.
std::string pairingText(
    const PairingPlan &plan, Printer &printer, const PairingAllocation *allocation = nullptr);
