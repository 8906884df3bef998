#include "composer/card_names.h"

#include "composer/card_texts.h"

namespace lf {

using namespace card_texts;

// Slot index 5 holds a shield on items of kind 14 and a weapon on any other.
std::optional<CardSlot> SlotOf(std::int32_t kind, std::int32_t slotIndex) {
    switch (slotIndex) {
        case 0:
            return CardSlot::Head;
        case 1:
            return CardSlot::Top;
        case 2:
            return CardSlot::Bottom;
        case 3:
            return CardSlot::Shoes;
        case 4:
            return CardSlot::Weapon;
        case 5:
            return kind == kShieldKind ? CardSlot::Shield : CardSlot::Weapon;
        case 6:
            return CardSlot::Accessory;
        case 7:
            return CardSlot::Pet;
        default:
            return std::nullopt;
    }
}

Bilingual SlotName(CardSlot slot) { return kSlotNames[static_cast<std::size_t>(slot)]; }

std::span<const Bilingual> CardClasses() { return kClassNames; }

std::optional<std::size_t> ClassOf(std::int32_t classMask) {
    for (const ClassMask& row : kClassMasks) {
        if (row.mask == classMask) return row.nameIndex;
    }
    return std::nullopt;
}

bool NamesEveryClass(std::int32_t classMask) {
    return classMask >= 0 && (classMask & 0xFFFF) == kAllClassesLowBits;
}

}  // namespace lf
