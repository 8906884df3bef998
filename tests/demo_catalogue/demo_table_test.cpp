// The shipped item table as the build wrote it: its layout, and values that give every card
// rule something to show.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.h"
#include "common/gbk.h"
#include "common/utf8.h"
#include "demo_catalogue/icon_plan.h"
#include "demo_catalogue/item_kinds.h"

namespace lf::demo {
namespace {

constexpr int kRecords = 21809;

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

// The shipped table, read once per test program; lines and fields are views into its text.
struct Table {
    Table() {
        auto bytes = ReadWholeFile(LF_CATALOGUE_DIR "/item_table.txt");
        if (!bytes) return;
        raw.assign(bytes->begin(), bytes->end());
        text = DecodeGbk(raw);
        lines = Split(text, "\r\n");
        for (std::size_t i = 1; i < lines.size() && i <= kRecords; ++i) {
            rows.push_back(Split(lines[i], "|"));
        }
    }
    Table(const Table&) = delete;

    std::string raw;
    std::string text;  // decoded
    std::vector<std::string_view> lines;
    std::vector<std::vector<std::string_view>> rows;  // records split into fields
};

const Table& Shipped() {
    static const Table table;
    return table;
}

std::int64_t Number(std::string_view field) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() ? value : INT64_MIN;
}

bool IsEquipment(int kind) {
    return kind == 4 || (kind >= 6 && kind <= 9) || (kind >= 11 && kind <= 22) || kind == 25 ||
           kind == 26 || (kind >= 29 && kind <= 40) || (kind >= 44 && kind <= 53);
}

std::size_t CodePoints(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) NextCodePoint(utf8, pos);
    return count;
}

// Whether the GBK form holds a double-byte character whose second byte is '|'.
bool HidesSeparatorByte(std::string_view utf8) {
    const std::string gbk = EncodeGbk(utf8);
    for (std::size_t i = 0; i + 1 < gbk.size(); ++i) {
        if (static_cast<unsigned char>(gbk[i]) >= 0x81) {
            if (gbk[i + 1] == '|') return true;
            ++i;
        }
    }
    return false;
}

TEST(ShippedItemTable, IsGbkTextInTheStoredLayout) {
    const Table& table = Shipped();
    ASSERT_FALSE(table.raw.empty()) << "the build did not write the item table";
    EXPECT_TRUE(table.raw.starts_with("21809\r\n"));
    EXPECT_TRUE(table.raw.ends_with(std::string("|\r\n\0", 4)));
    EXPECT_NEAR(static_cast<double>(table.raw.size()), 6914412.0, 70000.0);
    for (std::size_t i = 0; i < table.raw.size(); ++i) {
        if (table.raw[i] == '\n') {
            ASSERT_TRUE(i > 0 && table.raw[i - 1] == '\r') << "bare LF at " << i;
        }
        if (table.raw[i] == '\r') {
            ASSERT_EQ(table.raw[i + 1], '\n') << "bare CR at " << i;
        }
    }
    EXPECT_EQ(table.text.find("\uFFFD"), std::string::npos) << "a byte sequence is not GBK";
    EXPECT_EQ(table.text.find('?'), std::string::npos) << "a character could not be encoded";
    ASSERT_EQ(table.lines.size(), kRecords + 2u);
    EXPECT_EQ(table.lines.back(), std::string(1, '\0'));
}

TEST(ShippedItemTable, RecordsHave88FieldsAndTheirRowNumber) {
    const auto& rows = Shipped().rows;
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kRecords));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 88u) << "row " << i;
        EXPECT_EQ(rows[i][87], "") << "row " << i;
        EXPECT_EQ(Number(rows[i][0]), static_cast<std::int64_t>(i));
    }
    EXPECT_EQ(rows[0][1], "0");
    EXPECT_EQ(rows[0][86], "0");
    EXPECT_EQ(rows[0][73], "0");
}

