#pragma once

#include <string>

class PairingAllocation;
class PairingPlan;

// The pairings as comma-separated 8-bit text, CR LF line ends, bands in double quotes:
//
//   "COCK","<hen 1>","<hen 2>",...            the matrix of the young's inbreeding in %,
//   "<cock 1>",12.5000,3.1250,...             four decimals
//   (blank line)
//   "COCK","HEN","ZAN","ANCESTOR 1","CONTRIBUTION 1",...,"CONTRIBUTION 3"
//   "<cock>","<hen>",3.1250,"<band>",1.5625,...    every pair, least inbred first
//   (blank line)                                    with an allocation:
//   "ALLOCATION","AT MOST 1 HEN PER COCK"           its limits,
//   "COCK","HEN","ZAN","ANCESTOR 1",...              the pairs made, by hen, as above,
//   "MEAN",1.5625                                    the young's mean and largest inbreeding,
//   "LARGEST",3.1250
//   "UNPAIRED HENS","<band>",...                     the hens left without a cock,
//   "CANDIDATE","SEX","MEAN KINSHIP"                 and every candidate's mean kinship
//   "<band>","cock",14.0625                          to all the candidates
//   (blank line)                                    when rows were refused, birds left out or
//   "NOTE"                                          limits not honoured:
//   "Row 4 (<band>): <engine's message>"            every refused row, every note of the
//   "Cock <band> is not in the pedigree: left out."  plan, then every remark of the allocation,
//                                                   one a line
std::string pairingCsv(const PairingPlan &plan, const PairingAllocation *allocation = nullptr);

// Writes pairingCsv() to a file, replacing it only once it is complete. Throws ZanError when
// the file cannot be created or written.
void writePairingCsv(const PairingPlan &plan, const std::string &fileName,
    const PairingAllocation *allocation = nullptr);
