// From process start to the pedigree window shown with a 2,000-row pedigree file loaded
// (`zan FILE.csv`), offscreen. The program's start-up probe ends it once the window is shown and
// reports the grid's row count, which is checked so that a window that failed to load the file
// does not pass as fast.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int pedigreeRows = 2000;

std::string bandNumber(std::mt19937 &random)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string band;
    band += letters[random() % 26];
    band += letters[random() % 26];
    band += '-';
    band += std::to_string(1990 + random() % 35);
    band += '-';
    band += std::to_string(random() % 1000000);
    return band;
}

// The pedigree file, written once from a fixed seed and removed at the end.
class PedigreeFile
{
public:
    PedigreeFile()
        : m_path((std::filesystem::temp_directory_path()
            / ("zan-startup-" + std::to_string(::getpid()) + ".csv"))
                     .string())
    {
        std::mt19937 random(20261209);
        std::ofstream out(m_path, std::ios::binary);
        for (int row = 0; row < pedigreeRows; ++row) {
            out << '"' << bandNumber(random) << "\",\"" << bandNumber(random) << "\",\""
                << bandNumber(random) << "\"\r\n";
        }
    }
    ~PedigreeFile() { std::filesystem::remove(m_path); }

    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

const std::string &pedigreeFile()
{
    static const PedigreeFile file;
    return file.path();
}

// Starts the program with the file and returns what it wrote to standard output.
std::string runOnce(const std::string &file)
{
    const std::string command = "ZAN_STARTUP_PROBE=1 QT_QPA_PLATFORM=offscreen '"
        + std::string(ZAN_PROGRAM) + "' '" + file + "' 2>/dev/null";
    FILE *pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        throw std::runtime_error("cannot start " + command);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    ::pclose(pipe);
    return output;
}

void StartUpWithPedigree(benchmark::State &state)
{
    const std::string &file = pedigreeFile();
    const std::string expected = "shown " + std::to_string(pedigreeRows + 1) + "\n";
    const std::string first = runOnce(file);
    if (first != expected) {
        state.SkipWithError(("the window reported '" + first + "'").c_str());
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::string output = runOnce(file);
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(output);
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(StartUpWithPedigree)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
