#include "patcher/patcher_core.h"

#include "patcher/patcher_presenter.h"
#include "tests/support/executable_folder.h"
#include "tests/support/fake_patcher_view.h"
#include "tests/support/fake_system_port.h"
#include "tests/support/fault_folder.h"

namespace lf::patcher {
namespace {

using Folder = testing::ExecutableFolder;

TEST(PatcherPaths, PrefixAndFolderAroundTheRoot) {
    EXPECT_EQ(MyPathCD("/opt/lorefinder"), "/opt/lorefinder");
    EXPECT_EQ(MyPathPrefix("/opt/lorefinder"), "/opt/lorefinder/");
    EXPECT_EQ(MyPathCD("/"), "");
    EXPECT_EQ(MyPathPrefix("/"), "/");
}

TEST_F(Folder, ReadsTheItemTableByItsTextName) {
    auto table = ReadResource(Exe(), "CUSTOM", "#101");
    ASSERT_TRUE(table);
    EXPECT_EQ(AsText(*table), table_);
    EXPECT_FALSE(ReadResource(Exe(), "CUSTOM", "#102"));
    EXPECT_FALSE(ReadResource(folder_ / "absent.exe", "CUSTOM", "#101"));
}

TEST_F(Folder, WritesOneResourceAndKeepsEveryOther) {
    const auto source = WriteFile("new.txt", "1\r\nnew table|");
    ASSERT_TRUE(WriteResource(Exe(), source, "CUSTOM", 101));
    EXPECT_EQ(AsText(Resource(101)), "1\r\nnew table|");
    auto before = ReadResources(original_);
    const Bytes after = ExeBytes();
    auto now = ReadResources(after);
    ASSERT_TRUE(before && now);
    ASSERT_EQ(before->size(), now->size());
    for (std::size_t i = 0; i < now->size(); ++i) {
        EXPECT_EQ((*now)[i].name, (*before)[i].name);
        EXPECT_EQ((*now)[i].language, 2052);
        if (!((*now)[i].name == ResourceName(101))) {
            EXPECT_TRUE(std::ranges::equal((*now)[i].data, (*before)[i].data));
        }
    }
}

TEST_F(Folder, ACopyInAnotherLanguageIsNeitherReadNorReplaced) {
    auto other = WithResource(original_, {ResourceName(u"CUSTOM"), 101, 1033, Bytes{'e', 'n'}});
    ASSERT_TRUE(other && WriteFileAtomically(Exe(), *other));
    EXPECT_EQ(AsText(*ReadResource(Exe(), "CUSTOM", "#101")), table_);
    ASSERT_TRUE(WriteResource(Exe(), WriteFile("new.txt", "1\r\nnew|"), "CUSTOM", 101));
    EXPECT_EQ(AsText(*ReadResource(Exe(), "CUSTOM", "#101")), "1\r\nnew|");
    EXPECT_EQ(ReadResources(ExeBytes())->size(), ReadResources(*other)->size());
}

TEST_F(Folder, WritingTheSameBytesBackGivesTheSameFile) {
    const auto source = WriteFile("item.txt", table_);
    ASSERT_TRUE(WriteResource(Exe(), source, "CUSTOM", 101));
    EXPECT_EQ(ExeBytes(), original_);
}

TEST_F(Folder, FailuresNameTheirCauseAndLeaveTheExecutableAlone) {
    const auto empty = WriteFile("empty.txt", "");
    EXPECT_EQ(WriteResource(Exe(), empty, "CUSTOM", 101).error().failure,
              WriteFailure::SourceEmpty);
    EXPECT_EQ(WriteResource(Exe(), folder_ / "vanished.txt", "CUSTOM", 101).error().failure,
              WriteFailure::SourceUnreadable);
    EXPECT_EQ(WriteResource(Exe(), folder_, "CUSTOM", 101).error().failure,
              WriteFailure::SourceUnreadable);
    EXPECT_EQ(ExeBytes(), original_);

    const auto source = WriteFile("new.txt", "x");
    EXPECT_EQ(WriteResource(folder_ / "Other.exe", source, "CUSTOM", 101).error().failure,
              WriteFailure::ExecutableMissing);
    const auto notExecutable = WriteFile("text.exe", "plain text");
    EXPECT_EQ(WriteResource(notExecutable, source, "CUSTOM", 101).error().failure,
              WriteFailure::RewriteFailed);
    EXPECT_EQ(*ReadWholeFile(notExecutable),
              Bytes({'p', 'l', 'a', 'i', 'n', ' ', 't', 'e', 'x', 't'}));
}

using ReadOnlyFolder = testing::FaultFolder;

// What the patcher says as it starts in the folder; empty when it says nothing.
std::string StartUpNotice(const std::string& folder, bool chinese) {
    testing::FakePatcherView view;
    testing::FakeSystemPort system;
    system.chinese = chinese;
    PatcherPresenter patcher(view, system, folder);
    EXPECT_TRUE(patcher.Start());
    return system.messages.empty() ? "" : system.messages.back().text;
}

TEST_F(ReadOnlyFolder, AReadOnlyExecutableIsNamedInBothLanguagesBeforeAnyDialog) {
    Reset();
    EXPECT_EQ(StartUpNotice(folder_.string(), false), "");
    MakeReadOnly(Exe());
    const std::string english = StartUpNotice(folder_.string(), false);
    EXPECT_TRUE(english.starts_with(Exe().string() + " is read-only for you")) << english;
    const std::string chinese = StartUpNotice(folder_.string(), true);
    EXPECT_TRUE(chinese.starts_with(Exe().string() + " 是只读的")) << chinese;
}

// The executable itself stays writable here: only its folder refuses the temporary file.
TEST_F(ReadOnlyFolder, AFolderThatTakesNoNewFileMakesTheExecutableReadOnly) {
    if (!testing::CanRunUnprivileged()) {
        GTEST_SKIP() << "running as root and unable to become the user nobody: "
                        "a read-only folder stops no write of root's";
    }
    Reset();
    MakeFolderReadOnly();
    const testing::ChildRun run =
        testing::RunInChild({.fileSizeLimit = std::nullopt, .unprivileged = true},
                            [&] { return StartUpNotice(folder_.string(), false); });
    EXPECT_TRUE(run.output.starts_with(Exe().string() + " is read-only for you")) << run.output;
}

}  // namespace
}  // namespace lf::patcher
