#pragma once

// One row of the benchmark table as run-benchmarks.sh gathers it, for the programs that time with
// Google Benchmark and for those that time themselves (the Windows ones, run under Wine):
//   ROW| name | ours | baseline | ratio | <= goal |

#include <string>

namespace lf::bench {

// A duration in the unit that suits it: "1.23 s", "4.56 ms", "7.89 us".
std::string Human(double seconds);

// baseline: the baseline's time as Human() writes it, or a budget.
void PrintRow(const std::string& name, double ours, const std::string& baseline, double ratio,
              double maxRatio);

}  // namespace lf::bench
