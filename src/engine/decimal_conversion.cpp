#include "decimal_conversion.h"

namespace zc {
namespace {

constexpr DecimalSyntax kLiteralSyntax{
    .exponent = ExponentLetter::UpperOnly, .bareExponent = true, .leadingPoint = false};

constexpr DecimalSyntax kValueTextSyntax{
    .sign = true, .exponent = ExponentLetter::EitherCase, .bareExponent = true, .blanks = true};

DecimalConversion Convert(std::string_view text, const DecimalSyntax& syntax, long double& value) {
  const NumberRead<long double> read = ReadDecimal<long double>(text, syntax);
  if (read) value = read.value;
  return read.status;
}

}  // namespace

DecimalConversion ConvertDecimalLiteral(std::string_view text, long double& value) {
  return Convert(text, kLiteralSyntax, value);
}

DecimalConversion ConvertValueText(std::string_view text, long double& value) {
  return Convert(text, kValueTextSyntax, value);
}

}  // namespace zc
