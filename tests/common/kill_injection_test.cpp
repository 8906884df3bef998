// Rewrites of an executable killed at random moments: the file is always the whole old one or
// the whole new one, and a rewrite that finishes leaves no temporary file behind.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/executable_resources.h"
#include "common/file_io.h"
#include "tests/support/skipped_checks.h"
#include "tests/support/test_folder.h"

namespace lf {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Microseconds = std::chrono::microseconds;

// A small item table, so that most of a rewrite's time goes to reading and writing the file.
Resource SmallTable(int version) {
    const std::string text = "1\r\nsmall table " + std::to_string(version) + "|";
    return {ResourceName::Parse("CUSTOM"), 101, kLanguageChinesePrc,
            Bytes(text.begin(), text.end())};
}

bool Holds(ByteView file, const Resource& table) {
    auto data = ReadResource(file, table.type, table.name);
    return data && std::ranges::equal(*data, table.data);
}

// Starts `lftool import` to put the table file into the executable. Spawning costs the same
// however large this test process has grown, so the kill delays stay comparable.
pid_t StartRewrite(const fs::path& exe, const fs::path& table) {
    const std::string words[] = {"lftool", "import", exe.string(), "CUSTOM", "101", table.string()};
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int error =
        ::posix_spawn(&child, LF_BIN_DIR "/lftool", nullptr, nullptr, argv.data(), environ);
    EXPECT_EQ(error, 0) << "cannot start lftool: " << std::strerror(error);
    return error == 0 ? child : 0;
}

class KillInjection : public testing::FolderTest {
  protected:
    struct Tally {
        int old = 0;        // killed before the rename
        int killedNew = 0;  // killed after the rename
        int finished = 0;   // the rewrite ended before the kill
        int strays = 0;     // killed before the rename with a temporary file beside it
    };

    // What the folder of the rewritten file holds.
    std::vector<std::string> TargetNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_ / "target")) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    // Copies the program into a folder of its own and kills `trials` rewrites of it, each after
    // a delay between nothing and a quarter more than an uninterrupted rewrite takes. Each
    // rewrite puts in the table that the file does not hold.
    void KillRewrites(const fs::path& program, int trials, unsigned seed) {
        const fs::path path = folder_ / "target" / program.filename();
        fs::create_directory(path.parent_path());
        fs::copy_file(program, path);
        const std::vector<std::string> onlyTheFile{path.filename().string()};
        const Resource tables[] = {SmallTable(0), SmallTable(1)};
        const fs::path tableFiles[] = {folder_ / "table-0.txt", folder_ / "table-1.txt"};
        Microseconds rewriteTime{};
        for (int k : {0, 1}) {  // the first rewrite shrinks the shipped table
            ASSERT_TRUE(WriteFileAtomically(tableFiles[k], tables[k].data));
            const auto start = Clock::now();
            const pid_t child = StartRewrite(path, tableFiles[k]);
            ASSERT_GT(child, 0);
            int status = 0;
            ::waitpid(child, &status, 0);
            rewriteTime = std::chrono::duration_cast<Microseconds>(Clock::now() - start);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        // The expected result of rewriting each file seen; a rewrite depends only on its input.
        std::vector<std::pair<Bytes, Bytes>> rewrites;
        std::mt19937 random(seed);
        std::uniform_int_distribution<long> delay(0, rewriteTime.count() * 5 / 4);
        Tally tally;
        Bytes now = *ReadWholeFile(path);
        for (int trial = 0; trial < trials; ++trial) {
            SCOPED_TRACE("trial " + std::to_string(trial) + " of seed " + std::to_string(seed));
            const Bytes before = std::move(now);
            const int next = Holds(before, tables[0]) ? 1 : 0;
            auto known = std::ranges::find(rewrites, before, &std::pair<Bytes, Bytes>::first);
            if (known == rewrites.end()) {
                auto after = WithResource(before, tables[next]);
                ASSERT_TRUE(after) << after.error().message;
                known = rewrites.insert(rewrites.end(), {before, std::move(*after)});
            }
            const Bytes& after = known->second;

            const pid_t child = StartRewrite(path, tableFiles[next]);
            ASSERT_GT(child, 0) << "a kill must never reach beyond the child";
            std::this_thread::sleep_for(Microseconds(delay(random)));
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);

            now = *ReadWholeFile(path);
            const bool isOld = now == before;
            ASSERT_TRUE(isOld || now == after) << "the file is neither the old nor the new one";
            if (WIFEXITED(status)) {
                EXPECT_EQ(WEXITSTATUS(status), 0) << "the rewrite failed";
                EXPECT_FALSE(isOld);
                EXPECT_EQ(TargetNames(), onlyTheFile)
                    << "a finished rewrite leaves no temporary, its own or a killed one's";
                ++tally.finished;
                continue;
            }
            ++(isOld ? tally.old : tally.killedNew);
            if (isOld && TargetNames().size() > 1) ++tally.strays;
        }
        std::cout << program.filename().string() << ": rewrite " << rewriteTime.count() << " us; "
                  << trials << " trials: " << tally.old << " killed before the rename ("
                  << tally.strays << " of them while writing), " << tally.killedNew
                  << " killed after it, " << tally.finished << " finished\n";
        // A delay of nothing kills before the rename; the longest come after the rewrite ended.
        EXPECT_GT(tally.old, 0);
        EXPECT_GT(tally.killedNew + tally.finished, 0);
    }
};

TEST_F(KillInjection, TheShippedBrowserIsAlwaysWholeOldOrWholeNew) {
    KillRewrites(fs::path(LF_BIN_DIR) / "Lorefinder.exe", 60, 20240601);
}

TEST_F(KillInjection, AWindowsProgramIsAlwaysWholeOldOrWholeNew) {
    const std::string missing = LF_PE_TOOLS_MISSING;
    if (!missing.empty()) {
        if (testing::RunningInCi())
            FAIL() << "the Windows test tools must be installed: " << missing;
        GTEST_SKIP() << "no Windows test program: missing " << missing;
    }
    KillRewrites(fs::path(LF_PE_FIXTURE_DIR) / "rsrc_last.exe", 180, 20240602);
}

}  // namespace
}  // namespace lf
