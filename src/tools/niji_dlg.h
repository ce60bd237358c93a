// The quadratic tool "二次方程式ツール": expands (ax + b)(cx + d), factorises
// Ax^2 + Bx + C and solves Ax^2 + Bx + C = 0 with exact roots. Created once
// at start and shown modally; the fields keep their texts between showings.
#pragma once

#include <QDialog>

#include "user_prompts.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zc {

class TRightEdit;

class TNijiDlg : public QDialog {
  Q_OBJECT

 public:
  // Results of the test button and failures are shown through `prompts`.
  explicit TNijiDlg(UserPrompts& prompts, QWidget* parent = nullptr);

  void Button1Click();  // expand
  void Button2Click();  // factorise
  void Button3Click();  // solve
  void Button4Click();  // reduce Edit9 / Edit10 into a message box

  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  TRightEdit* Edit1 = nullptr;       // first factor: coefficient of x
  TRightEdit* Edit2 = nullptr;       // first factor: constant
  TRightEdit* RightEdit2 = nullptr;  // second factor: coefficient of x
  TRightEdit* RightEdit1 = nullptr;  // second factor: constant
  TRightEdit* Edit3 = nullptr;       // A
  TRightEdit* Edit4 = nullptr;       // B
  TRightEdit* Edit5 = nullptr;       // C
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;
  QLineEdit* Edit6 = nullptr;  // kind of solution
  QLineEdit* Edit7 = nullptr;  // root 1
  QLineEdit* Edit8 = nullptr;  // root 2
  QLineEdit* Edit9 = nullptr;
  QLineEdit* Edit10 = nullptr;
  QPushButton* OKBtn = nullptr;

 private:
  void ShowError(const QString& text) { prompts_.ShowError(this, text); }

  UserPrompts& prompts_;
};

}  // namespace zc
