#pragma once

#include <string>

class PairingAllocation;
class PairingPlan;

// The pairings as JSON, UTF-8, every figure in % at full precision:
//
//   { "file": "loft.csv", "cocks": [ ... ], "hens": [ ... ],
//     "matrix": [ [ 25.0, 12.5 ], ... ],                       the young's inbreeding by cock
//     "notes": [ "Cock NOPE is not in the pedigree: left out.", ... ],   refused rows and notes
//   and with an allocation besides:
//     "allocation": [ { "cock": "S1", "hen": "H1", "inbreeding": 12.5 }, ... ],   by hen
//     "unpaired_hens": [ ... ], "mean_inbreeding": 12.5, "largest_inbreeding": 12.5,
//     "max_per_cock": 1, "max_inbreeding": 6.25 (or null),
//     "mean_kinship": [ { "band": "S1", "sex": "cock", "mean_kinship": 14.0625 }, ... ],
//     "remarks": [ ... ] }
std::string pairingJson(const PairingPlan &plan, const PairingAllocation *allocation = nullptr);

// Writes pairingJson() to a file, replacing it only once it is complete. Throws ZanError when
// the file cannot be created or written.
void writePairingJson(const PairingPlan &plan, const std::string &fileName,
    const PairingAllocation *allocation = nullptr);
