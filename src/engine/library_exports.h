// Lists the procedure names a plugin library exports, so the user function
// manager can offer them in its drop-down. Reads Windows libraries (PE) and
// the shared objects of this platform (ELF); the file's magic bytes choose
// the reader. Every read is bounds-checked: a truncated or hostile file
// yields an empty list, never a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zc {

// Reads the file at `libraryPath` and lists its exported procedure names.
// Returns an empty list when the file cannot be read or is no library.
std::vector<std::string> ListDllExports(const std::string& libraryPath);

// The same, but tells a file that cannot be read (missing, a folder, a read
// error) apart from a readable one with nothing to list: nothing for the
// former, a possibly empty list for the latter.
std::optional<std::vector<std::string>> TryListDllExports(const std::string& libraryPath);

// The readers on bytes already in memory. `fileExtension` is the library
// name's extension with its dot (".dll"); a Windows library's export data
// is found after its own name, which ends in that extension.
std::vector<std::string> ListPeExports(std::span<const std::uint8_t> file,
                                       std::string_view fileExtension);
std::vector<std::string> ListElfExports(std::span<const std::uint8_t> file);

// Picks the reader by the magic bytes ("MZ" or "\x7f" "ELF").
std::vector<std::string> ListLibraryExports(std::span<const std::uint8_t> file,
                                            std::string_view fileExtension);

}  // namespace zc
