#include "report_text.h"

#include <cstdarg>
#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace ReportText {
const char *const BlankLine = " ";
const char *const MakerNotice = "ZAN (Coefficient of Inbreeding) for pigeon lofts";
const char *const ListingHeading
    = "ROW IDENTIFICATION     SIRE               DAM                MESSAGE";
const char *const TableHeadings[3] = {
    "                   S       FR LA             --SIRE-- ---DAM-- INDPD   EST  PAIR          "
    "             ",
    "                   E   ZAN ST ST NO NO  PCNT NO  PCNT NO  PNCT INDVD   REL  BACK          "
    "             ",
    "ID                 X  PCNT GN GN OS OC BLOOD OC BLOOD OC BLOOD CONTB CONTB   ZAN SIRE      "
    "         DAM",
};
const char *const PaperWarning = "The paper type should be -A4- or -Letter- in PORTRAT mode.";
const char *const ComputationError = "Computation Error ";
const char *const InvalidResults = "INVALID RESULTS *** ERRORS IN INPUT ***";
const char *const UntitledFile = "Untitled.csv";
} // namespace ReportText

static_assert(std::string_view("ZAN (Coefficient of Inbreeding) for pigeon lofts").size() == 48,
    "the maker's notice fills 48 characters of the page header");

std::string underline(std::initializer_list<int> runs)
{
    std::string line;
    for (int run : runs) {
        if (!line.empty())
            line += ' ';
        line.append(static_cast<size_t>(run), ReportBox::Horizontal);
    }
    return line;
}

std::string formatLine(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    char small[256];
    const int length = std::vsnprintf(small, sizeof small, format, arguments);
    va_end(arguments);
    std::string line;
    if (length < 0) {
        va_end(copy);
        return line;
    }
    if (static_cast<size_t>(length) < sizeof small) {
        line.assign(small, static_cast<size_t>(length));
    } else {
        line.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(line.data(), line.size(), format, copy);
        line.resize(static_cast<size_t>(length));
    }
    va_end(copy);
    return line;
}

std::string fileLine(const std::string &fileName)
{
    return "File = " + fileName;
}

std::string pageText(int pageNumber)
{
    return formatLine("Page:%2d", pageNumber);
}

std::string dateLine(const std::string &dateText, const std::string &pageText)
{
    return dateText + std::string(16, ' ') + ReportText::MakerNotice + std::string(28, ' ')
        + pageText;
}

std::string listingUnderline()
{
    return underline({ 3, 18, 18, 18, 57 });
}

std::string tableUnderline()
{
    return underline({ 18, 1, 5, 2, 2, 2, 2, 5, 2, 5, 2, 5, 5, 5, 5, 18, 18 });
}

std::string listingLine(int row, const std::string &identification, const std::string &sire,
    const std::string &dam, const std::string &message)
{
    return formatLine("%3d %-18s %-18s %-18s %-57s", row, identification.c_str(), sire.c_str(),
        dam.c_str(), message.c_str());
}

std::string inbreedingLine(double percent)
{
    return formatLine("ZAN = %5.2f", percent) + '%';
}

std::string tableLine(const AncestorRow &row)
{
    // A bird without a sex character (the engine's empty record) shows a blank, not a NUL byte.
    const unsigned char sex = row.sex == '\0' ? ' ' : static_cast<unsigned char>(row.sex);
    return formatLine("%-18s %1c%6.2f%3d%3d%3d%3d%6.2f%3d%6.2f%3d%6.2f%6.2f%6.2f%6.2f %-18s %-18s",
        row.band.c_str(), sex, row.inbreeding * 100.0, row.firstGeneration, row.lastGeneration,
        row.offspring, row.occurrences, row.blood * 100.0, row.sireOccurrences,
        row.sireBlood * 100.0, row.damOccurrences, row.damBlood * 100.0, row.contribution * 100.0,
        row.relationship * 100.0, row.pairBack * 100.0, row.sireBand.c_str(), row.damBand.c_str());
}

std::string closingLine(int birdCount)
{
    return formatLine("***  %d BIRDS PROCESSED  ***", birdCount);
}

std::string computationErrorLine(const std::string &engineMessage)
{
    return ReportText::ComputationError + engineMessage;
}

std::string reportDate(const std::string &shortMonthName, int day, int year, int hour, int minute)
{
    return formatLine("%s. %02d, %04d %02d:%02d", shortMonthName.c_str(), day, year, hour, minute);
}
