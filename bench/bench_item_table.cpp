// Loading the shipped item table against decoding the same bytes with iconv alone.

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdlib>
#include <string>

#include "bench/bench_report.h"
#include "browser/item_table.h"
#include "common/file_io.h"

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

void LoadShippedTable(benchmark::State& state) {
    for (auto _ : state) {
        auto items = lf::LoadItemTable(ShippedTable());
        benchmark::DoNotOptimize(items);
    }
}

void DecodeWithIconv(benchmark::State& state) {
    const std::string& table = ShippedTable();
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
