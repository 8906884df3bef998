#include "common/language.h"

#include <fstream>
#include <optional>
#include <string>

#include "common/trim.h"

namespace lf {
namespace {

// Blanks around the words of a line; a file written on Windows ends its lines in CR too.
constexpr std::string_view kLineBlanks = " \t\r";

std::string_view Unquote(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
        return s.substr(1, s.size() - 2);
    }
    return s;
}

// The LANG assignment of a shell-style locale file (later assignments win, as in a shell).
std::optional<std::string> ReadLang(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::optional<std::string> lang;
    for (std::string line; std::getline(in, line);) {
        std::string_view s = Trim(line, kLineBlanks);
        if (s.starts_with("export ")) s = Trim(s.substr(7), kLineBlanks);
        if (s.starts_with("LANG=")) lang = std::string(Unquote(Trim(s.substr(5), kLineBlanks)));
    }
    return lang;
}

}  // namespace

std::vector<std::filesystem::path> SystemLocaleFiles() {
    return {"/etc/locale.conf", "/etc/default/locale"};
}

bool IsChineseLocaleName(std::string_view name) {
    // language_TERRITORY[.codeset][@modifier]
    const std::size_t end = name.find_first_of(".@");
    return name.substr(0, end) == "zh_CN";
}

bool isChinese(const std::vector<std::filesystem::path>& localeFiles) {
    for (const auto& file : localeFiles) {
        if (auto lang = ReadLang(file)) return IsChineseLocaleName(*lang);
    }
    return false;
}

bool isChinese() { return isChinese(SystemLocaleFiles()); }

}  // namespace lf
