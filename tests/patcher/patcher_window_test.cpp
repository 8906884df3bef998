#include "patcher/patcher_window.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "browser/main_window.h"
#include "patcher/patcher_core.h"
#include "tests/support/executable_folder.h"
#include "tests/support/fake_desktop.h"

namespace lf::patcher {
namespace {

class PatcherWindowTest : public testing::ExecutableFolder {
protected:
    std::unique_ptr<Form1> Start() { return Form1::Start(desktop_, folder_.string()); }
    template <typename W = QPushButton>
    W* Child(Form1& form, const char* name) {
        auto* w = form.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(Form1& form, const char* name) { QTest::mouseClick(Child(form, name), Qt::LeftButton); }
    QString LastMessage() const { return desktop_.messages.empty() ? "" : desktop_.messages.back().text; }
    void RevealPanel(Form1& form) {
        for (int i = 0; i < Form1::kRevealCount; ++i) Click(form, "CMD_help");
    }

    lf::testing::FakeDesktop desktop_;
};

TEST_F(PatcherWindowTest, WithoutTheBrowserBesideItThePatcherDoesNotStart) {
    std::filesystem::remove(Exe());
    EXPECT_EQ(Start(), nullptr);
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0].title, "Lorefinder_ResProc");
    EXPECT_EQ(desktop_.messages[0].text, "Lorefinder.exe not found...please put me together...");

    desktop_.chinese = true;
    std::filesystem::create_directory(Exe());  // a folder of that name does not count
    EXPECT_EQ(Start(), nullptr);
    EXPECT_EQ(LastMessage(), "本文件夹找不到Lorefinder.exe....");
}

TEST_F(PatcherWindowTest, AReadOnlyBrowserIsNamedBeforeTheWindowOpens) {
    using std::filesystem::perms;
    std::filesystem::permissions(Exe(), perms::owner_read | perms::group_read | perms::others_read);
    auto form = Start();
    ASSERT_TRUE(form);
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0].title, "Lorefinder_ResProc");
    EXPECT_EQ(desktop_.messages[0].text.toStdString(), ReadOnlyNotice(folder_.string(), false));
}

TEST_F(PatcherWindowTest, CaptionsFollowTheSystemLanguage) {
    auto english = Start();
    ASSERT_TRUE(english);
    EXPECT_EQ(english->windowTitle(), "ResProc");
    EXPECT_EQ(Child(*english, "CMD_Replace")->text(), "Import");
    EXPECT_EQ(Child(*english, "CMD_Export")->text(), "Export");
    EXPECT_EQ(Child(*english, "CMD_help")->text(), "I");
    EXPECT_EQ(Child(*english, "CMD_ImportIcon")->text(), "Import");
    desktop_.chinese = true;
    auto chinese = Start();
    ASSERT_TRUE(chinese);
    EXPECT_EQ(chinese->windowTitle(), "Tablepatch");
    EXPECT_EQ(Child(*chinese, "CMD_Replace")->text(), "导入");
    EXPECT_EQ(Child(*chinese, "CMD_Export")->text(), "导出");
    EXPECT_EQ(Child(*chinese, "CMD_help")->text(), "注");
    EXPECT_EQ(Child(*chinese, "CMD_ImportIcon")->text(), "导入");
    EXPECT_EQ(Child<QRadioButton>(*chinese, "IconSel15")->text(), "Item Icon 16");
    EXPECT_TRUE(Child<QRadioButton>(*chinese, "IconSel0")->isChecked());
}

TEST_F(PatcherWindowTest, TheHelpGestureRevealsTheIconPanelForGood) {
    auto form = Start();
    ASSERT_TRUE(form);
    form->show();
    EXPECT_EQ(form->OuterHeightTwips(), 1545);
    EXPECT_GE(Child<QWidget>(*form, "IconSel0")->mapTo(form.get(), QPoint(0, 0)).y(), form->height())
        << "the panel's buttons are out of reach";
    for (int click = 1; click <= 5; ++click) {
        Click(*form, "CMD_help");
        EXPECT_EQ(LastMessage(),
                  "This tool is used to replace the item data file inside Lorefinder.exe, \r\n"
                  " if you dont know data file's format, \r\n"
                  " please put me and Lorefinder.exe together, \r\n"
                  "and press[Export]the export of raw data for reference.");
        EXPECT_EQ(form->OuterHeightTwips(), click < Form1::kRevealCount ? 1545 : 5550) << click;
    }
    EXPECT_GE(form->height(), 337) << "the whole panel shows";
}

TEST_F(PatcherWindowTest, ExportWritesTheTableByteForByteAndAsksBeforeOverwriting) {
    auto form = Start();
    ASSERT_TRUE(form);
    const auto target = folder_ / "item.txt";
    Click(*form, "CMD_Export");
    EXPECT_EQ(LastMessage(), "ok");
    EXPECT_EQ(AsText(*ReadWholeFile(target)), table_);

    WriteFile("item.txt", std::string(table_.size() * 2, 'x'));
    desktop_.yesNoAnswers = {false};
    const std::size_t before = desktop_.messages.size();
    Click(*form, "CMD_Export");
    ASSERT_EQ(desktop_.messages.size(), before + 1) << "No: nothing more is said";
    EXPECT_EQ(LastMessage(), "File (item.txt) is extist...do you want overwrite it");
    EXPECT_EQ(ReadWholeFile(target)->size(), table_.size() * 2);

    desktop_.yesNoAnswers = {true};
    Click(*form, "CMD_Export");
    EXPECT_EQ(LastMessage(), "ok");
    EXPECT_EQ(AsText(*ReadWholeFile(target)), table_) << "a longer old file keeps no tail";
}

