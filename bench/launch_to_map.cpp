// SPDX-License-Identifier: GPL-3.0-or-later
// Launch to window mapped, as a whole process: starts a program, waits for the first
// top-level window it maps on the X display, and takes the time from the start of the
// process to that moment; then ends the program. Repeated, it reports the median and the
// fastest run in milliseconds.
//   launch_to_map [--runs N] [--label TEXT] -- PROGRAM [ARGS...]
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// One run: milliseconds from fork to the first MapNotify of a top-level window; negative
// when the program ended or nothing was mapped within 30 s.
double OneRun(Display* display, char** command) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // drop what came before
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    double result = -1;
    const int fd = ConnectionNumber(display);
    while (Clock::now() - start < std::chrono::seconds(30)) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
                result = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                break;
            }
        }
        if (result >= 0) break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return -1;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        timeval tick{0, 2000};
        select(fd + 1, &set, nullptr, nullptr, &tick);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XSelectInput(display, root, NoEventMask);
    XSync(display, True);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 10;
    std::string label;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--label") == 0 && i + 1 < argc) label = argv[++i];
    }
    if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: launch_to_map [--runs N] [--label TEXT] -- PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "launch_to_map: no X display\n");
        return 1;
    }
    std::vector<double> times;
    OneRun(display, argv + i + 1); // a first run to fill the file cache, not counted
    for (int r = 0; r < runs; ++r) {
        const double ms = OneRun(display, argv + i + 1);
        if (ms < 0) {
            std::fprintf(stderr, "launch_to_map: %s mapped no window\n", argv[i + 1]);
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-28s median %7.1f ms   fastest %7.1f ms   (%d runs)\n",
                (label.empty() ? argv[i + 1] : label.c_str()), times[times.size() / 2], times.front(), runs);
    XCloseDisplay(display);
    return 0;
}
