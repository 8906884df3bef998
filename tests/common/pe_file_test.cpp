#include "common/pe_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "common/byte_order.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "tests/support/child_process.h"
#include "tests/support/file_lock.h"
#include "tests/support/skipped_checks.h"

namespace lf {
namespace {

namespace fs = std::filesystem;

const ResourceName kCustom = ResourceName::Parse("CUSTOM");

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

Bytes RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

Bytes WithOverlay(Bytes image) {
    const std::string_view archive = "an archive appended after the program; ";
    for (int i = 0; i < 100; ++i) image.insert(image.end(), archive.begin(), archive.end());
    return image;
}

std::string Hash(ByteView bytes) {  // FNV-1a, as the probe program prints it
    std::uint32_t hash = 2166136261u;
    for (std::uint8_t b : bytes) hash = (hash ^ b) * 16777619u;
    char text[9];
    std::snprintf(text, sizeof text, "%08x", hash);
    return text;
}

// The header offsets the tests change, found as the loader finds them.
struct Headers {
    explicit Headers(ByteView image)
        : coff(ReadLe<std::uint32_t>(image, 0x3C) + 4),
          opt(coff + 20),
          table(opt + ReadLe<std::uint16_t>(image, coff + 16)),
          sections(ReadLe<std::uint16_t>(image, coff + 2)) {}
    std::uint64_t Directory(int index) const { return opt + 96 + 8 * index; }
    std::uint64_t Section(ByteView image, std::string_view name) const {
        for (std::uint64_t at = table; at < table + 40 * sections; at += 40) {
            if (AsText(image.subspan(at, 8)).starts_with(name)) return at;
        }
        ADD_FAILURE() << "no section " << name;
        return 0;
    }
    std::uint64_t coff, opt, table, sections;
};

class WindowsExecutableTest : public ::testing::Test {
  protected:
    static constexpr std::string_view kMissingTools = LF_PE_TOOLS_MISSING;

    static void SetUpTestSuite() {
        scratch_ = fs::temp_directory_path() / ("lf-pe-" + std::to_string(::getpid()));
        fs::create_directories(scratch_);
    }

    static void TearDownTestSuite() { fs::remove_all(scratch_); }

    void SetUp() override {
        if (kMissingTools.empty()) return;
        if (testing::RunningInCi()) {
            FAIL() << "the Windows test tools must be installed: " << kMissingTools;
        }
        GTEST_SKIP() << "missing " << kMissingTools << " (scripts/install-deps.sh installs them)";
    }

    static fs::path FixturePath(const std::string& name) {
        return fs::path(LF_PE_FIXTURE_DIR) / name;
    }

    static Bytes Fixture(const std::string& name) {
        auto bytes = ReadWholeFile(FixturePath(name));
        EXPECT_TRUE(bytes) << bytes.error().message;
        return bytes ? *bytes : Bytes{};
    }

    static fs::path Save(const std::string& name, ByteView bytes) {
        const fs::path path = scratch_ / name;
        EXPECT_TRUE(WriteFileAtomically(path, bytes));
        return path;
    }

    // One 64-bit prefix, which 32-bit programs share where they run. No display, no installers,
    // no messages.
    static std::string WineEnvironment(const fs::path& prefix = SharedWinePrefix()) {
        return "WINEPREFIX=" + Quote(prefix) +
               " WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' DISPLAY=";
    }

    // Wine takes a while to set up a prefix and to start its server with the prefix's services:
    // the test processes of a build share one prefix, made by the first that needs it while the
    // others wait, and one server that stays a while after its last program ends. No test stops
    // it, as another test process may be using it.
    static const fs::path& SharedWinePrefix() {
        static const fs::path prefix = [] {
            const fs::path made = LF_WINE_PREFIX;
            const std::string log = " </dev/null >>" + Quote(made.string() + ".log") + " 2>&1";
            const testing::FileLock lock(made.string() + ".lock");
            if (!fs::exists(made / "lf-ready")) {
                fs::remove_all(made);  // half made by a run that was stopped
                testing::RunShell(WineEnvironment(made) + " " LF_WINE64 " wineboot --init" + log);
                testing::RunShell(WineEnvironment(made) + " " LF_WINESERVER " --wait" + log);
                std::ofstream(made / "lf-ready");
            }
            testing::RunShell(WineEnvironment(made) + " " LF_WINESERVER " --persistent=15" + log);
            return made;
        }();
        return prefix;
    }

