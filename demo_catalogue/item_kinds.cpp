#include "demo_catalogue/item_kinds.h"

#include <array>

namespace lf::demo {
namespace {

using P = Picture;
using G = Group;

constexpr int kAll = kAllClasses;

// Class masks: 0x80 plus one class bit names a class; 1 to 4 are battle pets; a few masks of
// the real game name no class at all (two class bits, a bare 0, low bits only).
constexpr int kSwordClasses[] = {130, 132, 640, 1152, 2176, 4224, 129, kAll};
constexpr int kDaggerClasses[] = {8320, 136, 129, kAll};
constexpr int kAxeClasses[] = {130, 640, kAll};
constexpr int kMaceClasses[] = {132, 4224, 131200};
constexpr int kShieldClasses[] = {132, 4224, 2176, 131200, 262272, 160, kAll};
constexpr int kStaffClasses[] = {144, 32896, 65664, 160, 262272};
constexpr int kWandClasses[] = {160, 262272, 131200, 144};
constexpr int kBowClasses[] = {4194432, 4194304, 2097280, 2097152};
constexpr int kGunClasses[] = {8388736, 8388608, 524416};
constexpr int kSpearClasses[] = {132, 2176, 4224, 130};
constexpr int kClawClasses[] = {8320, 136};
constexpr int kFanClasses[] = {136, 16512};
constexpr int kPanClasses[] = {16777344, 33554560, 67108992};
constexpr int kToolClasses[] = {192, 1048704, 524416};
constexpr int kGearClasses[] = {kAll, kAll, kAll, kAll, kAll, 130, 132,   136, 144,
                                160,  192,  129,  0,    131,  511, 65791, 4607};
constexpr int kPetClasses[] = {1, 2, 3, 4, kAll};
constexpr int kCostumeClasses[] = {kAll, kAll, kAll, kAll, 128, 0};
constexpr int kBookClasses[] = {129,     130,     132,     136,     144,      160,      192,
                                640,     1152,    2176,    4224,    8320,     16512,    32896,
                                65664,   131200,  262272,  524416,  1048704,  2097280,  4194432,
                                8388736, 2097152, 4194304, 8388608, 16777344, 33554560, 67108992};
constexpr int kAnyone[] = {kAll};
constexpr int kLooseItems[] = {kAll, kAll, kAll, 0};

constexpr std::array kKinds = {
    // Gear worn on the body.
    KindPlan{4, P::Helmet, G::Armour, 0, 700, kGearClasses},
    KindPlan{6, P::Armour, G::Armour, 1, 1000, kGearClasses},
    KindPlan{7, P::Trousers, G::Armour, 2, 650, kGearClasses},
    KindPlan{8, P::Boots, G::Armour, 3, 650, kGearClasses},
    KindPlan{34, P::Hat, G::Armour, 0, 400, kGearClasses},
    KindPlan{35, P::Robe, G::Armour, 1, 450, kGearClasses},
    KindPlan{36, P::Skirt, G::Armour, 2, 300, kGearClasses},
    KindPlan{37, P::Shoes, G::Armour, 3, 350, kGearClasses},
    KindPlan{26, P::Cape, G::Armour, 1, 300, kGearClasses},
    // Weapons, the off-hand blade taking the shield's slot.
    KindPlan{9, P::Sword, G::Weapon, 4, 900, kSwordClasses},
    KindPlan{11, P::Dagger, G::Weapon, 4, 450, kDaggerClasses},
    KindPlan{33, P::Dagger, G::Weapon, 5, 250, kDaggerClasses},
    KindPlan{12, P::Axe, G::Weapon, 4, 400, kAxeClasses},
    KindPlan{13, P::Hammer, G::Weapon, 4, 400, kMaceClasses},
    KindPlan{31, P::Spear, G::Weapon, 4, 400, kSpearClasses},
    KindPlan{15, P::Staff, G::Weapon, 4, 550, kStaffClasses},
    KindPlan{16, P::Wand, G::Weapon, 4, 350, kWandClasses},
    KindPlan{17, P::Bow, G::Weapon, 4, 500, kBowClasses},
    KindPlan{18, P::Bow, G::Weapon, 4, 300, kBowClasses},
    KindPlan{19, P::Gun, G::Weapon, 4, 450, kGunClasses},
    KindPlan{32, P::Claw, G::Weapon, 4, 300, kClawClasses},
    KindPlan{38, P::Fan, G::Weapon, 4, 250, kFanClasses},
    KindPlan{39, P::Pan, G::Weapon, 4, 250, kPanClasses},
    KindPlan{40, P::Hammer, G::Weapon, 4, 200, kToolClasses},
    KindPlan{14, P::Shield, G::Shield, 5, 550, kShieldClasses},
    // Accessories.
    KindPlan{20, P::Ring, G::Accessory, 6, 558, kGearClasses},
    KindPlan{21, P::Necklace, G::Accessory, 6, 450, kGearClasses},
    KindPlan{22, P::Earring, G::Accessory, 6, 300, kGearClasses},
    KindPlan{25, P::Gloves, G::Accessory, 6, 350, kGearClasses},
    // Pets and what they wear.
    KindPlan{29, P::Pet, G::Pet, 7, 500, kPetClasses},
    KindPlan{30, P::Armour, G::Pet, 7, 250, kPetClasses},
    KindPlan{53, P::Necklace, G::Pet, 7, 150, kPetClasses},
    // Fashion: the first four take the body slots, the rest slots the card names no slot for.
    KindPlan{44, P::Hat, G::Costume, 0, 300, kCostumeClasses},
    KindPlan{45, P::Robe, G::Costume, 1, 300, kCostumeClasses},
    KindPlan{46, P::Skirt, G::Costume, 2, 250, kCostumeClasses},
    KindPlan{47, P::Shoes, G::Costume, 3, 250, kCostumeClasses},
    KindPlan{48, P::Wings, G::Costume, 8, 250, kCostumeClasses},
    KindPlan{49, P::Cape, G::Costume, 9, 200, kCostumeClasses},
    KindPlan{50, P::Pet, G::Costume, 10, 200, kCostumeClasses},
    KindPlan{51, P::Emblem, G::Costume, 11, 200, kCostumeClasses},
    KindPlan{52, P::Emblem, G::Costume, 12, 150, kCostumeClasses},
    // Everything that is not worn.
    KindPlan{1, P::Potion, G::Consumable, kNoSlot, 800, kAnyone},
    KindPlan{1, P::Food, G::Consumable, kNoSlot, 500, kAnyone},
    KindPlan{28, P::Food, G::Consumable, kNoSlot, 150, kPetClasses},
    KindPlan{0, P::Ore, G::Material, kNoSlot, 450, kLooseItems},
    KindPlan{0, P::Herb, G::Material, kNoSlot, 450, kLooseItems},
    KindPlan{27, P::Ore, G::Material, kNoSlot, 400, kLooseItems},
    KindPlan{42, P::Gem, G::Material, kNoSlot, 300, kLooseItems},
    KindPlan{23, P::Book, G::SkillBook, kNoSlot, 600, kBookClasses},
    KindPlan{24, P::Letter, G::Quest, kNoSlot, 450, kAnyone},
    KindPlan{24, P::Scroll, G::Quest, kNoSlot, 450, kAnyone},
    KindPlan{10, P::Scroll, G::Misc, kNoSlot, 300, kLooseItems},
    KindPlan{2, P::Box, G::Misc, kNoSlot, 300, kLooseItems},
    KindPlan{3, P::Coin, G::Misc, kNoSlot, 250, kLooseItems},
    KindPlan{5, P::Key, G::Misc, kNoSlot, 150, kLooseItems},
    KindPlan{41, P::Card, G::Misc, kNoSlot, 200, kLooseItems},
    KindPlan{43, P::Firework, G::Misc, kNoSlot, 100, kLooseItems},
};

constexpr int TotalRows() {
    int total = 0;
    for (const KindPlan& plan : kKinds) total += plan.rows;
    return total;
}
static_assert(TotalRows() == kItemRows);

}  // namespace

std::span<const KindPlan> CatalogueKinds() { return kKinds; }

}  // namespace lf::demo
