#pragma once

// The Item Finder window in pixels, for every window layer: the filters in two rows, the
// results, their count with the comparison's buttons, and the comparison.

#include <array>
#include <cstddef>

#include "common/pixel_place.h"

namespace lf::finder::layout {

inline constexpr int kClientWidth = 460;
inline constexpr int kClientHeight = 440;

inline constexpr PixelPlace kNameLabel{8, 11, 40, 13};
inline constexpr PixelPlace kNameBox{50, 8, 150, 21};
inline constexpr PixelPlace kSlotLabel{208, 11, 34, 13};
inline constexpr PixelPlace kSlotChoice{244, 8, 86, 21};
inline constexpr PixelPlace kClassLabel{336, 11, 36, 13};
inline constexpr PixelPlace kClassChoice{372, 8, 80, 21};

inline constexpr PixelPlace kLevelLabel{8, 39, 40, 13};
inline constexpr PixelPlace kLevelFrom{50, 36, 40, 21};
inline constexpr PixelPlace kLevelToLabel{94, 39, 16, 13};
inline constexpr PixelPlace kLevelTo{112, 36, 40, 21};
inline constexpr PixelPlace kStatLabel{160, 39, 30, 13};
inline constexpr PixelPlace kStatChoice{192, 36, 120, 21};
inline constexpr PixelPlace kStatMinimumLabel{316, 39, 46, 13};
inline constexpr PixelPlace kStatMinimum{364, 36, 88, 21};
inline constexpr PixelPlace kSpecialOnly{8, 63, 200, 17};

inline constexpr PixelPlace kResults{8, 86, 444, 208};
// Row, name, level, slot, class and the chosen stat, whose title ("Defense", "Magic Power") and
// sort arrow need the room the names can spare.
inline constexpr std::array<int, 6> kResultColumnWidths = {46, 136, 44, 58, 72, 84};
// The column that gives way to a vertical scroll bar, so that no horizontal one is needed.
inline constexpr std::size_t kResultStretchColumn = 1;  // the name

inline constexpr PixelPlace kCount{8, 303, 200, 13};
inline constexpr PixelPlace kCompareButton{302, 298, 72, 23};
inline constexpr PixelPlace kClearButton{380, 298, 72, 23};

inline constexpr PixelPlace kComparison{8, 326, 444, 106};
// What differs, the pinned item's value, the selected item's, and the change.
inline constexpr std::array<int, 4> kComparisonColumnWidths = {150, 104, 104, 82};
inline constexpr std::size_t kComparisonStretchColumn = 0;  // what differs

}  // namespace lf::finder::layout
