// Reading and writing number texts. Every table also runs under a locale
// with a decimal comma, where the C library's own printf and strtod would
// write and expect "1,5".
#include "number_text.h"
#include "scoped_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zc {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNan = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kLargest = std::numeric_limits<long double>::max();
constexpr long double kSmallest = std::numeric_limits<long double>::denorm_min();

constexpr DecimalSyntax kBare{};
// An expression's literal: no sign, upper-case 'E', "1E" is 1.
constexpr DecimalSyntax kLiteral{
    .exponent = ExponentLetter::UpperOnly, .bareExponent = true, .leadingPoint = false};
constexpr IntegerSyntax kUnsigned{.sign = false};
constexpr IntegerSyntax kBlanks{.blanks = true};
constexpr IntegerSyntax kHex{.hexPrefix = true};

constexpr auto Ok = NumberReadStatus::Ok;
constexpr auto Malformed = NumberReadStatus::Malformed;
constexpr auto OutOfRange = NumberReadStatus::OutOfRange;

void CheckDecimalReading() {
  struct Case {
    const char* text;
    DecimalSyntax syntax;
    NumberReadStatus status;
    long double value;
  };
  const Case cases[] = {
      {"1.5", kBare, Ok, 1.5L},
      {"007", kBare, Ok, 7},
      {"5.", kBare, Ok, 5},
      {".5", kBare, Ok, 0.5L},
      {".5", kLiteral, Malformed, 0},
      {".", kTypedDecimal, Malformed, 0},
      {"", kTypedDecimal, Malformed, 0},
      {" ", kTypedDecimal, Malformed, 0},
      // Sign
      {"-1.5", kBare, Malformed, 0},
      {"-1.5", kTypedDecimal, Ok, -1.5L},
      {"+1.5", kTypedDecimal, Ok, 1.5L},
      {"-", kTypedDecimal, Malformed, 0},
      {"--1", kTypedDecimal, Malformed, 0},
      {"+-1", kTypedDecimal, Malformed, 0},
      {"1-", kTypedDecimal, Malformed, 0},
      // Blanks: spaces and tabs around the number, never inside it
      {" 1.5\t", kBare, Malformed, 0},
      {" \t-1.5  ", kTypedDecimal, Ok, -1.5L},
      {"- 1.5", kTypedDecimal, Malformed, 0},
      {"1 5", kTypedDecimal, Malformed, 0},
      {"1.5\n", kTypedDecimal, Malformed, 0},
      // Exponent
      {"1.5E3", kBare, Malformed, 0},
      {"1.5E3", kLiteral, Ok, 1500},
      {"1.5e3", kLiteral, Malformed, 0},
      {"1.5e3", kTypedDecimal, Ok, 1500},
      {"15E-1", kTypedDecimal, Ok, 1.5L},
      {"1E+2", kLiteral, Ok, 100},
      {"1E", kTypedDecimal, Malformed, 0},
      {"1E", kLiteral, Ok, 1},
      {"1E-", kLiteral, Ok, 1},
      {"E5", kTypedDecimal, Malformed, 0},
      {"1E2.5", kTypedDecimal, Malformed, 0},
      {"1E+-2", kTypedDecimal, Malformed, 0},
      // Never numbers
      {"1,5", kTypedDecimal, Malformed, 0},
      {"1.2.3", kTypedDecimal, Malformed, 0},
      {"inf", kTypedDecimal, Malformed, 0},
      {"NAN", kTypedDecimal, Malformed, 0},
      {"0x10", kTypedDecimal, Malformed, 0},
      {"0x1p3", kTypedDecimal, Malformed, 0},
      {"\xEF\xBC\x91", kTypedDecimal, Malformed, 0},  // full-width 1
      // Rounding and the ends of the extended range
      {"0.1", kBare, Ok, 0.1L},
      {"123456789012345678901234567890", kBare, Ok, 123456789012345678901234567890.0L},
      {"0.333333333333333333333333333333", kBare, Ok, 0.333333333333333333333333333333L},
      {"1.18973149535723176502E4932", kLiteral, Ok, kLargest},
      {"1.2E4932", kLiteral, OutOfRange, 0},
      {"1E99999999999", kLiteral, OutOfRange, 0},
      {"3.64519953188247460253E-4951", kLiteral, Ok, kSmallest},
      {"1E-5000", kLiteral, Ok, 0},
      {"0E99999999999", kLiteral, Ok, 0},
  };
  for (const Case& c : cases) {
    const NumberRead<long double> read = ReadDecimal<long double>(c.text, c.syntax);
    EXPECT_EQ(read.status, c.status) << '"' << c.text << '"';
    if (c.status == Ok) {
      EXPECT_EQ(read.value, c.value) << '"' << c.text << '"';
    }
  }
  EXPECT_TRUE(std::signbit(ReadDecimal<long double>("-0", kTypedDecimal).value));
}

