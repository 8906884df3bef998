#include "composer/card_builders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/card_colours.h"

namespace lf {
namespace {

using namespace testing;

// The one block a builder appended.
template <typename Build>
TextBlock OnlyBlock(Build build) {
    Card card;
    build(card);
    EXPECT_EQ(card.blocks.size(), 1u);
    return card.blocks.empty() ? TextBlock{} : card.blocks.front();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST(PadTo15, CountsGbkBytesAndNeverCuts) {
    struct Case {
        std::string text;
        std::size_t spaces;
    };
    const Case cases[] = {
        {"", 15},
        {"abc", 12},
        {"攻击力 120", 5},         // 6 + 1 + 3 bytes
        {"減少伤害力 5 %", 1},     // the traditional first character is two bytes too
        {"\xF0\x9F\x98\x80", 14},  // a character outside GBK counts one byte
        {"123456789012345", 0},
        {"增加伤害力 100 %", 0},  // 16 bytes stay 16
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PadTo15(c.text), c.text + std::string(c.spaces, ' ')) << c.text;
    }
}

TEST(BreakAfterTwo, BreaksOnlyAtACountOfTwo) {
    for (int count : {0, 1, 3}) {
        std::string text = "a";
        int after = count;
        BreakAfterTwo(text, after);
        EXPECT_EQ(text, "a");
        EXPECT_EQ(after, count);
    }
    std::string text = "a";
    int count = 2;
    BreakAfterTwo(text, count);
    EXPECT_EQ(text, "a\r\n");
    EXPECT_EQ(count, 0);
}

TEST(StatLines, WorkedExampleInBothLanguages) {
    StatSet stats{};
    stats[0] = 120;
    stats[2] = 35;
    stats[3] = -5;
    stats[8] = 10;
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddStatLines(c, stats, Language::Chinese); }),
              (TextBlock{"攻击力 120     防御力 35      \r\n攻击速度 -5    增加伤害力 10 %",
                         kChineseStat}));
    EXPECT_EQ(
        OnlyBlock([&](Card& c) { AddStatLines(c, stats, Language::English); }),
        (TextBlock{"Damage 120    Defense 35    \r\nAttack Speed -5    \r\nDamage increase 10 %",
                   kEnglishStat}));
}

TEST(StatLines, ChinesePiecesOfFifteenBytesOrMoreAreNotPadded) {
    StatSet stats{};
    stats[8] = 100;
    stats[9] = 5;
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddStatLines(c, stats, Language::Chinese); }).text,
              "增加伤害力 100 %減少伤害力 5 % ");
}

TEST(StatLines, AllTenStatsLineUpAsEachLanguageDoes) {
    StatSet stats;
    stats.fill(1);
    const std::vector<std::string> chinese =
        Lines(OnlyBlock([&](Card& c) { AddStatLines(c, stats, Language::Chinese); }).text);
    ASSERT_EQ(chinese.size(), 5u);
    EXPECT_EQ(chinese[0], "攻击力 1       魔法力 1       ");
    EXPECT_EQ(chinese[3], "回避率 1       增加伤害力 1 % ");
    EXPECT_EQ(chinese[4], "減少伤害力 1 % 移动速度 1     ");

    EXPECT_EQ(OnlyBlock([&](Card& c) { AddStatLines(c, stats, Language::English); }).text,
              "Damage 1    Magic Power 1    \r\n"
              "Defense 1    Attack Speed 1    \r\n"
              "Accuracy 1    Critical Rate 1    \r\n"
              "Evasion Rate 1    \r\n"
              "Damage increase 1 %\r\n"
              "Damage decrease 1 %\r\n"
              "Movement Speed 1");
}

TEST(StatLines, EnglishOwnLineEntriesHaveNoLeadingBreak) {
    struct Case {
        std::vector<std::pair<std::size_t, std::int32_t>> entries;
        std::string text;
    };
    const Case cases[] = {
        {{{7, 7}}, "Movement Speed 7"},
        {{{8, 3}, {9, 4}}, "Damage increase 3 %\r\nDamage decrease 4 %"},
        {{{0, 5}, {7, 7}}, "Damage 5    \r\nMovement Speed 7"},
        {{{0, 1}, {1, 2}, {7, 3}}, "Damage 1    Magic Power 2    \r\nMovement Speed 3"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        StatSet stats{};
        for (auto [entry, value] : c.entries) stats[entry] = value;
        EXPECT_EQ(OnlyBlock([&](Card& card) { AddStatLines(card, stats, Language::English); }).text,
                  c.text);
    }
}

TEST(OptionLines, WorkedExampleAndTheHpApDifference) {
    OptionSet options{};
    options[0] = 3;
    options[10] = 2;
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddOptionLines(c, options, Language::Chinese); }),
              (TextBlock{"添加选项\r\n攻击力 (-6 to 15)\r\nHP (-4 % to 10 %)\r\n", kOption}));
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddOptionLines(c, options, Language::English); }),
              (TextBlock{"Added option\r\nDamage (-6 to 15)\r\nHP (-4 to 10)\r\n", kOption}));
    options = {};
    options[11] = 1;
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddOptionLines(c, options, Language::Chinese); }).text,
              "添加选项\r\nAP (-2 % to 5 %)\r\n");
}

