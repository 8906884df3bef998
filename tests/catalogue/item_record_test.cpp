#include "catalogue/item_record.h"

#include <gtest/gtest.h>

#include "tests/support/record_text.h"

namespace lf {
namespace {

testing::RecordText Row() {
    return testing::RecordText()
        .Set(record_field::kName, "Item")
        .Set(record_field::kSlot, "100")
        .Set(record_field::kDescription, "");
}

TEST(ItemRecord, UntestedFieldsAndSetsFromTheRightFields) {
    const ItemRecord record = ReadItemRecord(Row()
                                                 .Set(2, "14.5")
                                                 .Set(9, "3")
                                                 .Set(20, "4")
                                                 .Set(31, "-2")
                                                 .Set(40, "3")
                                                 .Set(64, "9")
                                                 .Set(68, "8")
                                                 .Set(39, "6")
                                                 .Set(36, "2")
                                                 .Text());
    EXPECT_EQ(record.kind, 14);
    EXPECT_EQ(record.stats, (StatSet{0, 0, 0, 0, 0, 0, 0, -2, 3, 4}));
    EXPECT_EQ(record.options, (OptionSet{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3}));
    EXPECT_EQ(record.requirements, (RequirementSet{0, 0, 0, 0, 0, 0, 9, 0, 8}));
    EXPECT_EQ(record.recovery, (RecoveryPair{0, 6}));
    EXPECT_EQ(record.prices, (PricePair{0, 2}));
    EXPECT_EQ(record.slotIndex, 100);
    EXPECT_TRUE(record.hasStats && record.hasOptions && record.hasRequirements);
    // Prices raise no flag.
    const ItemRecord priced = ReadItemRecord(Row().Set(35, "5").Text());
    EXPECT_FALSE(priced.hasStats || priced.hasOptions || priced.hasRequirements);
}

}  // namespace
}  // namespace lf
