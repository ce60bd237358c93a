// The building blocks of the scanner and the line split.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "line_text.h"
#include "operators.h"
#include "scanner.h"
#include "str_tok.h"

namespace zc {
namespace {

TEST(MatchLongestEntry, LongestFirstOnEqualLengthIgnoringCase) {
  const std::vector<std::string_view> table = {"a", "ab", "AB", "", "abc", "b"};
  struct Case {
    const char* text;
    int index;
  };
  for (const Case c : std::vector<Case>{
           {"abz", 1}, {"ABCD", 4}, {"a", 0}, {"bb", 5}, {"c", -1}, {"", -1}}) {
    EXPECT_EQ(MatchLongestEntry(c.text, table), c.index) << c.text;
  }
}

TEST(OperatorCode, EverySpellingHasItsBit) {
  struct Case {
    const char* spelling;
    int code;
  };
  for (const Case c : std::vector<Case>{{"*", 1}, {"/", 2}, {"\\", 4}, {"MOD", 8}, {"AND", 16},
                                        {"OR", 32}, {"XOR", 64}, {"^", 128}, {"<<", 256},
                                        {">>", 512}, {"+", 0}, {"mod", 0}, {"", 0}}) {
    EXPECT_EQ(OperatorCode(c.spelling), c.code) << c.spelling;
  }
}

TEST(MatchOperator, LongestSpellingInAnyCaseInsideLongerWords) {
  struct Case {
    const char* text;
    int code;  // 0: no operator
  };
  for (const Case c : std::vector<Case>{{"<<1", 256}, {">>", 512}, {"xor", 64}, {"Or 1", 32},
                                        {"order", 32}, {"mod2", 8}, {"AnD", 16}, {"**", 1},
                                        {"\\", 4}, {"^-1", 128}, {"<", 0}, {"x", 0}, {"", 0},
                                        {"+", 0}, {"=", 0}}) {
    const TOperator* found = MatchOperator(c.text);
    EXPECT_EQ(found ? found->code : 0, c.code) << c.text;
  }
}

struct ScanCase {
  const char* text;
  const char* collected;
  std::size_t end;
};

TEST(ScanDecimal, StopsAtTheFirstCharacterOutsideTheForm) {
  const std::vector<ScanCase> cases = {
      {"12.5+1", "12.5", 4}, {"1.2.3x", "1.2.3", 5}, {"1E+5x", "1E+5", 4},
      {"1E--5", "1E-", 3},   {"1e5", "1", 1},        {"1E5.5", "1E5", 3},
      {"3 4", "3", 1},       {"1E", "1E", 2},
  };
  for (const ScanCase& c : cases) {
    std::size_t position = 0;
    EXPECT_EQ(ScanDecimal(c.text, position), c.collected) << c.text;
    EXPECT_EQ(position, c.end) << c.text;
  }
}

TEST(ScanHexAndBinary, CollectTheirDigitsOnly) {
  std::size_t position = 0;
  EXPECT_EQ(ScanHex("0x1F.8g", position), "1F.8");
  EXPECT_EQ(position, 6u);
  position = 0;
  EXPECT_EQ(ScanBinary("0b1012", position), "101");
  EXPECT_EQ(position, 5u);
  EXPECT_FALSE(HexLiteralAt("0xg", 0));
  EXPECT_FALSE(HexLiteralAt("0X1", 0));
  EXPECT_FALSE(BinaryLiteralAt("0b2", 0));
  EXPECT_TRUE(BinaryLiteralAt("10b1", 1));
}

TEST(SplitTopLevelCommas, CountsPiecesOutsideParentheses) {
  struct Case {
    const char* text;
    std::vector<std::string_view> pieces;
  };
  const std::vector<Case> cases = {
      {"1,2,3", {"1", "2", "3"}},
      {"1,2,", {"1", "2"}},
      {"1,,2", {"1", "", "2"}},
      {",", {""}},
      {"f(1,2),3", {"f(1,2)", "3"}},
      {")1,2", {")1,2"}},
      {"x, y", {"x", " y"}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> pieces;
    EXPECT_EQ(SplitTopLevelCommas(c.text, pieces), static_cast<int>(c.pieces.size())) << c.text;
    EXPECT_EQ(pieces, c.pieces) << c.text;
  }
}

TEST(StrTok, CutsAtRunsOfDelimiters) {
  struct Case {
    const char* text;
    std::vector<std::string_view> tokens;
  };
  const TDelimiterSet equals("=");
  const std::vector<Case> cases = {
      {"a==5", {"a", "5"}},
      {"=5", {"5"}},
      {"x = 3", {"x ", " 3"}},
      {"a=b=c", {"a", "b", "c"}},
      {"===", {""}},
      {"", {""}},
  };
  for (const Case& c : cases) {
    TStrTokRec rec;
    std::vector<std::string_view> tokens = {StrTokFirst(c.text, equals, rec)};
    while (static_cast<std::size_t>(rec.Pos) <= std::string_view(c.text).size()) {
      tokens.push_back(StrTokNext(equals, rec));
    }
    EXPECT_EQ(tokens, c.tokens) << c.text;
  }
}

TEST(LineShape, QuotesAndParentheses) {
  EXPECT_TRUE(IsQuoted("\""));
  EXPECT_EQ(Unquote("\""), "");
  EXPECT_EQ(Unquote("\"ab\""), "ab");
  EXPECT_FALSE(IsQuoted("\"ab"));
  EXPECT_TRUE(IsParenthesized("(1)(2)"));
  EXPECT_EQ(StripParentheses("(1)"), "1");
  EXPECT_EQ(TrimBlanks("\t a b \r\n"), "a b");
}

}  // namespace
}  // namespace zc
