// map_watch: starts a program and reports how long it takes until the X server maps a top-level
// window of a given title. It listens for the map itself, so the time is exact to the event and
// the watcher puts no load on the machine while it waits (polling with a window search every few
// milliseconds would compete with the program being measured).
//
//   map_watch TITLE TIMEOUT_MS PROGRAM [ARGS...]
//
// Prints "<ms> <pid> <resident KiB>" once the window is mapped and leaves the program running (the
// caller stops it by its PID); prints "timeout <pid> 0" and exits with 1 when no such window
// appears in time. The program's own output goes to /dev/null.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool HasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name) return false;
    const bool same = std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

long ResidentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

pid_t Start(char** argv) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    execvp(argv[0], argv);
    _exit(127);
}

// Waits for the map; false when the time runs out first.
bool WaitForMap(Display* display, const char* title, Clock::time_point start, double timeoutMs) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && HasTitle(display, event.xmap.window, title)) return true;
        }
        const double left = timeoutMs - MillisecondsSince(start);
        if (left <= 0) return false;
        poll(&connection, 1, static_cast<int>(left) + 1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: map_watch TITLE TIMEOUT_MS PROGRAM [ARGS...]\n");
        return 64;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map_watch: cannot open the display\n");
        return 2;
    }
    // Top-level windows are children of the root window: their maps arrive as substructure
    // events. The request reaches the server before the program starts.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const Clock::time_point start = Clock::now();
    const pid_t pid = Start(argv + 3);
    if (pid < 0) return 2;
    const bool mapped = WaitForMap(display, argv[1], start, std::atof(argv[2]));
    if (!mapped) {
        std::printf("timeout %d 0\n", static_cast<int>(pid));
        return 1;
    }
    std::printf("%.1f %d %ld\n", MillisecondsSince(start), static_cast<int>(pid), ResidentKib(pid));
    return 0;
}
