#pragma once
#include <cstddef>
#include <string_view>
// A scratch file with no name (a print job on its way): nothing is left in the
// temporary folder whichever way the process ends, a crash included.
namespace velmora {

class UnnamedFile {
 public:
  // In $TMPDIR (else /tmp); throws std::runtime_error when none can be made.
  UnnamedFile();
  ~UnnamedFile();
  UnnamedFile(const UnnamedFile&) = delete;
  UnnamedFile& operator=(const UnnamedFile&) = delete;
  int Fd() const { return fd_; }
  // What was written to it, mapped (valid until the next call or the end).
  std::string_view Contents();

 private:
  void Unmap();
  int fd_ = -1;
  void* map_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace velmora
