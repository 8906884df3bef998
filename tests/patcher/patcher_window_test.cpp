// The Qt window's wiring: real widgets, real clicks. The rules are tested on the presenter.

#include "patcher/qt/patcher_window.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include "tests/support/executable_folder.h"
#include "tests/support/fake_system_port.h"

namespace lf::patcher {
namespace {

class PatcherWindowTest : public testing::ExecutableFolder {
  protected:
    template <typename W = QPushButton>
    W* Child(Form1& form, const char* name) {
        auto* w = form.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    lf::testing::FakeSystemPort system_;
};

TEST_F(PatcherWindowTest, CaptionsShowAndFitInBothLanguages) {
    for (bool chinese : {false, true}) {
        system_.chinese = chinese;
        Form1 form(system_, folder_.string());
        ASSERT_TRUE(form.Start());
        EXPECT_EQ(form.windowTitle(), chinese ? "Tablepatch" : "ResProc");
        EXPECT_EQ(Child(form, "CMD_Export")->text(), chinese ? "导出" : "Export");
        EXPECT_EQ(Child<QRadioButton>(form, "IconSel15")->text(), "Item Icon 16");
        EXPECT_TRUE(Child<QRadioButton>(form, "IconSel0")->isChecked());
        // A radio button's caption sits beside its indicator; a push button's has a margin.
        for (QRadioButton* button : form.findChildren<QRadioButton*>()) {
            const int drawn = button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                              button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) +
                              button->fontMetrics().horizontalAdvance(button->text());
            EXPECT_LE(drawn, button->width()) << button->text().toStdString();
        }
        for (QPushButton* button : form.findChildren<QPushButton*>()) {
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width())
                << button->text().toStdString();
        }
    }
}

TEST_F(PatcherWindowTest, ClicksReachThePresenterAndTheGestureShowsThePanel) {
    Form1 form(system_, folder_.string());
    ASSERT_TRUE(form.Start());
    form.show();
    EXPECT_GE(Child<QWidget>(form, "IconSel0")->mapTo(&form, QPoint(0, 0)).y(), form.height())
        << "the panel's buttons are out of reach";
    for (int click = 0; click < PatcherPresenter::kRevealCount; ++click) {
        QTest::mouseClick(Child(form, "CMD_help"), Qt::LeftButton);
    }
    EXPECT_GE(form.height(), 337) << "the whole panel shows";
    QTest::mouseClick(Child<QRadioButton>(form, "IconSel2"), Qt::LeftButton);
    EXPECT_EQ(form.Presenter().IconIndex(), 2);
    QTest::mouseClick(Child(form, "CMD_ImportIcon"), Qt::LeftButton);
    QTest::mouseClick(Child(form, "CMD_Replace"), Qt::LeftButton);
    ASSERT_EQ(system_.dialogs.size(), 2u);
    EXPECT_EQ(system_.dialogs[0].pattern, "*.jpg");
    EXPECT_EQ(system_.dialogs[1].pattern, "*.txt");
}

}  // namespace
}  // namespace lf::patcher
