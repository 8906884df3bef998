#pragma once

// The demo item table, generated the same way on every build.

#include <string>

namespace lf::demo {

// The item table exactly as the browser stores it: GBK text, CR LF between lines, the count
// line, one record per item (row 0 a placeholder), then CR LF and one NUL byte.
std::string GenerateItemTable();

}  // namespace lf::demo
