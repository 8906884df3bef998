#pragma once

// Resources of an executable file, whatever its format: the resource tree of a Linux build
// lives in its .rsrc section with offsets relative to the section; that of a Windows
// executable where its resource directory says, with data at image addresses.

#include <functional>
#include <vector>

#include "common/bytes.h"
#include "common/error.h"
#include "common/file_plan.h"
#include "common/resource_tree.h"

namespace lf {

inline constexpr char kResourceSectionName[] = ".rsrc";
// What the resources of one executable may hold together: the tree counts in 32 bits, and a
// 32-bit Windows program must stay well under 2 GiB to load.
inline constexpr std::uint64_t kLargestResources = std::uint64_t{1} << 30;

// Reads one resource as ReadResource does: the running executable's own in the programs, any
// file's or an in-memory tree's in tests.
using ResourceReader =
    std::function<Result<ByteView>(const ResourceName& type, const ResourceName& name)>;

// Every resource of the file; the entries point into file.
Result<std::vector<ResourceEntry>> ReadResources(ByteView file);

// The bytes of the resource of that type and name in Chinese (PRC), the language the patcher
// writes, else in the first language the file holds for it.
Result<ByteView> ReadResource(ByteView file, const ResourceName& type, const ResourceName& name);

// A copy of the file in which the resource of that type, name and language holds the given
// bytes (added when missing); every other resource stays as it was. Resources of more than
// kLargestResources bytes together, or a copy beyond the memory available, are TooLarge.
Result<Bytes> WithResource(ByteView file, const Resource& resource);

// The same copy as a plan over the file, whose unchanged bytes stay ranges of it; the plan
// borrows the resource's data.
Result<FilePlan> PlanWithResource(ByteView file, const ResourceEntry& resource);

}  // namespace lf
