#pragma once

// Reading whole files, and writing them so that a failure never leaves a damaged file.

#include <cstdint>
#include <filesystem>
#include <limits>

#include "common/bytes.h"
#include "common/error.h"
#include "common/file_plan.h"

namespace lf {

// A file of more than `largest` bytes is refused (TooLarge) before anything is read.
Result<Bytes> ReadWholeFile(const std::filesystem::path& path,
                            std::uint64_t largest = std::numeric_limits<std::uint64_t>::max());

// Writes a temporary file in the same folder, flushes it to disk, gives it the permission bits
// of the file it replaces, and renames it over the target. On any failure the target is
// untouched, the temporary file is removed, and the error says what failed. A read-only target
// (one we may not write, or one without any write permission) is refused. Temporaries that
// killed rewrites of the same file left behind are removed.
Result<void> WriteFileAtomically(const std::filesystem::path& path, ByteView data);

// The same for the planned bytes. The source's ranges are copied file to file from sourceFd,
// an open descriptor of the plan's source (-1: from memory), which may be the file replaced.
// Windows writes them from memory.
Result<void> WriteFileAtomically(const std::filesystem::path& path, const FilePlan& plan,
                                 int sourceFd);

// Whether WriteFileAtomically may replace this existing file now: the file is not read-only and
// its folder takes the temporary file.
bool CanReplace(const std::filesystem::path& path);

// A read-only view of a whole regular file that stays valid as long as the object lives,
// with the file kept open (on Windows a copy in memory, with no descriptor). A file of more than
// `largest` bytes is refused as ReadWholeFile does.
class MappedFile {
  public:
    static Result<MappedFile> Open(
        const std::filesystem::path& path,
        std::uint64_t largest = std::numeric_limits<std::uint64_t>::max());
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&&) = delete;
    ~MappedFile();
    ByteView Bytes() const { return {data_, size_}; }
    int Descriptor() const { return fd_; }

  private:
    MappedFile(int fd, const std::uint8_t* data, std::size_t size)
        : fd_(fd), data_(data), size_(size) {}
    int fd_;
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace lf
