#include "bench_row.h"

#include <cstdio>

namespace lf::bench {

std::string Human(double seconds) {
    char text[32];
    if (seconds >= 1) {
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    } else if (seconds >= 1e-3) {
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    }
    return text;
}

void PrintRow(const std::string& name, double ours, const std::string& baseline, double ratio,
              double maxRatio) {
    std::printf("ROW| %s | %s | %s | %.2f | <= %g |%s\n", name.c_str(), Human(ours).c_str(),
                baseline.c_str(), ratio, maxRatio, ratio <= maxRatio ? "" : " missed");
}

}  // namespace lf::bench
