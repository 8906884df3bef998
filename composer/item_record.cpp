#include "composer/item_record.h"

#include "common/catalogue_format.h"
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
    std::size_t start = 0;
    const auto add = [&](std::size_t end) {
        if (count_ < kRecordFieldCount) fields_[count_++] = DataStr.substr(start, end - start);
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
    const auto value = RoundToInt32(*number);
    if (!value) return {};
    // A present value may still round to 0 (0.4): it raises its set's flag all the same.
    return {true, *value};
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
