// The ELF reader on any bytes: sections and resources it finds lie inside the file.

#include <cstddef>
#include <cstdint>

#include "common/elf_file.h"
#include "common/executable_resources.h"
#include "fuzz/fuzz_support.h"

namespace {

bool Inside(lf::ByteView part, const std::uint8_t* data, std::size_t size) {
    return part.empty() || (part.data() >= data && part.data() + part.size() <= data + size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const lf::ByteView file(data, size);
    for (const char* name : {lf::kResourceSectionName, ".shstrtab", ""}) {
        if (auto section = lf::FindElfSection(file, name)) {
            lf::fuzz::Require(Inside(*section, data, size), "a section outside the file");
        }
    }
    if (auto entries = lf::ReadResources(file)) {
        for (const lf::ResourceEntry& e : *entries) {
            lf::fuzz::Require(Inside(e.data, data, size), "resource data outside the file");
        }
    }
    return 0;
}
