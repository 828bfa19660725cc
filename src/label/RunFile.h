#pragma once
// The one file of a run (PDF, ZPL, PBM): a path, replaced whole once the run
// is done (an earlier run's file stays as it was until then), or an open
// descriptor that takes the bytes as they come (a print job's unnamed file).
#include <optional>
#include <string>

#include "platform/FileAccess.h"

namespace velmora::label {

class RunFile {
 public:
  // `fd` >= 0: write there, and `path` only names it in messages.
  RunFile(std::string path, int fd);
  bool Append(const std::string& bytes);
  // The file in place; `any` false: no label, so no file (and an earlier
  // run's is removed, so that it cannot pass for this one's). Throws
  // std::runtime_error saying why the file could not be written.
  void Finish(bool any);

 private:
  std::string path_;
  int fd_;
  int error_ = 0;
  std::optional<FileReplacement> file_;
};

}  // namespace velmora::label
