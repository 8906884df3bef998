// lftool check: would the browser load this table, where would it stop, and what else looks
// like a mistake; compiler-style lines that editors jump to, or JSON Lines for scripts.

#include <memory>
#include <string>

#include "common/file_io.h"
#include "common/utf8_path.h"
#include "modding/item_table_check.h"
#include "tools/commands.h"
#include "tools/json_lines.h"

namespace lf::tool {
namespace {

struct CheckRequest {
    std::string tableFile;
    bool json = false;
};

std::string Plural(std::size_t n, const std::string& word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string FindingLine(const std::string& file, const Finding& finding) {
    const std::string where =
        file + ":" + std::to_string(finding.line) + ":" + std::to_string(finding.column);
    if (finding.severity == Severity::Error)
        return where + ": error: " + finding.kind + ": " + finding.message + "\n";
    return where + ": warning: " + finding.message + " [" + finding.kind + "]\n";
}

Json FindingObject(const std::string& file, const Finding& finding) {
    return {{"type", finding.severity == Severity::Error ? "error" : "warning"},
            {"file", file},
            {"line", finding.line},
            {"column", finding.column},
            {"field", finding.field ? Json(*finding.field) : Json()},
            {"kind", finding.kind},
            {"message", finding.message}};
}

std::string Report(const std::string& file, const TableCheck& check, bool json) {
    std::string out;
    for (const Finding& finding : check.findings) {
        out += json ? JsonLine(FindingObject(file, finding)) : FindingLine(file, finding);
    }
    const std::size_t errors = check.Count(Severity::Error);
    const std::size_t warnings = check.Count(Severity::Warning);
    if (json) {
        out += JsonLine({{"type", "summary"},
                         {"file", file},
                         {"rows", check.rows},
                         {"errors", errors},
                         {"warnings", warnings},
                         {"loads", check.Loads()}});
    } else {
        out += file + ": " + Plural(check.rows, "row") + ", " + Plural(errors, "error") + ", " +
               Plural(warnings, "warning") +
               (check.Loads() ? "; the browser loads it\n" : "; the browser would refuse it\n");
    }
    return out;
}

int RunCheck(const CheckRequest& request) {
    const auto bytes = ReadWholeFile(PathFromUtf8(request.tableFile));
    if (!bytes) return Fail("check", bytes.error().message);
    const TableCheck check = CheckItemTable(AsText(*bytes));
    if (!Print(Report(request.tableFile, check, request.json)))
        return Fail("check", "cannot write the output");
    return check.Loads() ? kExitSuccess : kExitFound;
}

}  // namespace

void AddCheckCommand(CLI::App& lftool, Work& chosen) {
    auto request = std::make_shared<CheckRequest>();
    CLI::App* check = lftool.add_subcommand(
        "check", "Tell whether the browser would load an item table, and what looks wrong");
    check->footer(
        "Each finding: FILE:LINE:COLUMN: error|warning: MESSAGE (columns count bytes), then a "
        "summary.\nExit status: 0 the browser loads the table, 1 it would refuse it, 2 misuse or a "
        "file that cannot be read.");
    check->add_option("TABLE", request->tableFile, "Item table file")->required();
    check->add_flag("--json", request->json,
                    "One JSON object per line: each finding, then a summary");
    check->callback([request, &chosen] { chosen = [request] { return RunCheck(*request); }; });
}

}  // namespace lf::tool
