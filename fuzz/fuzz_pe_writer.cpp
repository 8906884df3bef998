// The Windows executable writer: read, write one resource, read again. The new bytes come back,
// every other resource is unchanged, and so is the file data of every other section.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/byte_order.h"
#include "common/pe_file.h"
#include "fuzz/fuzz_support.h"

namespace {

struct RawSection {
    std::uint64_t pointer;
    std::uint64_t size;
};

// The section table of a file the writer accepted or wrote, so its headers are sound.
std::vector<RawSection> RawSections(lf::ByteView file) {
    const std::uint64_t coff = lf::ReadLe<std::uint32_t>(file, 0x3C) + 4;
    const std::uint64_t table = coff + 20 + lf::ReadLe<std::uint16_t>(file, coff + 16);
    std::vector<RawSection> sections(lf::ReadLe<std::uint16_t>(file, coff + 2));
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::uint64_t at = table + 40 * i;
        sections[i] = {lf::ReadLe<std::uint32_t>(file, at + 20),
                       lf::ReadLe<std::uint32_t>(file, at + 16)};
    }
    return sections;
}

// The section whose file data holds the resource tree, if any.
std::optional<std::size_t> TreeSection(lf::ByteView file, const std::vector<RawSection>& sections) {
    auto tree = lf::FindPeResourceTree(file);
    if (!tree) return std::nullopt;
    const std::uint64_t offset = static_cast<std::uint64_t>(tree->bytes.data() - file.data());
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (offset >= sections[i].pointer && offset < sections[i].pointer + sections[i].size) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lf::fuzz::WriterInput input;
    if (!lf::fuzz::ReadWriterInput(data, size, input) || !lf::IsPeFile(input.file)) return 0;
    const std::optional<lf::Bytes> written = lf::fuzz::CheckResourceRewrite(input);
    if (!written) return 0;
    lf::fuzz::Require(lf::IsPeFile(*written), "the rewrite is no Windows executable");

    const std::vector<RawSection> before = RawSections(input.file);
    const std::vector<RawSection> after = RawSections(*written);
    lf::fuzz::Require(after.size() >= before.size(), "a section went missing");
    const std::optional<std::size_t> tree = TreeSection(input.file, before);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i == tree || before[i].size == 0) continue;
        lf::fuzz::Require(after[i].size >= before[i].size, "a section lost data");
        const auto old = input.file.subspan(before[i].pointer, before[i].size);
        const auto now = lf::ByteView(*written).subspan(after[i].pointer, before[i].size);
        lf::fuzz::Require(std::ranges::equal(old, now), "another section's data changed");
    }
    return 0;
}
