#pragma once

#include <expected>
#include <string>
#include <utility>

namespace lf {

// A failure reported as a value: what went wrong, in words a user can act on.
struct Error {
    enum class Kind { NotFound, Malformed, Unsupported, Io };
    Kind kind;
    std::string message;
};

template <typename T>
using Result = std::expected<T, Error>;

inline std::unexpected<Error> Fail(Error::Kind kind, std::string message) {
    return std::unexpected(Error{kind, std::move(message)});
}

}  // namespace lf
