#pragma once

#include <string>
#include <vector>

class PairingAllocation;
class PairingPlan;
class TCustomDocView;

// Writes the pairings document into a document view, laid out like the analysis report: the same
// styles, 80 counted lines per page and a page header with the file, the date and the page
// number before every page (a page break before each one after the first).
//
//   1. a summary, the refused rows with the engine's messages and the notes on the lists;
//   (with an allocation: the pairs made with their three main common ancestors, the mean and
//   largest inbreeding of their young, the hens left unpaired, the remarks on the limits, and
//   every candidate's mean kinship to all the candidates;)
//   2. the matrix of the young's inbreeding in %, cocks down and hens across, twelve hens at a
//      time, each hen's band whole on one of three heading lines and ending over its column;
//   3. every pair from the least to the most inbred young with its three main common ancestors
//      and their contributions in %.
class PairingComposer
{
public:
    static constexpr int LinesPerPage = 80;
    static constexpr int HensPerBlock = 12;

    PairingComposer(TCustomDocView &output, const PairingPlan &plan,
        const PairingAllocation *allocation = nullptr);

    void write(const std::string &dateText);

    int pageNumber() const { return m_pageNumber; }

private:
    enum class Section {
        Summary,
        Allocation,
        Kinship,
        Matrix,
        Pairs,
    };

    void add(const std::string &text, int styleNo, int paraNo);
    void addLine(const std::string &text);
    void writePageHeader(Section section);
    void writeSectionHeadings(Section section);
    void startLine(Section section);
    void writeSummary();
    void writeAllocation();
    void writeMatrix();
    void writePairs();

    TCustomDocView &m_output;
    const PairingPlan &m_plan;
    const PairingAllocation *m_allocation = nullptr;
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
// The allocation's limits: "AT MOST 2 HENS PER COCK, NO YOUNG ABOVE 6.25 %".
std::string allocationLimits(const PairingAllocation &allocation);
// "3 pairs; inbreeding of the young: mean 1.56 %, largest 3.13 %."
std::string allocationSummary(const PairingAllocation &allocation);
// "Hens left unpaired: A, B." or "Every hen is paired.", broken into lines of at most `width`
// characters (a longer band stands alone).
std::vector<std::string> unpairedLines(const PairingAllocation &allocation, std::size_t width);
} // namespace PairingText