TEST(OptionLines, SignsWideProductsOrderAndEmptySet) {
    OptionSet options{};
    options[6] = -1;
    options[7] = 500000000;  // 5v no longer fits 32 bits
    options[8] = 1;
    options[9] = 2147483647;
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddOptionLines(c, options, Language::English); }).text,
              "Added option\r\n"
              "Evasion Rate (2 to -5)\r\n"
              "Damage increase (-2 % to 5 %)\r\n"
              "Damage decrease (-4294967294 % to 10737418235 %)\r\n"
              "Movement Speed (-1000000000 to 2500000000)\r\n");
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddOptionLines(c, OptionSet{}, Language::Chinese); }).text,
              "添加选项\r\n");
}

TEST(RequirementLines, ClassTextThenRequirementsWithoutFinalBreak) {
    RequirementSet set{};
    set[0] = 0x82;
    set[1] = 30;
    set[5] = 12;
    const Rgb colour{0, 0, 200};
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddRequirementLines(c, set, Language::English); }),
              (TextBlock{"Warrior\r\nLevel Requirement 30\r\nAgility Requirement 12", colour}));
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddRequirementLines(c, set, Language::Chinese); }).text,
              "剑士\r\n等级 30\r\n敏捷 12");

    set = {18874879, 1, 2, 3, 4, 5, -6, 7, 8};
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddRequirementLines(c, set, Language::Chinese); }).text,
              "适合所有职业使用。\r\n等级 1\r\n声望 2\r\n力量 3\r\n敏捷 5\r\n智力 4\r\n体力 -6\r\n"
              "精神 7\r\n感觉 8");
    set = {};
    set[0] = 18874879;
    EXPECT_EQ(OnlyBlock([&](Card& c) { AddRequirementLines(c, set, Language::English); }).text,
              "Can be used by all classes");
}

TEST(RecoveryLines, PaddedPiecesOnOneLine) {
    const Rgb colour{80, 80, 255};
    EXPECT_EQ(OnlyBlock([](Card& c) {
                  AddRecoveryLines(c, {50, 0}, Language::Chinese);
              }),
              (TextBlock{"HP恢复 50      ", colour}));
    EXPECT_EQ(OnlyBlock([](Card& c) {
                  AddRecoveryLines(c, {1000, 5}, Language::English);
              }).text,
              "HP Recovery 1000AP Recovery 5  ");
    EXPECT_EQ(OnlyBlock([](Card& c) {
                  AddRecoveryLines(c, {100000000, 7}, Language::Chinese);
              }).text,
              "HP恢复 100000000AP恢复 7       ");
    EXPECT_EQ(OnlyBlock([](Card& c) { AddRecoveryLines(c, {0, 0}, Language::English); }).text, "");
}

TEST(PriceLines, BothLinesAlwaysShown) {
    const Rgb colour{100, 100, 100};
    EXPECT_EQ(OnlyBlock([](Card& c) {
                  AddPriceLines(c, {1200, 300}, Language::Chinese);
              }),
              (TextBlock{"购买价格 - 1200s\r\n出售价格 - 300s\r\n", colour}));
    EXPECT_EQ(OnlyBlock([](Card& c) {
                  AddPriceLines(c, {1200, 300}, Language::English);
              }).text,
              "Purchase price - 1200s\r\nSale price - 300s\r\n");
    EXPECT_EQ(OnlyBlock([](Card& c) {
                  AddPriceLines(c, {0, -1}, Language::Chinese);
              }).text,
              "购买价格 - 0s\r\n出售价格 - -1s\r\n");
}

// Fields 0..13 of a quest record; the builder reads 6, 7, 8, 10, 12 and 13.
std::string QuestRow(const char* f6, const char* f7, const char* f8, const char* f10,
                     const char* f12, const char* f13) {
    return std::string("0|Quest|24|0|0|0|") + f6 + "|" + f7 + "|" + f8 + "|0|" + f10 + "|0|" + f12 +
           "|" + f13 + "|";
}

