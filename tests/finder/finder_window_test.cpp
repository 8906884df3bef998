// The Item Finder's wiring on Qt, from the real main window: real widgets, real keys and clicks.
// The finder's rules themselves are tested on its presenter.

#include "finder/qt/finder_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include "browser/qt/main_window.h"
#include "composer/qt/stat_form.h"
#include "tests/support/fake_system_port.h"
#include "tests/support/record_text.h"
#include "tests/support/test_catalogue.h"

namespace lf::finder {
namespace {

using namespace record_field;

std::string Headgear(int row, const std::string& name, const std::string& defence) {
    return lf::testing::RecordText()
        .Set(kNumber, std::to_string(row))
        .Set(kName, name)
        .Set(kIcon, "5")
        .Set(kKind, "11")
        .Set(kSlot, "0")
        .Set(kDefence, defence)
        .Set(kDescription, "desc")
        .Text();
}

class FinderWindowTest : public ::testing::Test {
  protected:
    void Start(bool chinese = false) {
        resources_.SetTable(
            lf::testing::Table({Headgear(0, "Cloth Cap", "5"), Headgear(1, "Iron Helm", "20"),
                                Headgear(2, "Steel Helm", "35"), Headgear(3, "Bronze Helm", "12"),
                                lf::testing::Record(4, "Short Sword")},
                               "5"));
        resources_.AddSheets();
        system_.chinese = chinese;
        form_ = std::make_unique<browser::Form1>(system_, resources_.Reader());
        ASSERT_TRUE(form_->Start());
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(WaitUntilActive(form_.get()));
    }
    // QTest's own wait also counts a window as active while its parent is.
    static bool WaitUntilActive(QWidget* window) {
        return QTest::qWaitFor([&] { return QApplication::activeWindow() == window; });
    }
    template <typename W = QWidget>
    W* Child(QWidget* parent, const char* name) {
        auto* w = parent->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QStringList Names(QTableView* results) {
        QStringList names;
        for (int row = 0; row < results->model()->rowCount(); ++row) {
            names.append(results->model()->index(row, 1).data().toString());
        }
        return names;
    }

    lf::testing::FakeSystemPort system_;
    lf::testing::FakeResources resources_;
    std::unique_ptr<browser::Form1> form_;
};

TEST_F(FinderWindowTest, CtrlFOpensTheFinderWhoseKeysPickAnItemInTheMainWindow) {
    Start();
    QTest::keyClick(form_.get(), Qt::Key_F, Qt::ControlModifier);
    FinderWindow* finder = form_->FinderWindow();
    ASSERT_NE(finder, nullptr);
    ASSERT_TRUE(WaitUntilActive(finder));
    EXPECT_EQ(finder->windowTitle(), "Item Finder");
    const QRect mainFrame = form_->frameGeometry();
    const ScreenPoint beside =
        FinderPosition({mainFrame.left(), mainFrame.top(), mainFrame.width(), mainFrame.height()},
                       finder->frameGeometry().width());
    EXPECT_EQ(finder->frameGeometry().topLeft(), QPoint(beside.x, beside.y));
    auto* name = Child<QLineEdit>(finder, "NameBox");
    EXPECT_EQ(QApplication::focusWidget(), name);

    auto* results = Child<QTableView>(finder, "Results");
    EXPECT_EQ(results->model()->rowCount(), 5);
    QTest::keyClicks(name, "Helm");
    EXPECT_EQ(Names(results), QStringList({"Iron Helm", "Steel Helm", "Bronze Helm"}));
    EXPECT_EQ(Child<QLabel>(finder, "Count")->text(), "3 items");

    auto* stat = Child<QComboBox>(finder, "StatChoice");
    stat->setCurrentIndex(stat->findText("Defense"));
    QHeaderView* header = results->horizontalHeader();
    const int statColumn = 5;
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(statColumn) + 5, header->height() / 2));
    EXPECT_EQ(Names(results), QStringList({"Steel Helm", "Iron Helm", "Bronze Helm"}));
    EXPECT_EQ(header->sortIndicatorSection(), statColumn);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(results->currentIndex().row(), 0);

    QTest::keyClick(name, Qt::Key_Down);
    EXPECT_EQ(results->currentIndex().row(), 1);
    EXPECT_EQ(results->selectionModel()->selectedRows().size(), 1);
    QTest::keyClick(name, Qt::Key_Return);
    // The main window shows Iron Helm, row 1, everywhere.
    auto* list = Child<QListView>(form_.get(), "ItemList");
    ASSERT_EQ(list->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(list->selectionModel()->selectedRows().first().row(), 1);
    EXPECT_EQ(Child<QLineEdit>(form_.get(), "Text_ItemNum")->text(), "1");
    ASSERT_NE(form_->DetailWindow(), nullptr);
    EXPECT_EQ(form_->DetailWindow()->TitleBlock()->text(), "Iron Helm");

    // A click makes a result current and takes the focus; the finder gives it back to the name
    // when it opens again.
    const QRect third = results->visualRect(results->model()->index(2, 1));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(results->currentIndex().row(), 2);
    EXPECT_EQ(finder->Presenter().Current(), 2u);
    EXPECT_NE(QApplication::focusWidget(), name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(finder->isVisible());
    form_->activateWindow();
    ASSERT_TRUE(WaitUntilActive(form_.get()));
    QTest::keyClick(form_.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(WaitUntilActive(finder));
    EXPECT_EQ(QApplication::focusWidget(), name);
    EXPECT_EQ(form_->findChildren<FinderWindow*>().size(), 1);
    EXPECT_EQ(name->text(), "Helm") << "the one finder keeps its query";
}

TEST_F(FinderWindowTest, TheSearchMenuOpensItAndEveryCaptionFitsInBothLanguages) {
    for (bool chinese : {false, true}) {
        Start(chinese);
        QStringList entries;
        for (QAction* action : Child<QMenu>(form_.get(), "ClipProc")->actions()) {
            if (!action->isSeparator()) entries.append(action->text());
        }
        EXPECT_EQ(entries, QStringList({"Copy", "Paste", chinese ? "查找..." : "Find..."}));
        Child<QAction>(form_.get(), "Menu_find")->trigger();
        FinderWindow* finder = form_->FinderWindow();
        ASSERT_NE(finder, nullptr);
        EXPECT_TRUE(finder->isVisible());
        EXPECT_EQ(finder->windowTitle(), chinese ? "道具查找" : "Item Finder");
        EXPECT_EQ(Child<QLabel>(finder, "Count")->text(), chinese ? "5 件道具" : "5 items");

        const QList<QLabel*> labels = finder->findChildren<QLabel*>();
        EXPECT_EQ(labels.size(), 8);
        for (QLabel* label : labels) {
            EXPECT_FALSE(label->text().isEmpty()) << label->objectName().toStdString();
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->text().toStdString();
        }
        auto* special = Child<QCheckBox>(finder, "SpecialOnly");
        const int drawn = special->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          special->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) +
                          special->fontMetrics().horizontalAdvance(special->text());
        EXPECT_LE(drawn, special->width()) << special->text().toStdString();
        for (QPushButton* button : finder->findChildren<QPushButton*>()) {
            EXPECT_FALSE(button->text().isEmpty());
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width())
                << button->text().toStdString();
        }
    }
}

}  // namespace
}  // namespace lf::finder
