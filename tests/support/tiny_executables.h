#pragma once

// Tiny executables built byte by byte: a Windows program and a 64-bit ELF file with just
// the headers and sections the resource readers and writers look at. The hostile-input tests
// damage them; the fuzz targets' seeds are made from them.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_order.h"
#include "common/bytes.h"
#include "common/resource_tree.h"

namespace lf::testing {

struct PeSection {
    std::string name;
    std::uint32_t address;
    Bytes data;
    std::uint32_t characteristics;
};

// Where the fields of TinyPe's 32-bit headers are.
namespace tiny_pe {
inline constexpr std::size_t kCoff = 0x44;  // after "PE\0\0" at 0x40
inline constexpr std::size_t kOptional = kCoff + 20;
inline constexpr std::size_t kSectionTable = kOptional + 0xE0;
inline constexpr std::size_t kHeadersSize = 0x200;
inline constexpr std::size_t kFileAlignment = 0x200;
inline constexpr std::size_t kSectionAlignment = 0x1000;
inline constexpr std::size_t Directory(int index) { return kOptional + 96 + 8 * index; }
inline constexpr std::size_t SectionHeader(int index) { return kSectionTable + 40 * index; }
}  // namespace tiny_pe

// A 32-bit Windows program with these sections one after the other in the file; data
// directory 2 names a section called .rsrc, directory 5 one called .reloc. A wide one is 64-bit
// (PE32+): its optional header has 16 more bytes before the data directories.
inline Bytes TinyPe(const std::vector<PeSection>& sections, std::uint32_t checksum = 0,
                    bool wide = false) {
    using namespace tiny_pe;
    const std::size_t extra = wide ? 16 : 0;
    Bytes pe(kHeadersSize, 0);
    pe[0] = 'M', pe[1] = 'Z';
    WriteLe<std::uint32_t>(pe, 0x3C, 0x40);
    std::memcpy(pe.data() + 0x40, "PE\0\0", 4);
    WriteLe<std::uint16_t>(pe, kCoff, wide ? 0x8664 : 0x14C);  // x86-64 or i386
    WriteLe<std::uint16_t>(pe, kCoff + 2, static_cast<std::uint16_t>(sections.size()));
    WriteLe<std::uint16_t>(pe, kCoff + 16, static_cast<std::uint16_t>(0xE0 + extra));
    WriteLe<std::uint16_t>(pe, kCoff + 18, wide ? 0x0022 : 0x0102);  // executable, width
    WriteLe<std::uint16_t>(pe, kOptional, wide ? 0x20B : 0x10B);
    WriteLe<std::uint32_t>(pe, kOptional + 16, 0x1000);  // entry point in the first section
    if (wide) {
        WriteLe<std::uint64_t>(pe, kOptional + 24, 0x140000000);
    } else {
        WriteLe<std::uint32_t>(pe, kOptional + 28, 0x400000);
    }
    WriteLe<std::uint32_t>(pe, kOptional + 32, kSectionAlignment);
    WriteLe<std::uint32_t>(pe, kOptional + 36, kFileAlignment);
    WriteLe<std::uint32_t>(pe, kOptional + 60, kHeadersSize);
    WriteLe<std::uint32_t>(pe, kOptional + 64, checksum);
    WriteLe<std::uint16_t>(pe, kOptional + 68, 3);  // console
    WriteLe<std::uint32_t>(pe, kOptional + 92 + extra, 16);
    std::uint64_t imageEnd = kSectionAlignment;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const PeSection& s = sections[i];
        const std::size_t at = SectionHeader(static_cast<int>(i)) + extra;
        std::memcpy(pe.data() + at, s.name.data(), std::min<std::size_t>(s.name.size(), 8));
        WriteLe<std::uint32_t>(pe, at + 8, static_cast<std::uint32_t>(s.data.size()));
        WriteLe<std::uint32_t>(pe, at + 12, s.address);
        WriteLe<std::uint32_t>(pe, at + 16,
                               static_cast<std::uint32_t>(AlignUp(s.data.size(), kFileAlignment)));
        WriteLe<std::uint32_t>(pe, at + 20, static_cast<std::uint32_t>(pe.size()));
        WriteLe<std::uint32_t>(pe, at + 36, s.characteristics);
        if (s.name == ".rsrc" || s.name == ".reloc") {
            const std::size_t directory = Directory(s.name == ".rsrc" ? 2 : 5) + extra;
            WriteLe<std::uint32_t>(pe, directory, s.address);
            WriteLe<std::uint32_t>(pe, directory + 4, static_cast<std::uint32_t>(s.data.size()));
        }
        pe.insert(pe.end(), s.data.begin(), s.data.end());
        pe.resize(AlignUp(pe.size(), kFileAlignment));
        imageEnd = AlignUp(s.address + s.data.size(), kSectionAlignment);
    }
    WriteLe<std::uint32_t>(pe, kOptional + 56, static_cast<std::uint32_t>(imageEnd));
    return pe;
}

