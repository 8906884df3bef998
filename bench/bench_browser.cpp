// The browser's hot paths on the shipped catalogue, as a user meets them in the real window: the
// worst-case search, a selection within the held sheet (its 99th percentile against the time a
// user notices) and a selection that changes sheet; each against the smallest thing that does
// its job.

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <QApplication>
#include <QListView>
#include <algorithm>
#include <chrono>
#include <cstring>

#include "bench/bench_report.h"
#include "browser/qt/main_window.h"
#include "catalogue/catalogue_format.h"
#include "common/file_io.h"
#include "tests/support/fake_system_port.h"

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
    static lf::testing::FakeSystemPort system;
    static lf::browser::Form1 form(system, ReadShipped);
    static const bool started = form.Start();
    if (!started) std::abort();
    return form;
}

const lf::ItemTable& Items() { return Browser().Presenter().Items(); }

// ---- search -----------------------------------------------------------------------------------

constexpr char kNoSuchName[] = "无此道具XYZ";

void SearchEveryRow(benchmark::State& state) {
    const lf::NameIndex names(Items());
    for (auto _ : state) benchmark::DoNotOptimize(lf::RunSearch(names, kNoSuchName, 0));
}

void MemmemOverNames(benchmark::State& state) {
    std::string all;
    for (const lf::ItemEntry& item : Items()) all += item.Name;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ::memmem(all.data(), all.size(), kNoSuchName, std::strlen(kNoSuchName)));
    }
}

// ---- selections in the real window ------------------------------------------------------------

std::vector<int> RowsOnSheet(int sheet) {
    std::vector<int> rows;
    for (std::size_t i = 1; i < Items().size() && rows.size() < 200; ++i) {
        if (Items()[i].IconNo / 256 == sheet) rows.push_back(static_cast<int>(i));
    }
    return rows;
}

// A row picked as the user picks it: the list's selection changes.
void Pick(int row) {
    auto* list = Browser().findChild<QListView*>("ItemList");
    list->selectionModel()->select(list->model()->index(row, 0),
                                   QItemSelectionModel::ClearAndSelect);
}

std::vector<double> selectionSeconds;

void SelectWithinSheet(benchmark::State& state) {
    const std::vector<int> rows = RowsOnSheet(3);
    Pick(rows.back());  // hold sheet 3
    std::size_t next = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Pick(rows[next++ % rows.size()]);
        selectionSeconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void SelectAcrossSheets(benchmark::State& state) {
    const int rows[] = {RowsOnSheet(2).front(), RowsOnSheet(5).front()};
    int which = 0;
    for (auto _ : state) Pick(rows[which ^= 1]);
}

// Decoding the other sheet and copying the cell, without the window.
void DecodeAndCopy(benchmark::State& state) {
    lf::IconSheets sheets(ReadShipped, [](const std::string&) {});
    const std::int32_t icons[] = {Items()[RowsOnSheet(2).front()].IconNo,
                                  Items()[RowsOnSheet(5).front()].IconNo};
    int which = 0;
    for (auto _ : state) {
        sheets.ShowItemIcon(icons[which ^= 1]);
        benchmark::DoNotOptimize(sheets.Box().pixels.data());
    }
}

void RawDecompress(benchmark::State& state) {
    const lf::ByteView sheets[] = {
        *ReadShipped(lf::ResourceName(lf::kCatalogueType), lf::IconSheetId(2)),
        *ReadShipped(lf::ResourceName(lf::kCatalogueType), lf::IconSheetId(5))};
    tjhandle handle = tjInitDecompress();
    std::vector<unsigned char> pixels(512 * 512 * 4);
    int which = 0;
    for (auto _ : state) {
        const lf::ByteView jpeg = sheets[which ^= 1];
        tjDecompress2(handle, jpeg.data(), jpeg.size(), pixels.data(), 512, 0, 512, TJPF_BGRA, 0);
    }
    tjDestroy(handle);
}

double Percentile(std::vector<double> values, double fraction) {
    std::ranges::sort(values);
    return values[std::min(values.size() - 1, static_cast<std::size_t>(fraction * values.size()))];
}

constexpr char kSearch[] = "search, no match, every row, vs memmem over the names";
constexpr char kWithin[] = "selection within the held sheet, 99th percentile";
constexpr char kAcross[] = "selection that changes sheet, vs decode and copy alone";
constexpr char kDecode[] = "sheet change, decode and copy, vs tjDecompress2";

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto add = [](const std::string& name, auto function, benchmark::TimeUnit unit) {
        benchmark::RegisterBenchmark(name.c_str(), function)->Unit(unit);
    };
    add(std::string(kSearch) + "/ours", SearchEveryRow, benchmark::kMicrosecond);
    add(std::string(kSearch) + "/baseline", MemmemOverNames, benchmark::kMicrosecond);
    add(kWithin, SelectWithinSheet, benchmark::kMicrosecond);
    add(std::string(kAcross) + "/ours", SelectAcrossSheets, benchmark::kMillisecond);
    add(std::string(kAcross) + "/baseline", DecodeAndCopy, benchmark::kMillisecond);
    add(std::string(kDecode) + "/ours", DecodeAndCopy, benchmark::kMillisecond);
    add(std::string(kDecode) + "/baseline", RawDecompress, benchmark::kMillisecond);
    lf::bench::Goal(kSearch, 3);
    lf::bench::Goal(kAcross, 1.2);
    lf::bench::Goal(kDecode, 1.2);
    return lf::bench::RunAndReport(argc, argv, [] {
        if (selectionSeconds.empty()) return;
        lf::bench::Budget(kWithin, Percentile(selectionSeconds, 0.99), 1e-3);
        lf::bench::Note("selection within the held sheet: median " +
                        std::to_string(Percentile(selectionSeconds, 0.5) * 1e6).substr(0, 5) +
                        " us");
    });
}
