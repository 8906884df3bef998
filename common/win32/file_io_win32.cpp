// Files on Windows: wide paths, and a rewrite that renames a flushed temporary file over the
// target with MoveFileExW, so that the target is always either the old file or the new one.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "common/file_io.h"
#include "common/win32/wide_text.h"

namespace lf {
namespace {

std::unexpected<Error> IoFailure(const std::string& what, const std::filesystem::path& path) {
    return Fail(Error::Kind::Io, what + " " + Utf8OfPath(path) + ": " + LastErrorText());
}

// Closes a handle when it goes out of scope.
struct Handle {
    HANDLE handle;
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

// ReadFile and WriteFile count in 32 bits.
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

bool WriteAll(HANDLE file, ByteView data) {
    while (!data.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min(data.size(), kLargestTransfer));
        if (!WriteFile(file, data.data(), size, &written, nullptr) || written == 0) return false;
        data = data.subspan(written);
    }
    return true;
}

// The source's ranges come from its bytes in memory: Windows has no file-to-file copy of ranges.
bool WritePlan(HANDLE file, const FilePlan& plan) {
    return std::ranges::all_of(plan.Pieces(), [&](const FilePlan::Piece& piece) {
        return WriteAll(file, plan.BytesOf(piece));
    });
}

struct OpenedFile {
    HANDLE handle;
    std::uint64_t size;
};

// Opens a regular file of at most `largest` bytes for reading; others may go on writing it.
Result<OpenedFile> OpenToRead(const std::filesystem::path& path, std::uint64_t largest) {
    Handle file{CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) return IoFailure("cannot open", path);
    if (GetFileType(file.handle) != FILE_TYPE_DISK) {
        return Fail(Error::Kind::Io, "cannot read " + Utf8OfPath(path) + ": not a regular file");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size)) return IoFailure("cannot read", path);
    const auto bytes = static_cast<std::uint64_t>(size.QuadPart);
    if (bytes > largest) {
        return Fail(Error::Kind::TooLarge, Utf8OfPath(path) +
                                               " is too large: " + std::to_string(bytes) +
                                               " bytes, at most " + std::to_string(largest));
    }
    return OpenedFile{std::exchange(file.handle, INVALID_HANDLE_VALUE), bytes};
}

// Reads into the buffer from the start of an open file; how many bytes there were.
Result<std::size_t> ReadOpenFile(HANDLE file, const std::filesystem::path& path,
                                 std::span<std::uint8_t> buffer) {
    std::size_t done = 0;
    while (done < buffer.size()) {
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min(buffer.size() - done, kLargestTransfer));
        if (!ReadFile(file, buffer.data() + done, wanted, &got, nullptr)) {
            return IoFailure("cannot read", path);
        }
        if (got == 0) break;  // the file shrank while being read
        done += got;
    }
    return done;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : ".";
}

constexpr std::size_t kTemporarySuffixLength = 6;

// Temporaries carry the name of the file they replace, so that its next rewrite finds them.
std::wstring TemporaryPrefix(const std::filesystem::path& path) {
    return L"." + path.filename().native() + L".tmp-";
}

// Removes what earlier rewrites of the file left behind when they were killed. A rewrite keeps
// its temporary open without sharing until the rename, so only abandoned ones can be deleted.
void RemoveStrayTemporaries(const std::filesystem::path& folder, const std::wstring& prefix) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::wstring name = it->path().filename().native();
        if (name.size() == prefix.size() + kTemporarySuffixLength && name.starts_with(prefix)) {
            DeleteFileW(it->path().c_str());
        }
    }
}

// A temporary of a new name in the folder, open for writing and shared with nobody.
std::pair<std::filesystem::path, HANDLE> CreateTemporary(const std::filesystem::path& folder,
                                                         const std::wstring& prefix) {
    static std::atomic<unsigned> counter{GetTickCount() ^ GetCurrentProcessId()};
    constexpr wchar_t kDigits[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned seed = counter.fetch_add(0x9E3779B9u);
        std::wstring suffix;
        for (std::size_t i = 0; i < kTemporarySuffixLength; ++i, seed /= 36) {
            suffix += kDigits[seed % 36];
        }
        std::filesystem::path temp = folder / (prefix + suffix);
        const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return {std::move(temp), file};
        }
    }
    return {{}, INVALID_HANDLE_VALUE};
}