    // `wine` runs a program under Wine; what Wine itself says goes to a log. Windows programs end
    // their lines in CR LF.
    static testing::ChildRun RunUnderWine(const char* wine, const fs::path& program,
                                          const std::string& arguments) {
        testing::ChildRun run =
            testing::RunShell(WineEnvironment() + " " + wine + " " + Quote(program) + " " +
                              arguments + " 2>>" + Quote(scratch_ / "wine.log"));
        std::erase(run.output, '\r');
        return run;
    }

    // Whether this machine runs 32-bit Windows programs, found by trying once after the 64-bit
    // prefix exists; some kernels cannot execute 32-bit code at all.
    static bool Runs32BitPrograms() {
        static const bool runs = [] {
            const testing::ChildRun tried =
                testing::RunShell(WineEnvironment() + " " LF_WINE " " +
                                  Quote(FixturePath("no_resources.exe")) + " 2>&1");
            if (tried.status == 0) return true;
            const std::string why = tried.output.substr(0, tried.output.find('\n'));
            testing::ReportSkippedChecks(
                "the rewritten 32-bit Windows programs are not run, only read as data files by "
                "the 64-bit probe under wine64; a 32-bit program does not start here (" +
                (why.empty() ? "exit status " + std::to_string(tried.status) : why) + ")");
            return false;
        }();
        return runs;
    }

    // That the probe finds `expected` in `program`: the 64-bit probe reads the file as data on
    // every machine, and the program also looks itself up: a 64-bit one everywhere, a 32-bit one
    // where 32-bit programs run.
    static void ExpectProbeFinds(const fs::path& program, const std::string& arguments,
                                 const std::string& expected) {
        const std::string asData = "--file " + Quote("Z:" + program.string()) + " " + arguments;
        EXPECT_EQ(RunUnderWine(LF_WINE64, FixturePath("probe64.exe"), asData).output, expected)
            << "read as a data file";
        const Bytes image = ReadWholeFile(program).value_or(Bytes{});
        const bool wide = ReadLe<std::uint16_t>(image, Headers(image).opt) == 0x20B;
        if (wide || Runs32BitPrograms()) {
            EXPECT_EQ(RunUnderWine(wide ? LF_WINE64 : LF_WINE, program, arguments).output, expected)
                << "run";
        }
    }

    // "ok", or what pefile finds wrong with the rewritten file.
    static std::string Check(const fs::path& original, const fs::path& rewritten, std::uint16_t id,
                             const fs::path& data) {
        return testing::RunShell(LF_PYTHON3 " " LF_PE_CHECKER " " + Quote(original) + " " +
                                 Quote(rewritten) + " CUSTOM " + std::to_string(id) + " 2052 " +
                                 Quote(data) + " 2>&1")
            .output;
    }

    // The line the probe program prints for a TYPE/NAME that the file holds, else nothing.
    static std::string ProbeLine(ByteView image, const std::string& probe) {
        const auto slash = probe.find('/');
        auto bytes = ReadResource(image, ResourceName::Parse(probe.substr(0, slash)),
                                  ResourceName::Parse(probe.substr(slash + 1)));
        if (!bytes) return "";
        return probe + " " + std::to_string(bytes->size()) + " " + Hash(*bytes) + "\n";
    }

