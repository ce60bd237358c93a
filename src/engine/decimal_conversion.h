// Decimal text to 80-bit extended, accepting exactly the forms the
// calculator writes and reads, independent of the process locale.
#pragma once

#include <string_view>

namespace zc {

enum class DecimalConversion { Ok, Malformed, OutOfRange };

// The powers of ten the extended format holds exactly (5^27 < 2^64): one
// multiplication or division by them rounds only once, in both directions
// of the conversion.
inline constexpr int kExactPowers = 27;
inline constexpr long double kPowersOfTen[kExactPowers + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// The number form of a literal in an expression: digits with at most one
// '.', then optionally 'E', an optional sign and the exponent digits ("1E"
// counts as exponent 0). No blanks, no sign in front, upper-case 'E' only.
DecimalConversion ConvertDecimalLiteral(std::string_view text, long double& value);

// The number form of a stored value text (a variable or constant): blanks
// around it, an optional leading sign, '.' as the decimal point and an
// exponent with 'E' or 'e'. No "inf", "nan", hexadecimal or decimal comma.
DecimalConversion ConvertValueText(std::string_view text, long double& value);

}  // namespace zc
