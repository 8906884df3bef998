// The Qt window's wiring: real widgets, real events. The rules themselves are tested on the
// presenter.

#include "browser/qt/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include "browser/qt/tray.h"
#include "composer/qt/stat_form.h"
#include "tests/support/fake_system_port.h"
#include "tests/support/test_catalogue.h"

namespace lf::browser {
namespace {

using testing::Record;

class MainWindowTest : public ::testing::Test {
  protected:
    void Start(std::size_t rows, bool chinese = false) {
        std::vector<std::string> records;
        for (std::size_t i = 0; i < rows; ++i) {
            records.push_back(Record(int(i), "item " + std::to_string(i), "5", 87,
                                     i == 1 ? "<b>bold</b><br>" : ""));
        }
        resources_.SetTable(testing::Table(records, std::to_string(rows)));
        resources_.AddSheets();
        system_.chinese = chinese;
        form_ = std::make_unique<Form1>(system_, resources_.Reader());
        ASSERT_TRUE(form_->Start());
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    template <typename W = QWidget>
    W* Child(const char* name) {
        auto* w = form_->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The highlighted row, the number field and the card must always tell the same row.
    void ExpectFieldsShow(std::optional<int> row) {
        auto* list = Child<QListView>("ItemList");
        const QModelIndexList selected = list->selectionModel()->selectedRows();
        ASSERT_EQ(selected.size(), row ? 1 : 0);
        if (!row) {
            EXPECT_TRUE(Child<QLineEdit>("Text_ItemNum")->text().isEmpty());
            return;
        }
        EXPECT_EQ(selected.first().row(), *row);
        EXPECT_EQ(list->currentIndex().row(), *row);
        EXPECT_EQ(Child<QLineEdit>("Text_ItemNum")->text(), QString::number(*row));
        ASSERT_NE(form_->DetailWindow(), nullptr);
        EXPECT_EQ(form_->DetailWindow()->TitleBlock()->text(), QString("item %1").arg(*row));
    }

    testing::FakeSystemPort system_;
    testing::FakeResources resources_;
    std::unique_ptr<Form1> form_;
};

TEST_F(MainWindowTest, ControlsSitAtTheirPlacesAndEveryCaptionFits) {
    for (bool chinese : {false, true}) {
        Start(21809, chinese);
        EXPECT_EQ(form_->minimumSize(), QSize(243, 416));
        EXPECT_EQ(form_->maximumSize(), QSize(243, 416));
        EXPECT_EQ(Child("ItemList")->geometry(), QRect(8, 32, 225, 304));
        EXPECT_EQ(Child("Picture2")->geometry(), QRect(200, 338, 32, 32));
        EXPECT_EQ(Child<QLineEdit>("Text_ItemNum")->maxLength(), 5);
        Child<QLineEdit>("Text_ItemNum")->setText("21808");
        for (const char* name : {"Label1", "Label2", "LabelTotal", "LabelLine"}) {
            auto* label = Child<QLabel>(name);
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << name << " " << label->text().toStdString();
        }
        auto* search = Child<QPushButton>("CMD_Sc");
        EXPECT_LE(search->fontMetrics().horizontalAdvance(search->text()) + 8, search->width())
            << search->text().toStdString();
    }
}

TEST_F(MainWindowTest, AClickOnThePartlyVisibleLastRowSelectsThatRow) {
    Start(200);
    auto* list = Child<QListView>("ItemList");
    QWidget* viewport = list->viewport();
    const QModelIndex last = list->indexAt(QPoint(5, viewport->height() - 2));
    ASSERT_TRUE(last.isValid());
    ASSERT_GT(list->visualRect(last).bottom(), viewport->height() - 1) << "not cut off: no test";
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 2));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 2));
    ExpectFieldsShow(last.row());

    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier,
                      list->visualRect(last).center());
    ExpectFieldsShow(last.row());
    QTest::keyClick(list, Qt::Key_Down);
    ExpectFieldsShow(last.row() + 1);
}

TEST_F(MainWindowTest, FocusingTheListSelectsAndComposesNothing) {
    Start(5);
    form_->activateWindow();
    Child("CMD_Sc")->setFocus();
    QTest::keyClick(Child("CMD_Sc"), Qt::Key_Tab);
    EXPECT_EQ(form_->focusWidget(), Child("ItemList"));
    QTest::mouseClick(Child("Picture2"), Qt::LeftButton);  // hands the focus to the list too
    EXPECT_EQ(form_->focusWidget(), Child("ItemList"));
    ExpectFieldsShow(std::nullopt);
    EXPECT_EQ(form_->Presenter().SelectionsHandled(), 0);

    QTest::keyClicks(Child("Text_ItemNum"), "3");
    ExpectFieldsShow(3);
}

TEST_F(MainWindowTest, TheNamesTooltipShowsTheDescriptionAsStored) {
    Start(3);
    Child<QLineEdit>("Text_ItemNum")->setText("1");
    QTextDocument shown;
    shown.setHtml(Child("Text_ItemName")->toolTip());
    EXPECT_EQ(shown.toPlainText(), "<b>bold</b><br>");
}

TEST_F(MainWindowTest, SearchClipboardTrayAndCloseReachThePresenter) {
    Start(4);
    QTest::keyClicks(Child("Text_Sc"), "item 2");
    QTest::keyClick(Child("Text_Sc"), Qt::Key_Return);
    ExpectFieldsShow(2);
    QTest::mouseClick(Child<QPushButton>("CMD_Sc"), Qt::LeftButton);
    ExpectFieldsShow(3);
    EXPECT_EQ(system_.beeps, 1);

    Child<QAction>("ClipBoard_copy")->trigger();
    EXPECT_EQ(system_.clipboard, "item 2");
    system_.clipboard = "item 1";
    Child<QAction>("ClipBoard_paste")->trigger();
    EXPECT_EQ(Child<QLineEdit>("Text_Sc")->text(), "item 1");

    QTest::mouseClick(Child("Picture2"), Qt::LeftButton);
    ASSERT_TRUE(form_->DetailWindow()->isVisible());
    Q_EMIT form_->Tray()->Icon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form_->isVisible(); }, 1000));
    EXPECT_FALSE(form_->DetailWindow()->isVisible());

    form_->close();
    EXPECT_FALSE(form_->Tray()->Icon()->isVisible());
    EXPECT_EQ(form_->DetailWindow(), nullptr);
}

TEST_F(MainWindowTest, TheDetailWindowDocksBesideTheMainWindow) {
    Start(1);
    form_->move(40, 50);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QRect frame = form_->frameGeometry();
            return form_->DetailWindow() &&
                   form_->DetailWindow()->pos() == QPoint(frame.right() + 6, frame.top() + 24);
        },
        2500));
}

}  // namespace
}  // namespace lf::browser
