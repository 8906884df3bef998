#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "common/trim.h"

namespace lf {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Plain integers are nearly every field of the table; they skip the floating-point path.
std::optional<std::int64_t> ParseSmallInteger(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// Mantissa with at least one digit, then an optional exponent: the grammar from_chars
// also accepts, minus its words ("inf", "nan") and hexadecimal forms.
bool IsDecimalGrammar(std::string_view t) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        const std::size_t start = i;
        while (i < t.size() && IsDigit(t[i])) ++i;
        if (i == start) return false;
    }
    return i == t.size();
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
    text = Trim(text, " \t");
    if (auto integer = ParseSmallInteger(text)) return static_cast<double>(*integer);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (!IsDecimalGrammar(text)) return std::nullopt;
    double value = 0;
#if defined(__wasi__)
    // The web page's libc++ has no from_chars for double. WASI's strtod rounds correctly and
    // knows no locale but "C", whose decimal point is '.'; the grammar was checked above.
    const std::string terminated(text);
    char* end = nullptr;
    value = std::strtod(terminated.c_str(), &end);
    if (end != terminated.c_str() + terminated.size()) return std::nullopt;
#else
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value unset; strtod tells underflow (0) from overflow (inf).
        value = std::strtod(std::string(text).c_str(), nullptr);
    }
#endif
    return negative ? -value : value;
}

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::expected<std::int32_t, NumberError> RoundToInt32(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return std::unexpected(NumberError::Overflow);
    }
    return static_cast<std::int32_t>(rounded);
}

std::expected<std::int32_t, NumberError> ToInt32(std::string_view text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) return std::unexpected(NumberError::TypeMismatch);
    return RoundToInt32(*value);
}

}  // namespace lf
