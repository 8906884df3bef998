#pragma once

// Every benchmark row times our code and its baseline in the same run and reports the ratio.
// Register "<row>/ours" and "<row>/baseline" with Google Benchmark, declare the row's goal with
// Goal(), and let RunAndReport() print one Markdown row per goal:
//   | benchmark | ours | baseline | ratio | goal |

#include <functional>
#include <string>

namespace lf::bench {

// maxRatio: the row passes when ours / baseline <= maxRatio.
void Goal(const std::string& row, double maxRatio);

// A row whose baseline is a fixed budget rather than a timed program, e.g. the 99th percentile
// of a user's action against the time a user notices: | row | ours | budget | ratio | <= 1 |.
void Budget(const std::string& row, double oursSeconds, double budgetSeconds);

// A free-text figure printed under the table (a median, a memory peak, ...).
void Note(const std::string& text);

// afterRuns: adds the rows and notes that only the finished runs can tell.
int RunAndReport(int argc, char** argv, const std::function<void()>& afterRuns = {});

}  // namespace lf::bench
