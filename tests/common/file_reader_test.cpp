#include "file_reader.h"

#include <gtest/gtest.h>

#include <fstream>

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

TEST(ReadTextFile, MissingFileOrFolderIsNothing) {
  TempDir dir;
  EXPECT_FALSE(ReadTextFile(dir.File("absent.txt")).has_value());
  EXPECT_FALSE(ReadTextFile(dir.Path()).has_value());
  WriteRaw(dir.File("t.txt"), kTestSjis);
  const auto decoded = ReadTextFile(dir.File("t.txt"));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->utf8, kTestUtf8);
  EXPECT_EQ(decoded->encoding, TextEncoding::ShiftJis);
}

}  // namespace
}  // namespace zc
