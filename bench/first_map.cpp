// Starts a program and reports how long it took to map a top-level window of a given size.
//
// Usage: first_map WIDTH HEIGHT PROGRAM [ARGUMENT...]
// Prints "mapped PID MILLISECONDS" on standard output as soon as the window is mapped, then waits
// for the program to end (the caller ends it) and exits with its status. Prints "exited PID
// STATUS" when the program ends without such a window, "timeout PID" when none comes in 30 s.
// The program's own standard output goes to standard error, so that standard output holds only
// the report.
//
// The map is noticed from the X server's MapNotify event on the root window rather than by
// polling: `xdotool search --sync` looks only every half second, far coarser than a start-up, and
// a tight polling loop would take processor time from the program being measured. Without a
// window manager (a private Xvfb) every top-level window is a child of the root window, so the
// event names it directly. The clock starts just before the fork, the same for every program.
#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// How long the program has to map its window before the measurement counts as failed.
constexpr int kTimeoutMs = 30000;
// How often, while waiting, it looks whether the program has ended without a window.
constexpr int kSliceMs = 100;

double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

int WaitForChild(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0)
    if (errno != EINTR)
      return 1;
  if (WIFEXITED(status))
    return WEXITSTATUS(status);
  return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

// A window can be gone again by the time its size is asked for; Xlib's default handler would
// end this program for that.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

} // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: first_map WIDTH HEIGHT PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  const int width = std::atoi(argv[1]);
  const int height = std::atoi(argv[2]);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "first_map: cannot open the X display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXError);
  const Window root = DefaultRootWindow(display);
  // Listening must be in place at the server before the program can map anything.
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const double start = NowMs();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("first_map: fork");
    return 2;
  }
  if (child == 0) {
    close(ConnectionNumber(display));
    dup2(STDERR_FILENO, STDOUT_FILENO);
    execvp(argv[3], argv + 3);
    std::perror("first_map: exec");
    _exit(127);
  }

  const int fd = ConnectionNumber(display);
  for (;;) {
    if (XPending(display) == 0) {
      const double left = kTimeoutMs - (NowMs() - start);
      if (left <= 0) {
        std::printf("timeout %d\n", static_cast<int>(child));
        std::fflush(stdout);
        XCloseDisplay(display);
        kill(child, SIGTERM);
        WaitForChild(child);
        return 1;
      }
      // The event wakes the poll at once; the slices only let a program that ended early be
      // noticed without waiting for the whole time limit.
      pollfd wait{fd, POLLIN, 0};
      if (poll(&wait, 1, std::min(static_cast<int>(left) + 1, kSliceMs)) == 0) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
          std::printf("exited %d %d\n", static_cast<int>(child),
                      WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
          std::fflush(stdout);
          XCloseDisplay(display);
          return 1;
        }
      }
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != MapNotify)
      continue;
    const double mapped = NowMs();
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, event.xmap.window, &attributes) == 0 ||
        attributes.width != width || attributes.height != height)
      continue;
    std::printf("mapped %d %.3f\n", static_cast<int>(child), mapped - start);
    std::fflush(stdout);
    break;
  }
  XCloseDisplay(display);
  return WaitForChild(child);
}
