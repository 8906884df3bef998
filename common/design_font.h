#pragma once

// The font the windows' pixel layouts were drawn for: a small interface font, 8 points. Where the
// system does not choose it (Linux), Noto Sans CJK SC is that font for Latin and Chinese alike:
// in it every line of every card keeps its two pieces side by side in a 186-pixel block.

#include <string_view>

namespace lf {

inline constexpr std::string_view kDesignFontFamily = "Noto Sans CJK SC";
inline constexpr int kDesignFontPoints = 8;

}  // namespace lf
