// Start-up of window programs, side by side: each program is started in
// turn (alternating, so that both see the same machine), timed from its
// start to the moment its first top-level window is mapped and painted on
// the X display (the DAMAGE extension reports the first drawing into it),
// then ended; its peak resident memory is read from the kernel's accounting.
// Prints the median of each and the ratio of each program to the first.
//
//   start_time [--runs N] PROGRAM...        (DISPLAY must name an X server)
//   start_time --runs 20 build-bench/bench/bare_window build-bench/app/quillon

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Start {
    double milliseconds = 0;
    double peakMebibytes = 0;
};

// Starts the program and waits for a window of its to be mapped and drawn
// into (with no window manager, top-level windows are the root's children;
// each is watched for damage from its creation, so no drawing is missed).
Start startOnce(Display* display, int damageEvent, const char* program)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    std::vector<Damage> damages;
    std::vector<Window> mapped;
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == CreateNotify)
            damages.push_back(XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty));
        else if (event.type == MapNotify)
            mapped.push_back(event.xmap.window);
        else if (event.type == damageEvent + XDamageNotify
            && std::ranges::count(mapped, reinterpret_cast<XDamageNotifyEvent&>(event).drawable) > 0)
            break;
    }
    const auto shown = std::chrono::steady_clock::now();
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    XSelectInput(display, DefaultRootWindow(display), NoEventMask);
    for (Damage damage : damages)
        XDamageDestroy(display, damage);
    XSync(display, True);
    return {std::chrono::duration<double, std::milli>(shown - started).count(), usage.ru_maxrss / 1024.0};
}

// A program's windows are gone when it ends, and their damage records with
// them: the errors of destroying those again are expected.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 20;
    std::vector<const char*> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            programs.push_back(argv[i]);
    }
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (programs.empty() || runs < 1 || !display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "usage: start_time [--runs N] PROGRAM... (with DISPLAY set)\n");
        return 2;
    }
    XSetErrorHandler(ignoreError);
    std::vector<std::vector<double>> times(programs.size());
    std::vector<std::vector<double>> peaks(programs.size());
    startOnce(display, damageEvent, programs.front()); // warms the file cache, not counted
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const Start start = startOnce(display, damageEvent, programs[i]);
            times[i].push_back(start.milliseconds);
            peaks[i].push_back(start.peakMebibytes);
        }
    }
    std::printf("%-40s %12s %12s %8s %8s\n", "program", "start (ms)", "peak (MiB)", "× time", "× peak");
    for (std::size_t i = 0; i < programs.size(); ++i) {
        std::printf("%-40s %12.1f %12.1f %8.2f %8.2f\n", programs[i], median(times[i]), median(peaks[i]),
            median(times[i]) / median(times[0]), median(peaks[i]) / median(peaks[0]));
    }
    XCloseDisplay(display);
    return 0;
}
