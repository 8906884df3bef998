#pragma once

// A folder holding a small Lorefinder.exe: a real executable (this test program) with an item
// table and sixteen icon sheets written into it, as the build does for the real one.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "catalogue/catalogue_format.h"
#include "common/elf_file.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "tests/support/test_catalogue.h"
#include "tests/support/test_folder.h"

namespace lf::testing {

class ExecutableFolder : public FolderTest {
  protected:
    void SetUp() override {
        FolderTest::SetUp();
        auto self = ReadWholeFile("/proc/self/exe");
        ASSERT_TRUE(self);
        table_ = Table({Record(0, "0", "0"), Record(1, "铁剑.G", "300")}, "2");
        std::vector<lf::Resource> catalogue = {
            Catalogue(kItemTableId, Bytes(table_.begin(), table_.end()))};
        for (int sheet = 0; sheet < kIconSheetCount; ++sheet) {
            catalogue.push_back(Catalogue(IconSheetId(sheet), SheetJpeg(7 * sheet)));
        }
        // Written in one go, as a program of some megabytes is copied at every step.
        auto exe =
            WithElfSection(*self, kResourceSectionName, BuildResourceTree(std::move(catalogue), 0));
        ASSERT_TRUE(exe) << exe.error().message;
        ASSERT_TRUE(WriteFileAtomically(Exe(), *exe));
        original_ = std::move(*exe);
    }
    static lf::Resource Catalogue(std::uint16_t id, Bytes data) {
        return {ResourceName(kCatalogueType), id, kCatalogueLanguage, std::move(data)};
    }
    std::filesystem::path Exe() const { return folder_ / "Lorefinder.exe"; }
    std::filesystem::path WriteFile(const std::string& name, const std::string& text) {
        EXPECT_TRUE(WriteFileAtomically(folder_ / name, AsBytes(text)));
        return folder_ / name;
    }
    Bytes ExeBytes() const { return *ReadWholeFile(Exe()); }
    Bytes Resource(std::uint16_t id) const {
        const Bytes exe = ExeBytes();
        auto data = ReadResource(exe, ResourceName(kCatalogueType), id);
        return data ? Bytes(data->begin(), data->end()) : Bytes{};
    }

    std::string table_;
    Bytes original_;
};

}  // namespace lf::testing
