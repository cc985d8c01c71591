// qelmarin-cli: the page routines and the almanac without a display.

#include "cli/command.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

struct Command {
    std::string_view name;
    int (*run)(const cli::Args&);
    std::string_view usage;
};

constexpr Command kCommands[] = {
    {"day", cli::RunDay, "day [--home DIR] [--eto N] FROM [TO]   the notes of days (dates as YYYY-MM-DD)"},
    {"render", cli::RunRender, "render [--home DIR] --format N [--year Y] [--from M] [--to M] ... --out DIR   pages to PDF"},
    {"cmp", cli::RunCmp, "cmp encode [--raw] IN OUT.cmp | cmp decode IN.cmp OUT.bmp"},
};

void Usage(std::FILE* out) {
    std::fputs("usage: qelmarin-cli COMMAND ...\n", out);
    for (const Command& c : kCommands) std::fprintf(out, "  %.*s\n", static_cast<int>(c.usage.size()), c.usage.data());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        Usage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const Command& c : kCommands) {
        if (c.name == argv[1]) return c.run(cli::Args(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "qelmarin-cli: unknown command '%s'\n", argv[1]);
    Usage(stderr);
    return 2;
}
