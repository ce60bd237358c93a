#include "number_text.h"

#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <limits>
#include <type_traits>

namespace zc {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimSpacesAndTabs(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The C library's exact conversions, pinned to the "C" numeric rules so that
// the locale the process runs under never turns '.' into a stranger.
locale_t CNumericLocale() {
  static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

// A validated decimal text, cut into its parts.
struct DecimalParts {
  bool negative = false;
  std::string_view digits;    // before the point
  std::string_view fraction;  // after the point
  bool exponentNegative = false;
  std::string_view exponentDigits;
};

bool SplitDecimal(std::string_view text, const DecimalSyntax& syntax, DecimalParts& parts) {
  if (syntax.blanks) text = TrimSpacesAndTabs(text);
  std::size_t i = 0;
  if (syntax.sign && i < text.size() && (text[i] == '+' || text[i] == '-')) {
    parts.negative = text[i] == '-';
    ++i;
  }
  const std::size_t digitsStart = i;
  while (i < text.size() && IsDecimalDigit(text[i])) ++i;
  parts.digits = text.substr(digitsStart, i - digitsStart);
  if (i < text.size() && text[i] == '.') {
    ++i;
    const std::size_t fractionStart = i;
    while (i < text.size() && IsDecimalDigit(text[i])) ++i;
    parts.fraction = text.substr(fractionStart, i - fractionStart);
  }
  if (parts.digits.empty() && (!syntax.leadingPoint || parts.fraction.empty())) return false;
  const bool exponentLetter =
      i < text.size() && ((text[i] == 'E' && syntax.exponent != ExponentLetter::None) ||
                          (text[i] == 'e' && syntax.exponent == ExponentLetter::EitherCase));
  if (exponentLetter) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      parts.exponentNegative = text[i] == '-';
      ++i;
    }
    const std::size_t exponentStart = i;
    while (i < text.size() && IsDecimalDigit(text[i])) ++i;
    parts.exponentDigits = text.substr(exponentStart, i - exponentStart);
    if (parts.exponentDigits.empty() && !syntax.bareExponent) return false;
  }
  return i == text.size();
}

// The parts as the C library reads them: "[-]digits[.fraction][E[-]digits]".
std::string NormalText(const DecimalParts& parts) {
  std::string text;
  text.reserve(parts.digits.size() + parts.fraction.size() + parts.exponentDigits.size() + 8);
  if (parts.negative) text += '-';
  text += parts.digits.empty() ? std::string_view("0") : parts.digits;
  if (!parts.fraction.empty()) {
    text += '.';
    text += parts.fraction;
  }
  if (!parts.exponentDigits.empty()) {
    text += 'E';
    if (parts.exponentNegative) text += '-';
    text += parts.exponentDigits;
  }
  return text;
}

// Most texts have at most 19 significant digits and a small power of ten:
// then one correctly rounded multiplication or division gives the value.
// Returns false when the text needs the exact conversion.
bool ConvertQuickly(const DecimalParts& parts, long double& value) {
  std::uint64_t mantissa = 0;
  int significant = 0;
  int scale = 0;  // value = mantissa * 10^scale before the exponent
  bool fits = true;
  const auto take = [&](char c, bool isFraction) {
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
  for (const char c : parts.digits) take(c, false);
  for (const char c : parts.fraction) take(c, true);
  if (!fits) return false;

  long exponent = 0;
  for (const char c : parts.exponentDigits) {
    if (exponent < 1000000) exponent = exponent * 10 + (c - '0');
  }
  if (parts.exponentNegative) exponent = -exponent;

  if (mantissa == 0) {
    value = parts.negative ? -0.0L : 0.0L;
    return true;
  }
  const long total = scale + exponent;
  if (total < -kExactPowers || total > kExactPowers) return false;
  long double result = static_cast<long double>(mantissa);
  if (total >= 0) {
    result *= kPowersOfTen[total];
  } else {
    result /= kPowersOfTen[-total];
  }
  if (std::isinf(result)) return false;
  value = parts.negative ? -result : result;
  return true;
}

template <typename Real>
Real ConvertExactly(const char* text, char** end) {
  if constexpr (std::is_same_v<Real, long double>) {
    return strtold_l(text, end, CNumericLocale());
  } else {
    return strtod_l(text, end, CNumericLocale());
  }
}

// Appends the exponent as 'E', its sign and at least `minimumDigits` digits.
void AppendExponent(std::string& text, int exponent, bool alwaysSign, int minimumDigits) {
  text += 'E';
  if (exponent < 0) {
    text += '-';
  } else if (alwaysSign) {
    text += '+';
  }
  const std::string digits = IntegerText(exponent < 0 ? -exponent : exponent);
  for (int pad = static_cast<int>(digits.size()); pad < minimumDigits; ++pad) text += '0';
  text += digits;
}

const char* NonFiniteText(long double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// The significant digits of a finite value rounded to `digitCount` of them,
// and the decimal exponent of the first: 1234.5 with 3 digits gives "123"
// and 3. Zero gives zeros and exponent 0.
struct RoundedDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

RoundedDigits RoundToDigits(long double value, int digitCount) {
  RoundedDigits rounded;
  rounded.negative = std::signbit(value) && value != 0;
  // "d.ddd…e±x": a sign, a point and an exponent of at most four digits
  // besides the digits themselves.
  std::string buffer(static_cast<std::size_t>(digitCount) + 16, '\0');
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                     std::chars_format::scientific, digitCount - 1);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));
  const std::size_t e = text.find('e');
  for (const char c : text.substr(0, e)) {
    if (IsDecimalDigit(c)) rounded.digits += c;
  }
  std::string_view exponent = text.substr(e + 1);
  const bool negativeExponent = exponent.front() == '-';
  exponent.remove_prefix(1);
  for (const char c : exponent) rounded.exponent = rounded.exponent * 10 + (c - '0');
  if (negativeExponent) rounded.exponent = -rounded.exponent;
  return rounded;
}

}  // namespace

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

