#pragma once

// Finding items by what they do: a query of optional conditions, all of which an item must
// meet, and the order of the items found. The same query comes from the finder window, from
// lftool find and from a link to the web catalogue, in the same words.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "finder/item_facts.h"

namespace lf::finder {

// Both ends optional; an empty range holds every value.
struct Range {
    std::optional<std::int32_t> min;
    std::optional<std::int32_t> max;
    bool Holds(std::int32_t value) const {
        return (!min || value >= *min) && (!max || value <= *max);
    }
    bool IsOpen() const { return !min && !max; }
};

// A slot as the card names it, or a record's slot index (field 70) as modders know it.
using SlotChoice = std::variant<CardSlot, std::int32_t>;

struct ColumnRange {
    Column column;
    Range range;
};

// What the items are ordered by: their row, their name, or a column.
struct SortKey {
// By::Column is the order by a Column: the same word for the same thing, not a clash.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
    enum class By : std::uint8_t { Row, Name, Column } by = By::Row;
#pragma GCC diagnostic pop
    Column column = 0;
    bool descending = false;
    friend bool operator==(const SortKey&, const SortKey&) = default;
};

struct FinderQuery {
    std::string name;                       // a fragment of the name, case-sensitive
    std::vector<std::int32_t> kinds;        // any of these; none: every kind
    std::optional<SlotChoice> slot;         //
    std::optional<std::size_t> classIndex;  // a class of CardClasses() that may use the item
    Range level;
    Range fame;
    std::vector<ColumnRange> columns;
    bool specialOnly = false;
    SortKey sort;
};

// The rows of the items that meet every condition, in the query's order; items that tie keep
// their row order.
std::vector<std::size_t> RunQuery(const FinderQuery& query, const ItemTable& items,
                                  const std::vector<ItemFacts>& facts);

// ---- the query's words, read from text -------------------------------------------------------

// "Head" or "头部" (English names in any case), or a slot index.
std::optional<SlotChoice> SlotChoiceNamed(std::string_view text);
// A class name as the card writes it, English in any case or Chinese.
std::optional<std::size_t> ClassNamed(std::string_view text);
// "MIN..MAX", "MIN.." or "..MAX".
std::optional<Range> RangeNamed(std::string_view text);
// "row", "name" or a column's name.
std::optional<SortKey> SortKeyNamed(std::string_view text, bool descending);

// The valid words, for the message that refuses others.
std::string SlotWords();
std::string ClassWords();
std::string ColumnWords();

}  // namespace lf::finder
