#include "composer/item_record.h"

#include <limits>
#include <string>

#include "common/number_text.h"

namespace lf {
namespace {

constexpr std::size_t kNoField = 0;  // field 0 is never read, so it marks an unfed entry

constexpr std::array<std::size_t, 10> kStatFields = {6, 12, 17, 23, 25, 27, 29, 31, 9, 20};
// Option entries 8 and 9 have no field of their own in the record.
constexpr std::array<std::size_t, 12> kOptionFields = {10, 16, 21,       24,       26, 28,
                                                       30, 32, kNoField, kNoField, 38, 40};
constexpr std::array<std::size_t, 9> kRequirementFields = {71, 3, 5, 58, 60, 62, 64, 66, 68};
constexpr std::array<std::size_t, 2> kRecoveryFields = {37, 39};
constexpr std::array<std::size_t, 2> kPriceFields = {35, 36};
constexpr std::size_t kNameField = 1;
constexpr std::size_t kKindField = 2;
constexpr std::size_t kSpecialMarkField = 18;
constexpr std::size_t kDurabilityField = 44;
constexpr std::size_t kSlotField = 70;

// Fields 6, 10 and 12 mean something else in a quest (kind 24); they are named for the rest.
struct NamedField {
    std::size_t index;
    std::string_view name;
};
constexpr NamedField kNamedFields[] = {
    {0, "number"},
    {1, "name"},
    {2, "kind"},
    {3, "level_requirement"},
    {5, "fame_requirement"},
    {6, "attack"},
    {7, "quest_difficulty"},
    {8, "quest_role"},
    {9, "damage_increase_percent"},
    {10, "attack_option"},
    {12, "magic_power"},
    {13, "quest_money_reward"},
    {16, "magic_power_option"},
    {17, "defence"},
    {18, "special_mark"},
    {20, "damage_decrease_percent"},
    {21, "defence_option"},
    {23, "attack_speed"},
    {24, "attack_speed_option"},
    {25, "accuracy"},
    {26, "accuracy_option"},
    {27, "critical_rate"},
    {28, "critical_rate_option"},
    {29, "evasion_rate"},
    {30, "evasion_rate_option"},
    {31, "movement_speed"},
    {32, "movement_speed_option"},
    {35, "purchase_price"},
    {36, "sale_price"},
    {37, "hp_recovery"},
    {38, "hp_option"},
    {39, "ap_recovery"},
    {40, "ap_option"},
    {44, "durability"},
    {58, "strength_requirement"},
    {60, "intelligence_requirement"},
    {62, "agility_requirement"},
    {64, "vitality_requirement"},
    {66, "wisdom_requirement"},
    {68, "luck_requirement"},
    {70, "slot"},
    {71, "class_mask"},
    {73, "icon"},
    {86, "description"},
};

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

RecordFields::RecordFields(std::string_view DataStr) {
    std::string_view last;
    std::size_t start = 0;
    const auto add = [&](std::size_t end) {
        nextToLast_ = last;
        last = DataStr.substr(start, end - start);
        if (count_ < kKept) fields_[count_] = last;
        ++count_;
    };
    for (std::size_t i = 0; i < DataStr.size(); ++i) {
        if (DataStr[i] != '|') continue;
        add(i);
        start = i + 1;
    }
    add(DataStr.size());
}

// A table written by hand can hold anything in a numeric field. An empty field, text that is
// not a number, and a value that does not fit a signed 32-bit integer all read as absent (0):
// the card then shows nothing for that field rather than a number the record does not hold.
FieldValue ReadNumericField(std::string_view text) {
    const std::optional<double> number = ParseNumber(text);
    if (!number || *number == 0) return {};
    const double rounded = RoundHalfEven(*number);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return {};
    }
    // A present value may still round to 0 (0.4): it raises its set's flag all the same.
    return {true, static_cast<std::int32_t>(rounded)};
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
    record.name = fields[kNameField];
    record.kind = reader.Value(kKindField);
    record.durability = reader.Value(kDurabilityField);
    record.specialMark = reader.Value(kSpecialMarkField);
    record.slotIndex = reader.Value(kSlotField);
    record.hasStats = reader.FillSet(record.stats, kStatFields);
    record.hasOptions = reader.FillSet(record.options, kOptionFields);
    record.hasRequirements = reader.FillSet(record.requirements, kRequirementFields);
    reader.FillSet(record.recovery, kRecoveryFields);
    reader.FillSet(record.prices, kPriceFields);
    // The description is the element before the last one; a record without "|" has none.
    record.description = fields.NextToLast();
    return record;
}

}  // namespace lf
