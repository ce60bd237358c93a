// Row helpers and constants files, without widgets.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "atomic_file_writer.h"
#include "constants_file.h"
#include "name_value_rows.h"

namespace zc {
namespace {

struct AddCase {
  NameValueList before;
  std::string added;
};

TEST(AddNewRow, PicksTheSmallestFreeNumber) {
  const AddCase cases[] = {
      {{}, "New1=0"},
      {{"New1=0"}, "New2=0"},
      {{"new1=5"}, "New2=0"},                   // names compare without case
      {{"New1=0", "NEW3=1"}, "New2=0"},         // a gap is filled
      {{"New1", "x=1"}, "New1=0"},              // a line without '=' has no name
      {{"New10=0", "New1=0"}, "New2=0"},
      {{"New1 =0"}, "New1=0"},                  // "New1 " is another name
  };
  for (const auto& c : cases) {
    NameValueList lines = c.before;
    const int row = AddNewRow(lines);
    ASSERT_EQ(row, static_cast<int>(c.before.size()));
    EXPECT_EQ(lines.back(), c.added) << "after " << c.before.size() << " lines";
  }
}

struct DeleteCase {
  NameValueList before;
  int row;
  NameValueList after;
  int current;
};

TEST(DeleteRow, NeverLeavesTheTableEmpty) {
  const DeleteCase cases[] = {
      {{"a=1"}, 0, {"="}, 0},
      {{""}, 0, {"="}, 0},
      {{}, -1, {"="}, 0},
      {{"a=1", "b=2", "c=3"}, 1, {"a=1", "c=3"}, 1},
      {{"a=1", "b=2"}, 1, {"a=1"}, 0},          // the last row: the one above becomes current
      {{"a=1", "b=2"}, 5, {"a=1", "b=2"}, -1},  // no such row: nothing happens
      {{"a=1", "b=2"}, -1, {"a=1", "b=2"}, -1},
  };
  for (const auto& c : cases) {
    NameValueList lines = c.before;
    EXPECT_EQ(DeleteRow(lines, c.row), c.current);
    EXPECT_EQ(lines, c.after);
  }
}

TEST(NameValueLines, SplitAndJoinKeepTheLineForm) {
  struct Case {
    std::string line, name, value;
    bool hasEquals;
  };
  const Case cases[] = {
      {"pi=3.14", "pi", "3.14", true},
      {"=", "", "", true},
      {"", "", "", false},
      {"a=b=c", "a", "b=c", true},
      {"text", "text", "", false},
  };
  for (const auto& c : cases) {
    const auto parts = SplitNameValue(c.line);
    EXPECT_EQ(parts.name, c.name);
    EXPECT_EQ(parts.value, c.value);
    EXPECT_EQ(parts.hasEquals, c.hasEquals);
    EXPECT_EQ(JoinNameValue(parts.name, parts.value, parts.hasEquals), c.line);
  }
  EXPECT_EQ(JoinNameValue("text", "1", false), "text=1");
}

TEST(ConstantValueFilter, AcceptsNumberCharactersAndControls) {
  for (const char32_t c : std::u32string(U"0123456789-.E\b\r\x01\x19")) EXPECT_TRUE(IsConstantValueChar(c)) << int(c);
  for (const char32_t c : std::u32string(U"+e xZ,=()\x1a\u3042")) EXPECT_FALSE(IsConstantValueChar(c)) << int(c);
}

TEST(ConstantsFile, ReadsEveryLineAndKeepsTheEncoding) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath("constants.txt").toStdString();
  // UTF-16 LE with a byte-order mark, an empty line in the middle.
  const std::string utf16 = EncodeText("pi=3.14\r\n\r\nc=299792458\r\n", TextEncoding::Utf16LE);
  WriteFileAtomically(path, utf16);

  const ConstantsFile file = LoadConstants(path);
  EXPECT_EQ(file.lines, (NameValueList{"pi=3.14", "", "c=299792458"}));
  EXPECT_EQ(file.encoding, TextEncoding::Utf16LE);
  EXPECT_EQ(EncodeConstants(file.lines, file.encoding), utf16);
}

TEST(ConstantsFile, ExportEndsEveryLineWithCrLf) {
  EXPECT_EQ(EncodeConstants({"a=1", "b=2"}, TextEncoding::Utf8), "a=1\r\nb=2\r\n");
  EXPECT_EQ(EncodeConstants({"g=9.8"}, TextEncoding::Utf8Bom), "\xEF\xBB\xBFg=9.8\r\n");
  EXPECT_EQ(EncodeConstants({}, TextEncoding::Utf8), "");
}

TEST(ConstantsFile, MissingFileThrowsANamedError) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("none.txt").toStdString();
  try {
    LoadConstants(path);
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
  }
}

TEST(ConstantsFile, FailedSaveLeavesTheOldFile) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("c.txt").toStdString();
  WriteFileAtomically(path, "old=1\r\n");
  EXPECT_THROW(SaveConstants(dir.filePath("missing/c.txt").toStdString(), {"x=1"}, TextEncoding::Utf8), FileError);
  EXPECT_EQ(LoadConstants(path).lines, NameValueList{"old=1"});
}

}  // namespace
}  // namespace zc
