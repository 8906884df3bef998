#pragma once

// Both programs speak Chinese exactly when the system's default locale is Chinese as used in
// the People's Republic of China; every other locale, other Chinese ones included, gets English.

#include <filesystem>
#include <string_view>
#include <vector>

namespace lf {

// The system's default locale: on Windows its locale identifier (2052), elsewhere the locale
// files below.
bool isChinese();

#ifndef _WIN32
// The files that hold the system default locale, in the order they are consulted.
std::vector<std::filesystem::path> SystemLocaleFiles();

// True when the locale name is language zh with territory CN (zh_CN, zh_CN.UTF-8, ...).
bool IsChineseLocaleName(std::string_view localeName);

// The system default locale is the LANG of the first file that sets it; none means English.
bool isChinese(const std::vector<std::filesystem::path>& localeFiles);
#endif

}  // namespace lf
