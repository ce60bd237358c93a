// A user-defined function and the ordered list of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zc {

struct TUserFunction {
  std::string aName;          // compared ignoring ASCII case
  std::string aExplain;       // menu hint and manager description
  std::uint16_t aRunType = 0; // 0 expression ("インタプリタ"), 1 library ("外部DLL")
  std::string aParams;        // "x" or "a,b"
  std::string aSentence;      // the defining expression
  std::string aDLLPath;       // absolute or relative to AppDir
  std::string aDLLProc;       // procedure name in the library
  std::uint16_t aDLLParamType = 0;  // shown in the manager only; never stored
};

// The list owns its records. Records live on the heap so that a pointer to
// one (the manager's current function) survives appends to the list.
using UserFunctionList = std::vector<std::unique_ptr<TUserFunction>>;

}  // namespace zc
