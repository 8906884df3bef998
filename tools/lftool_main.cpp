// lftool: the command-line companion of Lorefinder for modders and scripts.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "common/win32/wide_text.h"
#endif

#include "tools/commands.h"

namespace lf::tool {

int Fail(const std::string& command, const std::string& message) {
    std::fprintf(stderr, "lftool%s%s: %s\n", command.empty() ? "" : " ", command.c_str(),
                 message.c_str());
    return kExitFailure;
}

bool Print(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

}  // namespace lf::tool

namespace {

constexpr const char* kExitStatuses =
    "Exit status:\n"
    "  0  success; check: the browser loads the table; diff: the tables are equal\n"
    "  1  check: the browser would refuse the table; diff: the tables differ; find: no item\n"
    "     site: the browser would refuse the table\n"
    "     table: the input is refused (a table that does not load, a CSV that cannot be one)\n"
    "  2  misuse of the command line, or a file that cannot be read or written\n"
    "\n"
    "Run 'lftool COMMAND --help' for the arguments of a command; 'man lftool' for more.";

std::string FailureMessage(const CLI::App*, const CLI::Error& error) {
    return "lftool: " + std::string(error.what()) + "\nRun 'lftool --help' for usage.\n";
}

int Run(int argc, char** argv) {
    using namespace lf::tool;
    CLI::App lftool("lftool: the command-line companion of Lorefinder", "lftool");
    lftool.set_version_flag("--version", "lftool " LOREFINDER_VERSION);
    lftool.require_subcommand(1);
    lftool.footer(kExitStatuses);
    lftool.failure_message(FailureMessage);
    Work chosen;
    AddCheckCommand(lftool, chosen);
    AddTableCommands(lftool, chosen);
    AddDiffCommand(lftool, chosen);
    AddCardCommand(lftool, chosen);
    AddFindCommand(lftool, chosen);
    AddSiteCommand(lftool, chosen);
    AddResourceCommands(lftool, chosen);
    try {
        lftool.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return lftool.exit(error) == 0 ? kExitSuccess : kExitFailure;
    }
    return chosen();
}

}  // namespace

#ifdef _WIN32
// Windows hands the arguments over in UTF-16; the tool works in UTF-8, and tells the console so.
int wmain(int argc, wchar_t** wideArguments) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(lf::Narrow(wideArguments[i]));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return Run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return Run(argc, argv); }
#endif
