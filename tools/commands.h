#pragma once

// The commands of lftool. Each takes the words after its name and returns the exit status:
// 0 on success, 2 on any error (with a message on stderr).

#include <span>
#include <string_view>

namespace lf::tool {

using Args = std::span<const std::string_view>;

int RunCard(Args args);    // card [--lang zh|en] TABLE_FILE [FIRST [LAST]]
int RunList(Args args);    // list EXE
int RunExport(Args args);  // export EXE TYPE ID OUT
int RunImport(Args args);  // import EXE TYPE ID IN [--lang N]

}  // namespace lf::tool
