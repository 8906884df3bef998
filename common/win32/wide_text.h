#pragma once

// The core speaks UTF-8; Win32's wide calls speak UTF-16.

#include <filesystem>
#include <string>
#include <string_view>

namespace lf {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The text of the calling thread's last Win32 error, as the system words it.
std::string LastErrorText();

// A path from the core's UTF-8 text and back, whatever the ANSI code page.
inline std::filesystem::path PathFromUtf8(std::string_view utf8) { return Wide(utf8); }
inline std::string Utf8OfPath(const std::filesystem::path& path) { return Narrow(path.native()); }

}  // namespace lf
