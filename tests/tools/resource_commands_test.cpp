#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/executable_folder.h"

namespace lf {
namespace {

struct ToolRun {
    int status;
    std::string out;
};

ToolRun Lftool(const std::string& args) {
    const std::string command = LF_BIN_DIR "/lftool " + args + " 2>&1";
    ToolRun run{0, ""};
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

using ResourceCommands = testing::ExecutableFolder;

TEST_F(ResourceCommands, ListPrintsTypeIdLanguageAndSize) {
    const ToolRun run = Lftool("list " + Exe().string());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(run.out.starts_with("CUSTOM #101 2052 " + std::to_string(table_.size()) + "\n"))
        << run.out;
    EXPECT_NE(run.out.find("CUSTOM #1016 2052 "), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 17);
}

TEST_F(ResourceCommands, ExportAndImportRoundTripUnderAnyLanguage) {
    const auto out = folder_ / "table.out";
    ASSERT_EQ(Lftool("export " + Exe().string() + " CUSTOM 101 " + out.string()).status, 0);
    EXPECT_EQ(AsText(*ReadWholeFile(out)), table_);
    ASSERT_EQ(Lftool("import " + Exe().string() + " custom '#101' " + out.string()).status, 0);
    EXPECT_EQ(ExeBytes(), original_) << "the same bytes under 2052 give the same file";

    const auto note = WriteFile("note.txt", "hello");
    ASSERT_EQ(Lftool("import " + Exe().string() + " NOTES readme " + note.string() + " --lang 1033")
                  .status,
              0);
    const ToolRun list = Lftool("list " + Exe().string());
    EXPECT_NE(list.out.find("NOTES README 1033 5\n"), std::string::npos) << list.out;
}

TEST_F(ResourceCommands, ErrorsExitWithTwoAndChangeNothing) {
    const std::string exe = Exe().string();
    for (const std::string& args : std::vector<std::string>{
             "list", "list " + (folder_ / "absent").string(), "export " + exe + " CUSTOM 999 x",
             "import " + exe + " CUSTOM 101 " + (folder_ / "absent").string(),
             "import " + exe + " CUSTOM 101 x --lang abc", "frobnicate"}) {
        const ToolRun run = Lftool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_FALSE(run.out.empty()) << args;
    }
    EXPECT_EQ(ExeBytes(), original_);
}

}  // namespace
}  // namespace lf