template <typename Real>
NumberRead<Real> ReadDecimal(std::string_view text, const DecimalSyntax& syntax) {
  static_assert(std::is_same_v<Real, double> || std::is_same_v<Real, long double>);
  DecimalParts parts;
  if (!SplitDecimal(text, syntax, parts)) return {NumberReadStatus::Malformed, 0};
  if constexpr (std::is_same_v<Real, long double>) {
    long double value = 0;
    if (ConvertQuickly(parts, value)) return {NumberReadStatus::Ok, value};
  }
  const std::string normal = NormalText(parts);
  char* end = nullptr;
  const Real value = ConvertExactly<Real>(normal.c_str(), &end);
  if (end != normal.c_str() + normal.size()) return {NumberReadStatus::Malformed, 0};
  if (std::isinf(value)) return {NumberReadStatus::OutOfRange, 0};
  return {NumberReadStatus::Ok, value};
}

template NumberRead<double> ReadDecimal<double>(std::string_view, const DecimalSyntax&);
template NumberRead<long double> ReadDecimal<long double>(std::string_view, const DecimalSyntax&);

template <typename Int>
NumberRead<Int> ReadInteger(std::string_view text, const IntegerSyntax& syntax) {
  using Bits = std::make_unsigned_t<Int>;
  if (syntax.blanks) text = TrimSpacesAndTabs(text);
  bool negative = false;
  if (syntax.sign && !text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  Bits base = 10;
  if (syntax.hexPrefix) {
    if (!text.empty() && text.front() == '$') {
      base = 16;
      text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
      base = 16;
      text.remove_prefix(2);
    }
  }
  if (text.empty()) return {NumberReadStatus::Malformed, 0};

  constexpr Bits kAllBits = std::numeric_limits<Bits>::max();
  Bits magnitude = 0;
  bool tooLarge = false;
  for (const char c : text) {
    Bits digit = 0;
    if (IsDecimalDigit(c)) {
      digit = static_cast<Bits>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<Bits>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<Bits>(c - 'A' + 10);
    } else {
      return {NumberReadStatus::Malformed, 0};
    }
    if (magnitude > (kAllBits - digit) / base) {
      tooLarge = true;
    } else {
      magnitude = static_cast<Bits>(magnitude * base + digit);
    }
  }
  if (tooLarge) return {NumberReadStatus::OutOfRange, 0};

  if (base == 16) {
    const Bits bits = negative ? static_cast<Bits>(Bits{0} - magnitude) : magnitude;
    return {NumberReadStatus::Ok, static_cast<Int>(bits)};
  }
  if constexpr (std::is_signed_v<Int>) {
    const Bits limit = static_cast<Bits>(std::numeric_limits<Int>::max()) + (negative ? 1 : 0);
    if (magnitude > limit) return {NumberReadStatus::OutOfRange, 0};
    return {NumberReadStatus::Ok, static_cast<Int>(negative ? static_cast<Bits>(Bits{0} - magnitude) : magnitude)};
  } else {
    if (negative && magnitude != 0) return {NumberReadStatus::OutOfRange, 0};
    return {NumberReadStatus::Ok, magnitude};
  }
}

template NumberRead<std::int32_t> ReadInteger<std::int32_t>(std::string_view, const IntegerSyntax&);
template NumberRead<std::int64_t> ReadInteger<std::int64_t>(std::string_view, const IntegerSyntax&);
template NumberRead<std::uint64_t> ReadInteger<std::uint64_t>(std::string_view, const IntegerSyntax&);

std::string FixedText(long double value, int decimals) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (decimals < 0) decimals = 0;
  int binaryExponent = 0;
  std::frexp(value, &binaryExponent);
  // Integer digits: at most one more than log10(2) times the binary exponent.
  const int integerDigits = binaryExponent > 0 ? binaryExponent * 30103 / 100000 + 2 : 1;
  std::string text(static_cast<std::size_t>(integerDigits + decimals + 3), '\0');
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
  text.resize(static_cast<std::size_t>(written.ptr - text.data()));
  // "-0" and "-0.00": a value that rounds to zero has no sign.
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string ScientificText(long double value, int decimals, int exponentDigits) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (decimals < 0) decimals = 0;
  const RoundedDigits rounded = RoundToDigits(value, decimals + 1);
  std::string text;
  if (rounded.negative) text += '-';
  text += rounded.digits.front();
  if (decimals > 0) {
    text += '.';
    text.append(rounded.digits, 1);
  }
  AppendExponent(text, rounded.exponent, true, exponentDigits);
  return text;
}

std::string GeneralText(long double value, int precision, int smallestFixedExponent) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (value == 0) return "0";
  if (precision < 1) precision = 1;
  RoundedDigits rounded = RoundToDigits(value, precision);
  std::string& digits = rounded.digits;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int count = static_cast<int>(digits.size());
  const int exponent = rounded.exponent;

  std::string text;
  if (rounded.negative) text += '-';
  if (exponent >= precision || exponent < smallestFixedExponent) {
    text += digits.front();
    if (count > 1) {
      text += '.';
      text.append(digits, 1);
    }
    AppendExponent(text, exponent, false, 1);
  } else if (exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  } else {
    const int integerDigits = exponent + 1;
    for (int i = 0; i < integerDigits; ++i) text += i < count ? digits[static_cast<std::size_t>(i)] : '0';
    if (count > integerDigits) {
      text += '.';
      text.append(digits, static_cast<std::size_t>(integerDigits));
    }
  }
  return text;
}

}  // namespace zc
