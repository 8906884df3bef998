// The resource tree parser on any bytes; a tree it accepts is rebuilt and must read back the same.

#include <cstddef>
#include <cstdint>

#include "common/resource_tree.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto entries = lf::ParseResourceTree({data, size}, 0);
    if (!entries) return 0;
    constexpr std::uint32_t kRebuiltBase = 0x4000;
    std::vector<lf::Resource> resources;
    for (const lf::ResourceEntry& e : *entries) {
        resources.push_back(
            {e.type, e.name, e.language, lf::Bytes(e.data.begin(), e.data.end()), e.codePage});
    }
    const lf::Bytes rebuilt = lf::BuildResourceTree(std::move(resources), kRebuiltBase);
    auto again = lf::ParseResourceTree(rebuilt, kRebuiltBase);
    if (!again) lf::fuzz::Violation("a rebuilt tree does not parse");
    lf::fuzz::Require(lf::fuzz::MapOf(*again) == lf::fuzz::MapOf(*entries),
                      "a rebuilt tree reads back differently");
    return 0;
}
