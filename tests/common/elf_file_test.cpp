#include "common/elf_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/byte_order.h"
#include "common/file_io.h"

namespace lf {
namespace {

class ElfFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto self = ReadWholeFile("/proc/self/exe");
        ASSERT_TRUE(self);
        self_ = std::move(*self);
        dir_ = std::filesystem::temp_directory_path() / ("lf-elf-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path WriteExecutable(const Bytes& image) {
        const auto path = dir_ / "copy";
        EXPECT_TRUE(WriteFileAtomically(path, image));
        ::chmod(path.c_str(), 0755);
        return path;
    }

    Bytes self_;
    std::filesystem::path dir_;
};

TEST_F(ElfFileTest, AddsAResourceSectionThatToolsSeeAndTheProgramStillRuns) {
    const Bytes content(10000, 0xAB);
    auto image = WithElfSection(self_, ".rsrc", content);
    ASSERT_TRUE(image) << image.error().message;
    auto found = FindElfSection(*image, ".rsrc");
    ASSERT_TRUE(found);
    EXPECT_TRUE(std::ranges::equal(*found, content));

    const auto path = WriteExecutable(*image);
    const auto dump = dir_ / "dump";
    const std::string objcopy = "objcopy --dump-section .rsrc=" + dump.string() + " " +
                                path.string() + " " + (dir_ / "scratch").string();
    ASSERT_EQ(std::system(objcopy.c_str()), 0);
    auto dumped = ReadWholeFile(dump);
    ASSERT_TRUE(dumped);
    EXPECT_EQ(*dumped, content);
    EXPECT_EQ(std::system((path.string() + " --gtest_filter=NoSuchTest >/dev/null").c_str()), 0);
}

TEST_F(ElfFileTest, ReplacingIsRepeatableAndFollowsTheNewSize) {
    auto first = WithElfSection(self_, ".rsrc", Bytes(5000, 1));
    ASSERT_TRUE(first);
    auto again = WithElfSection(*first, ".rsrc", Bytes(5000, 1));
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *first) << "the same content gives the same file";
    auto smaller = WithElfSection(*first, ".rsrc", Bytes(10, 2));
    ASSERT_TRUE(smaller);
    EXPECT_LT(smaller->size(), first->size());
    auto larger = WithElfSection(*smaller, ".rsrc", Bytes(70000, 3));
    ASSERT_TRUE(larger);
    auto found = FindElfSection(*larger, ".rsrc");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->size(), 70000u);
    EXPECT_TRUE(FindElfSection(*larger, ".text")) << "other sections survive";
    EXPECT_EQ(
        std::system(
            (WriteExecutable(*larger).string() + " --gtest_filter=NoSuchTest >/dev/null").c_str()),
        0);
}

TEST_F(ElfFileTest, DataAppendedAfterTheSectionsStaysAtTheEnd) {
    const std::string_view archive = "an archive appended to the program";
    Bytes image = self_;
    image.insert(image.end(), archive.begin(), archive.end());
    for (std::size_t size : {5000, 10, 70000}) {  // added, then replaced smaller and larger
        auto next = WithElfSection(image, ".rsrc", Bytes(size, 7));
        ASSERT_TRUE(next) << next.error().message;
        image = std::move(*next);
        EXPECT_EQ(FindElfSection(image, ".rsrc")->size(), size);
        EXPECT_TRUE(std::ranges::equal(ByteView(image).last(archive.size()), AsBytes(archive)));
    }
    EXPECT_EQ(*WithElfSection(image, ".rsrc", Bytes(70000, 7)), image) << "nothing piles up";
}

TEST_F(ElfFileTest, DamagedOrForeignFilesAreErrors) {
    EXPECT_EQ(FindElfSection(self_, ".rsrc").error().kind, Error::Kind::NotFound);
    EXPECT_FALSE(FindElfSection(Bytes{0x7f, 'E', 'L', 'F'}, ".rsrc"));
    EXPECT_EQ(FindElfSection(AsBytes("MZ not an elf"), ".rsrc").error().kind,
              Error::Kind::Unsupported);

    Bytes cut(self_.begin(), self_.begin() + 4096);
    EXPECT_FALSE(WithElfSection(cut, ".rsrc", Bytes(4, 0))) << "section table past the end";

    Bytes elf32 = self_;
    elf32[4] = 1;
    EXPECT_EQ(FindElfSection(elf32, ".text").error().kind, Error::Kind::Unsupported);

    Bytes hugeSection = self_;
    const auto table = ReadLe<std::uint64_t>(self_, 40);
    WriteLe<std::uint64_t>(hugeSection, table + 64 + 32, ~0ull);  // section 1's size
    EXPECT_FALSE(WithElfSection(hugeSection, ".rsrc", Bytes(4, 0)));
}

}  // namespace
}  // namespace lf
