#include "common/executable_resources.h"

#include "common/elf_file.h"
#include "common/pe_file.h"

namespace lf {
namespace {

// The resource tree's bytes and the address its data entries count from: the section start
// in our Linux build, the tree's own address in a Windows executable.
struct TreeBytes {
    ByteView bytes;
    std::uint32_t base;
};

Result<TreeBytes> FindTree(ByteView file) {
    if (IsPeFile(file)) {
        auto tree = FindPeResourceTree(file);
        if (!tree) return std::unexpected(tree.error());
        return TreeBytes{tree->bytes, tree->address};
    }
    if (!IsElf(file)) {
        return Fail(Error::Kind::Unsupported, "not an executable file this program can read");
    }
    auto section = FindElfSection(file, kResourceSectionName);
    if (!section) return std::unexpected(section.error());
    return TreeBytes{*section, 0};
}

}  // namespace

Result<std::vector<ResourceEntry>> ReadResources(ByteView file) {
    auto tree = FindTree(file);
    if (!tree) return std::unexpected(tree.error());
    return ParseResourceTree(tree->bytes, tree->base);
}

Result<ByteView> ReadResource(ByteView file, const ResourceName& type, const ResourceName& name) {
    auto entries = ReadResources(file);
    if (!entries) return std::unexpected(entries.error());
    const ResourceEntry* entry = FindResource(*entries, type, name, kCatalogueLanguage);
    if (!entry) {
        return Fail(Error::Kind::NotFound,
                    "resource " + type.ToString() + "/" + name.ToString() + " not found");
    }
    return entry->data;
}

Result<Bytes> WithResource(ByteView file, const Resource& resource) {
    std::vector<Resource> resources;
    if (auto entries = ReadResources(file); entries) {
        for (const ResourceEntry& e : *entries) {
            resources.push_back(
                {e.type, e.name, e.language, Bytes(e.data.begin(), e.data.end()), e.codePage});
        }
    } else if (entries.error().kind != Error::Kind::NotFound) {
        return std::unexpected(entries.error());
    }
    resources.push_back(resource);  // replaces an entry of the same type, name and language
    if (IsPeFile(file)) return WithPeResources(file, std::move(resources));
    return WithElfSection(file, kResourceSectionName, BuildResourceTree(std::move(resources), 0));
}

}  // namespace lf