void CheckDoubleReading() {
  struct Case {
    const char* text;
    NumberReadStatus status;
    double value;
  };
  const Case cases[] = {
      {"0.1", Ok, 0.1},
      {"-1.5", Ok, -1.5},
      {"1.7976931348623157e308", Ok, std::numeric_limits<double>::max()},
      {"1.8e308", OutOfRange, 0},
      {"4.9406564584124654e-324", Ok, std::numeric_limits<double>::denorm_min()},
      {"1e-400", Ok, 0},
      // Just above the halfway point between 1 and the next double: read
      // through an extended value first it would round to the halfway point
      // and then down to 1.
      {"1.000000000000000111022302462515654042363166809082031251", Ok, 1.0000000000000002},
      {"1,5", Malformed, 0},
  };
  for (const Case& c : cases) {
    const NumberRead<double> read = ReadDecimal<double>(c.text, kTypedDecimal);
    EXPECT_EQ(read.status, c.status) << c.text;
    if (c.status == Ok) {
      EXPECT_EQ(read.value, c.value) << c.text;
    }
  }
}

void CheckIntegerReading() {
  struct Case {
    const char* text;
    IntegerSyntax syntax;
    NumberReadStatus status;
    std::int64_t value;
  };
  const Case int32Cases[] = {
      {"12", {}, Ok, 12},
      {"+12", {}, Ok, 12},
      {"+12", kUnsigned, Malformed, 0},
      {"-7", {}, Ok, -7},
      {"-0", {}, Ok, 0},
      {"2147483647", {}, Ok, 2147483647},
      {"2147483648", {}, OutOfRange, 0},
      {"-2147483648", {}, Ok, -2147483648LL},
      {"-2147483649", {}, OutOfRange, 0},
      {"99999999999999999999999", {}, OutOfRange, 0},
      {"9999999999999999999999x", {}, Malformed, 0},
      {"", {}, Malformed, 0},
      {"+", {}, Malformed, 0},
      {"-", {}, Malformed, 0},
      {"+-5", {}, Malformed, 0},
      {"1-2", {}, Malformed, 0},
      {"1.0", {}, Malformed, 0},
      {"1e3", {}, Malformed, 0},
      {"\xEF\xBC\x91\xEF\xBC\x92", {}, Malformed, 0},  // full-width 12
      {" 12", {}, Malformed, 0},
      {" -12\t", kBlanks, Ok, -12},
      {"1 2", kBlanks, Malformed, 0},
      // Hexadecimal fills every bit: $FFFFFFFF is -1
      {"0x1F", {}, Malformed, 0},
      {"0x1F", kHex, Ok, 31},
      {"0X1f", kHex, Ok, 31},
      {"$7FFFFFFF", kHex, Ok, 2147483647},
      {"$FFFFFFFF", kHex, Ok, -1},
      {"$80000000", kHex, Ok, -2147483648LL},
      {"-$10", kHex, Ok, -16},
      {"-0x1", kHex, Ok, -1},
      {"$100000000", kHex, OutOfRange, 0},
      {"$", kHex, Malformed, 0},
      {"0x", kHex, Malformed, 0},
      {"$1G", kHex, Malformed, 0},
      {"1F", kHex, Malformed, 0},
      {"0010", kHex, Ok, 10},
  };
  for (const Case& c : int32Cases) {
    const NumberRead<std::int32_t> read = ReadInteger<std::int32_t>(c.text, c.syntax);
    EXPECT_EQ(read.status, c.status) << '"' << c.text << '"';
    if (c.status == Ok) {
      EXPECT_EQ(read.value, c.value) << '"' << c.text << '"';
    }
  }

  const Case int64Cases[] = {
      {"+9223372036854775807", {}, Ok, INT64_MAX},
      {"9223372036854775808", {}, OutOfRange, 0},
      {"-9223372036854775808", {}, Ok, INT64_MIN},
      {"-9223372036854775809", {}, OutOfRange, 0},
      {"12 ", {}, Malformed, 0},
      {"$FFFFFFFFFFFFFFFF", kHex, Ok, -1},
      {"$FFFFFFFF", kHex, Ok, 0xFFFFFFFFLL},
      {"$10000000000000000", kHex, OutOfRange, 0},
  };
  for (const Case& c : int64Cases) {
    const NumberRead<std::int64_t> read = ReadInteger<std::int64_t>(c.text, c.syntax);
    EXPECT_EQ(read.status, c.status) << c.text;
    if (c.status == Ok) {
      EXPECT_EQ(read.value, c.value) << c.text;
    }
  }

  EXPECT_EQ(ReadInteger<std::uint64_t>("18446744073709551615").value, UINT64_MAX);
  EXPECT_EQ(ReadInteger<std::uint64_t>("18446744073709551616").status, OutOfRange);
  EXPECT_EQ(ReadInteger<std::uint64_t>("-1").status, OutOfRange);
  EXPECT_EQ(ReadInteger<std::uint64_t>("-0").status, Ok);
  EXPECT_EQ(ReadInteger<std::int32_t>("x").ValueOr(7), 7);
}

