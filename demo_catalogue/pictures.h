#pragma once

// What an icon cell shows, and how precious the item drawn there is.

#include <cstdint>

namespace lf::demo {

enum class Picture : std::uint8_t {
    Sword,
    Dagger,
    Axe,
    Hammer,
    Spear,
    Staff,
    Wand,
    Bow,
    Gun,
    Claw,
    Fan,
    Pan,
    Shield,
    Helmet,
    Hat,
    Armour,
    Robe,
    Trousers,
    Skirt,
    Boots,
    Shoes,
    Gloves,
    Cape,
    Wings,
    Ring,
    Necklace,
    Earring,
    Emblem,
    Pet,
    Potion,
    Food,
    Herb,
    Ore,
    Gem,
    Scroll,
    Letter,
    Book,
    Key,
    Coin,
    Box,
    Card,
    Firework,
};
inline constexpr int kPictureCount = static_cast<int>(Picture::Firework) + 1;

enum class Rarity : std::uint8_t { Common, Uncommon, Rare, Epic, Legendary };
inline constexpr int kRarityCount = 5;

}  // namespace lf::demo
