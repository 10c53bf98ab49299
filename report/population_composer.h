#pragma once

#include <string>
#include <vector>

class PopulationStudy;
class Printer;
class TCustomDocView;

// Writes the population statistics into a document view, laid out like the analysis report: the
// same styles, 80 counted lines per page and a page header with the file, the date and the page
// number before every page. The summary, the by-year table, the refused rows with the engine's
// messages and the notes; every bird's figures go to the CSV file only.
class PopulationComposer
{
public:
    static constexpr int LinesPerPage = 80;

    PopulationComposer(TCustomDocView &output, const PopulationStudy &study);

    void write(const std::string &dateText);

private:
    void add(const std::string &text, int styleNo, int paraNo);
    void addLine(const std::string &text);
    void addLines(const std::vector<std::string> &lines);
    void writePageHeader();

    TCustomDocView &m_output;
    const PopulationStudy &m_study;
    std::string m_dateText;
    int m_pageNumber = 0;
    int m_lineCount = 0;
};

// Prints the population statistics on `printer` as one job titled with the pedigree file's name.
void printPopulation(const PopulationStudy &study, Printer &printer);
