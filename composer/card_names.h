#pragma once

// Which slot and which class a record names, as the card names them: the card shows these
// names, and the finder finds items by them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "common/wording.h"

namespace lf {

// The slots the card names; slot index 5 is a shield only on items of kind 14.
enum class CardSlot : std::uint8_t { Head, Top, Bottom, Shoes, Weapon, Shield, Accessory, Pet };
inline constexpr std::size_t kCardSlotCount = 8;

// The slot a record's kind and slot index name, or none (a blank line on the card).
std::optional<CardSlot> SlotOf(std::int32_t kind, std::int32_t slotIndex);
Bilingual SlotName(CardSlot slot);

// The classes the card names, each once, in the card's order (Battle Pet, GM, Beginner, ...).
std::span<const Bilingual> CardClasses();
// The class a mask names by its exact value, as an index into CardClasses(); masks with two
// class bits, or with none the card knows, name none.
std::optional<std::size_t> ClassOf(std::int32_t classMask);
// Whether the card says that every class may use an item with this mask.
bool NamesEveryClass(std::int32_t classMask);

}  // namespace lf
