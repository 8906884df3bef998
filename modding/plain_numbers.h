#pragma once

// A fast look over the numeric fields of a record, for the common case in which there is
// nothing to say about them.

#include <cstddef>
#include <string_view>

namespace lf {

// Where the given number of fields ends (just past the "|" that closes the last of them) when
// each is a plain number: an optional "-", digits with at most one ".", ending in a digit, no
// run of ten digits or more. Every such field converts to a 32-bit integer (ToInt32). npos
// when a field is anything else, or when the text holds fewer fields: then ask ToInt32.
std::size_t PlainNumberFields(std::string_view text, std::size_t fields);

}  // namespace lf
