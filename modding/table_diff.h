#pragma once

// What changed between two item tables, record by record: records are matched by position.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/item_table.h"

namespace lf {

struct FieldChange {
    std::size_t field;
    std::optional<std::string> before;  // none where the record has no such field
    std::optional<std::string> after;
};

struct RecordChange {
    enum class Kind { Added, Removed, Changed };
    Kind kind;
    std::size_t row;
    std::string number;  // field 0 and the name, of the new record (of the old one if removed)
    std::string name;
    std::vector<FieldChange> fields;  // for a changed record, every field that differs
};

std::vector<RecordChange> DiffItemTables(const ItemTable& before, const ItemTable& after);

}  // namespace lf
