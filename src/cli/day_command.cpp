#include "cli/command.h"

#include <cstdio>

namespace cli {

int RunDay(const Args&) {
    std::fputs("qelmarin-cli day: not available yet\n", stderr);
    return 1;
}

} // namespace cli
