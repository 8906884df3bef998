// Loading the shipped item table against decoding the same bytes with iconv alone.

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>

#include "bench/bench_report.h"
#include "bench/shipped_table.h"
#include "catalogue/item_table.h"

namespace {

void LoadShippedTable(benchmark::State& state) {
    for (auto _ : state) {
        auto items = lf::LoadItemTableInPlace(lf::bench::ShippedTableText());
        benchmark::DoNotOptimize(items);
    }
}

void DecodeWithIconv(benchmark::State& state) {
    const std::string& table = lf::bench::ShippedTableText();
    std::string out(table.size() * 2, '\0');
    iconv_t cd = iconv_open("UTF-8", "CP936");
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(table.data());
        std::size_t inLeft = table.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        benchmark::DoNotOptimize(outPtr);
    }
    iconv_close(cd);
}

constexpr char kRow[] = "LoadItemTable, shipped table, vs iconv decode";
BENCHMARK(LoadShippedTable)->Name(std::string(kRow) + "/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeWithIconv)->Name(std::string(kRow) + "/baseline")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    lf::bench::Goal(kRow, 1.0);
    return lf::bench::RunAndReport(argc, argv);
}
