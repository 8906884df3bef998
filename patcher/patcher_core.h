#pragma once

// What Tablepatch does to the browser's executable beside it, apart from any window: find it,
// read its item table out, and write a new table or icon sheet into it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "common/bytes.h"
#include "common/error.h"

namespace lf::patcher {

inline constexpr char kBrowserFileName[] = "Lorefinder.exe";
inline constexpr char kExportFileName[] = "item.txt";

// The program's folder without a trailing separator ("" for the root folder).
std::string MyPathCD(const std::string& folder);
// The program's folder with exactly one trailing separator, ready for a file name.
std::string MyPathPrefix(const std::string& folder);

// Whether a regular, visible file lies at that exact path (folders and dot-files do not count).
bool FileIsPresent(const std::filesystem::path& path);

// The bytes of one resource of an executable, its name given as "#101" or a name. A file too
// large for the memory available is a TooLarge error.
Result<Bytes> ReadResource(const std::filesystem::path& exePath, const std::string& typeName,
                           const std::string& nameText);

// Why a resource could not be written; the executable is untouched in every case.
enum class WriteFailure {
    ExecutableMissing,
    SourceUnreadable,
    SourceEmpty,
    SourceTooLarge,  // for a resource, or for the memory available
    RewriteFailed
};

struct WriteError {
    WriteFailure failure;
    std::string detail;
};

// Replaces one CUSTOM resource (language 2052) of the executable with the source file's bytes,
// unexamined; every other resource stays as it was. A source too large for a resource is refused
// before it is read.
std::expected<void, WriteError> WriteResource(const std::filesystem::path& exePath,
                                              const std::filesystem::path& sourcePath,
                                              const std::string& typeName, std::uint16_t id);

}  // namespace lf::patcher
