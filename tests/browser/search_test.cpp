#include "browser/search.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/gbk.h"
#include "tests/support/test_catalogue.h"

namespace lf {
namespace {

// A table of these names with its index, which reads the table's names.
struct Indexed {
    explicit Indexed(const std::vector<std::string>& names) {
        std::vector<std::string> records;
        for (const std::string& name : names) {
            records.push_back(testing::Record(static_cast<int>(records.size()), name));
        }
        table = std::make_unique<ItemTable>(
            *LoadItemTable(EncodeGbk(testing::Table(records, std::to_string(records.size())))));
        index = NameIndex(*table);
    }
    operator const NameIndex&() const { return index; }  // NOLINT: read as the index it holds
    std::unique_ptr<ItemTable> table;
    NameIndex index;
};

Indexed IndexOf(const std::vector<std::string>& names) { return Indexed(names); }

TEST(Search, ScansForwardFromTheStartRowCaseSensitively) {
    const Indexed names = IndexOf({"0", "铁剑.G", "木弓", "铁剑.G", "g", "盾"});
    EXPECT_EQ(RunSearch(names, "铁剑", 0).select, 1u);
    EXPECT_EQ(RunSearch(names, "铁剑", 2).select, 3u);
    EXPECT_EQ(RunSearch(names, "g", 0).select, 4u) << "a lower-case g is not an upper-case G";
    EXPECT_FALSE(RunSearch(names, "铁剑", 0).beep);
}

TEST(Search, RunningOffTheEndSelectsTheLastRowAndBeepsOnce) {
    const Indexed names = IndexOf({"ab", "cd", "ab", "ef"});
    const SearchStep offEnd = RunSearch(names, "ab", 3);
    EXPECT_EQ(offEnd.select, 3u);
    EXPECT_TRUE(offEnd.beep);
    const SearchStep pastEnd = RunSearch(names, "ab", 4);  // the press after that
    EXPECT_FALSE(pastEnd.select);
    EXPECT_FALSE(pastEnd.beep);
    const SearchStep empty = RunSearch(names, "", 0);
    EXPECT_FALSE(empty.select);
    EXPECT_FALSE(empty.beep);
}

TEST(Search, AMatchNeverStraddlesTwoNames) {
    const Indexed names = IndexOf({"xa", "bx", "ab"});
    EXPECT_EQ(RunSearch(names, "ab", 0).select, 2u);
    const Indexed split = IndexOf({"铁", "剑"});
    EXPECT_TRUE(RunSearch(split, "铁剑", 0).beep);
}

TEST(NumberRule, TestsTheUnroundedValueThenRoundsHalfToEven) {
    struct Case {
        const char* text;
        std::optional<std::size_t> row;
    };
    const Case cases[] = {
        {"0", std::nullopt},
        {"0.4", 0u},
        {"0.5", 0u},
        {"1", 1u},
        {"12.5", 12u},
        {"13.5", 14u},
        {" 7", 7u},
        {"21808", 21808u},
        {"21809", std::nullopt},
        {"21808.6", std::nullopt},
        {"-1", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"1e3", 1000u},
    };
    for (const Case& c : cases) EXPECT_EQ(RowForNumber(c.text, 21809), c.row) << c.text;
}

}  // namespace
}  // namespace lf
