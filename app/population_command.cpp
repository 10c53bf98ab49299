#include "population_command.h"

#include "app/command_line.h"
#include "app/pairs_command.h"
#include "app/pdf_printer_options.h"
#include "app/pedigree_file_rows.h"

#include "platform/pdf_printer.h"
#include "platform/text_file.h"
#include "report/population_composer.h"
#include "report/population_study.h"
#include "report/population_text.h"

#include <chrono>
#include <ostream>

namespace {

// A line on standard error that tells how far the work has come, shown once it has taken a
// second and redrawn at most ten times a second; cleared when done.
class ProgressLine
{
public:
    ProgressLine(std::ostream &errors, bool shown) : m_errors(errors), m_shown(shown) { }
    ~ProgressLine()
    {
        if (m_drawn)
            m_errors << '\r' << std::string(m_width, ' ') << '\r' << std::flush;
    }

    bool update(std::size_t done, std::size_t total)
    {
        const auto now = Clock::now();
        if (!m_shown || now - m_start < std::chrono::seconds(1) || now - m_last < m_every)
            return true;
        m_last = now;
        const std::string line = "zan: computing "
            + std::to_string(total > 0 ? 100 * done / total : 100) + " %, " + std::to_string(done)
            + " of " + std::to_string(total) + " birds";
        m_width = std::max(m_width, line.size());
        m_errors << '\r' << line << std::flush;
        m_drawn = true;
        return true;
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds m_every { 100 };

    std::ostream &m_errors;
    bool m_shown;
    bool m_drawn = false;
    std::size_t m_width = 0;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_last {};
};

void reportProblems(const PopulationStudy &study, std::ostream &errors)
{
    for (const PopulationStudy::RefusedRow &row : study.refusedRows())
        errors << "zan: row " << row.row << " (" << row.bands.identification << "): " << row.message
               << '\n';
    for (const std::string &note : study.notes())
        errors << "zan: " << note << '\n';
}

void writeText(const PopulationStudy &study, std::ostream &out)
{
    out << PopulationText::Title << "\n\n";
    for (const std::string &line : PopulationText::summaryLines(study))
        out << line << '\n';
    const std::vector<std::string> years = PopulationText::yearLines(study);
    if (!years.empty())
        out << '\n';
    for (const std::string &line : years)
        out << line << '\n';
}

} // namespace

int runPopulationCommand(
    const PopulationOptions &options, std::ostream &out, std::ostream &errors, bool showProgress)
{
    try {
        const std::vector<std::string> group
            = options.group.empty() ? std::vector<std::string>() : readBandList(options.group);
        PopulationStudy study;
        study.setFileName(options.output.inputFile);
        readPedigreeRows(options.output.inputFile,
            [&](int row, const PedigreeRow &bands) { study.addRow(row, bands); });
        {
            ProgressLine progress(errors, showProgress);
            study.compute(group,
                [&](std::size_t done, std::size_t total) { return progress.update(done, total); });
        }
        reportProblems(study, errors);

        if (!options.csvFile.empty())
            PopulationText::saveCsv(study, options.csvFile);
        if (!options.jsonFile.empty())
            writeTextFile(options.jsonFile, PopulationText::json(study));
        if (!options.output.pdfFile.empty()) {
            const std::unique_ptr<PdfPrinter> pdf = makePdfPrinter(options.output);
            printPopulation(study, *pdf);
        }
        if (options.writesText()) {
            writeText(study, out);
            out.flush();
            if (!out) {
                errors << "zan: cannot write the figures to standard output\n";
                return 1;
            }
        }
    } catch (const ZanError &error) {
        errors << "zan: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
