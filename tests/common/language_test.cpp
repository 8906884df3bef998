#include "common/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/test_folder.h"

namespace lf {
namespace {

class LanguageTest : public testing::FolderTest {
  protected:
    std::filesystem::path Write(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name) << text;
        return folder_ / name;
    }
    bool ChineseWith(const std::string& localeConf) {
        return isChinese({Write("locale.conf", localeConf), folder_ / "missing"});
    }
};

TEST_F(LanguageTest, OnlyChineseAsUsedInThePrcCounts) {
    EXPECT_TRUE(ChineseWith("LANG=zh_CN\n"));
    EXPECT_TRUE(ChineseWith("LANG=zh_CN.UTF-8\n"));
    EXPECT_TRUE(ChineseWith("LANG=\"zh_CN.GB18030\"\n"));
    EXPECT_TRUE(ChineseWith("# system locale\nexport LANG=zh_CN.UTF-8\n"));
    EXPECT_FALSE(ChineseWith("LANG=zh_TW.UTF-8\n"));
    EXPECT_FALSE(ChineseWith("LANG=zh_HK.UTF-8\n"));
    EXPECT_FALSE(ChineseWith("LANG=zh_SG.UTF-8\n"));
    EXPECT_FALSE(ChineseWith("LANG=en_US.UTF-8\n"));
    EXPECT_FALSE(ChineseWith("LANG=C\n"));
    EXPECT_FALSE(ChineseWith("LANGUAGE=zh_CN\nLC_ALL=zh_CN\n"));
}

TEST_F(LanguageTest, FallsBackToTheSecondFileAndDefaultsToEnglish) {
    const auto first = folder_ / "absent";
    const auto second = Write("locale", "LANG=zh_CN.UTF-8\n");
    EXPECT_TRUE(isChinese({first, second}));
    EXPECT_FALSE(isChinese({first, folder_ / "also-absent"}));
    // The first file that sets LANG decides, even when the other one is Chinese.
    EXPECT_FALSE(isChinese({Write("locale.conf", "LANG=en_GB.UTF-8\n"), second}));
}

}  // namespace
}  // namespace lf
