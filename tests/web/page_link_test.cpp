// Links into the web catalogue, read into the finder window's controls: lftool find's words, the
// same refusals, and what the window has no control for named rather than dropped in silence.

#include "web/page_link.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "composer/card_names.h"
#include "finder/finder_presenter.h"

namespace lf::web {
namespace {

using finder::ColumnNamed;
using finder::StatChoiceColumns;

PageLink Find(std::vector<std::pair<std::string, std::string>> parameters) {
    return {"find", std::move(parameters)};
}

std::size_t StatChoice(const char* column) {
    const auto stats = StatChoiceColumns();
    return static_cast<std::size_t>(std::ranges::find(stats, *ColumnNamed(column)) - stats.begin());
}

std::size_t ClassChoice(std::string_view english) {
    const auto classes = CardClasses();
    return static_cast<std::size_t>(std::ranges::find(classes, english, &Bilingual::english) -
                                    classes.begin()) +
           1;
}

TEST(PageLink, AnItemLinkNamesARowOfTheTable) {
    EXPECT_EQ(ItemLinkRow({"", {{"item", "5"}}}, 10), 5u);
    EXPECT_EQ(ItemLinkRow({"", {{"item", "0"}}}, 10), 0u);
    for (const char* bad : {"10", "-1", "5x", "", " 5", "99999999999999999999"}) {
        EXPECT_FALSE(ItemLinkRow({"", {{"item", bad}}}, 10)) << bad;
    }
    EXPECT_FALSE(ItemLinkRow({"find", {{"item", "5"}}}, 10));
    EXPECT_TRUE(IsFinderLink(Find({})));
}

TEST(PageLink, AFinderLinkSetsTheControlsToLftoolFindsQuery) {
    const auto link = ReadFinderLink(Find({{"slot", "Head"},
                                           {"class", "knight"},
                                           {"level", "20..40"},
                                           {"sort", "defence"},
                                           {"desc", "1"},
                                           {"name", "盔"},
                                           {"special", ""}}));
    ASSERT_TRUE(link) << link.error();
    const FinderForm& form = link->form;
    EXPECT_EQ(form.slotChoice, static_cast<std::size_t>(CardSlot::Head) + 1);
    EXPECT_EQ(form.classChoice, ClassChoice("Knight"));
    EXPECT_EQ(form.levelFrom, "20");
    EXPECT_EQ(form.levelTo, "40");
    EXPECT_EQ(form.statChoice, StatChoice("defence"));
    EXPECT_EQ(form.sortColumn, finder::kStat);
    EXPECT_TRUE(form.descending);
    EXPECT_EQ(form.name, "盔");
    EXPECT_TRUE(form.specialOnly);
    EXPECT_TRUE(link->unused.empty());

    // Chinese names, a minimum on a stat, open ranges; desc alone turns the row order round.
    const auto chinese = ReadFinderLink(
        Find({{"slot", "头部"}, {"min", "attack=5"}, {"level", "..9"}, {"desc", ""}}));
    ASSERT_TRUE(chinese) << chinese.error();
    EXPECT_EQ(chinese->form.slotChoice, 1u);
    EXPECT_EQ(chinese->form.statChoice, StatChoice("attack"));
    EXPECT_EQ(chinese->form.statMinimum, "5");
    EXPECT_EQ(chinese->form.levelFrom, "");
    EXPECT_EQ(chinese->form.levelTo, "9");
    EXPECT_EQ(chinese->form.sortColumn, finder::kRow);
    EXPECT_TRUE(chinese->form.descending);
}

TEST(PageLink, WordsLftoolRefusesAreRefusedAndWhatTheWindowLacksIsNamed) {
    EXPECT_EQ(ReadFinderLink(Find({{"slot", "Hat"}})).error().substr(0, 31),
              "no slot is named \"Hat\"; slots: ");
    EXPECT_FALSE(ReadFinderLink(Find({{"slot", "3"}}))) << "the window offers the named slots only";
    EXPECT_FALSE(ReadFinderLink(Find({{"class", "Baker"}})));
    EXPECT_FALSE(ReadFinderLink(Find({{"level", "ten"}})));
    EXPECT_FALSE(ReadFinderLink(Find({{"min", "strength"}})));
    EXPECT_FALSE(ReadFinderLink(Find({{"sort", "colour"}})));

    const auto link = ReadFinderLink(Find({{"kind", "3"},
                                           {"min", "attack=5"},
                                           {"min", "defence=2"},
                                           {"sort", "magic_power"},
                                           {"fame", "1.."},
                                           {"limit", "10"}}));
    ASSERT_TRUE(link) << link.error();
    EXPECT_EQ(link->unused, (std::vector<std::string>{"kind=3", "min=defence=2", "fame=1..",
                                                      "limit=10", "sort=magic_power"}));
    EXPECT_EQ(link->form.statChoice, StatChoice("attack"));
    EXPECT_FALSE(link->form.sortColumn) << "one stat column shows the minimum or the order";
}

TEST(PageLink, ThePageSpeaksChineseForEveryChineseLanguageTag) {
    for (const char* tag : {"zh", "zh-CN", "ZH-tw", "zh_Hans", "zh-Hant-HK"}) {
        EXPECT_TRUE(IsChinesePageLanguage(tag)) << tag;
    }
    for (const char* tag : {"en-US", "", "z", "zhx", "ja-JP"}) {
        EXPECT_FALSE(IsChinesePageLanguage(tag)) << tag;
    }
}

}  // namespace
}  // namespace lf::web
