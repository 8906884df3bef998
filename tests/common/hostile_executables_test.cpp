// Executables built to hurt the readers and writers: loops, trees deeper than three levels,
// counts and sizes far beyond the file, overlapping sections and tables. Each must give a clean
// error. The bounds hold by construction: the tree parser reads every directory and data entry
// at most once, so it makes at most one entry per 24 bytes of the section, copies at most
// 4 bytes of names per byte of the section plus 1 MiB, and lets the resources' data add up to
// at most the section; the tests check those counts, not the clock.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/byte_order.h"
#include "common/elf_file.h"
#include "common/executable_resources.h"
#include "common/pe_file.h"
#include "common/resource_tree.h"
#include "tests/support/tiny_executables.h"

namespace lf {
namespace {

constexpr std::uint32_t kDirectoryBit = 0x80000000u;

template <typename T>
void ExpectError(const Result<T>& result, Error::Kind kind, std::string_view words,
                 const std::string& what) {
    ASSERT_FALSE(result) << what;
    EXPECT_EQ(result.error().kind, kind) << what << ": " << result.error().message;
    EXPECT_NE(result.error().message.find(words), std::string::npos)
        << what << ": " << result.error().message;
}

// ---- resource trees -----------------------------------------------------------------------

void SetCounts(Bytes& tree, std::size_t directory, std::uint16_t named, std::uint16_t ids) {
    WriteLe<std::uint16_t>(tree, directory + 12, named);
    WriteLe<std::uint16_t>(tree, directory + 14, ids);
}

void SetEntry(Bytes& tree, std::size_t at, std::uint32_t name, std::uint32_t target) {
    WriteLe<std::uint32_t>(tree, at, name);
    WriteLe<std::uint32_t>(tree, at + 4, target);
}

// Root at 0 -> name directory at 24 -> language directory at 48 -> data entry at 72 -> 4 bytes
// of data at 88. Entries: type at 16, name at 40, language at 64.
Bytes Chain() {
    Bytes tree(96, 0);
    SetCounts(tree, 0, 0, 1);
    SetEntry(tree, 16, 10, 24 | kDirectoryBit);
    SetCounts(tree, 24, 0, 1);
    SetEntry(tree, 40, 101, 48 | kDirectoryBit);
    SetCounts(tree, 48, 0, 1);
    SetEntry(tree, 64, 2052, 72);
    WriteLe<std::uint32_t>(tree, 72, 88);
    WriteLe<std::uint32_t>(tree, 76, 4);
    return tree;
}

struct TreeDamage {
    const char* what;
    std::function<void(Bytes&)> damage;
    const char* words;
};

void ExpectDamagesRejected(const std::vector<TreeDamage>& cases) {
    ASSERT_TRUE(ParseResourceTree(Chain(), 0));
    for (const TreeDamage& c : cases) {
        Bytes tree = Chain();
        c.damage(tree);
        ExpectError(ParseResourceTree(tree, 0), Error::Kind::Malformed, c.words, c.what);
    }
}

TEST(HostileResourceTree, LoopsOverlapsAndDepthAboveThreeAreErrors) {
    ExpectDamagesRejected({
        {"a type pointing back to the root",
         [](Bytes& t) { SetEntry(t, 16, 10, 0 | kDirectoryBit); }, "reached twice"},
        {"a name pointing back to its own directory",
         [](Bytes& t) { SetEntry(t, 40, 101, 24 | kDirectoryBit); }, "reached twice"},
        {"a language directory overlapping the name directory",
         [](Bytes& t) { SetEntry(t, 40, 101, 40 | kDirectoryBit); }, "overlaps"},
        {"a fourth level", [](Bytes& t) { SetEntry(t, 64, 2052, 72 | kDirectoryBit); }, "deeper"},
        {"data where a directory belongs", [](Bytes& t) { SetEntry(t, 16, 10, 72); },
         "data where a directory belongs"},
        {"two languages sharing a data entry",
         [](Bytes& t) {
             SetCounts(t, 48, 0, 2);
             SetEntry(t, 72, 1033, 72);  // the second entry lies on the data entry it names
         },
         "reached twice"},
    });
}

TEST(HostileResourceTree, OffsetsPastTheEndAndHugeSizesAreErrors) {
    ExpectDamagesRejected({
        {"a directory at 2 GiB", [](Bytes& t) { SetEntry(t, 16, 10, 0x7FFFFFF0 | kDirectoryBit); },
         "directory past the end"},
        {"counts of 131070 in a 96-byte tree", [](Bytes& t) { SetCounts(t, 0, 0xFFFF, 0xFFFF); },
         "entries past the end"},
        {"a name at 2 GiB",
         [](Bytes& t) { SetEntry(t, 16, kDirectoryBit | 0x7FFFFFF0, 24 | kDirectoryBit); },
         "name past the end"},
        {"a name of 65535 characters in 8 bytes",
         [](Bytes& t) {
             SetEntry(t, 16, kDirectoryBit | 88, 24 | kDirectoryBit);
             WriteLe<std::uint16_t>(t, 88, 0xFFFF);
         },
         "name past the end"},
        {"a data entry at 2 GiB", [](Bytes& t) { SetEntry(t, 64, 2052, 0x7FFFFFF0); },
         "data entry past the end"},
        {"data at 4 GiB", [](Bytes& t) { WriteLe<std::uint32_t>(t, 72, 0xFFFFFFF0u); }, "outside"},
        {"data of 4 GiB", [](Bytes& t) { WriteLe<std::uint32_t>(t, 76, 0xFFFFFFFFu); }, "outside"},
        {"data whose end wraps around",
         [](Bytes& t) {
             WriteLe<std::uint32_t>(t, 72, 8);
             WriteLe<std::uint32_t>(t, 76, 0xFFFFFFFCu);
         },
         "outside"},
    });
}

// Language directories that overlap one another, each claiming 65535 entries on one data entry:
// read naively, 4000 of them would make 262 million entries from one MiB.
TEST(HostileResourceTree, MillionsOfEntriesFromOverlappingDirectoriesAreRefused) {
    constexpr std::uint32_t kNames = 4000;
    constexpr std::uint32_t kCount = 0xFFFF;
    // Its offset doubles as the counts of the next directory along: 65520 named + 15 ids.
    constexpr std::uint32_t kSharedDataEntry = 0x000FFFF0;
    Bytes tree(0x100000, 0);
    SetCounts(tree, 0, 0, 1);
    SetEntry(tree, 16, 10, 24 | kDirectoryBit);
    SetCounts(tree, 24, 0, kNames);
    const std::uint32_t languages = 24 + 16 + 8 * kNames;
    for (std::uint32_t k = 0; k < kNames; ++k) {
        SetEntry(tree, 40 + 8 * k, k + 1, (languages + 8 * k) | kDirectoryBit);
    }
    SetCounts(tree, languages, 0, kCount);
    for (std::uint32_t j = 0; j < kCount; ++j) {
        SetEntry(tree, languages + 16 + 8 * j, 2052, kSharedDataEntry);
    }
    ExpectError(ParseResourceTree(tree, 0), Error::Kind::Malformed, "reached twice",
                "overlapping directories");

    // The most entries a section can carry: one per language entry and data entry, 24 bytes.
    std::vector<Resource> many;
    for (std::uint32_t language = 0; language < kCount; ++language) {
        many.push_back({10, 101, static_cast<std::uint16_t>(language), {}});
    }
    const Bytes full = BuildResourceTree(many, 0);
    auto entries = ParseResourceTree(full, 0);
    ASSERT_TRUE(entries) << entries.error().message;
    EXPECT_EQ(entries->size(), kCount);
    EXPECT_LE(entries->size() * 24, full.size());
}

TEST(HostileResourceTree, SharedDataAndRepeatedNamesCannotMultiplyMemory) {
    Bytes shared = Chain();
    shared.resize(128, 0);
    SetCounts(shared, 48, 0, 2);
    SetEntry(shared, 64, 2052, 96);
    SetEntry(shared, 72, 1033, 112);
    for (std::size_t at : {96, 112}) WriteLe<std::uint32_t>(shared, at + 4, 128);
    ExpectError(ParseResourceTree(shared, 0), Error::Kind::Malformed, "add up to more",
                "two resources each spanning the whole section");

    // 20000 types all named by one name of 65535 characters: 5 GB of copies if read naively.
    constexpr std::uint32_t kTypes = 20000;
    const std::uint32_t names = 16 + 8 * kTypes;
    const std::uint32_t languages = names + 24 * kTypes;
    const std::uint32_t dataEntries = languages + 24 * kTypes;
    const std::uint32_t longName = dataEntries + 16 * kTypes;
    Bytes tree(longName + 2 + 2 * 0xFFFF, 'A');
    std::fill(tree.begin(), tree.begin() + longName, 0);
    WriteLe<std::uint16_t>(tree, longName, 0xFFFF);
    SetCounts(tree, 0, kTypes, 0);
    for (std::uint32_t i = 0; i < kTypes; ++i) {
        SetEntry(tree, 16 + 8 * i, longName | kDirectoryBit, (names + 24 * i) | kDirectoryBit);
        SetCounts(tree, names + 24 * i, 0, 1);
        SetEntry(tree, names + 24 * i + 16, 1, (languages + 24 * i) | kDirectoryBit);
        SetCounts(tree, languages + 24 * i, 0, 1);
        SetEntry(tree, languages + 24 * i + 16, 2052, dataEntries + 16 * i);
    }
    ExpectError(ParseResourceTree(tree, 0), Error::Kind::Malformed, "names repeated",
                "one long name behind every type");

    // Real trees with long names in many languages stay well inside the allowance.
    std::vector<Resource> named;
    for (int type = 0; type < 50; ++type) {
        for (std::uint16_t language = 0; language < 20; ++language) {
            named.push_back({ResourceName(std::u16string(254, u'A') + char16_t(u'A' + type % 26) +
                                          char16_t(u'0' + type / 26)),
                             ResourceName(std::u16string(255, u'N')), language, Bytes{1}});
        }
    }
    auto entries = ParseResourceTree(BuildResourceTree(named, 0), 0);
    ASSERT_TRUE(entries) << entries.error().message;
    EXPECT_EQ(entries->size(), 1000u);
}

// ---- 32-bit Windows executables -----------------------------------------------------------

std::vector<Resource> SomeResources() {
    return {{ResourceName(u"CUSTOM"), 101, 2052, Bytes(100, 'T')}, {3, 1, 1033, Bytes(8, 'I')}};
}

Bytes SmallPe() {
    return testing::TinyPe(
        {testing::TextSection(), testing::ResourceSection(0x2000, SomeResources())});
}

struct PeDamage {
    const char* what;
    std::function<void(Bytes&)> damage;
    Error::Kind kind;
    const char* words;
};

std::function<void(Bytes&)> Set32(std::size_t at, std::uint32_t value) {
    return [=](Bytes& b) { WriteLe<std::uint32_t>(b, at, value); };
}
std::function<void(Bytes&)> Set16(std::size_t at, std::uint16_t value) {
    return [=](Bytes& b) { WriteLe<std::uint16_t>(b, at, value); };
}

TEST(HostileWindowsExecutable, DamagedHeadersAndSectionsAreReadErrors) {
    using namespace testing::tiny_pe;
    const std::size_t rsrc = SectionHeader(1);
    const PeDamage cases[] = {
        {"PE header at 4 GiB", Set32(0x3C, 0xFFFFFFF0u), Error::Kind::Malformed, "cut short"},
        {"optional header of 64 KiB", Set16(kCoff + 16, 0xFFFF), Error::Kind::Malformed,
         "optional header is cut short"},
        {"four billion data directories", Set32(kOptional + 92, 0xFFFFFFFFu),
         Error::Kind::Malformed, "data directories run past"},
        {"65535 sections", Set16(kCoff + 2, 0xFFFF), Error::Kind::Malformed,
         "section table runs past the end"},
        {"section data of 4 GiB", Set32(rsrc + 16, 0xFFFFFFFFu), Error::Kind::Malformed,
         "past the end of the file"},
        {"section data at 4 GiB", Set32(rsrc + 20, 0xFFFFFE00u), Error::Kind::Malformed,
         "past the end of the file"},
        {"section ending beyond 4 GiB", Set32(rsrc + 8, 0xFFFFF000u), Error::Kind::Malformed,
         "4 GiB"},
        {"resources in no section", Set32(Directory(2), 0x7FFF0000u), Error::Kind::Malformed,
         "no section"},
        {"resources beyond the section's file data",
         [=](Bytes& b) {
             WriteLe<std::uint32_t>(b, rsrc + 8, 0x1000);
             WriteLe<std::uint32_t>(b, Directory(2), 0x2800);
         },
         Error::Kind::Malformed, "beyond its section's data"},
    };
    ASSERT_TRUE(ReadResources(SmallPe()));
    for (const PeDamage& c : cases) {
        Bytes pe = SmallPe();
        c.damage(pe);
        ExpectError(ReadResources(pe), c.kind, c.words, c.what);
        ExpectError(WithResource(pe, SomeResources()[0]), c.kind, c.words, c.what);
    }
}

TEST(HostileWindowsExecutable, OverlappingLayoutsAreRefusedByTheWriter) {
    using namespace testing::tiny_pe;
    const std::size_t text = SectionHeader(0);
    const std::size_t rsrc = SectionHeader(1);
    const PeDamage cases[] = {
        {"the section table running into the first section's data", Set32(text + 20, 0x180),
         Error::Kind::Unsupported, "overlaps the headers"},
        {"sections sharing their file data", Set32(rsrc + 20, 0x200), Error::Kind::Unsupported,
         "overlap or are out of order in the file"},
        {"sections sharing their addresses",
         [](Bytes& b) {
             WriteLe<std::uint32_t>(b, rsrc + 12, 0x1000);
             WriteLe<std::uint32_t>(b, Directory(2), 0x1000);
         },
         Error::Kind::Unsupported, "overlap or are out of order in memory"},
        {"a section over the headers in memory",
         [](Bytes& b) { std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(text), 80, 0); },
         Error::Kind::Unsupported, "overlaps the headers in memory"},
        {"headers of 2 GiB", Set32(kOptional + 60, 0x7FFFFFFFu), Error::Kind::Malformed,
         "headers run past the end"},
    };
    ASSERT_TRUE(WithPeResources(SmallPe(), SomeResources()));
    for (const PeDamage& c : cases) {
        Bytes pe = SmallPe();
        c.damage(pe);
        ExpectError(WithPeResources(pe, SomeResources()), c.kind, c.words, c.what);
    }
}

// A program whose only section has no data in the file: the headers are all the file has
// before the new section, and they must stay.
TEST(HostileWindowsExecutable, AProgramWithoutSectionDataKeepsItsHeaders) {
    using namespace testing::tiny_pe;
    Bytes pe = testing::TinyPe({{".bss", 0x1000, Bytes{}, 0xC0000080}});
    WriteLe<std::uint32_t>(pe, SectionHeader(0) + 8, 0x100);
    auto written = WithPeResources(pe, SomeResources());
    ASSERT_TRUE(written) << written.error().message;
    EXPECT_TRUE(std::equal(pe.begin(), pe.begin() + kCoff + 2, written->begin()));
    auto data = ReadResource(*written, SomeResources()[0].type, SomeResources()[0].name);
    ASSERT_TRUE(data) << data.error().message;
    EXPECT_TRUE(std::ranges::equal(*data, SomeResources()[0].data));
}

// ---- ELF files ----------------------------------------------------------------------------

Bytes SmallElf() {
    auto elf = WithElfSection(testing::TinyElf(), kResourceSectionName,
                              BuildResourceTree(SomeResources(), 0));
    EXPECT_TRUE(elf);
    return elf ? *elf : Bytes{};
}

constexpr int kRsrc = 3;  // the section the writer added after .text and .shstrtab

std::size_t ElfField(const Bytes& elf, int section, std::size_t field) {
    return testing::tiny_elf::SectionHeader(elf, section) + field;
}

TEST(HostileElf, DamagedTablesAreReadErrors) {
    const Bytes good = SmallElf();
    ASSERT_TRUE(ReadResources(good));
    const PeDamage cases[] = {
        {"section table at 16 EiB",
         [](Bytes& b) { WriteLe<std::uint64_t>(b, 40, 0xFFFFFFFFFFFF0000ull); },
         Error::Kind::Malformed, "section table past the end"},
        {"65535 sections", Set16(60, 0xFFFF), Error::Kind::Malformed, "section table past the end"},
        {"65535 program headers", Set16(56, 0xFFFF), Error::Kind::Malformed,
         "program headers past the end"},
        {"name table beyond the table", Set16(62, 9), Error::Kind::Malformed,
         "no section name table"},
        {"section data of 16 EiB",
         [&](Bytes& b) { WriteLe<std::uint64_t>(b, ElfField(good, kRsrc, 32), ~0ull); },
         Error::Kind::Malformed, "past the end"},
        {"a section that takes no room in the file, at 8 EiB",
         [&](Bytes& b) {
             WriteLe<std::uint32_t>(b, ElfField(good, kRsrc, 4), 8);  // NOBITS
             WriteLe<std::uint64_t>(b, ElfField(good, kRsrc, 24), 1ull << 63);
         },
         Error::Kind::Malformed, "directory past the end"},
    };
    for (const PeDamage& c : cases) {
        Bytes elf = good;
        c.damage(elf);
        ExpectError(ReadResources(elf), c.kind, c.words, c.what);
    }
}

TEST(HostileElf, TheWriterRefusesWhatItWouldDamage) {
    const Bytes good = SmallElf();
    const Resource resource = SomeResources()[1];
    ASSERT_TRUE(WithResource(good, resource));
    const PeDamage cases[] = {
        {"resources overlapping the code",
         [&](Bytes& b) { WriteLe<std::uint64_t>(b, ElfField(good, 1, 32), 0x100); },
         Error::Kind::Unsupported, "shares its bytes"},
        {"resources inside the loaded segment",
         [&](Bytes& b) {
             WriteLe<std::uint64_t>(b, testing::tiny_elf::kProgramHeaders + 32, good.size());
         },
         Error::Kind::Unsupported, "shares its bytes"},
        {"a section name outside the name table", Set32(ElfField(good, 1, 0), 0x1000),
         Error::Kind::Malformed, "outside the name table"},
        {"an empty name table",
         [&](Bytes& b) {
             WriteLe<std::uint64_t>(b, ElfField(good, testing::tiny_elf::kNameTableIndex, 32), 0);
         },
         Error::Kind::Malformed, "outside the name table"},
        {"a segment running past the end",
         [](Bytes& b) {
             WriteLe<std::uint64_t>(b, testing::tiny_elf::kProgramHeaders + 32, ~0ull);
         },
         Error::Kind::Malformed, "segment runs past the end"},
    };
    for (const PeDamage& c : cases) {
        Bytes elf = good;
        c.damage(elf);
        ExpectError(WithResource(elf, resource), c.kind, c.words, c.what);
    }
}

TEST(HostileElf, ASectionThatTakesNoRoomIsReplacedWithoutBlankingWhatItCovers) {
    Bytes elf = SmallElf();
    WriteLe<std::uint32_t>(elf, ElfField(elf, kRsrc, 4), 8);  // NOBITS, "over" the header
    WriteLe<std::uint64_t>(elf, ElfField(elf, kRsrc, 24), 0);
    const Bytes content(100, 'C');
    auto written = WithElfSection(elf, kResourceSectionName, content);
    ASSERT_TRUE(written) << written.error().message;
    EXPECT_TRUE(std::equal(elf.begin(), elf.begin() + 40, written->begin()));
    auto section = FindElfSection(*written, kResourceSectionName);
    ASSERT_TRUE(section) << section.error().message;
    EXPECT_TRUE(std::ranges::equal(*section, content));

    // Nor does its offset count among the bytes to keep, however far away it points.
    Bytes farAway = SmallElf();
    WriteLe<std::uint32_t>(farAway, ElfField(farAway, 1, 4), 8);
    WriteLe<std::uint64_t>(farAway, ElfField(farAway, 1, 24), 1ull << 63);
    auto rewritten = WithResource(farAway, SomeResources()[1]);
    ASSERT_TRUE(rewritten) << rewritten.error().message;
    EXPECT_LT(rewritten->size(), 2 * farAway.size());
    // Nor, when it is the section replaced, among the bytes appended after the others.
    WriteLe<std::uint32_t>(farAway, ElfField(farAway, kRsrc, 4), 8);
    WriteLe<std::uint64_t>(farAway, ElfField(farAway, kRsrc, 24), ~0ull);
    auto replaced = WithElfSection(farAway, kResourceSectionName, Bytes(8, 1));
    ASSERT_TRUE(replaced) << replaced.error().message;
    EXPECT_EQ(replaced->size(), testing::tiny_elf::SectionHeader(*replaced, kRsrc + 1))
        << "the file ends with its section table";
}

}  // namespace
}  // namespace lf
