// Helpers that look at the text of a line or group: its shape before it is
// evaluated, and the table entry spelled at a position.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "ascii_text.h"  // TrimBlanks

namespace zc {

// Splits `text` at the commas outside parentheses into `pieces` (cleared
// first). A piece may be empty; a trailing comma adds nothing. A stray ')'
// takes the depth below zero, and commas do not split until it is back at 0.
// Returns the number of pieces.
int SplitTopLevelCommas(std::string_view text, std::vector<std::string_view>& pieces);

// At least one character, starting with '(' and ending with ')'.
bool IsParenthesized(std::string_view text);
std::string_view StripParentheses(std::string_view text);

// At least one character, starting and ending with '"' (a lone '"' counts).
bool IsQuoted(std::string_view text);
std::string_view Unquote(std::string_view text);

// The index of the longest non-empty entry of `table` that `text` begins
// with, ignoring ASCII case; the first in the table on equal length; -1 if
// none. No word boundary is needed on either side.
int MatchLongestEntry(std::string_view text, std::span<const std::string_view> table);

}  // namespace zc
