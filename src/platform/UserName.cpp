#include "platform/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace velmora {

std::string NetworkUserName() {
  if (const char* user = std::getenv("USER"); user != nullptr && *user != '\0') return user;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
    return found->pw_name;
  }
  return {};
}

}  // namespace velmora
