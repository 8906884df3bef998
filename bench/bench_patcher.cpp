// Replacing the item table inside the shipped Lorefinder.exe with `lftool import`, against the
// least a crash-safe rewrite of that file costs: an atomic copy of it (a new file in the folder,
// written, flushed, renamed over the target, the folder flushed). Both run as whole processes.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_report.h"

namespace {

constexpr char kAtomicCopyFlag[] = "--atomic-copy";

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto dir = std::filesystem::temp_directory_path() /
                   ("lf-bench-patch-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::copy_file(LF_BIN_DIR "/Lorefinder.exe", dir / "Lorefinder.exe");
        std::filesystem::copy_file(LF_CATALOGUE_DIR "/item_table.txt", dir / "item.txt");
        return dir;
    }();
    return folder;
}

// Runs a program to its end; its peak resident memory in KiB, or -1 when it failed.
long Run(const std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return usage.ru_maxrss;
}

long peakKiB = 0;

void ReplaceTable(benchmark::State& state) {
    const std::string exe = (Folder() / "Lorefinder.exe").string();
    const std::string table = (Folder() / "item.txt").string();
    for (auto _ : state) {
        const long peak = Run({LF_BIN_DIR "/lftool", "import", exe, "CUSTOM", "101", table});
        if (peak < 0) state.SkipWithError("lftool import failed");
        peakKiB = std::max(peakKiB, peak);
    }
}

void AtomicCopy(benchmark::State& state) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string from = (Folder() / "Lorefinder.exe").string();
    const std::string to = (Folder() / "copy.exe").string();
    for (auto _ : state) {
        if (Run({self, kAtomicCopyFlag, from, to}) < 0) state.SkipWithError("the copy failed");
    }
}

// The baseline's own process: copies the file the honest way, in the kernel.
int CopyAtomically(const char* from, const char* to) {
    const int in = ::open(from, O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (in < 0 || ::fstat(in, &info) != 0) return 1;
    const std::string temp = std::string(to) + ".tmp";
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0755);
    if (out < 0) return 1;
    for (off_t left = info.st_size; left > 0;) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, left, 0);
        if (copied <= 0) return 1;
        left -= copied;
    }
    if (::fsync(out) != 0 || ::close(out) != 0 || ::rename(temp.c_str(), to) != 0) return 1;
    const int folder =
        ::open(std::filesystem::path(to).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    return folder >= 0 && ::fsync(folder) == 0 ? 0 : 1;
}

constexpr char kRow[] = "replace the table in Lorefinder.exe, vs an atomic copy of it";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], kAtomicCopyFlag) == 0) {
        return CopyAtomically(argv[2], argv[3]);
    }
    benchmark::RegisterBenchmark((std::string(kRow) + "/ours").c_str(), ReplaceTable)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((std::string(kRow) + "/baseline").c_str(), AtomicCopy)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    lf::bench::Goal(kRow, 1.5);
    const int result = lf::bench::RunAndReport(argc, argv, [] {
        const auto size = std::filesystem::file_size(Folder() / "Lorefinder.exe");
        char note[160];
        std::snprintf(note, sizeof note,
                      "lftool import: peak memory %.1f MiB for a %.1f MiB Lorefinder.exe",
                      static_cast<double>(peakKiB) / 1024, static_cast<double>(size) / 1048576);
        lf::bench::Note(note);
    });
    std::filesystem::remove_all(Folder());
    return result;
}
