#include "cli/command.h"

#include <cstdio>

namespace cli {

int RunCmp(const Args&) {
    std::fputs("qelmarin-cli cmp: not available yet\n", stderr);
    return 1;
}

} // namespace cli
