// Files on Windows: the atomic rewrite through a temporary in the same folder, and the read bound.

#include "common/file_io.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/utf8_path.h"
#include "tests/support/test_folder.h"

namespace lf {
namespace {

class FileIoWin32Test : public testing::FolderTest {
  protected:
    void SetUp() override {
        FolderTest::SetUp();
        table_ = folder_ / PathFromUtf8("道具表") / "item.txt";  // whatever the ANSI code page
        std::filesystem::create_directory(table_.parent_path());
        ASSERT_TRUE(WriteFileAtomically(table_, AsBytes("old rows")));
    }
    std::string Contents() const { return std::string(AsText(ReadWholeFile(table_).value())); }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(table_.parent_path())) {
            names.push_back(entry.path().filename().native());
        }
        return names;
    }
    std::filesystem::path table_;
};

TEST_F(FileIoWin32Test, ARewriteInAChineseFolderReplacesTheFileAndLeavesNoTemporary) {
    ASSERT_TRUE(WriteFileAtomically(table_, AsBytes("new rows")));
    EXPECT_EQ(Contents(), "new rows");
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"item.txt"});
}

TEST_F(FileIoWin32Test, AReadOnlyFileIsRefusedAndStaysAsItWas) {
    SetFileAttributesW(table_.c_str(), FILE_ATTRIBUTE_READONLY);
    const auto written = WriteFileAtomically(table_, AsBytes("new rows"));
    EXPECT_FALSE(written);
    EXPECT_EQ(Contents(), "old rows");
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"item.txt"});
    SetFileAttributesW(table_.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go
}

TEST_F(FileIoWin32Test, ARewriteRemovesAbandonedTemporariesButNotOneStillBeingWritten) {
    const auto stray = table_.parent_path() / ".item.txt.tmp-abc123";
    const auto held = table_.parent_path() / ".item.txt.tmp-zzz999";
    std::ofstream(stray) << "left by a killed rewrite";
    const HANDLE writing = CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writing, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(WriteFileAtomically(table_, AsBytes("new rows")));
    CloseHandle(writing);
    EXPECT_FALSE(std::filesystem::exists(stray));
    EXPECT_TRUE(std::filesystem::exists(held));
    EXPECT_EQ(Contents(), "new rows");
}

TEST_F(FileIoWin32Test, AFileAboveTheBoundIsRefusedAsTooLarge) {
    const auto tooLarge = ReadWholeFile(table_, 7);  // "old rows" has 8 bytes
    ASSERT_FALSE(tooLarge);
    EXPECT_EQ(tooLarge.error().kind, Error::Kind::TooLarge);
    EXPECT_TRUE(ReadWholeFile(table_, 8));
}

}  // namespace
}  // namespace lf
