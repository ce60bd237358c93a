// The main window's menu bar: every item with its accelerator and keyboard
// shortcut, in menu order.
// The items only carry captions and hints here; the main window and the
// application connect what they do.
#pragma once

#include <functional>

#include "user_function.h"

class QAction;
class QMenuBar;
class QString;

namespace zc {

class TUserFunctionMenu;

struct TMainMenu {
  // ファイル(&F)
  QAction* clearConsole = nullptr;  // コンソールクリア(&C)
  QAction* saveLog = nullptr;       // ログに名前を付けて保存(&S)...
  QAction* exit = nullptr;          // 終了(&X)
  // ファンクション(&C)
  TUserFunctionMenu* userFunctions = nullptr;  // ユーザー関数(&N)
  QAction* userFunctionManager = nullptr;      // ユーザー関数マネージャ(&U)...
  // オプション(&O)
  QAction* constants = nullptr;      // 定数(&C)...
  QAction* graphTool = nullptr;      // グラフツール(&G)...
  QAction* primeTool = nullptr;      // 素ツール(&M)...
  QAction* fractionTool = nullptr;   // 約分ツール(&Y)...
  QAction* quadraticTool = nullptr;  // 二次方程式ツール(&N), kept out of sight
  QAction* calculusTool = nullptr;   // 微積分計算ツール(&D)...
  QAction* tenkeys = nullptr;        // テンキー(&T)...
  QAction* saveSession = nullptr;    // セッションを保存する(&S), checkable, on
  // ヘルプ(&H)
  QAction* errorHelp = nullptr;      // エラー解説(&E)...
  QAction* about = nullptr;          // バージョン情報(&V)...
};

// Fills `bar`. Function items call `insertName` with the function's name.
TMainMenu BuildMainMenu(QMenuBar* bar, const UserFunctionList& userFunctions,
                        const std::function<void(const QString&)>& insertName);

}  // namespace zc
