// Decimal text to 80-bit extended, accepting exactly the forms the
// calculator writes and reads, independent of the process locale.
#pragma once

#include <string_view>

namespace zc {

enum class DecimalConversion { Ok, Malformed, OutOfRange };

// The number form of a literal in an expression: digits with at most one
// '.', then optionally 'E', an optional sign and the exponent digits ("1E"
// counts as exponent 0). No blanks, no sign in front, upper-case 'E' only.
DecimalConversion ConvertDecimalLiteral(std::string_view text, long double& value);

// The number form of a stored value text (a variable or constant): blanks
// around it, an optional leading sign, '.' as the decimal point and an
// exponent with 'E' or 'e'. No "inf", "nan", hexadecimal or decimal comma.
DecimalConversion ConvertValueText(std::string_view text, long double& value);

}  // namespace zc
