// Whole-file text reading and writing in the encodings our data files use.
// Qt-free: shared by the engine, the console, the tools and the command-line
// programs.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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
};

// A file that cannot be read or written. The message names the file and the
// reason in Japanese, ready for an error box.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decodes raw file bytes: a byte-order mark selects UTF-8 or UTF-16; without
// one, valid UTF-8 is taken as is and anything else is read as Shift-JIS.
DecodedText DecodeText(std::string_view bytes);

// The encoding DecodeText would choose for these bytes.
TextEncoding DetectEncoding(std::string_view bytes);

// Encodes UTF-8 text for a file, byte-order mark included. Characters that
// the target encoding cannot hold are replaced, never dropped silently.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

// Reads a whole file. Returns nothing when the file does not exist or cannot
// be opened.
std::optional<std::string> ReadFileBytes(const std::string& path);
std::optional<DecodedText> ReadTextFile(const std::string& path);

// Reads a whole file that may be missing: nothing when it does not exist,
// FileError when it exists but cannot be read (a folder, no permission, an
// I/O error), so that an unreadable file is never mistaken for an empty one.
std::optional<DecodedText> ReadTextFileIfExists(const std::string& path);

// Writes to a temporary file beside `path`, flushes it and renames it over
// the target, so a crash or a full disk never leaves a truncated file.
// Throws FileError on failure; the old file is then untouched.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Splits at CR LF, LF or CR. A final line ending adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Drops leading and trailing blanks and control characters (code 32 and below).
std::string_view TrimBlanks(std::string_view text);

// ASCII-only case folding: engine names fold ASCII letters and leave every
// other byte (UTF-8 text included) as it is.
char ToLowerAscii(char c);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix);

}  // namespace zc
