// Tablepatch's Win32 window, in-process: real controls driven by messages. The rules are tested on
// the presenter.

#include "patcher/win32/patcher_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/catalogue_format.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "tests/support/fake_system_port.h"
#include "tests/support/test_folder.h"

namespace lf::patcher {
namespace {

class PatcherWindowTest : public testing::FolderTest {
  protected:
    void SetUp() override {
        FolderTest::SetUp();
        patcherFolder_ = folder_ / PathFromUtf8("补丁");  // whatever the ANSI code page
        std::filesystem::create_directory(patcherFolder_);
        // A real 64-bit program for the patcher to rewrite: this test's own.
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::filesystem::copy_file(self, patcherFolder_ / "Lorefinder.exe");
    }
    static std::wstring Caption(HWND window) {
        std::wstring text(GetWindowTextLengthW(window), L'\0');
        GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
        return text;
    }
    static void Click(HWND window, int control) {
        SendMessageW(GetDlgItem(window, control), BM_CLICK, 0, 0);
    }
    static RECT Place(HWND window, int control) {  // in the window's client area
        RECT place;
        GetWindowRect(GetDlgItem(window, control), &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
    static RECT ClientArea(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        return client;
    }
    std::filesystem::path patcherFolder_;
    lf::testing::FakeSystemPort system_;
};

TEST_F(PatcherWindowTest, CaptionsFollowTheLanguage) {
    for (bool chinese : {false, true}) {
        system_.chinese = chinese;
        Form1 form(system_, Utf8OfPath(patcherFolder_));
        ASSERT_TRUE(form.Start());
        EXPECT_EQ(Caption(form.Handle()), chinese ? L"Tablepatch" : L"ResProc");
        EXPECT_EQ(Caption(GetDlgItem(form.Handle(), kReplaceButton)),
                  chinese ? L"导入" : L"Import");
        EXPECT_EQ(Caption(GetDlgItem(form.Handle(), kExportButton)), chinese ? L"导出" : L"Export");
        EXPECT_EQ(Caption(GetDlgItem(form.Handle(), kHelpButton)), chinese ? L"注" : L"I");
        EXPECT_EQ(Caption(GetDlgItem(form.Handle(), kFirstIconOption + 15)), L"Item Icon 16");
    }
}

TEST_F(PatcherWindowTest, TheHelpGestureShowsThePanelWhoseImportRewritesA64BitProgram) {
    Form1 form(system_, Utf8OfPath(patcherFolder_));
    ASSERT_TRUE(form.Start());
    const HWND window = form.Handle();
    ShowWindow(window, SW_SHOW);
    EXPECT_GE(Place(window, kFirstIconOption).top, ClientArea(window).bottom)
        << "the panel's buttons are out of reach";
    EXPECT_LE(Place(window, kExportButton).bottom, ClientArea(window).bottom);
    for (int click = 0; click < PatcherPresenter::kRevealCount; ++click) {
        Click(window, kHelpButton);
    }
    EXPECT_EQ(system_.messages.size(), 3u) << "the help text at every click";
    EXPECT_GE(ClientArea(window).bottom, Place(window, kImportIconButton).bottom)
        << "the whole panel shows";
    Click(window, kFirstIconOption + 2);
    EXPECT_EQ(form.Presenter().IconIndex(), 2);
    EXPECT_EQ(SendMessageW(GetDlgItem(window, kFirstIconOption), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    const std::filesystem::path sheet = patcherFolder_ / "sheet.jpg";
    std::ofstream(sheet) << "a sheet, unexamined";
    system_.fileAnswers = {sheet};
    Click(window, kImportIconButton);
    Click(window, kReplaceButton);  // cancelled
    ASSERT_EQ(system_.dialogs.size(), 2u);
    EXPECT_EQ(system_.dialogs[0].pattern, "*.jpg");
    EXPECT_EQ(system_.dialogs[1].pattern, "*.txt");
    EXPECT_EQ(system_.messages.back().text,
              "Import " + Utf8OfPath(sheet) + " to Lorefinder.exe Finish...");
    const auto exe = ReadWholeFile(patcherFolder_ / "Lorefinder.exe");
    ASSERT_TRUE(exe);
    const auto written = ReadResource(*exe, ResourceName(kCatalogueType), IconSheetId(2));
    ASSERT_TRUE(written) << written.error().message;
    EXPECT_EQ(AsText(*written), "a sheet, unexamined");
}

}  // namespace
}  // namespace lf::patcher
