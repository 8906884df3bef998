// The Windows browser's start-up under Wine, from CreateProcess to its filled list shown and
// painted, against an empty Win32 window shown and painted. Runs under Wine and prints its row of
// the benchmark table.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "bench/bench_row.h"
#include "tests/win32/driven_program.h"

namespace {

using lf::testing::DrivenProgram;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 10;
constexpr char kRow[] = "Windows start-up to painted list under Wine, vs an empty Win32 window";

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool HasFilledList(HWND window) {
    const HWND list = lf::testing::FindChild(window, [](HWND child) {
        return lstrcmpiW(lf::testing::ClassOf(child).c_str(), L"ListBox") == 0;
    });
    return list && SendMessageW(list, LB_GETCOUNT, 0, 0) > 0;
}

// From CreateProcess until a window of the program that fits is shown and has painted. Closing
// is not timed: on a screen without a window manager Wine waits seconds for a closed window to go.
double SecondsToPainted(const std::filesystem::path& exe, const std::function<bool(HWND)>& fits) {
    const auto start = Clock::now();
    const DrivenProgram program(exe);
    const HWND window = program.AwaitWindow(fits);
    if (!window) {
        std::fprintf(stderr, "%ls showed no window\n", exe.c_str());
        std::exit(1);
    }
    // Returns once the window and its controls have handled the paints they had pending.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double seconds = SecondsSince(start);
    PostMessageW(window, WM_CLOSE, 0, 0);
    program.AwaitEnd();
    return seconds;
}

double BrowserSeconds() {
    return SecondsToPainted(LF_BIN_DIR "/Lorefinder.exe", [](HWND window) {
        return lf::testing::TextOf(window) == L"Lorefinder" && HasFilledList(window);
    });
}

double EmptyWindowSeconds() {
    return SecondsToPainted(LF_BENCH_DIR "/empty_window.exe", [](HWND) { return true; });
}

}  // namespace

int main() {
    BrowserSeconds();  // the first start of each loads Wine's libraries from disk
    EmptyWindowSeconds();
    double ours = 0;
    double baseline = 0;
    // Taken in turns, so that a busy moment of the machine weighs on both.
    for (int run = 0; run < kRuns; ++run) {
        ours += BrowserSeconds() / kRuns;
        baseline += EmptyWindowSeconds() / kRuns;
    }
    lf::bench::PrintRow(kRow, ours, lf::bench::Human(baseline), ours / baseline, 1.5);
    std::printf("NOTE| Windows start-up under Wine: the mean of %d starts of each\n", kRuns);
    return 0;
}
