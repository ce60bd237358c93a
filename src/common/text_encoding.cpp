#include "text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <optional>
#include <memory>
#include <stdexcept>
#include <utility>

namespace zc {

namespace {

constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16LE = "\xFF\xFE";
constexpr std::string_view kBomUtf16BE = "\xFE\xFF";
// U+FFFD, put in place of bytes that no decoder accepts.
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Length of the well-formed UTF-8 sequence at the start of `text`, or 0.
// Overlong forms, surrogates and code points past U+10FFFF are not well formed.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// Keeps the well-formed sequences and puts U+FFFD for each broken byte.
std::string RepairUtf8(std::string_view text, bool& lossy) {
  std::string repaired;
  repaired.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) {
      repaired += kReplacementUtf8;
      lossy = true;
      text.remove_prefix(1);
    } else {
      repaired.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return repaired;
}

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

// An open iconv conversion, closed when it goes out of scope.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `input`. When a sequence cannot be converted,
  // `on_failure` is called with the remaining input; it appends a
  // replacement to the output and returns how many input bytes to skip
  // (at least one).
  template <typename OnFailure>
  std::string Convert(std::string_view input, OnFailure on_failure) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    std::string output;
    output.reserve(input.size() * 2 + 16);
    char buffer[4096];
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    while (in_left > 0) {
      char* out = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t done = iconv(handle_, &in, &in_left, &out, &out_left);
      output.append(buffer, static_cast<std::size_t>(out - buffer));
      if (done != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (incomplete sequence at the end): replace and go on.
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      std::size_t skip = on_failure(std::string_view(in, in_left), output);
      if (skip == 0) skip = 1;
      if (skip > in_left) skip = in_left;
      in += skip;
      in_left -= skip;
    }
    // Flush any shift state the target encoding keeps.
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    iconv(handle_, nullptr, nullptr, &out, &out_left);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    return output;
  }

 private:
  iconv_t handle_;
};

// Opening a conversion is costly next to a small file's conversion, so each
// thread keeps the ones it has used.
Converter& CachedConverter(const char* to, const char* from) {
  thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<Converter>> cache;
  std::unique_ptr<Converter>& converter = cache[{to, from}];
  if (!converter) converter = std::make_unique<Converter>(to, from);
  return *converter;
}

std::string DecodeWith(const char* from, std::string_view bytes, std::size_t unit, bool& lossy) {
  Converter& converter = CachedConverter("UTF-8", from);
  return converter.Convert(bytes, [unit, &lossy](std::string_view, std::string& output) {
    output += kReplacementUtf8;
    lossy = true;
    return unit;
  });
}

std::string EncodeWith(const char* to, std::string_view utf8, std::string_view replacement) {
  Converter& converter = CachedConverter(to, "UTF-8");
  return converter.Convert(utf8, [&](std::string_view rest, std::string& output) {
    output += replacement;
    // Skip the whole character that could not be held, not just its lead byte.
    const std::size_t length = Utf8SequenceLength(rest);
    return length == 0 ? std::size_t{1} : length;
  });
}

// UTF-16 saved without a mark, told by its zero bytes: a text file holds no
// NUL characters, but UTF-16 puts a zero byte beside every ASCII character,
// on the second byte of a unit in little-endian order and on the first in
// big-endian order. Runs of zeros (the tail of a file cut short by a crash)
// count for neither, and a single stray zero in 8-bit text does not decide.
std::optional<TextEncoding> Utf16ByZeroBytes(std::string_view bytes) {
  if (bytes.find('\0') == std::string_view::npos) return std::nullopt;
  std::size_t littleEndianUnits = 0;
  std::size_t bigEndianUnits = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const bool firstZero = bytes[i] == '\0';
    const bool secondZero = bytes[i + 1] == '\0';
    if (secondZero && !firstZero) ++littleEndianUnits;
    if (firstZero && !secondZero) ++bigEndianUnits;
  }
  // Japanese text has a few characters whose low byte is zero (U+3000,
  // U+4E00, ...); the ASCII around them, line ends included, outnumbers them.
  constexpr std::size_t kMinimumUnits = 2;
  if (littleEndianUnits >= kMinimumUnits && littleEndianUnits > bigEndianUnits) return TextEncoding::Utf16LE;
  if (bigEndianUnits >= kMinimumUnits && bigEndianUnits > littleEndianUnits) return TextEncoding::Utf16BE;
  return std::nullopt;
}

// A NUL character is no text: it becomes U+FFFD like any byte that could
// not be decoded, so what a file gives is always clean text.
void ReplaceNulCharacters(std::string& utf8, bool& lossy) {
  std::size_t at = utf8.find('\0');
  if (at == std::string::npos) return;
  lossy = true;
  std::string replaced;
  replaced.reserve(utf8.size() + 16);
  std::size_t start = 0;
  for (; at != std::string::npos; at = utf8.find('\0', start)) {
    replaced.append(utf8, start, at - start);
    replaced += kReplacementUtf8;
    start = at + 1;
  }
  replaced.append(utf8, start, std::string::npos);
  utf8 = std::move(replaced);
}

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
  if (StartsWith(bytes, kBomUtf8)) return TextEncoding::Utf8Bom;
  if (StartsWith(bytes, kBomUtf16LE)) return TextEncoding::Utf16LE;
  if (StartsWith(bytes, kBomUtf16BE)) return TextEncoding::Utf16BE;
  if (const std::optional<TextEncoding> utf16 = Utf16ByZeroBytes(bytes)) return *utf16;
  return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
}

DecodedText DecodeText(std::string_view bytes) {
  DecodedText decoded;
  decoded.encoding = DetectEncoding(bytes);
  switch (decoded.encoding) {
    case TextEncoding::Utf8Bom:
      // Marked UTF-8 with broken bytes still loads; the broken bytes become U+FFFD.
      decoded.utf8 = RepairUtf8(bytes.substr(kBomUtf8.size()), decoded.lossy);
      break;
    case TextEncoding::Utf16LE:
      if (StartsWith(bytes, kBomUtf16LE)) bytes.remove_prefix(kBomUtf16LE.size());
      decoded.utf8 = DecodeWith("UTF-16LE", bytes, 2, decoded.lossy);
      break;
    case TextEncoding::Utf16BE:
      if (StartsWith(bytes, kBomUtf16BE)) bytes.remove_prefix(kBomUtf16BE.size());
      decoded.utf8 = DecodeWith("UTF-16BE", bytes, 2, decoded.lossy);
      break;
    case TextEncoding::Utf8:
      decoded.utf8 = std::string(bytes);
      break;
    case TextEncoding::ShiftJis:
      decoded.utf8 = DecodeWith("CP932", bytes, 1, decoded.lossy);
      break;
  }
  ReplaceNulCharacters(decoded.utf8, decoded.lossy);
  return decoded;
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return std::string(utf8);
    case TextEncoding::Utf8Bom:
      return std::string(kBomUtf8) + std::string(utf8);
    case TextEncoding::Utf16LE:
      return std::string(kBomUtf16LE) + EncodeWith("UTF-16LE", utf8, std::string_view("\xFD\xFF", 2));
    case TextEncoding::Utf16BE:
      return std::string(kBomUtf16BE) + EncodeWith("UTF-16BE", utf8, std::string_view("\xFF\xFD", 2));
    case TextEncoding::ShiftJis:
      return EncodeWith("CP932", utf8, "?");
  }
  return std::string(utf8);
}

}  // namespace zc
