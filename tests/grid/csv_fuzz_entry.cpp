// Fuzz entry: loads arbitrary bytes as a pedigree file into the main window's grid and saves the
// grid again. Besides the sanitizers' checks it requires that the model stays consistent and that
// a saved file is a fixed point: loading it into a fresh grid gives the same cells and the same
// bytes when saved again. The corpus replay test runs the same entry in the ordinary test build.

#include "grid/edit_grid.h"
#include "grid/grid_errors.h"
#include "grid/pedigree_grid.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "grid fuzz check failed: %s\n", what.c_str());
    std::abort();
}

char folderToRemove[4096];

void removeWorkFolder()
{
    ::rmdir(folderToRemove);
}

// A private folder for the files of one run, removed (empty) when the process ends.
const std::string &workFolder()
{
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "zan-fuzz-XXXXXX").string();
        if (pattern.size() >= sizeof folderToRemove || ::mkdtemp(pattern.data()) == nullptr)
            fail("cannot make a temporary folder");
        pattern.copy(folderToRemove, pattern.size());
        std::atexit(removeWorkFolder);
        return pattern;
    }();
    return folder;
}

std::string readAll(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void checkConsistent(const TEditGrid &grid, const char *when)
{
    const std::string problem = grid.checkConsistency();
    if (!problem.empty())
        fail(std::string(when) + ": " + problem);
}

bool sameCells(const TEditGrid &a, const TEditGrid &b)
{
    if (a.GetRowCountEx() != b.GetRowCountEx() || a.GetColCountEx() != b.GetColCountEx())
        return false;
    for (int row = 0; row < a.GetRowCountEx(); ++row) {
        for (int column = 0; column < a.GetColCountEx(); ++column) {
            if (a.GetCellEx(column, row) != b.GetCellEx(column, row))
                return false;
        }
    }
    return true;
}

void runOnce(const std::string &input, const std::string &first, const std::string &second)
{
    TEditGrid grid;
    configurePedigreeGrid(grid);
    loadPedigreeFile(grid, input);
    checkConsistent(grid, "after loading");
    savePedigreeFile(grid, first);
    if (grid.GetFixedRowsEx() != 1)
        return; // a file without lines leaves no header row: its save holds the header texts

    TEditGrid again;
    configurePedigreeGrid(again);
    loadPedigreeFile(again, first);
    checkConsistent(again, "after reloading");
    if (!sameCells(grid, again))
        fail("a saved file loads back different cells");
    savePedigreeFile(again, second);
    if (readAll(first) != readAll(second))
        fail("saving a reloaded file changes its bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input = workFolder() + "/input.csv";
    const std::string first = workFolder() + "/first.csv";
    const std::string second = workFolder() + "/second.csv";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    try {
        runOnce(input, first, second);
    } catch (const EEditGridError &error) {
        fail(std::string("unexpected file error: ") + error.what());
    }
    for (const std::string &name : { input, first, second })
        ::unlink(name.c_str());
    return 0;
}
