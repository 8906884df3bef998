#include "tools/json_lines.h"

namespace lf::tool {
namespace {

void Append(std::string& out, const Json& value) {
    const auto append = [&out](const auto& items, auto&& each) {
        bool first = true;
        for (const auto& item : items) {
            if (!first) out += ", ";
            first = false;
            each(item);
        }
    };
    if (value.is_object()) {
        out += '{';
        append(value.items(), [&out](const auto& member) {
            out += Json(member.key()).dump();
            out += ": ";
            Append(out, member.value());
        });
        out += '}';
    } else if (value.is_array()) {
        out += '[';
        append(value, [&out](const Json& element) { Append(out, element); });
        out += ']';
    } else {
        // Text is UTF-8 already; a stray byte becomes U+FFFD instead of stopping the output.
        out += value.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

}  // namespace

std::string JsonLine(const Json& value) {
    std::string line;
    Append(line, value);
    line += '\n';
    return line;
}

}  // namespace lf::tool
