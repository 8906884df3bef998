// lftool as a command-line citizen: help and version, exit statuses, where its words go.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/test_catalogue.h"

namespace lf {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

class LftoolCli : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("lf_cli_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string File(const std::string& name, const std::string& bytes = {}) {
        const fs::path path = folder_ / name;
        if (!bytes.empty()) std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    static std::string Read(const fs::path& path) {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }

    ToolRun Lftool(const std::string& arguments) {
        const fs::path out = folder_ / "stdout", err = folder_ / "stderr";
        const std::string command =
            LF_BIN_DIR "/lftool " + arguments + " >" + out.string() + " 2>" + err.string();
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(out), Read(err)};
    }

    fs::path folder_;
};

TEST_F(LftoolCli, HelpAndVersionGoToStandardOutputAndMisuseToStandardError) {
    for (const char* asked : {"--help", "-h", "check --help", "table from-csv --help"}) {
        const ToolRun help = Lftool(asked);
        EXPECT_EQ(help.status, 0) << asked;
        EXPECT_NE(help.out.find("Usage: lftool"), std::string::npos) << asked;
        EXPECT_TRUE(help.err.empty()) << asked;
    }
    EXPECT_NE(Lftool("--help").out.find("\n  2  misuse"), std::string::npos) << "exit statuses";
    const ToolRun version = Lftool("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "lftool " LF_VERSION "\n");

    for (const char* misuse : {"", "frobnicate", "check", "diff one", "table", "check --jsn x"}) {
        const ToolRun run = Lftool(misuse);
        EXPECT_EQ(run.status, 2) << misuse;
        EXPECT_TRUE(run.out.empty()) << misuse;
        EXPECT_FALSE(run.err.empty()) << misuse;
    }
}

TEST_F(LftoolCli, ExitStatusesTellLoadsFromRefusedFromUnreadable) {
    const std::string good = File("good.txt", testing::Table({testing::Record(0, "A")}, "1"));
    const std::string bad = File("bad.txt", testing::Table({testing::Record(0, "A")}, "x"));
    const std::string changed =
        File("changed.txt", testing::Table({testing::Record(0, "A", "6")}, "1"));
    const std::string missing = File("missing.txt");

    const ToolRun loads = Lftool("check " + good);
    EXPECT_EQ(loads.status, 0);
    EXPECT_EQ(loads.out, good + ": 1 row, 0 errors, 0 warnings; the browser loads it\n");
    const ToolRun refused = Lftool("check --json " + bad);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.starts_with("{\"type\": \"error\", \"file\": \"" + bad +
                                        "\", \"line\": 1, \"column\": 1, \"field\": null, "
                                        "\"kind\": \"type mismatch\", "))
        << refused.out;
    EXPECT_EQ(Lftool("check " + missing).status, 2);

    const std::string csv = File("table.csv"), back = File("back.txt");
    EXPECT_EQ(Lftool("table to-csv " + good + " " + csv).status, 0);
    EXPECT_EQ(Lftool("table from-csv " + csv + " " + back).status, 0);
    EXPECT_EQ(Read(back), Read(good));
    EXPECT_EQ(Lftool("table to-csv " + bad + " " + File("bad.csv")).status, 1);
    EXPECT_FALSE(fs::exists(folder_ / "bad.csv"));

    EXPECT_EQ(Lftool("diff " + good + " " + back).status, 0);
    const ToolRun differ = Lftool("diff " + good + " " + changed);
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(differ.out, "changed row 0: 0 A\n    icon: 5 -> 6\n1 changed, 0 added, 0 removed\n");
    EXPECT_EQ(Lftool("diff " + good + " " + bad).status, 2);
}

TEST_F(LftoolCli, FindTellsFoundFromNothingFromMisuse) {
    const std::string table =
        File("find.txt",
             testing::Table({testing::Record(0, "0"), testing::Record(1, "Oak Shield")}, "2"));
    const ToolRun found = Lftool("find " + table + " --name Oak --json");
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(
        found.out,
        "{\"row\": 1, \"name\": \"Oak Shield\", \"level_requirement\": 0, \"slot\": \"Head\", "
        "\"class\": \"Not Include\"}\n");
    EXPECT_EQ(Lftool("find " + table + " --name Pine").status, 1);
    const ToolRun unknown = Lftool("find " + table + " --slot Helm");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("Head, Top, Bottom"), std::string::npos) << unknown.err;
    EXPECT_EQ(Lftool("find " + table + " --sort defense").status, 2);

    // The browser's own executable is a source as good as a table file.
    const ToolRun shipped = Lftool(std::string("find ") + LF_BIN_DIR +
                                   "/Lorefinder.exe --slot Head --class Knight --level ..30 "
                                   "--sort defence --desc --limit 3");
    EXPECT_EQ(shipped.status, 0) << shipped.err;
    EXPECT_TRUE(shipped.out.starts_with("row")) << shipped.out;
}

}  // namespace
}  // namespace lf