TEST(QuestLines, FieldTextsTwoToALineRolesComparedAsText) {
    const Rgb colour{80, 80, 255};
    EXPECT_EQ(
        OnlyBlock(
            [](Card& c) { AddQuestLines(c, QuestRow("1850", "2", "3", "140", "4250", "0")); }),
        (TextBlock{"委托人 1850 难易度 2 \r\n次要角色 Event 获得声望 140 \r\n获得经验值 4250 ",
                   colour}));
    struct Case {
        std::string row;
        std::string text;
    };
    const Case cases[] = {
        // A role code that is not exactly 1..4 shows nothing yet takes its place on the line.
        {QuestRow("1", "2", "03", "4", "0", "0"), "委托人 1 难易度 2 \r\n获得声望 4 "},
        {QuestRow("0", "0", "5", "0", "0", "9"), "获得金钱 9 "},
        {QuestRow("0", "0", "1", "0", "0", "0"), "主要角色 Event "},
        {QuestRow("0", "0", "4", "0", "0", "0"), "其他角色 Event "},
        // Shown as written, not reformatted; unreadable fields are left out.
        {QuestRow("007", "", "x", "1.50", "abc", "-0"), "委托人 007 获得声望 1.50 "},
        {QuestRow("0", "0", "0", "0", "0", "0"), ""},
        {"0|Short|24|0|0|0|12", "委托人 12 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OnlyBlock([&](Card& card) { AddQuestLines(card, c.row); }).text, c.text) << c.row;
    }
}

TEST(HeadingLines, DurabilityAndSpecialMarkAlwaysOneBlock) {
    const Rgb durability{78, 72, 200};
    const Rgb special{0, 180, 0};
    EXPECT_EQ(OnlyBlock([](Card& c) { AddDurabilityLine(c, 1, Language::Chinese); }),
              (TextBlock{"耐久度 [1]", durability}));
    EXPECT_EQ(OnlyBlock([](Card& c) { AddDurabilityLine(c, 250, Language::English); }).text,
              "Durability [250]");
    for (std::int32_t none : {0, -5}) {
        EXPECT_EQ(OnlyBlock([&](Card& c) { AddDurabilityLine(c, none, Language::Chinese); }),
                  (TextBlock{"", durability}));
        EXPECT_EQ(OnlyBlock([&](Card& c) { AddSpecialMarker(c, none, Language::English); }),
                  (TextBlock{"", special}));
    }
    EXPECT_EQ(OnlyBlock([](Card& c) { AddSpecialMarker(c, 1, Language::Chinese); }),
              (TextBlock{"[特殊道具]", special}));
    EXPECT_EQ(OnlyBlock([](Card& c) { AddSpecialMarker(c, 40, Language::English); }).text,
              "[Special Item]");
}

TEST(SlotLine, NamesSlotsZeroToSevenAndShieldsOfKind14) {
    struct Case {
        std::int32_t kind, slot;
        const char* chinese;
        const char* english;
    };
    const Case cases[] = {
        {33, 0, "头部", "Head"},   {33, 1, "上衣", "Top"},    {33, 2, "裤子", "Bottom"},
        {33, 3, "鞋子", "Shoes"},  {33, 4, "武器", "Weapon"}, {14, 5, "盾", "Shield"},
        {33, 5, "武器", "Weapon"}, {14, 4, "武器", "Weapon"}, {33, 6, "配件", "Accessory"},
        {33, 7, "宠物", "Pet"},    {33, 8, "", ""},           {33, 12, "", ""},
        {33, 100, "", ""},         {14, -1, "", ""},          {33, -2147483647 - 1, "", ""},
    };
    const Rgb colour{200, 0, 200};
    for (const Case& c : cases) {
        EXPECT_EQ(
            OnlyBlock([&](Card& card) { AddSlotLine(card, c.kind, c.slot, Language::Chinese); }),
            (TextBlock{c.chinese, colour}))
            << c.slot;
        EXPECT_EQ(OnlyBlock([&](Card& card) {
                      AddSlotLine(card, c.kind, c.slot, Language::English);
                  }).text,
                  c.english);
    }
}

TEST(ClassNameText, WholeMaskMatchesAllClassesAndNotIncluded) {
    struct Case {
        std::int32_t mask;
        const char* chinese;
        const char* english;
    };
    const Case cases[] = {
        {1, "战宠", "Battle Pet"},
        {4, "战宠", "Battle Pet"},
        {5, "未收录(5)", "Not Include"},
        {0x80, "GM", "GM"},
        {0x81, "初学者", "Beginner"},
        {0x83, "未收录(131)", "Not Include"},
        {0xC0, "铁匠", "Craftman"},
        {0x880, "喑骑士", "Renegerade"},
        {0x80080, "爆破士", "Demolisionist"},
        {0x200000, "猎人", "Hunter"},
        {0x200080, "猎人", "Hunter"},
        {0x400000, "弓箭手", "Archer"},
        {0x800080, "枪手", "Gunner"},
        {0x1000000, "未收录(16777216)", "Not Include"},
        {0x4000080, "美食家", "FoodFighter"},
        {0x12001FF, "适合所有职业使用。", "Can be used by all classes"},
        {0x101FF, "适合所有职业使用。", "Can be used by all classes"},
        {511, "适合所有职业使用。", "Can be used by all classes"},
        {0x11FF, "未收录(4607)", "Not Include"},
        {0, "未收录(0)", "Not Include"},
        {-65536 + 0x1FF, "未收录(-65025)", "Not Include"},  // low bits alone are not enough
        {-2147483647 - 1, "未收录(-2147483648)", "Not Include"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassNameText(c.mask, Language::Chinese), c.chinese) << c.mask;
        EXPECT_EQ(ClassNameText(c.mask, Language::English), c.english) << c.mask;
    }
}

}  // namespace
}  // namespace lf
