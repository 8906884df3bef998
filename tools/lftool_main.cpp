// lftool: the command-line companion of Lorefinder for scripts and tests.

#include <cstdio>
#include <string_view>
#include <vector>

#include "tools/commands.h"

namespace {

struct Command {
    std::string_view name;
    int (*run)(lf::tool::Args);
};

constexpr Command kCommands[] = {
    {"card", lf::tool::RunCard},
    {"list", lf::tool::RunList},
    {"export", lf::tool::RunExport},
    {"import", lf::tool::RunImport},
};

int Usage() {
    std::fputs(
        "usage: lftool card [--lang zh|en] TABLE_FILE [FIRST [LAST]]\n"
        "       lftool list EXE\n"
        "       lftool export EXE TYPE ID OUT\n"
        "       lftool import EXE TYPE ID IN [--lang N]\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::vector<std::string_view> args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (command.name == argv[1]) return command.run(args);
    }
    return Usage();
}
