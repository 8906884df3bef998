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

// One record: its name decoded, its icon number, its line as the table stores it.
struct ItemEntry {
    std::string_view Name;  // field 1 in UTF-8, untrimmed
    std::int32_t IconNo;    // field 73
    std::string_view Gbk;   // the record line in GBK without its CR LF, trailing "|" included
};

// The loaded catalogue: its GBK text, one entry per record, and every name decoded. A record's
// other fields are decoded when they are read (RowText): a table of any size costs its text
// and its names, and a start shows the list without decoding the rest.
class ItemTable {
  public:
    ItemTable() = default;
    ItemTable(std::shared_ptr<const std::string> ownText, std::unique_ptr<const std::string> names,
              std::vector<ItemEntry> entries)
        : ownText_(std::move(ownText)), names_(std::move(names)), entries_(std::move(entries)) {}

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const ItemEntry& operator[](std::size_t row) const { return entries_[row]; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    std::span<const ItemEntry> Entries() const { return entries_; }
    // Every name back to back, in row order; the entries' names are views into it.
    std::string_view AllNames() const { return names_ ? *names_ : std::string_view(); }

    // The record of a row in UTF-8, as the card and the selection read it.
    std::string RowText(std::size_t row) const;

  private:
    std::shared_ptr<const std::string> ownText_;  // none where the text outlives the table
    std::unique_ptr<const std::string> names_;    // by pointer: moving the table moves no name
    std::vector<ItemEntry> entries_;
};

// Every record of a table decoded at once into one text, for readers of every row (the modder's
// tools): one allocation for the table rather than one for each row.
class DecodedRows {
  public:
    explicit DecodedRows(const ItemTable& items);
    std::size_t size() const { return rows_.size(); }
    std::string_view operator[](std::size_t row) const {
        return std::string_view(text_).substr(rows_[row].offset, rows_[row].size);
    }

  private:
    struct Place {
        std::size_t offset;
        std::size_t size;
    };
    std::string text_;
    std::vector<Place> rows_;
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

// Reads a table: the count from line 0, one entry from each of the next count lines; lines after
// those are ignored. Lines and fields split as they would in the decoded text: a "|" that is the
// second byte of a double-byte character belongs to that character. Any failure rejects the
// whole table. The table keeps the text.
std::expected<ItemTable, LoadError> LoadItemTable(std::string gbkText);
// The same for a text that outlives the table, which then keeps views of it: the browser's own
// resource, mapped for the whole run.
std::expected<ItemTable, LoadError> LoadItemTableInPlace(std::string_view gbkText);

}  // namespace lf
