#pragma once

// The commands of lftool. Each Add...Command registers its subcommands on the command line;
// when the user chooses one, `chosen` receives its work, which returns the exit status.

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

namespace lf::tool {

inline constexpr int kExitSuccess = 0;
// check: the browser would refuse the table; diff: the tables differ; table: the input refused.
inline constexpr int kExitFound = 1;
// Misuse of the command line, or a file that cannot be read or written.
inline constexpr int kExitFailure = 2;

using Work = std::function<int()>;

void AddCardCommand(CLI::App& lftool, Work& chosen);
void AddResourceCommands(CLI::App& lftool, Work& chosen);  // list, export, import
void AddCheckCommand(CLI::App& lftool, Work& chosen);
void AddTableCommands(CLI::App& lftool, Work& chosen);  // table to-csv, table from-csv
void AddDiffCommand(CLI::App& lftool, Work& chosen);
void AddFindCommand(CLI::App& lftool, Work& chosen);
void AddSiteCommand(CLI::App& lftool, Work& chosen);

// Prints "lftool COMMAND: message" (or "lftool: message" without a command) on standard error;
// returns kExitFailure.
int Fail(const std::string& command, const std::string& message);

// Writes text to standard output; false when it could not be written.
bool Print(std::string_view text);

}  // namespace lf::tool
