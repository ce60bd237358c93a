// TUserFuncMan, the user function manager: create, edit, copy, delete,
// import and export user functions, bind one to a plugin procedure, and try
// expressions out. It edits the engine context's UserFunctionList in place,
// so every change takes effect in the next evaluation.
#pragma once

#include <QDialog>
#include <functional>

#include "engine_context.h"
#include "user_prompts.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QToolBar;
class QAction;

namespace zc {

class UserFunctionListModel;

class TUserFuncMan : public QDialog {
  Q_OBJECT

 public:
  // `variablesSnapshot` returns a copy of the variables grid's lines for the
  // test line, which must never change the grid. The file dialogs, the
  // replace question and failures go through `prompts`.
  TUserFuncMan(EngineContext& context, std::function<NameValueList()> variablesSnapshot, UserPrompts& prompts,
               QWidget* parent = nullptr);
  ~TUserFuncMan() override;

  // Redraws the list from UserFunctionList, e.g. after an outside load.
  void RefreshFunctionList();

  // The record the panel edits; null while none is chosen.
  TUserFunction* CurrentFunction() const { return currentFunction_; }

  // Commands of the tool bar and the panel's buttons.
  void ToolButton1Click();  // 新規関数
  void ToolButton2Click();  // 削除
  void ToolButton3Click();  // コピー
  void ToolButton4Click();  // インポート
  void ToolButton6Click();  // エクスポート
  void Button1Click();      // "..." beside the library path
  void Button3Click();      // "..." beside the procedure
  void Button2Click();      // 評価

  // Chooses line `row` (-1 for none), as a click in the list does.
  void SelectRow(int row);

  // Controls, named as on the form, for the window's own tests.
  QListView* ListBox1() const { return listBox1_; }
  QGroupBox* GroupBox1() const { return groupBox1_; }
  QLineEdit* Edit1() const { return edit1_; }
  QLineEdit* Edit2() const { return edit2_; }
  QLineEdit* Edit3() const { return edit3_; }
  QLineEdit* Edit4() const { return edit4_; }
  QComboBox* Edit5() const { return edit5_; }
  QLineEdit* Edit6() const { return edit6_; }
  QLineEdit* Edit7() const { return edit7_; }
  QLineEdit* Edit8() const { return edit8_; }
  QComboBox* ComboBox1() const { return comboBox1_; }
  QRadioButton* RadioButton1() const { return radioButton1_; }
  QRadioButton* RadioButton2() const { return radioButton2_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  QWidget* BuildDetailPanel();
  QWidget* BuildTestPanel();
  void ListBox1Click();
  void FillPanel(const TUserFunction& record);
  void PanelChanged();
  int SelectedRow() const;

  EngineContext& context_;
  std::function<NameValueList()> variablesSnapshot_;
  UserPrompts& prompts_;
  TUserFunction* currentFunction_ = nullptr;

  UserFunctionListModel* model_ = nullptr;
  QToolBar* toolBar1_ = nullptr;
  QListView* listBox1_ = nullptr;
  QGroupBox* groupBox1_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit8_ = nullptr;
  QRadioButton* radioButton1_ = nullptr;
  QRadioButton* radioButton2_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QLineEdit* edit3_ = nullptr;
  QLineEdit* edit4_ = nullptr;
  QComboBox* edit5_ = nullptr;
  QComboBox* comboBox1_ = nullptr;
  QLineEdit* edit6_ = nullptr;
  QLineEdit* edit7_ = nullptr;
};

}  // namespace zc
