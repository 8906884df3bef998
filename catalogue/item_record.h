#pragma once

// The fields of an item record that the card shows, read into the value sets its builders take.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/catalogue_format.h"

namespace lf {

// Entries 0..9: attack, magic power, defence, attack speed, accuracy, critical rate,
// evasion rate, movement speed, damage increase %, damage decrease %.
using StatSet = std::array<std::int32_t, 10>;
// Entries 0..7 as the stat set, 8 and 9 damage increase / decrease (never filled), 10 HP, 11 AP.
using OptionSet = std::array<std::int32_t, 12>;
// Entry 0 class mask, then level, fame, strength, intelligence, agility, vitality, wisdom, luck.
using RequirementSet = std::array<std::int32_t, 9>;
// HP and AP recovery.
using RecoveryPair = std::array<std::int32_t, 2>;
// Purchase and sale price.
using PricePair = std::array<std::int32_t, 2>;

struct ItemRecord {
    std::string_view name;
    std::int32_t kind = 0;
    std::int32_t durability = 0;
    std::int32_t specialMark = 0;
    std::int32_t slotIndex = 0;
    StatSet stats{};
    OptionSet options{};
    RequirementSet requirements{};
    RecoveryPair recovery{};
    PricePair prices{};
    bool hasStats = false;
    bool hasOptions = false;
    bool hasRequirements = false;
    std::string_view description;
};

// The record split at every "|"; a record without "|" is one field. Fields past the usual 88
// are left out.
class RecordFields {
  public:
    explicit RecordFields(std::string_view DataStr);
    // How many fields the record has, those beyond the kept ones included.
    std::size_t Count() const { return count_; }
    // The field's text, empty beyond the end of the record.
    std::string_view operator[](std::size_t index) const {
        if (index >= std::min(count_, kRecordFieldCount)) return {};
        return text_.substr(fields_[index].start, fields_[index].size);
    }

  private:
    // Where each field lies in the text; only the first count_ are ever set, or read.
    struct Place {
        std::uint32_t start;
        std::uint32_t size;
    };
    std::string_view text_;
    std::array<Place, kRecordFieldCount> fields_;
    std::size_t count_ = 0;
};

// A numeric field as the card reads it. Present when its value is not zero; the value is
// rounded half to even to a signed 32-bit integer.
struct FieldValue {
    bool present = false;
    std::int32_t value = 0;
};
FieldValue ReadNumericField(std::string_view text);

// The same for a field of one digit, nearly every field of a table, without a call.
inline FieldValue ReadNumericFieldQuickly(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') {
        const std::int32_t value = text[0] - '0';
        return {value != 0, value};
    }
    return ReadNumericField(text);
}

// A field's name where people edit or compare records: its meaning in snake case ("number",
// "level_requirement", ...), or "field_N" where no operation gives it one.
std::string FieldName(std::size_t index);

// Reads every field the card uses; fields beyond the end of a short record stay zero. The
// views point into DataStr.
ItemRecord ReadItemRecord(std::string_view DataStr);

}  // namespace lf
