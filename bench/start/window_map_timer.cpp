// Starts a program and prints how long it took until its window with a given title was mapped
// on the X display: from just before the process is created (so loading the libraries counts)
// to the MapNotify of that top-level window. Run it on a display without a window manager,
// where top-level windows are children of the root and their map is reported to it.
//
//   window_map_timer [--timeout SECONDS] TITLE PROGRAM [ARGUMENTS...]
//
// TITLE is matched as the start of the window's _NET_WM_NAME (UTF-8) or WM_NAME; an empty
// TITLE takes the first top-level window mapped. Prints the milliseconds of wall time and of
// the program's CPU time (user + system, until it is ended right after the map) on one line,
// ends the program and exits 0; exits 1 when no such window came within the timeout, 3 when
// the program ended (or crashed) before it mapped the window. On a busy machine the CPU time
// is the steadier of the two.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <sys/resource.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string windowTitle(Display* display, Window window) {
    const Atom utf8Name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
    for (const auto& [property, type] : {std::pair{utf8Name, utf8String}, std::pair{XA_WM_NAME, XA_STRING}}) {
        Atom actualType = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &actualType,
                               &format, &count, &after, &data) == Success &&
            data != nullptr) {
            std::string title(reinterpret_cast<const char*>(data), count);
            XFree(data);
            if (format == 8 && !title.empty()) return title;
        }
        (void)type;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    double timeoutSeconds = 30;
    if (argc > 2 && std::strcmp(argv[1], "--timeout") == 0) {
        timeoutSeconds = std::atof(argv[2]);
        first = 3;
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: %s [--timeout SECONDS] TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[first];
    // A display whose last client just left may be resetting: ask again for a moment.
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 0; display == nullptr && attempt < 50; ++attempt) {
        usleep(20000);
        display = XOpenDisplay(nullptr);
    }
    if (display == nullptr) {
        std::fprintf(stderr, "window_map_timer: no display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) return 2;
    if (child == 0) {
        execvp(argv[first + 1], argv + first + 1);
        std::perror("window_map_timer: exec");
        _exit(127);
    }

    int result = 1;
    const int fd = ConnectionNumber(display);
    const Clock::time_point deadline =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
    while (result != 0) {
        if (XPending(display) == 0) {
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                if (WIFSIGNALED(status))
                    std::fprintf(stderr, "window_map_timer: the program died of signal %d before its window was mapped\n",
                                 WTERMSIG(status));
                else
                    std::fprintf(stderr, "window_map_timer: the program ended with status %d before its window was mapped\n",
                                 WEXITSTATUS(status));
                XCloseDisplay(display);
                return 3;
            }
            // A program that ends is noticed within a tenth of a second.
            const auto left = std::min(std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()),
                                       std::chrono::microseconds(100000));
            if (deadline <= Clock::now()) break;
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(fd, &ready);
            timeval wait{static_cast<time_t>(left.count() / 1000000), static_cast<suseconds_t>(left.count() % 1000000)};
            if (select(fd + 1, &ready, nullptr, nullptr, &wait) < 0) break;
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify || event.xmap.override_redirect) continue;
        const Clock::time_point mapped = Clock::now();
        if (!title.empty() && windowTitle(display, event.xmap.window).rfind(title, 0) != 0) continue;
        const std::chrono::duration<double, std::milli> took = mapped - start;
        kill(child, SIGKILL);
        rusage usage{};
        wait4(child, nullptr, 0, &usage);
        const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0; };
        std::printf("%.1f %.1f\n", took.count(), ms(usage.ru_utime) + ms(usage.ru_stime));
        XCloseDisplay(display);
        return 0;
    }
    std::fprintf(stderr, "window_map_timer: no window \"%s\" within %.0f s\n", title.c_str(), timeoutSeconds);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return result;
}
