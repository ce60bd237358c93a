// Names the user function manager gives to new and copied functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "user_function.h"

namespace zc {

// The first of base + "a" … base + "z" that no record bears (ignoring ASCII
// case); nothing when all 26 are taken.
std::optional<std::string> FirstFreeName(const UserFunctionList& list, std::string_view base);

// The record a new function starts from: "NewFunc" + letter, a description
// placeholder, one parameter x, and the library contract the manager offers.
std::optional<TUserFunction> MakeNewUserFunction(const UserFunctionList& list);

}  // namespace zc
