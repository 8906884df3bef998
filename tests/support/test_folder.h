#pragma once

// A fresh folder for each test case, in the temporary folder and named after this process and the
// case; removed after the case, whatever permission bits the case left on it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace lf::testing {

class FolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ =
            std::filesystem::temp_directory_path() / ("lf-" + std::to_string(::getpid()) + "-" +
                                                      test->test_suite_name() + "." + test->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path folder_;
};

}  // namespace lf::testing
