#pragma once

// Both programs speak Chinese or English, chosen once at start; every text they show in two
// languages is a pair, picked by the language of the run.

#include <string_view>

namespace lf {

enum class Language { Chinese, English };

constexpr Language LanguageOf(bool isChineseUI) {
    return isChineseUI ? Language::Chinese : Language::English;
}

struct Bilingual {
    std::string_view chinese;
    std::string_view english;
    constexpr std::string_view In(Language language) const {
        return language == Language::Chinese ? chinese : english;
    }
};

}  // namespace lf
