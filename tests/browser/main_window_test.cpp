#include "browser/main_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "tests/support/fake_desktop.h"

namespace lf::browser {
namespace {

std::string Record(int number, const std::string& name) {
    std::string row = std::to_string(number) + "|" + name + "|";
    for (int f = 2; f < 88; ++f) row += (f == 73 ? "17" : "0") + std::string("|");
    return row;
}

class MainWindowTest : public ::testing::Test {
protected:
    ResourceReader Serving(std::string table) {
        table_ = std::move(table);
        return [this](const ResourceName& type, const ResourceName& name) -> Result<ByteView> {
            if (type == ResourceName(u"CUSTOM") && name == ResourceName(101)) return AsBytes(table_);
            return Fail(Error::Kind::NotFound, "no such resource");
        };
    }
    std::unique_ptr<Form1> Started(const std::vector<std::string>& names) {
        std::string table = std::to_string(names.size()) + "\r\n";
        for (std::size_t i = 0; i < names.size(); ++i) table += Record(int(i), names[i]) + "\r\n";
        auto form = Form1::Load(desktop_, Serving(table));
        EXPECT_TRUE(form);
        return form ? std::move(*form) : nullptr;
    }
    template <typename W>
    W* Child(QWidget* form, const char* name) {
        auto* w = form->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    testing::FakeDesktop desktop_;
    std::string table_;
};

TEST_F(MainWindowTest, EnglishSystemGetsEnglishCaptionsAndTheTotal) {
    auto form = Started({"0", "Sword.G", "Bow"});
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->IsChineseUI());
    EXPECT_EQ(form->windowTitle(), "Lorefinder");
    EXPECT_EQ(Child<QPushButton>(form.get(), "CMD_Sc")->text(), "Search");
    EXPECT_EQ(Child<QLabel>(form.get(), "Label1")->text(), "Item ID :");
    EXPECT_EQ(Child<QLabel>(form.get(), "Label2")->text(), "Icon :");
    EXPECT_EQ(Child<QLabel>(form.get(), "LabelTotal")->text(), "Total = 3");
}

TEST_F(MainWindowTest, ChineseSystemKeepsTheChineseCaptions) {
    desktop_.chinese = true;
    auto form = Started({"0", "剑"});
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->IsChineseUI());
    EXPECT_EQ(form->windowTitle(), "Lorefinder");
    EXPECT_EQ(Child<QPushButton>(form.get(), "CMD_Sc")->text(), "捜索");
    EXPECT_EQ(Child<QLabel>(form.get(), "Label1")->text(), "道具编号:");
    EXPECT_EQ(Child<QLabel>(form.get(), "Label2")->text(), "图标 :");
    EXPECT_EQ(Child<QLabel>(form.get(), "LabelTotal")->text(), "总共 = 2");
}

TEST_F(MainWindowTest, ListsEveryNameInTableOrderWithNothingSelected) {
    const std::vector<std::string> names = {"0", "b", "a", "b", " spaced "};
    auto form = Started(names);
    ASSERT_TRUE(form);
    auto* list = Child<QListView>(form.get(), "ItemList");
    ASSERT_EQ(list->model()->rowCount(), 5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(list->model()->index(row, 0).data().toString().toStdString(), names[row]);
    }
    EXPECT_FALSE(list->selectionModel()->hasSelection());
    EXPECT_TRUE(Child<QLineEdit>(form.get(), "Text_ItemNum")->text().isEmpty());
    EXPECT_TRUE(Child<QLineEdit>(form.get(), "Text_ItemName")->text().isEmpty());
    EXPECT_TRUE(Child<QLabel>(form.get(), "LabelLine")->text().isEmpty());
}

TEST_F(MainWindowTest, ControlsSitAtTheirPlacesInAFixedWindow) {
    auto form = Started({"0"});
    ASSERT_TRUE(form);
    EXPECT_EQ(form->minimumSize(), QSize(243, 416));
    EXPECT_EQ(form->maximumSize(), QSize(243, 416));
    EXPECT_EQ(Child<QWidget>(form.get(), "Text_Sc")->geometry(), QRect(8, 6, 153, 21));
    EXPECT_EQ(Child<QWidget>(form.get(), "ItemList")->geometry(), QRect(8, 32, 225, 304));
    EXPECT_EQ(Child<QWidget>(form.get(), "Picture2")->geometry(), QRect(200, 338, 32, 32));
    EXPECT_EQ(Child<QLineEdit>(form.get(), "Text_ItemNum")->maxLength(), 5);
    EXPECT_TRUE(Child<QLineEdit>(form.get(), "Text_ItemName")->isReadOnly());
    EXPECT_EQ(Child<QWidget>(form.get(), "LabelLine")->mapTo(form.get(), QPoint(0, 0)),
              QPoint(132, 398));
}

TEST_F(MainWindowTest, ATableThatCannotBeLoadedGivesNoWindow) {
    auto missing = Form1::Load(desktop_, [](const ResourceName&, const ResourceName&) -> Result<ByteView> {
        return Fail(Error::Kind::NotFound, "resource CUSTOM/#101 not found");
    });
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, LoadErrorKind::ResourceNotFound);
    EXPECT_TRUE(LoadFailureMessage(missing.error()).contains("resource not found"));

    auto shortTable = Form1::Load(desktop_, Serving("3\r\n" + Record(0, "a") + "\r\n"));
    ASSERT_FALSE(shortTable);
    EXPECT_TRUE(LoadFailureMessage(shortTable.error()).contains("subscript out of range"));
}

}  // namespace
}  // namespace lf::browser
