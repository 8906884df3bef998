#include "common/executable_file.h"

#include "common/file_io.h"

namespace lf {

Result<void> ReplaceResource(const std::filesystem::path& path, const ResourceEntry& resource) {
    auto file = MappedFile::Open(path);
    if (!file) return std::unexpected(file.error());
    auto plan = PlanWithResource(file->Bytes(), resource);
    if (!plan) return std::unexpected(plan.error());
    return WriteFileAtomically(path, *plan, file->Descriptor());
}

}  // namespace lf
