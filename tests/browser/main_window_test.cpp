#include "browser/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "browser/tray.h"
#include "composer/stat_form.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/test_catalogue.h"

namespace lf::browser {
namespace {

using testing::Record;

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<Form1> Started(const std::vector<std::string>& names) {
        std::vector<std::string> records;
        for (std::size_t i = 0; i < names.size(); ++i) {
            records.push_back(Record(int(i), names[i], std::to_string(i * 37 % 4096), 87,
                                     "#B#desc " + std::to_string(i)));
        }
        resources_.SetTable(testing::Table(records, std::to_string(names.size())));
        resources_.AddSheets();
        auto form = Form1::Load(desktop_, resources_.Reader());
        EXPECT_TRUE(form);
        return form ? std::move(*form) : nullptr;
    }
    template <typename W = QWidget>
    W* Child(const char* name) {
        auto* w = form_->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Search(const QString& text) {
        if (Child<QLineEdit>("Text_Sc")->text() != text) Child<QLineEdit>("Text_Sc")->setText(text);
        QTest::mouseClick(Child<QPushButton>("CMD_Sc"), Qt::LeftButton);
    }
    std::optional<std::size_t> Selected() { return form_->SelectedRow(); }

    testing::FakeDesktop desktop_;
    testing::FakeResources resources_;
    std::unique_ptr<Form1> form_;
};

TEST_F(MainWindowTest, EnglishSystemGetsEnglishCaptionsAndTheTotal) {
    form_ = Started({"0", "Sword.G", "Bow"});
    ASSERT_TRUE(form_);
    EXPECT_FALSE(form_->IsChineseUI());
    EXPECT_EQ(form_->windowTitle(), "Lorefinder");
    EXPECT_EQ(Child<QPushButton>("CMD_Sc")->text(), "Search");
    EXPECT_EQ(Child<QLabel>("Label1")->text(), "Item ID :");
    EXPECT_EQ(Child<QLabel>("Label2")->text(), "Icon :");
    EXPECT_EQ(Child<QLabel>("LabelTotal")->text(), "Total = 3");
    EXPECT_EQ(form_->Tray()->Icon()->toolTip(), "Lorefinder");
}

TEST_F(MainWindowTest, ChineseSystemKeepsTheChineseCaptions) {
    desktop_.chinese = true;
    form_ = Started({"0", "剑"});
    ASSERT_TRUE(form_);
    EXPECT_TRUE(form_->IsChineseUI());
    EXPECT_EQ(form_->windowTitle(), "Lorefinder");
    EXPECT_EQ(Child<QPushButton>("CMD_Sc")->text(), "捜索");
    EXPECT_EQ(Child<QLabel>("Label1")->text(), "道具编号:");
    EXPECT_EQ(Child<QLabel>("Label2")->text(), "图标 :");
    EXPECT_EQ(Child<QLabel>("LabelTotal")->text(), "总共 = 2");
    Child<QLineEdit>("Text_ItemNum")->setText("1");
    EXPECT_EQ(Child<QLabel>("LabelLine")->text(), "位置 = 2");
}

TEST_F(MainWindowTest, ListsEveryNameInTableOrderWithNothingSelected) {
    const std::vector<std::string> names = {"0", "b", "a", "b", " spaced "};
    form_ = Started(names);
    ASSERT_TRUE(form_);
    auto* list = Child<QListView>("ItemList");
    ASSERT_EQ(list->model()->rowCount(), 5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(list->model()->index(row, 0).data().toString().toStdString(), names[row]);
    }
    EXPECT_FALSE(Selected());
    EXPECT_TRUE(Child<QLineEdit>("Text_ItemNum")->text().isEmpty());
    EXPECT_TRUE(Child<QLineEdit>("Text_ItemName")->text().isEmpty());
    EXPECT_TRUE(Child<QLabel>("LabelLine")->text().isEmpty());
    EXPECT_EQ(form_->Icons().CurrentSheet(), -1);
}

TEST_F(MainWindowTest, ControlsSitAtTheirPlacesInAFixedWindow) {
    form_ = Started({"0"});
    ASSERT_TRUE(form_);
    EXPECT_EQ(form_->minimumSize(), QSize(243, 416));
    EXPECT_EQ(form_->maximumSize(), QSize(243, 416));
    EXPECT_EQ(Child("Text_Sc")->geometry(), QRect(8, 6, 153, 21));
    EXPECT_EQ(Child("ItemList")->geometry(), QRect(8, 32, 225, 304));
    EXPECT_EQ(Child("Picture2")->geometry(), QRect(200, 338, 32, 32));
    EXPECT_EQ(Child<QLineEdit>("Text_ItemNum")->maxLength(), 5);
    EXPECT_TRUE(Child<QLineEdit>("Text_ItemName")->isReadOnly());
    EXPECT_EQ(Child("LabelLine")->mapTo(form_.get(), QPoint(0, 0)), QPoint(132, 398));
}

TEST_F(MainWindowTest, ATableThatCannotBeLoadedGivesNoWindow) {
    auto missing = Form1::Load(desktop_, resources_.Reader());
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, LoadErrorKind::ResourceNotFound);
    EXPECT_TRUE(LoadFailureMessage(missing.error()).contains("resource not found"));

