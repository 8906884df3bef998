#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "composer/card_builders.h"
#include "tests/support/card_colours.h"

namespace lf {
namespace {

std::vector<TextBlock> Describe(std::string_view description) {
    Card card;
    AddDescription(card, description);
    return card.blocks;
}

TEST(Description, WithoutCodesIsOneBlockWhateverItHolds) {
    for (const char* text : {"", "A plain line", "#r# lower case # and #NN# are text", "ends #N",
                             "#R", "一件很长的装备说明，不含任何颜色代码。"}) {
        EXPECT_EQ(Describe(text), (std::vector<TextBlock>{{text, testing::kDescription}})) << text;
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
         {{"first", testing::kBlue},
          {"second", testing::kBlue},
          {"", testing::kBlue},
          {"third", testing::kDescription}}},
        // Each further "#N#" of a run adds one more blank block.
        {"a1#N##N##N#b2",
         {{"a1", testing::kDescription},
          {"", testing::kDescription},
          {"", testing::kDescription},
          {"b2", testing::kDescription}}},
        {"text#N#", {{"text", testing::kDescription}, {"", testing::kDescription}}},
        {"#G#go#N##N#", {{"go", testing::kGreen}, {"", testing::kGreen}, {"", testing::kGreen}}},
        // A colour directly followed by another code changes colour without a block.
        {"#R##G#green", {{"green", testing::kGreen}}},
        // "#N#" directly followed by a colour code gives no blank block.
        {"one#N##R#two", {{"one", testing::kDescription}, {"two", testing::kRed}}},
        // Short segments after a code are not shown; two GBK bytes are enough.
        {"#R#a#N#bb", {{"bb", testing::kRed}}},
        {"#G#好", {{"好", testing::kGreen}}},
        {"x#N#yz", {{"yz", testing::kDescription}}},
        // A stray "#" hides the text after it up to the next code.
        {"#R#red#stray text#N#after", {{"red", testing::kRed}, {"after", testing::kRed}}},
        // Code letters count in the first segment too, once a code is present elsewhere.
        {"R#text#N#more", {{"text", testing::kRed}, {"more", testing::kRed}}},
        {"#r#low#N#up", {{"up", testing::kDescription}}},
        // A last code letter without its closing "#" shows nothing.
        {"#G#go#R", {{"go", testing::kGreen}}},
        {"#N#a b#N", {{"a b", testing::kDescription}}},
        {"#X#", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(c.description), c.blocks) << c.description;
    }
}

}  // namespace
}  // namespace lf
