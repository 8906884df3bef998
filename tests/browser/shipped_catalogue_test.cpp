// The built Lorefinder.exe and the catalogue inside it, as a user gets them.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "browser/main_window.h"
#include "common/file_io.h"
#include "tests/support/fake_desktop.h"

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
};
MappedFile* ShippedCatalogue::exe_ = nullptr;

TEST_F(ShippedCatalogue, EveryEmbeddedResourceReadsBackByteForByte) {
    auto entries = ReadResources(exe_->Bytes());
    ASSERT_TRUE(entries) << entries.error().message;
    ASSERT_EQ(entries->size(), 17u);
    for (const ResourceEntry& e : *entries) {
        EXPECT_EQ(e.type, ResourceName(u"CUSTOM"));
        EXPECT_EQ(e.language, 2052);
        const std::string file = e.name == ResourceName(101)
                                     ? LF_CATALOGUE_DIR "/item_table.txt"
                                     : SheetFile(e.name.Id() - 1001);
        EXPECT_TRUE(std::ranges::equal(e.data, *ReadWholeFile(file))) << e.name.ToString();
    }
    EXPECT_EQ(std::system(("readelf -S " + std::string(kExe) + " | grep -q '\\.rsrc'").c_str()), 0);
}

TEST_F(ShippedCatalogue, TheBrowserStartsWithEveryItem) {
    testing::FakeDesktop desktop;
    auto form = Form1::Load(desktop, Reader());
    ASSERT_TRUE(form);
    EXPECT_EQ((*form)->Items().size(), 21809u);
    EXPECT_EQ((*form)->findChild<QLabel*>("LabelTotal")->text(), "Total = 21809");
    EXPECT_EQ((*form)->Items()[0].Name, "0");
    EXPECT_EQ((*form)->Items()[0].IconNo, 0);
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
    testing::FakeDesktop desktop;
    auto loaded = Form1::Load(desktop, Reader());
    ASSERT_TRUE(loaded);
    Form1& form = **loaded;
    const std::string fragment(form.Items()[1].Name.substr(0, 6));  // two Chinese characters
    const std::vector<std::size_t> matches = RowsWith(form.Items(), fragment);
    ASSERT_GE(matches.size(), 2u);
    form.findChild<QLineEdit*>("Text_Sc")->setText(QString::fromStdString(fragment));
    auto* search = form.findChild<QPushButton*>("CMD_Sc");
    for (std::size_t row : matches) {
        QTest::mouseClick(search, Qt::LeftButton);
        ASSERT_EQ(form.SelectedRow(), row);
    }
    EXPECT_EQ(desktop.beeps, 0);
    QTest::mouseClick(search, Qt::LeftButton);
    EXPECT_EQ(form.SelectedRow(), 21808u);
    EXPECT_EQ(desktop.beeps, 1);
    QTest::mouseClick(search, Qt::LeftButton);
    EXPECT_EQ(desktop.beeps, 1);

    ASSERT_FALSE(RowsWith(form.Items(), ".G").empty());
    const std::vector<std::size_t> lower = RowsWith(form.Items(), "g");
    form.findChild<QLineEdit*>("Text_Sc")->setText("g");
    QTest::mouseClick(search, Qt::LeftButton);
    EXPECT_EQ(form.SelectedRow(), lower.empty() ? 21808u : lower.front())
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
