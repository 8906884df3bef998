#pragma once

// The information card of one item: its title and a column of coloured text blocks, composed
// from the item's record text. Plain data; the detail window turns it into labels.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/wording.h"

namespace lf {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One caption of the card in one colour; line breaks inside it are CR LF.
struct TextBlock {
    std::string text;
    Rgb colour;
    friend bool operator==(const TextBlock&, const TextBlock&) = default;
};

struct Card {
    // The item name. Empty optional: the previous caption of the title stays as it was.
    std::optional<std::string> title;
    // The blocks under the title, top to bottom.
    std::vector<TextBlock> blocks;

    void AddTextBlock(std::string text, Rgb colour) { blocks.push_back({std::move(text), colour}); }
};

// Composes the card of one record (UTF-8, fields separated by "|") in Chinese or English.
// An empty record gives no blocks and leaves the title alone.
Card SetItemStat(std::string_view DataStr, bool isChineseUI);

}  // namespace lf
