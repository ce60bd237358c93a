// The texts the console computes without widgets: the bare-number test of
// quick execution, quick-button pages and the names function menu items
// insert.
#include <gtest/gtest.h>

#include "function_menus.h"
#include "quick_buttons.h"

namespace zc {
namespace {

TEST(IsPlainNumber, BareNumbersOfTwoOrMoreCharacters) {
  const std::pair<const char*, bool> cases[] = {
      {"12", true},    {"-5", true},   {"+5", true},     {".5", true},   {"1.5E3", true},
      {"E5", true},    {"1E-3", false},  // a sign only leads
      {"5", false},    {"", false},    {"1e3", false},   {"1 2", false}, {"0x1F", false},
      {"--1", false},  {"ANS", false}, {"12+3", false},  {"１２", false},
  };
  for (const auto& [text, plain] : cases) EXPECT_EQ(IsPlainNumber(text), plain) << text;
}

TEST(QuickPageEntries, CaptionAndTextInFileOrderAtMostTwelve) {
  const IniFile presets = IniFile::Parse(
      "[p]\n a = b \nc=\nsin=sin\nx^y=^\n5\n6\n7\n8\n9\n10\n11\n12\n13\n");
  const auto entries = QuickPageEntries(*presets.FindSection("P"));
  ASSERT_EQ(entries.size(), 12u);
  EXPECT_EQ(entries[0].caption, "a");
  EXPECT_EQ(entries[0].text, "b");
  EXPECT_EQ(entries[1].caption, "c");
  EXPECT_EQ(entries[1].text, "");
  EXPECT_EQ(entries[3].caption, "x^y");
  EXPECT_EQ(entries[3].text, "^");
  // A line without '=' is an entry with neither caption nor text.
  EXPECT_EQ(entries[4].caption, "");
  EXPECT_EQ(entries[4].text, "");
  EXPECT_EQ(entries[11].caption, "");
}

TEST(FunctionNameOfCaption, TextBeforeTheFirstParenthesis) {
  EXPECT_EQ(FunctionNameOfCaption("sum(n1,n2,..nx)"), "sum");
  EXPECT_EQ(FunctionNameOfCaption("f(x)(y)"), "f");
  EXPECT_EQ(FunctionNameOfCaption("noparen"), "noparen");
  EXPECT_EQ(FunctionNameOfCaption("()"), "");
  EXPECT_EQ(EscapeMenuText("a&b"), "a&&b");
}

}  // namespace
}  // namespace zc
