#pragma once

// The printer setup dialog: the user picks the printer (or a PDF file), paper, orientation and
// copies; the choice becomes the current printer for every later analysis and print.
//
//   void TmainF::PrinterSetupExecute() { executePrinterSetupDialog(this); }

class QWidget;

// Shows the dialog modally over `parent` (may be null), starting from the current printer.
// Returns false when the user cancels; the current printer is then unchanged. Must not be
// called while the current printer runs a job.
bool executePrinterSetupDialog(QWidget *parent);
