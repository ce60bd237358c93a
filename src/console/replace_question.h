// The question the import commands ask before a file's contents arrive.
#pragma once

#include <QString>

#include "user_prompts.h"

namespace zc {

// "<file name> の内容で置き換えますか？" for the file at `path`, titled "Confirm";
// Yes replaces what is there, No appends.
Question ReplaceQuestion(const QString& path);

}  // namespace zc
