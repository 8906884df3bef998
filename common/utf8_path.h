#pragma once

// Paths from the core's UTF-8 text and back, for the code that touches files (the web page has
// none). A path's plain string() is in the platform's narrow encoding, which on Windows is not
// UTF-8: a folder named in Chinese would not survive it.

#include <filesystem>
#include <string>
#include <string_view>

namespace lf {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
}
inline std::string Utf8OfPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace lf
