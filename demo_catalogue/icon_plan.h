#pragma once

// Which picture sits in which icon cell. Items and sheets both follow this plan, so that an
// item's icon number always points at a picture of its own kind and rarity.

#include <vector>

#include "catalogue/catalogue_format.h"
#include "demo_catalogue/pictures.h"

namespace lf::demo {

inline constexpr int kDrawnSheets = 15;  // the sixteenth sheet repeats the fifteenth
inline constexpr int kUsedIcons = 3835;  // icon numbers 0 to 3834 name items

struct IconArt {
    Picture picture;
    Rarity rarity;
};

// What every cell of the drawn sheets shows, indexed by icon number.
const std::vector<IconArt>& PlannedIcons();

// The icon numbers below kUsedIcons that show this picture, in ascending order.
std::vector<int> IconsShowing(Picture picture);

}  // namespace lf::demo
