// Functions.inf: the file that keeps the user-defined functions from one run
// to the next, and the files the user function manager imports and exports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "file_error.h"
#include "text_encoding.h"
#include "user_function.h"

namespace zc {

// What loading a Functions.inf found besides its functions.
struct UserFunctionFileState {
  // How the file was stored (UTF-8 without mark for a missing file).
  TextEncoding encoding = TextEncoding::Utf8;
  // The file held more than came through: bytes that could not be decoded,
  // or text that gave no function at all (a file that is no function file).
  // Saving the list over it would lose that part for good.
  bool loadedWithLosses = false;
};

// Reads the INI file `fileName` and appends one record per section, repeated
// sections included, to `list`; with `replace` the list is emptied first.
// A missing file reads as empty. A file that exists but cannot be read (no
// regular file, too large, no permission, a read error) throws FileError and
// leaves the list as it was. Values that cannot be read are never an error.
// `state`, when given, receives what else the load found. The caller
// refreshes any view of the list (the manager's) afterwards. Returns true.
bool LoadUserFunctions(UserFunctionList& list, const std::string& fileName, bool replace,
                       UserFunctionFileState* state = nullptr);

// Appends one record per section of the decoded INI text, as
// LoadUserFunctions does for a file.
void AppendUserFunctions(UserFunctionList& list, std::string_view text);

// Writes the whole list to `fileName`, replacing its contents atomically,
// in the encoding the existing file is stored in (UTF-8 without mark when
// there is none). Throws FileError when the file cannot be written, or when
// it exists but cannot be read (it then loaded as empty and must not be
// replaced by an empty list); the old file is untouched. Always returns true.
bool SaveUserFunctions(const UserFunctionList& list, const std::string& fileName);

// The same, in a chosen encoding.
bool SaveUserFunctions(const UserFunctionList& list, const std::string& fileName,
                       TextEncoding encoding);

// The file text for the list: one section per distinct name (ignoring ASCII
// case, first spelling kept, last record's values), the six keys in order,
// CR LF line ends and an empty line after each section.
std::string FormatUserFunctions(const UserFunctionList& list);

// RunType as stored: decimal, or hexadecimal after "0x" or "$", as a 32-bit
// integer whose low 16 bits are kept; anything unreadable gives 0, and any
// value above 1 becomes 0 (an expression function).
std::uint16_t ParseRunType(std::string_view text);

}  // namespace zc
