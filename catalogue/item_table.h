#pragma once

// The item table: the whole catalogue as GBK text, a count line and one record per line.

#include <cstdint>
#include <expected>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_format.h"

namespace lf {

// One record; the texts point into the table that loaded it.
struct ItemEntry {
    std::string_view Name;     // field 1, untrimmed
    std::int32_t IconNo;       // field 73
    std::string_view RowText;  // the whole record line without its CR LF, trailing "|" included
};

// The loaded catalogue: its decoded text, kept whole and read-only, and one entry per record.
// Entries are views, so a table of any size costs its text once.
class ItemTable {
  public:
    ItemTable() = default;
    ItemTable(std::unique_ptr<const std::string> text, std::vector<ItemEntry> entries)
        : text_(std::move(text)), entries_(std::move(entries)) {}

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const ItemEntry& operator[](std::size_t row) const { return entries_[row]; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    std::span<const ItemEntry> Entries() const { return entries_; }

  private:
    std::unique_ptr<const std::string> text_;  // held by pointer: moving the table moves no text
    std::vector<ItemEntry> entries_;
};

enum class LoadErrorKind { ResourceNotFound, TypeMismatch, Overflow, SubscriptOutOfRange };

struct LoadError {
    LoadErrorKind kind;
    std::string detail;       // where it happened, for the message
    std::int32_t line = 0;    // the line it stopped at, 0 for the count line
    std::int32_t field = -1;  // the field it stopped at, -1 where the line itself is missing
};

// The name of an error kind as the fatal start-up message shows it ("type mismatch", ...).
std::string_view LoadErrorKindName(LoadErrorKind kind);

// Reads a table: decodes all of it from GBK first, then takes the count from line 0 and one
// entry from each of the next count lines; lines after those are ignored. Any failure
// rejects the whole table.
std::expected<ItemTable, LoadError> LoadItemTable(std::string_view gbkText);

}  // namespace lf
