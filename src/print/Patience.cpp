#include "print/Patience.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace velmora::print {

bool Nap(double seconds, const Patience& patience) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (patience.Interrupted() == 0) {
    const auto left = std::chrono::duration<double>(end - std::chrono::steady_clock::now()).count();
    if (left <= 0) return true;
    std::this_thread::sleep_for(std::chrono::duration<double>(std::min(left, 0.05)));
  }
  return false;
}

std::string SecondsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g s", seconds);
  return text;
}

}  // namespace velmora::print
