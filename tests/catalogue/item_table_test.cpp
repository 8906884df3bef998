#include "catalogue/item_table.h"

#include <gtest/gtest.h>

#include "common/gbk.h"
#include "tests/support/test_catalogue.h"

namespace lf {
namespace {

using testing::Record;
using testing::Table;

TEST(ItemTable, LoadsEntriesInTableOrderAndIgnoresTheRest) {
    const std::vector<std::string> records = {Record(0, "0", "0"), Record(1, " 剑.G ", "3834"),
                                              Record(2, "弓", " 7 "), Record(3, "x"),
                                              Record(4, "y")};
    auto items = LoadItemTable(EncodeGbk(Table(records, "3") + std::string(1, '\0')));
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 3u);
    EXPECT_EQ((*items)[0].Name, "0");
    EXPECT_EQ((*items)[1].Name, " 剑.G ") << "names keep their blanks";
    EXPECT_EQ((*items)[1].IconNo, 3834);
    EXPECT_EQ((*items)[2].IconNo, 7);
    EXPECT_EQ(items->RowText(2), Record(2, "弓", " 7 "));
    EXPECT_EQ(DescriptionOf(items->RowText(2)), "desc 2");
}

TEST(ItemTable, EndingsDoNotMatterAndDecimalsRoundHalfToEven) {
    const std::string body = Table({Record(0, "a", "12.5"), Record(1, "b", "13.5")}, "2.4");
    for (const std::string& text :
         {body, body + std::string(1, '\0'), body.substr(0, body.size() - 2)}) {
        auto items = LoadItemTable(text);
        ASSERT_TRUE(items);
        ASSERT_EQ(items->size(), 2u);
        EXPECT_EQ((*items)[0].IconNo, 12);
        EXPECT_EQ((*items)[1].IconNo, 14);
    }
}

TEST(ItemTable, ADoubleByteCharacterWithTrail7CStaysInTheName) {
    // 0x81 0x7C is one character; read byte by byte it would split the name field.
    const std::string gbkName =
        "A\x81\x7C"
        "B";
    auto items = LoadItemTable(Table({Record(0, gbkName, "9")}, "1"));
    ASSERT_TRUE(items);
    EXPECT_EQ((*items)[0].Name, DecodeGbk(gbkName));
    EXPECT_EQ((*items)[0].IconNo, 9);
}

TEST(ItemTable, EveryFailureKindRejectsTheWholeTable) {
    struct Case {
        std::string text;
        LoadErrorKind kind;
    };
    const std::string two = Record(0, "a") + "\r\n" + Record(1, "b") + "\r\n";
    const Case cases[] = {
        {"abc\r\n" + two, LoadErrorKind::TypeMismatch},
        {"\r\n" + two, LoadErrorKind::TypeMismatch},
        {"99999999999\r\n" + two, LoadErrorKind::Overflow},
        {"0\r\n" + two, LoadErrorKind::SubscriptOutOfRange},
        {"-1\r\n" + two, LoadErrorKind::SubscriptOutOfRange},
        {"3\r\n" + two, LoadErrorKind::SubscriptOutOfRange},
        // A count no table could hold is the same error, not a reservation for 2^31 records.
        {"2147483647\r\n" + two, LoadErrorKind::SubscriptOutOfRange},
        // 73 elements: fields 0..72 and nothing after the last "|".
        {Table({Record(0, "a"), Record(1, "b", "5", 72)}, "2"), LoadErrorKind::SubscriptOutOfRange},
        {Table({Record(0, "a", "x1")}, "1"), LoadErrorKind::TypeMismatch},
        {Table({Record(0, "a", "")}, "1"), LoadErrorKind::TypeMismatch},
        {Table({Record(0, "a", "2147483648")}, "1"), LoadErrorKind::Overflow},
        {"", LoadErrorKind::TypeMismatch},
    };
    for (const Case& c : cases) {
        auto items = LoadItemTable(c.text);
        ASSERT_FALSE(items) << c.text.substr(0, 40);
        EXPECT_EQ(items.error().kind, c.kind) << c.text.substr(0, 40);
    }
}

TEST(ItemTable, ShortAndLongRecordsLoadWhenField73Exists) {
    auto items = LoadItemTable(Table({Record(0, "a", "1", 74), Record(1, "b", "2", 95)}, "2"));
    ASSERT_TRUE(items);
    EXPECT_EQ((*items)[0].IconNo, 1);
    EXPECT_EQ((*items)[1].IconNo, 2);
}

TEST(ItemTable, DescriptionIsTheElementBeforeTheLast) {
    EXPECT_EQ(DescriptionOf("0|name|text|"), "text");
    EXPECT_EQ(DescriptionOf("0|name|text|tail"), "text");
    EXPECT_EQ(DescriptionOf("0|name||"), "");
    EXPECT_EQ(DescriptionOf("only|"), "only");
    EXPECT_EQ(DescriptionOf("|"), "");
    EXPECT_EQ(DescriptionOf("no bar"), "");
}

}  // namespace
}  // namespace lf
