#pragma once

#include "app/command_line.h"

#include <memory>

class PdfPrinter;

// A PDF printer of the paper and resolution the options choose. With an empty PDF file name
// nothing is printed to a file; the printer then only gives the page geometry.
std::unique_ptr<PdfPrinter> makePdfPrinter(const ReportOptions &options);
