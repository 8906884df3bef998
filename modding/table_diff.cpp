#include "modding/table_diff.h"

#include <algorithm>

#include "catalogue/item_record.h"

namespace lf {
namespace {

// Every element of a record split at "|", the closing empty one included.
std::vector<std::string_view> Fields(std::string_view rowText) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t bar = rowText.find('|', start);
        fields.push_back(rowText.substr(start, bar - start));
        if (bar == std::string_view::npos) return fields;
        start = bar + 1;
    }
}

std::optional<std::string> FieldOf(const std::vector<std::string_view>& fields, std::size_t i) {
    if (i >= fields.size()) return std::nullopt;
    return std::string(fields[i]);
}

RecordChange Whole(RecordChange::Kind kind, std::size_t row, const ItemTable& table) {
    const std::string text = table.RowText(row);
    const RecordFields fields(text);
    return {kind, row, std::string(fields[0]), std::string(table[row].Name), {}};
}

}  // namespace

std::vector<RecordChange> DiffItemTables(const ItemTable& before, const ItemTable& after) {
    std::vector<RecordChange> changes;
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t row = 0; row < common; ++row) {
        const std::string was = before.RowText(row);
        const std::string is = after.RowText(row);
        if (was == is) continue;
        RecordChange change = Whole(RecordChange::Kind::Changed, row, after);
        const auto old = Fields(was);
        const auto now = Fields(is);
        for (std::size_t field = 0; field < std::max(old.size(), now.size()); ++field) {
            auto oldField = FieldOf(old, field);
            auto newField = FieldOf(now, field);
            if (oldField != newField) {
                change.fields.push_back({field, std::move(oldField), std::move(newField)});
            }
        }
        changes.push_back(std::move(change));
    }
    for (std::size_t row = common; row < before.size(); ++row) {
        changes.push_back(Whole(RecordChange::Kind::Removed, row, before));
    }
    for (std::size_t row = common; row < after.size(); ++row) {
        changes.push_back(Whole(RecordChange::Kind::Added, row, after));
    }
    return changes;
}

}  // namespace lf