inline PeSection TextSection() {
    return {".text", 0x1000, Bytes{0xC3, 0x90, 0x90, 0x90}, 0x60000020};
}

inline PeSection ResourceSection(std::uint32_t address, std::vector<Resource> resources) {
    return {".rsrc", address, BuildResourceTree(std::move(resources), address), 0x40000040};
}

inline PeSection RelocationSection(std::uint32_t address) {
    return {".reloc", address, Bytes{0, 0x10, 0, 0, 10, 0, 0, 0, 0, 0}, 0x42000040};
}

// Where the fields of TinyElf's headers are.
namespace tiny_elf {
inline constexpr std::size_t kProgramHeaders = 64;
inline constexpr std::size_t kText = kProgramHeaders + 56;
inline constexpr std::uint16_t kNameTableIndex = 2;
inline std::uint64_t SectionTable(ByteView elf) { return ReadLe<std::uint64_t>(elf, 40); }
inline std::uint64_t SectionHeader(ByteView elf, int index) {
    return SectionTable(elf) + 64ull * index;
}
}  // namespace tiny_elf

// A 64-bit ELF program: header, one loaded segment over the header and .text, then .text,
// the section names and the section table (null, .text, .shstrtab).
inline Bytes TinyElf() {
    using namespace tiny_elf;
    const std::string names("\0.text\0.shstrtab\0", 17);
    Bytes elf(kText, 0);
    std::memcpy(elf.data(),
                "\x7f"
                "ELF\x02\x01\x01",
                7);
    WriteLe<std::uint16_t>(elf, 16, 2);     // executable
    WriteLe<std::uint16_t>(elf, 18, 0x3E);  // x86-64
    WriteLe<std::uint32_t>(elf, 20, 1);
    WriteLe<std::uint64_t>(elf, 32, kProgramHeaders);
    WriteLe<std::uint16_t>(elf, 52, 64);
    WriteLe<std::uint16_t>(elf, 54, 56);
    WriteLe<std::uint16_t>(elf, 56, 1);
    WriteLe<std::uint16_t>(elf, 58, 64);
    for (std::uint8_t b : {0x31, 0xC0, 0xC3}) elf.push_back(b);  // xor eax, eax; ret
    WriteLe<std::uint32_t>(elf, kProgramHeaders, 1);             // PT_LOAD, read + execute
    WriteLe<std::uint32_t>(elf, kProgramHeaders + 4, 5);
    WriteLe<std::uint64_t>(elf, kProgramHeaders + 32, elf.size());
    WriteLe<std::uint64_t>(elf, kProgramHeaders + 40, elf.size());
    const std::uint64_t nameOffset = elf.size();
    elf.insert(elf.end(), names.begin(), names.end());
    elf.resize(AlignUp(elf.size(), 8));
    const std::uint64_t table = elf.size();
    elf.resize(table + 3 * 64, 0);
    const auto section = [&](int index, std::uint32_t name, std::uint32_t type,
                             std::uint64_t offset, std::uint64_t size) {
        const std::uint64_t at = table + 64ull * index;
        WriteLe<std::uint32_t>(elf, at, name);
        WriteLe<std::uint32_t>(elf, at + 4, type);
        WriteLe<std::uint64_t>(elf, at + 24, offset);
        WriteLe<std::uint64_t>(elf, at + 32, size);
    };
    section(1, 1, 1, kText, 3);                                // .text, PROGBITS
    section(kNameTableIndex, 7, 3, nameOffset, names.size());  // .shstrtab, STRTAB
    WriteLe<std::uint64_t>(elf, 40, table);
    WriteLe<std::uint16_t>(elf, 60, 3);
    WriteLe<std::uint16_t>(elf, 62, kNameTableIndex);
    return elf;
}

}  // namespace lf::testing
