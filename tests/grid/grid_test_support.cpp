#include "grid_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zan-grid-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<std::string> TemporaryFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(m_path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void writeBytes(const std::string &fileName, const std::string &bytes)
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + fileName);
}

std::string readBytes(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + fileName);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CellRows dataRows(const TEditGrid &grid, int firstRow)
{
    CellRows rows;
    for (int row = firstRow; row < grid.GetRowCountEx(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < grid.GetColCountEx(); ++column)
            cells.push_back(grid.GetCellEx(column, row));
        rows.push_back(cells);
    }
    return rows;
}

void PrintTo(const TGridCoord &cell, std::ostream *out)
{
    *out << "(" << cell.X << ", " << cell.Y << ")";
}
