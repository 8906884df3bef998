#include "common/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

namespace lf {
namespace {

std::unexpected<Error> IoFailure(const std::string& what, const std::filesystem::path& path,
                                 int error = errno) {
    return Fail(Error::Kind::Io, what + " " + path.string() + ": " + std::strerror(error));
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

bool WriteAll(int fd, ByteView data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data = data.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// Copies a range of the source file to the current end of the output, in the kernel where the
// file systems allow it, else from the source's bytes in memory.
bool CopyRange(int from, ByteView source, std::uint64_t offset, std::uint64_t size, int to) {
    loff_t at = static_cast<loff_t>(offset);
    const loff_t end = at + static_cast<loff_t>(size);
    while (from >= 0 && at < end) {
        const ssize_t copied =
            ::copy_file_range(from, &at, to, nullptr, static_cast<std::size_t>(end - at), 0);
        if (copied < 0 && errno == EINTR) continue;
        if (copied < 0 &&
            (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
            break;
        }
        if (copied < 0) return false;
        if (copied == 0) {  // the source is shorter than its mapping says
            errno = EIO;
            return false;
        }
    }
    const auto done = static_cast<std::size_t>(at);
    return WriteAll(to, source.subspan(done, static_cast<std::size_t>(end) - done));
}

bool WritePlan(int fd, const FilePlan& plan, int sourceFd) {
    for (const FilePlan::Piece& piece : plan.Pieces()) {
        const bool written = piece.fromSource ? CopyRange(sourceFd, plan.Source(),
                                                          piece.sourceOffset, piece.size, fd)
                                              : WriteAll(fd, plan.BytesOf(piece));
        if (!written) return false;
    }
    return true;
}

// Reading or replacing anything but a regular file (a folder, a pipe, a device) is refused.
std::unexpected<Error> NotAFile(const std::string& what, const std::filesystem::path& path,
                                mode_t mode) {
    if (S_ISDIR(mode)) return IoFailure(what, path, EISDIR);
    return Fail(Error::Kind::Io, what + " " + path.string() + ": not a regular file");
}

// The file a path names, through any symbolic links; a dangling link is an error.
Result<std::filesystem::path> ResolveTarget(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (status.type() != std::filesystem::file_type::symlink) return path;
    auto resolved = std::filesystem::canonical(path, ec);
    if (ec) return IoFailure("cannot follow the link", path, ec.value());
    return resolved;
}

// Replacing a file goes around its own permission bits (a rename asks only the folder), so
// they are honoured here: a file we may not write, or that nobody may write, stays as it is.
bool IsReadOnly(const std::filesystem::path& path, mode_t mode) {
    return (mode & 0222) == 0 || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : ".";
}

constexpr std::size_t kTemporarySuffixLength = 6;  // the XXXXXX of mkostemp

// Temporaries carry the name of the file they replace, so that its next rewrite finds them.
std::string TemporaryPrefix(const std::filesystem::path& path) {
    return "." + path.filename().string() + ".tmp-";
}

// Removes what earlier rewrites of the file left behind when they were killed. A rewrite holds
// a lock on its temporary until the rename, so a temporary that can be locked has no writer.
void RemoveStrayTemporaries(const std::filesystem::path& folder, const std::string& prefix) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path& stray = it->path();
        const std::string name = stray.filename().string();
        if (name.size() != prefix.size() + kTemporarySuffixLength || !name.starts_with(prefix)) {
            continue;
        }
        Descriptor file{::open(stray.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)};
        if (file.fd >= 0 && ::flock(file.fd, LOCK_EX | LOCK_NB) == 0) ::unlink(stray.c_str());
    }
}

// Reads up to size bytes from the start of an open file.
Result<Bytes> ReadOpenFile(int fd, const std::filesystem::path& path, std::uint64_t size) {
    Bytes bytes(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return IoFailure("cannot read", path);
        if (got == 0) break;  // the file shrank while being read
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

struct OpenedFile {
    int fd;
    std::uint64_t size;
};

// Opens a regular file of at most `largest` bytes for reading.
Result<OpenedFile> OpenToRead(const std::filesystem::path& path, std::uint64_t largest) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer that may never come.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) return IoFailure("cannot open", path);
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) return IoFailure("cannot read", path);
    if (!S_ISREG(info.st_mode)) return NotAFile("cannot read", path, info.st_mode);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > largest) {
        return Fail(Error::Kind::TooLarge, path.string() +
                                               " is too large: " + std::to_string(size) +
                                               " bytes, at most " + std::to_string(largest));
    }
    return OpenedFile{std::exchange(file.fd, -1), size};
}

}  // namespace

