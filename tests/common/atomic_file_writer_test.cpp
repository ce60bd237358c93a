#include "atomic_file_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "file_reader.h"
#include "temp_dir.h"

namespace zc {
namespace {

using test::TempDir;

std::string ReadAll(const std::string& path) { return ReadFileBytes(path).value_or("<missing>"); }

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

TEST(WriteFileAtomically, WritesThroughASymbolicLink) {
  TempDir dir;
  WriteFileAtomically(dir.File("real.inf"), "old");
  std::filesystem::create_symlink(dir.File("real.inf"), dir.File("link.inf"));
  WriteFileAtomically(dir.File("link.inf"), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.inf")));
  EXPECT_EQ(ReadAll(dir.File("real.inf")), "new");
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
