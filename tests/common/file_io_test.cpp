#include "common/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/executable_file.h"
#include "common/executable_resources.h"
#include "tests/support/tiny_executables.h"

namespace lf {
namespace {

class FileIoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("lf-io-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir_);
    }
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_),
                                                      std::filesystem::directory_iterator()));
    }
    std::filesystem::path dir_;
};

TEST_F(FileIoTest, ReplacesWholeFileAndKeepsPermissionBits) {
    const auto path = dir_ / "Lorefinder.exe";
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(1000, 'a')));
    ::chmod(path.c_str(), 0751);
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(3, 'b')));
    EXPECT_EQ(*ReadWholeFile(path), Bytes(3, 'b')) << "a shorter file leaves no old tail";
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0751u);
    EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left behind";
}

// Rewrites planned as ranges of the old file and new bytes write what the rewrite in memory
// gives: an ELF file that keeps a resource, and a Windows program with a checksum whose
// relocations move behind the grown tree.
TEST_F(FileIoTest, APlannedRewriteWritesWhatTheRewriteInMemoryGives) {
    const Resource kept{ResourceName(u"CUSTOM"), 102, 2052, Bytes(5000, 'K')};
    const Resource table{ResourceName(u"CUSTOM"), 101, 2052, Bytes(9000, 'T')};
    const Bytes elf = *WithResource(testing::TinyElf(), kept);
    const Bytes pe =
        testing::TinyPe({testing::TextSection(), testing::ResourceSection(0x2000, {kept}),
                         testing::RelocationSection(0x4000)},
                        1);
    const auto path = dir_ / "Lorefinder.exe";
    for (const Bytes& original : {elf, pe}) {
        ASSERT_TRUE(WriteFileAtomically(path, original));
        ASSERT_TRUE(ReplaceResource(path, {table.type, table.name, table.language, 0, table.data}));
        EXPECT_EQ(*ReadWholeFile(path), *WithResource(original, table));
    }
}

TEST_F(FileIoTest, FailuresLeaveTheOriginalUntouched) {
    const auto path = dir_ / "item.txt";
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(5, 'x')));
    if (::geteuid() != 0) {  // root writes into read-only folders regardless
        std::filesystem::permissions(
            dir_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        auto denied = WriteFileAtomically(path, Bytes(1, 'y'));
        EXPECT_FALSE(denied);
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    }
    std::filesystem::create_directory(dir_ / "folder");
    auto onFolder = WriteFileAtomically(dir_ / "folder", Bytes(1, 'y'));
    ASSERT_FALSE(onFolder);
    EXPECT_NE(onFolder.error().message.find("folder"), std::string::npos);

    std::filesystem::create_symlink(dir_ / "nowhere", dir_ / "dangling");
    EXPECT_FALSE(WriteFileAtomically(dir_ / "dangling", Bytes(1, 'y')));
    EXPECT_FALSE(WriteFileAtomically(dir_ / "no-such-folder" / "f", Bytes(1, 'y')));
    EXPECT_EQ(*ReadWholeFile(path), Bytes(5, 'x'));
    EXPECT_EQ(FilesInDir(), 3u);
}

TEST_F(FileIoTest, WritesThroughALinkToTheRealFile) {
    const auto real = dir_ / "real";
    ASSERT_TRUE(WriteFileAtomically(real, Bytes(2, 'r')));
    std::filesystem::create_symlink(real, dir_ / "link");
    ASSERT_TRUE(WriteFileAtomically(dir_ / "link", Bytes(4, 'n')));
    EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link"));
    EXPECT_EQ(*ReadWholeFile(real), Bytes(4, 'n'));
}

TEST_F(FileIoTest, ReadingMissingFilesAndFoldersFails) {
    EXPECT_EQ(ReadWholeFile(dir_ / "missing").error().kind, Error::Kind::Io);
    EXPECT_FALSE(ReadWholeFile(dir_));
    EXPECT_FALSE(MappedFile::Open(dir_ / "missing"));
}

}  // namespace
}  // namespace lf
