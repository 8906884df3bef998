#pragma once

// Every benchmark row times our code and its baseline in the same run and reports the ratio.
// Register "<row>/ours" and "<row>/baseline" with Google Benchmark, declare the row's goal with
// Goal(), and let RunAndReport() print one Markdown row per goal:
//   | benchmark | ours | baseline | ratio | goal |

#include <string>

namespace lf::bench {

// maxRatio: the row passes when ours / baseline <= maxRatio.
void Goal(const std::string& row, double maxRatio);

// A free-text figure printed under the table (a median, a memory peak, ...).
void Note(const std::string& text);

int RunAndReport(int argc, char** argv);

}  // namespace lf::bench
