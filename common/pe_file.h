#pragma once

// Windows executables of both widths (PE32 and PE32+): where their resource tree lives, and how to
// give them a new one so that the program still loads, runs and finds its resources.

#include <cstdint>
#include <vector>

#include "common/bytes.h"
#include "common/error.h"
#include "common/resource_tree.h"

namespace lf {

// True for a file that starts as a Windows executable does ("MZ"); whether it really is one,
// the readers below tell.
bool IsPeFile(ByteView file);

// The resource tree that data directory 2 names: its bytes up to the end of its section's data
// in the file, and the address (RVA) its data entries count from.
struct PeResourceTree {
    ByteView bytes;
    std::uint32_t address;
};

// NotFound when the executable has no resources.
Result<PeResourceTree> FindPeResourceTree(ByteView file);

// A copy of the file whose resource tree holds exactly these resources. The tree is rebuilt where
// it stands when it fits or when only relocations follow it (they move along); otherwise it goes
// into a new last section and the old section's bytes are blanked. Data appended after the last
// section is kept, a signature (no longer valid) is dropped, and a non-zero checksum is
// recomputed. Layouts that cannot be rewritten safely are refused with Unsupported.
Result<Bytes> WithPeResources(ByteView file, const std::vector<Resource>& resources);

// The same, as a plan over the file: the unchanged bytes stay ranges of it.
Result<FilePlan> PlanWithPeResources(ByteView file, std::vector<ResourceEntry> resources);

}  // namespace lf
