#pragma once

// A folder holding a small Lorefinder.exe: a real executable (this test program) with an item
// table and sixteen icon sheets written into it, as the build does for the real one.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/executable_resources.h"
#include "common/file_io.h"
#include "tests/support/test_catalogue.h"

namespace lf::testing {

class ExecutableFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("lf-exe-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        auto image = ReadWholeFile("/proc/self/exe");
        ASSERT_TRUE(image);
        table_ = Table({Record(0, "0", "0"), Record(1, "铁剑.G", "300")}, "2");
        Bytes exe = std::move(*image);
        exe = Add(exe, 101, Bytes(table_.begin(), table_.end()));
        for (int sheet = 0; sheet < 16; ++sheet) exe = Add(exe, 1001 + sheet, SheetJpeg(7 * sheet));
        ASSERT_TRUE(WriteFileAtomically(Exe(), exe));
        original_ = exe;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(folder_);
    }

    static Bytes Add(const Bytes& exe, std::uint16_t id, Bytes data) {
        auto next = WithResource(exe, {ResourceName(u"CUSTOM"), id, kCatalogueLanguage, std::move(data)});
        EXPECT_TRUE(next);
        return next ? *next : exe;
    }
    std::filesystem::path Exe() const { return folder_ / "Lorefinder.exe"; }
    std::filesystem::path WriteFile(const std::string& name, const std::string& text) {
        EXPECT_TRUE(WriteFileAtomically(folder_ / name, AsBytes(text)));
        return folder_ / name;
    }
    Bytes ExeBytes() const { return *ReadWholeFile(Exe()); }
    Bytes Resource(std::uint16_t id) const {
        const Bytes exe = ExeBytes();
        auto data = ReadResource(exe, ResourceName(u"CUSTOM"), id);
        return data ? Bytes(data->begin(), data->end()) : Bytes{};
    }

    std::filesystem::path folder_;
    std::string table_;
    Bytes original_;
};

}  // namespace lf::testing
