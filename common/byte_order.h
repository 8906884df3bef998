#pragma once

// Little-endian field access for the executable formats. Readers check bounds before calling.

#include <cstdint>
#include <cstring>

#include "common/bytes.h"

namespace lf {

template <typename T>
T ReadLe(ByteView bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;  // every supported host is little-endian, as the formats are
}

template <typename T>
void WriteLe(Bytes& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// True when [offset, offset + length) lies inside a buffer of the given size.
inline bool InBounds(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}

inline std::uint64_t AlignUp(std::uint64_t value, std::uint64_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

}  // namespace lf
