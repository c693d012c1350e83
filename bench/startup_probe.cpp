// Starts a program and reports, from the X server's side, when its first window is mapped and
// when that window first shows painted content (its pixels are no longer one flat colour),
// then ends it and reports its peak memory.
//
// Usage: startup_probe PROGRAM [ARGS...]
// Prints: map_ms paint_ms peak_rss_kib
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool isFlat(Display *display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return true;
    XImage *image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image)
        return true;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool flat = true;
    for (int y = 0; y < attributes.height && flat; y += 2)
        for (int x = 0; x < attributes.width && flat; x += 2)
            flat = XGetPixel(image, x, y) == first;
    XDestroyImage(image);
    return flat;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_probe: cannot open display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    // Without a window manager the program's window is a child of the root window.
    Window window = 0;
    double mapped = -1;
    while (!window) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
            window = event.xmap.window;
            mapped = millisecondsSince(start);
        }
    }
    double painted = -1;
    while (painted < 0) {
        if (!isFlat(display, window))
            painted = millisecondsSince(start);
        if (millisecondsSince(start) > 20000)
            break;
    }
    // Let it settle, as a user would go on to use it, then end it.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(child, SIGTERM);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    XCloseDisplay(display);
    std::printf("%.1f %.1f %ld\n", mapped, painted, usage.ru_maxrss);
    return painted < 0 ? 1 : 0;
}
