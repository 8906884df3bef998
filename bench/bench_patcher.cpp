// Replacing the item table inside the shipped Lorefinder.exe, against copying that file with an
// fsync: the rewrite should cost little more than writing the file once, safely.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "bench/bench_report.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "patcher/patcher_core.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto dir = std::filesystem::temp_directory_path() / ("lf-bench-patch-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::copy_file(LF_BIN_DIR "/Lorefinder.exe", dir / "Lorefinder.exe");
        std::filesystem::copy_file(LF_CATALOGUE_DIR "/item_table.txt", dir / "item.txt");
        return dir;
    }();
    return folder;
}

void ReplaceTable(benchmark::State& state) {
    for (auto _ : state) {
        if (!lf::patcher::WriteResource(Folder() / "Lorefinder.exe", Folder() / "item.txt", "CUSTOM", 101)) {
            state.SkipWithError("rewrite failed");
        }
    }
}

void CopyWithFsync(benchmark::State& state) {
    for (auto _ : state) {
        auto bytes = lf::ReadWholeFile(Folder() / "Lorefinder.exe");
        const int fd = ::open((Folder() / "copy.exe").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0755);
        benchmark::DoNotOptimize(::write(fd, bytes->data(), bytes->size()));
        ::fsync(fd);
        ::close(fd);
    }
}

constexpr char kRow[] = "replace the table in Lorefinder.exe, vs copy with fsync";

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark((std::string(kRow) + "/ours").c_str(), ReplaceTable)
        ->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark((std::string(kRow) + "/baseline").c_str(), CopyWithFsync)
        ->Unit(benchmark::kMillisecond)->UseRealTime();
    lf::bench::Goal(kRow, 2);
    const int result = lf::bench::RunAndReport(argc, argv);
    std::filesystem::remove_all(Folder());
    return result;
}
