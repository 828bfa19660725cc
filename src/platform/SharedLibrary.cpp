#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace velmora {

void* OpenSharedLibrary(const char* soname, const std::string& need) {
  void* library = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) throw std::runtime_error(need + " (" + ::dlerror() + ")");
  return library;
}

void* SharedLibrarySymbol(void* library, const char* soname, const char* name) {
  void* symbol = ::dlsym(library, name);
  if (symbol == nullptr) throw std::runtime_error(std::string(soname) + " has no " + name + ": too old a version");
  return symbol;
}

}  // namespace velmora
