#pragma once

// Resources of an executable file, whatever its format: the resource tree of a Linux build
// lives in its .rsrc section with offsets relative to the section; that of a 32-bit Windows
// executable where its resource directory says, with data at image addresses.

#include <functional>
#include <vector>

#include "common/bytes.h"
#include "common/catalogue_format.h"
#include "common/error.h"
#include "common/resource_tree.h"

namespace lf {

inline constexpr char kResourceSectionName[] = ".rsrc";

// Reads one resource, whatever its language: the running executable's own in the programs,
// any file's or an in-memory tree's in tests.
using ResourceReader =
    std::function<Result<ByteView>(const ResourceName& type, const ResourceName& name)>;

// Every resource of the file; the entries point into file.
Result<std::vector<ResourceEntry>> ReadResources(ByteView file);

// The bytes of the first resource of that type and name, whatever its language.
Result<ByteView> ReadResource(ByteView file, const ResourceName& type, const ResourceName& name);

// A copy of the file in which the resource of that type, name and language holds the given
// bytes (added when missing); every other resource stays as it was.
Result<Bytes> WithResource(ByteView file, const Resource& resource);

}  // namespace lf
