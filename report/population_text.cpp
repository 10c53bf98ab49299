#include "population_text.h"

#include "report/population_study.h"
#include "report/report_text.h"

#include "platform/text_file.h"

#include <nlohmann/json.hpp>

#include <charconv>

namespace PopulationText {
const char *const Title = "POPULATION: INBREEDING, PEDIGREE COMPLETENESS AND KINSHIP";
} // namespace PopulationText

namespace {

constexpr const char *LineEnd = "\r\n";
constexpr std::size_t CsvPiece = 1 << 16;

// The mean inbreeding of every bird computed.
double meanInbreeding(const population &figures)
{
    double sum = 0.0;
    int count = 0;
    for (const population::bird_figures &bird : figures.birds()) {
        if (!bird.computed)
            continue;
        sum += bird.inbreeding;
        ++count;
    }
    return count > 0 ? sum / count : 0.0;
}

std::string figureLine(const char *label, const std::string &value)
{
    return formatLine("%-48s %s", label, value.c_str());
}

void appendQuoted(std::string &line, const std::string &text)
{
    line += '"';
    for (const char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

void appendNumber(std::string &line, double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    line.append(text, result.ptr);
}

void appendNumber(std::string &line, int value)
{
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    line.append(text, result.ptr);
}

} // namespace

std::vector<std::string> PopulationText::summaryLines(const PopulationStudy &study)
{
    const population &figures = study.figures();
    const population::group_figures &group = figures.group();
    std::vector<std::string> lines;
    lines.push_back(figureLine("Birds in the pedigree", formatLine("%d", study.birdCount())));
    lines.push_back(figureLine("Rows refused", formatLine("%zu", study.refusedRows().size())));
    lines.push_back(figureLine("Birds left out on or below a loop",
        formatLine("%d (loops: %zu)", figures.left_out(), figures.loops().size())));
    lines.push_back(figureLine(
        "Mean inbreeding of every bird", formatLine("%.4f %%", 100.0 * meanInbreeding(figures))));
    lines.push_back(figureLine("Reference group",
        formatLine("%d bird%s%s", group.birds, group.birds == 1 ? "" : "s",
            study.defaultGroup() ? " with no offspring" : "")));
    lines.push_back(
        figureLine("  mean inbreeding", formatLine("%.4f %%", 100.0 * group.mean_inbreeding)));
    lines.push_back(
        figureLine("  mean equivalent complete generations", formatLine("%.3f", group.mean_ecg)));
    lines.push_back(figureLine("  mean kinship (each bird with itself included)",
        formatLine("%.4f %%", 100.0 * group.mean_kinship)));
    lines.push_back(figureLine(
        "  founders (an unknown parent counts as one)", formatLine("%d", group.founders)));
    lines.push_back(figureLine(
        "  effective number of founders (f_e)", formatLine("%.2f", group.founder_equivalents)));
    const bool allTaken = group.ancestors_share >= 0.999;
    lines.push_back(figureLine("  effective number of ancestors (f_a)",
        allTaken ? formatLine("%.2f", group.ancestor_equivalents)
                 : formatLine("%.2f to %.2f", group.ancestor_equivalents_least,
                     group.ancestor_equivalents)));
    lines.push_back(figureLine("  ancestors taken for f_a",
        formatLine("%d, explaining %.2f %% of the genes", group.ancestors_taken,
            100.0 * group.ancestors_share)));
    lines.push_back(figureLine("  mean individual increase in inbreeding",
        formatLine("%.4f %% over %d bird%s with more than one generation",
            100.0 * group.mean_increase, group.increase_birds,
            group.increase_birds == 1 ? "" : "s")));
    lines.push_back(figureLine("  effective population size (1 / 2 x increase)",
        group.effective_size > 0.0 ? formatLine("%.1f", group.effective_size)
                                   : std::string("none (no increase)")));
    return lines;
}

std::vector<std::string> PopulationText::yearLines(const PopulationStudy &study)
{
    std::vector<std::string> lines;
    const auto &years = study.figures().by_year();
    if (years.empty())
        return lines;
    lines.push_back(
        formatLine("%-6s %10s %18s %10s", "YEAR", "BIRDS", "MEAN INBREEDING %", "MEAN ECG"));
    lines.push_back(formatLine(
        "%-6s %10s %18s %10s", "------", "----------", "------------------", "----------"));
    for (const population::year_figures &year : years)
        lines.push_back(formatLine("%-6d %10d %18.4f %10.3f", year.year, year.birds,
            100.0 * year.mean_inbreeding, year.mean_ecg));
    return lines;
}

void PopulationText::writeCsv(
    const PopulationStudy &study, const std::function<void(std::string_view)> &write)
{
    std::string text = "band,sire,dam,inbreeding,mean_kinship,ecg,known_ancestors,year";
    text += LineEnd;
    const auto &birds = study.figures().birds();
    for (int b = 0; b < study.birdCount(); ++b) {
        appendQuoted(text, study.band(b));
        text += ',';
        appendQuoted(text, study.sireBand(b));
        text += ',';
        appendQuoted(text, study.damBand(b));
        const population::bird_figures &bird = birds[static_cast<std::size_t>(b)];
        if (bird.computed) {
            text += ',';
            appendNumber(text, 100.0 * bird.inbreeding);
            text += ',';
            appendNumber(text, 100.0 * bird.mean_kinship);
            text += ',';
            appendNumber(text, bird.ecg);
            text += ',';
            appendNumber(text, bird.known_ancestors);
            text += ',';
            if (bird.year != 0)
                appendNumber(text, bird.year);
        } else {
            text += ",,,,,";
        }
        text += LineEnd;
        if (text.size() >= CsvPiece) {
            write(text);
            text.clear();
        }
    }
    write(text);
}

std::string PopulationText::json(const PopulationStudy &study)
{
    const population &figures = study.figures();
    const population::group_figures &group = figures.group();
    nlohmann::ordered_json result;
    result["file"] = study.fileName();
    result["birds"] = study.birdCount();
    result["left_out"] = figures.left_out();
    result["mean_inbreeding_percent"] = 100.0 * meanInbreeding(figures);
    result["group"] = {
        { "birds", group.birds },
        { "birds_with_no_offspring", study.defaultGroup() },
        { "mean_inbreeding_percent", 100.0 * group.mean_inbreeding },
        { "mean_ecg", group.mean_ecg },
        { "mean_kinship_percent", 100.0 * group.mean_kinship },
        { "founders", group.founders },
        { "founder_equivalents", group.founder_equivalents },
        { "ancestor_equivalents", group.ancestor_equivalents },
        { "ancestor_equivalents_least", group.ancestor_equivalents_least },
        { "ancestors_taken", group.ancestors_taken },
        { "ancestors_share_percent", 100.0 * group.ancestors_share },
        { "increase_birds", group.increase_birds },
        { "mean_increase_percent", 100.0 * group.mean_increase },
        { "effective_size", group.effective_size },
    };
    result["by_year"] = nlohmann::ordered_json::array();
    for (const population::year_figures &year : figures.by_year())
        result["by_year"].push_back({ { "year", year.year }, { "birds", year.birds },
            { "mean_inbreeding_percent", 100.0 * year.mean_inbreeding },
            { "mean_ecg", year.mean_ecg } });
    result["loops"] = nlohmann::ordered_json::array();
    for (const std::vector<int> &loop : figures.loops()) {
        nlohmann::ordered_json chain = nlohmann::ordered_json::array();
        for (const int bird : loop)
            chain.push_back(study.band(bird));
        result["loops"].push_back(chain);
    }
    result["refused_rows"] = nlohmann::ordered_json::array();
    for (const PopulationStudy::RefusedRow &row : study.refusedRows())
        result["refused_rows"].push_back(
            { { "row", row.row }, { "identification", row.bands.identification },
                { "sire", row.bands.sire }, { "dam", row.bands.dam }, { "message", row.message } });
    result["notes"] = study.notes();
    // Bands are 8-bit text of no particular encoding: bytes that are not UTF-8 are replaced.
    return result.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

void PopulationText::saveCsv(const PopulationStudy &study, const std::string &fileName)
{
    TextFileWriter writer;
    if (!writer.create(fileName))
        throw ZanError("cannot create file " + fileName);
    writeCsv(study, [&](std::string_view text) { writer.write(text); });
    writer.commit();
}
