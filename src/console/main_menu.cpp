#include "main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "function_menus.h"

namespace zc {

namespace {

QAction* AddItem(QMenu* menu, const char* caption, const char* hint) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setStatusTip(QString::fromUtf8(hint));
  return action;
}

}  // namespace

TMainMenu BuildMainMenu(QMenuBar* bar, const UserFunctionList& userFunctions,
                        const std::function<void(const QString&)>& insertName) {
  TMainMenu items;

  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  items.clearConsole = AddItem(file, "コンソールクリア(&C)", "コンソールをクリアします");
  items.clearConsole->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  items.saveLog = AddItem(file, "ログに名前を付けて保存(&S)...", "コンソールの内容をテキストファイルに保存します");
  items.saveLog->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addSeparator();
  items.exit = AddItem(file, "終了(&X)", "ZELTA CALC SYSTEMを終了します");
  items.exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* functions = bar->addMenu(QStringLiteral("ファンクション(&C)"));
  AddFixedFunctionMenus(functions, insertName);
  QMenu* user = functions->addMenu(QStringLiteral("ユーザー関数(&N)"));
  items.userFunctions = new TUserFunctionMenu(user, userFunctions, insertName);
  functions->addSeparator();
  items.userFunctionManager =
      AddItem(functions, "ユーザー関数マネージャ(&U)...", "ユーザー関数の作成・編集を行います");

  QMenu* options = bar->addMenu(QStringLiteral("オプション(&O)"));
  items.constants = AddItem(options, "定数(&C)...", "定数の一覧を編集します");
  options->addSeparator();
  items.graphTool = AddItem(options, "グラフツール(&G)...", "式のグラフを描きます");
  items.primeTool = AddItem(options, "素ツール(&M)...", "素数の判定と素因数分解を行います");
  items.fractionTool = AddItem(options, "約分ツール(&Y)...", "分数を約分します");
  items.quadraticTool = AddItem(options, "二次方程式ツール(&N)", "二次方程式の展開・因数分解・解を求めます");
  items.calculusTool = AddItem(options, "微積分計算ツール(&D)...", "微分係数と定積分を数値計算します");
  options->addSeparator();
  items.tenkeys = AddItem(options, "テンキー(&T)...", "テンキーを表示します");
  options->addSeparator();
  items.saveSession = AddItem(options, "セッションを保存する(&S)",
                              "入力履歴、変数、角度モード、ウィンドウの位置を次回の起動に引き継ぎます");
  items.saveSession->setCheckable(true);
  items.saveSession->setChecked(true);

  QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  items.errorHelp = AddItem(help, "エラー解説(&E)...", "エラーコードの意味を調べます");
  items.errorHelp->setShortcut(QKeySequence(Qt::Key_F1));
  items.about = AddItem(help, "バージョン情報(&V)...", "バージョン情報を表示します");

  // Windows of later tools are wired in by the application; until then their
  // items stay visible but cannot be chosen.
  for (QAction* tool : {items.userFunctionManager, items.graphTool, items.primeTool,
                        items.fractionTool, items.quadraticTool, items.calculusTool}) {
    tool->setEnabled(false);
  }
  return items;
}

}  // namespace zc
