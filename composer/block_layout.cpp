#include "composer/block_layout.h"

namespace lf {
namespace {

constexpr int kBlockLeft = 10;
constexpr int kTitleTop = 26;
constexpr int kBlockWidth = 186;
constexpr int kBlockGap = 1;

}  // namespace

CardLayout StackBlocks(const Card& card, const MeasureHeight& measure) {
    CardLayout layout;
    if (!card.title) return layout;  // an empty record: nothing to stack under the old title
    BlockPlace above{kBlockLeft, kTitleTop, kBlockWidth, measure(0, kBlockWidth)};
    layout.title = above;
    layout.blocks.reserve(card.blocks.size());
    for (std::size_t i = 0; i < card.blocks.size(); ++i) {
        above = {kBlockLeft, above.Bottom() + kBlockGap, kBlockWidth, measure(i + 1, kBlockWidth)};
        layout.blocks.push_back(above);
    }
    return layout;
}

std::string WithLineFeeds(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t start = 0; start < text.size();) {
        std::size_t lineBreak = text.find("\r\n", start);
        if (lineBreak == std::string_view::npos) lineBreak = text.size();
        lines.append(text.substr(start, lineBreak - start));
        if (lineBreak < text.size()) lines += '\n';
        start = lineBreak + 2;
    }
    return lines;
}

}  // namespace lf
