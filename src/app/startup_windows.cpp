#include "startup_windows.h"

#include <QAction>
#include <QPointer>

#include "graph_tool_window.h"
#include "is_primenum_dlg.h"
#include "lim_int_win.h"
#include "main_window.h"
#include "niji_dlg.h"
#include "user_func_man.h"
#include "yaku_dlg.h"

namespace zc {

namespace {

// The tools that are created on first use and free themselves when closed.
// The holder is a child of the main window, so it lives as long as it does.
class OnDemandTools : public QObject {
 public:
  using QObject::QObject;
  QPointer<TIsPrimenumDlg> prime;
  QPointer<TYakuDlg> fraction;
};

void Enable(QAction* item) { item->setEnabled(true); }

}  // namespace

void CreateStartupWindows(TForm1& form) {
  const TMainMenu& menu = form.MainMenu();
  auto variables = [&form] { return form.VariablesCopy(); };
  UserPrompts& prompts = form.Prompts();

  form.CreateConstantsDialog();

  auto* manager = new TUserFuncMan(form.Engine(), variables, prompts, &form);
  QObject::connect(menu.userFunctionManager, &QAction::triggered, manager, [manager] {
    manager->show();
    manager->raise();
    manager->activateWindow();
  });
  Enable(menu.userFunctionManager);

  auto* graph = new TForm5(form.Engine(), prompts, &form);
  QObject::connect(menu.graphTool, &QAction::triggered, graph, [graph] { graph->ResetRangeAndShow(); });
  Enable(menu.graphTool);

  form.CreateErrorDialog();

  auto* quadratic = new TNijiDlg(prompts, &form);
  QObject::connect(menu.quadraticTool, &QAction::triggered, quadratic, [quadratic] { quadratic->exec(); });
  Enable(menu.quadraticTool);

  auto* calculus = new TLimIntWin(form.Engine(), variables, prompts, &form);
  QObject::connect(menu.calculusTool, &QAction::triggered, calculus, [calculus] { calculus->exec(); });
  Enable(menu.calculusTool);

  auto* onDemand = new OnDemandTools(&form);
  const QString appDir = form.AppDir();
  QObject::connect(menu.primeTool, &QAction::triggered, onDemand,
                   [onDemand, &form, appDir, &prompts] {
                     TIsPrimenumDlg::Toggle(onDemand->prime, &form, appDir, prompts);
                   });
  Enable(menu.primeTool);
  QObject::connect(menu.fractionTool, &QAction::triggered, onDemand,
                   [onDemand, &form] { TYakuDlg::Toggle(onDemand->fraction, &form); });
  Enable(menu.fractionTool);
}

}  // namespace zc
