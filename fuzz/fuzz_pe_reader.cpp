// The Windows executable reader on any bytes: the resource tree it finds lies inside the file.

#include <cstddef>
#include <cstdint>

#include "common/executable_resources.h"
#include "common/pe_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const lf::ByteView file(data, size);
    if (auto tree = lf::FindPeResourceTree(file)) {
        lf::fuzz::Require(
            tree->bytes.data() >= data && tree->bytes.data() + tree->bytes.size() <= data + size,
            "a resource tree outside the file");
    }
    if (auto entries = lf::ReadResources(file)) {
        for (const lf::ResourceEntry& e : *entries) {
            lf::fuzz::Require(e.data.empty() || (e.data.data() >= data &&
                                                 e.data.data() + e.data.size() <= data + size),
                              "resource data outside the file");
        }
    }
    return 0;
}