// The target must be a file, or not yet exist; a read-only one stays as it is.
Result<void> CheckReplaceable(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return {};
        SetLastError(error);
        return IoFailure("cannot reach", path);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return Fail(Error::Kind::Io, "cannot replace " + Utf8OfPath(path) + ": it is a folder");
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        return Fail(Error::Kind::Io,
                    "cannot replace " + Utf8OfPath(path) + ": the file is read-only");
    }
    return {};
}

// Writes the new contents to a temporary file in the same folder, flushes it and renames it over
// the target (see WriteFileAtomically).
Result<void> ReplaceFile(const std::filesystem::path& path,
                         const std::function<bool(HANDLE)>& writeContents) {
    if (auto replaceable = CheckReplaceable(path); !replaceable) return replaceable;
    const std::filesystem::path folder = FolderOf(path);
    const std::wstring prefix = TemporaryPrefix(path);
    RemoveStrayTemporaries(folder, prefix);
    auto [temp, handle] = CreateTemporary(folder, prefix);
    Handle file{handle};
    if (file.handle == INVALID_HANDLE_VALUE) return IoFailure("cannot create a file in", folder);
    const auto discard = [&](const std::string& what) {
        auto failure = IoFailure(what, path);
        if (file.handle != INVALID_HANDLE_VALUE)
            CloseHandle(std::exchange(file.handle, INVALID_HANDLE_VALUE));
        DeleteFileW(temp.c_str());
        return failure;
    };
    if (!writeContents(file.handle)) return discard("cannot write");
    if (!FlushFileBuffers(file.handle)) return discard("cannot flush");
    if (!CloseHandle(std::exchange(file.handle, INVALID_HANDLE_VALUE))) {
        return discard("cannot write");
    }
    if (!MoveFileExW(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return discard("cannot replace");
    }
    return {};
}

}  // namespace

Result<Bytes> ReadWholeFile(const std::filesystem::path& path, std::uint64_t largest) {
    auto opened = OpenToRead(path, largest);
    if (!opened) return std::unexpected(opened.error());
    const Handle file{opened->handle};
    return CatchOutOfMemory("read " + Utf8OfPath(path), [&]() -> Result<Bytes> {
        Bytes bytes(static_cast<std::size_t>(opened->size));
        auto read = ReadOpenFile(file.handle, path, bytes);
        if (!read) return std::unexpected(read.error());
        bytes.resize(*read);
        return bytes;
    });
}

Result<void> WriteFileAtomically(const std::filesystem::path& path, ByteView data) {
    return ReplaceFile(path, [&](HANDLE file) { return WriteAll(file, data); });
}

Result<void> WriteFileAtomically(const std::filesystem::path& path, const FilePlan& plan,
                                 int /*sourceFd*/) {
    return ReplaceFile(path, [&](HANDLE file) { return WritePlan(file, plan); });
}

bool CanReplace(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// Windows refuses to replace a file while a view of it is mapped, and the patcher replaces the
// very file it reads: here the file is read into memory instead.
Result<MappedFile> MappedFile::Open(const std::filesystem::path& path, std::uint64_t largest) {
    auto opened = OpenToRead(path, largest);
    if (!opened) return std::unexpected(opened.error());
    const Handle file{opened->handle};
    return CatchOutOfMemory("read " + Utf8OfPath(path), [&]() -> Result<MappedFile> {
        const auto size = static_cast<std::size_t>(opened->size);
        auto data = std::make_unique<std::uint8_t[]>(size);
        auto read = ReadOpenFile(file.handle, path, {data.get(), size});
        if (!read) return std::unexpected(read.error());
        return MappedFile(-1, data.release(), *read);
    });
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

MappedFile::~MappedFile() { delete[] data_; }

}  // namespace lf
