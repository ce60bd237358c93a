// constants.txt and the files the constants dialog imports and exports:
// name=value lines, one entry per line, nothing interpreted on reading.
#pragma once

#include <string>
#include <string_view>

#include "engine_context.h"
#include "file_error.h"
#include "text_encoding.h"

namespace zc {

struct ConstantsFile {
  NameValueList lines;
  // How the file was stored; exports write the lines back the same way.
  TextEncoding encoding = TextEncoding::Utf8;
};

// Reads a constants file: every line (empty ones included) becomes an entry
// in file order. Throws FileError with a Japanese message naming the file
// when it does not exist or cannot be read (and why).
ConstantsFile LoadConstants(const std::string& path);

// The bytes of an exported table: every line followed by CR LF, encoded as
// `encoding` (byte-order mark included).
std::string EncodeConstants(const NameValueList& lines, TextEncoding encoding);

// Writes EncodeConstants(...) to `path` atomically. Throws FileError; the old
// file is then left as it was.
void SaveConstants(const std::string& path, const NameValueList& lines, TextEncoding encoding);

}  // namespace zc
