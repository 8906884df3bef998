#pragma once

// Every wording of the card, Chinese beside English, and the block colours. Literals are kept
// exactly as players know them, misspellings included.

#include <array>
#include <cstdint>
#include <string_view>

#include "catalogue/catalogue_format.h"
#include "composer/card.h"

namespace lf::card_texts {

// Stat set entries 0..9.
constexpr std::array<Bilingual, 10> kStatLabels = {{
    {"攻击力 ", "Damage "},
    {"魔法力 ", "Magic Power "},
    {"防御力 ", "Defense "},
    {"攻击速度 ", "Attack Speed "},
    {"命中率 ", "Accuracy "},
    {"必杀技 ", "Critical Rate "},
    {"回避率 ", "Evasion Rate "},
    {"移动速度 ", "Movement Speed "},
    {"增加伤害力 ", "Damage increase "},
    {"減少伤害力 ", "Damage decrease "},
}};
constexpr std::size_t kDamageIncrease = 8;
constexpr std::size_t kDamageDecrease = 9;
constexpr std::size_t kMovementSpeed = 7;
constexpr std::string_view kPercent = " %";
// Movement speed closes the block, after the two percent entries.
constexpr std::array<std::size_t, 10> kStatPrintOrder = {0, 1, 2, 3, 4, 5, 6, 8, 9, 7};
constexpr std::string_view kEnglishStatSeparator = "    ";
constexpr Rgb kChineseStatColour{100, 100, 255};
constexpr Rgb kEnglishStatColour{100, 100, 200};

// An added option v reads "label -2v middle 5v closing".
struct OptionWording {
    Bilingual label;
    Bilingual middle;
    Bilingual closing;
};
constexpr Bilingual kRangeMiddle{" to ", " to "};
constexpr Bilingual kRangeClosing{")", ")"};
constexpr Bilingual kPercentMiddle{" % to ", " % to "};
constexpr Bilingual kPercentClosing{" %)", " %)"};
// HP and AP are percentages on the Chinese card and bare numbers on the English one.
constexpr Bilingual kHpApMiddle{" % to ", " to "};
constexpr Bilingual kHpApClosing{" %)", ")"};
// Option set entries 0..11.
constexpr std::array<OptionWording, 12> kOptionWordings = {{
    {{"攻击力 (", "Damage ("}, kRangeMiddle, kRangeClosing},
    {{"魔法力 (", "Magic Power ("}, kRangeMiddle, kRangeClosing},
    {{"防御力 (", "Defense ("}, kRangeMiddle, kRangeClosing},
    {{"攻击速度 (", "Attack Speed ("}, kRangeMiddle, kRangeClosing},
    {{"命中率 (", "Accuracy ("}, kRangeMiddle, kRangeClosing},
    {{"必杀技 (", "Critical Rate ("}, kRangeMiddle, kRangeClosing},
    {{"回避率 (", "Evasion Rate ("}, kRangeMiddle, kRangeClosing},
    {{"移动速度 (", "Movement Speed ("}, kRangeMiddle, kRangeClosing},
    {{"增加伤害力 (", "Damage increase ("}, kPercentMiddle, kPercentClosing},
    {{"減少伤害力 (", "Damage decrease ("}, kPercentMiddle, kPercentClosing},
    {{"HP (", "HP ("}, kHpApMiddle, kHpApClosing},
    {{"AP (", "AP ("}, kHpApMiddle, kHpApClosing},
}};
constexpr std::array<std::size_t, 12> kOptionPrintOrder = {0, 1, 2, 3, 4, 5, 6, 8, 9, 7, 10, 11};
constexpr Bilingual kOptionHeader{"添加选项", "Added option"};
constexpr Rgb kOptionColour{100, 0, 180};

// Requirement set entries 1..8 (entry 0, the class mask, becomes the class text).
constexpr std::array<Bilingual, 9> kRequirementLabels = {{
    {},
    {"等级 ", "Level Requirement "},
    {"声望 ", "Fame Requirement "},
    {"力量 ", "Strength Requirement "},
    {"智力 ", "Intelligence Requirement "},
    {"敏捷 ", "Agility Requirement "},
    {"体力 ", "Vitality Requirement "},
    {"精神 ", "Wisdom Requirement "},
    {"感觉 ", "Luck Requirement "},
}};
// Agility before intelligence.
constexpr std::array<std::size_t, 8> kRequirementPrintOrder = {1, 2, 3, 5, 4, 6, 7, 8};
constexpr Rgb kRequirementColour{0, 0, 200};

constexpr std::array<Bilingual, 2> kRecoveryLabels = {{
    {"HP恢复 ", "HP Recovery "},
    {"AP恢复 ", "AP Recovery "},
}};
constexpr Rgb kRecoveryColour{80, 80, 255};

constexpr std::array<Bilingual, 2> kPriceLabels = {{
    {"购买价格 - ", "Purchase price - "},
    {"出售价格 - ", "Sale price - "},
}};
constexpr std::string_view kPriceUnit = "s";
constexpr Rgb kPriceColour{100, 100, 100};

// Quest blocks are worded in Chinese whatever the language.
struct QuestPiece {
    std::size_t field;
    std::string_view label;
};
constexpr std::array<QuestPiece, 6> kQuestPieces = {{
    {record_field::kQuestClient, "委托人 "},
    {record_field::kQuestDifficulty, "难易度 "},
    {record_field::kQuestRole, {}},
    {record_field::kQuestFameReward, "获得声望 "},
    {record_field::kQuestExperienceReward, "获得经验值 "},
    {record_field::kQuestMoneyReward, "获得金钱 "},
}};
// Role codes "1".."4", compared as text.
constexpr std::array<std::string_view, 4> kQuestRoles = {"主要角色 ", "补助角色 ", "次要角色 ",
                                                         "其他角色 "};
constexpr std::string_view kQuestRoleSuffix = "Event";
constexpr std::string_view kQuestSeparator = " ";
constexpr Rgb kQuestColour{80, 80, 255};

constexpr Rgb kDescriptionColour{40, 40, 40};
constexpr Rgb kRedMarkup{220, 0, 0};
constexpr Rgb kGreenMarkup{0, 220, 0};
constexpr Rgb kBlueMarkup{0, 0, 220};

constexpr Bilingual kDurabilityOpening{"耐久度 [", "Durability ["};
constexpr std::string_view kDurabilityClosing = "]";
constexpr Rgb kDurabilityColour{78, 72, 200};

constexpr Bilingual kSpecialMarker{"[特殊道具]", "[Special Item]"};
constexpr Rgb kSpecialMarkerColour{0, 180, 0};

// The slots the card names, as CardSlot orders them.
constexpr std::array<Bilingual, 8> kSlotNames = {{
    {"头部", "Head"},
    {"上衣", "Top"},
    {"裤子", "Bottom"},
    {"鞋子", "Shoes"},
    {"武器", "Weapon"},
    {"盾", "Shield"},
    {"配件", "Accessory"},
    {"宠物", "Pet"},
}};
constexpr std::int32_t kShieldKind = 14;
constexpr Rgb kSlotColour{200, 0, 200};

// The classes the card names, each once.
constexpr std::array<Bilingual, 27> kClassNames = {{
    {"战宠", "Battle Pet"},    {"GM", "GM"},
    {"初学者", "Beginner"},    {"剑士", "Warrior"},
    {"骑士", "Knight"},        {"小丑", "Jester"},
    {"魔法师", "Mage"},        {"祭司", "Priest"},
    {"铁匠", "Craftman"},      {"狂剑士", "Berserker"},
    {"魔剑士", "SwordMaster"}, {"喑骑士", "Renegerade"},
    {"圣骑士", "Defender"},    {"刺客", "Assassin"},
    {"艺者", "Gambler"},       {"冰魔導", "Ice Wizard"},
    {"炎魔導", "Fire Wizard"}, {"审判者", "Templar"},
    {"圣贤者", "Apostle"},     {"爆破士", "Demolisionist"},
    {"匠师", "Artisan"},       {"猎人", "Hunter"},
    {"弓箭手", "Archer"},      {"枪手", "Gunner"},
    {"饕客", "Gourment"},      {"食神", "Chef"},
    {"美食家", "FoodFighter"},
}};

// Class masks are matched as whole numbers, never bit by bit; each names the class of that
// index in kClassNames.
struct ClassMask {
    std::int32_t mask;
    std::size_t nameIndex;
};
constexpr std::array<ClassMask, 33> kClassMasks = {{
    {0x1, 0},        {0x2, 0},        {0x3, 0},        {0x4, 0},       {0x80, 1},
    {0x81, 2},       {0x82, 3},       {0x84, 4},       {0x88, 5},      {0x90, 6},
    {0xA0, 7},       {0xC0, 8},       {0x280, 9},      {0x480, 10},    {0x880, 11},
    {0x1080, 12},    {0x2080, 13},    {0x4080, 14},    {0x8080, 15},   {0x10080, 16},
    {0x20080, 17},   {0x40080, 18},   {0x80080, 19},   {0x100080, 20}, {0x200080, 21},
    {0x200000, 21},  {0x400080, 22},  {0x400000, 22},  {0x800080, 23}, {0x800000, 23},
    {0x1000080, 24}, {0x2000080, 25}, {0x4000080, 26},
}};
// A mask whose low 16 bits are 0x01FF names every class.
constexpr std::int32_t kAllClassesLowBits = 0x01FF;
constexpr Bilingual kAllClasses{"适合所有职业使用。", "Can be used by all classes"};
// The Chinese card shows an unknown mask in brackets after the words; the English one does not.
constexpr Bilingual kNotIncluded{"未收录", "Not Include"};

}  // namespace lf::card_texts
