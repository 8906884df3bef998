#pragma once

// Which picture sits in which icon cell. Items and sheets both follow this plan, so that an
// item's icon number always points at a picture of its own kind and rarity.

#include <vector>

#include "catalogue/pictures.h"

namespace lf::catalogue {

inline constexpr int kSheetCount = 16;
inline constexpr int kCellsPerSheet = 256;
inline constexpr int kDrawnSheets = 15;  // the sixteenth sheet repeats the fifteenth
inline constexpr int kUsedIcons = 3835;  // icon numbers 0 to 3834 name items

struct IconCell {
    Picture picture;
    Rarity rarity;
};

// Every cell of the drawn sheets, indexed by icon number.
const std::vector<IconCell>& IconCells();

// The icon numbers below kUsedIcons that show this picture, in ascending order.
std::vector<int> IconsShowing(Picture picture);

}  // namespace lf::catalogue
