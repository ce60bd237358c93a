// Numbers as text, read and written one way everywhere: '.' is the decimal
// point and 'E' starts an exponent, whatever the C or Qt locale of the
// process says. A calculator under a decimal-comma locale still reads and
// shows 1.5, so nothing here consults a locale.
#pragma once

#include <charconv>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace zc {

enum class NumberReadStatus { Ok, Malformed, OutOfRange };

// The outcome of reading a number: the value, or why there is none. Reading
// never throws; the caller decides what an unreadable text means.
template <typename Number>
struct NumberRead {
  NumberReadStatus status = NumberReadStatus::Malformed;
  Number value{};

  bool Ok() const { return status == NumberReadStatus::Ok; }
  explicit operator bool() const { return Ok(); }
  Number ValueOr(Number fallback) const { return Ok() ? value : fallback; }
};

enum class ExponentLetter {
  None,        // no exponent at all
  UpperOnly,   // "1.5E3"; a lower-case 'e' is not part of the number
  EitherCase,  // "1.5E3" and "1.5e3"
};

// What a decimal text may hold besides digits and at most one '.'.
struct DecimalSyntax {
  bool sign = false;  // one leading '+' or '-'
  ExponentLetter exponent = ExponentLetter::None;
  bool bareExponent = false;  // "1E" and "1E-" read as exponent 0
  bool leadingPoint = true;   // ".5" without an integer digit
  bool blanks = false;        // blanks and tabs around the number
};

// A number the user types into a field or passes on a command line: blanks
// around it, a sign, "1.5E-3" or "1.5e-3".
inline constexpr DecimalSyntax kTypedDecimal{
    .sign = true, .exponent = ExponentLetter::EitherCase, .blanks = true};

// Reads a whole text as a decimal number, correctly rounded to `Real`
// (double or long double). Infinities, not-a-number, hexadecimal and the
// decimal comma are never numbers. A value too large for `Real` is
// OutOfRange; one too small becomes a denormal or zero, as arithmetic
// underflow does.
template <typename Real>
NumberRead<Real> ReadDecimal(std::string_view text, const DecimalSyntax& syntax);

struct IntegerSyntax {
  bool sign = true;     // one leading '+' or '-'
  bool blanks = false;  // blanks and tabs around the number
  // "0x", "0X" or "$" before hexadecimal digits. Hexadecimal digits may fill
  // every bit of the type, so "$FFFFFFFF" reads as -1 in 32 bits; a '-'
  // before the prefix negates the bits.
  bool hexPrefix = false;
};

// Reads a whole text as an integer of type Int (std::int32_t, std::int64_t
// or std::uint64_t). A decimal value outside Int's range is OutOfRange.
template <typename Int>
NumberRead<Int> ReadInteger(std::string_view text, const IntegerSyntax& syntax = {});

bool IsDecimalDigit(char c);

// The decimal digits of an integer, '-' before a negative one.
template <std::integral Int>
std::string IntegerText(Int value) {
  char buffer[24];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// The writers below show infinities and not-a-number as "INF", "-INF" and
// "NAN", and a negative zero as zero.

// Exactly `decimals` digits after the point ("2.50", "3" for 0 decimals),
// rounded to nearest, ties to even. A value that rounds to zero shows no
// sign.
std::string FixedText(long double value, int decimals);

// One digit, the point and `decimals` digits, then 'E', the exponent's sign
// and at least `exponentDigits` exponent digits: "1.00000000000000E+002"
// for 100 with 14 decimals and three exponent digits.
std::string ScientificText(long double value, int decimals, int exponentDigits);

// At most `precision` significant digits with trailing zeros dropped. Fixed
// form ("0.25", "120") while the decimal exponent of the rounded value lies
// in [smallestFixedExponent, precision); otherwise scientific form with 'E'
// and a sign only for a negative exponent ("1.5E-7", "1E20").
std::string GeneralText(long double value, int precision, int smallestFixedExponent);

// The powers of ten the extended format holds exactly (5^27 < 2^64): one
// multiplication or division by them rounds only once, in both directions
// of a conversion.
inline constexpr int kExactPowers = 27;
inline constexpr long double kPowersOfTen[kExactPowers + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

}  // namespace zc
