// Reading whole data files. Every file the programs read (constants.txt,
// presets.txt, errors.txt, Functions.inf and its imports, Primenumbers.log,
// plugin libraries) comes through here, so none of them can hang a program
// on a pipe or a device, or exhaust its memory. Qt-free: shared by the
// engine, the console, the tools and the command-line programs.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "file_error.h"
#include "text_encoding.h"

namespace zc {

// The largest text data file read: far beyond any real constants or
// functions file, small enough that a runaway file never exhausts memory.
inline constexpr std::size_t kTextFileSizeLimit = std::size_t{64} << 20;
// The largest binary file read: the prime cache and plugin libraries.
inline constexpr std::size_t kBinaryFileSizeLimit = std::size_t{512} << 20;

// Reads a whole file. Nothing when it does not exist. FileError, naming the
// file and the reason, when it exists but cannot be read: it is no regular
// file (a folder, a named pipe, a device or a socket), it is larger than
// `sizeLimit`, it may not be read, or reading it fails. Opening never waits
// for a writer.
std::optional<std::string> ReadFileBytesIfExists(const std::string& path,
                                                 std::size_t sizeLimit = kTextFileSizeLimit);

// The same for a text file, decoded (see DecodeText).
std::optional<DecodedText> ReadTextFileIfExists(const std::string& path);

}  // namespace zc
