// Row operations shared by the variables grid and the constants dialog.
// Both tables are plain name=value line lists (zc::NameValueList); these
// helpers work on the list itself so they can be used and tested without a
// widget.
#pragma once

#include <string>
#include <string_view>

#include "engine_context.h"

namespace zc {

// The name is the text before the first '=', the value the text after it.
// A line without '=' is all name and has no value.
struct NameValueParts {
  std::string name;
  std::string value;
  bool hasEquals = false;
};
NameValueParts SplitNameValue(std::string_view line);

// Joins an edited row back into a line. A line that had no '=' keeps that
// form while its value stays empty, so editing never invents an entry.
std::string JoinNameValue(std::string_view name, std::string_view value, bool hadEquals);

// Appends "New<n>=0" with the smallest n >= 1 whose name "NEW<n>" (any letter
// case) is not taken yet. Returns the index of the new line.
int AddNewRow(NameValueList& lines);

// Deletes line `row`. The last remaining line is replaced by "=" instead, so
// the table never becomes empty. Returns the index that should become
// current afterwards (-1 when `row` was out of range and nothing changed).
int DeleteRow(NameValueList& lines, int row);

// Whether a typed character may enter a constant's value: control
// characters (below 26) always, otherwise only digits, '-', '.' and 'E'.
bool IsConstantValueChar(char32_t character);

}  // namespace zc
