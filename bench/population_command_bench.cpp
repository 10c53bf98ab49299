// The whole `zan population FILE.csv --csv OUT.csv` on a club's pedigree file (club_pedigree.h)
// of 10,000 to 10,000,000 birds: reading the file, computing every figure and writing every
// bird's row. The file is written once per size into the temporary folder, outside the timing;
// the command's exit status and the number of rows it wrote are checked. The peak resident
// memory of the process so far is reported as a counter (run one size per process to read it per
// size); it includes the pedigree file's generation, which holds one row at a time.

#include "club_pedigree.h"

#include "app/command_line.h"
#include "app/population_command.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

std::string clubFile(long long count)
{
    const std::filesystem::path file
        = std::filesystem::temp_directory_path() / ("zan-club-" + std::to_string(count) + ".csv");
    if (std::filesystem::exists(file))
        return file.string();
    std::ofstream out(file, std::ios::binary);
    clubPedigree(
        count, [&](const std::string &band, const std::string &sire, const std::string &dam) {
            out << '"' << band << "\",\"" << sire << "\",\"" << dam << "\"\r\n";
        });
    return file.string();
}

void populationCommand(benchmark::State &state)
{
    const std::string input = clubFile(state.range(0));
    const std::string output = input + ".birds.csv";
    const CommandLine command = parseCommandLine({ "population", input, "--csv", output });
    for (auto _ : state) {
        std::ostringstream out, errors;
        if (runPopulationCommand(command.population, out, errors, false) != 0) {
            state.SkipWithError(errors.str().c_str());
            return;
        }
    }
    std::ifstream written(output, std::ios::binary);
    const auto lines = std::count(std::istreambuf_iterator<char>(written), {}, '\n');
    std::filesystem::remove(output);
    if (lines < state.range(0) * 9 / 10) {
        state.SkipWithError("rows missing from the CSV");
        return;
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["cores"] = std::thread::hardware_concurrency();
}

BENCHMARK(populationCommand)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
