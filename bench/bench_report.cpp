#include "bench_report.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <vector>

#include "bench_row.h"

namespace lf::bench {
namespace {

struct Row {
    std::string name;
    double maxRatio;
};

std::vector<Row>& Rows() {
    static std::vector<Row> rows;
    return rows;
}

struct BudgetRow {
    std::string name;
    double ours;
    double budget;
};

std::vector<BudgetRow>& Budgets() {
    static std::vector<BudgetRow> rows;
    return rows;
}

std::vector<std::string>& Notes() {
    static std::vector<std::string> notes;
    return notes;
}

// Keeps the real time per iteration of every finished run, in seconds.
class RecordingReporter : public benchmark::ConsoleReporter {
  public:
    // Plain text: coloured output would put escape codes before the "ROW|" lines.
    RecordingReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
            // Keyed by the registered name, without "/iterations:N/real_time" and the like.
            seconds[run.run_name.function_name] = run.real_accumulated_time / run.iterations;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

void Goal(const std::string& row, double maxRatio) { Rows().push_back({row, maxRatio}); }

void Budget(const std::string& row, double oursSeconds, double budgetSeconds) {
    Budgets().push_back({row, oursSeconds, budgetSeconds});
}

void Note(const std::string& text) { Notes().push_back(text); }

int RunAndReport(int argc, char** argv, const std::function<void()>& afterRuns) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (afterRuns) afterRuns();
    // Lines starting with "ROW|" and "NOTE|" are gathered into one table by run-benchmarks.sh.
    for (const Row& row : Rows()) {
        auto ours = reporter.seconds.find(row.name + "/ours");
        auto base = reporter.seconds.find(row.name + "/baseline");
        if (ours == reporter.seconds.end() || base == reporter.seconds.end()) continue;
        PrintRow(row.name, ours->second, Human(base->second), ours->second / base->second,
                 row.maxRatio);
    }
    for (const BudgetRow& row : Budgets()) {
        PrintRow(row.name, row.ours, Human(row.budget) + " budget", row.ours / row.budget, 1);
    }
    for (const std::string& note : Notes()) std::printf("NOTE| %s\n", note.c_str());
    return 0;
}

}  // namespace lf::bench
