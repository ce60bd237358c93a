// The texts the console computes without widgets: the exponent notation of
// DIGIT, the bare-number test of quick execution, quick-button pages and
// the names function menu items insert.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "function_menus.h"
#include "number_format.h"
#include "quick_buttons.h"

namespace zc {
namespace {

struct ScientificCase {
  long double value;
  const char* text;
};

TEST(ScientificText, FifteenDigitsAndAtLeastThreeExponentDigits) {
  const ScientificCase cases[] = {
      {100.0L, "1.00000000000000E+002"},
      {0.0L, "0.00000000000000E+000"},
      {-0.0L, "0.00000000000000E+000"},
      {-0.125L, "-1.25000000000000E-001"},
      {1.0L / 3.0L, "3.33333333333333E-001"},
      {2.0L / 3.0L, "6.66666666666667E-001"},
      {999.9999999999999L, "1.00000000000000E+003"},  // rounding carries into the exponent
      {1e300L, "1.00000000000000E+300"},
      {1.5e-4000L, "1.50000000000000E-4000"},
      {std::numeric_limits<long double>::infinity(), "INF"},
      {-std::numeric_limits<long double>::infinity(), "-INF"},
      {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(ScientificText(c.value), c.text) << c.text;
}

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
