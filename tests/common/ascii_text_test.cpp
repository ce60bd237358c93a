#include "ascii_text.h"

#include <gtest/gtest.h>

namespace zc {
namespace {

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

}  // namespace
}  // namespace zc
