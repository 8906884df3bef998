// Faults on lftool's writes (import into an executable, export to a file): each ends with exit
// status 2 and a message that names its cause; the file it aimed at keeps its bytes.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "tests/support/fault_folder.h"

namespace lf {
namespace {

namespace fs = std::filesystem;

enum class Command { Import, Export };
constexpr Command kCommands[] = {Command::Import, Command::Export};

class LftoolFaults : public testing::FaultFolder {
  protected:
    // lftool runs from a copy in the temporary folder, where an unprivileged child reaches it
    // whoever owns the build folder.
    static void SetUpTestSuite() {
        toolFolder_ = fs::temp_directory_path() / ("lf-lftool-" + std::to_string(::getpid()));
        fs::create_directories(toolFolder_);
        fs::copy_file(LF_BIN_DIR "/lftool", toolFolder_ / "lftool",
                      fs::copy_options::overwrite_existing);
    }
    static void TearDownTestSuite() { fs::remove_all(toolFolder_); }

    fs::path Target(Command command) const {
        return command == Command::Import ? Exe() : ItemTxt();
    }

    // Runs the command on a fresh folder after the fault, in a child under the limits; returns
    // its exit status and what it printed.
    std::string Strike(Command command, const std::function<void()>& fault,
                       const testing::ChildLimits& limits = {}) {
        SCOPED_TRACE(command == Command::Import ? "import" : "export");
        Reset();
        const std::vector<std::string> args =
            command == Command::Import
                ? std::vector<std::string>{"import", Exe(), "CUSTOM", "101", Table()}
                : std::vector<std::string>{"export", Exe(), "CUSTOM", "101", ItemTxt()};
        const auto run = [&] {
            const testing::ChildRun tool = testing::RunInChild(limits, [&] {
                std::vector<char*> argv{const_cast<char*>("lftool")};
                for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
                argv.push_back(nullptr);
                ::execv((toolFolder_ / "lftool").c_str(), argv.data());
                return "cannot run lftool: " + Reason(errno);
            });
            return std::to_string(tool.status) + " " + tool.output;
        };
        return FaultFolder::Strike(Target(command), fault, run);
    }

    static inline fs::path toolFolder_;
};

TEST_F(LftoolFaults, AFileSizeLimitFailsBothWrites) {
    for (Command command : kCommands) {
        EXPECT_EQ(
            Strike(command, [] {}, {.fileSizeLimit = 16, .unprivileged = false}),
            "2 lftool: cannot write " + Target(command).string() + ": " + Reason(EFBIG) + "\n");
    }
}

TEST_F(LftoolFaults, AReadOnlyTargetIsNotReplaced) {
    for (Command command : kCommands) {
        EXPECT_EQ(
            Strike(command, [&] { MakeReadOnly(Target(command)); }),
            "2 lftool: cannot replace " + Target(command).string() + ": the file is read-only\n");
    }
}

TEST_F(LftoolFaults, AReadOnlyFolderTakesNoNewFile) {
    if (!testing::CanRunUnprivileged()) {
        GTEST_SKIP() << "running as root and unable to become the user nobody: "
                        "a read-only folder stops no write of root's";
    }
    for (Command command : kCommands) {
        EXPECT_EQ(
            Strike(command, [&] { MakeFolderReadOnly(); },
                   {.fileSizeLimit = std::nullopt, .unprivileged = true}),
            "2 lftool: cannot create a file in " + folder_.string() + ": " + Reason(EACCES) + "\n");
    }
}

TEST_F(LftoolFaults, AFolderOrADanglingLinkInsteadOfAFile) {
    const std::string exe = Exe().string();
    const std::string out = ItemTxt().string();
    EXPECT_EQ(Strike(Command::Import, [&] { ReplaceByFolder(Exe()); }),
              "2 lftool: cannot read " + exe + ": " + Reason(EISDIR) + "\n");
    EXPECT_EQ(Strike(Command::Import, [&] { ReplaceByDanglingLink(Exe()); }),
              "2 lftool: cannot open " + exe + ": " + Reason(ENOENT) + "\n");
    EXPECT_EQ(Strike(Command::Export, [&] { ReplaceByFolder(ItemTxt()); }),
              "2 lftool: cannot replace " + out + ": " + Reason(EISDIR) + "\n");
    EXPECT_EQ(Strike(Command::Export, [&] { ReplaceByDanglingLink(ItemTxt()); }),
              "2 lftool: cannot follow the link " + out + ": " + Reason(ENOENT) + "\n");
}

TEST_F(LftoolFaults, TheFileToReadIsGoneOrNoFile) {
    EXPECT_EQ(Strike(Command::Import, [&] { fs::remove(Table()); }),
              "2 lftool: cannot open " + Table().string() + ": " + Reason(ENOENT) + "\n");
    const auto pipe = [&] {
        fs::remove(Table());
        ASSERT_EQ(::mkfifo(Table().c_str(), 0644), 0);
    };
    EXPECT_EQ(Strike(Command::Import, pipe),
              "2 lftool: cannot read " + Table().string() + ": not a regular file\n")
        << "a named pipe without a writer is refused, not waited for";
    EXPECT_EQ(Strike(Command::Export, [&] { fs::remove(Exe()); }),
              "2 lftool: cannot open " + Exe().string() + ": " + Reason(ENOENT) + "\n");
}

TEST_F(LftoolFaults, AFileTooLargeForAResourceIsRefusedUnread) {
    EXPECT_EQ(
        Strike(Command::Import, [&] { fs::resize_file(Table(), kLargestResources + 1); }),
        "2 lftool: " + Table().string() + " is too large: 1073741825 bytes, at most 1073741824\n");
}

}  // namespace
}  // namespace lf
