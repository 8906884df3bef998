// The ELF writer: read, write one resource, read again. The new bytes come back, every other
// resource is unchanged, and nothing else the file holds moves or changes: the header (but for
// the section table's place and count), the program headers, the segments, the other sections.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/byte_order.h"
#include "common/elf_file.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr std::uint32_t kNobits = 8;

struct Range {
    std::uint64_t offset;
    std::uint64_t size;
};

// File ranges of a file the writer accepted or wrote, so its tables are in bounds.
struct ElfRanges {
    std::vector<Range> sections;  // NOBITS sections as empty ranges
    std::vector<std::uint32_t> names;
    std::vector<Range> segments;
    Range programHeaders;
    std::size_t nameTable;
};

ElfRanges RangesOf(lf::ByteView file) {
    ElfRanges r;
    const auto phoff = lf::ReadLe<std::uint64_t>(file, 32);
    const auto shoff = lf::ReadLe<std::uint64_t>(file, 40);
    r.programHeaders = {phoff, lf::ReadLe<std::uint16_t>(file, 56) * 56ull};
    for (std::uint64_t at = phoff; at < phoff + r.programHeaders.size; at += 56) {
        r.segments.push_back(
            {lf::ReadLe<std::uint64_t>(file, at + 8), lf::ReadLe<std::uint64_t>(file, at + 32)});
    }
    for (std::uint16_t i = 0, n = lf::ReadLe<std::uint16_t>(file, 60); i < n; ++i) {
        const std::uint64_t at = shoff + 64ull * i;
        const bool nobits = lf::ReadLe<std::uint32_t>(file, at + 4) == kNobits;
        r.names.push_back(lf::ReadLe<std::uint32_t>(file, at));
        r.sections.push_back({lf::ReadLe<std::uint64_t>(file, at + 24),
                              nobits ? 0 : lf::ReadLe<std::uint64_t>(file, at + 32)});
    }
    r.nameTable = lf::ReadLe<std::uint16_t>(file, 62);
    return r;
}

// An empty range holds no bytes wherever it points: a section that takes no room in the file
// may name any offset, even one past the end.
lf::ByteView Bytes(lf::ByteView file, Range range) {
    return range.size == 0 ? lf::ByteView() : file.subspan(range.offset, range.size);
}

// The first section after the null one with that name, as the reader looks it up.
std::optional<std::size_t> SectionNamed(lf::ByteView file, const ElfRanges& r,
                                        std::string_view name) {
    const std::string_view table = lf::AsText(Bytes(file, r.sections[r.nameTable]));
    for (std::size_t i = 1; i < r.sections.size(); ++i) {
        if (r.names[i] >= table.size()) continue;
        const std::string_view rest = table.substr(r.names[i]);
        const std::size_t end = rest.find('\0');
        if (end != std::string_view::npos && rest.substr(0, end) == name) return i;
    }
    return std::nullopt;
}

lf::Bytes WithoutSectionTablePlace(lf::ByteView file) {
    lf::Bytes copy(file.begin(), file.end());
    lf::WriteLe<std::uint64_t>(copy, 40, 0);
    lf::WriteLe<std::uint16_t>(copy, 60, 0);
    return copy;
}

bool Same(lf::ByteView before, lf::ByteView after, Range range) {
    return range.offset + range.size <= after.size() &&
           std::ranges::equal(Bytes(before, range), Bytes(after, range));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lf::fuzz::WriterInput input;
    if (!lf::fuzz::ReadWriterInput(data, size, input) || !lf::IsElf(input.file)) return 0;
    const std::optional<lf::Bytes> written = lf::fuzz::CheckResourceRewrite(input);
    if (!written) return 0;
    lf::fuzz::Require(lf::IsElf(*written), "the rewrite is no ELF file");
    const ElfRanges old = RangesOf(input.file);
    const ElfRanges now = RangesOf(*written);
    // The section table's place and count may change, wherever the header is seen from (the
    // first segment usually covers it); nothing else may.
    const lf::Bytes before = WithoutSectionTablePlace(input.file);
    const lf::Bytes after = WithoutSectionTablePlace(*written);
    lf::fuzz::Require(Same(before, after, {0, 64}), "the ELF header changed");
    lf::fuzz::Require(Same(before, after, old.programHeaders), "the program headers changed");
    for (const Range& segment : old.segments) {
        lf::fuzz::Require(Same(before, after, segment), "a segment changed");
    }
    const std::optional<std::size_t> target =
        SectionNamed(input.file, old, lf::kResourceSectionName);
    for (std::size_t i = 0; i < old.sections.size(); ++i) {
        if (i == target) continue;
        // The name table may move and grow; what it held stays at its start.
        if (i == old.nameTable) {  // a moved copy is of the file as it was
            const bool moved = old.sections[i].offset != now.sections[i].offset;
            const auto was = Bytes(moved ? input.file : lf::ByteView(before), old.sections[i]);
            const auto is =
                Bytes(moved ? lf::ByteView(*written) : lf::ByteView(after), now.sections[i]);
            lf::fuzz::Require(
                is.size() >= was.size() && std::ranges::equal(was, is.first(was.size())),
                "the section names changed");
        } else {
            lf::fuzz::Require(
                std::ranges::equal(Bytes(before, old.sections[i]), Bytes(after, now.sections[i])),
                "another section's data changed");
        }
    }
    return 0;
}
