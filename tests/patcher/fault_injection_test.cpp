// Faults on each of the patcher's writes (the export and both imports): every one is reported
// with a message that names its cause, the file the write aimed at keeps its bytes, and no
// temporary file stays behind.

#include <cerrno>

#include "patcher/patcher_presenter.h"
#include "tests/support/fake_patcher_view.h"
#include "tests/support/fake_system_port.h"
#include "tests/support/fault_folder.h"

namespace lf::patcher {
namespace {

namespace fs = std::filesystem;

// Answers like the fake desktop; with removeChosenFile the chosen file is gone by the time the
// patcher reads it.
class VanishingDesktop : public testing::FakeSystemPort {
  public:
    bool removeChosenFile = false;
    fs::path ChooseFileToOpen(const fs::path& folder, FileFilter filter) override {
        const fs::path chosen = FakeSystemPort::ChooseFileToOpen(folder, filter);
        if (removeChosenFile) fs::remove(chosen);
        return chosen;
    }
};

enum class Write { Export, ImportTable, ImportIcon };
constexpr Write kWrites[] = {Write::Export, Write::ImportTable, Write::ImportIcon};
constexpr Write kImports[] = {Write::ImportTable, Write::ImportIcon};

class PatcherFaults : public testing::FaultFolder {
  protected:
    fs::path Target(Write write) const { return write == Write::Export ? ItemTxt() : Exe(); }
    fs::path Source(Write write) const { return write == Write::ImportIcon ? Sheet() : Table(); }

    // What the write says when it fails for that cause.
    static std::string Failure(Write write, const std::string& cause) {
        return (write == Write::Export
                    ? "item.txt was not written; any old item.txt is unchanged:\n"
                    : "Lorefinder.exe could not be rewritten and is unchanged:\n") +
               cause;
    }

    // Starts the patcher on a fresh folder, lets the fault strike, makes the write (in a child
    // under the limits, if any) and returns the message the patcher ended with.
    std::string Strike(Write write, const std::function<void()>& fault,
                       const testing::ChildLimits& limits = {}) {
        SCOPED_TRACE(static_cast<int>(write));
        Reset();
        testing::FakePatcherView window;
        PatcherPresenter patcher(window, desktop_, folder_.string());
        EXPECT_TRUE(patcher.Start());
        patcher.OnIconChosen(4);
        desktop_.yesNoAnswers = {true};
        desktop_.fileAnswers = {Source(write)};
        const auto click = [&] {
            if (write == Write::Export) patcher.OnExport();
            if (write == Write::ImportTable) patcher.OnReplace();
            if (write == Write::ImportIcon) patcher.OnImportIcon();
            return desktop_.messages.back().text;
        };
        const auto clickUnderLimits = [&] {
            if (!limits.Any()) return click();
            const testing::ChildRun run = testing::RunInChild(limits, click);
            EXPECT_EQ(run.status, 0) << run.output;
            return run.output;
        };
        return FaultFolder::Strike(Target(write), fault, clickUnderLimits,
                                   desktop_.removeChosenFile ? Source(write) : fs::path());
    }

    VanishingDesktop desktop_;
};

TEST_F(PatcherFaults, AFileSizeLimitFailsEveryWrite) {
    for (Write write : kWrites) {
        EXPECT_EQ(Strike(write, [] {}, {.fileSizeLimit = 16, .unprivileged = false}),
                  Failure(write, "cannot write " + Target(write).string() + ": " + Reason(EFBIG)));
    }
}

TEST_F(PatcherFaults, AReadOnlyTargetIsNotReplaced) {
    for (Write write : kWrites) {
        EXPECT_EQ(
            Strike(write, [&] { MakeReadOnly(Target(write)); }),
            Failure(write, "cannot replace " + Target(write).string() + ": the file is read-only"));
    }
}

TEST_F(PatcherFaults, AReadOnlyFolderTakesNoNewFile) {
    if (!testing::CanRunUnprivileged()) {
        GTEST_SKIP() << "running as root and unable to become the user nobody: "
                        "a read-only folder stops no write of root's";
    }
    for (Write write : kWrites) {
        EXPECT_EQ(
            Strike(write, [&] { MakeFolderReadOnly(); },
                   {.fileSizeLimit = std::nullopt, .unprivileged = true}),
            Failure(write, "cannot create a file in " + folder_.string() + ": " + Reason(EACCES)));
    }
}

TEST_F(PatcherFaults, TheExecutableReplacedByAFolderOrADanglingLink) {
    const std::function<void()> replacements[] = {
        [&] { ReplaceByFolder(Exe()); },
        [&] { ReplaceByDanglingLink(Exe()); },
    };
    for (const auto& replace : replacements) {
        EXPECT_EQ(Strike(Write::Export, replace),
                  "Resource #101 Found not found in " + Exe().string() + " !");
        for (Write write : kImports) {
            EXPECT_EQ(Strike(write, replace), Exe().string() + "not found !!");
        }
    }
}

TEST_F(PatcherFaults, AFileTooLargeForAResourceOrForTheMemoryLeftIsRefused) {
    for (Write write : kImports) {
        EXPECT_EQ(Strike(write, [&] { fs::resize_file(Source(write), kLargestResources + 1); }),
                  "The file is too large; Lorefinder.exe is unchanged:\n" + Source(write).string() +
                      " is too large: 1073741825 bytes, at most 1073741824");
    }
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer ends the program on a failed allocation, so running short "
                    "of memory is checked in the plain build only";
#endif
    for (Write write : kImports) {  // small enough for a resource, not for the memory left
        EXPECT_EQ(
            Strike(write, [&] { fs::resize_file(Source(write), kLargestResources / 2); },
                   {.memoryHeadroom = kLargestResources / 8}),
            "The file is too large; Lorefinder.exe is unchanged:\nnot enough memory to read " +
                Source(write).string());
    }
}

TEST_F(PatcherFaults, TheChosenFileVanishesBeforeItIsRead) {
    desktop_.removeChosenFile = true;
    for (Write write : kImports) {
        EXPECT_EQ(Strike(write, [] {}),
                  "Cannot read the file; Lorefinder.exe is unchanged:\ncannot open " +
                      Source(write).string() + ": " + Reason(ENOENT));
    }
}

}  // namespace
}  // namespace lf::patcher
