#include <cstdio>

#include "tools/commands.h"

namespace lf::tool {
namespace {

int NotYet() {
    std::fputs("lftool: resource commands are not available yet\n", stderr);
    return 2;
}

}  // namespace

int RunList(Args) { return NotYet(); }
int RunExport(Args) { return NotYet(); }
int RunImport(Args) { return NotYet(); }

}  // namespace lf::tool
