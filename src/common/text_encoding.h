// The encodings our data files are stored in, and the conversions between
// them and UTF-8. Qt-free: shared by the engine, the console, the tools and
// the command-line programs.
#pragma once

#include <string>
#include <string_view>

namespace zc {

// How a text file was stored. Reading remembers it so that writing the file
// back keeps the user's encoding and byte-order mark.
enum class TextEncoding {
  Utf8,      // no byte-order mark; the platform's ANSI code page
  Utf8Bom,   // EF BB BF
  Utf16LE,   // FF FE
  Utf16BE,   // FE FF
  ShiftJis,  // code page 932: bytes that are not valid UTF-8 (files from Windows)
};

struct DecodedText {
  std::string utf8;
  TextEncoding encoding = TextEncoding::Utf8;
  // Some bytes could not be decoded (or were NUL characters) and stand as
  // U+FFFD in `utf8`: the text is not all the file held.
  bool lossy = false;
};

// Decodes raw file bytes: a byte-order mark selects UTF-8 or UTF-16; without
// one, zero bytes beside most ASCII characters mean UTF-16 of that byte
// order, valid UTF-8 is taken as is and anything else is read as Shift-JIS.
DecodedText DecodeText(std::string_view bytes);

// The encoding DecodeText would choose for these bytes.
TextEncoding DetectEncoding(std::string_view bytes);

// Encodes UTF-8 text for a file, byte-order mark included (UTF-16 always
// gets its mark, so the file reads back the same without guessing). Characters that
// the target encoding cannot hold are replaced, never dropped silently.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

}  // namespace zc
