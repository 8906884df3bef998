// The pieces the generator is built from: its random stream, the icon plan, the separator-byte
// test for names and the sheet numbering.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "demo_catalogue/demo_sheets.h"
#include "demo_catalogue/icon_plan.h"
#include "demo_catalogue/item_text.h"
#include "demo_catalogue/random.h"

namespace lf::demo {
namespace {

TEST(CatalogueRandom, RepeatsItsStreamAndKeepsToItsBounds) {
    Random first = Random::For(7, 3), second = Random::For(7, 3), other = Random::For(7, 4);
    EXPECT_EQ(first.Next(), second.Next());
    EXPECT_NE(first.Next(), other.Next());

    std::set<std::int64_t> seen;
    constexpr int kZeroWeight[] = {5, 0, 5};
    for (int i = 0; i < 2000; ++i) {
        const auto value = first.Between(-2, 2);
        ASSERT_TRUE(value >= -2 && value <= 2) << value;
        seen.insert(value);
        EXPECT_NE(first.Weighted(kZeroWeight), 1u);
        EXPECT_FALSE(first.Percent(0));
        EXPECT_TRUE(first.Percent(100));
    }
    EXPECT_EQ(seen.size(), 5u) << "both bounds are reachable";
}

TEST(CatalogueNames, FindCharactersWhoseSecondGbkByteIsTheSeparator) {
    EXPECT_TRUE(HasSeparatorTrail("東方"));      // 96 7C
    EXPECT_TRUE(HasSeparatorTrail("夢魘之刃"));  // F4 7C in the middle
    EXPECT_FALSE(HasSeparatorTrail("东方"));     // the simplified form has no such byte
    EXPECT_FALSE(HasSeparatorTrail("a|b"));      // a real separator is no trail byte
    EXPECT_FALSE(HasSeparatorTrail("攻击力|"));  // nor after a whole double-byte character
}

TEST(CatalogueIconPlan, GivesEveryPictureAndRarityCellsOnTheDrawnSheets) {
    const auto& cells = PlannedIcons();
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(kDrawnSheets * kIconsPerSheet));
    std::set<Rarity> rarities;
    for (int icon = 0; icon < kUsedIcons; ++icon) rarities.insert(cells[icon].rarity);
    EXPECT_EQ(rarities.size(), static_cast<std::size_t>(kRarityCount));
    std::size_t listed = 0;
    for (int p = 0; p < kPictureCount; ++p) {
        const auto picture = static_cast<Picture>(p);
        const auto icons = IconsShowing(picture);
        EXPECT_FALSE(icons.empty()) << "picture " << p;
        EXPECT_TRUE(std::is_sorted(icons.begin(), icons.end()));
        for (int icon : icons) {
            ASSERT_LT(icon, kUsedIcons);
            EXPECT_EQ(cells[icon].picture, picture);
        }
        listed += icons.size();
    }
    EXPECT_EQ(listed, static_cast<std::size_t>(kUsedIcons));
}

TEST(CatalogueIconSheets, ExistOnlyForTheSixteenResourceNumbers) {
    EXPECT_FALSE(EncodeIconSheet(-1).has_value());
    const auto missing = EncodeIconSheet(kIconSheetCount);
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().kind, Error::Kind::NotFound);
}

}  // namespace
}  // namespace lf::demo
