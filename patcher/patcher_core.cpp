#include "patcher/patcher_core.h"

#include "common/executable_resources.h"
#include "common/file_io.h"
#include "common/resource_tree.h"

namespace lf::patcher {

std::string MyPathCD(const std::string& folder) {
    return folder.ends_with('/') ? folder.substr(0, folder.size() - 1) : folder;
}

std::string MyPathPrefix(const std::string& folder) {
    return folder.ends_with('/') ? folder : folder + '/';
}

bool FileIsPresent(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && !path.filename().string().starts_with('.');
}

Result<Bytes> ReadResource(const std::filesystem::path& exePath, const std::string& typeName,
                           const std::string& nameText) {
    auto file = ReadWholeFile(exePath);
    if (!file) return std::unexpected(file.error());
    auto data = lf::ReadResource(*file, ResourceName::Parse(typeName),
                                 ResourceName::Parse(nameText));
    if (!data) return std::unexpected(data.error());
    return Bytes(data->begin(), data->end());
}

std::expected<void, WriteError> WriteResource(const std::filesystem::path& exePath,
                                              const std::filesystem::path& sourcePath,
                                              const std::string& typeName, std::uint16_t id) {
    const auto fail = [](WriteFailure failure, std::string detail) {
        return std::unexpected(WriteError{failure, std::move(detail)});
    };
    if (!FileIsPresent(exePath)) return fail(WriteFailure::ExecutableMissing, exePath.string());
    auto source = ReadWholeFile(sourcePath);
    if (!source) return fail(WriteFailure::SourceUnreadable, source.error().message);
    if (source->empty()) return fail(WriteFailure::SourceEmpty, sourcePath.string());
    auto image = ReadWholeFile(exePath);
    if (!image) return fail(WriteFailure::RewriteFailed, image.error().message);
    auto patched = WithResource(
        *image, {ResourceName::Parse(typeName), id, kCatalogueLanguage, std::move(*source)});
    if (!patched) return fail(WriteFailure::RewriteFailed, patched.error().message);
    if (auto written = WriteFileAtomically(exePath, *patched); !written) {
        return fail(WriteFailure::RewriteFailed, written.error().message);
    }
    return {};
}

}  // namespace lf::patcher
