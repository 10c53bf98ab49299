#include "pedigree_chart.h"

#include "report_text.h"

#include <algorithm>
#include <cstring>

namespace {

char cornerOf(int position)
{
    if (position == 1)
        return ReportBox::TeeRight;
    if (position % 2 == 1)
        return ReportBox::BottomLeft;
    return position < 64 ? ReportBox::TopLeft : ReportBox::TeeDown;
}

char sexLetterOf(int position)
{
    if (position == 1)
        return ' ';
    return position % 2 == 0 ? 's' : 'd';
}

} // namespace

PedigreeChart::PedigreeChart()
{
    clear();
}

void PedigreeChart::clear()
{
    for (auto &cells : m_cells) {
        std::fill(cells.begin(), cells.begin() + Width, ' ');
        cells[Width] = '\0';
        cells[Width + 1] = '\0';
    }
}

std::string PedigreeChart::label(int position, const std::string &band)
{
    const char *const formats[] = {
        "%c%c%c%1d%c %-18s ", // generations 1 to 3
        "%c%c%c%2d%c %-18s ", // generations 4 to 6
        "%c%c%c%3d%c %-18s ", // generation 7
    };
    const unsigned char corner = static_cast<unsigned char>(cornerOf(position));
    const unsigned char line = static_cast<unsigned char>(ReportBox::Horizontal);
    const char sex = sexLetterOf(position);
    if (position >= 128)
        return formatLine("%3d%c %-18s", position, sex, band.c_str());
    const char *format = position < 8 ? formats[0] : position < 64 ? formats[1] : formats[2];
    return formatLine(format, corner, line, '>', position, sex, band.c_str());
}

int PedigreeChart::labelRow(int position)
{
    if (position == 1)
        return 31;
    if (position < 4)
        return 32 * position - 49;
    if (position < 8)
        return 16 * position - 57;
    if (position < 16)
        return 8 * position - 61;
    if (position < 32)
        return 4 * position - 63;
    if (position < 64)
        return 2 * position - 64;
    if (position < 128)
        return position - 64;
    return position / 2 - 64;
}

int PedigreeChart::labelColumn(int position)
{
    if (position < 4)
        return 0;
    if (position < 8)
        return 4;
    if (position < 16)
        return 8;
    if (position < 32)
        return 13;
    if (position < 64)
        return 18;
    if (position < 128)
        return 43;
    return position % 2 == 0 ? 70 : 94;
}

void PedigreeChart::placeLabel(int position, const std::string &band)
{
    if (position < 1 || position > LastPosition)
        return;
    const std::string text = label(position, band);
    const int column = labelColumn(position);
    // A band never exceeds 18 characters, so every label ends within the line; the cut only
    // guards the canvas against a caller that breaks that rule.
    const size_t room = static_cast<size_t>(Width - column);
    auto &cells = m_cells[labelRow(position)];
    std::memcpy(cells.data() + column, text.data(), std::min(text.size(), room));
}

void PedigreeChart::joinParents(int row, int column, int halfHeight)
{
    if (at(row, column) == ' ')
        return;
    if (at(row - halfHeight, column) != ' ') {
        for (int step = 1; step < halfHeight; ++step)
            m_cells[row - step][column] = ReportBox::Vertical;
    }
    if (at(row + halfHeight, column) != ' ') {
        for (int step = 1; step < halfHeight; ++step)
            m_cells[row + step][column] = ReportBox::Vertical;
    }
}

void PedigreeChart::drawLines()
{
    for (int row = 3; row <= 59; row += 4) {
        if (row == 31)
            joinParents(row, 0, 16);
        else if (row % 32 == 15)
            joinParents(row, 4, 8);
        else if (row % 16 == 7)
            joinParents(row, 8, 4);
        else
            joinParents(row, 13, 2);
    }
}

std::string PedigreeChart::row(int index) const
{
    return std::string(m_cells[index].data(), Width);
}
