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
    return CatchOutOfMemory("read the resources",
                            [&] { return ParseResourceTree(tree->bytes, tree->base); });
}

Result<ByteView> ReadResource(ByteView file, const ResourceName& type, const ResourceName& name) {
    auto entries = ReadResources(file);
    if (!entries) return std::unexpected(entries.error());
    const ResourceEntry* entry = FindResource(*entries, type, name, kLanguageChinesePrc);
    if (!entry) {
        return Fail(Error::Kind::NotFound,
                    "resource " + type.ToString() + "/" + name.ToString() + " not found");
    }
    return entry->data;
}

Result<FilePlan> PlanWithResource(ByteView file, const ResourceEntry& resource) {
    std::vector<ResourceEntry> kept;
    if (auto entries = ReadResources(file); entries) {
        kept = std::move(*entries);
    } else if (entries.error().kind != Error::Kind::NotFound) {
        return std::unexpected(entries.error());
    }
    std::erase_if(kept, [&](const ResourceEntry& e) {
        return e.type == resource.type && e.name == resource.name &&
               e.language == resource.language;
    });
    std::uint64_t total = resource.data.size();
    for (const ResourceEntry& e : kept) total += e.data.size();
    if (total > kLargestResources) {
        return Fail(Error::Kind::TooLarge, "the resources would hold " + std::to_string(total) +
                                               " bytes, at most " +
                                               std::to_string(kLargestResources));
    }
    return CatchOutOfMemory("rewrite the executable", [&]() -> Result<FilePlan> {
        kept.push_back(resource);
        if (IsPeFile(file)) return PlanWithPeResources(file, std::move(kept));
        return PlanWithElfSection(file, kResourceSectionName,
                                  PlanResourceTree(std::move(kept), 0, file));
    });
}

Result<Bytes> WithResource(ByteView file, const Resource& resource) {
    auto plan = PlanWithResource(
        file, {resource.type, resource.name, resource.language, resource.codePage, resource.data});
    if (!plan) return std::unexpected(plan.error());
    return CatchOutOfMemory("rewrite the executable",
                            [&]() -> Result<Bytes> { return plan->Flatten(); });
}

}  // namespace lf
