#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "composer/card_builders.h"

namespace lf {
namespace {

constexpr Rgb kDefault{40, 40, 40};
constexpr Rgb kRed{220, 0, 0};
constexpr Rgb kGreen{0, 220, 0};
constexpr Rgb kBlue{0, 0, 220};

std::vector<TextBlock> Describe(std::string_view description) {
    Card card;
    AddDescription(card, description);
    return card.blocks;
}

TEST(Description, WithoutCodesIsOneBlockWhateverItHolds) {
    for (const char* text : {"", "A plain line", "#r# lower case # and #NN# are text", "ends #N",
                             "#R", "一件很长的装备说明，不含任何颜色代码。"}) {
        EXPECT_EQ(Describe(text), (std::vector<TextBlock>{{text, kDefault}})) << text;
    }
}

TEST(Description, CodesSplitBlocksAndSetColours) {
    struct Case {
        std::string description;
        std::vector<TextBlock> blocks;
    };
    const Case cases[] = {
        // Colour, new block, a run of two new blocks, back to the default colour.
        {"#B#first#N#second#N##N##X#third",
         {{"first", kBlue}, {"second", kBlue}, {"", kBlue}, {"third", kDefault}}},
        // Each further "#N#" of a run adds one more blank block.
        {"a1#N##N##N#b2", {{"a1", kDefault}, {"", kDefault}, {"", kDefault}, {"b2", kDefault}}},
        {"text#N#", {{"text", kDefault}, {"", kDefault}}},
        {"#G#go#N##N#", {{"go", kGreen}, {"", kGreen}, {"", kGreen}}},
        // A colour directly followed by another code changes colour without a block.
        {"#R##G#green", {{"green", kGreen}}},
        // "#N#" directly followed by a colour code gives no blank block.
        {"one#N##R#two", {{"one", kDefault}, {"two", kRed}}},
        // Short segments after a code are not shown; two GBK bytes are enough.
        {"#R#a#N#bb", {{"bb", kRed}}},
        {"#G#好", {{"好", kGreen}}},
        {"x#N#yz", {{"yz", kDefault}}},
        // A stray "#" hides the text after it up to the next code.
        {"#R#red#stray text#N#after", {{"red", kRed}, {"after", kRed}}},
        // Code letters count in the first segment too, once a code is present elsewhere.
        {"R#text#N#more", {{"text", kRed}, {"more", kRed}}},
        {"#r#low#N#up", {{"up", kDefault}}},
        // A last code letter without its closing "#" shows nothing.
        {"#G#go#R", {{"go", kGreen}}},
        {"#N#a b#N", {{"a b", kDefault}}},
        {"#X#", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(c.description), c.blocks) << c.description;
    }
}

}  // namespace
}  // namespace lf