TEST(ShippedItemTable, FieldsHoldIntegersAndSixPlaceDecimals) {
    const std::set<int> decimalFields = {59, 61, 63, 65, 67, 69};
    std::set<std::string_view> decimals;
    std::int64_t largest = 0;
    for (const auto& row : Shipped().rows) {
        for (int f = 0; f < 86; ++f) {
            if (f == 1) continue;
            if (decimalFields.contains(f)) {
                decimals.insert(row[f]);
                continue;
            }
            const std::int64_t value = Number(row[f]);
            ASSERT_NE(value, INT64_MIN) << "field " << f << " of row " << row[0] << ": " << row[f];
            ASSERT_TRUE(value >= INT32_MIN && value <= INT32_MAX);
            largest = std::max(largest, value < 0 ? -value : value);
        }
        EXPECT_EQ(row[64], "0") << "vitality requirement of row " << row[0];
        EXPECT_LE(static_cast<std::uint64_t>(Number(row[38])), 2u) << "HP option of " << row[0];
        EXPECT_LE(static_cast<std::uint64_t>(Number(row[40])), 3u) << "AP option of " << row[0];
        if (row[2] == "24") continue;  // quests keep their fame reward in an option field
        for (int f : {10, 16, 21, 24, 26, 28, 30, 32}) {
            EXPECT_LE(static_cast<std::uint64_t>(Number(row[f])), 20000u) << row[0] << " " << f;
        }
    }
    EXPECT_EQ(decimals, (std::set<std::string_view>{"0.000000", "0.500000", "1.000000"}));
    EXPECT_EQ(largest, 110000000);
}

TEST(ShippedItemTable, IconsFillTheFifteenDrawnSheets) {
    std::vector<bool> used(kUsedIcons, false);
    int largest = 0;
    for (const auto& row : Shipped().rows) {
        const auto icon = Number(row[73]);
        ASSERT_TRUE(icon >= 0 && icon < kUsedIcons) << "row " << row[0] << " icon " << icon;
        used[icon] = true;
        largest = std::max(largest, static_cast<int>(icon));
    }
    EXPECT_EQ(largest, 3834);
    EXPECT_EQ(std::count(used.begin(), used.end(), false), 0) << "cells that name no item";
}

TEST(ShippedItemTable, IconsShowPicturesOfTheItemsKind) {
    std::map<int, std::set<Picture>> pictures;
    for (const KindPlan& plan : CatalogueKinds()) pictures[plan.kind].insert(plan.picture);
    const auto& cells = PlannedIcons();
    const auto& rows = Shipped().rows;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto kind = static_cast<int>(Number(rows[i][2]));
        const Picture shown = cells[Number(rows[i][73])].picture;
        EXPECT_TRUE(pictures[kind].contains(shown)) << "row " << i << " of kind " << kind;
    }
}

TEST(ShippedItemTable, KindsSlotsAndClassMasksGiveEveryCardRuleWork) {
    std::set<std::int64_t> kinds, slots, masks;
    int equipment = 0;
    bool shieldSlot = false, offHandWeapon = false;
    const auto& rows = Shipped().rows;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto kind = Number(rows[i][2]);
        const auto slot = Number(rows[i][70]);
        kinds.insert(kind);
        masks.insert(Number(rows[i][71]));
        if (IsEquipment(static_cast<int>(kind))) {
            ++equipment;
            slots.insert(slot);
            EXPECT_TRUE(slot >= 0 && slot <= 12) << "row " << i;
            shieldSlot |= slot == 5 && kind == 14;
            offHandWeapon |= slot == 5 && kind != 14;
        } else {
            EXPECT_EQ(slot, 100) << "row " << i;
        }
    }
    EXPECT_EQ(kinds.size(), 54u);
    EXPECT_EQ(*kinds.begin(), 0);
    EXPECT_EQ(*kinds.rbegin(), 53);
    EXPECT_GT(equipment, static_cast<int>(rows.size()) * 6 / 10);
    EXPECT_EQ(slots.size(), 13u) << "slots 0 to 7 and the unnamed 8 to 12";
    EXPECT_TRUE(shieldSlot);
    EXPECT_TRUE(offHandWeapon);
    for (std::int64_t mask :
         {1,       2,       3,       4,        128,      129,      130,      132,     136,
          144,     160,     192,     640,      1152,     2176,     4224,     8320,    16512,
          32896,   65664,   131200,  262272,   524416,   1048704,  2097280,  2097152, 4194432,
          4194304, 8388736, 8388608, 16777344, 33554560, 67108992, 18874879, 0,       131}) {
        EXPECT_TRUE(masks.contains(mask)) << "class mask " << mask;
    }
}

