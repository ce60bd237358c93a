#include "atomic_file_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <utime.h>
#include <unistd.h>

#include <filesystem>
#include <cstring>
#include <functional>
#include <fstream>

#include "file_reader.h"
#include "hostile_files.h"
#include "temp_dir.h"

namespace zc {
namespace {

using test::TempDir;

std::string ReadAll(const std::string& path) { return ReadFileBytesIfExists(path).value_or("<missing>"); }

std::size_t EntriesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// The message of the FileError `write` throws, or "<no error>".
std::string FailureOf(const std::function<void()>& write) {
  try {
    write();
  } catch (const FileError& error) {
    return error.what();
  }
  return "<no error>";
}

TEST(WriteFileAtomically, ReplacesTheFileAndLeavesNoTemporaryBehind) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  WriteFileAtomically(path, "old");
  chmod(path.c_str(), 0640);
  WriteFileAtomically(path, "new contents");
  EXPECT_EQ(ReadAll(path), "new contents");
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(WriteFileAtomically, FollowsLinksAndReplacesTheFileInItsOwnFolder) {
  TempDir links;
  TempDir files;
  WriteFileAtomically(files.File("real.inf"), "old");
  std::filesystem::create_symlink(files.File("real.inf"), links.File("absolute.inf"));
  std::filesystem::create_symlink("absolute.inf", links.File("chained.inf"));
  std::filesystem::create_symlink("missing.inf", links.File("dangling.inf"));

  WriteFileAtomically(links.File("chained.inf"), "new");
  EXPECT_EQ(ReadAll(files.File("real.inf")), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(links.File("chained.inf")));
  EXPECT_TRUE(std::filesystem::is_symlink(links.File("absolute.inf")));
  // A dangling link makes the save create the file it names.
  WriteFileAtomically(links.File("dangling.inf"), "created");
  EXPECT_TRUE(std::filesystem::is_symlink(links.File("dangling.inf")));
  EXPECT_EQ(ReadAll(links.File("missing.inf")), "created");
  EXPECT_EQ(EntriesIn(links.Path()), 4u);
  EXPECT_EQ(EntriesIn(files.Path()), 1u);
}

TEST(WriteFileAtomically, RefusesTargetsThatAreNoRegularFileAndLeavesThemAlone) {
  for (const test::HostileOutputCase& c : test::kHostileOutputs) {
    TempDir dir;
    const test::HostileOutput made = test::MakeHostileOutput(c, dir, "special");
    if (!made.unavailable.empty()) {
      std::cout << "[ SKIPPED  ] " << c.label << ": " << made.unavailable << "\n";
      continue;
    }
    const std::string& special = made.special;
    const std::string& target = made.target;
    struct stat before {};
    ASSERT_EQ(lstat(special.c_str(), &before), 0);

    const std::string message = FailureOf([&] { WriteFileAtomically(target, "picture"); });
    EXPECT_NE(message.find(target), std::string::npos) << c.label << ": " << message;
    EXPECT_NE(message.find("通常のファイルではありません"), std::string::npos) << c.label << ": " << message;
    struct stat after {};
    ASSERT_EQ(lstat(special.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode) << c.label;
    EXPECT_EQ(after.st_ino, before.st_ino) << c.label;
    EXPECT_EQ(EntriesIn(dir.Path()), c.throughLink ? 2u : 1u) << c.label;
  }
}

TEST(WriteFileAtomically, ReadOnlyFileStaysAsItIsEvenForRoot) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  WriteFileAtomically(path, "precious");
  chmod(path.c_str(), 0444);
  const std::string message = FailureOf([&] { WriteFileAtomically(path, "replacement"); });
  EXPECT_NE(message.find(std::strerror(EACCES)), std::string::npos) << message;
  EXPECT_EQ(ReadAll(path), "precious");
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(WriteFileAtomically, FullFileSystemKeepsTheOldFileByteForByte) {
  const test::SmallTmpfs disk;
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
  const std::string path = disk.File("old.png");
  const std::string old(3000, 'o');
  WriteFileAtomically(path, old);
  disk.Fill();
  const std::string message = FailureOf([&] { WriteFileAtomically(path, std::string(20000, 'n')); });
  EXPECT_NE(message.find("old.png"), std::string::npos) << message;
  EXPECT_NE(message.find(std::strerror(ENOSPC)), std::string::npos) << message;
  EXPECT_EQ(message.find("Unknown error"), std::string::npos) << message;
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(EntriesIn(disk.Path()), 2u) << "only the old file and the filler";
}

TEST(WriteFileAtomically, RootSavingAnotherUsersFileKeepsItTheirs) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can save another user's file";
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  WriteFileAtomically(path, "theirs");
  ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
  chmod(path.c_str(), 0640);
  WriteFileAtomically(path, "still theirs");
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadAll(path), "still theirs");
}

TEST(SaveTemporaryFiles, OnlyOurOwnLeftoversOfEndedSavesAreRemoved) {
  // A process id that is certainly no longer running: a child that ended.
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);
  const std::string endedTemp = "Functions.inf.zc-save-" + std::to_string(ended) + "-a1B2c3";
  const std::string runningTemp = "Functions.inf.zc-save-" + std::to_string(getpid()) + "-a1B2c3";
  const std::string oldRunningTemp = "Primenumbers.log.zc-save-" + std::to_string(getppid()) + "-xyzXYZ";
  const struct {
    std::string name;
    bool ours;
    bool removed;
  } cases[] = {
      {endedTemp, true, true},
      {oldRunningTemp, true, true},  // untouched for two hours
      {runningTemp, true, false},
      {"Functions.inf.tmp-a1B2c3", false, false},
      {"Functions.inf.zc-save-12-short", false, false},
      {"Functions.inf.zc-save-x1-a1B2c3", false, false},
      {".zc-save-" + std::to_string(ended) + "-a1B2c3", false, false},
      {"notes.txt", false, false},
  };
  TempDir dir;
  for (const auto& c : cases) std::ofstream(dir.File(c.name)) << "x";
  const utimbuf twoHoursAgo{time(nullptr) - 7200, time(nullptr) - 7200};
  utime(dir.File(oldRunningTemp).c_str(), &twoHoursAgo);

