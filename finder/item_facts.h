#pragma once

// What the finder knows of every item: the values its card shows, read once with the record
// reader's rules, and the slot and class its card names.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/item_table.h"
#include "common/wording.h"
#include "composer/card_names.h"

namespace lf::finder {

// How two values of a column compare for a player: higher is better, except for what an item
// asks (requirements) and what it costs (prices); kinds, slots and classes are names.
enum class Judgement : std::uint8_t { HigherIsBetter, LowerIsBetter, Neutral };

// A named value of an item: a field of its record.
struct ColumnInfo {
    std::size_t field;
    Bilingual label;
    Judgement judgement;
};

// Every named value, in the order the finder lists them.
std::span<const ColumnInfo> Columns();
inline constexpr std::size_t kColumnCount = 37;
using Column = std::size_t;  // an index into Columns()

// A column's name, as the record reader names its field in a CSV ("level_requirement", ...).
std::string ColumnName(Column column);
std::optional<Column> ColumnNamed(std::string_view name);
// Columns the finder offers by name.
Column KindColumn();
Column LevelColumn();
Column FameColumn();
Column SlotColumn();
Column ClassMaskColumn();

struct ItemFacts {
    std::array<std::int32_t, kColumnCount> values{};
    std::optional<CardSlot> slot;           // as the card names it
    std::optional<std::size_t> namedClass;  // into CardClasses(), by the mask's exact value
    bool everyClass = false;                // the card says every class may use it
    bool special = false;                   // the card shows the special-item marker

    std::int32_t operator[](Column column) const { return values[column]; }
};

ItemFacts ReadItemFacts(std::string_view rowText);
std::vector<ItemFacts> ReadAllItemFacts(const ItemTable& items);

}  // namespace lf::finder
