#include "patcher/patcher_core.h"

#include "catalogue/catalogue_format.h"
#include "common/executable_file.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "common/resource_tree.h"
#include "common/utf8_path.h"

namespace lf::patcher {
namespace {

// "\" on Windows, where only a drive's root ("C:\") ends in one.
constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

}  // namespace

std::string MyPathCD(const std::string& folder) {
    return folder.ends_with(kSeparator) ? folder.substr(0, folder.size() - 1) : folder;
}

std::string MyPathPrefix(const std::string& folder) {
    return folder.ends_with(kSeparator) ? folder : folder + kSeparator;
}

bool FileIsPresent(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && !path.filename().string().starts_with('.');
}

Result<Bytes> ReadResource(const std::filesystem::path& exePath, const std::string& typeName,
                           const std::string& nameText) {
    auto file = ReadWholeFile(exePath);
    if (!file) return std::unexpected(file.error());
    auto data =
        lf::ReadResource(*file, ResourceName::Parse(typeName), ResourceName::Parse(nameText));
    if (!data) return std::unexpected(data.error());
    return CatchOutOfMemory("copy the resource out of " + Utf8OfPath(exePath),
                            [&]() -> Result<Bytes> { return Bytes(data->begin(), data->end()); });
}

std::expected<void, WriteError> WriteResource(const std::filesystem::path& exePath,
                                              const std::filesystem::path& sourcePath,
                                              const std::string& typeName, std::uint16_t id) {
    const auto fail = [](WriteFailure failure, std::string detail) {
        return std::unexpected(WriteError{failure, std::move(detail)});
    };
    if (!FileIsPresent(exePath)) return fail(WriteFailure::ExecutableMissing, Utf8OfPath(exePath));
    auto source = MappedFile::Open(sourcePath, kLargestResources);
    if (!source) {
        return fail(source.error().kind == Error::Kind::TooLarge ? WriteFailure::SourceTooLarge
                                                                 : WriteFailure::SourceUnreadable,
                    source.error().message);
    }
    if (source->Bytes().empty()) return fail(WriteFailure::SourceEmpty, Utf8OfPath(sourcePath));
    auto written = ReplaceResource(
        exePath, {ResourceName::Parse(typeName), id, kCatalogueLanguage, 0, source->Bytes()});
    if (!written) return fail(WriteFailure::RewriteFailed, written.error().message);
    return {};
}

}  // namespace lf::patcher
