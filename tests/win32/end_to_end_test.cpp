// The shipped programs end to end, in a scratch folder named in Chinese: Tablepatch.exe, driven
// through its window, the file dialog and its message boxes, writes a new item table and an icon
// sheet into Lorefinder.exe; the browser then starts with the new table and shows its total.

#include <windows.h>
// windows.h first: these build on it.
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "catalogue/catalogue_format.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "common/win32/wide_text.h"
#include "patcher/patcher_presenter.h"
#include "patcher/win32/patcher_window.h"
#include "tests/support/test_folder.h"
#include "tests/win32/driven_program.h"

namespace lf {
namespace {

using testing::DrivenProgram;
using testing::TextOf;

constexpr int kNewRows = 3;
constexpr int kSheetReplaced = 2;
const std::wstring kBoxTitle = Wide(patcher::kPatcherTitle);

// The file name field of an open dialog: a combo box in the Explorer style, an edit box in the
// old one.
HWND FileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, cmb13);
    return field ? field : GetDlgItem(dialog, edt1);
}

// Presses the box's OK and waits until it is gone; its text.
std::wstring Acknowledge(HWND box) {
    const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));  // a message box's text
    testing::Press(GetDlgItem(box, IDOK));
    testing::Await<bool>([&]() -> std::optional<bool> {
        if (!IsWindow(box)) return true;
        return std::nullopt;
    });
    return text;
}

class EndToEndTest : public testing::FolderTest {
  protected:
    void SetUp() override {
        FolderTest::SetUp();
        scratch_ = folder_ / PathFromUtf8("游戏目录");
        std::filesystem::create_directory(scratch_);
    }

    // The first rows of the shipped table, and another sheet than the one it replaces.
    void WriteNewCatalogueFiles() {
        const std::string shipped(
            AsText(ReadWholeFile(LF_CATALOGUE_DIR "/item_table.txt").value()));
        const std::size_t rows = shipped.find("\r\n");  // after the count
        std::size_t end = rows;
        for (int row = 0; row < kNewRows; ++row) end = shipped.find("\r\n", end + 2);
        newTable_ = std::to_string(kNewRows);
        newTable_.append(shipped, rows, end + 2 - rows);
        ASSERT_TRUE(WriteFileAtomically(scratch_ / PathFromUtf8("新道具.txt"), AsBytes(newTable_)));
        newSheet_ = ReadWholeFile(LF_CATALOGUE_DIR "/icon_sheet_01.jpg").value();
        ASSERT_TRUE(WriteFileAtomically(scratch_ / "sheet.jpg", newSheet_));
    }

    // Clicks the button, chooses the file in the dialog that opens and acknowledges the outcome.
    std::wstring ImportThroughDialog(const DrivenProgram& patcher, HWND button,
                                     const std::filesystem::path& file) {
        testing::Press(button);
        const HWND dialog = patcher.AwaitWindow([](HWND window) {
            return testing::ClassOf(window) == L"#32770" && FileNameField(window);
        });
        if (!dialog) return L"no file dialog";
        SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
        testing::Press(GetDlgItem(dialog, IDOK));
        const HWND box = patcher.AwaitBox(kBoxTitle);
        return box ? Acknowledge(box) : L"no message";
    }

    void Patch() {
        DrivenProgram patcher(scratch_ / "Tablepatch.exe");
        ASSERT_TRUE(patcher.Started());
        const HWND form = patcher.AwaitWindow(
            [](HWND window) { return GetDlgItem(window, patcher::kReplaceButton) != nullptr; });
        ASSERT_TRUE(form) << "Tablepatch shows no window";
        const auto control = [&](int id) { return GetDlgItem(form, id); };
        EXPECT_TRUE(ImportThroughDialog(patcher, control(patcher::kReplaceButton),
                                        scratch_ / PathFromUtf8("新道具.txt"))
                        .starts_with(L"Import "));
        for (int click = 0; click < patcher::PatcherPresenter::kRevealCount; ++click) {
            testing::Press(control(patcher::kHelpButton));
            const HWND help = patcher.AwaitBox(kBoxTitle);
            ASSERT_TRUE(help) << "no help text";
            Acknowledge(help);
        }
        testing::Press(control(patcher::kFirstIconOption + kSheetReplaced));
        EXPECT_TRUE(ImportThroughDialog(patcher, control(patcher::kImportIconButton),
                                        scratch_ / "sheet.jpg")
                        .starts_with(L"Import "));
        PostMessageW(form, WM_CLOSE, 0, 0);
        EXPECT_EQ(patcher.AwaitEnd(), 0u);
    }

    void ExpectNewCatalogueInside() {
        const auto exe = ReadWholeFile(scratch_ / "Lorefinder.exe");
        ASSERT_TRUE(exe);
        const auto table = ReadResource(*exe, ResourceName(kCatalogueType), kItemTableId);
        ASSERT_TRUE(table) << table.error().message;
        EXPECT_EQ(AsText(*table), newTable_);
        const auto sheet =
            ReadResource(*exe, ResourceName(kCatalogueType), IconSheetId(kSheetReplaced));
        ASSERT_TRUE(sheet) << sheet.error().message;
        EXPECT_TRUE(std::ranges::equal(*sheet, newSheet_));
    }

    void ExpectBrowserShowsNewTotal() {
        DrivenProgram browser(scratch_ / "Lorefinder.exe");
        ASSERT_TRUE(browser.Started());
        const HWND form =
            browser.AwaitWindow([](HWND window) { return TextOf(window) == L"Lorefinder"; });
        ASSERT_TRUE(form) << "the browser shows no window";
        const HWND total = testing::FindChild(form, [](HWND child) {
            const std::wstring text = TextOf(child);
            return text.starts_with(L"Total = ") || text.starts_with(L"总共 = ");
        });
        ASSERT_TRUE(total) << "no total among the browser's controls";
        EXPECT_TRUE(TextOf(total).ends_with(L" = " + std::to_wstring(kNewRows)));
        PostMessageW(form, WM_CLOSE, 0, 0);
        EXPECT_EQ(browser.AwaitEnd(), 0u);
    }

    void PatchAndBrowse(const std::filesystem::path& programs) {
        for (const char* program : {"Lorefinder.exe", "Tablepatch.exe"}) {
            std::filesystem::copy_file(programs / program, scratch_ / program);
        }
        WriteNewCatalogueFiles();
        Patch();
        ExpectNewCatalogueInside();
        ExpectBrowserShowsNewTotal();
    }

    std::filesystem::path scratch_;
    std::string newTable_;
    Bytes newSheet_;
};

TEST_F(EndToEndTest, TablepatchRewritesTheBrowserWhichThenShowsTheNewTable) {
    PatchAndBrowse(LF_BIN_DIR);
}

// The 32-bit programs run where 64-bit Wine also runs 32-bit programs.
TEST_F(EndToEndTest, The32BitProgramsToo) {
    const std::filesystem::path programs = LF_X86_BIN_DIR;
    if (!std::filesystem::exists(programs / "Tablepatch.exe")) {
        GTEST_SKIP() << "SKIPPED on this machine: the 32-bit programs end to end: they are not "
                        "built (make test builds them where this machine runs 32-bit programs)";
    }
    const DrivenProgram probe(programs / "lftool.exe", L"--version");
    if (!probe.Started() || probe.AwaitEnd() != 0u) {
        GTEST_SKIP() << "SKIPPED on this machine: the 32-bit programs end to end: Wine here "
                        "cannot run 32-bit programs";
    }
    PatchAndBrowse(programs);
}

}  // namespace
}  // namespace lf
