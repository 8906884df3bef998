#pragma once

// The catalogue's format, shared by everything that reads or writes it: where the item table
// and the icon sheets live among the browser's resources, how an icon number names a cell of a
// sheet, and what each field of a record holds.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/resource_tree.h"

namespace lf {

// Resources of Lorefinder.exe: the named type CUSTOM, integer ids, Chinese (PRC).
inline constexpr char16_t kCatalogueType[] = u"CUSTOM";
inline constexpr std::uint16_t kCatalogueLanguage = kLanguageChinesePrc;
inline constexpr std::uint16_t kItemTableId = 101;
inline constexpr std::uint16_t kFirstIconSheetId = 1001;
inline constexpr int kIconSheetCount = 16;

constexpr std::uint16_t IconSheetId(int sheet) {
    return static_cast<std::uint16_t>(kFirstIconSheetId + sheet);
}

// A sheet is a JPEG of 16 x 16 cells of 32 x 32 pixels, numbered row by row.
inline constexpr int kCellsPerSide = 16;
inline constexpr int kCellSide = 32;
inline constexpr int kSheetSide = kCellsPerSide * kCellSide;
inline constexpr std::int32_t kIconsPerSheet = kCellsPerSide * kCellsPerSide;
// Icon numbers 0 to 4095 name a cell of one of the sixteen sheets.
inline constexpr std::int32_t kIconCount = kIconSheetCount * kIconsPerSheet;

struct IconCell {
    std::int32_t sheet;
    std::int32_t column;
    std::int32_t row;
    friend bool operator==(const IconCell&, const IconCell&) = default;
};

// An icon number is 256 x sheet + 16 x row + column. The sheet and the row round down, the
// column keeps the sign of the number, so a number out of range names no cell of any sheet.
constexpr IconCell CellOfIcon(std::int32_t iconNumber) {
    const auto floorDiv = [](std::int32_t n, std::int32_t d) {
        return n / d - (n % d < 0 ? 1 : 0);
    };
    const std::int32_t cell = iconNumber % kIconsPerSheet;
    return {floorDiv(iconNumber, kIconsPerSheet), cell % kCellsPerSide,
            floorDiv(cell, kCellsPerSide)};
}

// A record is one line of "|"-separated fields; the last element after the closing "|" is empty.
inline constexpr std::size_t kRecordFieldCount = 88;

// Field numbers of a record, counted from 0 in the split on "|".
namespace record_field {
inline constexpr std::size_t kNumber = 0;
inline constexpr std::size_t kName = 1;
inline constexpr std::size_t kKind = 2;
inline constexpr std::size_t kLevel = 3;
inline constexpr std::size_t kBinding = 4;
inline constexpr std::size_t kFame = 5;
inline constexpr std::size_t kAttack = 6;
inline constexpr std::size_t kQuestClient =
    6;  // quests (kind 24) read fields 6 to 13 their own way
inline constexpr std::size_t kQuestDifficulty = 7;
inline constexpr std::size_t kQuestRole = 8;
inline constexpr std::size_t kDamageIncrease = 9;
inline constexpr std::size_t kAttackOption = 10;
inline constexpr std::size_t kQuestFameReward = 10;
inline constexpr std::size_t kRange = 11;
inline constexpr std::size_t kMagic = 12;
inline constexpr std::size_t kQuestExperienceReward = 12;
inline constexpr std::size_t kQuestMoneyReward = 13;
inline constexpr std::size_t kStack = 14;
inline constexpr std::size_t kMagicOption = 16;
inline constexpr std::size_t kDefence = 17;
inline constexpr std::size_t kSpecialMark = 18;
inline constexpr std::size_t kUpgrade = 19;
inline constexpr std::size_t kDamageDecrease = 20;
inline constexpr std::size_t kDefenceOption = 21;
inline constexpr std::size_t kAttackSpeed = 23;
inline constexpr std::size_t kAttackSpeedOption = 24;
inline constexpr std::size_t kAccuracy = 25;
inline constexpr std::size_t kAccuracyOption = 26;
inline constexpr std::size_t kCritical = 27;
inline constexpr std::size_t kCriticalOption = 28;
inline constexpr std::size_t kEvasion = 29;
inline constexpr std::size_t kEvasionOption = 30;
inline constexpr std::size_t kMovement = 31;
inline constexpr std::size_t kMovementOption = 32;
inline constexpr std::size_t kPurchasePrice = 35;
inline constexpr std::size_t kSalePrice = 36;
inline constexpr std::size_t kHpRecovery = 37;
inline constexpr std::size_t kHpOption = 38;
inline constexpr std::size_t kApRecovery = 39;
inline constexpr std::size_t kApOption = 40;
inline constexpr std::size_t kDurability = 44;
inline constexpr std::size_t kStrength = 58;
inline constexpr std::size_t kIntelligence = 60;
inline constexpr std::size_t kAgility = 62;
inline constexpr std::size_t kVitality = 64;
inline constexpr std::size_t kWisdom = 66;
inline constexpr std::size_t kLuck = 68;
inline constexpr std::size_t kSlot = 70;
inline constexpr std::size_t kClassMask = 71;
inline constexpr std::size_t kIcon = 73;
inline constexpr std::size_t kDescription = 86;
}  // namespace record_field

// The description is the element before the last of the record split on "|" (field 86 of a full
// record); a record without "|" has none.
constexpr std::string_view DescriptionOf(std::string_view rowText) {
    const std::size_t lastBar = rowText.rfind('|');
    if (lastBar == std::string_view::npos) return {};
    const std::size_t barBefore =
        lastBar == 0 ? std::string_view::npos : rowText.rfind('|', lastBar - 1);
    const std::size_t start = barBefore == std::string_view::npos ? 0 : barBefore + 1;
    return rowText.substr(start, lastBar - start);
}

}  // namespace lf
