#pragma once

#include <expected>
#include <new>
#include <string>
#include <utility>

namespace lf {

// A failure reported as a value: what went wrong, in words a user can act on.
struct Error {
    // TooLarge: more than the format can carry or the memory available can hold.
    enum class Kind { NotFound, Malformed, Unsupported, Io, TooLarge };
    Kind kind;
    std::string message;
};

template <typename T>
using Result = std::expected<T, Error>;

inline std::unexpected<Error> Fail(Error::Kind kind, std::string message) {
    return std::unexpected(Error{kind, std::move(message)});
}

// Runs work that returns a Result, turning a failed allocation into a TooLarge error: a file too
// large for the memory available is refused like any other, it does not end the program.
template <typename Work>
auto CatchOutOfMemory(const std::string& task, Work&& work) -> decltype(work()) {
#if defined(__cpp_exceptions)
    try {
        return std::forward<Work>(work)();
    } catch (const std::bad_alloc&) {
        return Fail(Error::Kind::TooLarge, "not enough memory to " + task);
    }
#else
    // Built without exceptions (the web page): a failed allocation traps, and the page says so.
    static_cast<void>(task);
    return std::forward<Work>(work)();
#endif
}

}  // namespace lf