TEST_F(PatcherWindowTest, ExportFailuresAreReportedAndEndOrKeepTheOldFile) {
    auto form = Start();
    ASSERT_TRUE(form);
    std::filesystem::create_directory(folder_ / "item.txt");
    Click(*form, "CMD_Export");
    EXPECT_TRUE(LastMessage().contains("item.txt was not written")) << LastMessage().toStdString();
    EXPECT_FALSE(form->HasEnded());

    ASSERT_TRUE(WriteFileAtomically(Exe(), *ReadWholeFile("/proc/self/exe")));  // no resources
    Click(*form, "CMD_Export");
    EXPECT_EQ(LastMessage(), QString("Resource #101 Found not found in %1 !")
                                 .arg(QString::fromStdString(Exe().string())));
    EXPECT_TRUE(form->HasEnded());
}

TEST_F(PatcherWindowTest, ImportingATableRewritesTheExecutableAndTheBrowserShowsIt) {
    auto form = Start();
    ASSERT_TRUE(form);
    desktop_.fileAnswers = {""};
    Click(*form, "CMD_Replace");
    EXPECT_TRUE(desktop_.messages.empty()) << "cancel changes nothing and says nothing";
    EXPECT_EQ(desktop_.dialogFilters.back(), "TXT (*.txt)");
    EXPECT_EQ(ExeBytes(), original_);

    const std::string table = testing::Table(
        {testing::Record(0, "0", "0"), testing::Record(1, "a"), testing::Record(2, "b")}, "3");
    const auto source = WriteFile("new table.txt", table);
    desktop_.fileAnswers = {QString::fromStdString(source.string())};
    Click(*form, "CMD_Replace");
    EXPECT_EQ(LastMessage(), "Import " + QString::fromStdString(source.string()) +
                                 " to Lorefinder.exe Finish...");
    EXPECT_EQ(AsText(Resource(101)), table);

    const Bytes exe = ExeBytes();
    auto browser = browser::Form1::Load(desktop_, [&](const ResourceName& t, const ResourceName& n) {
        return ReadResource(exe, t, n);
    });
    ASSERT_TRUE(browser);
    EXPECT_EQ((*browser)->Items().size(), 3u);
}

TEST_F(PatcherWindowTest, ExportThenImportLeavesTheExecutableIdentical) {
    auto form = Start();
    ASSERT_TRUE(form);
    Click(*form, "CMD_Export");
    desktop_.fileAnswers = {QString::fromStdString((folder_ / "item.txt").string())};
    Click(*form, "CMD_Replace");
    EXPECT_EQ(ExeBytes(), original_);
}

TEST_F(PatcherWindowTest, IconImportWritesTheChosenSheetOnly) {
    auto form = Start();
    ASSERT_TRUE(form);
    RevealPanel(*form);
    const Bytes sheet15 = Resource(1015);
    const auto jpeg = WriteFile("sheet.jpg", "not even a picture");
    Child<QRadioButton>(*form, "IconSel15")->click();
    EXPECT_EQ(form->IconIndex(), 15);
    desktop_.fileAnswers = {QString::fromStdString(jpeg.string())};
    Click(*form, "CMD_ImportIcon");
    EXPECT_EQ(desktop_.dialogFilters.back(), "JPG (*.jpg)");
    EXPECT_EQ(AsText(Resource(1016)), "not even a picture") << "bytes go in unexamined";
    EXPECT_EQ(Resource(1015), sheet15);

    Child<QRadioButton>(*form, "IconSel2")->click();
    const auto other = WriteFile("other.jpg", "third sheet");
    desktop_.fileAnswers = {QString::fromStdString(other.string()), QString::fromStdString(jpeg.string())};
    Click(*form, "CMD_ImportIcon");
    Click(*form, "CMD_ImportIcon");
    EXPECT_EQ(form->IconIndex(), 2) << "the choice stays for the next import";
    EXPECT_EQ(AsText(Resource(1003)), "not even a picture");
    EXPECT_EQ(LastMessage(), "Import " + QString::fromStdString(jpeg.string()) +
                                 " to Lorefinder.exe Finish...");
}

TEST_F(PatcherWindowTest, FailedImportsSayWhyAndNeverClaimSuccess) {
    auto form = Start();
    ASSERT_TRUE(form);
    const auto empty = WriteFile("empty.txt", "");
    desktop_.fileAnswers = {QString::fromStdString(empty.string()),
                            QString::fromStdString((folder_ / "typed-name.txt").string())};
    Click(*form, "CMD_Replace");
    EXPECT_TRUE(LastMessage().contains("empty")) << LastMessage().toStdString();
    Click(*form, "CMD_Replace");
    EXPECT_TRUE(LastMessage().contains("Cannot read")) << LastMessage().toStdString();
    EXPECT_EQ(ExeBytes(), original_);

    std::filesystem::remove(Exe());
    const auto source = WriteFile("new.txt", "1\r\n");
    desktop_.fileAnswers = {QString::fromStdString(source.string())};
    const std::size_t before = desktop_.messages.size();
    Click(*form, "CMD_Replace");
    ASSERT_EQ(desktop_.messages.size(), before + 1) << "no completion message after it";
    EXPECT_EQ(LastMessage(), QString::fromStdString(Exe().string()) + "not found !!");
}

}  // namespace
}  // namespace lf::patcher
