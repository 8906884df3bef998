#include "common/own_resources.h"

#include "common/executable_resources.h"
#include "common/file_io.h"

namespace lf {

Result<ByteView> ReadOwnResource(const ResourceName& type, const ResourceName& name) {
    static const Result<MappedFile> self = MappedFile::Open("/proc/self/exe");
    if (!self) return std::unexpected(self.error());
    return ReadResource(self->Bytes(), type, name);
}

}  // namespace lf
