// Fuzzes CalcExpression: any line must end in a result record or a
// ConversionError, never a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "calc_expression.h"
#include "engine_context.h"

namespace {

void AddFunction(zc::EngineContext& context, const char* name, const char* params,
                 const char* sentence, std::uint16_t runType = 0) {
  auto function = std::make_unique<zc::TUserFunction>();
  function->aName = name;
  function->aParams = params;
  function->aSentence = sentence;
  function->aRunType = runType;
  if (runType != 0) {
    function->aDLLPath = "plugins/missing.so";
    function->aDLLProc = "Missing";
  }
  context.userFunctions.push_back(std::move(function));
}

zc::EngineContext& Context() {
  static zc::EngineContext context = [] {
    zc::EngineContext c;
    c.appDir = "/nonexistent/";
    c.constants = {"pi=3.14159265358979", "e=2.71828182845905", "c=299792458",
                   "bad=abc", "expr=$pi*2"};
    c.random.Seed(12345);
    return c;
  }();
  static const bool functionsAdded = [] {
    AddFunction(context, "f", "x", "x*2");
    AddFunction(context, "g", "a,b", "a-b");
    AddFunction(context, "rec", "x", "rec(x)+1");
    AddFunction(context, "pair", "x", "x,x*2");
    AddFunction(context, "tx", "x", "$t+x");
    AddFunction(context, "none", "", "1");
    AddFunction(context, "lib", "", "", 1);
    return true;
  }();
  (void)functionsAdded;
  return context;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 4096) return 0;
  zc::EngineContext& context = Context();
  context.angleMode = static_cast<zc::AngleMode>(data[0] % 3);
  const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
  zc::NameValueList variables = {"x=2", "t=x^2+1", "s=$s", "v=1,2", "ANS=0", "w=$v+$x"};
  zc::TCalcResult result;
  try {
    zc::CalcExpression(context, line, variables, result);
  } catch (const zc::ConversionError&) {
  }
  if (context.nestingDepth != 0) __builtin_trap();
  return 0;
}