struct WriteCase {
  long double value;
  int digits;
  const char* text;
};

void CheckFixedWriting() {
  const WriteCase cases[] = {
      {1.5L, 5, "1.50000"},
      {2.5L, 2, "2.50"},
      {3, 0, "3"},
      {2.5L, 0, "2"},  // ties go to the even neighbour
      {3.5L, 0, "4"},
      {0.125L, 2, "0.12"},
      {0.375L, 2, "0.38"},
      {-1.25L, 1, "-1.2"},
      {0.1, 20, "0.10000000000000000555"},  // the double nearest 0.1, exactly
      {1e20L, 0, "100000000000000000000"},
      {-0.001L, 2, "0.00"},  // no sign on a value that rounds to zero
      {-0.0L, 1, "0.0"},
      {2.5L, -3, "2"},
      {kInf, 2, "INF"},
      {-kInf, 2, "-INF"},
      {kNan, 2, "NAN"},
  };
  for (const WriteCase& c : cases) EXPECT_EQ(FixedText(c.value, c.digits), c.text) << c.text;

  const std::string largest = FixedText(-kLargest, 1);
  EXPECT_EQ(largest.size(), 1 + 4933 + 2u);
  EXPECT_EQ(largest.substr(0, 22), "-118973149535723176502");
  EXPECT_EQ(largest.substr(largest.size() - 2), ".0");
}

void CheckScientificWriting() {
  // Fourteen decimals and three exponent digits: the console's exponent form.
  const WriteCase digitCases[] = {
      {100, 14, "1.00000000000000E+002"},
      {0, 14, "0.00000000000000E+000"},
      {-0.0L, 14, "0.00000000000000E+000"},
      {-0.125L, 14, "-1.25000000000000E-001"},
      {1.0L / 3.0L, 14, "3.33333333333333E-001"},
      {2.0L / 3.0L, 14, "6.66666666666667E-001"},
      {999.9999999999999L, 14, "1.00000000000000E+003"},  // rounding carries into the exponent
      {1e300L, 14, "1.00000000000000E+300"},
      {1.5e-4000L, 14, "1.50000000000000E-4000"},
      {kLargest, 14, "1.18973149535723E+4932"},
      {kSmallest, 14, "3.64519953188247E-4951"},
      {kInf, 14, "INF"},
      {-kInf, 14, "-INF"},
      {kNan, 14, "NAN"},
  };
  for (const WriteCase& c : digitCases) EXPECT_EQ(ScientificText(c.value, c.digits, 3), c.text) << c.text;

  EXPECT_EQ(ScientificText(1234.5L, 2, 1), "1.23E+3");
  EXPECT_EQ(ScientificText(1.5L, 0, 2), "2E+00");
  EXPECT_EQ(ScientificText(2.5L, 0, 2), "2E+00");
  EXPECT_EQ(ScientificText(-2.5e-7L, 1, 1), "-2.5E-7");
}

