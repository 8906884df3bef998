#pragma once

// Resources of an executable file on disk: the rewrite in place, for the desktop's programs and
// tools (the web page reads resources from memory only).

#include <filesystem>

#include "common/error.h"
#include "common/executable_resources.h"

namespace lf {

// Puts the resource into the executable at path, as WithResource does, and replaces the file
// as WriteFileAtomically does; the unchanged bytes go from file to file.
Result<void> ReplaceResource(const std::filesystem::path& path, const ResourceEntry& resource);

}  // namespace lf
