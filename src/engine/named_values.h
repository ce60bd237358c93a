// Variables, constants and ANS: matching a name in a name=value list,
// reading its value, and writing values back.
#pragma once

#include <cstddef>
#include <string_view>

#include "calc_result.h"
#include "engine_context.h"

namespace zc {

// The index of the line whose non-empty name (the text before its first
// '=') is the longest one that `text` begins with, ignoring ASCII case; the
// first on equal length; -1 if none. `length` receives the name's length.
int MatchNameInList(std::string_view text, const NameValueList& list, std::size_t& length);

// Replaces the first line named `name` (ignoring ASCII case) by
// name=text, or appends it; an empty text deletes that line instead. Then
// removes the empty lines.
void SetVariable(std::string_view name, std::string_view text, NameValueList& list);

// SetVariable with the value's result text.
void SetVariableNumber(std::string_view name, long double value, NameValueList& list);

// Deletes every line that is the empty string.
void RemoveEmptyLines(NameValueList& list);

enum class NamedValueRead { NoName, Read, Failed };

// Characters of stored texts that one line may expand through '$', all
// expansions together. Real lines expand a few hundred; texts that expand
// each other twice over at every level would otherwise run for days.
inline constexpr std::size_t kExpansionBudget = 1000000;

// Scanner step: if a variable or constant name begins at `position` of
// `group`, reads its value (expanding it as an expression when a '$'
// stands directly before the name) and advances `position` past the name.
// Failed means the whole evaluation ends with the error now in `result`;
// an expansion past the line's budget ends it with error 20.
NamedValueRead ReadNamedValue(EngineContext& context, std::string_view group,
                              std::size_t& position, NameValueList& variables,
                              TCalcResult& result, long double& value);

}  // namespace zc
