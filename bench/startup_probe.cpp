// Starts a program and reports, from the X server's side, when its first window is mapped, when
// that window first shows painted content (its pixels are no longer one flat colour) and when
// its picture is complete (the last change before it stays the same for a quarter of a second),
// then ends it and reports its peak memory.
//
// Usage: startup_probe PROGRAM [ARGS...]
// Prints: map_ms paint_ms complete_ms peak_rss_kib
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
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

// A fingerprint of the window's pixels, and whether they are all one colour; nothing while it
// is not viewable.
struct Picture {
    bool viewable = false;
    bool flat = true;
    std::uint64_t hash = 0;
};

Picture picture(Display *display, Window window)
{
    Picture result;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return result;
    XImage *image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image)
        return result;
    result.viewable = true;
    // Read as the server gives them: 32 bits a pixel at depth 24, row after row.
    const auto *data = reinterpret_cast<const std::uint32_t *>(image->data);
    const std::uint32_t first = data[0];
    result.hash = 14695981039346656037ull;
    for (int y = 0; y < attributes.height; ++y) {
        const std::uint32_t *row = data + std::size_t(y) * std::size_t(image->bytes_per_line / 4);
        for (int x = 0; x < attributes.width; ++x) {
            result.flat = result.flat && row[x] == first;
            result.hash = (result.hash ^ row[x]) * 1099511628211ull;
        }
    }
    XDestroyImage(image);
    return result;
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
    double complete = -1;
    std::uint64_t last = 0;
    double lastChange = 0;
    while (millisecondsSince(start) < 20000) {
        const Picture now = picture(display, window);
        const double when = millisecondsSince(start);
        if (painted < 0 && now.viewable && !now.flat)
            painted = when;
        if (now.hash != last) {
            last = now.hash;
            lastChange = when;
        }
        if (painted >= 0 && when - lastChange >= 250) {
            complete = lastChange;
            break;
        }
    }
    // Let it settle, as a user would go on to use it, then end it.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    kill(child, SIGTERM);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    XCloseDisplay(display);
    std::printf("%.1f %.1f %.1f %ld\n", mapped, painted, complete, usage.ru_maxrss);
    return complete < 0 ? 1 : 0;
}
