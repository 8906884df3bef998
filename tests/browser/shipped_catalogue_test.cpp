// The built Lorefinder.exe and the catalogue inside it, as a user gets them.

#include <gtest/gtest.h>

#include <cstdio>

#include "browser/browser_presenter.h"
#include "common/file_io.h"
#include "tests/support/fake_browser_view.h"
#include "tests/support/fake_system_port.h"

namespace lf::browser {
namespace {

const char* kExe = LF_BIN_DIR "/Lorefinder.exe";

std::string SheetFile(int sheet) {
    char name[64];
    std::snprintf(name, sizeof name, "/icon_sheet_%02d.jpg", sheet + 1);
    return LF_CATALOGUE_DIR + std::string(name);
}

class ShippedCatalogue : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        auto mapped = MappedFile::Open(kExe);
        ASSERT_TRUE(mapped) << mapped.error().message;
        exe_ = new MappedFile(std::move(*mapped));
    }
    static void TearDownTestSuite() { delete exe_; }
    static ResourceReader Reader() {
        return [](const ResourceName& type, const ResourceName& name) {
            return ReadResource(exe_->Bytes(), type, name);
        };
    }
    static MappedFile* exe_;

    testing::FakeSystemPort system_;
    testing::FakeBrowserView view_;
    BrowserPresenter browser_{view_, system_, Reader()};
    void SetUp() override { view_.presenter = &browser_; }
};
MappedFile* ShippedCatalogue::exe_ = nullptr;

TEST_F(ShippedCatalogue, EveryEmbeddedResourceReadsBackByteForByte) {
    auto entries = ReadResources(exe_->Bytes());
    ASSERT_TRUE(entries) << entries.error().message;
    ASSERT_EQ(entries->size(), 17u);
    for (const ResourceEntry& e : *entries) {
        EXPECT_EQ(e.type, ResourceName(u"CUSTOM"));
        EXPECT_EQ(e.language, 2052);
        const std::string file = e.name == ResourceName(101) ? LF_CATALOGUE_DIR "/item_table.txt"
                                                             : SheetFile(e.name.Id() - 1001);
        EXPECT_TRUE(std::ranges::equal(e.data, *ReadWholeFile(file))) << e.name.ToString();
    }
    EXPECT_EQ(std::system(("readelf -S " + std::string(kExe) + " | grep -q '\\.rsrc'").c_str()), 0);
}

TEST_F(ShippedCatalogue, TheBrowserStartsWithEveryItem) {
    ASSERT_TRUE(browser_.Start());
    EXPECT_EQ(browser_.Items().size(), 21809u);
    EXPECT_EQ(view_.total, "Total = 21809");
    EXPECT_EQ(browser_.Items()[0].Name, "0");
    EXPECT_EQ(browser_.Items()[0].IconNo, 0);
}

// Every row whose name holds the fragment, as a plain scan finds them.
std::vector<std::size_t> RowsWith(const ItemTable& items, const std::string& text) {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].Name.find(text) != std::string::npos) rows.push_back(i);
    }
    return rows;
}

TEST_F(ShippedCatalogue, SearchVisitsEveryMatchThenBeepsOnceAtTheEnd) {
    ASSERT_TRUE(browser_.Start());
    const ItemTable& items = browser_.Items();
    const std::string fragment(items[1].Name.substr(0, 6));  // two Chinese characters
    const std::vector<std::size_t> matches = RowsWith(items, fragment);
    ASSERT_GE(matches.size(), 2u);
    browser_.OnSearchTextChanged();
    for (std::size_t row : matches) {
        browser_.OnSearch(fragment);
        ASSERT_EQ(browser_.SelectedRow(), row);
    }
    EXPECT_EQ(system_.beeps, 0);
    browser_.OnSearch(fragment);
    EXPECT_EQ(browser_.SelectedRow(), 21808u);
    EXPECT_EQ(system_.beeps, 1);
    browser_.OnSearch(fragment);
    EXPECT_EQ(system_.beeps, 1);

    ASSERT_FALSE(RowsWith(items, ".G").empty());
    const std::vector<std::size_t> lower = RowsWith(items, "g");
    browser_.OnSearchTextChanged();
    browser_.OnSearch("g");
    EXPECT_EQ(browser_.SelectedRow(), lower.empty() ? 21808u : lower.front())
        << "names ending in .G are not found by a lower-case g";
}

TEST_F(ShippedCatalogue, TheLastTwoSheetsShowTheSameImage) {
    auto sheet14 = DecodeJpeg(*ReadResource(exe_->Bytes(), ResourceName(u"CUSTOM"), 1015));
    auto sheet15 = DecodeJpeg(*ReadResource(exe_->Bytes(), ResourceName(u"CUSTOM"), 1016));
    ASSERT_TRUE(sheet14 && sheet15);
    EXPECT_EQ(sheet14->width, 512);
    EXPECT_EQ(sheet14->pixels, sheet15->pixels);

    IconSheets icons(Reader(), [](const std::string& message) { FAIL() << message; });
    icons.ShowItemIcon(3834);
    EXPECT_EQ(icons.CurrentSheet(), 14);
    EXPECT_NE(icons.Box().pixels[0], kIconBoxGrey);
}

}  // namespace
}  // namespace lf::browser
