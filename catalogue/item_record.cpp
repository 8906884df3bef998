#include "catalogue/item_record.h"

#include <limits>
#include <string>

#include "catalogue/bar_scan.h"
#include "catalogue/catalogue_format.h"
#include "common/number_text.h"

namespace lf {
namespace {

constexpr std::size_t kNoField = 0;  // field 0 is never read, so it marks an unfed entry

using namespace record_field;

constexpr std::array<std::size_t, 10> kStatFields = {
    kAttack,   kMagic,   kDefence,  kAttackSpeed,    kAccuracy,
    kCritical, kEvasion, kMovement, kDamageIncrease, kDamageDecrease};
// Option entries 8 and 9 have no field of their own in the record.
constexpr std::array<std::size_t, 12> kOptionFields = {
    kAttackOption,   kMagicOption,    kDefenceOption, kAttackSpeedOption,
    kAccuracyOption, kCriticalOption, kEvasionOption, kMovementOption,
    kNoField,        kNoField,        kHpOption,      kApOption};
constexpr std::array<std::size_t, 9> kRequirementFields = {
    kClassMask, kLevel, kFame, kStrength, kIntelligence, kAgility, kVitality, kWisdom, kLuck};
constexpr std::array<std::size_t, 2> kRecoveryFields = {kHpRecovery, kApRecovery};
constexpr std::array<std::size_t, 2> kPriceFields = {kPurchasePrice, kSalePrice};

// Fields 6, 10 and 12 mean something else in a quest (kind 24); they are named for the rest.
struct NamedField {
    std::size_t index;
    std::string_view name;
};
constexpr NamedField kNamedFields[] = {
    {kNumber, "number"},
    {kName, "name"},
    {kKind, "kind"},
    {kLevel, "level_requirement"},
    {kFame, "fame_requirement"},
    {kAttack, "attack"},
    {kQuestDifficulty, "quest_difficulty"},
    {kQuestRole, "quest_role"},
    {kDamageIncrease, "damage_increase_percent"},
    {kAttackOption, "attack_option"},
    {kMagic, "magic_power"},
    {kQuestMoneyReward, "quest_money_reward"},
    {kMagicOption, "magic_power_option"},
    {kDefence, "defence"},
    {kSpecialMark, "special_mark"},
    {kDamageDecrease, "damage_decrease_percent"},
    {kDefenceOption, "defence_option"},
    {kAttackSpeed, "attack_speed"},
    {kAttackSpeedOption, "attack_speed_option"},
    {kAccuracy, "accuracy"},
    {kAccuracyOption, "accuracy_option"},
    {kCritical, "critical_rate"},
    {kCriticalOption, "critical_rate_option"},
    {kEvasion, "evasion_rate"},
    {kEvasionOption, "evasion_rate_option"},
    {kMovement, "movement_speed"},
    {kMovementOption, "movement_speed_option"},
    {kPurchasePrice, "purchase_price"},
    {kSalePrice, "sale_price"},
    {kHpRecovery, "hp_recovery"},
    {kHpOption, "hp_option"},
    {kApRecovery, "ap_recovery"},
    {kApOption, "ap_option"},
    {kDurability, "durability"},
    {kStrength, "strength_requirement"},
    {kIntelligence, "intelligence_requirement"},
    {kAgility, "agility_requirement"},
    {kVitality, "vitality_requirement"},
    {kWisdom, "wisdom_requirement"},
    {kLuck, "luck_requirement"},
    {kSlot, "slot"},
    {kClassMask, "class_mask"},
    {kIcon, "icon"},
    {kDescription, "description"},
};

// A field of at most nine digits, with a minus sign or not.
std::optional<std::int32_t> ShortInteger(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    std::int32_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

class FieldReader {
  public:
    explicit FieldReader(const RecordFields& fields) : fields_(fields) {}

    FieldValue Read(std::size_t index) const {
        if (index == kNoField) return {};
        return ReadNumericField(fields_[index]);
    }

    std::int32_t Value(std::size_t index) const { return Read(index).value; }

    // Fills a set from its fields; returns whether any of them is present.
    template <std::size_t N>
    bool FillSet(std::array<std::int32_t, N>& set,
                 const std::array<std::size_t, N>& indices) const {
        bool anyPresent = false;
        for (std::size_t entry = 0; entry < N; ++entry) {
            const FieldValue field = Read(indices[entry]);
            set[entry] = field.value;
            anyPresent |= field.present;
        }
        return anyPresent;
    }

  private:
    const RecordFields& fields_;
};

}  // namespace

RecordFields::RecordFields(std::string_view DataStr) : text_(DataStr) {
    std::size_t start = 0;
    const auto add = [&](std::size_t end) {
        if (count_ < kRecordFieldCount) {
            fields_[count_] = {static_cast<std::uint32_t>(start),
                               static_cast<std::uint32_t>(end - start)};
        }
        ++count_;
    };
    ForEachBar(DataStr, TextEncoding::Utf8, [&](std::size_t bar) {
        add(bar);
        start = bar + 1;
        return true;
    });
    add(DataStr.size());
}

// A table written by hand can hold anything in a numeric field. An empty field, text that is
// not a number, and a value that does not fit a signed 32-bit integer all read as absent (0):
// the card then shows nothing for that field rather than a number the record does not hold.
FieldValue ReadNumericField(std::string_view text) {
    // Short plain integers, nearly every field of a table, need no rounding.
    if (const auto plain = ShortInteger(text)) return {*plain != 0, *plain};
    const std::optional<double> number = ParseNumber(text);
    if (!number || *number == 0) return {};
    const auto value = RoundToInt32(*number);
    if (!value) return {};
    // A present value may still round to 0 (0.4): it raises its set's flag all the same.
    return {true, *value};
}

std::string FieldName(std::size_t index) {
    for (const NamedField& field : kNamedFields) {
        if (field.index == index) return std::string(field.name);
    }
    return "field_" + std::to_string(index);
}

ItemRecord ReadItemRecord(std::string_view DataStr) {
    const RecordFields fields(DataStr);
    const FieldReader reader(fields);
    ItemRecord record;
    // A record without "|" has no name field: the title is then empty rather than the
    // previous item's name, which would mislabel the card.
    record.name = fields[kName];
    record.kind = reader.Value(kKind);
    record.durability = reader.Value(kDurability);
    record.specialMark = reader.Value(kSpecialMark);
    record.slotIndex = reader.Value(kSlot);
    record.hasStats = reader.FillSet(record.stats, kStatFields);
    record.hasOptions = reader.FillSet(record.options, kOptionFields);
    record.hasRequirements = reader.FillSet(record.requirements, kRequirementFields);
    reader.FillSet(record.recovery, kRecoveryFields);
    reader.FillSet(record.prices, kPriceFields);
    record.description = DescriptionOf(DataStr);
    return record;
}

}  // namespace lf
