// The two decimal forms the engine reads: a literal in an expression and the
// stored value text of a variable or constant. Both go through the shared
// number reader, so neither depends on the process locale.
#pragma once

#include <string_view>

#include "number_text.h"

namespace zc {

using DecimalConversion = NumberReadStatus;

// The number form of a literal in an expression: digits with at most one
// '.', then optionally 'E', an optional sign and the exponent digits ("1E"
// counts as exponent 0). No blanks, no sign in front, upper-case 'E' only.
DecimalConversion ConvertDecimalLiteral(std::string_view text, long double& value);

// The number form of a stored value text (a variable or constant): blanks
// around it, an optional leading sign, '.' as the decimal point and an
// exponent with 'E' or 'e'. No "inf", "nan", hexadecimal or decimal comma.
DecimalConversion ConvertValueText(std::string_view text, long double& value);

}  // namespace zc
