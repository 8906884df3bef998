// lftool table to-csv / from-csv: the item table as a spreadsheet and back, byte for byte.

#include <memory>
#include <string>

#include "common/file_io.h"
#include "common/utf8_path.h"
#include "modding/table_csv.h"
#include "tools/commands.h"

namespace lf::tool {
namespace {

struct TableRequest {
    std::string in;
    std::string out;
    bool byteOrderMark = false;
};

int Write(const std::string& command, const std::string& path, std::string_view bytes) {
    if (auto written = WriteFileAtomically(PathFromUtf8(path), AsBytes(bytes)); !written) {
        return Fail(command, written.error().message);
    }
    return kExitSuccess;
}

int RunToCsv(const TableRequest& request) {
    const std::string command = "table to-csv";
    const auto table = ReadWholeFile(PathFromUtf8(request.in));
    if (!table) return Fail(command, table.error().message);
    const auto csv = ItemTableToCsv(AsText(*table), request.byteOrderMark);
    if (!csv) {
        Fail(command, request.in +
                          " does not load: " + std::string(LoadErrorKindName(csv.error().kind)) +
                          " (" + csv.error().detail + "); lftool check shows where");
        return kExitFound;
    }
    return Write(command, request.out, *csv);
}

int RunFromCsv(const TableRequest& request) {
    const std::string command = "table from-csv";
    const auto csv = ReadWholeFile(PathFromUtf8(request.in));
    if (!csv) return Fail(command, csv.error().message);
    const auto table = ItemTableFromCsv(AsText(*csv));
    if (!table) {
        std::fprintf(stderr, "%s:%zu:%zu: error: %s; nothing written\n", request.in.c_str(),
                     table.error().line, table.error().column, table.error().message.c_str());
        return kExitFound;
    }
    return Write(command, request.out, *table);
}

void AddConversion(CLI::App& table, Work& chosen, const std::string& name,
                   const std::string& description, int (*run)(const TableRequest&),
                   const std::shared_ptr<TableRequest>& request, const std::string& in,
                   const std::string& out) {
    CLI::App* command = table.add_subcommand(name, description);
    command->footer(
        "Exit status: 0 written, 1 the input refused and nothing written, 2 misuse or a file that "
        "cannot be read or written.");
    command->add_option(in, request->in, "File to read")->required();
    command->add_option(out, request->out, "File to write (replaced whole, or not at all)")
        ->required();
    command->callback(
        [request, run, &chosen] { chosen = [request, run] { return run(*request); }; });
    if (name == "to-csv") {
        command->add_flag("--bom", request->byteOrderMark,
                          "Start with a UTF-8 byte-order mark, for spreadsheets that need one");
    }
}

}  // namespace

void AddTableCommands(CLI::App& lftool, Work& chosen) {
    CLI::App* table = lftool.add_subcommand("table", "Convert an item table to CSV and back");
    table->require_subcommand(1);
    AddConversion(*table, chosen, "to-csv",
                  "Write a table the browser loads as UTF-8 CSV, one row per record", RunToCsv,
                  std::make_shared<TableRequest>(), "TABLE", "OUT.csv");
    AddConversion(*table, chosen, "from-csv",
                  "Write the item table of such a CSV back, or nothing if a cell cannot be one",
                  RunFromCsv, std::make_shared<TableRequest>(), "IN.csv", "OUT");
}

}  // namespace lf::tool
