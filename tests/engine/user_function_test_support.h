// Builders for the user functions the engine tests put in a context.
#pragma once

#include <memory>
#include <string>

#include "engine_context.h"

namespace zc::testing {

// Appends an expression function: name(params) = sentence.
inline void AddUserFunction(EngineContext& context, const std::string& name,
                            const std::string& params, const std::string& sentence) {
  auto function = std::make_unique<TUserFunction>();
  function->aName = name;
  function->aParams = params;
  function->aSentence = sentence;
  context.userFunctions.push_back(std::move(function));
}

// Appends a function that calls `procedure` in the plugin library at `path`.
inline void AddLibraryFunction(EngineContext& context, const std::string& name,
                               const std::string& path, const std::string& procedure) {
  auto function = std::make_unique<TUserFunction>();
  function->aName = name;
  function->aRunType = 1;
  function->aDLLPath = path;
  function->aDLLProc = procedure;
  context.userFunctions.push_back(std::move(function));
}

}  // namespace zc::testing
