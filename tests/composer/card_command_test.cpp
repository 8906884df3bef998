// lftool card, run as scripts run it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/gbk.h"
#include "tests/support/child_process.h"
#include "tests/support/record_text.h"
#include "tests/support/test_folder.h"

namespace lf {
namespace {

namespace fs = std::filesystem;

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};

class CardCommand : public testing::FolderTest {
  protected:
    // Writes the table as GBK, as the item table is stored.
    fs::path WriteTable(const std::string& utf8Text) {
        const fs::path path = folder_ / "item.txt";
        std::ofstream(path, std::ios::binary) << EncodeGbk(utf8Text);
        return path;
    }

    CommandResult Card(const std::string& arguments) {
        const fs::path err = folder_ / "err";
        const testing::ChildRun run =
            testing::RunShell(LF_BIN_DIR "/lftool card " + arguments + " 2>" + err.string());
        return {run.status, run.output, Read(err)};
    }

  private:
    static std::string Read(const fs::path& path) {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }
};

std::string Record(const std::string& name, const std::string& kind,
                   const std::string& description) {
    using namespace record_field;
    return testing::RecordText()
        .Set(kName, name)
        .Set(kKind, kind)
        .Set(kDescription, description)
        .Text();
}

TEST_F(CardCommand, PrintsOneJsonObjectPerRow) {
    const fs::path table = WriteTable("3\r\n" + Record("Tonic \"x\"\\", "0", "Heals\tall") +
                                      "\r\n" + Record("草药", "3", "#G#绿色的叶子") + "\r\n" +
                                      Record("Old boots", "3", "Worn") + "\r\n");
    const CommandResult all = Card(table.string());
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out,
              "{\"row\": 0, \"title\": \"Tonic \\\"x\\\"\\\\\", \"blocks\": ["
              "{\"text\": \"Heals\\tall\", \"rgb\": \"#282828\"}, "
              "{\"text\": \"购买价格 - 0s\\r\\n出售价格 - 0s\\r\\n\", \"rgb\": \"#646464\"}]}\n"
              "{\"row\": 1, \"title\": \"草药\", \"blocks\": ["
              "{\"text\": \"绿色的叶子\", \"rgb\": \"#00dc00\"}]}\n"
              "{\"row\": 2, \"title\": \"Old boots\", \"blocks\": ["
              "{\"text\": \"Worn\", \"rgb\": \"#282828\"}]}\n");

    const CommandResult english = Card("--lang en " + table.string() + " 0 0");
    EXPECT_EQ(english.status, 0);
    EXPECT_NE(english.out.find("Purchase price - 0s\\r\\nSale price - 0s\\r\\n"),
              std::string::npos);
    EXPECT_EQ(english.out.find("\"row\": 1"), std::string::npos);

    const CommandResult fromOne = Card(table.string() + " 1");
    EXPECT_EQ(fromOne.out.substr(0, 10), "{\"row\": 1,");
    EXPECT_NE(fromOne.out.find("\"row\": 2"), std::string::npos);
}

TEST_F(CardCommand, LoadErrorsAndBadArgumentsExitWithTwo) {
    const fs::path table = WriteTable("x\r\n" + Record("A", "0", "") + "\r\n");
    const CommandResult broken = Card(table.string());
    EXPECT_EQ(broken.status, 2);
    EXPECT_TRUE(broken.out.empty());
    EXPECT_NE(broken.err.find("type mismatch"), std::string::npos) << broken.err;

    const CommandResult missing = Card((table.parent_path() / "absent.txt").string());
    EXPECT_EQ(missing.status, 2);
    EXPECT_FALSE(missing.err.empty());

    WriteTable("1\r\n" + Record("A", "0", "") + "\r\n");
    for (const std::string& arguments :
         {std::string(), "--lang fr " + table.string(), table.string() + " one",
          table.string() + " 0 0 0", table.string() + " -1", table.string() + " 0 1"}) {
        const CommandResult run = Card(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_FALSE(run.err.empty()) << arguments;
    }
}

}  // namespace
}  // namespace lf
