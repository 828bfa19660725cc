#pragma once
// The one file of a run (ZPL, PBM) written in row order while later rows are
// still being drawn: a row's part goes to the file as soon as every row before
// it has given its own, and is let go. Only parts that finished ahead of an
// earlier row wait in memory.
#include <map>
#include <mutex>
#include <string>

#include "label/RunFile.h"

namespace velmora::label {

class RowOrderedFile {
 public:
  // `fd` >= 0: written there instead (see RunFile).
  explicit RowOrderedFile(std::string path, int fd = -1);

  // Row `index` (from 0; every index once) is done; "" for a row without a label.
  // Any thread may call it.
  void Add(int index, std::string part);

  // The file in place, once every row is added. With no label at all there is
  // no file, and an earlier run's is removed, so it cannot pass for this one's.
  // Throws std::runtime_error saying why the file could not be written.
  void Finish();

 private:
  void Write(const std::string& part);

  std::mutex lock_;
  RunFile file_;
  std::map<int, std::string> waiting_;
  int next_ = 0;
  bool written_ = false;
};

}  // namespace velmora::label