    resources_.SetTable("3\r\n" + Record(0, "a") + "\r\n");
    auto shortTable = Form1::Load(desktop_, resources_.Reader());
    ASSERT_FALSE(shortTable);
    EXPECT_TRUE(LoadFailureMessage(shortTable.error()).contains("subscript out of range"));
}

TEST_F(MainWindowTest, SearchMovesForwardBeepsOnceAtTheEndThenRestartsOnNewText) {
    form_ = Started({"0", "Iron Sword.G", "Bow", "Iron Shield.G", "iron ring", "Cap"});
    ASSERT_TRUE(form_);
    Search("");
    EXPECT_FALSE(Selected());
    Search("Iron");
    EXPECT_EQ(Selected(), 1u);
    Search("Iron");
    EXPECT_EQ(Selected(), 3u) << "the next press continues after the selection";
    EXPECT_EQ(desktop_.beeps, 0);
    Search("Iron");
    EXPECT_EQ(Selected(), 5u) << "off the end: the last row";
    EXPECT_EQ(desktop_.beeps, 1);
    Search("Iron");
    EXPECT_EQ(Selected(), 5u);
    EXPECT_EQ(desktop_.beeps, 1) << "the press after that is silent";
    QTest::keyClicks(Child("Text_Sc"), " ");
    QTest::keyClick(Child("Text_Sc"), Qt::Key_Backspace);
    QTest::keyClick(Child("Text_Sc"), Qt::Key_Return);  // Enter does what the button does
    EXPECT_EQ(Selected(), 1u) << "a changed text starts again at row 0";
    Search("iron");
    EXPECT_EQ(Selected(), 4u) << "case-sensitive";
}

TEST_F(MainWindowTest, PickingARowMakesTheNextSearchContinueAfterIt) {
    form_ = Started({"0", "axe", "bow", "axe", "axe"});
    ASSERT_TRUE(form_);
    Search("axe");
    EXPECT_EQ(Selected(), 1u);
    Child<QListView>("ItemList")->setCurrentIndex(Child<QListView>("ItemList")->model()->index(3, 0));
    Search("axe");
    EXPECT_EQ(Selected(), 4u);
}

TEST_F(MainWindowTest, TheSelectionHandlerRunsOncePerChangeAndFillsEveryField) {
    form_ = Started({"0", "Sword", "Bow"});
    ASSERT_TRUE(form_);
    QSignalSpy handled(form_.get(), &Form1::ItemSelected);
    Child<QListView>("ItemList")->setCurrentIndex(Child<QListView>("ItemList")->model()->index(2, 0));
    ASSERT_EQ(handled.count(), 1) << "writing the number field selects the same row again";
    EXPECT_EQ(Child<QLineEdit>("Text_ItemNum")->text(), "2");
    EXPECT_EQ(Child<QLineEdit>("Text_ItemName")->text(), "Bow");
    EXPECT_EQ(Child<QLineEdit>("Text_ItemName")->toolTip(), "#B#desc 2") << "the raw description";
    EXPECT_EQ(Child<QLabel>("LabelLine")->text(), "Locate = 3");
    ASSERT_NE(form_->DetailWindow(), nullptr);
    EXPECT_EQ(form_->DetailWindow()->TitleBlock()->text(), "Bow");
    EXPECT_FALSE(form_->DetailWindow()->isVisible()) << "composed, not shown";
    Child<QLineEdit>("Text_ItemNum")->setText("2");
    EXPECT_EQ(handled.count(), 1);
}

TEST_F(MainWindowTest, TheNumberFieldSelectsRowsByTheNumberRule) {
    form_ = Started({"0", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"});
    ASSERT_TRUE(form_);
    auto* number = Child<QLineEdit>("Text_ItemNum");
    number->setText("0");
    EXPECT_FALSE(Selected());
    for (auto [text, row] : std::vector<std::pair<QString, std::size_t>>{
             {"0.5", 0}, {"1", 1}, {"12.5", 12}, {"13.5", 14}, {" 7", 7}, {"0.4", 0}}) {
        number->setText(text);
        EXPECT_EQ(Selected(), row) << text.toStdString();
    }
    number->setText("15");
    number->setText("abc");
    EXPECT_EQ(Selected(), 0u) << "out of range and non-numbers are ignored";
}

TEST_F(MainWindowTest, RowNumbersOfLongTablesFitTheNumberField) {
    std::vector<std::string> names(100001, "x");
    form_ = Started(names);
    ASSERT_TRUE(form_);
    Child<QListView>("ItemList")->setCurrentIndex(Child<QListView>("ItemList")->model()->index(100000, 0));
    EXPECT_EQ(Child<QLineEdit>("Text_ItemNum")->text(), "100000");
    EXPECT_EQ(Selected(), 100000u);
}

TEST_F(MainWindowTest, TheIconBoxShowsTheCellWithAGreyStripAndDecodesOncePerSheet) {
    form_ = Started({"0", "a", "b", "c"});  // icons 0, 37, 74, 111: all on sheet 0
    ASSERT_TRUE(form_);
    auto* number = Child<QLineEdit>("Text_ItemNum");
    number->setText("1");
    number->setText("2");
    EXPECT_EQ(form_->Icons().Decodes(), 1);
    const QImage box = Child<QLabel>("Picture2")->pixmap().toImage();
    auto sheet = DecodeJpeg(resources_.byId[1001]);
    ASSERT_TRUE(sheet);
    const IconCell cell = CellOfIcon(74);
    ASSERT_EQ(box.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb expected = (x < 31 && y < 31)
                                      ? sheet->pixels[(cell.row * 32 + y) * 512 + cell.column * 32 + x]
                                      : 0xFF808080;
            ASSERT_EQ(box.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(MainWindowTest, ClickingTheIconBoxTogglesTheDetailWindowAndFocusesTheList) {
    form_ = Started({"0", "a"});
    ASSERT_TRUE(form_);
    form_->show();
    form_->activateWindow();
    QTest::mouseClick(Child("Picture2"), Qt::LeftButton);
    ASSERT_NE(form_->DetailWindow(), nullptr);
    EXPECT_TRUE(form_->DetailWindow()->isVisible()) << "shown even with no item composed";
    EXPECT_EQ(form_->focusWidget(), Child("ItemList"));
    QTest::mouseClick(Child("Picture2"), Qt::LeftButton);
    EXPECT_FALSE(form_->DetailWindow()->isVisible());
}

TEST_F(MainWindowTest, TheTrayTogglesTheWindowsAndADoubleClickCountsOnce) {
    form_ = Started({"0", "a", "b"});
    ASSERT_TRUE(form_);
    form_->show();
    Child<QLineEdit>("Text_ItemNum")->setText("2");
    QTest::mouseClick(Child("Picture2"), Qt::LeftButton);
    QSystemTrayIcon* tray = form_->Tray()->Icon();
    emit tray->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_FALSE(form_->DetailWindow()->isVisible());
    emit tray->activated(QSystemTrayIcon::DoubleClick);  // second half of the same double click
    EXPECT_FALSE(form_->isVisible());
    emit tray->activated(QSystemTrayIcon::Context);
    EXPECT_FALSE(form_->isVisible());

    Child<QLabel>("Picture2")->clear();
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    emit tray->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_FALSE(form_->isMinimized());
    EXPECT_FALSE(form_->DetailWindow()->isVisible()) << "the detail window stays hidden";
    EXPECT_FALSE(Child<QLabel>("Picture2")->pixmap().isNull()) << "the icon is drawn again";
}

TEST_F(MainWindowTest, MinimisingHidesToTheTrayOnlyWhenThereIsOne) {
    form_ = Started({"0"});
    ASSERT_TRUE(form_);
    form_->show();
    form_->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form_->isVisible(); }, 1000));

    desktop_.notificationArea = false;
    emit form_->Tray()->Icon()->activated(QSystemTrayIcon::Trigger);
    ASSERT_TRUE(form_->isVisible());
    form_->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form_->isVisible()) << "without a notification area it stays reachable";
    EXPECT_TRUE(form_->isMinimized());
}

TEST_F(MainWindowTest, ClipboardMenuCopiesAndPastesTheWholeSearchText) {
    form_ = Started({"0", "axe", "axe"});
    ASSERT_TRUE(form_);
    auto* search = Child<QLineEdit>("Text_Sc");
    search->setText("axe blade");
    search->setSelection(0, 3);
    Child<QAction>("ClipBoard_copy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "axe blade");

    Search("axe");
    Search("axe");
    EXPECT_EQ(Selected(), 2u);
    QApplication::clipboard()->setText("ax");
    Child<QAction>("ClipBoard_paste")->trigger();
    EXPECT_EQ(search->text(), "ax");
    QTest::mouseClick(Child<QPushButton>("CMD_Sc"), Qt::LeftButton);
    EXPECT_EQ(Selected(), 1u) << "pasting restarts the search at row 0";

    auto* image = new QMimeData;
    image->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(image);
    Child<QAction>("ClipBoard_paste")->trigger();
    EXPECT_EQ(search->text(), "ax");
}

TEST_F(MainWindowTest, TheDetailWindowDocksBesideTheMainWindow) {
    EXPECT_EQ(Form1::DockedPosition(QRect(100, 200, 249, 442)), QPoint(354, 224));
    form_ = Started({"0"});
    ASSERT_TRUE(form_);
    form_->show();
    form_->move(40, 50);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return form_->DetailWindow() &&
                   form_->DetailWindow()->pos() == Form1::DockedPosition(form_->frameGeometry());
        },
        2500));
}

TEST_F(MainWindowTest, ClosingRemovesTheTrayIconAndTheDetailWindow) {
    form_ = Started({"0", "a"});
    ASSERT_TRUE(form_);
    form_->show();
    Child<QLineEdit>("Text_ItemNum")->setText("1");
    QTest::mouseClick(Child("Picture2"), Qt::LeftButton);
    form_->close();
    EXPECT_FALSE(form_->Tray()->Icon()->isVisible());
    EXPECT_EQ(form_->DetailWindow(), nullptr);
}

}  // namespace
}  // namespace lf::browser
