#pragma once

// The item table: the whole catalogue as GBK text, a count line and one record per line.

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>
#include <vector>

namespace lf {

struct ItemEntry {
    std::string Name;     // field 1, untrimmed
    std::int32_t IconNo;  // field 73
    std::string RowText;  // the whole record line without its CR LF, trailing "|" included
};

enum class LoadErrorKind { ResourceNotFound, TypeMismatch, Overflow, SubscriptOutOfRange };

struct LoadError {
    LoadErrorKind kind;
    std::string detail;  // where it happened, for the message
};

// The name of an error kind as the fatal start-up message shows it ("type mismatch", ...).
std::string_view LoadErrorKindName(LoadErrorKind kind);

// Reads a table: decodes all of it from GBK first, then takes the count from line 0 and one
// entry from each of the next count lines; lines after those are ignored. Any failure
// rejects the whole table.
std::expected<std::vector<ItemEntry>, LoadError> LoadItemTable(std::string_view gbkText);

// The element before the last of a record split on "|": the description of a full record.
std::string_view DescriptionOf(std::string_view rowText);

}  // namespace lf
