#include "finder/finder_presenter.h"

#include <gtest/gtest.h>

#include "common/gbk.h"
#include "tests/support/fake_finder_view.h"
#include "tests/support/record_text.h"
#include "tests/support/test_catalogue.h"

namespace lf::finder {
namespace {

using namespace record_field;

using lf::testing::FakeFinderView;

std::string Helmet(int row, const std::string& name, const std::string& defence,
                   const std::string& price) {
    return lf::testing::RecordText()
        .Set(kNumber, std::to_string(row))
        .Set(kName, name)
        .Set(kKind, "11")
        .Set(kSlot, "0")
        .Set(kDefence, defence)
        .Set(kPurchasePrice, price)
        .Text();
}

class FinderPresenterTest : public ::testing::Test {
  protected:
    FinderPresenterTest()
        : table_(*LoadItemTable(EncodeGbk(lf::testing::Table(
              {lf::testing::Record(0, "0", "0"), Helmet(1, "Iron Helm", "20", "100"),
               Helmet(2, "Steel Helm", "35", "300"), Helmet(3, "Leather Cap", "5", "10"),
               Helmet(4, "Bronze Helm", "12", "60")},
              "5")))),
          presenter_(view_, table_, Language::English, [this](std::size_t row) {
              shownRows_.push_back(row);
              presenter_.OnMainSelectionChanged(row);
          }) {}

    std::size_t StatChoice(std::string_view label) const {
        const auto& stats = view_.choices.statNames;
        return static_cast<std::size_t>(std::find(stats.begin(), stats.end(), label) -
                                        stats.begin());
    }

    FakeFinderView view_;
    ItemTable table_;
    FinderPresenter presenter_;
    std::vector<std::size_t> shownRows_;
};

TEST_F(FinderPresenterTest, KeystrokesNarrowTheResultsAndTheFirstIsCurrent) {
    presenter_.OnOpen();
    EXPECT_TRUE(view_.shown);
    EXPECT_EQ(std::string(view_.captions.window), "Item Finder");
    EXPECT_EQ(view_.choices.slotNames.front(), "any");
    EXPECT_EQ(view_.countText, "5 items");
    presenter_.OnNameChanged("Hel");
    EXPECT_EQ(view_.countText, "3 items");
    presenter_.OnNameChanged("Helm");
    presenter_.OnSlotChosen(1 + static_cast<std::size_t>(CardSlot::Head));
    presenter_.OnStatChosen(StatChoice("Defense"));
    presenter_.OnStatMinimumChanged("15");
    EXPECT_EQ(view_.countText, "2 items");
    EXPECT_EQ(view_.current, 0u);
    presenter_.OnStatMinimumChanged("x");  // not a number: no minimum
    EXPECT_EQ(view_.countText, "3 items");
    presenter_.OnEscape();
    EXPECT_FALSE(view_.shown);
}

// What Enter picks is the item the finder shows at the current place, whatever the order.
TEST_F(FinderPresenterTest, AfterASortEnterShowsTheItemShownInTheMainWindow) {
    presenter_.OnOpen();
    presenter_.OnNameChanged("Helm");
    presenter_.OnStatChosen(StatChoice("Defense"));
    presenter_.OnHeaderClicked(5);  // best defence first
    EXPECT_EQ(view_.headers.sorted, 5u);
    EXPECT_EQ(view_.headers.titles[5], "Defense");
    EXPECT_EQ(presenter_.ResultCell(0, 1), "Steel Helm");
    EXPECT_EQ(presenter_.ResultCell(0, 5), "35");
    presenter_.OnMoveCurrent(+1);
    presenter_.OnActivate();
    ASSERT_EQ(shownRows_, (std::vector<std::size_t>{1}));
    EXPECT_EQ(presenter_.ResultCell(1, 1), "Iron Helm");

    presenter_.OnHeaderClicked(5);  // and the other way round
    EXPECT_EQ(presenter_.ResultCell(0, 1), "Bronze Helm");
    presenter_.OnMoveCurrent(-1);  // stays at the first
    presenter_.OnResultActivated(2);
    EXPECT_EQ(shownRows_.back(), 2u);
}

TEST_F(FinderPresenterTest, ComparesThePinnedItemWithTheSelectedOne) {
    presenter_.OnOpen();
    presenter_.OnNameChanged("Iron");
    presenter_.OnCompare();
    EXPECT_TRUE(view_.comparison.empty()) << "nothing selected in the main window yet";
    presenter_.OnMainSelectionChanged(2);  // Steel Helm: more defence, dearer
    ASSERT_EQ(view_.comparison.size(), 3u);
    EXPECT_EQ(view_.comparison[0].pinned, "Iron Helm");
    EXPECT_EQ(view_.comparison[0].other, "Steel Helm");
    const ComparisonLine& defence = view_.comparison[1];
    EXPECT_EQ(defence.label, "Defense");
    EXPECT_EQ(defence.change, "+15");
    const ComparisonLine& price = view_.comparison[2];
    EXPECT_EQ(price.label, "Purchase price");
    EXPECT_EQ(price.change, "+200");
    EXPECT_FALSE(defence.colour == price.colour) << "more defence is better, a dearer price worse";
    presenter_.OnClear();
    EXPECT_TRUE(view_.comparison.empty());
}

}  // namespace
}  // namespace lf::finder
