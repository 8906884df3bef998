// lftool diff: what changed between two item tables, record by record.

#include <algorithm>
#include <memory>
#include <string>

#include "catalogue/item_record.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "modding/table_diff.h"
#include "tools/commands.h"
#include "tools/json_lines.h"

namespace lf::tool {
namespace {

struct DiffRequest {
    std::string before;
    std::string after;
    bool json = false;
};

constexpr const char* kDiff = "diff";

const char* KindName(RecordChange::Kind kind) {
    switch (kind) {
        case RecordChange::Kind::Added:
            return "added";
        case RecordChange::Kind::Removed:
            return "removed";
        case RecordChange::Kind::Changed:
            return "changed";
    }
    return "";
}

std::string Shown(const std::optional<std::string>& text) {
    if (!text) return "(none)";
    return text->empty() ? "\"\"" : *text;
}

std::string ChangeText(const RecordChange& change) {
    std::string out = std::string(KindName(change.kind)) + " row " + std::to_string(change.row) +
                      ": " + change.number + " " + change.name + "\n";
    for (const FieldChange& field : change.fields) {
        out += "    " + FieldName(field.field) + ": " + Shown(field.before) + " -> " +
               Shown(field.after) + "\n";
    }
    return out;
}

Json ChangeObject(const RecordChange& change) {
    Json object = {{"type", KindName(change.kind)},
                   {"row", change.row},
                   {"number", change.number},
                   {"name", change.name}};
    if (change.kind != RecordChange::Kind::Changed) return object;
    Json fields = Json::array();
    const auto text = [](const std::optional<std::string>& t) { return t ? Json(*t) : Json(); };
    for (const FieldChange& field : change.fields) {
        fields.push_back({{"field", field.field},
                          {"meaning", FieldName(field.field)},
                          {"old", text(field.before)},
                          {"new", text(field.after)}});
    }
    object["fields"] = std::move(fields);
    return object;
}

std::expected<ItemTable, int> Load(const std::string& path) {
    const auto bytes = ReadWholeFile(PathFromUtf8(path));
    if (!bytes) return std::unexpected(Fail(kDiff, bytes.error().message));
    auto table = LoadItemTable(std::string(AsText(*bytes)));
    if (!table) {
        return std::unexpected(Fail(
            kDiff, path + " does not load: " + std::string(LoadErrorKindName(table.error().kind)) +
                       " (" + table.error().detail + ")"));
    }
    return std::move(*table);
}

int RunDiff(const DiffRequest& request) {
    const auto before = Load(request.before);
    if (!before) return before.error();
    const auto after = Load(request.after);
    if (!after) return after.error();
    const std::vector<RecordChange> changes = DiffItemTables(*before, *after);
    std::string out;
    for (const RecordChange& change : changes) {
        out += request.json ? JsonLine(ChangeObject(change)) : ChangeText(change);
    }
    const auto count = [&changes](RecordChange::Kind kind) {
        return std::count_if(changes.begin(), changes.end(),
                             [kind](const RecordChange& change) { return change.kind == kind; });
    };
    const auto added = count(RecordChange::Kind::Added);
    const auto removed = count(RecordChange::Kind::Removed);
    const auto changed = count(RecordChange::Kind::Changed);
    if (request.json) {
        out += JsonLine(
            {{"type", "summary"}, {"changed", changed}, {"added", added}, {"removed", removed}});
    } else {
        out += std::to_string(changed) + " changed, " + std::to_string(added) + " added, " +
               std::to_string(removed) + " removed\n";
    }
    if (!Print(out)) return Fail(kDiff, "cannot write the output");
    return changes.empty() ? kExitSuccess : kExitFound;
}

}  // namespace

void AddDiffCommand(CLI::App& lftool, Work& chosen) {
    auto request = std::make_shared<DiffRequest>();
    CLI::App* diff = lftool.add_subcommand(
        "diff", "Show what changed between two item tables, record by record");
    diff->footer(
        "Records are matched by position. Exit status: 0 equal, 1 they differ, 2 misuse or a table "
        "that cannot be read or does not load.");
    diff->add_option("OLD", request->before, "The table before")->required();
    diff->add_option("NEW", request->after, "The table after")->required();
    diff->add_flag("--json", request->json,
                   "One JSON object per line: each change, then a summary");
    diff->callback([request, &chosen] { chosen = [request] { return RunDiff(*request); }; });
}

}  // namespace lf::tool
