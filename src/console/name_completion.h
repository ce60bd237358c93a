// The names Ctrl+Space offers on the input line: built-in functions with
// their hints from the function menus, user functions with their
// descriptions, constants and variables with their values.
#pragma once

#include <QString>
#include <vector>

#include "engine_context.h"

namespace zc {

struct CompletionEntry {
  QString name;
  QString description;  // hint, description or value; may be empty
};

// The word the caret ends: the run of letters, digits and '_' just before
// it, without leading digits (those belong to a number). `start` is where
// the word begins in `text`.
struct WordBeforeCaret {
  int start = 0;
  QString word;
};
WordBeforeCaret FindWordBeforeCaret(const QString& text, int caret);

// Every known name that starts with `prefix`, ignoring letter case, sorted
// by name. Variables come from `variables` (the grid's lines); lines without
// a name are skipped.
std::vector<CompletionEntry> CompletionEntries(const EngineContext& context, const NameValueList& variables,
                                               const QString& prefix);

}  // namespace zc