Result<Bytes> ReadWholeFile(const std::filesystem::path& path, std::uint64_t largest) {
    auto opened = OpenToRead(path, largest);
    if (!opened) return std::unexpected(opened.error());
    const Descriptor file{opened->fd};
    return CatchOutOfMemory("read " + path.string(),
                            [&] { return ReadOpenFile(file.fd, path, opened->size); });
}

namespace {

// Writes the new contents to a temporary file in the same folder, flushes it and renames it over
// the target (see WriteFileAtomically).
Result<void> ReplaceFile(const std::filesystem::path& requested,
                         const std::function<bool(int fd)>& writeContents) {
    // A file-size limit must fail the write with EFBIG rather than kill the program.
    static const bool ignoreSizeSignal = (std::signal(SIGXFSZ, SIG_IGN), true);
    (void)ignoreSizeSignal;

    auto resolved = ResolveTarget(requested);
    if (!resolved) return std::unexpected(resolved.error());
    const std::filesystem::path& path = *resolved;
    mode_t mode = 0644;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return NotAFile("cannot replace", path, info.st_mode);
        if (IsReadOnly(path, info.st_mode)) {
            return Fail(Error::Kind::Io,
                        "cannot replace " + path.string() + ": the file is read-only");
        }
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return IoFailure("cannot reach", path);
    }

    const std::filesystem::path folder = FolderOf(path);
    const std::string prefix = TemporaryPrefix(path);
    RemoveStrayTemporaries(folder, prefix);
    std::string temp = (folder / (prefix + std::string(kTemporarySuffixLength, 'X'))).string();
    Descriptor file{::mkostemp(temp.data(), O_CLOEXEC)};
    if (file.fd < 0) return IoFailure("cannot create a file in", folder);
    // The lock marks the temporary as in use until the rename, through a duplicate so that the
    // close below still reports late write errors. Where locks are not supported the temporary
    // merely goes unmarked.
    Descriptor inUse{::dup(file.fd)};
    if (inUse.fd >= 0) ::flock(inUse.fd, LOCK_EX);
    const auto discard = [&](const std::string& what) {
        const int error = errno;
        ::unlink(temp.c_str());
        return IoFailure(what, path, error);
    };
    if (!writeContents(file.fd)) return discard("cannot write");
    if (::fchmod(file.fd, mode) != 0) return discard("cannot set the permissions of");
    if (::fsync(file.fd) != 0) return discard("cannot flush");
    if (::close(file.fd) != 0) {
        file.fd = -1;
        return discard("cannot write");
    }
    file.fd = -1;
    if (::rename(temp.c_str(), path.c_str()) != 0) return discard("cannot replace");
    Descriptor dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);  // the rename is durable once the folder is flushed
    return {};
}

}  // namespace

Result<void> WriteFileAtomically(const std::filesystem::path& path, ByteView data) {
    return ReplaceFile(path, [&](int fd) { return WriteAll(fd, data); });
}

Result<void> WriteFileAtomically(const std::filesystem::path& path, const FilePlan& plan,
                                 int sourceFd) {
    return ReplaceFile(path, [&](int fd) { return WritePlan(fd, plan, sourceFd); });
}

bool CanReplace(const std::filesystem::path& requested) {
    auto resolved = ResolveTarget(requested);
    if (!resolved) return false;
    struct stat info {};
    if (::stat(resolved->c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        IsReadOnly(*resolved, info.st_mode)) {
        return false;
    }
    return ::faccessat(AT_FDCWD, FolderOf(*resolved).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

Result<MappedFile> MappedFile::Open(const std::filesystem::path& path, std::uint64_t largest) {
    auto opened = OpenToRead(path, largest);
    if (!opened) return std::unexpected(opened.error());
    lf::Descriptor file{opened->fd};
    const auto size = static_cast<std::size_t>(opened->size);
    const std::uint8_t* data = nullptr;
    if (size != 0) {
        void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.fd, 0);
        if (mapped == MAP_FAILED && errno == ENOMEM) {
            return Fail(Error::Kind::TooLarge, "not enough memory to read " + path.string());
        }
        if (mapped == MAP_FAILED) return IoFailure("cannot map", path);
        data = static_cast<const std::uint8_t*>(mapped);
    }
    const int fd = std::exchange(file.fd, -1);
    return MappedFile(fd, data, size);
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

MappedFile::~MappedFile() {
    if (data_) ::munmap(const_cast<std::uint8_t*>(data_), size_);
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace lf
