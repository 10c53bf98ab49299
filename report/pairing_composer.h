#pragma once

#include <string>

class PairingPlan;
class TCustomDocView;

// Writes the pairings document into a document view, laid out like the analysis report: the same
// styles, 80 counted lines per page and a page header with the file, the date and the page
// number before every page (a page break before each one after the first).
//
//   1. a summary, the refused rows with the engine's messages and the notes on the lists;
//   2. the matrix of the young's inbreeding in %, cocks down and hens across, twelve hens at a
//      time, each hen's band whole on one of three heading lines and ending over its column;
//   3. every pair from the least to the most inbred young with its three main common ancestors
//      and their contributions in %.
class PairingComposer
{
public:
    static constexpr int LinesPerPage = 80;
    static constexpr int HensPerBlock = 12;

    PairingComposer(TCustomDocView &output, const PairingPlan &plan);

    void write(const std::string &dateText);

    int pageNumber() const { return m_pageNumber; }

private:
    enum class Section {
        Summary,
        Matrix,
        Pairs,
    };

    void add(const std::string &text, int styleNo, int paraNo);
    void addLine(const std::string &text);
    void writePageHeader(Section section);
    void writeSectionHeadings(Section section);
    void startLine(Section section);
    void writeSummary();
    void writeMatrix();
    void writePairs();

    TCustomDocView &m_output;
    const PairingPlan &m_plan;
    std::string m_dateText;
    int m_pageNumber = 0;
    int m_lineCount = 0;
    std::size_t m_firstHen = 0; // of the matrix block being written
};

namespace PairingText {
extern const char *const Title;
// The heading of the pairs list, aligned with pairLine().
std::string pairsHeading();
// One line of the pairs list: cock, hen, the young's inbreeding and up to three ancestors.
std::string pairLine(const PairingPlan &plan, std::size_t cock, std::size_t hen);
} // namespace PairingText
