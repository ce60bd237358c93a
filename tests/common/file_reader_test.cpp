#include "file_reader.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "hostile_files.h"
#include "temp_dir.h"

namespace zc {
namespace {

using test::TempDir;

// "テスト" in each of the encodings a data file may use.
const std::string kTestUtf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88";
const std::string kTestSjis = "\x83\x65\x83\x58\x83\x67";

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ReadTextFileIfExists, MissingIsNothingAndAFileIsDecoded) {
  TempDir dir;
  EXPECT_FALSE(ReadTextFileIfExists(dir.File("absent.txt")).has_value());
  EXPECT_FALSE(ReadTextFileIfExists(dir.File("absent/below.txt")).has_value());
  WriteRaw(dir.File("t.txt"), kTestSjis);
  const auto decoded = ReadTextFileIfExists(dir.File("t.txt"));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->utf8, kTestUtf8);
  EXPECT_EQ(decoded->encoding, TextEncoding::ShiftJis);
}

TEST(ReadFileBytesIfExists, RefusesWhatIsNoReadableFileWithoutBlocking) {
  alarm(30);  // a read that blocks fails the test instead of hanging it
  for (const test::HostileCase& c : test::kHostileInputs) {
    TempDir dir;
    const std::string path = dir.File("constants.txt");
    const std::string unavailable = test::MakeHostile(c.kind, path);
    if (!unavailable.empty()) {
      std::cout << "[ SKIPPED  ] " << c.label << ": " << unavailable << "\n";
      continue;
    }
    try {
      ReadFileBytesIfExists(path);
      ADD_FAILURE() << c.label << " was read";
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << c.label << ": " << error.what();
    }
  }
  alarm(0);
}

TEST(ReadFileBytesIfExists, TheCapIsTheLargestSizeRead) {
  TempDir dir;
  WriteRaw(dir.File("f"), "12345");
  EXPECT_EQ(ReadFileBytesIfExists(dir.File("f"), 5), "12345");
  EXPECT_THROW(ReadFileBytesIfExists(dir.File("f"), 4), FileError);
  // The prime cache may be far larger than any text file.
  EXPECT_EQ(kTextFileSizeLimit, std::size_t{64} << 20);
  EXPECT_EQ(kBinaryFileSizeLimit, std::size_t{512} << 20);
}

TEST(ReadFileBytesIfExists, AFileThatMayNotBeReadIsNoMissingOne) {
  TempDir dir;
  WriteRaw(dir.File("secret"), "x");
  chmod(dir.File("secret").c_str(), 0);
  chmod(dir.Path().c_str(), 0711);
  const pid_t child = fork();
  if (child == 0) {
    // Permissions do not bind root; read as an ordinary user.
    if (geteuid() == 0 && setuid(65534) != 0) _exit(4);
    try {
      ReadFileBytesIfExists(dir.File("secret"));
    } catch (const FileError&) {
      _exit(0);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: read or taken as missing, 4: no ordinary user";
}

}  // namespace
}  // namespace zc
