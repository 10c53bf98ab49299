#pragma once

#include <string>

class PairingAllocation;
class PairingPlan;

// Writes the pairings as an Excel workbook: a sheet "Matrix" with the young's inbreeding in %,
// cocks down and hens across, and with an allocation a sheet "Allocation" laid out like the
// allocation block of the CSV (the pairs made with their main common ancestors, the mean and
// largest inbreeding, the unpaired hens, every candidate's mean kinship and the remarks). Bands
// are written as text, figures as numbers at full precision shown with two decimals. The file is
// replaced only once the workbook is complete. Throws ZanError when it cannot be written.
void writePairingWorkbook(const PairingPlan &plan, const std::string &fileName,
    const PairingAllocation *allocation = nullptr);
