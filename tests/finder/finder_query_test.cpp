#include "finder/finder_query.h"

#include <gtest/gtest.h>

#include "common/gbk.h"
#include "tests/support/record_text.h"
#include "tests/support/test_catalogue.h"

namespace lf::finder {
namespace {

using namespace record_field;

struct Item {
    std::string name;
    std::string kind = "33";
    std::string slot = "100";
    std::string mask = "0";
    std::string level = "0";
    std::string defence = "0";
    std::size_t fields = 87;
};

class FinderQueryTest : public ::testing::Test {
  protected:
    void Load(const std::vector<Item>& items) {
        std::vector<std::string> records;
        for (const Item& item : items) {
            records.push_back(lf::testing::RecordText(item.fields)
                                  .Set(kNumber, std::to_string(records.size()))
                                  .Set(kName, item.name)
                                  .Set(kKind, item.kind)
                                  .Set(kSlot, item.slot)
                                  .Set(kClassMask, item.mask)
                                  .Set(kLevel, item.level)
                                  .Set(kDefence, item.defence)
                                  .Text());
        }
        auto table =
            LoadItemTable(EncodeGbk(lf::testing::Table(records, std::to_string(records.size()))));
        ASSERT_TRUE(table);
        table_ = std::move(*table);
        facts_ = ReadAllItemFacts(table_);
    }
    std::vector<std::size_t> Run(const FinderQuery& query) {
        return RunQuery(query, table_, facts_);
    }

    ItemTable table_;
    std::vector<ItemFacts> facts_;
};

// Slot 5 is a shield only on kind 14; a slot index matches the field as written.
TEST_F(FinderQueryTest, SlotsAreTheCardsSlots) {
    Load({{"buckler", "14", "5"}, {"blade", "33", "5"}, {"sword", "33", "4"}, {"cap", "14", "0"}});
    EXPECT_EQ(Run({.slot = *SlotChoiceNamed("Shield")}), (std::vector<std::size_t>{0}));
    EXPECT_EQ(Run({.slot = *SlotChoiceNamed("武器")}), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(Run({.slot = *SlotChoiceNamed("5")}), (std::vector<std::size_t>{0, 1}));
    EXPECT_FALSE(SlotChoiceNamed("Helm"));
}

// A class may use what the card names for it by the exact mask, and what the card says every
// class may use.
TEST_F(FinderQueryTest, AClassFindsItsOwnMasksAndTheAllClassesOnes) {
    Load({{"knight's", "33", "0", "132"},         // 0x84
          {"everyone's", "33", "0", "18874879"},  // 0x12001FF
          {"plain 511", "33", "0", "511"},
          {"two classes", "33", "0", "134"},    // 0x86: no name
          {"bare knight bit", "33", "0", "4"},  // names a battle pet, not the knight
          {"hunter", "33", "0", "2097152"},     // 0x200000, named without bit 7
          {"negative", "33", "0", "-65025"}});  // low bits 0x01FF but negative
    const auto knight = ClassNamed("knight");
    ASSERT_TRUE(knight);
    EXPECT_EQ(Run({.classIndex = knight}), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(Run({.classIndex = ClassNamed("猎人")}), (std::vector<std::size_t>{1, 2, 5}));
    EXPECT_EQ(Run({.classIndex = ClassNamed("Battle Pet")}), (std::vector<std::size_t>{1, 2, 4}));
}

// Short rows and unreadable fields read as the card reads them: absent, so 0.
TEST_F(FinderQueryTest, ValuesReadAsTheCardReadsThem) {
    const ItemFacts shortRow = ReadItemFacts("0|Short|33|30|");
    EXPECT_EQ(shortRow[LevelColumn()], 30);
    EXPECT_EQ(shortRow[ClassMaskColumn()], 0) << "beyond the end of the row";

    Load({{.name = "short", .level = "30", .fields = 74},
          {.name = "not a number", .level = "thirty"},
          {.name = "rounded", .level = "29.5", .defence = "12"},
          {.name = "strong", .level = "25", .defence = "40"}});
    EXPECT_EQ(facts_[1][LevelColumn()], 0);
    EXPECT_EQ(facts_[2][LevelColumn()], 30) << "halves to even";

    FinderQuery query{.level = *RangeNamed("..30")};
    query.sort = *SortKeyNamed("defence", true);
    EXPECT_EQ(Run(query), (std::vector<std::size_t>{3, 2, 0, 1})) << "ties keep their rows";
    query.columns = {{*ColumnNamed("defence"), {1, {}}}};
    query.name = "r";
    EXPECT_EQ(Run(query), (std::vector<std::size_t>{3, 2}));
}

TEST(FinderWords, RangesAndSortKeys) {
    EXPECT_EQ(RangeNamed("20..40")->min, 20);
    EXPECT_EQ(RangeNamed("20..40")->max, 40);
    EXPECT_FALSE(RangeNamed("20..")->max);
    EXPECT_EQ(RangeNamed("..-3")->max, -3);
    EXPECT_FALSE(RangeNamed("a..b"));
    EXPECT_FALSE(SortKeyNamed("defense", false)) << "columns go by the CSV's names";
    EXPECT_TRUE(SortKeyNamed("purchase_price", false));
}

}  // namespace
}  // namespace lf::finder