void CheckGeneralWriting() {
  struct Case {
    long double value;
    int precision;
    int smallestFixedExponent;
    const char* text;
  };
  const Case cases[] = {
      // 15 digits, fixed down to 0.0001: the calculator's result text
      {1.0L / 3.0L, 15, -4, "0.333333333333333"},
      {100, 15, -4, "100"},
      {0.0001L, 15, -4, "0.0001"},
      {0.00001L, 15, -4, "1E-5"},
      {1e15L, 15, -4, "1E15"},
      {123456789012345.0L, 15, -4, "123456789012345"},
      {999999999999999.5L, 15, -4, "1E15"},
      {18446744073709551616.0L, 15, -4, "1.84467440737096E19"},
      {-2.5L, 15, -4, "-2.5"},
      {0.1L + 0.2L, 15, -4, "0.3"},
      // Six digits, fixed down to 0.00001: axis labels
      {2.5, 6, -5, "2.5"},
      {0.30000000000000004, 6, -5, "0.3"},
      {0.25, 6, -5, "0.25"},
      {123456, 6, -5, "123456"},
      {1234567, 6, -5, "1.23457E6"},
      {999999.5, 6, -5, "1E6"},
      {0.00001, 6, -5, "0.00001"},
      {0.0000015, 6, -5, "1.5E-6"},
      {-4, 6, -5, "-4"},
      {0.96L, 1, -5, "1"},
      {0.96L, 0, -5, "1"},
      {kLargest, 21, -5, "1.18973149535723176502E4932"},
      {kSmallest, 6, -5, "3.6452E-4951"},
      {-0.0L, 6, -5, "0"},
      {kInf, 6, -5, "INF"},
      {-kInf, 6, -5, "-INF"},
      {kNan, 6, -5, "NAN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GeneralText(c.value, c.precision, c.smallestFixedExponent), c.text) << c.text;
  }
}

void CheckIntegerWriting() {
  EXPECT_EQ(IntegerText(0), "0");
  EXPECT_EQ(IntegerText(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(IntegerText(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntegerText(UINT64_MAX), "18446744073709551615");
  EXPECT_EQ(IntegerText(std::uint16_t{65535}), "65535");
}

void CheckEverything() {
  CheckDecimalReading();
  CheckDoubleReading();
  CheckIntegerReading();
  CheckFixedWriting();
  CheckScientificWriting();
  CheckGeneralWriting();
  CheckIntegerWriting();
}

TEST(NumberText, ReadsDecimalsWithTheOptionsGiven) { CheckDecimalReading(); }
TEST(NumberText, ReadsDoublesWithASingleRounding) { CheckDoubleReading(); }
TEST(NumberText, ReadsIntegersWithinTheirTypeOrAsHexBits) { CheckIntegerReading(); }
TEST(NumberText, WritesFixedDecimalsRoundedToEven) { CheckFixedWriting(); }
TEST(NumberText, WritesScientificWithAPaddedSignedExponent) { CheckScientificWriting(); }
TEST(NumberText, WritesGeneralTextWithoutTrailingZeros) { CheckGeneralWriting(); }
TEST(NumberText, WritesIntegers) { CheckIntegerWriting(); }

TEST(NumberText, IgnoresADecimalCommaLocale) {
  const test::ScopedLocale german(test::kDecimalCommaLocale);
  if (!german.Active()) GTEST_SKIP() << test::kMissingDecimalCommaLocale;
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ(probe, "1,5") << "the locale should write a decimal comma";
  CheckEverything();
}

}  // namespace
}  // namespace zc

int main(int argc, char** argv) {
  // The programs run under the locale their user chose (Qt sets it at start);
  // ctest runs this suite under C.UTF-8 and under de_DE.UTF-8.
  std::setlocale(LC_ALL, "");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
