// The notations the console prints a value in besides the result text.
#pragma once

#include <string>

namespace zc {

// Exponent form with 15 significant digits, as DIGIT and F⇔E print it: one
// digit, the point, 14 digits, "E", the exponent's sign and at least three
// exponent digits ("1.00000000000000E+002", "-2.50000000000000E-010").
// Infinities and not-a-number read "INF", "-INF" and "NAN" as in result text.
std::string ScientificText(long double value);

}  // namespace zc