TEST(ShippedItemTable, QuestAndRecoveryRowsCoverTheirCases) {
    std::set<std::string_view> roles;
    int hpOnly = 0, apOnly = 0, both = 0, neither = 0;
    bool quietQuestField = false;
    for (const auto& row : Shipped().rows) {
        if (row[2] == "24") {
            roles.insert(row[8]);
            for (int f : {6, 7, 10, 12, 13}) {
                EXPECT_GE(Number(row[f]), 0) << "quest row " << row[0];
                quietQuestField |= row[f] == "0";
            }
        } else if (row[2] == "1") {
            const bool hp = row[37] != "0", ap = row[39] != "0";
            hpOnly += hp && !ap;
            apOnly += ap && !hp;
            both += hp && ap;
            neither += !hp && !ap;
        }
    }
    EXPECT_TRUE(roles.contains("1") && roles.contains("2") && roles.contains("3") &&
                roles.contains("4"));
    EXPECT_TRUE(quietQuestField) << "some quest shows fewer than six pieces";
    EXPECT_GT(hpOnly, 0);
    EXPECT_GT(apOnly, 0);
    EXPECT_GT(both, 0);
    EXPECT_EQ(neither, 95);
}

TEST(ShippedItemTable, StatsIncludeNegativeAndWidePieces) {
    bool negative = false, widePercent = false, fullPercent = false, special = false,
         unbreakable = false, durable = false, noStats = false;
    for (const auto& row : Shipped().rows) {
        if (!IsEquipment(static_cast<int>(Number(row[2])))) continue;
        for (int f : {23, 25, 27, 29, 31}) negative |= Number(row[f]) < 0;
        // "增加伤害力 " with two digits and " %" is 15 GBK bytes: no padding follows.
        widePercent |= Number(row[9]) >= 10;
        fullPercent |= row[9] == "100";
        special |= Number(row[18]) >= 1;
        unbreakable |= row[44] == "0";
        durable |= Number(row[44]) > 0;
        bool any = false;
        for (int f : {6, 12, 17, 23, 25, 27, 29, 31, 9, 20}) any |= row[f] != "0";
        noStats |= !any;
    }
    EXPECT_TRUE(negative);
    EXPECT_TRUE(widePercent);
    EXPECT_TRUE(fullPercent);
    EXPECT_TRUE(special);
    EXPECT_TRUE(unbreakable && durable);
    EXPECT_TRUE(noStats);
}

TEST(ShippedItemTable, NamesAreShortAndSometimesHideASeparatorByte) {
    std::set<std::string_view> distinct;
    int gift = 0, hidden = 0;
    const auto& rows = Shipped().rows;
    for (const auto& row : rows) {
        const std::string_view name = row[1];
        EXPECT_FALSE(name.empty());
        EXPECT_LE(CodePoints(name), 32u) << name;
        distinct.insert(name);
        gift += name.ends_with(".G");
        hidden += HidesSeparatorByte(name);
    }
    EXPECT_LT(distinct.size(), rows.size()) << "names repeat";
    EXPECT_GT(gift, static_cast<int>(rows.size()) / 5);
    EXPECT_GT(hidden, 50);
}

TEST(ShippedItemTable, DescriptionsUseColourCodesTheWaysCardsExpect) {
    const std::string codes[] = {"#N#", "#R#", "#G#", "#B#", "#X#"};
    int plain = 0, blankRuns = 0, closingBreak = 0, colourThenCode = 0, leadingColour = 0,
        strayHash = 0;
    for (const auto& row : Shipped().rows) {
        const std::string_view text = row[86];
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
        const bool coded = std::any_of(std::begin(codes), std::end(codes),
                                       [&](const std::string& c) { return text.contains(c); });
        if (!coded) {
            ++plain;
            strayHash += text.contains('#');
            continue;
        }
        const std::string last(Split(text, "#").back());
        EXPECT_FALSE(last == "N" || last == "R" || last == "G" || last == "B" || last == "X")
            << "ends in a bare code letter: " << text;
        blankRuns += text.contains("#N##N#");
        closingBreak += text.ends_with("#N#");
        for (std::string_view colour : {"#R##", "#G##", "#B##", "#X##"}) {
            colourThenCode += text.contains(colour);
        }
        leadingColour += text.starts_with("#B#") || text.starts_with("#R#");
    }
    const int rows = static_cast<int>(Shipped().rows.size());
    EXPECT_GT(plain, rows / 3);
    EXPECT_GT(blankRuns, 100);
    EXPECT_GT(closingBreak, 100);
    EXPECT_GT(colourThenCode, 100);
    EXPECT_GT(leadingColour, 100);
    EXPECT_GT(strayHash, 0) << "a '#' that is no code shows as text";
}

}  // namespace
}  // namespace lf::demo
