#include "user_function_naming.h"

#include <algorithm>

#include "ascii_text.h"

namespace zc {

std::optional<std::string> FirstFreeName(const UserFunctionList& list, std::string_view base) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    std::string candidate(base);
    candidate.push_back(letter);
    const bool taken = std::any_of(list.begin(), list.end(), [&](const auto& record) {
      return EqualsIgnoreAsciiCase(record->aName, candidate);
    });
    if (!taken) return candidate;
  }
  return std::nullopt;
}

std::optional<TUserFunction> MakeNewUserFunction(const UserFunctionList& list) {
  auto name = FirstFreeName(list, "NewFunc");
  if (!name) return std::nullopt;
  TUserFunction record;
  record.aName = std::move(*name);
  record.aExplain = "ここに説明を記入してください。";
  record.aRunType = 0;
  record.aParams = "x";
  record.aDLLParamType = 1;
  return record;
}

}  // namespace zc
