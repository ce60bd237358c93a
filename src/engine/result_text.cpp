#include "result_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "calc_expression.h"
#include "number_text.h"

namespace zc {
namespace {

constexpr int kDigits = 15;
constexpr std::uint64_t kLowest15 = 100000000000000ULL;   // 10^14
constexpr std::uint64_t kAbove15 = 1000000000000000ULL;   // 10^15

// `magnitude` scaled by 10^k with a single rounding (|k| <= kExactPowers).
long double Scale(long double magnitude, int k) {
  return k >= 0 ? magnitude * kPowersOfTen[k] : magnitude / kPowersOfTen[-k];
}

// The 15 significant digits of a positive finite value as an integer in
// [10^14, 10^15) and the decimal exponent of its first digit. The fast path
// scales by an exact power of ten: the scaled value is then within 6E-5 of
// the true one, so the rounding is certain unless the fraction lies near a
// half. Those rare cases, and magnitudes outside the exact powers, take the
// exact, locale-free conversion of std::to_chars.
//
// Nothing here converts a long double to an integer directly: on the x87
// that switches the rounding mode twice per conversion, which costs more
// than the rest of the text.
void SignificantDigits(long double magnitude, std::uint64_t& digits, int& exponent10) {
  int binaryExponent = 0;
  std::frexp(magnitude, &binaryExponent);
  // floor((binaryExponent - 1) * log10(2)), close enough for the first try.
  int e10 = ((binaryExponent - 1) * 78913) >> 18;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int k = kDigits - 1 - e10;
    if (k < -kExactPowers || k > kExactPowers) break;
    const long double scaled = Scale(magnitude, k);
    if (scaled >= static_cast<long double>(kAbove15)) {
      ++e10;
      continue;
    }
    if (scaled < static_cast<long double>(kLowest15)) {
      --e10;
      continue;
    }
    // Below 2^62, adding and taking away 2^63 rounds to the nearest whole
    // number: the sum has no bits left for a fraction.
    const long double nearest = (scaled + 0x1p63L) - 0x1p63L;
    if (std::fabs(std::fabs(scaled - nearest) - 0.5L) < 1e-3L) break;
    // Below 2^53 the whole number converts exactly through a double.
    digits = static_cast<std::uint64_t>(static_cast<double>(nearest));
    exponent10 = e10;
    if (digits == kAbove15) {
      digits = kLowest15;
      ++exponent10;
    }
    return;
  }
  char text[48];
  const char* end =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, kDigits - 1).ptr;
  // text = d.dddddddddddddde[+-]x
  digits = 0;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  const bool negativeExponent = p[1] == '-';
  exponent10 = 0;
  for (p += 2; p != end; ++p) exponent10 = exponent10 * 10 + (*p - '0');
  if (negativeExponent) exponent10 = -exponent10;
}

}  // namespace

std::string_view FormatResultText(long double value, char (&buffer)[kResultTextCapacity]) {
  char* out = buffer;
  if (std::isnan(value)) return std::string_view(buffer, static_cast<std::size_t>(std::snprintf(buffer, kResultTextCapacity, "NAN")));
  if (std::isinf(value)) {
    const char* text = value > 0 ? "INF" : "-INF";
    return std::string_view(buffer, static_cast<std::size_t>(std::snprintf(buffer, kResultTextCapacity, "%s", text)));
  }
  if (value == 0) {
    buffer[0] = '0';
    return std::string_view(buffer, 1);
  }
  if (value < 0) *out++ = '-';

  std::uint64_t digits = 0;
  int exponent10 = 0;
  SignificantDigits(std::fabs(value), digits, exponent10);

  char significant[kDigits];
  for (int i = kDigits - 1; i >= 0; --i) {
    significant[i] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  int count = kDigits;
  while (count > 1 && significant[count - 1] == '0') --count;

  // Position of the decimal point relative to the first significant digit.
  const int point = exponent10 + 1;
  if (point > kDigits || point < -3) {
    *out++ = significant[0];
    if (count > 1) {
      *out++ = '.';
      for (int i = 1; i < count; ++i) *out++ = significant[i];
    }
    *out++ = 'E';
    int e = exponent10;
    if (e < 0) {
      *out++ = '-';
      e = -e;
    }
    char reversed[8];
    int n = 0;
    do {
      reversed[n++] = static_cast<char>('0' + e % 10);
      e /= 10;
    } while (e > 0);
    while (n > 0) *out++ = reversed[--n];
  } else if (point <= 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = 0; i < -point; ++i) *out++ = '0';
    for (int i = 0; i < count; ++i) *out++ = significant[i];
  } else {
    for (int i = 0; i < point; ++i) *out++ = i < count ? significant[i] : '0';
    if (count > point) {
      *out++ = '.';
      for (int i = point; i < count; ++i) *out++ = significant[i];
    }
  }
  return std::string_view(buffer, static_cast<std::size_t>(out - buffer));
}

std::string ResultText(long double value) {
  char buffer[kResultTextCapacity];
  return std::string(FormatResultText(value, buffer));
}

}  // namespace zc
