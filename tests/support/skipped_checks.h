#pragma once

// A check that this machine cannot make is never failed and never skipped silently: one line
// says what goes unchecked and why, in the test's output and in the log that ctest prints after
// the whole run (LF_SKIPPED_CHECKS_LOG).

#include <fstream>
#include <iostream>
#include <string>

namespace lf::testing {

inline void ReportSkippedChecks(const std::string& what) {
    const std::string line = "SKIPPED on this machine: " + what + "\n";
    std::cout << line << std::flush;
    std::ofstream(LF_SKIPPED_CHECKS_LOG, std::ios::app) << line;
}

}  // namespace lf::testing
