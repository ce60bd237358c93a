// The engine's single entry: one line of text in, one TCalcResult out.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "calc_result.h"
#include "engine_context.h"

namespace zc {

// A malformed number literal ("1.2.3", a 0x literal with more than eight
// hexadecimal digits). It leaves CalcExpression as a thrown error carrying
// the Japanese conversion message, e.g. "'1.2.3' は浮動小数点数ではありません".
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Evaluates `expression` (UTF-8 bytes, exactly as typed) against `variables`,
// which it reads and writes (assignments and ANS). Every outcome is reported
// in `result`, except ConversionError, which is thrown.
void CalcExpression(EngineContext& context, std::string_view expression,
                    NameValueList& variables, TCalcResult& result);

// The 15-significant-digit general text of a value: "0.333333333333333",
// "1E-5", "1.84467440737096E19", "INF", "-INF", "NAN".
std::string ResultText(long double value);

}  // namespace zc
