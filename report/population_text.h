#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class PopulationStudy;

// The texts of the population statistics: the summary and the by-year table as lines of the
// report's fixed-width text, every bird's figures as comma-separated values, and everything but
// the birds as JSON.
namespace PopulationText {
extern const char *const Title;

// The summary: the file's birds, the group and its figures, one line each.
std::vector<std::string> summaryLines(const PopulationStudy &study);
// The heading of the by-year table and its lines, oldest year first; none when no band carries
// a year.
std::vector<std::string> yearLines(const PopulationStudy &study);

// Every bird in store order with a header row: band, sire, dam, inbreeding and mean kinship in %
// and the equivalent complete generations in the shortest text that reads back to the same
// double, the known ancestors and the year (empty when the band carries none). The figures of a
// bird left out by a loop are empty. Handed to `write` a piece at a time.
void writeCsv(const PopulationStudy &study, const std::function<void(std::string_view)> &write);
// writeCsv into a file, replaced safely; throws ZanError "cannot create file NAME" when it cannot
// be created, and TextFileError when writing fails.
void saveCsv(const PopulationStudy &study, const std::string &fileName);

// The summary, the by-year table, the loops, the refused rows and the notes as a JSON object.
std::string json(const PopulationStudy &study);
} // namespace PopulationText
