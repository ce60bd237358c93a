#include "text_encoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zc {
namespace {

// "テスト" in each of the encodings a data file may use.
const std::string kTestUtf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88";
const std::string kTestSjis = "\x83\x65\x83\x58\x83\x67";

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
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

// UTF-16 as some editors save it, without a byte-order mark.
std::string Utf16WithoutMark(const std::string& utf8, TextEncoding encoding) {
  return EncodeText(utf8, encoding).substr(2);
}

TEST(DecodeText, TellsUtf16WithoutAMarkByItsZeroBytes) {
  const std::string ini = "[dbl]\r\nParams=x\r\nSentence=x*2\r\n";
  // Mostly Japanese, with characters whose low byte is zero (U+4E00 一, U+3000).
  const std::string japanese = "[\xE4\xB8\x80]\r\n\xE4\xB8\x80\xE3\x80\x80" + kTestUtf8 + kTestUtf8 + "\r\n";
  const DecodeCase cases[] = {
      {"little-endian", Utf16WithoutMark(ini, TextEncoding::Utf16LE), ini, TextEncoding::Utf16LE},
      {"big-endian", Utf16WithoutMark(ini, TextEncoding::Utf16BE), ini, TextEncoding::Utf16BE},
      {"mostly Japanese", Utf16WithoutMark(japanese, TextEncoding::Utf16LE), japanese, TextEncoding::Utf16LE},
      {"one stray zero in UTF-8", std::string("a=1\r\n\0", 6), "a=1\r\n\xEF\xBF\xBD", TextEncoding::Utf8},
      {"zero-filled tail", "a=1\r\n" + std::string(8, '\0'), std::nullopt, TextEncoding::Utf8},
  };
  for (const DecodeCase& c : cases) {
    const DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.label;
    EXPECT_EQ(DetectEncoding(c.bytes), c.encoding) << c.label;
    if (c.text) {
      EXPECT_EQ(decoded.utf8, *c.text) << c.label;
    }
    // Text never carries a NUL character out of the file.
    EXPECT_EQ(decoded.utf8.find('\0'), std::string::npos) << c.label;
  }
}

TEST(DecodeText, SaysWhenBytesCouldNotBeDecoded) {
  const struct {
    const char* label;
    std::string bytes;
    bool lossy;
  } cases[] = {
      {"UTF-8", kTestUtf8, false},
      {"Shift-JIS", kTestSjis, false},
      {"UTF-16LE with mark", EncodeText(kTestUtf8, TextEncoding::Utf16LE), false},
      {"a text that holds U+FFFD itself", "\xEF\xBF\xBD", false},
      {"broken UTF-8 after a mark", "\xEF\xBB\xBF" "a\xFF", true},
      {"lone UTF-16 surrogate", Bytes({0xFF, 0xFE, 'a', 0, 0x3D, 0xD8}), true},
      {"undefined Shift-JIS byte", "a\xA0\xFD", true},
      {"NUL characters", std::string("a\0b", 3), true},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeText(c.bytes).lossy, c.lossy) << c.label;
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

}  // namespace
}  // namespace zc
