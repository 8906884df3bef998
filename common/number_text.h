#pragma once

// Numbers written as text in the item table and typed by the user.

#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

namespace lf {

// The value of a numeric text: optional blanks and sign, digits with an optional decimal
// point and exponent, optional trailing blanks. Anything else is not a number.
std::optional<double> ParseNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
double RoundHalfEven(double value);

enum class NumberError { TypeMismatch, Overflow };

// A value rounded half to even to a signed 32-bit integer; outside that range, an overflow.
std::expected<std::int32_t, NumberError> RoundToInt32(double value);

// The usual conversion of a field to a signed 32-bit integer: a non-number is a type
// mismatch, a rounded value outside the 32-bit range an overflow.
std::expected<std::int32_t, NumberError> ToInt32(std::string_view text);

}  // namespace lf
