// Reading whole data files. Qt-free: shared by the engine, the console, the
// tools and the command-line programs.
#pragma once

#include <optional>
#include <string>

#include "file_error.h"
#include "text_encoding.h"

namespace zc {

// Reads a whole file. Returns nothing when the file does not exist or cannot
// be opened.
std::optional<std::string> ReadFileBytes(const std::string& path);
std::optional<DecodedText> ReadTextFile(const std::string& path);

// Reads a whole file that may be missing: nothing when it does not exist,
// FileError when it exists but cannot be read (a folder, no permission, an
// I/O error), so that an unreadable file is never mistaken for an empty one.
std::optional<DecodedText> ReadTextFileIfExists(const std::string& path);

}  // namespace zc
