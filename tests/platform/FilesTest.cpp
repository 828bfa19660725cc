#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/CommandLine.h"
#include "platform/FileAccess.h"
#include "platform/MessageBox.h"
#include "platform/PathLookup.h"
#include "platform/ProcessExit.h"
#include "platform/ProgramDirectory.h"
#include "platform/UserName.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::ScopedEnv;
using test::TempDir;

TEST(PathLookup, FindsEachComponentWithoutRegardToCase) {
  TempDir dir;
  dir.Write("System/Users/User.ini", "x");
  EXPECT_EQ(ResolvePath(dir.Path() + "SYSTEM/users/USER.INI"), dir.Path() + "System/Users/User.ini");
  EXPECT_EQ(ResolvePath(dir.Path() + "SYSTEM/Users/none.ini"), dir.Path() + "System/Users/none.ini");
  EXPECT_EQ(ResolvePath(dir.Path() + "system/NEW/x.ini"), dir.Path() + "System/NEW/x.ini");
  EXPECT_EQ(NativeSeparators("C:\\A\\B"), "C:/A/B");
}

TEST(PathLookup, ListsNormalFilesMatchingAPattern) {
  TempDir dir;
  dir.Write("cn128A.INF", "");
  dir.Write("cn128B.INF", "");
  dir.Write(".hidden.inf", "");
  dir.Write("sub.inf/x", "");
  std::vector<std::string> found = ListFiles(dir.Path() + "CN128?.inf");
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"cn128A.INF", "cn128B.INF"}));
  EXPECT_TRUE(ListFiles(dir.Path() + "*.inf").size() == 2) << "hidden files and directories are not listed";
  EXPECT_TRUE(ListFiles(dir.Path() + "sub.inf").empty());
  EXPECT_TRUE(ListFiles(dir.Path() + "nodir/*.inf").empty());
  EXPECT_TRUE(ListFiles("").empty());
}

TEST(FileAccess, AtomicWriteReplacesWholeFiles) {
  TempDir dir;
  const std::string path = dir.Write("a.txt", "old");
  ASSERT_TRUE(WriteFileAtomically(path, "new content"));
  std::string bytes;
  ASSERT_EQ(ReadWholeFile(path, bytes), ReadStatus::Ok);
  EXPECT_EQ(bytes, "new content");
  EXPECT_EQ(ReadWholeFile(dir.Path() + "missing", bytes), ReadStatus::Missing);
  EXPECT_EQ(ReadWholeFile(dir.Path(), bytes), ReadStatus::Unreadable);
}

TEST(FileAccess, AFileWrittenWhereALinkStoodTakesNothingOfTheLinksTarget) {
  TempDir dir;
  const std::string target = dir.Write("setuid-target", "x");
  ASSERT_EQ(::chmod(target.c_str(), 04755), 0);
  const std::string link = dir.Path() + "label.png";
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(ReplaceFile(link, "png", Durability::HandOff));
  struct stat st {};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode)) << "the link is replaced, not written through";
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 04755u) << "the target is untouched";
  // an existing file keeps its permissions, less any set-id bit
  const std::string own = dir.Write("own", "x");
  ASSERT_EQ(::chmod(own.c_str(), 06640), 0);
  ASSERT_TRUE(ReplaceFile(own, "y", Durability::HandOff));
  ASSERT_EQ(::stat(own.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  ::umask(mask);
}

TEST(Platform, UserNameComesFromTheEnvironmentFirst) {
  {
    ScopedEnv user("USER", "jsmith");
    EXPECT_EQ(NetworkUserName(), "jsmith");
  }
  ScopedEnv noUser("USER", "");
  EXPECT_FALSE(NetworkUserName().empty()) << "the password database names the effective user";
}

TEST(Platform, DataDirectoryFromTheEnvironmentOverridesTheProgramDirectory) {
  ScopedEnv env("VELMORA_DATA_DIR", "/opt/wizard/");
  EXPECT_EQ(ProgramDirectory(), "/opt/wizard");
}

TEST(Platform, CommandLineLeavesOutTheProgramName) {
  const char* argv[] = {"/usr/bin/velmora-wizard", "run", "debug"};
  SetCommandLine(3, argv);
  EXPECT_EQ(CommandLine(), "run debug");
}

TEST(Platform, RecordingBoxesAnswerFromTheirQueue) {
  RecordingMessageBoxes boxes;
  boxes.QueueAnswer(kAnswerCancel);
  EXPECT_EQ(ShowMessageBox("p", kStyleOkCancel, "t"), kAnswerCancel);
  EXPECT_EQ(ShowMessageBox("q", kStyleYesNo, "t"), kAnswerYes);
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[0].Prompt, "p");
  EXPECT_EQ(boxes.Shown()[1].Answer, kAnswerYes);
}

TEST(Platform, EndProcessRunsTheHandlerAndNothingAfterIt) {
  int status = -1;
  SetEndProcessHandler([&](int s) { status = s; });
  EXPECT_THROW(EndProcess(3), ProcessEnded);
  EXPECT_EQ(status, 3);
  SetEndProcessHandler({});
}

}  // namespace
}  // namespace velmora
