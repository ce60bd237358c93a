// TEMPORARY, test-only: stands in for the expression part of the engine
// until it lands, so that the function layer can be tested on its own.
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "calc_expression.h"
#include "user_function_call.h"

namespace zc {

void SetError(std::uint8_t code, TCalcResult& result) {
  result.dwStatusCode = code;
  result.dwSource = 0;
  result.dwAnswers.clear();
  result.dwMessage = "ERROR " + std::to_string(code);
}

std::string ResultText(long double value) {
  if (value != value) return "NAN";
  if (value == HUGE_VALL) return "INF";
  if (value == -HUGE_VALL) return "-INF";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15LG", value);
  std::string text = buffer;
  const auto e = text.find('E');
  if (e == std::string::npos) return text;
  std::string mantissa = text.substr(0, e);
  std::string exponent = text.substr(e + 1);
  std::string sign;
  if (exponent[0] == '-') sign = "-";
  exponent.erase(0, 1);
  while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
  return mantissa + "E" + sign + exponent;
}

static char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

int FindUserFunction(std::string_view text, const UserFunctionList& list, bool exact) {
  int best = -1;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string& name = list[i]->aName;
    if (name.empty() || name.size() > text.size()) continue;
    if (exact && name.size() != text.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < name.size(); ++k) same = same && Lower(name[k]) == Lower(text[k]);
    if (same && name.size() > bestLength) {
      best = static_cast<int>(i);
      bestLength = name.size();
      if (exact) break;
    }
  }
  return best;
}

// Understands just the defining expressions the function-layer tests use.
long double CallUserFunction(EngineContext& context, std::string_view name,
                             const TExtendeds& arguments, TCalcResult& result) {
  result.dwStatusCode = 1;
  result.dwMessage.clear();
  result.dwSource = 0;
  result.dwAddition = 0;
  const int index = FindUserFunction(name, context.userFunctions, false);
  if (index < 0) throw std::out_of_range("List index out of bounds (-1)");
  const TUserFunction& function = *context.userFunctions[static_cast<std::size_t>(index)];
  if (function.aSentence == "1.2.3") throw ConversionError("'1.2.3' は浮動小数点数ではありません");
  if (function.aSentence == "x*2" && arguments.size() == 1) {
    result.dwSource = arguments[0] * 2;
    result.dwMessage = ResultText(result.dwSource);
    return result.dwSource;
  }
  SetError(13, result);
  return 0;
}

}  // namespace zc
