// The browser's hot paths on the shipped catalogue: the worst-case search, a selection within
// the held sheet, and a change of sheet; each against the smallest thing that does its job.

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <QApplication>
#include <QListView>
#include <algorithm>
#include <chrono>
#include <cstring>

#include "bench/bench_report.h"
#include "browser/main_window.h"
#include "composer/stat_form.h"
#include "common/file_io.h"
#include "tests/support/fake_desktop.h"

namespace {

const lf::MappedFile& Executable() {
    static const lf::MappedFile exe = [] {
        auto mapped = lf::MappedFile::Open(LF_BIN_DIR "/Lorefinder.exe");
        if (!mapped) std::abort();
        return std::move(*mapped);
    }();
    return exe;
}

lf::Result<lf::ByteView> ReadShipped(const lf::ResourceName& type, const lf::ResourceName& name) {
    return lf::ReadResource(Executable().Bytes(), type, name);
}

lf::browser::Form1& Browser() {
    static lf::testing::FakeDesktop desktop;
    static std::unique_ptr<lf::browser::Form1> form = std::move(*lf::browser::Form1::Load(desktop, ReadShipped));
    return *form;
}

// ---- search -----------------------------------------------------------------------------------

constexpr char kNoSuchName[] = "无此道具XYZ";

void SearchEveryRow(benchmark::State& state) {
    const lf::NameIndex names(Browser().Items().Entries());
    for (auto _ : state) benchmark::DoNotOptimize(lf::RunSearch(names, kNoSuchName, 0));
}

void MemmemOverNames(benchmark::State& state) {
    std::string all;
    for (const lf::ItemEntry& item : Browser().Items()) all += item.Name;
    for (auto _ : state) {
        benchmark::DoNotOptimize(::memmem(all.data(), all.size(), kNoSuchName, std::strlen(kNoSuchName)));
    }
}

// ---- selection within the held sheet ----------------------------------------------------------

std::vector<int> RowsOnSheet(int sheet) {
    std::vector<int> rows;
    const lf::ItemTable& items = Browser().Items();
    for (std::size_t i = 1; i < items.size() && rows.size() < 200; ++i) {
        if (items[i].IconNo / 256 == sheet) rows.push_back(static_cast<int>(i));
    }
    return rows;
}

std::vector<double> selectionMicros;

void SelectRows(benchmark::State& state) {
    auto* list = Browser().findChild<QListView*>("ItemList");
    const std::vector<int> rows = RowsOnSheet(3);
    list->setCurrentIndex(list->model()->index(rows.back(), 0));  // hold sheet 3
    std::size_t next = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        list->setCurrentIndex(list->model()->index(rows[next++ % rows.size()], 0));
        selectionMicros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
}

void SetItemStatAlone(benchmark::State& state) {
    lf::StatForm form([] { return false; });
    const std::vector<int> rows = RowsOnSheet(3);
    std::size_t next = 0;
    for (auto _ : state) form.SetItemStat(Browser().Items()[rows[next++ % rows.size()]].RowText);
}

// ---- a change of sheet ------------------------------------------------------------------------

void ChangeSheets(benchmark::State& state) {
    lf::IconSheets sheets(ReadShipped, [](const std::string&) {});
    int icon = 0;
    for (auto _ : state) {
        icon = icon == 2 * 256 + 17 ? 5 * 256 + 40 : 2 * 256 + 17;  // alternate sheets 2 and 5
        sheets.ShowItemIcon(icon);
        benchmark::DoNotOptimize(sheets.Box().pixels.data());
    }
}

void RawDecompress(benchmark::State& state) {
    const lf::ByteView sheets[] = {*ReadShipped(lf::ResourceName(u"CUSTOM"), 1003),
                                   *ReadShipped(lf::ResourceName(u"CUSTOM"), 1006)};
    tjhandle handle = tjInitDecompress();
    std::vector<unsigned char> pixels(512 * 512 * 4);
    int which = 0;
    for (auto _ : state) {
        const lf::ByteView jpeg = sheets[which ^= 1];
        tjDecompress2(handle, jpeg.data(), jpeg.size(), pixels.data(), 512, 0, 512, TJPF_BGRA, 0);
    }
    tjDestroy(handle);
}

constexpr char kSearch[] = "search, no match, every row, vs memmem over the names";
constexpr char kSelect[] = "selection within the held sheet, vs SetItemStat alone";
constexpr char kSheet[] = "sheet change, decode and copy, vs tjDecompress2";

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    using benchmark::RegisterBenchmark;
    RegisterBenchmark((std::string(kSearch) + "/ours").c_str(), SearchEveryRow)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark((std::string(kSearch) + "/baseline").c_str(), MemmemOverNames)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark((std::string(kSelect) + "/ours").c_str(), SelectRows)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark((std::string(kSelect) + "/baseline").c_str(), SetItemStatAlone)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark((std::string(kSheet) + "/ours").c_str(), ChangeSheets)->Unit(benchmark::kMillisecond);
    RegisterBenchmark((std::string(kSheet) + "/baseline").c_str(), RawDecompress)->Unit(benchmark::kMillisecond);
    lf::bench::Goal(kSearch, 3);
    lf::bench::Goal(kSelect, 1.25);
    lf::bench::Goal(kSheet, 1.2);
    const int result = lf::bench::RunAndReport(argc, argv);
    std::ranges::sort(selectionMicros);
    if (!selectionMicros.empty()) {
        std::printf("NOTE| selection within the held sheet: median %.1f us per selection\n",
                    selectionMicros[selectionMicros.size() / 2]);
    }
    return result;
}
