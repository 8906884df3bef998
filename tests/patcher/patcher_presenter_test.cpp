#include "patcher/patcher_presenter.h"

#include "browser/browser_presenter.h"
#include "tests/support/executable_folder.h"
#include "tests/support/fake_browser_view.h"
#include "tests/support/fake_patcher_view.h"
#include "tests/support/fake_system_port.h"

namespace lf::patcher {
namespace {

class PatcherPresenterTest : public testing::ExecutableFolder {
  protected:
    std::unique_ptr<PatcherPresenter> Start() {
        auto patcher = std::make_unique<PatcherPresenter>(view_, system_, folder_.string());
        return patcher->Start() ? std::move(patcher) : nullptr;
    }
    std::string LastMessage() const {
        return system_.messages.empty() ? "" : system_.messages.back().text;
    }
    void RevealPanel(PatcherPresenter& patcher) {
        for (int i = 0; i < PatcherPresenter::kRevealCount; ++i) patcher.OnHelp();
    }

    lf::testing::FakePatcherView view_;
    lf::testing::FakeSystemPort system_;
};

TEST_F(PatcherPresenterTest, WithoutTheBrowserBesideItThePatcherDoesNotStart) {
    std::filesystem::remove(Exe());
    EXPECT_FALSE(Start());
    ASSERT_EQ(system_.messages.size(), 1u);
    EXPECT_EQ(system_.messages[0].title, "Lorefinder_ResProc");
    EXPECT_EQ(system_.messages[0].text, "Lorefinder.exe not found...please put me together...");

    system_.chinese = true;
    std::filesystem::create_directory(Exe());  // a folder of that name does not count
    EXPECT_FALSE(Start());
    EXPECT_EQ(LastMessage(), "本文件夹找不到Lorefinder.exe....");
}

TEST_F(PatcherPresenterTest, CaptionsFollowTheSystemLanguageAndDialogsOpenInTheFolder) {
    auto english = Start();
    ASSERT_TRUE(english);
    EXPECT_FALSE(view_.captions) << "the design-time captions are the English ones";
    english->OnReplace();
    ASSERT_EQ(system_.dialogs.size(), 1u);
    EXPECT_EQ(system_.dialogs[0].folder, folder_);
    EXPECT_EQ(system_.dialogs[0].description, "TXT");
    EXPECT_EQ(system_.dialogs[0].pattern, "*.txt");

    system_.chinese = true;
    auto chinese = Start();
    ASSERT_TRUE(chinese);
    ASSERT_TRUE(view_.captions);
    EXPECT_EQ(view_.captions->window, "Tablepatch");
    EXPECT_EQ(view_.captions->replaceButton, "导入");
    EXPECT_EQ(view_.captions->exportButton, "导出");
    EXPECT_EQ(view_.captions->helpButton, "注");
    EXPECT_EQ(view_.captions->importIconButton, "导入");
}

TEST_F(PatcherPresenterTest, TheHelpGestureRevealsTheIconPanelForGood) {
    auto form = Start();
    ASSERT_TRUE(form);
    EXPECT_EQ(view_.outerHeight, 103);  // 1545 twips
    for (int click = 1; click <= 5; ++click) {
        form->OnHelp();
        EXPECT_EQ(LastMessage(),
                  "This tool is used to replace the item data file inside Lorefinder.exe, \r\n"
                  " if you dont know data file's format, \r\n"
                  " please put me and Lorefinder.exe together, \r\n"
                  "and press[Export]the export of raw data for reference.");
        EXPECT_EQ(view_.outerHeight, click < PatcherPresenter::kRevealCount ? 103 : 370) << click;
    }
}

TEST_F(PatcherPresenterTest, ExportWritesTheTableByteForByteAndAsksBeforeOverwriting) {
    auto form = Start();
    ASSERT_TRUE(form);
    const auto target = folder_ / "item.txt";
    form->OnExport();
    EXPECT_EQ(LastMessage(), "ok");
    EXPECT_EQ(AsText(*ReadWholeFile(target)), table_);

    WriteFile("item.txt", std::string(table_.size() * 2, 'x'));
    system_.yesNoAnswers = {false};
    const std::size_t before = system_.messages.size();
    form->OnExport();
    ASSERT_EQ(system_.messages.size(), before + 1) << "No: nothing more is said";
    EXPECT_EQ(LastMessage(), "File (item.txt) is extist...do you want overwrite it");
    EXPECT_EQ(ReadWholeFile(target)->size(), table_.size() * 2);

    system_.yesNoAnswers = {true};
    form->OnExport();
    EXPECT_EQ(LastMessage(), "ok");
    EXPECT_EQ(AsText(*ReadWholeFile(target)), table_) << "a longer old file keeps no tail";
}

TEST_F(PatcherPresenterTest, ExportFailuresAreReportedAndEndOrKeepTheOldFile) {
    auto form = Start();
    ASSERT_TRUE(form);
    std::filesystem::create_directory(folder_ / "item.txt");
    form->OnExport();
    EXPECT_TRUE(LastMessage().starts_with("item.txt was not written")) << LastMessage();
    EXPECT_FALSE(form->HasEnded());

    ASSERT_TRUE(WriteFileAtomically(Exe(), *ReadWholeFile("/proc/self/exe")));  // no resources
    form->OnExport();
    EXPECT_EQ(LastMessage(), "Resource #101 Found not found in " + Exe().string() + " !");
    EXPECT_TRUE(form->HasEnded());
    EXPECT_TRUE(view_.ended);
}

TEST_F(PatcherPresenterTest, ImportingATableRewritesTheExecutableAndTheBrowserShowsIt) {
    auto form = Start();
    ASSERT_TRUE(form);
    system_.fileAnswers = {""};
    form->OnReplace();
    EXPECT_TRUE(system_.messages.empty()) << "cancel changes nothing and says nothing";
    EXPECT_EQ(ExeBytes(), original_);

    const std::string table = testing::Table(
        {testing::Record(0, "0", "0"), testing::Record(1, "a"), testing::Record(2, "b")}, "3");
    const auto source = WriteFile("new table.txt", table);
    system_.fileAnswers = {source};
    form->OnReplace();
    EXPECT_EQ(LastMessage(), "Import " + source.string() + " to Lorefinder.exe Finish...");
    EXPECT_EQ(AsText(Resource(101)), table);

    const Bytes exe = ExeBytes();
    lf::testing::FakeBrowserView view;
    BrowserPresenter browser(view, system_, [&](const ResourceName& t, const ResourceName& n) {
        return ReadResource(exe, t, n);
    });
    ASSERT_TRUE(browser.Start());
    EXPECT_EQ(browser.Items().size(), 3u);
}

TEST_F(PatcherPresenterTest, ATableTheBrowserWouldRefuseIsWrittenOnlyWhenTheUserSaysSo) {
    auto form = Start();
    ASSERT_TRUE(form);
    const auto broken =
        WriteFile("broken.txt", testing::Table({testing::Record(0, "0", "x")}, "1"));
    system_.fileAnswers = {broken};
    form->OnReplace();  // answered with the default button
    ASSERT_EQ(system_.messages.size(), 1u) << "the question, then nothing";
    EXPECT_EQ(system_.messages[0].text,
              "The browser would refuse this table: line 2, field 73: type mismatch.\r\n"
              "Write it into Lorefinder.exe anyway?");
    EXPECT_EQ(ExeBytes(), original_);

    system_.fileAnswers = {broken};
    system_.yesNoAnswers = {true};
    form->OnReplace();
    EXPECT_EQ(LastMessage(), "Import " + broken.string() + " to Lorefinder.exe Finish...");
}

TEST_F(PatcherPresenterTest, ExportThenImportLeavesTheExecutableIdentical) {
    auto form = Start();
    ASSERT_TRUE(form);
    form->OnExport();
    system_.fileAnswers = {folder_ / "item.txt"};
    form->OnReplace();
    EXPECT_EQ(ExeBytes(), original_);
}

TEST_F(PatcherPresenterTest, IconImportWritesTheChosenSheetOnly) {
    auto form = Start();
    ASSERT_TRUE(form);
    RevealPanel(*form);
    const Bytes sheet15 = Resource(1015);
    const auto jpeg = WriteFile("sheet.jpg", "not even a picture");
    form->OnIconChosen(15);
    EXPECT_EQ(form->IconIndex(), 15);
    system_.fileAnswers = {jpeg};
    form->OnImportIcon();
    EXPECT_EQ(system_.dialogs.back().pattern, "*.jpg");
    EXPECT_EQ(system_.dialogs.back().folder, folder_.string()) << "as the platform reports it";
    EXPECT_EQ(AsText(Resource(1016)), "not even a picture") << "bytes go in unexamined";
    EXPECT_EQ(Resource(1015), sheet15);

    form->OnIconChosen(2);
    const auto other = WriteFile("other.jpg", "third sheet");
    system_.fileAnswers = {other, jpeg};
    form->OnImportIcon();
    form->OnImportIcon();
    EXPECT_EQ(form->IconIndex(), 2) << "the choice stays for the next import";
    EXPECT_EQ(AsText(Resource(1003)), "not even a picture");
    EXPECT_EQ(LastMessage(), "Import " + jpeg.string() + " to Lorefinder.exe Finish...");
}

TEST_F(PatcherPresenterTest, FailedImportsSayWhyAndNeverClaimSuccess) {
    auto form = Start();
    ASSERT_TRUE(form);
    const auto empty = WriteFile("empty.txt", "");
    system_.fileAnswers = {empty, folder_ / "typed-name.txt"};
    form->OnReplace();
    EXPECT_TRUE(LastMessage().contains("empty")) << LastMessage();
    form->OnReplace();
    EXPECT_TRUE(LastMessage().contains("Cannot read")) << LastMessage();
    EXPECT_EQ(ExeBytes(), original_);

    std::filesystem::remove(Exe());
    const auto source = WriteFile("new.txt", "1\r\n");
    system_.fileAnswers = {source};
    const std::size_t before = system_.messages.size();
    form->OnReplace();
    ASSERT_EQ(system_.messages.size(), before + 1) << "no completion message after it";
    EXPECT_EQ(LastMessage(), Exe().string() + "not found !!");
}

}  // namespace
}  // namespace lf::patcher
