// Replacing a file so that a crash or a full disk never leaves it half
// written. Every file the programs write goes through here: the saved log,
// Functions.inf and exported functions, exported constants, the prime cache
// and graph pictures. Qt-free.
#pragma once

#include <string>
#include <string_view>

#include "file_error.h"

namespace zc {

// Writes `bytes` to a temporary file beside the target, flushes it to disk
// and renames it over the target, so a crash or a full disk never leaves a
// truncated file. A symbolic link is followed and the file it names is
// replaced, in its own folder; the link stays. A replaced file keeps its
// owner and permissions; a new one gets the usual permissions for the
// user's umask.
//
// Throws FileError, naming the file and the system's reason, when any step
// fails, and refuses a target that is not a regular file (a folder, a pipe,
// a device) or that may not be written (read-only). The old file is then
// untouched and no temporary file is left behind.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporary files that saves into `folder` left behind when
// the program was killed in the middle: those of processes that no longer
// run, and any untouched for an hour. Files of other programs stay.
void RemoveStaleTemporaryFiles(const std::string& folder);

// Whether `fileName` (without folder) is one of the temporary files
// WriteFileAtomically creates.
bool IsSaveTemporaryName(std::string_view fileName);

}  // namespace zc
