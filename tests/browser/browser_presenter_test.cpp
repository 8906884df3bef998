#include "browser/browser_presenter.h"

#include <gtest/gtest.h>

#include "tests/support/fake_browser_view.h"
#include "tests/support/fake_system_port.h"
#include "tests/support/test_catalogue.h"

namespace lf {
namespace {

using testing::FakeBrowserView;
using testing::Record;

class BrowserPresenterTest : public ::testing::Test {
  protected:
    bool Start(const std::vector<std::string>& names, const std::string& count = "") {
        std::vector<std::string> records;
        for (std::size_t i = 0; i < names.size(); ++i) {
            records.push_back(Record(int(i), names[i], std::to_string(i * 37 % 4096), 87,
                                     "#B#desc " + std::to_string(i)));
        }
        resources_.SetTable(
            testing::Table(records, count.empty() ? std::to_string(names.size()) : count));
        resources_.AddSheets();
        return presenter_.Start();
    }
    // The search box's text changes, then Enter or the button.
    void Search(const std::string& text) {
        if (view_.searchText != text) {
            view_.searchText = text;
            presenter_.OnSearchTextChanged();
        }
        presenter_.OnSearch(view_.searchText);
    }
    std::optional<std::size_t> Selected() {
        EXPECT_EQ(presenter_.SelectedRow(), view_.highlighted) << "the list shows the selection";
        return presenter_.SelectedRow();
    }

