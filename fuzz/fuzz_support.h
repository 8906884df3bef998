#pragma once

// What the fuzz targets share: the shape of a writer's input and the resource round trip both
// executable writers promise.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "common/bytes.h"
#include "common/executable_resources.h"
#include "common/resource_tree.h"

namespace lf::fuzz {

// A broken promise is a finding: libFuzzer keeps the input that aborts.
[[noreturn]] inline void Violation(const char* what) {
    std::fprintf(stderr, "fuzz property violated: %s\n", what);
    std::abort();
}

inline void Require(bool holds, const char* what) {
    if (!holds) Violation(what);
}

struct ResourceKey {
    ResourceName type;
    ResourceName name;
    std::uint16_t language;
    bool operator==(const ResourceKey&) const = default;
    bool operator<(const ResourceKey& other) const {
        return std::tie(type, name, language) < std::tie(other.type, other.name, other.language);
    }
};

struct ResourceValue {
    Bytes data;
    std::uint32_t codePage;
    bool operator==(const ResourceValue&) const = default;
};

using ResourceMap = std::map<ResourceKey, ResourceValue>;

// The resources by key; of duplicates the later one counts, as a rewrite keeps it.
inline ResourceMap MapOf(const std::vector<ResourceEntry>& entries) {
    ResourceMap map;
    for (const ResourceEntry& e : entries) {
        map[{e.type, e.name, e.language}] = {Bytes(e.data.begin(), e.data.end()), e.codePage};
    }
    return map;
}

// A writer's input: four bytes that pick the resource to write, then the executable.
// Byte 0 below 0x80 replaces an existing resource (the byte picks which), else adds
// CUSTOM/#(byte)/2052; bytes 1-2 are the new data's size, byte 3 its pattern and code page.
struct WriterInput {
    ByteView file;
    std::uint8_t choice;
    std::size_t size;
    std::uint8_t pattern;
};

inline bool ReadWriterInput(const std::uint8_t* data, std::size_t size, WriterInput& input) {
    if (size < 4) return false;
    input = {ByteView(data + 4, size - 4), data[0],
             static_cast<std::size_t>(data[1] | data[2] << 8), data[3]};
    return true;
}

inline Resource ResourceToWrite(const WriterInput& input, const std::vector<ResourceEntry>& old) {
    Bytes bytes(input.size);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(input.pattern + i * 31);
    }
    if (input.choice < 0x80 && !old.empty()) {
        const ResourceEntry& e = old[input.choice % old.size()];
        return {e.type, e.name, e.language, std::move(bytes), input.pattern};
    }
    return {ResourceName(u"CUSTOM"), input.choice, kLanguageChinesePrc, std::move(bytes),
            input.pattern};
}

// Reads the file, writes one resource with WithResource and re-reads the result: the new bytes
// come back under their key and every other resource is unchanged. Returns the rewritten file,
// or nothing when the file was refused with an error.
inline std::optional<Bytes> CheckResourceRewrite(const WriterInput& input) {
    auto old = ReadResources(input.file);
    const Resource resource = ResourceToWrite(input, old ? *old : std::vector<ResourceEntry>{});
    auto written = WithResource(input.file, resource);
    if (!old && old.error().kind != Error::Kind::NotFound) {
        Require(!written, "a file whose resources cannot be read was rewritten");
    }
    if (!written) return std::nullopt;

    ResourceMap expected = old ? MapOf(*old) : ResourceMap{};
    expected[{resource.type, resource.name, resource.language}] = {resource.data,
                                                                   resource.codePage};
    auto again = ReadResources(*written);
    if (!again) Violation("the rewritten file's resources cannot be read");
    Require(MapOf(*again).size() == again->size(), "the rewritten tree holds a key twice");
    Require(MapOf(*again) == expected, "a resource differs after the rewrite");
    return std::move(*written);
}

}  // namespace lf::fuzz
