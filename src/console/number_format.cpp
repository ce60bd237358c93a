#include "number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace zc {

std::string ScientificText(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) value = 0;  // a negative zero prints as plain zero

  // printf rounds to nearest and carries into the exponent (9.999...e2
  // becomes 1.000...e3), so only the exponent needs reshaping.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14LE", value);
  std::string_view text(buffer);
  const auto e = text.find('E');
  if (e == std::string_view::npos || e + 2 > text.size()) return std::string(text);

  const char sign = text[e + 1];
  std::string_view digits = text.substr(e + 2);
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);

  std::string result(text.substr(0, e + 1));
  result += sign;
  for (std::size_t pad = digits.size(); pad < 3; ++pad) result += '0';
  result += digits;
  return result;
}

}  // namespace zc
