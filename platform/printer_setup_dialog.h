#pragma once

// The printer setup dialog: the user picks the printer (or a PDF file), paper, orientation and
// copies; the caller keeps the choice for every later analysis and print.
//
//   if (auto chosen = executePrinterSetupDialog(this, report.printer()))
//       report.setPrinter(std::move(chosen));

#include "printer.h"

#include <memory>

class QWidget;

// Shows the dialog modally over `parent` (may be null), starting from `current` (null: the
// dialog's own defaults). Returns the printer chosen, or null when the user cancels. Throws
// ZanError while `current` runs a job.
std::unique_ptr<Printer> executePrinterSetupDialog(QWidget *parent, const Printer *current);
