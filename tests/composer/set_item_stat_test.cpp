#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "composer/card.h"
#include "tests/support/card_colours.h"
#include "tests/support/record_text.h"

namespace lf {
namespace {

using namespace testing;

// A well-formed record: 87 fields each closed by "|", then the empty field 87.
testing::RecordText Row() {
    return testing::RecordText()
        .Set(record_field::kName, "Item")
        .Set(record_field::kSlot, "100")
        .Set(record_field::kDescription, "");
}

std::vector<Rgb> Colours(const Card& card) {
    std::vector<Rgb> colours;
    for (const TextBlock& block : card.blocks) colours.push_back(block.colour);
    return colours;
}

TEST(SetItemStat, BareEquipmentShowsThreeBlankHeadingsDescriptionAndPrices) {
    const Card card =
        SetItemStat(Row().Set(1, "木剑").Set(2, "4").Set(86, "A stick.").Text(), true);
    EXPECT_EQ(card.title, "木剑");
    const std::vector<TextBlock> expected = {
        {"", kDurability},
        {"", kSpecial},
        {"", kSlot},
        {"A stick.", kDescription},
        {"购买价格 - 0s\r\n出售价格 - 0s\r\n", kPrice},
    };
    EXPECT_EQ(card.blocks, expected);
}

TEST(SetItemStat, FullEquipmentInDisplayOrder) {
    const std::string row = Row()
                                .Set(2, "14")
                                .Set(44, "30")
                                .Set(18, "1")
                                .Set(70, "5")
                                .Set(6, "12")
                                .Set(71, "130")
                                .Set(3, "10")
                                .Set(35, "100")
                                .Set(36, "25")
                                .Set(38, "2")
                                .Set(86, "#G#Green words")
                                .Text();
    const Card chinese = SetItemStat(row, true);
    EXPECT_EQ(Colours(chinese), (std::vector<Rgb>{kDurability,
                                                  kSpecial,
                                                  kSlot,
                                                  kChineseStat,
                                                  kRequirement,
                                                  {0, 220, 0},
                                                  kPrice,
                                                  kOption}));
    EXPECT_EQ(chinese.blocks[0].text, "耐久度 [30]");
    EXPECT_EQ(chinese.blocks[2].text, "盾");
    EXPECT_EQ(chinese.blocks[4].text, "剑士\r\n等级 10");
    EXPECT_EQ(chinese.blocks[7].text, "添加选项\r\nHP (-4 % to 10 %)\r\n");

    const Card english = SetItemStat(row, false);
    EXPECT_EQ(english.blocks[1].text, "[Special Item]");
    EXPECT_EQ(english.blocks[2].text, "Shield");
    EXPECT_EQ(english.blocks[3], (TextBlock{"Damage 12    ", {100, 100, 200}}));
    EXPECT_EQ(english.blocks[6].text, "Purchase price - 100s\r\nSale price - 25s\r\n");
}

TEST(SetItemStat, SectionSequenceOfEveryKind) {
    // Stats, requirements and options present, so every section the kind allows shows.
    const auto cardOf = [](int kind) {
        return SetItemStat(Row()
                               .Set(2, std::to_string(kind))
                               .Set(6, "5")
                               .Set(3, "1")
                               .Set(10, "1")
                               .Set(37, "20")
                               .Text(),
                           true);
    };
    const std::vector<Rgb> equipment = {kDurability,  kSpecial,     kSlot,  kChineseStat,
                                        kRequirement, kDescription, kPrice, kOption};
    const std::vector<Rgb> recovery = {kRecoveryOrQuest, kDescription, kPrice};
    const std::vector<Rgb> material = {kRequirement, kDescription, kPrice};
    const std::vector<Rgb> quest = {kRecoveryOrQuest, kDescription};
    const std::vector<Rgb> priced = {kDescription, kPrice};
    const std::vector<Rgb> descriptionOnly = {kDescription};
    for (int kind = -2; kind <= 60; ++kind) {
        const bool isEquipment = kind == 4 || (kind >= 6 && kind <= 9) ||
                                 (kind >= 11 && kind <= 22) || kind == 25 || kind == 26 ||
                                 (kind >= 29 && kind <= 40) || (kind >= 44 && kind <= 53);
        const std::vector<Rgb>& expected = isEquipment  ? equipment
                                           : kind == 1  ? recovery
                                           : kind == 23 ? material
                                           : kind == 24 ? quest
                                           : kind == 0 || kind == 27 || kind == 42
                                               ? priced
                                               : descriptionOnly;
        EXPECT_EQ(Colours(cardOf(kind)), expected) << "kind " << kind;
    }
    EXPECT_EQ(cardOf(1).blocks[0].text, "HP恢复 20      ");
    EXPECT_EQ(cardOf(24).blocks[0].text, "委托人 5 获得声望 1 ");
}

TEST(SetItemStat, SectionsWithAFlagAreLeftOutWithoutIt) {
    EXPECT_EQ(Colours(SetItemStat(Row().Set(2, "23").Text(), false)),
              (std::vector<Rgb>{kDescription, kPrice}));
    // Recovery shows even when both values are zero.
    const Card food = SetItemStat(Row().Set(2, "1").Text(), false);
    EXPECT_EQ(food.blocks.front(), (TextBlock{"", kRecoveryOrQuest}));
}

TEST(SetItemStat, FieldsAreReadAsRoundedNumbersAndJudgedOnTheirValue) {
    struct Case {
        const char* attack;  // field 6
        const char* statText;
    };
    const Case cases[] = {
        {"-10", "攻击力 -10     "},
        {"12.5", "攻击力 12      "},
        {"13.5", "攻击力 14      "},
        {"0.4", ""},  // present, so the stat block shows, yet its value rounds to 0
        {" 7 ", "攻击力 7       "},
    };
    for (const Case& c : cases) {
        const Card card = SetItemStat(Row().Set(2, "33").Set(6, c.attack).Text(), true);
        ASSERT_EQ(card.blocks.size(), 6u) << c.attack;
        EXPECT_EQ(card.blocks[3], (TextBlock{c.statText, kChineseStat})) << c.attack;
    }
    // Absent: zero forms, and what a hand-made table may hold that is no 32-bit number.
    for (const char* absent : {"0", "0.000000", "-0", "", "abc", "12a", "3000000000", "1e400"}) {
        const Card card = SetItemStat(Row().Set(2, "33").Set(6, absent).Text(), true);
        EXPECT_EQ(Colours(card),
                  (std::vector<Rgb>{kDurability, kSpecial, kSlot, kDescription, kPrice}))
            << absent;
    }
}

TEST(SetItemStat, ShortAndMalformedRecords) {
    // Fewer than 72 fields: missing entries are zero, the next-to-last element describes.
    const Card shortRecord = SetItemStat("0|Short|33|0|0|0|8|Worn out.|", false);
    EXPECT_EQ(shortRecord.title, "Short");
    EXPECT_EQ(shortRecord.blocks[2].text, "Head");  // slot field missing, so slot 0
    EXPECT_EQ(shortRecord.blocks[3].text, "Damage 8    ");
    EXPECT_EQ(shortRecord.blocks[4], (TextBlock{"Worn out.", kDescription}));

    // More elements than usual: still the next-to-last one describes.
    const Card longRecord =
        SetItemStat(Row().Set(2, "3").Set(86, "Early").Text() + "more|Late words|", true);
    EXPECT_EQ(longRecord.blocks, (std::vector<TextBlock>{{"Late words", kDescription}}));

    // Empty: no blocks, and the title keeps its previous caption.
    const Card empty = SetItemStat("", true);
    EXPECT_FALSE(empty.title.has_value());
    EXPECT_TRUE(empty.blocks.empty());

    // No "|": no name, no description; read as a record of kind 0.
    const Card noBar = SetItemStat("just some text", true);
    EXPECT_EQ(noBar.title, "");
    EXPECT_EQ(Colours(noBar), (std::vector<Rgb>{kDescription, kPrice}));
    EXPECT_EQ(noBar.blocks[0].text, "");

    // An empty description field still gives one blank block.
    const Card blank = SetItemStat(Row().Set(2, "3").Text(), true);
    EXPECT_EQ(blank.blocks, (std::vector<TextBlock>{{"", kDescription}}));

    // A huge option value shows its true range.
    const Card wide = SetItemStat(Row().Set(2, "33").Set(10, "500000000").Text(), false);
    EXPECT_EQ(wide.blocks.back().text, "Added option\r\nDamage (-1000000000 to 2500000000)\r\n");
}

}  // namespace
}  // namespace lf
