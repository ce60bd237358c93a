#include "decimal_conversion.h"

#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace zc {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

// Converts the validated form [sign] digits [. digits] [E [sign] digits].
// `mantissa` and `exponent` were gathered while validating; the slow path
// hands a normalised copy of the text to the C library.
DecimalConversion Convert(bool negative, std::string_view digits, std::string_view fraction,
                          bool exponentNegative, std::string_view exponentDigits,
                          long double& value) {
  // Fast path: at most 19 significant digits and a small power of ten give
  // one correctly rounded multiplication or division.
  std::uint64_t mantissa = 0;
  int significant = 0;
  int scale = 0;  // value = mantissa * 10^scale before the exponent
  bool fits = true;
  auto take = [&](char c, bool isFraction) {
    if (significant == 0 && c == '0') {
      if (isFraction) --scale;
      return;
    }
    if (significant < 19) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      ++significant;
      if (isFraction) --scale;
    } else {
      fits = false;
    }
  };
  for (const char c : digits) take(c, false);
  for (const char c : fraction) take(c, true);

  long exponent = 0;
  for (const char c : exponentDigits) {
    if (exponent < 1000000) exponent = exponent * 10 + (c - '0');
  }
  if (exponentNegative) exponent = -exponent;

  if (fits) {
    if (mantissa == 0) {
      value = negative ? -0.0L : 0.0L;
      return DecimalConversion::Ok;
    }
    const long total = scale + exponent;
    if (total >= -kExactPowers && total <= kExactPowers) {
      long double result = static_cast<long double>(mantissa);
      if (total >= 0) {
        result *= kPowersOfTen[total];
      } else {
        result /= kPowersOfTen[-total];
      }
      if (!std::isinf(result)) {
        value = negative ? -result : result;
        return DecimalConversion::Ok;
      }
    }
  }

  std::string normal;
  normal.reserve(digits.size() + fraction.size() + exponentDigits.size() + 8);
  if (negative) normal += '-';
  if (digits.empty()) normal += '0';
  normal += digits;
  if (!fraction.empty()) {
    normal += '.';
    normal += fraction;
  }
  if (!exponentDigits.empty()) {
    normal += 'E';
    if (exponentNegative) normal += '-';
    normal += exponentDigits;
  }
  char* end = nullptr;
  const long double result = strtold_l(normal.c_str(), &end, CLocale());
  if (end != normal.c_str() + normal.size()) return DecimalConversion::Malformed;
  // Too small for the format: the value becomes a denormal or zero, as the
  // arithmetic does with underflow. Too large is no number.
  if (std::isinf(result)) return DecimalConversion::OutOfRange;
  value = result;
  return DecimalConversion::Ok;
}

// Validates [sign] digits [. digits] [(E|e) [sign] digits] over all of
// `text` and converts it.
DecimalConversion Parse(std::string_view text, bool allowSign, bool allowLowerE,
                        bool requireIntegerDigit, long double& value) {
  std::size_t i = 0;
  bool negative = false;
  if (allowSign && i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t digitsStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::string_view digits = text.substr(digitsStart, i - digitsStart);
  std::string_view fraction;
  if (i < text.size() && text[i] == '.') {
    ++i;
    const std::size_t fractionStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    fraction = text.substr(fractionStart, i - fractionStart);
  }
  if (digits.empty() && (requireIntegerDigit || fraction.empty())) {
    return DecimalConversion::Malformed;
  }
  bool exponentNegative = false;
  std::string_view exponentDigits;
  if (i < text.size() && (text[i] == 'E' || (allowLowerE && text[i] == 'e'))) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      exponentNegative = text[i] == '-';
      ++i;
    }
    const std::size_t exponentStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    exponentDigits = text.substr(exponentStart, i - exponentStart);
  }
  if (i != text.size()) return DecimalConversion::Malformed;
  return Convert(negative, digits, fraction, exponentNegative, exponentDigits, value);
}

}  // namespace

DecimalConversion ConvertDecimalLiteral(std::string_view text, long double& value) {
  return Parse(text, false, false, true, value);
}

DecimalConversion ConvertValueText(std::string_view text, long double& value) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return Parse(text.substr(begin, end - begin), true, true, false, value);
}

}  // namespace zc
