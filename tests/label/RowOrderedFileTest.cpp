// A run's one file, written in row order by threads that finish in any order.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <thread>

#include "label/RowOrderedFile.h"
#include "support/TempDir.h"

namespace velmora::label {
namespace {

TEST(RowOrderedFile, PartsFinishedInAnyOrderAreWrittenInRowOrder) {
  test::TempDir dir;
  const std::string path = dir.Write("run.zpl", "an earlier run");
  std::vector<int> order(400);
  for (int i = 0; i < 400; ++i) order[static_cast<std::size_t>(i)] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  std::string expected;
  for (int i = 0; i < 400; ++i)
    expected += i % 7 == 3 ? "" : "^XA" + std::to_string(i) + "^XZ\n";  // some rows have no label
  {
    RowOrderedFile file(path);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
      threads.emplace_back([&, t] {
        for (std::size_t k = static_cast<std::size_t>(t); k < order.size(); k += 4) {
          const int i = order[k];
          file.Add(i, i % 7 == 3 ? "" : "^XA" + std::to_string(i) + "^XZ\n");
        }
      });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(dir.Read("run.zpl"), "an earlier run") << "nothing replaced before the end";
    file.Finish();
  }
  EXPECT_EQ(dir.Read("run.zpl"), expected);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1)
      << "no temporary left";
}

TEST(RowOrderedFile, NoLabelRemovesAnEarlierRunsFileAndAFailureKeepsIt) {
  test::TempDir dir;
  const std::string path = dir.Write("run.zpl", "an earlier run");
  {
    RowOrderedFile none(path);
    none.Add(0, "");
    none.Finish();
  }
  EXPECT_FALSE(std::filesystem::exists(path)) << "an earlier run's labels would pass for this one's";
  dir.Write("run.zpl", "kept");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);  // read-only
  {
    RowOrderedFile refused(path);
    refused.Add(0, "^XA^XZ\n");
    EXPECT_THROW(refused.Finish(), std::runtime_error);
  }
  EXPECT_EQ(dir.Read("run.zpl"), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace velmora::label
