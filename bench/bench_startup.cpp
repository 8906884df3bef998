// Process start to the main window's list painted, against a Qt program that paints a list of
// twenty Chinese names; and the browser's peak memory above that program's.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_report.h"

extern char** environ;

namespace {

// Runs a program to its end; returns its peak resident memory in KiB.
long RunToEnd(const std::string& program) {
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program.c_str());
        std::exit(1);
    }
    return usage.ru_maxrss;
}

long peakKiB[2] = {0, 0};

void StartProgram(benchmark::State& state, const std::string& program, int slot) {
    for (auto _ : state) peakKiB[slot] = std::max(peakKiB[slot], RunToEnd(program));
}

constexpr char kRow[] = "start-up to painted list, vs a Qt list of twenty Chinese names";

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string runtimeDir =
        (std::filesystem::temp_directory_path() / "lf-bench-runtime").string();
    std::filesystem::create_directories(runtimeDir);
    std::filesystem::permissions(runtimeDir, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    const std::string probe = LF_BENCH_DIR "/lorefinder_startup_probe";
    const std::string baseline = LF_BENCH_DIR "/chinese_list_window";
    benchmark::RegisterBenchmark((std::string(kRow) + "/ours").c_str(), StartProgram, probe, 0)
        ->Iterations(20)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string(kRow) + "/baseline").c_str(), StartProgram, baseline,
                                 1)
        ->Iterations(20)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    lf::bench::Goal(kRow, 1.25);
    const int result = lf::bench::RunAndReport(argc, argv);
    const auto tableBytes = std::filesystem::file_size(LF_CATALOGUE_DIR "/item_table.txt");
    const double extraMiB = (peakKiB[0] - peakKiB[1]) / 1024.0;
    std::printf(
        "NOTE| peak memory above the Chinese list window: %.1f MiB = %.2f x the table's"
        " %.1f MiB (goal <= 2 x)\n",
        extraMiB, extraMiB * 1024 * 1024 / double(tableBytes), tableBytes / 1048576.0);
    return result;
}
