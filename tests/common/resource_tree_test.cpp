#include "common/resource_tree.h"

#include <gtest/gtest.h>

#include "common/byte_order.h"

namespace lf {
namespace {

Bytes Data(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::vector<Resource> Sample() {
    return {
        {ResourceName(u"CUSTOM"), 1016, 2052, Data("sheet sixteen")},
        {ResourceName(u"CUSTOM"), 101, 2052, Data("21809\r\n0|0|")},
        {3, 1, 1033, Data("icon")},
        {ResourceName(u"Custom"), ResourceName(u"readme"), 0, Data("x")},
        {ResourceName(u"CUSTOM"), 101, 1033, Data("")},
    };
}

TEST(ResourceTree, RoundTripsEveryResourceInTableOrder) {
    for (std::uint32_t base : {0u, 0x5000u}) {
        const Bytes tree = BuildResourceTree(Sample(), base);
        auto entries = ParseResourceTree(tree, base);
        ASSERT_TRUE(entries) << entries.error().message;
        ASSERT_EQ(entries->size(), 5u);
        // Named types first, names before ids, then ids and languages ascending.
        const auto& e = *entries;
        EXPECT_EQ(e[0].type.ToString(), "CUSTOM");
        EXPECT_EQ(e[0].name.ToString(), "README");
        EXPECT_EQ(e[1].name, ResourceName(101));
        EXPECT_EQ(e[1].language, 1033);
        EXPECT_EQ(e[2].language, 2052);
        EXPECT_EQ(AsText(e[2].data), "21809\r\n0|0|");
        EXPECT_EQ(AsText(e[3].data), "sheet sixteen");
        EXPECT_EQ(e[4].type, ResourceName(3));
        for (const ResourceEntry& entry : e) {
            EXPECT_EQ((entry.data.data() - tree.data()) % 8, 0) << "data must stay aligned";
        }
    }
}

TEST(ResourceTree, BuildIsDeterministicAndLaterDuplicatesReplace) {
    auto resources = Sample();
    resources.push_back({ResourceName(u"custom"), 101, 2052, Data("new table")});
    const Bytes tree = BuildResourceTree(resources, 0);
    EXPECT_EQ(tree, BuildResourceTree(resources, 0));
    auto entries = ParseResourceTree(tree, 0);
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 5u);
    const auto language = [&](std::uint16_t preferred) {
        const ResourceEntry* table = FindResource(*entries, ResourceName::Parse("CUSTOM"),
                                                  ResourceName::Parse("#101"), preferred);
        return table ? table->language : -1;
    };
    EXPECT_EQ(language(2052), 2052) << "the preferred language answers, not the lowest";
    EXPECT_EQ(language(936), 1033) << "else the first language present";
    EXPECT_EQ(AsText(entries->at(2).data), "new table");
}

TEST(ResourceTree, NamesParseAndCompareAsWindowsDoes) {
    EXPECT_TRUE(ResourceName::Parse("#101").IsId());
    EXPECT_EQ(ResourceName::Parse("101"), ResourceName(101));
    EXPECT_FALSE(ResourceName::Parse("#70000").IsId());
    EXPECT_EQ(ResourceName::Parse("custom"), ResourceName(u"CUSTOM"));
    EXPECT_LT(ResourceName(u"ZZZ"), ResourceName(1));
}

// A one-type, one-name, one-language tree written by hand, to be damaged by the tests.
Bytes HandTree() {
    Bytes t(16 + 8 + 16 + 8 + 16 + 8 + 16 + 4, 0);
    WriteLe<std::uint16_t>(t, 14, 1);
    WriteLe<std::uint32_t>(t, 16, 10);
    WriteLe<std::uint32_t>(t, 20, 24 | 0x80000000u);
    WriteLe<std::uint16_t>(t, 24 + 14, 1);
    WriteLe<std::uint32_t>(t, 40, 101);
    WriteLe<std::uint32_t>(t, 44, 48 | 0x80000000u);
    WriteLe<std::uint16_t>(t, 48 + 14, 1);
    WriteLe<std::uint32_t>(t, 64, 2052);
    WriteLe<std::uint32_t>(t, 68, 72);
    WriteLe<std::uint32_t>(t, 72, 88);
    WriteLe<std::uint32_t>(t, 76, 4);
    return t;
}

TEST(ResourceTree, MalformedTreesAreErrorsNotCrashes) {
    ASSERT_TRUE(ParseResourceTree(HandTree(), 0));
    const auto broken = [](auto damage) {
        Bytes t = HandTree();
        damage(t);
        return ParseResourceTree(t, 0);
    };
    EXPECT_FALSE(broken([](Bytes& t) { WriteLe<std::uint32_t>(t, 44, 0 | 0x80000000u); }))
        << "a loop back to the root";
    EXPECT_FALSE(broken([](Bytes& t) { WriteLe<std::uint32_t>(t, 44, 9999 | 0x80000000u); }));
    EXPECT_FALSE(broken([](Bytes& t) { WriteLe<std::uint32_t>(t, 76, 5); })) << "data past the end";
    EXPECT_FALSE(broken([](Bytes& t) { WriteLe<std::uint32_t>(t, 72, 0xFFFFFFF0u); }));
    EXPECT_FALSE(broken([](Bytes& t) { WriteLe<std::uint16_t>(t, 14, 60000); })) << "huge count";
    EXPECT_FALSE(broken([](Bytes& t) { WriteLe<std::uint32_t>(t, 68, 48 | 0x80000000u); }))
        << "deeper than three levels";
    EXPECT_FALSE(broken([](Bytes& t) { WriteLe<std::uint32_t>(t, 16, 0x80000000u | 90); }))
        << "name string past the end";
    EXPECT_FALSE(ParseResourceTree(Bytes(7, 0), 0));
    EXPECT_FALSE(ParseResourceTree(HandTree(), 0x1000)) << "data address below the section";
}

}  // namespace
}  // namespace lf
