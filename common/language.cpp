#include "common/language.h"

#include <fstream>
#include <optional>
#include <string>

namespace lf {
namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

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
        std::string_view s = Trim(line);
        if (s.starts_with("export ")) s = Trim(s.substr(7));
        if (s.starts_with("LANG=")) lang = std::string(Unquote(Trim(s.substr(5))));
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

}  // namespace lf
