#pragma once

#include <array>
#include <string>

// The sideways pedigree chart: 64 rows of 118 characters holding the labels of ancestor-table
// positions 1 to 255 (eight generations) and the vertical lines that join each bird of generations
// 1 to 4 to its parents.
//
//   column 0      4      8     13    18 ...  43 ...  70 / 94
//   gen 1-2 ----- gen 3 - gen 4 - gen 5 - gen 6 - gen 7 - gen 8 (even / odd positions)
//
// Generation 1 stands on row 31, generation 2 on rows 15 and 47, and so on halving down to
// generation 7, which has one row per position; generation 8 shares rows two to a row.
class PedigreeChart
{
public:
    static constexpr int RowCount = 64;
    static constexpr int Width = 118;
    static constexpr int LastPosition = 255;

    PedigreeChart();

    // Fills every row with spaces.
    void clear();

    // Copies the label of position (1 to 255) with the given band into its row and column,
    // overwriting what is there. Positions outside 1 to 255 are ignored.
    void placeLabel(int position, const std::string &band);

    // Draws the vertical lines from each bird of generations 1 to 4 towards its parents, for the
    // parents that have a label.
    void drawLines();

    // Row (0 to 63) as a 118-character line.
    std::string row(int index) const;

    // The label text of a position: corner, line, arrow, number, sex letter and band for positions
    // up to 127; number, sex letter and band from 128.
    static std::string label(int position, const std::string &band);
    // Row and column (both from 0) where a position's label starts.
    static int labelRow(int position);
    static int labelColumn(int position);

private:
    char at(int row, int column) const { return m_cells[row][column]; }
    void joinParents(int row, int column, int halfHeight);

    // Two characters beyond the line width stay zero, so a row reads as 118 characters.
    std::array<std::array<char, Width + 2>, RowCount> m_cells;
};
