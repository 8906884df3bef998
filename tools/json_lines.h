#pragma once

// JSON Lines as lftool writes them: one object per line, ", " and ": " between the parts (the
// layout of Python's json.dumps), text in UTF-8 as it is, control characters escaped.

#include <nlohmann/json.hpp>
#include <string>

namespace lf::tool {

using Json = nlohmann::ordered_json;

// The value on one line, followed by a line feed.
std::string JsonLine(const Json& value);

}  // namespace lf::tool
