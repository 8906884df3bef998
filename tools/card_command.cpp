#include <cstdio>

#include "tools/commands.h"

namespace lf::tool {

int RunCard(Args) {
    std::fputs("lftool: card is not available yet\n", stderr);
    return 2;
}

}  // namespace lf::tool
