#pragma once

// The make-up of the demo catalogue: which item kinds it holds, how many rows of each, what
// their icons show, which slot they occupy and which classes may use them.

#include <span>

#include "demo_catalogue/pictures.h"

namespace lf::demo {

// How an item's numbers are made up; several item kinds share one group.
enum class Group {
    Material,
    Consumable,
    Misc,
    SkillBook,
    Quest,
    Weapon,
    Shield,
    Armour,
    Accessory,
    Pet,
    Costume,
};

inline constexpr int kNoSlot = 100;
inline constexpr int kAllClasses = 18874879;  // 0x12001FF: every class, as the game writes it
inline constexpr int kItemRows = 21808;       // real items; row 0 is the placeholder

struct KindPlan {
    int kind;  // field 2
    Picture picture;
    Group group;
    int slot;  // field 70
    int rows;
    std::span<const int> classMasks;  // field 71, one drawn per series
};

// In the order the rows appear; the rows add up to kItemRows.
std::span<const KindPlan> CatalogueKinds();

}  // namespace lf::demo