    testing::FakeSystemPort system_;
    testing::FakeResources resources_;
    FakeBrowserView view_;
    BrowserPresenter presenter_{view_, system_, resources_.Reader()};
    void SetUp() override { view_.presenter = &presenter_; }
};

TEST_F(BrowserPresenterTest, StartsInTheSystemsLanguageWithEveryRowAndNothingSelected) {
    ASSERT_TRUE(Start({"0", "Sword.G", "Bow"}));
    EXPECT_TRUE(view_.trayIcon);
    ASSERT_TRUE(view_.captions);
    EXPECT_EQ(view_.captions->searchButton, "Search");
    EXPECT_EQ(view_.captions->itemNumberLabel, "Item ID :");
    EXPECT_EQ(view_.captions->iconLabel, "Icon :");
    EXPECT_EQ(view_.listRows, 3u);
    EXPECT_EQ(view_.total, "Total = 3");
    EXPECT_EQ(view_.numberLength, 5);
    EXPECT_FALSE(Selected());
    EXPECT_FALSE(view_.card) << "nothing composed";
    EXPECT_EQ(presenter_.Icons().CurrentSheet(), -1);

    testing::FakeSystemPort chinese;
    chinese.chinese = true;
    FakeBrowserView view;
    BrowserPresenter presenter(view, chinese, resources_.Reader());
    view.presenter = &presenter;
    ASSERT_TRUE(presenter.Start());
    EXPECT_FALSE(view.captions) << "the design-time captions are the Chinese ones";
    EXPECT_EQ(view.total, "总共 = 3");
    presenter.OnItemNumberChanged("1");
    EXPECT_EQ(view.position, "位置 = 2");
}

TEST_F(BrowserPresenterTest, ATableThatCannotBeLoadedIsReportedInTheLanguageOfTheRun) {
    EXPECT_FALSE(presenter_.Start());
    ASSERT_EQ(system_.messages.size(), 1u);
    EXPECT_EQ(system_.messages[0].title, "Lorefinder");
    EXPECT_TRUE(
        system_.messages[0].text.starts_with("The item table cannot be loaded: "
                                             "resource not found."));
    EXPECT_EQ(view_.listRows, 0u);

    system_.chinese = true;
    EXPECT_FALSE(Start({"0", "a"}, "3"));
    EXPECT_TRUE(
        system_.messages.back().text.starts_with("无法载入道具表：subscript out of range."));
}

TEST_F(BrowserPresenterTest, SearchMovesForwardBeepsOnceAtTheEndThenRestartsOnNewText) {
    ASSERT_TRUE(Start({"0", "Iron Sword.G", "Bow", "Iron Shield.G", "iron ring", "Cap"}));
    Search("");
    EXPECT_FALSE(Selected());
    Search("Iron");
    EXPECT_EQ(Selected(), 1u);
    Search("Iron");
    EXPECT_EQ(Selected(), 3u) << "the next press continues after the selection";
    Search("Iron");
    EXPECT_EQ(Selected(), 5u) << "off the end: the last row";
    EXPECT_EQ(system_.beeps, 1);
    Search("Iron");
    EXPECT_EQ(Selected(), 5u);
    EXPECT_EQ(system_.beeps, 1) << "the press after that is silent";
    presenter_.OnSearchTextChanged();
    Search("Iron");
    EXPECT_EQ(Selected(), 1u) << "a changed text starts again at row 0";
    Search("iron");
    EXPECT_EQ(Selected(), 4u) << "case-sensitive";
    presenter_.OnRowSelected(1);
    Search("iron");
    EXPECT_EQ(Selected(), 4u) << "a row picked by hand: the next search continues after it";
}

TEST_F(BrowserPresenterTest, TheSelectionHandlerRunsOncePerChangeAndFillsEveryField) {
    ASSERT_TRUE(Start({"0", "Sword", "Bow"}));
    presenter_.OnRowSelected(2);
    EXPECT_EQ(presenter_.SelectionsHandled(), 1) << "the number field's echo selects nothing";
    EXPECT_EQ(view_.listScrolls, 0) << "a row the user picked is not moved under the pointer";
    EXPECT_EQ(view_.number, "2");
    EXPECT_EQ(view_.name, "Bow");
    EXPECT_EQ(view_.tooltip, "#B#desc 2") << "the raw description";
    EXPECT_EQ(view_.position, "Locate = 3");
    ASSERT_TRUE(view_.card);
    EXPECT_EQ(view_.card->title, "Bow");
    EXPECT_FALSE(view_.detailVisible) << "composed, not shown";
    presenter_.OnRowSelected(2);
    presenter_.OnItemNumberChanged("2");
    EXPECT_EQ(presenter_.SelectionsHandled(), 1);

    presenter_.OnRowSelected(std::nullopt);
    EXPECT_EQ(Selected(), 2u) << "a row cannot be unselected by hand";
}

TEST_F(BrowserPresenterTest, TheNumberFieldSelectsRowsByTheNumberRule) {
    ASSERT_TRUE(Start({"0", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"}));
    presenter_.OnItemNumberChanged("0");
    EXPECT_FALSE(Selected());
    for (auto [text, row] : std::vector<std::pair<std::string, std::size_t>>{
             {"0.5", 0}, {"1", 1}, {"12.5", 12}, {"13.5", 14}, {" 7", 7}, {"0.4", 0}}) {
        presenter_.OnItemNumberChanged(text);
        EXPECT_EQ(Selected(), row) << text;
    }
    presenter_.OnItemNumberChanged("15");
    presenter_.OnItemNumberChanged("abc");
    EXPECT_EQ(Selected(), 0u) << "out of range and non-numbers are ignored";
    EXPECT_EQ(ItemNumberLength(100001), 6) << "row 100000 must fit the number field";
}

TEST_F(BrowserPresenterTest, TheIconBoxShowsTheCellWithAGreyStripAndDecodesOncePerSheet) {
    ASSERT_TRUE(Start({"0", "a", "b", "c"}));  // icons 0, 37, 74, 111: all on sheet 0
    presenter_.OnItemNumberChanged("1");
    presenter_.OnItemNumberChanged("2");
    EXPECT_EQ(presenter_.Icons().Decodes(), 1);
    ASSERT_TRUE(view_.icon);
    auto sheet = DecodeJpeg(resources_.byId[1001]);
    ASSERT_TRUE(sheet);
    const IconCell cell = CellOfIcon(74);
    ASSERT_EQ(view_.icon->width, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t expected =
                (x < 31 && y < 31) ? sheet->pixels[(cell.row * 32 + y) * 512 + cell.column * 32 + x]
                                   : 0xFF808080;
            ASSERT_EQ(view_.icon->pixels[y * 32 + x], expected) << x << "," << y;
        }
    }
}

TEST_F(BrowserPresenterTest, TheIconBoxTogglesTheDetailWindowAndFocusesTheList) {
    ASSERT_TRUE(Start({"0", "a"}));
    presenter_.OnIconBoxClicked();
    EXPECT_TRUE(view_.detailVisible) << "shown even with no item composed";
    EXPECT_FALSE(view_.card);
    EXPECT_TRUE(view_.listFocused);
    presenter_.OnIconBoxClicked();
    EXPECT_FALSE(view_.detailVisible);
}

TEST_F(BrowserPresenterTest, TheTrayHidesBothWindowsAndRestoresTheMainWindowWithItsIcon) {
    ASSERT_TRUE(Start({"0", "a", "b"}));
    presenter_.OnItemNumberChanged("2");
    presenter_.OnIconBoxClicked();
    presenter_.OnTrayToggle();
    EXPECT_TRUE(view_.minimised);
    EXPECT_FALSE(view_.detailVisible);
    EXPECT_TRUE(view_.hidePending);

    view_.icon.reset();
    presenter_.OnTrayToggle();
    EXPECT_TRUE(view_.normal);
    EXPECT_FALSE(view_.detailVisible) << "the detail window stays hidden";
    EXPECT_TRUE(view_.icon) << "the icon is drawn again";
}

TEST_F(BrowserPresenterTest, MinimisingHidesToTheTrayOnlyWhenThereIsOne) {
    ASSERT_TRUE(Start({"0"}));
    system_.notificationArea = false;
    presenter_.OnMinimised();
    EXPECT_FALSE(view_.hidePending) << "without a notification area it stays reachable";
    EXPECT_FALSE(view_.detailExists) << "hiding a detail window never used makes none";
}

TEST_F(BrowserPresenterTest, ClipboardMenuCopiesAndPastesTheWholeSearchText) {
    ASSERT_TRUE(Start({"0", "axe", "axe"}));
    presenter_.OnCopy("axe blade");
    EXPECT_EQ(system_.clipboard, "axe blade");

    Search("axe");
    Search("axe");
    EXPECT_EQ(Selected(), 2u);
    system_.clipboard = "axe";
    presenter_.OnPaste();
    EXPECT_EQ(view_.searchText, "axe");
    presenter_.OnSearch(view_.searchText);
    EXPECT_EQ(Selected(), 1u) << "a paste restarts the search, even of the same text";

    system_.clipboard.reset();
    presenter_.OnPaste();
    EXPECT_EQ(view_.searchText, "axe") << "no text on the clipboard: nothing changes";
}

TEST_F(BrowserPresenterTest, TheDetailWindowDocksBesideANormalMainWindowAndClosesAfterTheTray) {
    ASSERT_TRUE(Start({"0"}));
    presenter_.OnDockTimer();
    EXPECT_EQ(view_.detailAt, (ScreenPoint{354, 224}));
    view_.detailAt.reset();
    view_.normal = false;
    presenter_.OnDockTimer();
    EXPECT_FALSE(view_.detailAt);

    presenter_.Close();
    EXPECT_EQ(view_.closeSteps, (std::vector<std::string>{"tray", "detail"}));
}

// One finder for the run, beside the main window; its pick goes through the selection handler,
// and the main window's selection reaches its comparison.
TEST_F(BrowserPresenterTest, TheFinderOpensBesideTheMainWindowAndShowsItsPickAsTheListWould) {
    ASSERT_TRUE(Start({"0", "Iron Helm", "Oak Shield"}));
    presenter_.OnFind();
    presenter_.OnFind();
    EXPECT_EQ(view_.finderWindowsMade, 1);
    EXPECT_TRUE(view_.finderView.shown);
    EXPECT_EQ(view_.finderAt, (ScreenPoint{563, 200})) << "no room on the left: after the card";
    finder::FinderPresenter& finder = *view_.finderPresenter;
    finder.OnNameChanged("Shield");
    finder.OnActivate();
    EXPECT_EQ(Selected(), 2u);
    EXPECT_EQ(view_.number, "2");
    EXPECT_EQ(view_.name, "Oak Shield");
    EXPECT_EQ(view_.card->title, "Oak Shield");

    finder.OnCompare();
    presenter_.OnItemNumberChanged("1");
    ASSERT_FALSE(view_.finderView.comparison.empty());
    EXPECT_EQ(view_.finderView.comparison[0].other, "Iron Helm");
}

}  // namespace
}  // namespace lf
