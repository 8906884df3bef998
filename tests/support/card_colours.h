#pragma once

// The colours of the card's blocks as players know them, written out here so that the tests
// check the composer's colours rather than read them back from it.

#include "composer/card.h"

namespace lf::testing {

inline constexpr Rgb kDurability{78, 72, 200};
inline constexpr Rgb kSpecial{0, 180, 0};
inline constexpr Rgb kSlot{200, 0, 200};
inline constexpr Rgb kChineseStat{100, 100, 255};
inline constexpr Rgb kEnglishStat{100, 100, 200};
inline constexpr Rgb kRequirement{0, 0, 200};
inline constexpr Rgb kDescription{40, 40, 40};
inline constexpr Rgb kPrice{100, 100, 100};
inline constexpr Rgb kOption{100, 0, 180};
inline constexpr Rgb kRecoveryOrQuest{80, 80, 255};
inline constexpr Rgb kRed{220, 0, 0};
inline constexpr Rgb kGreen{0, 220, 0};
inline constexpr Rgb kBlue{0, 0, 220};

}  // namespace lf::testing
