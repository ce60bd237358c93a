#include "user_function_call.h"

#include <unistd.h>

#include <string>
#include <vector>

#include "calc_expression.h"
#include "engine_fault.h"
#include "line_text.h"
#include "named_values.h"
#include "plugin_host.h"
#include "result_text.h"
#include "ascii_text.h"

namespace zc {
namespace {

long double CallExpressionFunction(EngineContext& context, const TUserFunction& function,
                                   const TExtendeds& arguments, TCalcResult& result) {
  std::vector<std::string_view> parameters;
  SplitTopLevelCommas(function.aParams, parameters);
  if (parameters.size() != arguments.size()) {
    SetError(status::kArgumentCount, result);
    return 0;
  }
  if (++context.functionEvaluations > kFunctionEvaluationBudget) {
    throw EngineFault(FaultKind::Other,
                      "ユーザー関数の呼び出しが多すぎます（1 行で合わせて " +
                          std::to_string(kFunctionEvaluationBudget) +
                          " 回まで）。関数が互いを何度も呼び出していないか確かめてください");
  }
  // The defining expression sees its parameters, bound by their result
  // text, and the constants; nothing of the caller's variables.
  NameValueList bindings;
  bindings.reserve(parameters.size() + 1);
  char buffer[kResultTextCapacity];
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    std::string line(parameters[i]);
    line += '=';
    line.append(FormatResultText(arguments[i], buffer));
    bindings.push_back(std::move(line));
  }
  TCalcResult nested;
  CalcExpression(context, function.aSentence, bindings, nested);
  if (nested.dwStatusCode == status::kSuccess) {
    // The answers the enclosing line already holds stay; the defining
    // expression's own further answers ("x,x*2") follow them.
    nested.dwAnswers.insert(nested.dwAnswers.begin(), result.dwAnswers.begin(),
                            result.dwAnswers.end());
  }
  result = std::move(nested);
  return result.dwSource;
}

// The folder the procedure runs in: AppDir, or the calculator's own working
// directory when there is none.
std::string CallDirectory(const std::string& appDir) {
  if (!appDir.empty()) return appDir;
  std::vector<char> buffer(4096);
  if (getcwd(buffer.data(), buffer.size()) == nullptr) return "/";
  std::string directory = buffer.data();
  if (directory.back() != '/') directory += '/';
  return directory;
}

long double CallLibraryFunction(EngineContext& context, const TUserFunction& function,
                                const TExtendeds& arguments) {
  // Library procedures find their own files relative to the calculator's
  // folder, as they always have: the host runs them there, and a relative
  // library path counts from it. The calculator's own working directory
  // stays as it is.
  PluginCall call;
  call.directory = CallDirectory(context.appDir);
  call.libraryPath = function.aDLLPath.empty() || function.aDLLPath.front() != '/'
                         ? call.directory + function.aDLLPath
                         : function.aDLLPath;
  call.procedure = function.aDLLProc;
  return context.pluginHost.Call(call, arguments);
}

}  // namespace

int FindUserFunction(std::string_view text, const UserFunctionList& list, bool exact) {
  if (exact) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      const std::string& name = list[i]->aName;
      if (EqualsIgnoreAsciiCase(text, name)) return static_cast<int>(i);
    }
    return -1;
  }
  int best = -1;
  std::size_t length = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string& name = list[i]->aName;
    if (!name.empty() && name.size() > length && StartsWithIgnoreAsciiCase(text, name)) {
      best = static_cast<int>(i);
      length = name.size();
    }
  }
  return best;
}

long double CallUserFunction(EngineContext& context, std::string_view name,
                             const TExtendeds& arguments, TCalcResult& result) {
  result.dwStatusCode = status::kSuccess;
  result.dwMessage.clear();
  result.dwSource = 0;
  result.dwAddition = 0;
  const int index = FindUserFunction(name, context.userFunctions, false);
  if (index < 0) {
    throw EngineFault(FaultKind::Other,
                      "ユーザー関数 '" + std::string(name) + "' が見つかりません");
  }
  const TUserFunction& function = *context.userFunctions[static_cast<std::size_t>(index)];
  if (function.aRunType == 0) return CallExpressionFunction(context, function, arguments, result);
  return CallLibraryFunction(context, function, arguments);
}

}  // namespace zc
