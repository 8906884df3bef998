#pragma once

// The child processes of a test: part of the test run in a forked child, under a file size or
// memory limit or as an unprivileged user (root writes through any permission bits), so that the
// test process itself stays unchanged; and shell commands whose status and output the test checks.

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

namespace lf::testing {

struct ChildLimits {
    std::optional<rlim_t> fileSizeLimit = std::nullopt;  // RLIMIT_FSIZE: writes fail with EFBIG
    bool unprivileged = false;                           // as root, become the user "nobody"
    // RLIMIT_AS: allocations fail beyond this much more than the child has mapped at its start
    std::optional<rlim_t> memoryHeadroom = std::nullopt;

    bool Any() const { return fileSizeLimit || unprivileged || memoryHeadroom; }
};

struct ChildRun {
    int status = -1;     // the exit status, -1 when the child did not exit
    std::string output;  // what it printed (for RunInChild, then what the work returned)
};

// The user that an unprivileged child becomes when we are root; none when we are not (the child
// then stays ourselves, unprivileged already).
inline std::optional<passwd> UnprivilegedUser() {
    if (::geteuid() != 0) return std::nullopt;
    const passwd* nobody = ::getpwnam("nobody");
    return nobody ? std::optional<passwd>(*nobody) : std::nullopt;
}

namespace detail {

inline bool ApplyLimits(const ChildLimits& limits) {
    if (limits.memoryHeadroom) {
        rlim_t mappedPages = 0;
        std::ifstream("/proc/self/statm") >> mappedPages;
        rlimit memory{};
        ::getrlimit(RLIMIT_AS, &memory);
        memory.rlim_cur = mappedPages * ::sysconf(_SC_PAGESIZE) + *limits.memoryHeadroom;
        if (mappedPages == 0 || ::setrlimit(RLIMIT_AS, &memory) != 0) return false;
    }
    if (limits.fileSizeLimit) {
        rlimit size{};
        ::getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = *limits.fileSizeLimit;
        if (::setrlimit(RLIMIT_FSIZE, &size) != 0) return false;
    }
    if (limits.unprivileged && ::geteuid() == 0) {
        const auto user = UnprivilegedUser();
        return user && ::setgroups(0, nullptr) == 0 && ::setgid(user->pw_gid) == 0 &&
               ::setuid(user->pw_uid) == 0;
    }
    return true;
}

inline void WriteAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace detail

// Runs `work` in a child with the limits applied. The child may also replace itself with
// another program (its exit status then comes back).
inline ChildRun RunInChild(const ChildLimits& limits, const std::function<std::string()>& work) {
    ChildRun run;
    int channel[2];
    if (::pipe(channel) != 0) return run;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::dup2(channel[1], STDOUT_FILENO);
        ::dup2(channel[1], STDERR_FILENO);
        if (!detail::ApplyLimits(limits)) {
            detail::WriteAll(channel[1], "the child's limits could not be applied");
            ::_exit(125);
        }
        const std::string text = work();
        std::fflush(nullptr);
        detail::WriteAll(channel[1], text);
        ::_exit(0);
    }
    ::close(channel[1]);
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            run.output.append(buffer, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    return run;
}

// Runs a command in the shell; its standard output comes back, its standard error goes where
// the command sends it.
inline ChildRun RunShell(const std::string& command) {
    ChildRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        run.output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

// Whether a child can run unprivileged: as root, whether it can become the user "nobody".
inline bool CanRunUnprivileged() {
    return RunInChild({.fileSizeLimit = std::nullopt, .unprivileged = true}, [] {
               return std::string();
           }).status == 0;
}

}  // namespace lf::testing