    static inline fs::path scratch_;
};

TEST_F(WindowsExecutableTest, ReadsTheResourcesTheToolchainWrote) {
    for (const char* name :
         {"rsrc_last.exe", "reloc_last.exe", "debug_sections.exe", "probe64.exe"}) {
        SCOPED_TRACE(name);
        const Bytes image = Fixture(name);
        auto entries = ReadResources(image);
        ASSERT_TRUE(entries) << entries.error().message;
        EXPECT_EQ(entries->size(), 10u);
        auto table = ReadResource(image, kCustom, ResourceName::Parse("#101"));
        ASSERT_TRUE(table);
        EXPECT_TRUE(std::ranges::equal(*table, Fixture("table.txt")));
        auto intro =
            ReadResource(image, ResourceName::Parse("Notes"), ResourceName::Parse("intro"));
        ASSERT_TRUE(intro);
        EXPECT_TRUE(std::ranges::equal(*intro, Fixture("sheet1002.bin")));
        EXPECT_TRUE(ReadResource(image, 16, 1)) << "the version block";
    }
    EXPECT_EQ(ReadResources(Fixture("no_resources.exe")).error().kind, Error::Kind::NotFound);
}

TEST_F(WindowsExecutableTest, RewrittenProgramsRunAndFindTheNewBytes) {
    struct Case {
        const char* fixture;
        bool overlay;
        std::uint16_t id;
        std::size_t size;
        int addedSections;
        const char* layout;
    };
    const Case cases[] = {
        {"rsrc_last.exe", false, 101, 20000, 0, "resources last: grown in place"},
        {"rsrc_last.exe", true, 101, 10, 0, "resources last: shrunk, appended data kept"},
        {"reloc_last.exe", false, 101, 50000, 0, "the relocations move behind the grown tree"},
        {"reloc_last.exe", true, 1003, 9000, 0, "a new sheet, relocations move, data kept"},
        {"debug_sections.exe", false, 101, 30000, 1, "sections follow: a new last section"},
        {"debug_sections.exe", true, 1016, 5, 0, "sections follow: the smaller tree fits"},
        {"no_resources.exe", true, 101, 777, 1, "the first resources of a program"},
        {"probe64.exe", true, 101, 50000, 0, "64-bit: relocations move, appended data kept"},
        {"debug_sections64.exe", false, 1003, 30000, 1, "64-bit: a new last section"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        const Bytes fixture = Fixture(c.fixture);
        const Bytes original = c.overlay ? WithOverlay(fixture) : fixture;
        const Bytes data = RandomBytes(c.size, c.id);
        const Resource resource{kCustom, c.id, kLanguageChinesePrc, data};
        auto rewritten = WithResource(original, resource);
        ASSERT_TRUE(rewritten) << rewritten.error().message;
        EXPECT_EQ(Headers(*rewritten).sections, Headers(original).sections + c.addedSections);
        auto again = WithResource(*rewritten, resource);
        ASSERT_TRUE(again) << again.error().message;
        EXPECT_TRUE(*again == *rewritten) << "writing the same bytes again changes nothing";

        const fs::path program = Save("probe.exe", *rewritten);
        EXPECT_EQ(Check(Save("original.exe", original), program, c.id, Save("data.bin", data)),
                  "ok\n");
        const std::string target = "CUSTOM/" + std::to_string(c.id);
        std::string expected = target + " " + std::to_string(c.size) + " " + Hash(data) + "\n";
        std::string arguments = target;
        for (const std::string other : {"CUSTOM/1001", "NOTES/INTRO", "16/1"}) {
            const std::string line = ProbeLine(original, other);
            if (line.empty()) continue;  // the program had no resources
            expected += line;
            arguments += " " + other;
        }
        ExpectProbeFinds(program, arguments, expected);
    }
}

TEST_F(WindowsExecutableTest, ASignatureIsDroppedAndAZeroChecksumStaysZero) {
    Bytes image = WithOverlay(Fixture("reloc_last.exe"));
    const Headers headers(image);
    WriteLe<std::uint32_t>(image, headers.opt + 64, 0);
    image.resize(AlignUp(image.size(), 8));
    const std::uint32_t signatureAt = static_cast<std::uint32_t>(image.size());
    const std::uint32_t signatureSize = 8 + 256;  // WIN_CERTIFICATE header and a PKCS#7 blob
    image.resize(signatureAt + signatureSize, 0x30);
    WriteLe<std::uint32_t>(image, signatureAt, signatureSize);
    WriteLe<std::uint32_t>(image, signatureAt + 4, 0x00020200);
    WriteLe<std::uint32_t>(image, headers.Directory(4), signatureAt);
    WriteLe<std::uint32_t>(image, headers.Directory(4) + 4, signatureSize);

    const Bytes data = RandomBytes(40000, 4);
    auto rewritten = WithResource(image, {kCustom, 101, kLanguageChinesePrc, data});
    ASSERT_TRUE(rewritten) << rewritten.error().message;
    const fs::path program = Save("signed.exe", *rewritten);
    EXPECT_EQ(Check(Save("original.exe", image), program, 101, Save("data.bin", data)), "ok\n");
    ExpectProbeFinds(program, "CUSTOM/101", "CUSTOM/101 40000 " + Hash(data) + "\n");
}

// Each case damages a real program; reading and rewriting must both give a clear error.
TEST_F(WindowsExecutableTest, DamagedFilesAreCleanErrors) {
    const Bytes fixture = Fixture("reloc_last.exe");
    const Headers h(fixture);
    const std::uint64_t rsrc = h.Section(fixture, ".rsrc");
    const auto tree = FindPeResourceTree(fixture);
    ASSERT_TRUE(tree);
    const auto table = ReadResource(fixture, kCustom, 101);
    ASSERT_TRUE(table);
    // The data entry of the table: its address and size, found in the tree.
    Bytes entryBytes(8);
    WriteLe<std::uint32_t>(
        entryBytes, 0,
        tree->address + static_cast<std::uint32_t>(table->data() - tree->bytes.data()));
    WriteLe<std::uint32_t>(entryBytes, 4, static_cast<std::uint32_t>(table->size()));
    const auto found = std::ranges::search(tree->bytes, entryBytes);
    ASSERT_FALSE(found.empty());
    const std::uint64_t dataEntry = &*found.begin() - fixture.data();

    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
        Error::Kind kind;
        const char* message;
    };
    const auto set32 = [](std::uint64_t at, std::uint32_t value) {
        return [=](Bytes& b) { WriteLe<std::uint32_t>(b, at, value); };
    };
    const auto set16 = [](std::uint64_t at, std::uint16_t value) {
        return [=](Bytes& b) { WriteLe<std::uint16_t>(b, at, value); };
    };
    using enum Error::Kind;
    const Case cases[] = {
        {"cut in the MS-DOS header", [](Bytes& b) { b.resize(0x30); }, Malformed, "MS-DOS header"},
        {"cut in the file header", [&](Bytes& b) { b.resize(h.coff + 6); }, Malformed,
         "file header"},
        {"cut in the optional header", [&](Bytes& b) { b.resize(h.opt + 70); }, Malformed,
         "optional header"},
        {"a 16-bit program", set32(h.coff - 4, 0x454E), Malformed, "PE signature"},
        {"32-bit header marked 64-bit", set16(h.opt, 0x20B), Malformed, "data directories"},
        {"directories past the optional header", set32(h.opt + 92, 0x1000), Malformed,
         "data directories"},
        {"section table past the end", set16(h.coff + 2, 0xFFFF), Malformed, "section table"},
        {"section data past the end", set32(rsrc + 16, 0xFFFFFE00), Malformed, "past the end"},
        {"section beyond 4 GiB", set32(rsrc + 8, 0xFFFFF000), Malformed, "4 GiB"},
        {"file alignment not a power of two", set32(h.opt + 36, 0x300), Malformed, "alignment"},
        {"resources in no section", set32(h.Directory(2), 0x7FFF0000), Malformed, "no section"},
        {"resource data in the code", set32(dataEntry, 0x1000), Malformed,
         "outside the resource section"},
        {"resource data of 2 GiB", set32(dataEntry + 4, 0x7FFFFFFF), Malformed,
         "outside the resource section"},
        {"not an executable", [](Bytes& b) { b[0] = 'Z'; }, Unsupported, "not an executable"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes damaged = fixture;
        c.damage(damaged);
        const auto read = ReadResources(damaged);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.error().kind, c.kind);
        EXPECT_NE(read.error().message.find(c.message), std::string::npos) << read.error().message;
        const auto written =
            WithResource(damaged, {kCustom, 101, kLanguageChinesePrc, Bytes(9, 1)});
        ASSERT_FALSE(written);
        EXPECT_EQ(written.error().kind, c.kind);
    }
}

// Layouts that a rewrite could break, most of them readable: refused, never guessed at.
TEST_F(WindowsExecutableTest, LayoutsThatCannotBeRewrittenSafelyAreRefused) {
    const Bytes fixture = Fixture("reloc_last.exe");
    const Headers h(fixture);
    const std::uint64_t rsrc = h.Section(fixture, ".rsrc");
    const std::uint64_t reloc = h.Section(fixture, ".reloc");
    const std::uint64_t text = h.Section(fixture, ".text");
    const std::uint32_t rsrcAddress = ReadLe<std::uint32_t>(fixture, rsrc + 12);
    struct Case {
        const char* what;
        std::uint64_t at;
        std::uint32_t value;
        const char* message;
        bool readable = true;
    };
    const Case cases[] = {
        {"sections overlap in memory", reloc + 12, rsrcAddress, "overlap"},
        {"section data overlaps in the file", reloc + 20, ReadLe<std::uint32_t>(fixture, rsrc + 20),
         "overlap"},
        {"section data not aligned", text + 20, ReadLe<std::uint32_t>(fixture, text + 20) + 4,
         "not aligned"},
        {"section data inside the headers", text + 20, 0x200, "headers"},
        {"resources only in memory", rsrc + 16, 0, "not in the file", false},
        {"huge section alignment", h.opt + 32, 0x80000000, "overlap"},
        {"the program starts in its resources", h.opt + 16, rsrcAddress + 0x10, "other data"},
        {"imports inside the resources", h.Directory(1), rsrcAddress + 0x20, "other data"},
        {"signature inside the sections", h.Directory(4), 0x400, "signature"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes odd = fixture;
        WriteLe<std::uint32_t>(odd, c.at, c.value);
        if (c.at == h.Directory(4)) WriteLe<std::uint32_t>(odd, c.at + 4, 0x100);
        EXPECT_EQ(ReadResource(odd, kCustom, 101).has_value(), c.readable);
        const auto written =
            WithPeResources(odd, {{kCustom, 101, kLanguageChinesePrc, Bytes(9, 1)}});
        ASSERT_FALSE(written);
        EXPECT_NE(written.error().message.find(c.message), std::string::npos)
            << written.error().message;
    }
}

TEST_F(WindowsExecutableTest, ANewSectionNeedsRoomForItsHeader) {
    for (const char* name : {"debug_sections.exe", "reloc_last.exe"}) {
        SCOPED_TRACE(name);
        Bytes image = Fixture(name);
        const Headers h(image);
        std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(h.table + 40 * h.sections), 40,
                    0xCC);  // something of the program's own lives right after the table
        const auto written =
            WithResource(image, {kCustom, 101, kLanguageChinesePrc, Bytes(80000, 2)});
        if (std::string_view(name) == "reloc_last.exe") {
            EXPECT_TRUE(written) << "growing in place needs no new header";
            continue;
        }
        ASSERT_FALSE(written);
        EXPECT_EQ(written.error().kind, Error::Kind::Unsupported);
        EXPECT_NE(written.error().message.find("no room"), std::string::npos);
    }
}

TEST_F(WindowsExecutableTest, ACutFileIsAnErrorWhereverItIsCut) {
    const Bytes fixture = Fixture("reloc_last.exe");  // nothing follows its last section
    for (std::size_t size = 0; size < fixture.size(); size += 61) {
        const ByteView cut = ByteView(fixture).first(size);
        EXPECT_FALSE(ReadResources(cut)) << "cut at " << size;
        EXPECT_FALSE(WithResource(cut, {kCustom, 101, kLanguageChinesePrc, Bytes(9, 1)}))
            << "cut at " << size;
    }
}

}  // namespace
}  // namespace lf
