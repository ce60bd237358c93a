// The 15-significant-digit general text of a value, written into a caller's
// buffer so that the evaluation loop needs no heap memory for it.
#pragma once

#include <cstddef>
#include <string_view>

namespace zc {

// Enough for "-1.23456789012346E-4951" and the like.
inline constexpr std::size_t kResultTextCapacity = 32;

// Writes the result text of `value` into `buffer` and returns a view of it.
std::string_view FormatResultText(long double value, char (&buffer)[kResultTextCapacity]);

}  // namespace zc
