// The Item Finder on the shipped catalogue: reading every item's facts against loading the table,
// and the queries a player types, each against a pass over the facts that only counts.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/bench_report.h"
#include "bench/shipped_table.h"
#include "finder/finder_query.h"

namespace {

using namespace lf::finder;

const std::vector<ItemFacts>& Facts() {
    static const std::vector<ItemFacts> facts = ReadAllItemFacts(lf::bench::ShippedItems());
    return facts;
}

FinderQuery Query(const char* slot, const char* className, const char* level, const char* sort,
                  bool descending) {
    FinderQuery query;
    if (slot) query.slot = SlotChoiceNamed(slot);
    if (className) query.classIndex = ClassNamed(className);
    if (level) query.level = *RangeNamed(level);
    if (sort) query.sort = *SortKeyNamed(sort, descending);
    return query;
}

// What players ask of an item database, and the widest orders a header click makes.
std::vector<FinderQuery> TypicalQueries() {
    std::vector<FinderQuery> queries = {
        Query("Head", "Knight", "..30", "defence", true),
        Query("Shield", nullptr, nullptr, "defence", true),
        Query("Weapon", nullptr, nullptr, "attack", true),
        Query(nullptr, "Mage", "20..40", "magic_power", true),
        Query(nullptr, nullptr, nullptr, "name", false),
        Query(nullptr, nullptr, nullptr, "purchase_price", true),
        Query(nullptr, nullptr, nullptr, "row", true),
    };
    queries[2].columns = {{*ColumnNamed("attack"), {500, {}}}};
    FinderQuery named;
    named.name = "剑";
    queries.push_back(named);
    FinderQuery special;
    special.specialOnly = true;
    special.sort = *SortKeyNamed("level_requirement", false);
    queries.push_back(special);
    return queries;
}

void ReadFacts(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadAllItemFacts(lf::bench::ShippedItems()));
    }
}

void LoadTable(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(lf::LoadItemTableInPlace(lf::bench::ShippedTableText()));
    }
}

std::size_t CountingPass() {
    std::size_t heads = 0;
    for (const ItemFacts& facts : Facts()) heads += facts.slot == lf::CardSlot::Head;
    return heads;
}

// Every typical query many times over, each timed on its own, for the median and the 99th
// percentile a player meets; and the counting pass they are measured against.
void NoteQueryTimes() {
    using Clock = std::chrono::steady_clock;
    const auto& items = lf::bench::ShippedItems();
    const std::vector<FinderQuery> queries = TypicalQueries();
    std::vector<double> seconds;
    for (int round = 0; round < 40; ++round) {
        for (const FinderQuery& query : queries) {
            const auto start = Clock::now();
            benchmark::DoNotOptimize(RunQuery(query, items, Facts()));
            seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    std::vector<double> counting;
    for (int round = 0; round < 200; ++round) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(CountingPass());
        counting.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const auto at = [](std::vector<double>& times, double share) {
        std::sort(times.begin(), times.end());
        return times[static_cast<std::size_t>(share * static_cast<double>(times.size() - 1))];
    };
    const double median = at(seconds, 0.5);
    const double p99 = at(seconds, 0.99);
    const double pass = at(counting, 0.5);
    lf::bench::Budget("finder query over every row, median", median, 2e-3);
    lf::bench::Budget("finder query over every row, 99th percentile", p99, 5e-3);
    char note[200];
    std::snprintf(note, sizeof note,
                  "finder queries: median %.0f us = %.1f x one counting pass over the facts "
                  "(%.0f us); %zu queries of %zu kinds",
                  median * 1e6, median / pass, pass * 1e6, seconds.size(), queries.size());
    lf::bench::Note(note);
}

constexpr char kFactsRow[] = "finder facts of every row, vs LoadItemTable";
BENCHMARK(ReadFacts)->Name(std::string(kFactsRow) + "/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(LoadTable)->Name(std::string(kFactsRow) + "/baseline")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    lf::bench::Goal(kFactsRow, 1.5);
    return lf::bench::RunAndReport(argc, argv, NoteQueryTimes);
}
