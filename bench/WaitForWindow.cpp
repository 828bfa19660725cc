// Starts a program and prints, in milliseconds, how long it took until its
// first top-level window was mapped on the X display, then how long until that
// window's picture was final: the last change of its pixels before 400 ms
// without one (shorter than a caret's blink, so the blink is not counted).
// Then ends the program. Used by bench/startup to time the wizard's window
// beside a minimal Qt dialog.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wait-for-window PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "wait-for-window: cannot open the display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  Window window = 0;
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) {
      window = event.xmap.window;
      break;
    }
  }
  const auto since = [&] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  const double mapped = since();
  double changed = mapped;
  std::uint64_t last = 0;
  while (since() - changed < 400 && since() < 10000) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display, window, &a) == 0) break;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) break;
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a of the pixels
    const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(image->height);
    for (std::size_t i = 0; i < bytes; ++i)
      hash = (hash ^ static_cast<unsigned char>(image->data[i])) * 1099511628211ULL;
    XDestroyImage(image);
    if (hash != last) {
      last = hash;
      changed = since();
    }
    usleep(1000);
  }
  std::printf("%.1f %.1f\n", mapped, changed);
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  return 0;
}
