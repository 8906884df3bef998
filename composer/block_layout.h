#pragma once

// Where the detail window puts the card's blocks: the title at its fixed place, then each block
// across the card's width, as tall as its wrapped text, one pixel below the block above it.

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "common/pixel_place.h"
#include "composer/card.h"

namespace lf {

using BlockPlace = PixelPlace;

// The height of a block's text wrapped to a width; block 0 is the title, block i the card's
// block i - 1. Only the window that draws the text can tell.
using MeasureHeight = std::function<int(std::size_t block, int width)>;

struct CardLayout {
    std::optional<BlockPlace> title;  // none: the title keeps its place and caption
    std::vector<BlockPlace> blocks;
};

CardLayout StackBlocks(const Card& card, const MeasureHeight& measure);

// The card's blocks break lines with CR LF; this is the text with LF alone, as labels break.
std::string WithLineFeeds(std::string_view text);

}  // namespace lf
