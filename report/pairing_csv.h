#pragma once

#include <string>

class PairingPlan;

// The pairings as comma-separated 8-bit text, CR LF line ends, bands in double quotes:
//
//   "COCK","<hen 1>","<hen 2>",...            the matrix of the young's inbreeding in %,
//   "<cock 1>",12.5000,3.1250,...             four decimals
//   (blank line)
//   "COCK","HEN","ZAN","ANCESTOR 1","CONTRIBUTION 1",...,"CONTRIBUTION 3"
//   "<cock>","<hen>",3.1250,"<band>",1.5625,...    every pair, least inbred first
//   (blank line)                                    when rows were refused or birds left out:
//   "NOTE"
//   "Row 4 (<band>): <engine's message>"            every refused row, then every note of the
//   "Cock <band> is not in the pedigree: left out."  plan, one a line
std::string pairingCsv(const PairingPlan &plan);

// Writes pairingCsv() to a file, replacing it only once it is complete. Throws ZanError when
// the file cannot be created or written.
void writePairingCsv(const PairingPlan &plan, const std::string &fileName);
