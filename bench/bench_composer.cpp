// Composing the card of every row of the shipped table, both languages, against splitting the
// same rows on "|" alone.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_report.h"
#include "bench/shipped_table.h"
#include "catalogue/item_table.h"
#include "composer/card.h"

namespace {

void ComposeEveryCard() {
    for (const std::string& row : lf::bench::ShippedRows()) {
        for (bool chinese : {true, false}) {
            lf::Card card = lf::SetItemStat(row, chinese);
            benchmark::DoNotOptimize(card);
        }
    }
}

void ComposeCards(benchmark::State& state) {
    for (auto _ : state) ComposeEveryCard();
}

std::vector<std::string_view> SplitOnBars(std::string_view row) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t bar; (bar = row.find('|', start)) != std::string_view::npos; start = bar + 1) {
        fields.push_back(row.substr(start, bar - start));
    }
    fields.push_back(row.substr(start));
    return fields;
}

void SplitRows(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& row : lf::bench::ShippedRows()) {
            for (int language = 0; language < 2; ++language) {
                std::vector<std::string_view> fields = SplitOnBars(row);
                benchmark::DoNotOptimize(fields);
            }
        }
    }
}

// One more pass outside the benchmark library, for the time per card.
void NoteTimePerCard() {
    ComposeEveryCard();
    const auto start = std::chrono::steady_clock::now();
    constexpr int kPasses = 5;
    for (int pass = 0; pass < kPasses; ++pass) ComposeEveryCard();
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;
    const double cards = 2.0 * kPasses * static_cast<double>(lf::bench::ShippedItems().size());
    char note[160];
    std::snprintf(note, sizeof note,
                  "card composition: %.2f us per card (%zu rows, both languages)",
                  elapsed.count() / cards, lf::bench::ShippedItems().size());
    lf::bench::Note(note);
}

constexpr char kRow[] = "SetItemStat core, every row, both languages, vs split on |";
BENCHMARK(ComposeCards)->Name(std::string(kRow) + "/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(SplitRows)->Name(std::string(kRow) + "/baseline")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    lf::bench::Goal(kRow, 5.0);
    NoteTimePerCard();
    return lf::bench::RunAndReport(argc, argv);
}
