#include "finder/item_facts.h"

#include <algorithm>

#include "catalogue/bar_scan.h"
#include "catalogue/catalogue_format.h"
#include "catalogue/item_record.h"

namespace lf::finder {
namespace {

using namespace record_field;
constexpr Judgement kHigher = Judgement::HigherIsBetter;
constexpr Judgement kLower = Judgement::LowerIsBetter;
constexpr Judgement kNeutral = Judgement::Neutral;

// The card's own words where the card has them.
constexpr std::array<ColumnInfo, kColumnCount> kColumns = {{
    {kKind, {"种类", "Kind"}, kNeutral},
    {kLevel, {"等级", "Level"}, kLower},
    {kFame, {"声望", "Fame"}, kLower},
    {kAttack, {"攻击力", "Damage"}, kHigher},
    {kMagic, {"魔法力", "Magic Power"}, kHigher},
    {kDefence, {"防御力", "Defense"}, kHigher},
    {kAttackSpeed, {"攻击速度", "Attack Speed"}, kHigher},
    {kAccuracy, {"命中率", "Accuracy"}, kHigher},
    {kCritical, {"必杀技", "Critical Rate"}, kHigher},
    {kEvasion, {"回避率", "Evasion Rate"}, kHigher},
    {kMovement, {"移动速度", "Movement Speed"}, kHigher},
    {kDamageIncrease, {"增加伤害力 %", "Damage increase %"}, kHigher},
    {kDamageDecrease, {"減少伤害力 %", "Damage decrease %"}, kHigher},
    {kAttackOption, {"攻击力选项", "Damage option"}, kHigher},
    {kMagicOption, {"魔法力选项", "Magic Power option"}, kHigher},
    {kDefenceOption, {"防御力选项", "Defense option"}, kHigher},
    {kAttackSpeedOption, {"攻击速度选项", "Attack Speed option"}, kHigher},
    {kAccuracyOption, {"命中率选项", "Accuracy option"}, kHigher},
    {kCriticalOption, {"必杀技选项", "Critical Rate option"}, kHigher},
    {kEvasionOption, {"回避率选项", "Evasion Rate option"}, kHigher},
    {kMovementOption, {"移动速度选项", "Movement Speed option"}, kHigher},
    {kHpOption, {"HP选项", "HP option"}, kHigher},
    {kApOption, {"AP选项", "AP option"}, kHigher},
    {kStrength, {"力量", "Strength Requirement"}, kLower},
    {kIntelligence, {"智力", "Intelligence Requirement"}, kLower},
    {kAgility, {"敏捷", "Agility Requirement"}, kLower},
    {kVitality, {"体力", "Vitality Requirement"}, kLower},
    {kWisdom, {"精神", "Wisdom Requirement"}, kLower},
    {kLuck, {"感觉", "Luck Requirement"}, kLower},
    {kHpRecovery, {"HP恢复", "HP Recovery"}, kHigher},
    {kApRecovery, {"AP恢复", "AP Recovery"}, kHigher},
    {kPurchasePrice, {"购买价格", "Purchase price"}, kLower},
    {kSalePrice, {"出售价格", "Sale price"}, kLower},
    {kDurability, {"耐久度", "Durability"}, kHigher},
    {kSpecialMark, {"特殊道具", "Special Item"}, kHigher},
    {kSlot, {"部位", "Slot"}, kNeutral},
    {kClassMask, {"职业", "Class"}, kNeutral},
}};

constexpr Column ColumnOfField(std::size_t field) {
    for (Column column = 0; column < kColumns.size(); ++column) {
        if (kColumns[column].field == field) return column;
    }
    return kColumns.size();
}

// The column of each field, or none.
constexpr std::array<std::int8_t, kRecordFieldCount> kColumnOfField = [] {
    std::array<std::int8_t, kRecordFieldCount> columns{};
    columns.fill(-1);
    for (Column column = 0; column < kColumns.size(); ++column) {
        columns[kColumns[column].field] = static_cast<std::int8_t>(column);
    }
    return columns;
}();
constexpr std::size_t kFieldsRead =
    std::ranges::max(kColumns, {}, [](const ColumnInfo& column) { return column.field; }).field + 1;

// The names the card gives the slot and the class, and the marker it shows.
void NameSlotAndClass(ItemFacts& facts) {
    const std::int32_t mask = facts[ClassMaskColumn()];
    facts.slot = SlotOf(facts[KindColumn()], facts[SlotColumn()]);
    facts.namedClass = ClassOf(mask);
    facts.everyClass = NamesEveryClass(mask);
    facts.special = facts[ColumnOfField(kSpecialMark)] > 0;
}

// Each value as the card reads its field: rounded, zero where the field is missing, empty or
// not a number.
ItemFacts FactsOf(const RecordFields& fields) {
    ItemFacts facts;
    for (Column column = 0; column < kColumns.size(); ++column) {
        facts.values[column] = ReadNumericFieldQuickly(fields[kColumns[column].field]).value;
    }
    NameSlotAndClass(facts);
    return facts;
}

// The same from a record's GBK bytes in one pass up to its last field with a value: the
// numbers need no decoding, and the description after them no reading.
ItemFacts FactsOfGbk(std::string_view gbk) {
    ItemFacts facts;
    std::size_t field = 0;
    std::size_t start = 0;
    const auto take = [&](std::size_t end) {
        if (const std::int8_t column = kColumnOfField[field]; column >= 0) {
            facts.values[static_cast<std::size_t>(column)] =
                ReadNumericFieldQuickly(gbk.substr(start, end - start)).value;
        }
        ++field;
    };
    ForEachBar(gbk, TextEncoding::Gbk, [&](std::size_t bar) {
        take(bar);
        start = bar + 1;
        return field < kFieldsRead;
    });
    if (field < kFieldsRead) take(gbk.size());
    NameSlotAndClass(facts);
    return facts;
}

}  // namespace

std::span<const ColumnInfo> Columns() { return kColumns; }

std::string ColumnName(Column column) { return FieldName(kColumns[column].field); }

std::optional<Column> ColumnNamed(std::string_view name) {
    for (Column column = 0; column < kColumns.size(); ++column) {
        if (ColumnName(column) == name) return column;
    }
    return std::nullopt;
}

Column KindColumn() { return ColumnOfField(kKind); }
Column LevelColumn() { return ColumnOfField(kLevel); }
Column FameColumn() { return ColumnOfField(kFame); }
Column SlotColumn() { return ColumnOfField(kSlot); }
Column ClassMaskColumn() { return ColumnOfField(kClassMask); }

ItemFacts ReadItemFacts(std::string_view rowText) { return FactsOf(RecordFields(rowText)); }

std::vector<ItemFacts> ReadAllItemFacts(const ItemTable& items) {
    std::vector<ItemFacts> facts;
    facts.reserve(items.size());
    for (const ItemEntry& item : items) facts.push_back(FactsOfGbk(item.Gbk));
    return facts;
}

}  // namespace lf::finder
