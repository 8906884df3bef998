#pragma once

// A check that this machine cannot make is never failed and never skipped silently: one line
// says what goes unchecked and why, in the test's output and in the log that ctest prints after
// the whole run (LF_SKIPPED_CHECKS_LOG).

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "tests/support/file_lock.h"

namespace lf::testing {

// The log holds each line once, however many test processes find the same gap.
inline void ReportSkippedChecks(const std::string& what) {
    const std::string line = "SKIPPED on this machine: " + what + "\n";
    std::cout << line << std::flush;
    const FileLock lock(LF_SKIPPED_CHECKS_LOG);
    std::ostringstream log;
    log << std::ifstream(LF_SKIPPED_CHECKS_LOG).rdbuf();
    if (log.str().find(line) == std::string::npos) {
        std::ofstream(LF_SKIPPED_CHECKS_LOG, std::ios::app) << line;
    }
}

// Whether CI runs the tests (CI set, and not to "false" or "0"). CI machines have every test tool
// installed, so a missing one fails the check there instead of skipping it.
inline bool RunningInCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0' && std::string_view(ci) != "false" &&
           std::string_view(ci) != "0";
}

}  // namespace lf::testing
