// The 15-digit result text and the decimal conversions behind literals and
// stored values.
#include <gtest/gtest.h>

#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calc_expression.h"
#include "decimal_conversion.h"

namespace zc {
namespace {

struct TextCase {
  long double value;
  const char* text;
};

TEST(ResultText, GeneralFormatWithFifteenDigits) {
  const std::vector<TextCase> cases = {
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {-1.0L / 3, "-0.333333333333333"},
      {0.1L + 0.2L, "0.3"},
      {1e15L, "1E15"},
      {999999999999999.0L, "999999999999999"},
      {999999999999999.5L, "1E15"},
      {123456789012345678.0L, "1.23456789012346E17"},
      {1234567890123456.0L, "1.23456789012346E15"},
      {18446744073709551616.0L, "1.84467440737096E19"},
      {1e-5L, "1E-5"},
      {-1e-5L, "-1E-5"},
      {0.0001L, "0.0001"},
      {0.0001234L, "0.0001234"},
      {0.00012345678901234567L, "0.000123456789012346"},
      {9.999999999999999L, "10"},
      {-9.999999999999999L, "-10"},
      {100, "100"},
      {123.4L, "123.4"},
      {0.5L, "0.5"},
      {1e14L, "100000000000000"},
      {0, "0"},
      {-0.0L, "0"},
      {1e100L, "1E100"},
      {-2.5e-300L, "-2.5E-300"},
      {std::numeric_limits<long double>::max(), "1.18973149535723E4932"},
      {std::numeric_limits<long double>::denorm_min(), "3.64519953188247E-4951"},
      {std::numeric_limits<long double>::infinity(), "INF"},
      {-std::numeric_limits<long double>::infinity(), "-INF"},
      {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(ResultText(c.value), c.text) << c.text;
}

// The shared general writer, which rounds through the exact conversion of
// std::to_chars: 15 digits, fixed down to 0.0001.
std::string ReferenceText(long double value) { return GeneralText(value, 15, -4); }

TEST(ResultText, AgreesWithExactConversionAcrossTheRange) {
  std::mt19937_64 random(20261209);
  std::uniform_int_distribution<int> exponent(-60, 60);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 200000; ++i) {
    // Random significands at random scales, and decimal values that lie
    // close to a rounding half at the 15th digit.
    long double value = std::ldexp(static_cast<long double>(bits(random)), exponent(random) - 64);
    if (i % 2 == 1) {
      value = (static_cast<long double>(bits(random) % 1000000000000000ULL) + 0.5L) *
              std::pow(10.0L, static_cast<long double>(exponent(random) % 20 - 14));
    }
    if (i % 3 == 0) value = -value;
    ASSERT_EQ(ResultText(value), ReferenceText(value)) << static_cast<double>(value);
  }
}

struct ConversionCase {
  const char* text;
  DecimalConversion outcome;
  long double value;
};

TEST(DecimalConversion, LiteralForm) {
  const std::vector<ConversionCase> cases = {
      {"1.5", DecimalConversion::Ok, 1.5L},
      {"1E", DecimalConversion::Ok, 1},
      {"1E+", DecimalConversion::Ok, 1},
      {"1E-3", DecimalConversion::Ok, 0.001L},
      {"12.E2", DecimalConversion::Ok, 1200},
      {"0.1", DecimalConversion::Ok, 0.1L},
      {"1E-5000", DecimalConversion::Ok, 0},
      {"1.2.3", DecimalConversion::Malformed, 0},
      {"1e3", DecimalConversion::Malformed, 0},
      {"1E3.5", DecimalConversion::Malformed, 0},
      {"-1", DecimalConversion::Malformed, 0},
      {".5", DecimalConversion::Malformed, 0},
      {"1E5000", DecimalConversion::OutOfRange, 0},
      {"1E99999999999999999999", DecimalConversion::OutOfRange, 0},
  };
  for (const ConversionCase& c : cases) {
    long double value = -7;
    EXPECT_EQ(ConvertDecimalLiteral(c.text, value), c.outcome) << c.text;
    if (c.outcome == DecimalConversion::Ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(DecimalConversion, ValueTextForm) {
  const std::vector<ConversionCase> cases = {
      {" 1.5 ", DecimalConversion::Ok, 1.5L},
      {"\t-2\t", DecimalConversion::Ok, -2},
      {"+2", DecimalConversion::Ok, 2},
      {"1e3", DecimalConversion::Ok, 1000},
      {".5", DecimalConversion::Ok, 0.5L},
      {"5.", DecimalConversion::Ok, 5},
      {"-0.333333333333333", DecimalConversion::Ok, -0.333333333333333L},
      {"inf", DecimalConversion::Malformed, 0},
      {"INF", DecimalConversion::Malformed, 0},
      {"nan", DecimalConversion::Malformed, 0},
      {"0x10", DecimalConversion::Malformed, 0},
      {"0x1p3", DecimalConversion::Malformed, 0},
      {"1,5", DecimalConversion::Malformed, 0},
      {"", DecimalConversion::Malformed, 0},
      {"-", DecimalConversion::Malformed, 0},
      {".", DecimalConversion::Malformed, 0},
      {"1 2", DecimalConversion::Malformed, 0},
      {"--1", DecimalConversion::Malformed, 0},
      {"1E5000", DecimalConversion::OutOfRange, 0},
  };
  for (const ConversionCase& c : cases) {
    long double value = -7;
    EXPECT_EQ(ConvertValueText(c.text, value), c.outcome) << c.text;
    if (c.outcome == DecimalConversion::Ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(DecimalConversion, RoundsLikeTheExactConversion) {
  const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> digitCount(1, 24);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> exponent(-40, 40);
  for (int i = 0; i < 100000; ++i) {
    std::string text;
    const int count = digitCount(random);
    for (int k = 0; k < count; ++k) text += static_cast<char>('0' + digit(random));
    if (i % 2 == 0 && count > 1) text.insert(text.size() / 2, ".");
    text += "E" + std::to_string(exponent(random));
    long double value = 0;
    ASSERT_EQ(ConvertDecimalLiteral(text, value), DecimalConversion::Ok) << text;
    ASSERT_EQ(value, strtold_l(text.c_str(), nullptr, c)) << text;
  }
  freelocale(c);
}

// Switches LC_NUMERIC to a locale with a decimal comma, compiling one into a
// temporary folder when the system has none installed.
// `compiled` receives the folder to remove afterwards.
bool UseDecimalCommaLocale(std::string& compiled) {
  if (setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) return true;
  char folder[] = "/tmp/zc_locale_XXXXXX";
  if (mkdtemp(folder) == nullptr) return false;
  compiled = folder;
  const std::string command = std::string("localedef -i de_DE -f UTF-8 ") + folder +
                              "/de_DE.UTF-8 >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return false;
  setenv("LOCPATH", folder, 1);
  return setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

TEST(DecimalConversion, IgnoresTheProcessLocale) {
  // A locale with a decimal comma must not change how texts read or print.
  std::string compiled;
  const bool available = UseDecimalCommaLocale(compiled);
  if (!compiled.empty()) std::filesystem::remove_all(compiled);
  if (!available) GTEST_SKIP() << "no locale with a decimal comma";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ(probe, "1,5");
  long double value = 0;
  EXPECT_EQ(ConvertValueText("1.5", value), DecimalConversion::Ok);
  EXPECT_EQ(value, 1.5L);
  EXPECT_EQ(ConvertValueText("1,5", value), DecimalConversion::Malformed);
  EXPECT_EQ(ConvertValueText("1.23456789012345678901234", value), DecimalConversion::Ok);
  EXPECT_EQ(ResultText(1.5L), "1.5");
  EXPECT_EQ(ResultText(1e-300L / 3), "3.33333333333333E-301");
  EXPECT_EQ(ResultText(0.1L + 0.2L), "0.3");
  setlocale(LC_NUMERIC, "C");
}

}  // namespace
}  // namespace zc
