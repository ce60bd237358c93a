// The function menus under "ファンクション(&C)": four fixed menus whose items
// show a function's call form, and the menu of the user-defined functions.
// A click on any of them asks for the item's name to be inserted.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <span>

#include "user_function.h"

class QAction;
class QMenu;

namespace zc {

struct FunctionMenuItem {
  const char* caption;  // the call form, e.g. "logn(b,x)"
  const char* hint;     // shown in the status bar while highlighted
};

struct FunctionMenu {
  const char* title;
  std::span<const FunctionMenuItem> items;
};

// "一般(&G)", "三角関数(&T)", "実用関数(&P)" and "統計関数(&D)", in menu order.
std::span<const FunctionMenu> FixedFunctionMenus();

// What a click on an item inserts: its caption up to the first "(", or the
// whole caption when there is none.
QString FunctionNameOfCaption(const QString& caption);

// Item captions are shown as written: "&" in a name is no accelerator.
QString EscapeMenuText(QString text);

// Adds the four fixed menus to `parent`; a click calls `insertName` with the
// function's name.
void AddFixedFunctionMenus(QMenu* parent, const std::function<void(const QString&)>& insertName);

// "ユーザー関数(&N)": rebuilt from the user function list every time it
// opens, so it always shows the functions as they are at that moment.
class TUserFunctionMenu : public QObject {
  Q_OBJECT

 public:
  TUserFunctionMenu(QMenu* menu, const UserFunctionList& functions,
                    std::function<void(const QString&)> insertName);

  // Done automatically when the menu is about to show.
  void Rebuild();

  QMenu* Menu() const { return menu_; }
  QAction* NoneItem() const { return none_; }

 private:
  QMenu* menu_;
  const UserFunctionList& functions_;
  std::function<void(const QString&)> insertName_;
  QAction* none_;
};

}  // namespace zc