  RemoveStaleTemporaryFiles(dir.Path());
  for (const auto& c : cases) {
    EXPECT_EQ(IsSaveTemporaryName(c.name), c.ours) << c.name;
    EXPECT_EQ(!std::filesystem::exists(dir.File(c.name)), c.removed) << c.name;
  }
}

TEST(SaveTemporaryFiles, ASaveClearsTheLeftoversOfItsOwnFile) {
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);
  TempDir dir;
  const std::string mine = dir.File("out.png.zc-save-" + std::to_string(ended) + "-abcdef");
  const std::string other = dir.File("other.png.zc-save-" + std::to_string(ended) + "-abcdef");
  std::ofstream(mine) << "x";
  std::ofstream(other) << "x";
  WriteFileAtomically(dir.File("out.png"), "picture");
  EXPECT_FALSE(std::filesystem::exists(mine));
  EXPECT_TRUE(std::filesystem::exists(other));
}

// Runs `write` in a child process limited by `prepare`; returns the child's
// verdict: 0 FileError thrown with the file's name in the message, 1 no
// error, 2 another error.
int ExpectFailureInChild(const std::function<void()>& prepare, const std::function<void()>& write,
                         const std::string& name) {
  const pid_t child = fork();
  if (child == 0) {
    prepare();
    try {
      write();
    } catch (const FileError& error) {
      _exit(std::string(error.what()).find(name) != std::string::npos ? 0 : 2);
    } catch (...) {
      _exit(2);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

TEST(WriteFileAtomically, FullDiskKeepsTheOldFileAndReportsTheFile) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  WriteFileAtomically(path, "precious");
  const int verdict = ExpectFailureInChild(
      [] {
        // The file size limit makes write() fail the way a full disk does.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4, 4};
        setrlimit(RLIMIT_FSIZE, &limit);
      },
      [&] { WriteFileAtomically(path, std::string(100000, 'x')); }, "Functions.inf");
  EXPECT_EQ(verdict, 0);
  EXPECT_EQ(ReadAll(path), "precious");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(WriteFileAtomically, UnwritableFolderKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  WriteFileAtomically(path, "precious");
  chmod(dir.Path().c_str(), 0555);
  const int verdict = ExpectFailureInChild(
      [] {
        // Permissions do not bind root; run the write as an ordinary user.
        if (geteuid() == 0 && setuid(65534) != 0) _exit(4);
      },
      [&] { WriteFileAtomically(path, "replacement"); }, "Functions.inf");
  EXPECT_EQ(verdict, 0);
  chmod(dir.Path().c_str(), 0700);
  EXPECT_EQ(ReadAll(path), "precious");
}

TEST(WriteFileAtomically, MissingFolderThrowsFileError) {
  TempDir dir;
  EXPECT_THROW(WriteFileAtomically(dir.File("no/such/folder/x.txt"), "x"), FileError);
}

}  // namespace
}  // namespace zc
