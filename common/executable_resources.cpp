#include "common/executable_resources.h"

#include "common/elf_file.h"

namespace lf {
namespace {

Result<ByteView> ResourceSection(ByteView file) {
    if (!IsElf(file)) return Fail(Error::Kind::Unsupported, "not an executable file this program can read");
    return FindElfSection(file, kResourceSectionName);
}

}  // namespace

Result<std::vector<ResourceEntry>> ReadResources(ByteView file) {
    auto section = ResourceSection(file);
    if (!section) return std::unexpected(section.error());
    return ParseResourceTree(*section, 0);
}

Result<ByteView> ReadResource(ByteView file, const ResourceName& type, const ResourceName& name) {
    auto entries = ReadResources(file);
    if (!entries) return std::unexpected(entries.error());
    const ResourceEntry* entry = FindResource(*entries, type, name);
    if (!entry) {
        return Fail(Error::Kind::NotFound,
                    "resource " + type.ToString() + "/" + name.ToString() + " not found");
    }
    return entry->data;
}

Result<Bytes> WithResource(ByteView file, const Resource& resource) {
    std::vector<Resource> resources;
    if (auto section = ResourceSection(file); section) {
        auto entries = ParseResourceTree(*section, 0);
        if (!entries) return std::unexpected(entries.error());
        for (const ResourceEntry& e : *entries) {
            resources.push_back({e.type, e.name, e.language, Bytes(e.data.begin(), e.data.end()),
                                 e.codePage});
        }
    } else if (section.error().kind != Error::Kind::NotFound) {
        return std::unexpected(section.error());
    }
    resources.push_back(resource);  // replaces an entry of the same type, name and language
    return WithElfSection(file, kResourceSectionName, BuildResourceTree(std::move(resources), 0));
}

}  // namespace lf
