#include "print/CupsLibrary.h"

#include "print/RawSocket.h"

namespace velmora::print {
namespace {

CupsLibrary Open() {
  constexpr const char* soname = "libcups.so.2";
  try {
    void* library = OpenSharedLibrary(soname, "printing through IPP needs libcups");
    CupsLibrary table;
    VELMORA_CUPS_FUNCTIONS(VELMORA_TABLE_LOAD)
    return table;
  } catch (const std::runtime_error& e) {
    throw PrintError(e.what());
  }
}

}  // namespace

const CupsLibrary& Cups() {
  static const CupsLibrary cups = Open();
  return cups;
}

}  // namespace velmora::print
