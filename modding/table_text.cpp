#include "modding/table_text.h"

#include <algorithm>
#include <cstring>

#include "common/gbk.h"

namespace lf {

std::vector<std::string_view> TableLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t cr = bytes.find("\r\n"); cr != std::string_view::npos;
         cr = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, cr - start));
        start = cr + 2;
    }
    lines.push_back(bytes.substr(start));
    return lines;
}

std::vector<std::size_t> FieldStarts(std::string_view gbkLine) {
    std::vector<std::size_t> starts{0};
    for (std::size_t pos = 0; pos < gbkLine.size();) {
        if (gbkLine[pos] == '|') starts.push_back(pos + 1);
        pos += ReadGbkChar(gbkLine, pos).length;
    }
    return starts;
}

TextPosition PositionOf(const std::vector<std::string_view>& lines, const char* byte) {
    // The last line that starts at or before the byte.
    const auto after =
        std::upper_bound(lines.begin(), lines.end(), byte,
                         [](const char* b, std::string_view line) { return b < line.data(); });
    const auto line = after == lines.begin() ? lines.begin() : after - 1;
    return {static_cast<std::size_t>(line - lines.begin()) + 1,
            static_cast<std::size_t>(byte - line->data()) + 1};
}

}  // namespace lf
