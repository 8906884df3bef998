// The modder's table tools on the shipped item table against reading it as every reader of all
// its rows must: loading it and decoding every record.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_report.h"
#include "catalogue/item_table.h"
#include "common/file_io.h"
#include "modding/item_table_check.h"
#include "modding/table_csv.h"

namespace {

const std::string& ShippedTable() {
    static const std::string table = [] {
        auto bytes = lf::ReadWholeFile(LF_CATALOGUE_DIR "/item_table.txt");
        if (!bytes) {
            std::fprintf(stderr, "%s\n", bytes.error().message.c_str());
            std::exit(1);
        }
        return std::string(bytes->begin(), bytes->end());
    }();
    return table;
}

void LoadAndDecodeEveryRow(benchmark::State& state) {
    for (auto _ : state) {
        auto items = lf::LoadItemTableInPlace(ShippedTable());
        const lf::DecodedRows rows(*items);
        benchmark::DoNotOptimize(rows);
    }
}

void CheckShippedTable(benchmark::State& state) {
    for (auto _ : state) {
        auto check = lf::CheckItemTable(ShippedTable());
        benchmark::DoNotOptimize(check);
    }
}

void CsvRoundTrip(benchmark::State& state) {
    for (auto _ : state) {
        auto csv = lf::ItemTableToCsv(ShippedTable(), false);
        auto table = lf::ItemTableFromCsv(*csv);
        if (!table || *table != ShippedTable())
            state.SkipWithError("the round trip changed the table");
        benchmark::DoNotOptimize(table);
    }
}

constexpr char kCheckRow[] = "check, shipped table, vs loading it with every row decoded";
constexpr char kCsvRow[] = "to-csv + from-csv, shipped table, vs loading it with every row decoded";
BENCHMARK(CheckShippedTable)->Name(std::string(kCheckRow) + "/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAndDecodeEveryRow)
    ->Name(std::string(kCheckRow) + "/baseline")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CsvRoundTrip)->Name(std::string(kCsvRow) + "/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAndDecodeEveryRow)
    ->Name(std::string(kCsvRow) + "/baseline")
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    lf::bench::Goal(kCheckRow, 1.5);
    lf::bench::Goal(kCsvRow, 3.0);
    return lf::bench::RunAndReport(argc, argv);
}
