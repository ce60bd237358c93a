#include "text_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "temp_dir.h"

namespace zc {
namespace {

using test::TempDir;

// "テスト" in each of the encodings a data file may use.
const std::string kTestUtf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88";
const std::string kTestSjis = "\x83\x65\x83\x58\x83\x67";

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

std::string ReadAll(const std::string& path) { return ReadFileBytes(path).value_or("<missing>"); }

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct DecodeCase {
  const char* label;
  std::string bytes;
  std::optional<std::string> text;  // nothing: only the encoding matters
  TextEncoding encoding;
};

TEST(DecodeText, ChoosesTheEncodingByMarkThenByValidity) {
  const DecodeCase cases[] = {
      {"plain ASCII", "a=1\r\n", "a=1\r\n", TextEncoding::Utf8},
      {"empty file", "", "", TextEncoding::Utf8},
      {"UTF-8 without mark", kTestUtf8, kTestUtf8, TextEncoding::Utf8},
      {"UTF-8 with mark", "\xEF\xBB\xBF" + kTestUtf8, kTestUtf8, TextEncoding::Utf8Bom},
      {"mark only", "\xEF\xBB\xBF", "", TextEncoding::Utf8Bom},
      {"UTF-16LE", Bytes({0xFF, 0xFE, 0xC6, 0x30, 0xB9, 0x30, 0xC8, 0x30, 'x', 0}),
       kTestUtf8 + "x", TextEncoding::Utf16LE},
      {"UTF-16BE", Bytes({0xFE, 0xFF, 0x30, 0xC6, 0x30, 0xB9, 0x30, 0xC8, 0, 'x'}),
       kTestUtf8 + "x", TextEncoding::Utf16BE},
      {"UTF-16LE surrogate pair", Bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80",
       TextEncoding::Utf16LE},
      {"Shift-JIS", "[" + kTestSjis + "]", "[" + kTestUtf8 + "]", TextEncoding::ShiftJis},
      {"Shift-JIS half-width katakana", "\xB1", "\xEF\xBD\xB1", TextEncoding::ShiftJis},
      {"overlong UTF-8 is not UTF-8", "\xC0\xAF", "\xEF\xBE\x80\xEF\xBD\xAF", TextEncoding::ShiftJis},
      {"UTF-8 surrogate is not UTF-8", "\xED\xA0\x80", std::nullopt, TextEncoding::ShiftJis},
      {"code point past U+10FFFF is not UTF-8", "\xF4\x90\x80\x80", std::nullopt, TextEncoding::ShiftJis},
  };
  for (const DecodeCase& c : cases) {
    const DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.label;
    if (c.text) {
      EXPECT_EQ(decoded.utf8, *c.text) << c.label;
    }
  }
}

TEST(DecodeText, ReplacesBytesThatNoDecoderAccepts) {
  const struct {
    const char* label;
    std::string bytes;
  } cases[] = {
      {"broken UTF-8 after a mark", "\xEF\xBB\xBF" "a\xFF" "b"},
      {"odd UTF-16LE length", Bytes({0xFF, 0xFE, 'a', 0, 'b'})},
      {"lone UTF-16 surrogate", Bytes({0xFF, 0xFE, 'a', 0, 0x3D, 0xD8, 'b', 0})},
      {"truncated Shift-JIS lead byte", "a\x83"},
      {"undefined Shift-JIS byte", "a\xA0\xFD" "b"},
  };
  for (const auto& c : cases) {
    const DecodedText decoded = DecodeText(c.bytes);
    EXPECT_NE(decoded.utf8.find('a'), std::string::npos) << c.label;
    EXPECT_NE(decoded.utf8.find("\xEF\xBF\xBD"), std::string::npos) << c.label << ": " << decoded.utf8;
    // Whatever went in, what comes out is clean UTF-8.
    EXPECT_EQ(DecodeText(decoded.utf8).encoding, TextEncoding::Utf8) << c.label;
  }
}

TEST(EncodeText, RoundTripsInEveryEncoding) {
  const std::string text = "[" + kTestUtf8 + "]\r\nExplain=\xE9\x96\xA2\xE6\x95\xB0 x\r\n";
  const TextEncoding encodings[] = {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LE,
                                    TextEncoding::Utf16BE, TextEncoding::ShiftJis};
  for (TextEncoding encoding : encodings) {
    const std::string bytes = EncodeText(text, encoding);
    const DecodedText decoded = DecodeText(bytes);
    EXPECT_EQ(decoded.encoding, encoding) << static_cast<int>(encoding);
    EXPECT_EQ(decoded.utf8, text) << static_cast<int>(encoding);
  }
}

TEST(EncodeText, WritesTheExpectedBytes) {
  const struct {
    TextEncoding encoding;
    std::string bytes;
  } cases[] = {
      {TextEncoding::Utf8, kTestUtf8},
      {TextEncoding::Utf8Bom, "\xEF\xBB\xBF" + kTestUtf8},
      {TextEncoding::Utf16LE, Bytes({0xFF, 0xFE, 0xC6, 0x30, 0xB9, 0x30, 0xC8, 0x30})},
      {TextEncoding::Utf16BE, Bytes({0xFE, 0xFF, 0x30, 0xC6, 0x30, 0xB9, 0x30, 0xC8})},
      {TextEncoding::ShiftJis, kTestSjis},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeText(kTestUtf8, c.encoding), c.bytes);
}

TEST(EncodeText, ReplacesWhatShiftJisCannotHoldCharacterByCharacter) {
  // An emoji (4 bytes) and a Hangul syllable (3 bytes) each become one '?'.
  EXPECT_EQ(EncodeText("a\xF0\x9F\x98\x80" "b\xEA\xB0\x80" "c", TextEncoding::ShiftJis), "a?b?c");
}

TEST(SplitLines, AcceptsEveryLineEnd) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\n", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(TrimBlanks, DropsBlanksAndControlCharactersOnly) {
  EXPECT_EQ(TrimBlanks(" \t\x01x y\r\x7F"), "x y\r\x7F");
  EXPECT_EQ(TrimBlanks("\xE3\x80\x80"), "\xE3\x80\x80");  // ideographic space is text
  EXPECT_EQ(TrimBlanks(" \t "), "");
}

TEST(AsciiCase, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(EqualsIgnoreAsciiCase("LogN", "logn"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("log", "logn"));
  // Full-width Ａ and ａ differ; bytes above 127 are never folded.
  EXPECT_FALSE(EqualsIgnoreAsciiCase("\xEF\xBC\xA1", "\xEF\xBD\x81"));
  EXPECT_EQ(ToLowerAscii("AbC\xC3\x84"), "abc\xC3\x84");
  EXPECT_TRUE(StartsWithIgnoreAsciiCase("SINH30", "sin"));
  EXPECT_FALSE(StartsWithIgnoreAsciiCase("si", "sin"));
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
