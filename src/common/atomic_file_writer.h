// Replacing a file so that a crash or a full disk never leaves it half
// written. Qt-free: every file the programs write goes through here.
#pragma once

#include <string>
#include <string_view>

#include "file_error.h"

namespace zc {

// Writes to a temporary file beside `path`, flushes it and renames it over
// the target, so a crash or a full disk never leaves a truncated file.
// Throws FileError on failure; the old file is then untouched.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zc
