#include "startup_windows.h"

#include "main_window.h"

namespace zc {

void CreateStartupWindows(TForm1& form) {
  form.CreateConstantsDialog();
  // The user function manager: shown not modal from
  // form.MainMenu().userFunctionManager.
  // The graph tool: SetGraphRange(-10..10 step 5 on both axes, linear), then
  // shown modally from form.MainMenu().graphTool.
  form.CreateErrorDialog();
  // The quadratic equation tool: form.MainMenu().quadraticTool (kept hidden).
  // The calculus tool: form.MainMenu().calculusTool, modal; it evaluates with
  // form.VariablesCopy().
  // The prime and fraction tools are created on first use:
  // zc::ToggleToolWindow (tool_toggle.h) on form.MainMenu().primeTool and
  // form.MainMenu().fractionTool.
}

}  // namespace zc
