#include "common/elf_file.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/byte_order.h"
#include "common/file_plan.h"

namespace lf {
namespace {

constexpr std::size_t kHeaderSize = 64;
constexpr std::size_t kSectionHeaderSize = 64;
constexpr std::size_t kProgramHeaderSize = 56;
constexpr std::uint32_t kProgbits = 1;
constexpr std::uint32_t kNobits = 8;

struct SectionHeader {
    std::uint32_t name;
    std::uint32_t type;
    std::uint64_t offset;
    std::uint64_t size;
    std::uint64_t FileSize() const { return type == kNobits ? 0 : size; }
};

// A range of bytes in the file.
struct FileRange {
    std::uint64_t offset;
    std::uint64_t size;
    std::uint64_t End() const { return offset + size; }
    bool Overlaps(const FileRange& other) const {
        return offset < other.End() && other.offset < End();
    }
};

struct ElfLayout {
    std::uint64_t sectionTable;
    std::uint16_t stringTableIndex;
    FileRange programTable;
    std::vector<SectionHeader> sections;
};

std::unexpected<Error> Bad(const std::string& what) {
    return Fail(Error::Kind::Malformed, "malformed ELF file: " + what);
}

Result<ElfLayout> ReadLayout(ByteView file) {
    if (!IsElf(file)) return Fail(Error::Kind::Unsupported, "not an ELF file");
    if (file.size() < kHeaderSize) return Bad("header cut short");
    if (file[4] != 2 || file[5] != 1) {
        return Fail(Error::Kind::Unsupported, "only 64-bit little-endian ELF files are supported");
    }
    ElfLayout layout;
    const auto phoff = ReadLe<std::uint64_t>(file, 32);
    const auto phnum = ReadLe<std::uint16_t>(file, 56);
    layout.sectionTable = ReadLe<std::uint64_t>(file, 40);
    const auto shentsize = ReadLe<std::uint16_t>(file, 58);
    const auto shnum = ReadLe<std::uint16_t>(file, 60);
    layout.stringTableIndex = ReadLe<std::uint16_t>(file, 62);
    if (!InBounds(phoff, std::uint64_t{phnum} * kProgramHeaderSize, file.size())) {
        return Bad("program headers past the end");
    }
    layout.programTable = {phoff, std::uint64_t{phnum} * kProgramHeaderSize};
    if (shnum == 0 || shentsize != kSectionHeaderSize) return Bad("no usable section table");
    if (!InBounds(layout.sectionTable, std::uint64_t{shnum} * kSectionHeaderSize, file.size())) {
        return Bad("section table past the end");
    }
    if (layout.stringTableIndex >= shnum) return Bad("no section name table");
    for (std::uint16_t i = 0; i < shnum; ++i) {
        const std::uint64_t at = layout.sectionTable + std::uint64_t{i} * kSectionHeaderSize;
        SectionHeader s{ReadLe<std::uint32_t>(file, at), ReadLe<std::uint32_t>(file, at + 4),
                        ReadLe<std::uint64_t>(file, at + 24), ReadLe<std::uint64_t>(file, at + 32)};
        if (s.type != kNobits && !InBounds(s.offset, s.size, file.size())) {
            return Bad("section " + std::to_string(i) + " past the end");
        }
        layout.sections.push_back(s);
    }
    return layout;
}

// A section that takes no room in the file (NOBITS) has no contents there, whatever its offset.
ByteView ContentsOf(ByteView file, const SectionHeader& s) {
    return s.type == kNobits ? ByteView{} : file.subspan(s.offset, s.size);
}

std::string_view StringTable(ByteView file, const ElfLayout& layout) {
    return AsText(ContentsOf(file, layout.sections[layout.stringTableIndex]));
}

std::optional<std::string_view> NameAt(std::string_view table, std::uint32_t offset) {
    if (offset >= table.size()) return std::nullopt;
    const std::size_t end = table.find('\0', offset);
    if (end == std::string_view::npos) return std::nullopt;
    return table.substr(offset, end - offset);
}

std::optional<std::size_t> FindSectionIndex(ByteView file, const ElfLayout& layout,
                                            std::string_view name) {
    const std::string_view table = StringTable(file, layout);
    for (std::size_t i = 1; i < layout.sections.size(); ++i) {
        if (NameAt(table, layout.sections[i].name) == name) return i;
    }
    return std::nullopt;
}

// Where a name already stands in the string table, whole or as the tail of a longer name.
std::optional<std::uint32_t> FindName(std::string_view table, std::string_view name) {
    const std::string needle = std::string(name) + '\0';
    const std::size_t at = table.find(needle);
    if (at == std::string_view::npos) return std::nullopt;
    return static_cast<std::uint32_t>(at);
}

void WriteSectionHeader(FilePlan& out, std::uint64_t at, std::uint32_t name, std::uint64_t offset,
                        std::uint64_t size) {
    Bytes header(kSectionHeaderSize, 0);
    WriteLe<std::uint32_t>(header, 0, name);
    WriteLe<std::uint32_t>(header, 4, kProgbits);
    WriteLe<std::uint64_t>(header, 24, offset);
    WriteLe<std::uint64_t>(header, 32, size);
    WriteLe<std::uint64_t>(header, 48, 4);  // data entries are 4-byte aligned
    out.Overwrite(at, header);
}

}  // namespace

bool IsElf(ByteView file) {
    return file.size() >= 4 && std::memcmp(file.data(),
                                           "\x7f"
                                           "ELF",
                                           4) == 0;
}

Result<ByteView> FindElfSection(ByteView file, std::string_view name) {
    auto layout = ReadLayout(file);
    if (!layout) return std::unexpected(layout.error());
    const auto index = FindSectionIndex(file, *layout, name);
    if (!index)
        return Fail(Error::Kind::NotFound, "the file has no " + std::string(name) + " section");
    return ContentsOf(file, layout->sections[*index]);
}

// The bytes that must stay where they are: the header, the program headers, the segments and
// every section but the one to be replaced.
Result<std::vector<FileRange>> KeptRanges(ByteView file, const ElfLayout& layout,
                                          std::optional<std::size_t> target) {
    std::vector<FileRange> kept{{0, kHeaderSize}, layout.programTable};
    for (std::size_t i = 0; i < layout.sections.size(); ++i) {
        const SectionHeader& s = layout.sections[i];
        if (i != target && s.type != kNobits) kept.push_back({s.offset, s.size});
    }
    for (std::uint64_t at = layout.programTable.offset; at < layout.programTable.End();
         at += kProgramHeaderSize) {
        const FileRange segment{ReadLe<std::uint64_t>(file, at + 8),
                                ReadLe<std::uint64_t>(file, at + 32)};
        if (!InBounds(segment.offset, segment.size, file.size())) {
            return Bad("a segment runs past the end");
        }
        kept.push_back(segment);
    }
    return kept;
}

// Names are looked up by offset: a name appended to the table must not become the name of a
// section that pointed past its end, and the table itself must stay.
Result<void> CheckNameTable(ByteView file, const ElfLayout& layout,
                            std::optional<std::size_t> target) {
    const std::string_view names = StringTable(file, layout);
    if (layout.sections[layout.stringTableIndex].type == kNobits ||
        target == layout.stringTableIndex) {
        return Fail(Error::Kind::Unsupported, "the section names would be lost");
    }
    for (std::size_t i = 1; i < layout.sections.size(); ++i) {
        if (layout.sections[i].name >= names.size()) {
            return Bad("the name of section " + std::to_string(i) + " lies outside the name table");
        }
    }
    return {};
}

// Where the data appended after everything the tables describe begins (archives and other
// payloads that programs read from the end of their own file).
std::uint64_t AppendedDataStart(const ElfLayout& layout, std::uint64_t keepEnd,
                                std::optional<std::size_t> target) {
    std::uint64_t start = std::max(
        keepEnd, layout.sectionTable + layout.sections.size() * std::uint64_t{kSectionHeaderSize});
    if (target && layout.sections[*target].type != kNobits) {
        const SectionHeader& old = layout.sections[*target];
        start = std::max(start, old.offset + old.size);
    }
    return start;
}

// New layout: every byte up to the end of the last other section or segment stays where it
// is, then (if the name is new) a grown name table, then the content, then the section table,
// then the data that was appended after everything else.
Result<FilePlan> PlanWithElfSection(ByteView file, std::string_view name, FilePlan content) {
    auto read = ReadLayout(file);
    if (!read) return std::unexpected(read.error());
    ElfLayout& layout = *read;
    const std::optional<std::size_t> target = FindSectionIndex(file, layout, name);
    if (auto ok = CheckNameTable(file, layout, target); !ok) return std::unexpected(ok.error());
    auto kept = KeptRanges(file, layout, target);
    if (!kept) return std::unexpected(kept.error());
    std::uint64_t keepEnd = 0;
    for (const FileRange& range : *kept) keepEnd = std::max(keepEnd, range.End());
    if (!target && layout.sections.size() >= 0xFF00) return Bad("no room for another section");

    const ByteView appended = file.subspan(AppendedDataStart(layout, keepEnd, target));

    FilePlan out(file);
    // The header changes, so it is new bytes; the rest up to keepEnd stays a range of the file.
    out.Append(Bytes(file.begin(), file.begin() + kHeaderSize));
    out.Append(file.subspan(kHeaderSize, keepEnd - kHeaderSize));
    if (target) {  // old content that sits amid kept bytes is blanked, not left stale
        const SectionHeader& old = layout.sections[*target];
        const FileRange oldRange{old.offset, old.FileSize()};
        if (std::ranges::any_of(*kept, [&](const FileRange& r) { return r.Overlaps(oldRange); })) {
            return Fail(Error::Kind::Unsupported,
                        "the " + std::string(name) + " section shares its bytes with other parts");
        }
        if (oldRange.offset < keepEnd) {
            out.Overwrite(oldRange.offset,
                          Bytes(std::min(oldRange.size, keepEnd - oldRange.offset), 0));
        }
    }
    const std::string_view names = StringTable(file, layout);
    std::optional<std::uint32_t> nameOffset = FindName(names, name);
    if (!nameOffset) {
        SectionHeader& table = layout.sections[layout.stringTableIndex];
        nameOffset = static_cast<std::uint32_t>(names.size());
        table.offset = out.Size();
        table.size = names.size() + name.size() + 1;
        out.Append(AsBytes(names));
        out.Append(AsBytes(name));
        out.Append(Bytes{0});
    }
    const std::uint64_t contentOffset = AlignUp(out.Size(), 16);
    const std::uint64_t contentSize = content.Size();
    out.PadTo(contentOffset);
    out.Append(std::move(content));
    const std::uint64_t tableOffset = AlignUp(out.Size(), 8);
    const std::size_t count = layout.sections.size() + (target ? 0 : 1);
    out.PadTo(tableOffset);
    const ByteView oldTable =
        file.subspan(layout.sectionTable, layout.sections.size() * kSectionHeaderSize);
    out.Append(Bytes(oldTable.begin(), oldTable.end()));
    out.PadTo(tableOffset + count * kSectionHeaderSize);
    const SectionHeader& table = layout.sections[layout.stringTableIndex];
    const std::uint64_t tableHeader = tableOffset + layout.stringTableIndex * kSectionHeaderSize;
    WriteLe<std::uint64_t>(out, tableHeader + 24, table.offset);
    WriteLe<std::uint64_t>(out, tableHeader + 32, table.size);
    WriteSectionHeader(out, tableOffset + target.value_or(count - 1) * kSectionHeaderSize,
                       *nameOffset, contentOffset, contentSize);
    WriteLe<std::uint64_t>(out, 40, tableOffset);
    WriteLe<std::uint16_t>(out, 60, static_cast<std::uint16_t>(count));
    out.Append(appended);
    return out;
}

Result<Bytes> WithElfSection(ByteView file, std::string_view name, ByteView content) {
    FilePlan planned(file);
    planned.Append(content);
    auto plan = PlanWithElfSection(file, name, std::move(planned));
    if (!plan) return std::unexpected(plan.error());
    return plan->Flatten();
}

}  // namespace lf
